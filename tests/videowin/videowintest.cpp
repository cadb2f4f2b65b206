#include "videowintest.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <thread>

#include "lang/language.h"
#include "ui/mainvideomenu.h"
#include "ui/video/videopicture.h"

void VideoWindowTest::SetUp() {
  MainWindowTest::SetUp();
  controls_ = std::make_unique<TZFullscreenControls>(fullscreen_, *window_, config_, skin_, clock_);
  video_window_ =
      std::make_unique<TZVideoWindow>(video_, *controls_, *window_, config_, skin_, clock_);
  video_window_->SetEngine(&engine_);
  video_window_->SetCommands(&commands_);
  video_window_->SetMainVideoMenu(&window_->VideoMenu());
  engine_.view = video_window_.get();
  window_->Player().SetVideoEngine(&engine_);
}

void VideoWindowTest::TearDown() {
  window_->Player().SetVideoEngine(nullptr);
  video_window_.reset();
  controls_.reset();
  MainWindowTest::TearDown();
}

void VideoWindowTest::PlayVideo() {
  playlist_.Add(QStringLiteral("clip"), scratch_.file("clip.avi"), false, "00", "00:01:00");
  window_->Player().PlayEntry(playlist_.Count() - 1);
  ASSERT_TRUE(window_->Player().Playing());
  ASSERT_EQ(window_->Player().State().Kind, mkVideo);
}

QAction* VideoWindowTest::ItemCaption(QMenu& menu, const QString& caption) {
  for (QAction* action : menu.actions()) {
    if (action->text() == caption) {
      return action;
    }
    if (QMenu* sub = action->menu()) {
      if (QAction* found = ItemCaption(*sub, caption)) {
        return found;
      }
    }
  }
  return nullptr;
}

QAction* VideoWindowTest::Item(int text) {
  return ItemCaption(video_window_->PopupMenu(), Language().Text(text));
}

void VideoWindowTest::Present(const QImage& frame) {
  std::thread streaming([&] { video_window_->Picture().PresentFrame(frame); });
  streaming.join();
  QApplication::processEvents();
}

void VideoWindowTest::ControlMouse(QEvent::Type type, QPoint at, Qt::MouseButton button,
                                   Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(fullscreen_.mapToGlobal(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&fullscreen_, &event);
}

void VideoWindowTest::EnterControl(const TZSkinControl& control) {
  ControlMouse(QEvent::MouseMove, control.geometry().center(), Qt::NoButton, Qt::NoButton);
}

void VideoWindowTest::LeaveControls() {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&fullscreen_, &leave);
}

void VideoWindowTest::WigglePicture() {
  TZVideoPicture& picture = video_window_->Picture();
  const QPointF at(picture.width() / 2.0, picture.height() / 2.0);
  QMouseEvent move(QEvent::MouseMove, at, picture.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&picture, &move);
}
