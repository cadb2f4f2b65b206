#include "playback/streamrecorder.h"

#include <QFileInfo>

#include "base/programpath.h"

namespace {

// Blocks held back while a stream connects; a stream that sends more before it plays loses the
// oldest part rather than growing without bound.
constexpr qsizetype kMaxHeldBack = 4 * 1024 * 1024;

}  // namespace

QString RecordOutputFolder(const QString& outputPath) {
  if (!outputPath.isEmpty() && QFileInfo(outputPath).isDir()) {
    return outputPath.endsWith(u'/') ? outputPath : outputPath + u'/';
  }
  return DataPath() + QStringLiteral("output/");
}

ZSoundDownloadCallback TZStreamRecorder::Callback() {
  return [this](const uint8_t* data, size_t size) { OnBlock(data, size); };
}

void TZStreamRecorder::BeginStream(int convertTo, const QString& outputFolder) {
  std::lock_guard lock(mutex_);
  file_.reset();
  convertTo_ = convertTo;
  outputFolder_ = outputFolder;
  titleChangePending_ = false;
  holdBack_ = true;
  heldBack_.clear();
}

void TZStreamRecorder::StreamStarted(const QString& baseName) {
  std::lock_guard lock(mutex_);
  file_.reset();
  baseName_ = baseName;
  holdBack_ = false;
  if (!recordingOn_ || convertTo_ != 1 || baseName_.isEmpty() || !playing_) {
    heldBack_.clear();
  } else if (!heldBack_.isEmpty()) {
    OpenFileLocked();  // what came while connecting starts the station's file
  }
}

void TZStreamRecorder::SetPlaying(bool playing) {
  std::lock_guard lock(mutex_);
  playing_ = playing;
}

void TZStreamRecorder::SetRecording(bool on) {
  std::lock_guard lock(mutex_);
  recordingOn_ = on;
  if (!on) {
    file_.reset();
    heldBack_.clear();
  }
}

bool TZStreamRecorder::Recording() const {
  std::lock_guard lock(mutex_);
  return recordingOn_;
}

void TZStreamRecorder::TitleChanged(const QString& baseName) {
  std::lock_guard lock(mutex_);
  titleChangePending_ = true;
  baseName_ = baseName;
}

QString TZStreamRecorder::BaseName() const {
  std::lock_guard lock(mutex_);
  return baseName_;
}

void TZStreamRecorder::CloseFile() {
  std::lock_guard lock(mutex_);
  file_.reset();
}

void TZStreamRecorder::OnBlock(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const auto length = static_cast<qsizetype>(size);
  std::lock_guard lock(mutex_);
  if (holdBack_) {
    heldBack_.append(bytes, length);
    if (heldBack_.size() > kMaxHeldBack) {
      heldBack_.remove(0, heldBack_.size() - kMaxHeldBack);
    }
    return;
  }
  if (convertTo_ != 1 || baseName_.isEmpty() || !playing_) {
    return;
  }
  if (titleChangePending_) {
    // The old title's file ends here; this block already belongs to the new title.
    file_.reset();
    titleChangePending_ = false;
  }
  if (!recordingOn_) {
    return;
  }
  if (!data) {
    file_.reset();
    return;
  }
  if (!file_) {
    OpenFileLocked();
  }
  WriteLocked(bytes, length);
}

void TZStreamRecorder::OpenFileLocked() {
  const QString path = outputFolder_ + baseName_ + QStringLiteral(".mp3");
  QFile::remove(path);
  auto file = std::make_unique<QFile>(path);
  if (!file->open(QIODevice::WriteOnly)) {
    return;  // recording simply produces no data
  }
  file_ = std::move(file);
  WriteLocked(heldBack_.constData(), heldBack_.size());
  heldBack_.clear();
}

void TZStreamRecorder::WriteLocked(const char* data, qsizetype size) {
  if (file_ && size > 0) {
    file_->write(data, size);
  }
}
