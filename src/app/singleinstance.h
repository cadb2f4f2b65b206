#pragma once
// One running program per user and program folder: the first start holds a lock file and listens
// on a local socket; a second start hands its arguments over and waits until the first has
// carried them out. The arguments travel one by one, so that several paths stay apart.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Hand-overs longer than this are refused by the first instance: the system's own bound of a
// command line, enough for every file a file manager can pass.
inline constexpr qsizetype kMaxHandOverBytes = 2 * 1024 * 1024;

// Lock and socket name of the program in `programFolder` for the current user.
QString InstanceName(const QString& programFolder);
// The lock file of that name, in the user's runtime folder.
QString InstanceLockFile(const QString& name);

class TZSingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit TZSingleInstance(const QString& name);
  ~TZSingleInstance() override;

  // True when this is the first start (the lock is now held). A lock left behind by a program
  // that no longer runs is taken over.
  bool TryLock();
  // Takes the arguments of later starts; each start's are handed to `handler` on the GUI thread
  // and the sender is answered once it returned.
  bool Listen(std::function<void(const QStringList&)> handler);

 private:
  void Accept();

  QString name_;
  QLockFile lock_;
  QLocalServer server_;
  std::function<void(const QStringList&)> handler_;
};

enum TZHandOverResult {
  hoDelivered,    // the first instance carried the arguments out
  hoNoRecipient,  // nobody answered
  hoRefused,      // the first instance refused them (too long)
};

// Sends the arguments to the first instance. Connecting is retried for connectMs (the first may
// be starting); then the answer is awaited for up to replyMs.
TZHandOverResult SendToRunningInstance(const QString& name, const QStringList& arguments,
                                       int connectMs = 5000, int replyMs = 120000);
