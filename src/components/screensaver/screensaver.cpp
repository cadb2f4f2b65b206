#include "components/screensaver/screensaver.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "base/zdebug.h"

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kApplication = QStringLiteral("Zephonic");
// The GUI thread waits for the answer; a service that hangs must not freeze the picture.
constexpr int kCallTimeoutMs = 1000;

QDBusMessage Call(const QString& method, const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
  message.setArguments(arguments);
  return QDBusConnection::sessionBus().call(message, QDBus::Block, kCallTimeoutMs);
}

}  // namespace

TZScreenSaverInhibitor::TZScreenSaverInhibitor(QString reason) : reason_(std::move(reason)) {}

TZScreenSaverInhibitor::~TZScreenSaverInhibitor() {
  Release();
}

void TZScreenSaverInhibitor::SetHeld(bool held) {
  if (held) {
    Hold();
  } else {
    Release();
  }
}

void TZScreenSaverInhibitor::Hold() {
  if (cookie_) {
    return;
  }
  if (!QDBusConnection::sessionBus().isConnected()) {
    LogUnavailable(QStringLiteral("there is no session bus"));
    return;
  }
  const QDBusMessage reply = Call(QStringLiteral("Inhibit"), {kApplication, reason_});
  const QVariantList answer = reply.arguments();
  if (reply.type() != QDBusMessage::ReplyMessage || answer.size() != 1 ||
      !answer.front().canConvert<uint>()) {
    LogUnavailable(reply.type() == QDBusMessage::ErrorMessage
                       ? reply.errorMessage()
                       : QStringLiteral("no cookie came back"));
    return;
  }
  cookie_ = answer.front().toUInt();
}

void TZScreenSaverInhibitor::Release() {
  if (!cookie_) {
    return;
  }
  const QDBusMessage reply = Call(QStringLiteral("UnInhibit"), {*cookie_});
  cookie_.reset();
  if (reply.type() == QDBusMessage::ErrorMessage) {
    ZLog(QStringLiteral("Screen saver release failed: ") + reply.errorMessage());
  }
}

void TZScreenSaverInhibitor::LogUnavailable(const QString& why) {
  if (unavailableLogged_) {
    return;
  }
  unavailableLogged_ = true;
  ZLog(QStringLiteral("The screen saver cannot be held off during video: ") + why);
}
