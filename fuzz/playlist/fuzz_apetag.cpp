// The end of a file as an APE tag: a tag exists exactly when the footer says so, its figures are
// never negative, no field outgrows the item size limit or the input, and a parse into a tag
// holding older values gives what a parse into a fresh one gives.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "playlist/apetag.h"

namespace {

// Values longer than this are cut when read.
constexpr qsizetype kMaxValueBytes = 250;

bool SameTag(const TAPEtag& a, const TAPEtag& b) {
  return a.Exists() == b.Exists() && a.Version() == b.Version() && a.Size() == b.Size() &&
         a.Title() == b.Title() && a.Artist() == b.Artist() && a.Album() == b.Album() &&
         a.Track() == b.Track() && a.Year() == b.Year() && a.Genre() == b.Genre() &&
         a.Comment() == b.Comment() && a.Copyright() == b.Copyright();
}

// A small valid tag whose values the next parse must forget.
TAPEtag FilledTag() {
  QByteArray items;
  for (const char* key : {"Title", "Artist", "Album", "Year", "Genre", "Comment", "Copyright"}) {
    items += QByteArray("\x03\0\0\0\0\0\0\0", 8) + key + '\0' + "old";
  }
  items += QByteArray("\x01\0\0\0\0\0\0\0", 8) + "Track" + '\0' + "9";
  QByteArray footer("APETAGEX");
  for (const quint32 value : {2000u, quint32(items.size() + kAPEFooterSize), 8u, 0u}) {
    for (int shift = 0; shift < 32; shift += 8) {
      footer += char(value >> shift);
    }
  }
  footer += QByteArray(8, '\0');
  TAPEtag tag;
  tag.ParseTag(items + footer);
  if (tag.Title() != QStringLiteral("old") || tag.Track() != 9) {
    abort();
  }
  return tag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView input(data, static_cast<qsizetype>(size));
  TAPEtag tag;
  tag.ParseTag(input);
  const bool footer =
      input.size() >= kAPEFooterSize && input.last(kAPEFooterSize).startsWith("APETAGEX");
  if (tag.Exists() != footer || tag.Version() < 0 || tag.Size() < 0) {
    abort();
  }
  if (!footer && !SameTag(tag, TAPEtag())) {
    abort();
  }
  const qsizetype limit = std::min<qsizetype>(kMaxValueBytes, input.size());
  for (const QString* text : {&tag.Title(), &tag.Artist(), &tag.Album(), &tag.Year(), &tag.Genre(),
                              &tag.Comment(), &tag.Copyright()}) {
    if (text->size() > limit) {
      abort();
    }
  }
  static const TAPEtag filled = FilledTag();
  TAPEtag reused = filled;
  reused.ParseTag(input);
  if (!SameTag(tag, reused)) {
    abort();
  }
  return 0;
}
