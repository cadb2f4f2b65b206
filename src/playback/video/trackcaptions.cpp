#include "playback/video/trackcaptions.h"

#include <algorithm>

#include "playback/video/isolanguages.h"

namespace {

QString Numbered(TZTrackType type, int number) {
  return (type == ttAudio ? QStringLiteral("Audio Track %1") : QStringLiteral("Subtitle Track %1"))
      .arg(number);
}

// Language name, and the title after " - " when it adds something.
QString MatroskaCaption(const TZStreamInfo& stream, int number) {
  const QString language = IsoLanguageName(stream.LanguageCode);
  const QString title = stream.Title.trimmed();
  if (language.isEmpty()) {
    return title.isEmpty() ? Numbered(stream.Type, number) : title;
  }
  if (!title.isEmpty() && title != language) {
    return language + QStringLiteral(" - ") + title;
  }
  return language;
}

QString OggAudioCaption(const TZStreamInfo& stream, int number) {
  if (const QString language = IsoLanguageName(stream.LanguageCode); !language.isEmpty()) {
    return language;
  }
  QString name = stream.Title;
  if (name.startsWith(QStringLiteral("Ton: "))) {
    name.remove(0, 5);
  }
  return name.isEmpty() ? Numbered(ttAudio, number) : name;
}

void CutFirst(QString* caption, const QString& word) {
  const int at = caption->indexOf(word, 0, Qt::CaseInsensitive);
  if (at >= 0) {
    caption->remove(at, word.size());
  }
}

std::optional<QString> OggSubtitleCaption(const TZStreamInfo& stream, int number) {
  QString caption = stream.Title.trimmed();
  if (caption.isEmpty()) {
    caption = IsoLanguageName(stream.LanguageCode);
  }
  if (caption.isEmpty()) {
    caption = Numbered(ttSubtitle, number);
  }
  CutFirst(&caption, QStringLiteral("untertitel"));
  CutFirst(&caption, QStringLiteral("subtitle"));
  caption = caption.trimmed();
  if (caption.contains(QStringLiteral("off"), Qt::CaseInsensitive)) {
    return std::nullopt;
  }
  return caption;
}

int FirstContaining(const QStringList& captions, const QString& text) {
  if (text.isEmpty() || text == QStringLiteral("-")) {
    return -1;
  }
  for (int i = 0; i < captions.size(); ++i) {
    if (captions[i].contains(text, Qt::CaseInsensitive)) {
      return i;
    }
  }
  return -1;
}

}  // namespace

TZContainer ContainerOf(const QString& format) {
  if (format.contains(QStringLiteral("matroska"), Qt::CaseInsensitive) ||
      format.contains(QStringLiteral("webm"), Qt::CaseInsensitive)) {
    return ctMatroska;
  }
  return format.contains(QStringLiteral("ogg"), Qt::CaseInsensitive) ? ctOgg : ctOther;
}

std::optional<QString> TrackCaption(TZContainer container, const TZStreamInfo& stream, int number) {
  if (container == ctOgg) {
    if (stream.Type == ttAudio) {
      return OggAudioCaption(stream, number);
    }
    return OggSubtitleCaption(stream, number);
  }
  return MatroskaCaption(stream, number);
}

int DefaultAudioTrack(const QStringList& captions, const QString& defaultLanguage) {
  if (captions.isEmpty()) {
    return -1;
  }
  return std::max(FirstContaining(captions, defaultLanguage), 0);
}

int DefaultSubtitleTrack(const QStringList& captions, const QString& defaultSubtitle,
                         bool firstWhenNoMatch) {
  const int match = FirstContaining(captions, defaultSubtitle);
  if (match >= 0 || captions.isEmpty()) {
    return match;
  }
  return firstWhenNoMatch ? 0 : -1;
}
