#pragma once
// Helpers shared by the tests: scratch folders, running Debian tools that make media, and
// capturing what the error catalogue reports.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

// A scratch folder removed when the test ends.
class ScratchFolder {
 public:
  ScratchFolder();
  QString path() const { return dir_.path() + '/'; }
  QString file(const QString& name) const { return path() + name; }

 private:
  QTemporaryDir dir_;
};

// Writes that fail for every user, root included, whom permission bits never stop.
// A path below a regular file: nothing can be created there (ENOTDIR).
QString PathBelowAFile(const ScratchFolder& scratch, const QString& name);

// While alive, no file of this process can grow beyond `bytes` (RLIMIT_FSIZE): a write past it
// fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(qint64 bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  qint64 previousSoft_ = 0;
  void (*previousHandler_)(int) = nullptr;
};

// The names in a folder, hidden ones included, sorted: leftovers of a failed write show here.
QStringList FolderEntries(const QString& folder);

// Runs a program to completion; returns its exit code (-1 when it could not start).
// Standard output and error are returned through *output when given.
int RunProgram(const QString& program, const QStringList& args, QString* output = nullptr);

// True when a program is on PATH.
bool HaveProgram(const QString& program);

// Writes bytes to a file, creating folders on the way; fails the test on error.
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// Polls in wall-clock time for work done on another thread (a download, a server); false when
// `limitMs` passed first. Virtual test clocks do not move while it waits.
bool WaitFor(const std::function<bool()>& done, int limitMs);
// The same for work that reaches this thread through Qt's events (queued signals, timers):
// they are processed while it waits.
bool WaitWithEvents(const std::function<bool()>& done, int limitMs);

// The build folder, for outputs a person should look at (renders, reports).
QString TestOutputFolder();

// Collects every report of the error catalogue while alive.
class ReportCapture {
 public:
  struct Report {
    QString text;
    bool fatal;
  };
  ReportCapture();
  ~ReportCapture();
  const std::vector<Report>& reports() const { return reports_; }

 private:
  std::vector<Report> reports_;
};
