#include "playback/dvd/dvdlanguages.h"

#include <gst/gst.h>

#include <QLocale>

#include "components/graph/zgraph.h"

namespace {

// The disc has at most 8 audio and 32 subpicture streams.
constexpr int kMaxAudio = 8;
constexpr int kMaxSubpicture = 32;

std::vector<TZDvdStream> StreamsOf(const GstStructure* s, const char* kind, int count) {
  std::vector<TZDvdStream> streams;
  for (int i = 0; i < count; ++i) {
    const QByteArray prefix = QByteArray(kind) + '-' + QByteArray::number(i) + '-';
    int id = 0;
    if (!gst_structure_get_int(s, (prefix + "stream").constData(), &id)) {
      continue;
    }
    const gchar* language = gst_structure_get_string(s, (prefix + "language").constData());
    streams.push_back({id, QString::fromUtf8(language ? language : "").trimmed()});
  }
  return streams;
}

}  // namespace

TZDvdStreams DvdStreamsOf(const QString& announcement) {
  if (!ZGraphInit()) {
    return {};
  }
  GstStructure* s = gst_structure_from_string(announcement.toUtf8().constData(), nullptr);
  if (!s) {
    return {};
  }
  TZDvdStreams streams;
  const gchar* event = gst_structure_get_string(s, "event");
  if (gst_structure_has_name(s, "application/x-gst-dvd") && event &&
      g_str_equal(event, "dvd-lang-codes")) {
    streams = {StreamsOf(s, "audio", kMaxAudio), StreamsOf(s, "subpicture", kMaxSubpicture)};
  }
  gst_structure_free(s);
  return streams;
}

QString DvdLanguageName(const QString& code, const QString& fallback) {
  if (code.isEmpty()) {
    return fallback;
  }
  const QLocale::Language language = QLocale::codeToLanguage(code, QLocale::ISO639Part1);
  if (language == QLocale::AnyLanguage) {
    return QStringLiteral("Unknown (%1)").arg(code);
  }
  return QLocale::languageToString(language);
}
