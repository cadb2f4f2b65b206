#include "playlist/mediakind.h"

#include <iterator>

namespace {

constexpr TMediaTableRow kBassStream[] = {
    {".ZEPHONIC_BASS_STREAM", "", ""},
    {".WAV", "wav.ico", "Wavestream (*.wav)"},
    {".MP1", "mp1.ico", "Mpeg1 Audio (*.mp1)"},
    {".MP2", "mp2.ico", "Mpeg2 Audio (*.mp2)"},
    {".MP3", "mp3.ico", "Mpeg3 Audio (*.mp3)"},
    {".OGG", "ogg.ico", "OGG Audio (*.ogg)"},
    {".MPC", "mpc.ico", "Musepack Audio (*.mpc)"},
    {".MPP", "mpp.ico", "Musepack Audio (*.mpp)"},
    {".MP+", "mpp.ico", "Musepack Audio (*.mp+)"},
    {".APE", "ape.ico", "APE Audio (*.ape)"},
    {".MAC", "mac.ico", "APE Audio (*.mac)"},
    {".AAC", "aac.ico", "AAC Audio (*.aac)"},
    {".MP4", "mp4.ico", "MP4 Audio (*.mp4)"},
    {".M4E", "mp4.ico", "MP4 Audio (*.m4e)"},
};

constexpr TMediaTableRow kDirectShowAudio[] = {
    {".ZEPHONIC_DIRECTX_AUDIO", "", ""},
    {".AIF", "aif.ico", "Audio Interchange Format  (*.aif)"},
    {".AIFC", "aifc.ico", "Audio Interchange Format Compressed (*.aifc)"},
    {".AIFF", "aiff.ico", "Audio Interchange Format (*.aiff)"},
    {".AU", "au.ico", "Sun Audio (*.au)"},
    {".SND", "snd.ico", "Sun Audio (*.snd)"},
    {".MID", "midi.ico", "MIDI Sequence (*.mid)"},
    {".MIDI", "midi.ico", "MIDI Sequence (*.midi)"},
    {".MPA", "mpa.ico", "MPA (*.mpa)"},
    {".RMI", "rmi.ico", "MIDI Sequence (*.rmi)"},
    {".WAX", "wax.ico", "Shortcut to Wavestream (*.wax)"},
    {".WMA", "wma.ico", "Windows Media Audio (*.wma)"},
    {".UMX", "umx.ico", "Unreal Music File (*.umx)"},
    {".RA", "ra.ico", "RealAudio (.ra)"},
    {".MOD", "mod.ico", "ProTracker (*.mod)"},
    {".S3M", "s3m.ico", "ScreamTracker 3 (*.s3m)"},
    {".XM", "xm.ico", "FastTracker 2 (*.xm)"},
    {".IT", "it.ico", "ImpulseTracker (*.it)"},
    {".IMF", "imf.ico", "Imago Orpheus (*.imf)"},
    {".MT2", "mt2.ico", "MadTracker 2 (*.mt2)"},
    {".BRT", "brt.ico", "BeRoTracker (*.brt)"},
    {".669", "669.ico", "669 Composer (*.669)"},
    {".STM", "stm.ico", "ScreamTracker (*.stm)"},
    {".MTM", "mtm.ico", "MultiTracker (*.mtm)"},
    {".OKT", "okt.ico", "Oktalyzer (*.okt)"},
    {".WOW", "wow.ico", "Mod's Gave/Grave Composer (*.wow)"},
};

constexpr TMediaTableRow kDirectShowVideo[] = {
    {".ZEPHONIC_DIRECTX_VIDEO", "", ""},
    {".ASF", "asf.ico", "Windows Media Audio/Video Streaming Format (*.asf)"},
    {".ASX", "asx.ico", "Shortcut to Windows Audio/Video Format (*.asx)"},
    {".AVI", "avi.ico", "Videoclip (*.avi)"},
    {".DIVX", "divx.ico", "DivX Compressed Video (*.divx)"},
    {".IMF", "divx.ico", "Indeo Movie Format (*.imf)"},
    {".M1V", "m1v.ico", "M1V (*.m1v)"},
    {".M2V", "m2v.ico", "M2V (*.m2v)"},
    {".MP2V", "mp2v.ico", "MPEG Video (*.mp2v)"},
    {".MPE", "mpe.ico", "MPE (*.mpe)"},
    {".MPEG", "mpeg.ico", "MPEG1/2 Video (*.mpeg)"},
    {".MPG", "mpeg.ico", "MPEG1/2 Video (*.mpg)"},
    {".3GP", "3gp.ico", "3GP (*.3gp)"},
    {".WM", "wm.ico", "Windows Media Movie (*.wm)"},
    {".WMF", "wmf.ico", "Windows Media Format (*.wmf)"},
    {".WMV", "wma.ico", "Windows Media Video (*.wmv)"},
    {".WMP", "wmp.ico", "WMP File (*.wmp)"},
    {".WMX", "wmx.ico", "Shortcut to Windows Media Video (*.wmx)"},
    {".WVX", "wvx.ico", "Shortcut to Windows Media Video (*.wvx)"},
    {".MOV", "mov.ico", "QuickTime 3 Movie (*.mov)"},
    {".QT", "qt.ico", "QuickTime 3 Movie (*.qt)"},
    {".DAT", "vcd.ico", "Video CD (.dat)"},
    {".RM", "rm.ico", "RealMedia (.rm)"},
    {".RV", "rv.ico", "RealVideo (.rv)"},
    {".OGM", "ogm.ico", "OGG Vorbis Movie (.ogm)"},
    {".MKV", "mkv.ico", "Matroska Movie (.mkv)"},
    {".XVID", "xvid.ico", "XVid Movie (.xvid)"},
    {".VOB", "vob.ico", "VOB Files (*.vob)"},
    {".VRO", "vro.ico", "VRO File (*.vro)"},
};

constexpr TMediaTableRow kDvd[] = {
    {".ZEPHONIC_DVD", "", ""},
    {".IFO", "dvd.ico", "DVD File (*.ifo)"},
    {".AC3", "ac3.ico", "DVD Audio File (*.ac3)"},
    {".DTS", "dts.ico", "DVD Audio File (*.dts)"},
};

constexpr TMediaTableRow kCd[] = {
    {".ZEPHONIC_CDA", "", ""},
    {".CDA", "cda.ico", "Music CD (*.cda)"},
};

constexpr TMediaTableRow kPlaylist[] = {
    {".ZEPHONIC_PLAYLIST", "", ""},
    {".ZPL", "zpl.ico", "Zephonic Playlist (*.zpl)"},
    {".M3U", "m3u.ico", "Winamp Playlist (*.m3u)"},
    {".PLS", "pls.ico", "Shoutcast Playlist (*.pls)"},
};

// Compares a short extension with an upper-case ASCII table key, ignoring the case of the
// extension. Works on code units so that no string is built per row.
bool SameExtension(QStringView extension, const char* key) {
  qsizetype i = 0;
  for (; key[i] != '\0'; ++i) {
    if (i >= extension.size()) {
      return false;
    }
    const char16_t c = extension[i].unicode();
    const char16_t upper = (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
    if (upper != static_cast<unsigned char>(key[i])) {
      return false;
    }
  }
  return i == extension.size();
}

bool InTable(QStringView extension, std::span<const TMediaTableRow> table) {
  if (extension.isEmpty()) {
    return false;
  }
  for (const TMediaTableRow& row : table) {
    if (SameExtension(extension, row.Extension)) {
      return true;
    }
  }
  return false;
}

bool StartsWith(const QString& path, QLatin1StringView prefix) {
  return path.startsWith(prefix, Qt::CaseInsensitive);
}

}  // namespace

std::span<const TMediaTableRow> BassStreamTable() {
  return kBassStream;
}
std::span<const TMediaTableRow> DirectShowAudioTable() {
  return kDirectShowAudio;
}
std::span<const TMediaTableRow> DirectShowVideoTable() {
  return kDirectShowVideo;
}
std::span<const TMediaTableRow> DvdTable() {
  return kDvd;
}
std::span<const TMediaTableRow> CdTable() {
  return kCd;
}
std::span<const TMediaTableRow> PlaylistTable() {
  return kPlaylist;
}

QStringView MediaExtensionView(QStringView path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    const QChar c = path[i];
    if (c == u'.') {
      return path.mid(i);
    }
    if (c == u'/' || c == u'\\' || c == u':') {
      break;
    }
  }
  return {};
}

QString MediaExtension(const QString& path) {
  return MediaExtensionView(path).toString();
}

bool IsHttpUrl(const QString& path) {
  return StartsWith(path, QLatin1StringView("http://")) ||
         StartsWith(path, QLatin1StringView("https://"));
}

bool IsMmsUrl(const QString& path) {
  return StartsWith(path, QLatin1StringView("mms://"));
}

TMediaKind ClassifyMedia(const QString& path) {
  const QStringView fullExtension = MediaExtensionView(path);
  const QStringView extension = fullExtension.left(5);
  if (InTable(extension, kBassStream)) {
    return mkBassStream;
  }

  const bool http = IsHttpUrl(path);
  const bool mms = IsMmsUrl(path);
  const bool asx = fullExtension.compare(u".asx", Qt::CaseInsensitive) == 0;
  if (http && !asx) {
    return mkBassUrlStream;
  }
  if (!http && !mms) {
    if (InTable(extension, kDirectShowAudio)) {
      return mkAudio;
    }
    if (InTable(extension, kDirectShowVideo)) {
      return mkVideo;
    }
  }
  if ((http && asx) || mms) {
    return mkVideoStream;
  }
  if (InTable(extension, kDvd)) {
    return mkDvd;
  }
  if (InTable(extension, kCd)) {
    return mkMusicCd;
  }
  return mkUnknown;
}

bool IsVideoKind(TMediaKind kind) {
  return kind == mkVideo || kind == mkVideoStream || kind == mkDvd;
}

bool IsAudioKind(TMediaKind kind) {
  return kind == mkBassStream || kind == mkBassUrlStream || kind == mkAudio || kind == mkMusicCd;
}
