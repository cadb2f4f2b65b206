#include "ui/about.h"

#include <malloc.h>

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/programpath.h"
#include "config/config.h"
#include "lang/textids.h"
#include "ui/aboutparts.h"

namespace {

// A small framed picture naming a library the program is built on.
QLabel* LibraryLogo(const QString& name, const QString& role, QWidget* parent) {
  auto* logo = new QLabel(QStringLiteral("<small>%1</small><br><b>%2</b>").arg(role, name), parent);
  logo->setAlignment(Qt::AlignCenter);
  logo->setFrameShape(QFrame::Box);
  logo->setFixedSize(96, 40);
  return logo;
}

}  // namespace

QStringList CreditLines(const QString& version) {
  const QString team = QStringLiteral("Zephonic team");
  QStringList lines{QStringLiteral("<u>Zephonic %1 Release").arg(version), QString(),
                    QStringLiteral("<b>Credits"), QString()};
  const QList<QPair<QString, QStringList>> sections{
      {QStringLiteral("Development:"), {team}},
      {QStringLiteral("Design:"), {team}},
      {QStringLiteral("Idea:"), {team}},
      {QStringLiteral("Skins:"), {team}},
      {QStringLiteral("Testers:"), {QStringLiteral("Everyone who tried the test builds")}},
      {QStringLiteral("Technology by:"),
       {QStringLiteral("Qt"), QStringLiteral("FFmpeg"), QStringLiteral("SDL"),
        QStringLiteral("GStreamer"), QStringLiteral("libcurl"), QStringLiteral("libzip")}},
      {QStringLiteral("Thanks to (random order):"),
       {QStringLiteral("everyone who made a skin"), QStringLiteral("everyone who translated it"),
        QStringLiteral("everyone who reported a fault")}},
      {QStringLiteral("Compile information:"),
       {QStringLiteral("Qt %1").arg(QLatin1String(QT_VERSION_STR)),
        QStringLiteral("Compiler %1").arg(QLatin1String(__VERSION__))}},
  };
  for (const auto& [heading, names] : sections) {
    lines << QStringLiteral("<b>") + heading << names << QString();
  }
  lines << QStringLiteral("We hope you enjoy zephonic") << QString()
        << QStringLiteral("Made with care by the Zephonic team")
        << QStringLiteral("All rights reserved.");
  return lines;
}

TZScrollerImage::TZScrollerImage(QSize size, QWidget* parent) : QWidget(parent) {
  setFixedSize(size);
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas.picture = QImage(size, QImage::Format_RGB32);
  canvas.picture.fill(Qt::black);
  canvas.view = this;
}

void TZScrollerImage::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, canvas.picture);
}

TfrmAbout::TfrmAbout(const TZConfig& config, const QString& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      imgTitle(new TZDragPicture(QStringLiteral("Zephonic"), {420, 48}, this)),
      lblProduct(new QLabel(QStringLiteral("<b>Zephonic Media Player</b>"), this)),
      lblVersion(new QLabel(QStringLiteral("Version: %1 Release").arg(version), this)),
      lblPath(new QLabel(QStringLiteral("Path: ") + ProgramPath(), this)),
      lblMotto(new QLabel(QStringLiteral("One playlist for all your music and films."), this)),
      lblHomepage(new TZLinkLabel(QLatin1String(kHomepageUrl), QUrl(kHomepageUrl), this)),
      lblForum(new TZLinkLabel(QLatin1String(kForumUrl), QUrl(kForumUrl), this)),
      lblMail(new TZLinkLabel(
          QLatin1String(kMailAddress),
          QUrl(QStringLiteral("mailto:%1?subject=Zephonic").arg(QLatin1String(kMailAddress))),
          this)),
      imgScroller(new TZScrollerImage(kScrollerSize)),
      btnOK(new QPushButton(QStringLiteral("OK"), this)),
      config_(config) {
  lblPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(1, 1, 1, 1);
  panelLayout->addWidget(imgScroller);

  auto* logos = new QHBoxLayout;
  logos->addWidget(LibraryLogo(QStringLiteral("Qt"), QStringLiteral("Windows by"), this));
  logos->addWidget(LibraryLogo(QStringLiteral("FFmpeg"), QStringLiteral("Sound by"), this));
  logos->addStretch();
  logos->addWidget(btnOK);

  auto* text = new QVBoxLayout;
  text->setContentsMargins(18, 8, 18, 12);
  for (QWidget* line : std::initializer_list<QWidget*>{lblProduct, lblVersion, lblPath, lblMotto,
                                                       lblHomepage, lblForum, lblMail}) {
    text->addWidget(line);
  }
  text->addSpacing(6);
  text->addWidget(panel, 0, Qt::AlignHCenter);
  text->addLayout(logos);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(imgTitle);
  layout->addLayout(text);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  imgTitle->setFixedWidth(sizeHint().width());

  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  InitScroller(scroller_, imgScroller->canvas, 0);
  scroller_.Fade = true;
  scroller_.Lines = CreditLines(version);
  scrollTimer_.setInterval(kScrollInterval);
  connect(&scrollTimer_, &QTimer::timeout, this, &TfrmAbout::StepCredits);
  ApplyTexts(Language());
}

void TfrmAbout::ApplyTexts(const TZLanguage& language) {
  setWindowTitle(language.Text(kTextMenuAbout));
}

void TfrmAbout::ShowAbout(const QWidget* over) {
  adjustSize();
  if (over) {
    move(over->frameGeometry().center() - rect().center());
  }
  show();
  raise();
}

void TfrmAbout::StepCredits() {
  TScrollerCanvas& canvas = imgScroller->canvas;
  canvas.picture.fill(Qt::black);
  canvas.font = QFont(QStringLiteral("Tahoma"), 10);
  StepScroller(scroller_, canvas);
}

void TfrmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RestartScroller(scroller_, imgScroller->canvas);
  scrollTimer_.start();
}

void TfrmAbout::hideEvent(QHideEvent* event) {
  scrollTimer_.stop();
  if (config_.SwapMemoryMngt) {
    malloc_trim(0);
  }
  QDialog::hideEvent(event);
}
