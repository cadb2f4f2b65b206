#include "ui/mainvideomenu.h"

#include "lang/language.h"
#include "lang/textids.h"

namespace {

// Each entry keeps its text number under the property the main menu re-labels by when the
// language changes.
QAction* Labelled(QAction* item, int text) {
  item->setProperty("zephonicText", text);
  item->setText(Language().Text(text));
  return item;
}

QMenu* AddMenu(QMenu* parent, int text) {
  QMenu* menu = parent->addMenu(QString());
  Labelled(menu->menuAction(), text);
  return menu;
}

}  // namespace

TZMainVideoMenu BuildMainVideoMenu(QMenu* parent) {
  TZMainVideoMenu built;
  built.Menu = AddMenu(parent, kTextMenuVideo);
  QMenu* mode = AddMenu(built.Menu, kTextVideoMenuMode);
  for (size_t i = 0; i < built.Modes.size(); ++i) {
    built.Modes[i] = Labelled(mode->addAction(QString()), kTextModeFullscreen + int(i));
    built.Modes[i]->setCheckable(true);
  }
  QMenu* ratio = AddMenu(built.Menu, kTextVideoMenuRatio);
  for (size_t i = 0; i < built.Ratios.size(); ++i) {
    built.Ratios[i] = Labelled(ratio->addAction(QString()), kTextRatioStretched + int(i));
    built.Ratios[i]->setCheckable(true);
  }
  built.Menu->setEnabled(false);
  return built;
}
