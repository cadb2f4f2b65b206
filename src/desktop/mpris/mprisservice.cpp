#include "desktop/mpris/mprisservice.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QMetaProperty>
#include <cstdlib>

#include "base/zdebug.h"
#include "desktop/mpris/mprisadaptors.h"

namespace {

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.zephonic");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

}  // namespace

TZMprisService::TZMprisService(TZMprisPlayer& player, QObject* parent)
    : QObject(parent), player_(player), adaptor_(new TZMprisPlayerAdaptor(*this, player)) {
  new TZMprisRootAdaptor(this, player);
  refresh_.setInterval(kRefreshInterval);
  connect(&refresh_, &QTimer::timeout, this, &TZMprisService::Refresh);
}

TZMprisService::~TZMprisService() {
  if (!registered_) {
    return;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.unregisterObject(kObjectPath);
  bus.unregisterService(kServiceName);
}

bool TZMprisService::Register() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    ZLog(QStringLiteral("No session bus: desktop media control is off."));
    return false;
  }
  if (!bus.registerObject(kObjectPath, this) || !bus.registerService(kServiceName)) {
    bus.unregisterObject(kObjectPath);
    ZLog(QStringLiteral("Desktop media control could not take its bus name: ") +
         bus.lastError().message());
    return false;
  }
  registered_ = true;
  sent_ = PlayerProperties();
  sentIndex_ = player_.Track().Index;
  NotePosition(player_.PositionUs());
  refresh_.start();
  return true;
}

// Position is left out: it changes all the time and clients ask for it; jumps go out as Seeked.
QVariantMap TZMprisService::PlayerProperties() const {
  QVariantMap properties;
  const QMetaObject* meta = adaptor_->metaObject();
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    if (qstrcmp(property.name(), "Position") != 0) {
      properties.insert(QString::fromLatin1(property.name()), property.read(adaptor_));
    }
  }
  return properties;
}

void TZMprisService::Refresh() {
  if (!registered_) {
    return;
  }
  const QVariantMap now = PlayerProperties();
  QVariantMap changed;
  for (auto it = now.cbegin(); it != now.cend(); ++it) {
    if (sent_.value(it.key()) != it.value()) {
      changed.insert(it.key(), it.value());
    }
  }
  if (!changed.isEmpty()) {
    SendPropertiesChanged(changed);
    sent_ = now;
  }
  const int index = player_.Track().Index;
  const qint64 position = player_.PositionUs();
  if (index == sentIndex_ && Jumped(position)) {
    emit adaptor_->Seeked(position);
  }
  sentIndex_ = index;
  NotePosition(position);
}

void TZMprisService::AnnounceSeek() {
  const qint64 position = player_.PositionUs();
  if (registered_) {
    emit adaptor_->Seeked(position);
  }
  NotePosition(position);
}

void TZMprisService::SendPropertiesChanged(const QVariantMap& changed) const {
  QDBusMessage signal =
      QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"));
  signal << kPlayerInterface << changed << QStringList();
  QDBusConnection::sessionBus().send(signal);
}

// Where the position would be had it run on (or stood still) since the last look.
bool TZMprisService::Jumped(qint64 position) const {
  const qint64 expected =
      lastPosition_ + (lastPlaying_ ? sincePosition_.elapsed() * qint64{1000} : 0);
  return std::llabs(position - expected) > kJumpToleranceUs;
}

void TZMprisService::NotePosition(qint64 position) {
  lastPosition_ = position;
  lastPlaying_ = player_.Status() == TMprisStatus::Playing;
  sincePosition_.restart();
}
