#include "mainwindowtest.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>

#include "base/programpath.h"
#include "base/text/textfile.h"
#include "base/zdebug.h"
#include "components/sound/zsound.h"

namespace {

constexpr int kRate = 44100;
constexpr int kStepMs = 10;

}  // namespace

void MainWindowTest::SetUp() {
  previousHome_ = ProgramPath();
  SetProgramPath(scratch_.path());
  QDir().mkpath(scratch_.file("data/skins"));
  SetZDebug(std::make_unique<TZDebug>(scratch_.file("zephonic.log")));
  ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, kRate, 0));
  InitSkinDefaults(skin_);
  ASSERT_EQ(LoadSkin(skin_, QString::fromLatin1(kBuiltInSkinName), true), slrLoaded);
  windows_ = {&main_, &playlistWindow_, &mediaControls_, &video_, &fullscreen_, &spectrum_};
  ApplySurfaces(skin_, windows_);
  config_.Fader = {false, 1000};
  config_.VolumeFader = {false, 500};
  config_.OFAReadID3Tag = false;
  config_.OFPReadID3Tag = false;
  config_.SwapMemoryMngt = false;
  config_.NewsWindowOnStartUp = false;
  config_.PlayModeIndex = pmNextUntilEnd;
  window_ = std::make_unique<TZMainWindow>(windows_, playlist_, config_, skin_, clock_);
  window_->ProgramStart();
  window_->SetRunning(true);
}

void MainWindowTest::TearDown() {
  window_.reset();
  ZSoundFree();
  SetZDebug(nullptr);
  SetProgramPath(previousHome_);
}

namespace {

void Send(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(at), QPointF(window.mapToGlobal(at)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(&window, &event);
}

}  // namespace

void MainWindowTest::Press(QPoint at, Qt::MouseButton button) {
  Send(main_, QEvent::MouseButtonPress, at, button, button);
}

void MainWindowTest::Move(QPoint to, Qt::MouseButtons held) {
  Send(main_, QEvent::MouseMove, to, Qt::NoButton, held);
}

void MainWindowTest::Release(QPoint at, Qt::MouseButton button) {
  Send(main_, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void MainWindowTest::Click(QPoint at, Qt::MouseButton button) {
  Press(at, button);
  Release(at, button);
}

QPoint MainWindowTest::Centre(const TZSkinControl& control) {
  return control.geometry().center();
}

void MainWindowTest::Run(int ms) {
  std::vector<float> block;
  for (int done = 0; done < ms; done += kStepMs) {
    ASSERT_TRUE(ZSoundRenderMemory(kRate * kStepMs / 1000, &block));
    clock_.Advance(kStepMs);
  }
}

QString MainWindowTest::Tone(const QString& name, int frequency, double seconds) {
  const QString path = scratch_.file(name);
  QDir().mkpath(QFileInfo(path).path());
  EXPECT_EQ(RunProgram("sox", {"-n", "-r", QString::number(kRate), "-c", "2", "-b", "16", path,
                               "synth", QString::number(seconds), "sine",
                               QString::number(frequency), "vol", "0.5"}),
            0);
  return path;
}

void MainWindowTest::AddTones(int count, double seconds) {
  for (int i = 0; i < count; ++i) {
    const QString name = QStringLiteral("tone%1").arg(i);
    playlist_.Add(name, Tone(name + QStringLiteral(".wav"), 300 + 100 * i, seconds), false, "00",
                  "00:00:00");
  }
}

QStringList MainWindowTest::LogLines() const {
  QStringList lines;
  ReadTextLines(scratch_.file("zephonic.log"), &lines);
  return lines;
}
