// The tray icon's three places and the window magnets.
#include <QMenu>
#include <QWidget>

#include "components/ui/formmagnet.h"
#include "components/ui/trayicon.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

struct TrayWindows {
  TrayWindows() {
    for (QWidget* window : {&main, &other}) {
      window->resize(100, 50);
      window->show();
    }
  }
  QWidget main;
  QWidget other;
  QMenu menu;
};

}  // namespace

TEST(TrayIcon, ShowZephonicInChoosesTrayAndTaskbar) {
  TrayWindows w;
  TZTrayIcon tray(w.main, {&w.other}, &w.menu, [] { return true; });
  tray.Apply(siTaskbar);
  EXPECT_FALSE(tray.TrayShown());
  EXPECT_TRUE(tray.TaskbarEntryShown());
  tray.Apply(siTray);
  EXPECT_TRUE(tray.TrayShown());
  EXPECT_FALSE(tray.TaskbarEntryShown());
  EXPECT_TRUE(w.main.isVisible()) << "hiding the taskbar entry keeps the window";
  tray.Apply(siBoth);
  EXPECT_TRUE(tray.TrayShown());
  EXPECT_TRUE(tray.TaskbarEntryShown());
  EXPECT_EQ(tray.Icon().contextMenu(), &w.menu);
  tray.SetHint("[ song is playing ]");
  EXPECT_EQ(tray.Icon().toolTip(), "Zephonic [ song is playing ]");
}

TEST(TrayIcon, TrayOnlyMinimisesIntoTheTrayAndAClickBringsTheWindowsBack) {
  TrayWindows w;
  TZTrayIcon tray(w.main, {&w.other}, &w.menu, [] { return true; });
  tray.Apply(siTray);
  w.main.showMinimized();
  tray.Apply(siTray);
  EXPECT_FALSE(w.main.isVisible());
  EXPECT_FALSE(w.other.isVisible());
  emit tray.Icon().activated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(w.main.isVisible());
  EXPECT_FALSE(w.main.isMinimized());
  EXPECT_TRUE(w.other.isVisible());
}

TEST(TrayIcon, MinimisingTakesTheShownWindowsAndRestoringBringsBackExactlyThose) {
  TrayWindows w;
  QWidget closed;
  TZTrayIcon tray(w.main, {&w.other, &closed}, &w.menu, [] { return true; });
  tray.Apply(siTaskbar);
  w.main.showMinimized();
  EXPECT_FALSE(w.other.isVisible());
  w.main.showNormal();
  EXPECT_TRUE(w.other.isVisible());
  EXPECT_FALSE(closed.isVisible()) << "a window closed before minimising stays closed";
}

TEST(TrayIcon, WithoutATrayTheTaskbarEntryStays) {
  TrayWindows w;
  TZTrayIcon tray(w.main, {&w.other}, &w.menu, [] { return false; });
  tray.Apply(siTray);
  EXPECT_FALSE(tray.TrayShown());
  EXPECT_TRUE(tray.TaskbarEntryShown());
  w.main.showMinimized();
  tray.Apply(siTray);
  EXPECT_TRUE(w.main.isVisible()) << "a minimised window stays reachable from the taskbar";
}

TEST(FormMagnet, SnapsToScreenEdgesAndPartnersWithinFifteenPixels) {
  const std::vector<QRect> screens = {QRect(0, 0, 1000, 800)};
  // 15 px from the left edge snaps, 16 px does not.
  EXPECT_EQ(SnapPosition(QRect(15, 300, 100, 50), screens, {}), QPoint(0, 300));
  EXPECT_EQ(SnapPosition(QRect(16, 300, 100, 50), screens, {}), QPoint(16, 300));
  // The right and bottom edges.
  EXPECT_EQ(SnapPosition(QRect(890, 740, 100, 50), screens, {}), QPoint(900, 750));
  // Outside against a partner's right edge, and aligned with its top.
  const QRect partner(300, 300, 200, 100);
  EXPECT_EQ(SnapPosition(QRect(510, 305, 100, 50), screens, {partner}), QPoint(500, 300));
  // Below a partner, aligned with its left edge.
  EXPECT_EQ(SnapPosition(QRect(290, 412, 100, 50), screens, {partner}), QPoint(300, 400));
  // A partner far away along the other axis does not attract.
  EXPECT_EQ(SnapPosition(QRect(510, 600, 100, 50), screens, {partner}), QPoint(510, 600));
}

TEST(FormMagnet, DockedMeansTouchingAlongAnEdge) {
  const QRect main(100, 100, 200, 100);
  EXPECT_TRUE(Docked(main, QRect(100, 200, 200, 50)));   // below
  EXPECT_TRUE(Docked(main, QRect(300, 120, 50, 50)));    // right
  EXPECT_TRUE(Docked(main, QRect(40, 100, 60, 10)));     // left
  EXPECT_FALSE(Docked(main, QRect(100, 201, 200, 50)));  // one pixel gap
  EXPECT_FALSE(Docked(main, QRect(301, 250, 50, 50)));   // corner only, no overlap
}

TEST(FormMagnet, GlueMovesDockedWindowsAndReportsEveryMove) {
  // Borderless, like the skinned windows.
  QWidget main(nullptr, Qt::FramelessWindowHint);
  QWidget docked(nullptr, Qt::FramelessWindowHint);
  QWidget apart(nullptr, Qt::FramelessWindowHint);
  main.setGeometry(200, 200, 200, 100);
  docked.setGeometry(200, 300, 200, 80);
  apart.setGeometry(600, 600, 50, 50);
  for (QWidget* window : {&main, &docked, &apart}) {
    window->show();
  }
  int moves = 0;
  auto* magnet = new TZFormMagnet(main, true, [&moves] { ++moves; });
  magnet->SetPartners({&docked, &apart});
  main.move(250, 220);
  EXPECT_EQ(main.pos(), QPoint(250, 220));
  EXPECT_EQ(docked.pos(), QPoint(250, 320));
  EXPECT_EQ(apart.pos(), QPoint(600, 600));
  EXPECT_GE(moves, 1);
}
