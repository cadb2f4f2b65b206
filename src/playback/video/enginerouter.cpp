#include "playback/video/enginerouter.h"

#include <QStringLiteral>

TZVideoEngineRouter::TZVideoEngineRouter(Target files, Target dvd) : files_(files), dvd_(dvd) {}

std::optional<TZOpenError> TZVideoEngineRouter::Open(TMediaKind kind,
                                                     const TZPlaylistEntry& entry) {
  const Target& target = For(kind);
  current_ = target;
  if (!target.Engine) {
    return TZOpenError{1002, QStringLiteral("TZVideo"), QString()};
  }
  return target.Engine->Open(kind, entry);
}

void TZVideoEngineRouter::Free(TMediaKind kind, bool hideVideo) {
  if (TZVideoEngine* engine = For(kind).Engine) {
    engine->Free(kind, hideVideo);
  }
  if (For(kind).Engine == current_.Engine) {
    current_ = Target();
  }
}

// Calls that act on what plays go to the engine of the current item; none plays: they do
// nothing.
#define ZROUTE(call, fallback) return current_.Engine ? current_.Engine->call : fallback
#define ZCOMMAND(call, fallback) return current_.Commands ? current_.Commands->call : fallback

void TZVideoEngineRouter::Pause() {
  if (current_.Engine) {
    current_.Engine->Pause();
  }
}

void TZVideoEngineRouter::Run() {
  if (current_.Engine) {
    current_.Engine->Run();
  }
}

bool TZVideoEngineRouter::Active() const {
  ZROUTE(Active(), false);
}

bool TZVideoEngineRouter::Ended() const {
  ZROUTE(Ended(), false);
}

qint64 TZVideoEngineRouter::Position() const {
  ZROUTE(Position(), 0);
}

qint64 TZVideoEngineRouter::Duration() const {
  ZROUTE(Duration(), 0);
}

void TZVideoEngineRouter::SetVolume(int hundredthsDb) {
  if (current_.Engine) {
    current_.Engine->SetVolume(hundredthsDb);
  }
}

void TZVideoEngineRouter::SetBalance(int hundredthsDb) {
  if (current_.Engine) {
    current_.Engine->SetBalance(hundredthsDb);
  }
}

bool TZVideoEngineRouter::SetRate(double rate) {
  ZROUTE(SetRate(rate), false);
}

bool TZVideoEngineRouter::SeekFraction(qint64 p, qint64 m) {
  ZROUTE(SeekFraction(p, m), false);
}

bool TZVideoEngineRouter::SeekDvdTime(qint64 milliseconds) {
  ZROUTE(SeekDvdTime(milliseconds), false);
}

// The equalizer is set while nothing plays too, so both engines keep it.
void TZVideoEngineRouter::SetEqualizerBand(int band, int value) {
  for (TZVideoEngine* engine : {files_.Engine, dvd_.Engine}) {
    if (engine) {
      engine->SetEqualizerBand(band, value);
    }
  }
}

bool TZVideoEngineRouter::SpectrumData(std::array<int, 512>* data) const {
  ZROUTE(SpectrumData(data), false);
}

void TZVideoEngineRouter::ClearSpectrumData() {
  if (current_.Engine) {
    current_.Engine->ClearSpectrumData();
  }
}

bool TZVideoEngineRouter::SelectAudioTrack(int index) {
  ZCOMMAND(SelectAudioTrack(index), false);
}

bool TZVideoEngineRouter::SelectSubtitleTrack(int index) {
  ZCOMMAND(SelectSubtitleTrack(index), false);
}

// Colour settings hold for every later item, whichever engine plays it.
void TZVideoEngineRouter::SetColourControls(const TZColourControls& controls) {
  for (TZVideoCommands* commands : {files_.Commands, dvd_.Commands}) {
    if (commands) {
      commands->SetColourControls(controls);
    }
  }
}

std::optional<QString> TZVideoEngineRouter::TakeScreenshot(bool adjusted, QSize pictureSize) {
  ZCOMMAND(TakeScreenshot(adjusted, pictureSize), std::nullopt);
}

bool TZVideoEngineRouter::DvdPlayForwards(double speed) {
  ZCOMMAND(DvdPlayForwards(speed), false);
}

bool TZVideoEngineRouter::DvdPlayBackwards(double speed) {
  ZCOMMAND(DvdPlayBackwards(speed), false);
}

bool TZVideoEngineRouter::DvdShowMenu(TZDvdMenu menu) {
  ZCOMMAND(DvdShowMenu(menu), false);
}

bool TZVideoEngineRouter::DvdSetSubpictureShown(bool shown) {
  ZCOMMAND(DvdSetSubpictureShown(shown), false);
}

bool TZVideoEngineRouter::DvdSelectAudioStream(int stream) {
  ZCOMMAND(DvdSelectAudioStream(stream), false);
}

bool TZVideoEngineRouter::DvdSelectSubpictureStream(int stream) {
  ZCOMMAND(DvdSelectSubpictureStream(stream), false);
}

bool TZVideoEngineRouter::DvdPlayChapter(int title, int chapter) {
  ZCOMMAND(DvdPlayChapter(title, chapter), false);
}

bool TZVideoEngineRouter::DvdPreviousChapter() {
  ZCOMMAND(DvdPreviousChapter(), false);
}

bool TZVideoEngineRouter::DvdNextChapter() {
  ZCOMMAND(DvdNextChapter(), false);
}

void TZVideoEngineRouter::DvdPointerMoved(QPointF videoPoint) {
  if (current_.Commands) {
    current_.Commands->DvdPointerMoved(videoPoint);
  }
}

void TZVideoEngineRouter::DvdPointerReleased(QPointF videoPoint) {
  if (current_.Commands) {
    current_.Commands->DvdPointerReleased(videoPoint);
  }
}
