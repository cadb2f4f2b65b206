#include "config/pages/pagewidgets.h"

#include <QAbstractItemView>
#include <QPushButton>

QPushButton* NewNamedButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

void UseDarkBlueSelection(QAbstractItemView& view) {
  QPalette colours = view.palette();
  colours.setColor(QPalette::Highlight, QColor(0, 0, 128));
  colours.setColor(QPalette::HighlightedText, Qt::white);
  view.setPalette(colours);
}
