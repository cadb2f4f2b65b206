#include "playlist/addmedia/mediatime.h"

#include <cmath>

#include "components/sound/zsound.h"
#include "playlist/mediakind.h"

namespace {

constexpr int64_t kCdBytesPerSecond = 176400;

QString HoursMinutesSeconds(int64_t seconds) {
  return QString::asprintf("%.2lld:%.2lld:%.2lld", static_cast<long long>(seconds / 3600),
                           static_cast<long long>(seconds / 60 % 60),
                           static_cast<long long>(seconds % 60));
}

}  // namespace

bool ExtensionIn(const QString& extension, std::initializer_list<const char*> list) {
  for (const char* item : list) {
    if (extension.compare(QLatin1String(item), Qt::CaseInsensitive) == 0) {
      return true;
    }
  }
  return false;
}

QString DurationText(double seconds) {
  if (!(seconds >= 0) || seconds > 1e12) {
    return kNoTime;
  }
  return HoursMinutesSeconds(static_cast<int64_t>(std::nearbyint(seconds)));
}

QString CdDurationText(int64_t bytes) {
  return bytes < 0 ? kNoTime : HoursMinutesSeconds(bytes / kCdBytesPerSecond);
}

QString MeasureMediaTime(const QString& path) {
  const QString extension = MediaExtension(path);
  if (ExtensionIn(extension, {".mp1", ".mp2", ".mp3", ".ogg", ".wav", ".mpc"})) {
    const ZSoundHandle channel = ZSoundOpenFile(path.toStdString(), 0);
    if (channel == 0) {
      return kNoTime;
    }
    const int64_t length = ZSoundGetLength(channel);
    const double seconds = ZSoundBytesToSeconds(channel, length);
    ZSoundFreeChannel(channel);
    return length < 0 ? kNoTime : DurationText(seconds);
  }
  if (ExtensionIn(extension, {".mod", ".xm", ".it", ".mtm", ".s3m"})) {
    const int64_t length = ZSoundModuleLength(path.toStdString());
    return length < 0 ? kNoTime : DurationText(static_cast<double>(length) / kCdBytesPerSecond);
  }
  return kNoTime;
}
