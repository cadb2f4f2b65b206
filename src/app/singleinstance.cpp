#include "app/singleinstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "base/zdebug.h"

namespace {

// The answers of the first instance.
constexpr char kDone = 'K';
constexpr char kRefused = 'R';
constexpr int kHeaderBytes = 4;

QString LockFolder() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

quint32 ReadLength(const QByteArray& header) {
  quint32 length = 0;
  QDataStream(header) >> length;
  return length;
}

QByteArray Header(quint32 length) {
  QByteArray header;
  QDataStream(&header, QIODevice::WriteOnly) << length;
  return header;
}

// Arguments never hold a zero byte, so it keeps them apart.
QByteArray Encode(const QStringList& arguments) {
  return arguments.join(QChar(0)).toUtf8();
}

QStringList Decode(const QByteArray& bytes) {
  return bytes.isEmpty() ? QStringList() : QString::fromUtf8(bytes).split(QChar(0));
}

void Answer(QLocalSocket* socket, char answer) {
  socket->write(&answer, 1);
  socket->flush();
  socket->waitForBytesWritten(1000);
  socket->disconnectFromServer();
}

}  // namespace

QString InstanceName(const QString& programFolder) {
  const QByteArray folder =
      QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
  return QStringLiteral("zephonic-%1-%2").arg(getuid()).arg(QString::fromLatin1(folder));
}

QString InstanceLockFile(const QString& name) {
  return LockFolder() + u'/' + name + QStringLiteral(".lock");
}

TZSingleInstance::TZSingleInstance(const QString& name)
    : name_(name), lock_(InstanceLockFile(name)) {
  // Only a dead owner makes the lock stale, never its age: a program may run for weeks.
  lock_.setStaleLockTime(0);
}

TZSingleInstance::~TZSingleInstance() {
  server_.close();
}

bool TZSingleInstance::TryLock() {
  return lock_.tryLock(0);
}

bool TZSingleInstance::Listen(std::function<void(const QStringList&)> handler) {
  handler_ = std::move(handler);
  // We hold the lock, so a socket file left behind is ours.
  QLocalServer::removeServer(name_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &TZSingleInstance::Accept);
  return server_.listen(name_);
}

void TZSingleInstance::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->bytesAvailable() < kHeaderBytes) {
        return;
      }
      const quint32 length = ReadLength(socket->peek(kHeaderBytes));
      if (length > kMaxHandOverBytes) {
        ZLog(QStringLiteral("Hand-over of %1 bytes refused.").arg(length));
        Answer(socket, kRefused);
        return;
      }
      if (socket->bytesAvailable() < kHeaderBytes + qint64(length)) {
        return;
      }
      socket->read(kHeaderBytes);
      const QStringList arguments = Decode(socket->read(length));
      if (handler_) {
        handler_(arguments);
      }
      Answer(socket, kDone);
    });
  }
}

TZHandOverResult SendToRunningInstance(const QString& name, const QStringList& arguments,
                                       int connectMs, int replyMs) {
  QLocalSocket socket;
  QElapsedTimer clock;
  clock.start();
  socket.connectToServer(name);
  while (!socket.waitForConnected(200)) {
    if (clock.elapsed() >= connectMs) {
      return hoNoRecipient;
    }
    QThread::msleep(100);
    socket.connectToServer(name);
  }
  const QByteArray bytes = Encode(arguments);
  socket.write(Header(quint32(bytes.size())) + bytes);
  socket.flush();
  QElapsedTimer replyClock;
  replyClock.start();
  while (socket.bytesAvailable() < 1) {
    const int left = replyMs - int(replyClock.elapsed());
    if (left <= 0 || !socket.waitForReadyRead(left)) {
      return hoNoRecipient;
    }
  }
  char answer = 0;
  socket.read(&answer, 1);
  return answer == kDone ? hoDelivered : hoRefused;
}
