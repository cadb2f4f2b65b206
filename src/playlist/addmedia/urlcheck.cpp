#include "playlist/addmedia/urlcheck.h"

#include <QUrl>
#include <algorithm>

#include "base/errorcatalogue.h"
#include "playlist/mediakind.h"
#include "playlist/playlist.h"

bool IsAcceptedUrl(const QString& text) {
  if (text.size() > kMaxUrlLength || !(IsHttpUrl(text) || IsMmsUrl(text))) {
    return false;
  }
  const bool clean = std::none_of(text.begin(), text.end(), [](QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control;
  });
  if (!clean) {
    return false;
  }
  const QUrl url(text, QUrl::StrictMode);
  return url.isValid() && !url.host().isEmpty();
}

bool AddUrlEntry(TZPlaylist& playlist, const QString& text) {
  if (!IsAcceptedUrl(text)) {
    ReportError(3000, QStringLiteral("TZURL"), text, false);
    return false;
  }
  playlist.Add(text, text, false, QStringLiteral("00"), QStringLiteral("00:00:00"));
  return true;
}
