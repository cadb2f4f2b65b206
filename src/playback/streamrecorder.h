#pragma once
// Recording an internet stream: the raw bytes the library downloads go into files named after
// the running title. The download thread and the user-interface thread share this state; every
// access takes the one lock, and files are written, closed and replaced only under it.

#include <QFile>
#include <QString>
#include <memory>
#include <mutex>

#include "components/sound/zsound.h"

class TZStreamRecorder {
 public:
  TZStreamRecorder() = default;
  TZStreamRecorder(const TZStreamRecorder&) = delete;
  TZStreamRecorder& operator=(const TZStreamRecorder&) = delete;

  // The callback handed to the library for a stream; it must not outlive the recorder.
  ZSoundDownloadCallback Callback();

  // A stream begins to connect: the output settings it records with ("LSASConvertTo",
  // the output folder). Blocks that arrive before StreamStarted are held back.
  void BeginStream(int convertTo, const QString& outputFolder);
  // The stream plays: the held-back blocks start the first file when recording is on.
  void StreamStarted(const QString& baseName);
  void SetPlaying(bool playing);

  // The "Record" and "Stop" menu commands.
  void SetRecording(bool on);
  bool Recording() const;
  // The running title changed: the current file ends and the next block starts a new one.
  void TitleChanged(const QString& baseName);
  QString BaseName() const;
  void CloseFile();

  // One block of downloaded data, or (nullptr, 0) at the end of the download.
  void OnBlock(const uint8_t* data, size_t size);

 private:
  void OpenFileLocked();
  void WriteLocked(const char* data, qsizetype size);

  mutable std::mutex mutex_;
  bool recordingOn_ = false;
  bool titleChangePending_ = false;
  bool playing_ = false;
  bool holdBack_ = false;
  int convertTo_ = 0;
  QString outputFolder_;
  QString baseName_;
  QByteArray heldBack_;
  std::unique_ptr<QFile> file_;
};

// The folder recordings go to: "LSASOutputPath" when it names an existing folder, else the
// program's "data/output/". Ends with "/".
QString RecordOutputFolder(const QString& outputPath);
