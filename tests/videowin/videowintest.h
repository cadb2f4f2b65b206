#pragma once
// The video window and the fullscreen control strip on the real main window, in the built-in
// skin, with a stand-in video engine that "plays" any video file and a recorder of the commands.

#include <QEvent>
#include <QPoint>
#include <memory>
#include <vector>

#include "mainwindowtest.h"
#include "playback/video/videocommands.h"
#include "playback/videoengine.h"
#include "ui/video/fullscreencontrols.h"
#include "ui/video/videowindow.h"

// Opens every item at once, shows a picture of `native` size through the view and stays active
// until freed.
class StandInEngine : public TZVideoEngine {
 public:
  std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry&) override {
    active = true;
    ++opens;
    if (view) {
      view->ShowPicture(kind == mkDvd, native);
    }
    return std::nullopt;
  }
  void Free(TMediaKind, bool hideVideo) override {
    active = false;
    ++frees;
    if (view && hideVideo) {
      view->HidePicture();
    }
  }
  void Pause() override {}
  void Run() override {}
  bool Active() const override { return active; }
  qint64 Position() const override { return 0; }
  qint64 Duration() const override { return 600000000; }  // 60 s
  void SetVolume(int) override {}
  void SetBalance(int) override {}
  bool SetRate(double) override { return true; }
  bool SeekFraction(qint64 p, qint64 m) override {
    seeks.push_back(m > 0 ? double(p) / double(m) : 0.0);
    return true;
  }
  bool SeekDvdTime(qint64) override { return true; }
  void SetEqualizerBand(int, int) override {}
  bool SpectrumData(std::array<int, 512>*) const override { return false; }
  void ClearSpectrumData() override {}

  TZVideoView* view = nullptr;
  QSize native{320, 240};
  bool active = false;
  int opens = 0;
  int frees = 0;
  std::vector<double> seeks;
};

// Records what the window asked for; every command succeeds unless `refuse` is set.
class RecordingCommands : public TZVideoCommands {
 public:
  bool SelectAudioTrack(int index) override { return Note("audio", index); }
  bool SelectSubtitleTrack(int index) override { return Note("subtitle", index); }
  void SetColourControls(const TZColourControls& controls) override { colours = controls; }
  std::optional<QString> TakeScreenshot(bool adjusted, QSize pictureSize) override {
    Note(adjusted ? "screenshot adjusted" : "screenshot original", pictureSize.width());
    if (refuse) {
      return std::nullopt;
    }
    return QStringLiteral("data/images/clip.avi.%1.png").arg(++shots, 3, 10, QLatin1Char('0'));
  }
  bool DvdPlayForwards(double speed) override { return Note("forwards", int(speed * 1000)); }
  bool DvdPlayBackwards(double speed) override { return Note("backwards", int(speed * 1000)); }
  bool DvdShowMenu(TZDvdMenu menu) override { return Note("menu", int(menu)); }
  bool DvdSetSubpictureShown(bool shown) override { return Note("subpicture shown", shown); }
  bool DvdSelectAudioStream(int stream) override { return Note("dvd audio", stream); }
  bool DvdSelectSubpictureStream(int stream) override { return Note("dvd subpicture", stream); }
  bool DvdPlayChapter(int title, int chapter) override {
    return Note("chapter", title * 100 + chapter);
  }
  bool DvdPreviousChapter() override { return Note("previous chapter", 0); }
  bool DvdNextChapter() override { return Note("next chapter", 0); }
  void DvdPointerMoved(QPointF point) override { moved.push_back(point); }
  void DvdPointerReleased(QPointF point) override { released.push_back(point); }

  bool Note(const char* what, int value) {
    calls << QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(value);
    return !refuse;
  }

  QStringList calls;
  TZColourControls colours;
  std::vector<QPointF> moved;
  std::vector<QPointF> released;
  bool refuse = false;
  int shots = 0;
};

class VideoWindowTest : public MainWindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A video entry played through the stand-in engine: the window shows it.
  void PlayVideo();
  // The popup menu's item with this language text, searched through the submenus.
  QAction* Item(int text);
  QAction* ItemCaption(QMenu& menu, const QString& caption);
  // Hands a frame over from another thread and lets the GUI thread take it.
  void Present(const QImage& frame);
  // Mouse on the fullscreen control strip, in its coordinates.
  void ControlMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held);
  void EnterControl(const TZSkinControl& control);
  void LeaveControls();
  // Mouse movement over the picture.
  void WigglePicture();

  StandInEngine engine_;
  RecordingCommands commands_;
  std::unique_ptr<TZFullscreenControls> controls_;
  std::unique_ptr<TZVideoWindow> video_window_;
};
