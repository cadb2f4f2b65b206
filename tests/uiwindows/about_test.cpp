// The about and news windows: what they show, the scrolling credits, their links and the rule
// that shows the news at start-up.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "base/programpath.h"
#include "config/config.h"
#include "lang/applylanguage.h"
#include "testsupport.h"
#include "ui/about.h"
#include "ui/aboutparts.h"
#include "ui/news.h"

namespace {

// Takes the addresses the windows open instead of starting a browser or a mail program.
class OpenedUrls : public QObject {
  Q_OBJECT

 public:
  OpenedUrls() {
    for (const char* scheme : {"https", "mailto"}) {
      QDesktopServices::setUrlHandler(scheme, this, "open");
    }
  }
  ~OpenedUrls() override {
    for (const char* scheme : {"https", "mailto"}) {
      QDesktopServices::unsetUrlHandler(scheme);
    }
  }
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls << url; }
};

int BrightPixels(const QImage& picture, int top, int bottom) {
  int bright = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      bright += qGray(picture.pixel(x, y)) > 200;
    }
  }
  return bright;
}

TEST(AboutWindow, ShowsVersionFolderAndCredits) {
  TZConfig config;
  TfrmAbout about(config, "2.20.0");
  EXPECT_EQ(about.lblVersion->text(), "Version: 2.20.0 Release");
  EXPECT_EQ(about.lblPath->text(), "Path: " + ProgramPath());
  EXPECT_EQ(about.imgScroller->size(), QSize(383, 128));
  EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);

  const QStringList& lines = about.Scroller().Lines;
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines.mid(0, 4), (QStringList{"<u>Zephonic 2.20.0 Release", "", "<b>Credits", ""}));
  QStringList headings;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].startsWith("<b>") && i > 2) {
      headings << lines[i];
      EXPECT_TRUE(lines[i - 1].isEmpty()) << "no gap before " << lines[i].toStdString();
      EXPECT_FALSE(lines[i + 1].isEmpty()) << "nothing under " << lines[i].toStdString();
    }
  }
  EXPECT_EQ(headings, (QStringList{"<b>Development:", "<b>Design:", "<b>Idea:", "<b>Skins:",
                                   "<b>Testers:", "<b>Technology by:",
                                   "<b>Thanks to (random order):", "<b>Compile information:"}));
  EXPECT_EQ(lines.mid(lines.size() - 4, 2), (QStringList{"We hope you enjoy zephonic", ""}));
  EXPECT_EQ(lines.last(), "All rights reserved.");
  EXPECT_EQ(lines[lines.indexOf("<b>Development:") + 1], "Zephonic team");
}

TEST(AboutWindow, CreditsStartFromTheBottomAtEveryShowing) {
  TZConfig config;
  TfrmAbout about(config, "2.20.0");
  EXPECT_FALSE(about.ScrollTimer().isActive());
  about.ShowAbout(nullptr);
  EXPECT_EQ(about.Scroller().Position, 128);
  EXPECT_TRUE(about.ScrollTimer().isActive());
  EXPECT_EQ(about.ScrollTimer().interval(), 50);
  // The timer moves the credits by itself.
  ASSERT_TRUE(QTest::qWaitFor([&] { return about.Scroller().Position < 126; }, 5000));
  for (int step = 0; step < 40; ++step) {
    about.StepCredits();
  }
  // White text in the middle, faded towards the edges, on black.
  const QImage& picture = about.imgScroller->canvas.picture;
  EXPECT_GT(BrightPixels(picture, 50, 128), 20);
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::black));

  about.hide();
  EXPECT_FALSE(about.ScrollTimer().isActive());
  const int stopped = about.Scroller().Position;
  QTest::qWait(120);
  EXPECT_EQ(about.Scroller().Position, stopped);
  about.ShowAbout(nullptr);
  EXPECT_EQ(about.Scroller().Position, 128);
  about.btnOK->click();
  EXPECT_FALSE(about.isVisible());
}

TEST(AboutWindow, CentresOverTheMainWindow) {
  TZConfig config;
  TfrmAbout about(config, "2.20.0");
  QWidget main;
  main.setGeometry(300, 200, 300, 120);
  about.ShowAbout(&main);
  EXPECT_LE((about.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 2);
}

TEST(AboutWindow, LinksOpenThePagesAndTheMail) {
  OpenedUrls opened;
  TZConfig config;
  TfrmAbout about(config, "2.20.0");
  about.show();
  for (TZLinkLabel* link : {about.lblHomepage, about.lblForum, about.lblMail}) {
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, 4));
  }
  QTest::mouseClick(about.lblMail, Qt::RightButton, {}, QPoint(4, 4));
  ASSERT_EQ(opened.urls.size(), 3);
  EXPECT_EQ(opened.urls[0], QUrl(kHomepageUrl));
  EXPECT_EQ(opened.urls[1], QUrl(kForumUrl));
  EXPECT_EQ(opened.urls[2].toString(), "mailto:team@zephonic.example?subject=Zephonic");
}

TEST(NewsWindow, StartUpRuleAndCheckBox) {
  TZConfig config;
  config.NewsWindowOnStartUp = false;
  TfrmNews news(config, "2.20.0");
  EXPECT_FALSE(news.ShowOnStartUp());
  EXPECT_FALSE(news.isVisible());
  news.ShowNews();  // the main window can still show it
  EXPECT_TRUE(news.isVisible());
  EXPECT_TRUE(news.cbDontShowWindow->isChecked());

  QTest::mouseClick(news.cbDontShowWindow, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_FALSE(news.cbDontShowWindow->isChecked());
  EXPECT_TRUE(config.NewsWindowOnStartUp);
  news.btnOK->click();
  EXPECT_FALSE(news.isVisible());
  EXPECT_TRUE(news.ShowOnStartUp());
  EXPECT_TRUE(news.isVisible());
  EXPECT_FALSE(news.cbDontShowWindow->isChecked());
  QTest::mouseClick(news.cbDontShowWindow, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_FALSE(config.NewsWindowOnStartUp);
}

TEST(NewsWindow, ListsTheHeadingAndTheParagraphs) {
  TZConfig config;
  TfrmNews news(config, "2.20.0");
  news.ShowNews();
  news.ShowNews();  // filled afresh, not added to
  ASSERT_EQ(news.lbNews->count(), 4);
  EXPECT_EQ(news.lbNews->selectionMode(), QAbstractItemView::NoSelection);
  const auto* heading = qobject_cast<QLabel*>(news.lbNews->itemWidget(news.lbNews->item(0)));
  ASSERT_NE(heading, nullptr);
  EXPECT_TRUE(heading->text().contains("<b>Zephonic 2.20.0</b>"));
  EXPECT_TRUE(heading->text().contains("color=\"#ffffff\""));
  EXPECT_TRUE(heading->styleSheet().contains("#808080"));
  for (int i = 1; i < 4; ++i) {
    const auto* paragraph = qobject_cast<QLabel*>(news.lbNews->itemWidget(news.lbNews->item(i)));
    ASSERT_NE(paragraph, nullptr);
    EXPECT_TRUE(paragraph->text().startsWith("<font size=\"2\" color=\"#000000\">"));
    EXPECT_GT(news.lbNews->item(i)->sizeHint().height(), 20);
    EXPECT_GT(paragraph->width(), news.lbNews->width() * 4 / 5);
    EXPECT_FALSE(news.lbNews->item(i)->flags() & Qt::ItemIsSelectable);
  }
  EXPECT_TRUE(NewsItems("1").at(1).contains("<ul><li>"));
}

TEST(NewsWindow, TextsFollowTheLanguage) {
  TZConfig config;
  TfrmNews news(config, "2.20.0");
  EXPECT_EQ(news.cbDontShowWindow->text(), "Dont show this window on next startup");
  EXPECT_EQ(news.btnOK->text(), "OK");
  Language().SetText(422, "Nicht mehr zeigen");
  ApplyLanguage(Language());
  EXPECT_EQ(news.cbDontShowWindow->text(), "Nicht mehr zeigen");
  LoadDefaults(Language());
  ApplyLanguage(Language());
}

TEST(AboutAndNews, Screenshots) {
  TZConfig config;
  TfrmAbout about(config, "2.20.0");
  about.ShowAbout(nullptr);
  for (int step = 0; step < 110; ++step) {
    about.StepCredits();
  }
  TfrmNews news(config, "2.20.0");
  news.ShowNews();
  QDir().mkpath(TestOutputFolder());
  const QImage aboutShot = about.grab().toImage();
  EXPECT_EQ(aboutShot.size(), about.size());
  EXPECT_TRUE(aboutShot.save(TestOutputFolder() + "/about.png"));
  EXPECT_TRUE(news.grab().toImage().save(TestOutputFolder() + "/news.png"));
}

}  // namespace

#include "about_test.moc"
