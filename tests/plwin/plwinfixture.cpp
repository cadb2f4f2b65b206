#include "plwinfixture.h"

#include <QApplication>
#include <QWheelEvent>

PlaylistWindowTest::PlaylistWindowTest() {
  EXPECT_TRUE(skinned.LoadBuiltIn());
  config.PLDrawFileTypeIcons = true;
  window =
      std::make_unique<TZPlaylistWindow>(form(), playlist, player, skinned.skin, config, language);
  form().show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&form()));
}

void PlaylistWindowTest::Fill(int count, const QString& time) {
  playlist.Reserve(count);
  for (int i = 0; i < count; ++i) {
    playlist.Add(QStringLiteral("Entry %1").arg(i + 1), QStringLiteral("/music/%1.mp3").arg(i),
                 false, QStringLiteral("00"), time);
  }
  window->Redraw();
}

QPoint PlaylistWindowTest::RowPoint(int row) const {
  const QRect list = skinned.windows.Playlist->listRect();
  return QPoint(list.left() + 20, list.top() + row * window->RowHeight() + window->RowHeight() / 2);
}

void PlaylistWindowTest::Press(int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QTest::mouseClick(&form(), button, modifiers, RowPoint(row));
}

void PlaylistWindowTest::Key(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(&form(), Qt::Key(key), modifiers);
}

void PlaylistWindowTest::WheelNotches(int notches) {
  const QPointF at = RowPoint(1);
  QWheelEvent event(at, form().mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&form(), &event);
}

std::vector<int> PlaylistWindowTest::Selected() const {
  std::vector<int> selected;
  for (int i = 0; i < playlist.Count(); ++i) {
    if (playlist.Get(i)->Selected) {
      selected.push_back(i);
    }
  }
  return selected;
}
