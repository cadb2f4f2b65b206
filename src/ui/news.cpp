#include "ui/news.h"

#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "config/config.h"
#include "lang/textids.h"
#include "ui/aboutparts.h"

namespace {

const QString kHeadingBackground = QStringLiteral(
    "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #808080, "
    "stop:1 #ffffff);");

const char* const kParagraphs[] = {
    "<b>Welcome to this release of Zephonic.</b><br>"
    "It plays your music, internet radio, videos and DVDs from one playlist, and brings:"
    "<ul><li>a ten-band equalizer with presets you can save and share</li>"
    "<li>recording of internet radio into files, split at every new title</li>"
    "<li>skins for every window, and texts in your language</li>"
    "<li>hotkeys that work while other programs have the focus</li></ul>",
    "<b>A note from the team</b><br>"
    "Zephonic is made in our spare time. Servers for the web pages, the skins and the "
    "downloads cost money every month, and testing on many systems costs a lot of time.",
    "<center><b>Please help</b></center>"
    "If you like the player, tell your friends, make a skin or translate the texts into your "
    "language. Every reported fault makes the next release better.<br><br>"
    "<center>Have fun with it,<br><i>the Zephonic team</i></center>",
};

}  // namespace

QStringList NewsItems(const QString& version) {
  QStringList items{QStringLiteral("<font size=\"3\" color=\"#ffffff\"><b>Zephonic %1</b></font>")
                        .arg(version.toHtmlEscaped())};
  for (const char* paragraph : kParagraphs) {
    items << QStringLiteral("<font size=\"2\" color=\"#000000\">%1</font>")
                 .arg(QString::fromUtf8(paragraph));
  }
  return items;
}

TfrmNews::TfrmNews(TZConfig& config, const QString& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      Image1(new TZDragPicture(QStringLiteral("Zephonic News"), {440, 48}, this)),
      lbNews(new QListWidget(this)),
      cbDontShowWindow(new QCheckBox(this)),
      btnOK(new QPushButton(this)),
      config_(config),
      version_(version) {
  lbNews->setSelectionMode(QAbstractItemView::NoSelection);
  lbNews->setFocusPolicy(Qt::NoFocus);
  lbNews->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  lbNews->setFixedSize(440, 300);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(8, 6, 8, 8);
  buttons->addWidget(cbDontShowWindow);
  buttons->addStretch();
  buttons->addWidget(btnOK);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Image1);
  layout->addWidget(lbNews);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // A ticked box means "do not show at the next start".
  connect(cbDontShowWindow, &QCheckBox::clicked, this,
          [this](bool checked) { config_.NewsWindowOnStartUp = !checked; });
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  ApplyTexts(Language());
}

void TfrmNews::ApplyTexts(const TZLanguage& language) {
  setWindowTitle(language.Text(kTextNewsTitle));
  btnOK->setText(language.Text(kTextNewsOk));
  cbDontShowWindow->setText(language.Text(kTextNewsDontShow));
}

void TfrmNews::AddItem(const QString& html, const QString& background) {
  auto* label = new QLabel(html);
  label->setWordWrap(true);
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(true);
  label->setContentsMargins(8, 6, 8, 6);
  label->setStyleSheet(background);
  // The list may not be laid out yet: the items take the width it will have.
  label->setFixedWidth(lbNews->width() - 2 * lbNews->frameWidth() -
                       lbNews->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  auto* item = new QListWidgetItem(lbNews);
  item->setFlags(Qt::ItemIsEnabled);
  item->setSizeHint(QSize(label->width(), label->heightForWidth(label->width())));
  lbNews->setItemWidget(item, label);
}

void TfrmNews::FillNews() {
  lbNews->clear();
  const QStringList items = NewsItems(version_);
  AddItem(items.first(), kHeadingBackground);
  // The heading's text is shaded.
  auto* shade = new QGraphicsDropShadowEffect;
  shade->setOffset(1, 1);
  shade->setBlurRadius(2);
  lbNews->itemWidget(lbNews->item(0))->setGraphicsEffect(shade);
  for (qsizetype i = 1; i < items.size(); ++i) {
    AddItem(items[i], QStringLiteral("background: #ffffff;"));
  }
}

void TfrmNews::ShowNews() {
  cbDontShowWindow->setChecked(!config_.NewsWindowOnStartUp);
  FillNews();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  show();
  raise();
}

bool TfrmNews::ShowOnStartUp() {
  if (!config_.NewsWindowOnStartUp) {
    return false;
  }
  ShowNews();
  return true;
}
