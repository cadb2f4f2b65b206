#include "playback/zbass.h"

#include "base/errorcatalogue.h"
#include "base/zdebug.h"
#include "components/sound/zsound.h"

namespace {

constexpr int kOutputRate = 44100;
const QString kTag = QStringLiteral("TZBass");

}  // namespace

int ZBassInitialize(int device, QStringList* devices) {
  if (ZSoundVersion() != kZSoundInterfaceVersion) {
    ReportError(200, kTag, QString(), true);
  }
  devices->clear();
  std::string description;
  for (int i = 1; ZSoundDeviceDescription(i, &description); ++i) {
    devices->append(QString::fromStdString(description));
  }
  if (ZSoundInit(device, kOutputRate, kZSoundInitSpeakers)) {
    const int speakers = ZSoundSpeakerCount();
    ZLog(QStringLiteral("BASS Soundsystem initialize OK, ") +
         QString::asprintf("(%d speakers).", speakers));
    return speakers;
  }
  if (ZSoundInit(device, kOutputRate, 0)) {
    ZLog(QStringLiteral("BASS Soundsystem initialize OK, no speaker environment."));
    return 0;
  }
  ReportError(201, kTag, QString(), true);
  return -1;
}

void ZBassFree() {
  ZSoundFree();
  ZLog(QStringLiteral("BASS Soundsystem deinitialize OK"));
}
