#include "playlist/window/searchindex.h"

#include <QStringView>
#include <algorithm>

namespace {

bool KindAllowed(TZSearchKind choice, TMediaKind kind) {
  switch (choice) {
    case skAudio:
      return IsAudioKind(kind);
    case skVideo:
      return IsVideoKind(kind);
    case skAll:
      break;
  }
  return true;
}

char16_t Folded(char16_t unit) {
  if (unit < 0x80) {
    return unit >= 'A' && unit <= 'Z' ? char16_t(unit + 32) : unit;
  }
  return QChar::toCaseFolded(unit);
}

size_t FoldedHash(const QString& caption) {
  size_t hash = 14695981039346656037ull;
  for (const QChar c : caption) {
    hash = (hash ^ Folded(c.unicode())) * 1099511628211ull;
  }
  // The table uses the low bits, which the multiplications above leave poorly mixed.
  return hash ^ (hash >> 29) ^ (hash >> 47);
}

// Numbers the captions so that captions equal ignoring case share a number: an open-addressing
// table of entry indices, so that no folded copies are made.
class CaptionNumbers {
 public:
  explicit CaptionNumbers(size_t count) {
    size_t capacity = 64;
    while (capacity < count * 2) {
      capacity *= 2;
    }
    slots_.assign(capacity, -1);
  }

  // The number of entry i's caption, new when no earlier caption equals it ignoring case.
  template <typename Entries>
  int Number(const Entries& entries, int i, int* count) {
    const QString& caption = entries[i].caption;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = FoldedHash(caption) & mask;; slot = (slot + 1) & mask) {
      const int held = slots_[slot];
      if (held < 0) {
        slots_[slot] = i;
        return (*count)++;
      }
      if (entries[held].caption.compare(caption, Qt::CaseInsensitive) == 0) {
        return entries[held].sameCaption;
      }
    }
  }

 private:
  std::vector<int> slots_;
};

// Whether the keyword's matches are among those of `last`: each of its words then extends, or
// follows, a word of `last`. A `last` with an empty word matched nothing and proves nothing.
bool Narrows(const QString& keyword, const QString& last) {
  if (last.isEmpty()) {
    return true;
  }
  const bool lastHasEmptyWord =
      last.startsWith(u' ') || last.endsWith(u' ') || last.contains(QLatin1String("  "));
  return !lastHasEmptyWord && keyword.startsWith(last);
}

}  // namespace

bool TZSearchIndex::Current(const TZPlaylist& playlist) const {
  if (size_t(playlist.Count()) != entries_.size()) {
    return false;
  }
  for (int i = 0; i < playlist.Count(); ++i) {
    const TZPlaylistEntry& entry = *playlist.Get(i);
    if (!entry.Caption.isSharedWith(entries_[i].caption) ||
        !entry.FileName.isSharedWith(entries_[i].fileName)) {
      return false;
    }
  }
  return true;
}

void TZSearchIndex::Rebuild(const TZPlaylist& playlist) {
  entries_.clear();
  entries_.reserve(playlist.Count());
  CaptionNumbers numbers(playlist.Count());
  captionCount_ = 0;
  for (int i = 0; i < playlist.Count(); ++i) {
    const TZPlaylistEntry& entry = *playlist.Get(i);
    entries_.push_back(
        {entry.Caption, entry.FileName, entry.Caption.toLower(), ClassifyMedia(entry.FileName), 0});
    entries_.back().sameCaption = numbers.Number(entries_, i, &captionCount_);
  }
  haveLast_ = false;
}

void TZSearchIndex::Match(const QString& keyword) {
  const bool narrow = haveLast_ && Narrows(keyword, lastKeyword_);
  if (!narrow) {
    matches_.resize(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
      matches_[i] = int(i);
    }
  }
  lastKeyword_ = keyword;
  haveLast_ = true;
  if (keyword.isEmpty()) {
    return;
  }
  const QString lower = keyword.toLower();
  const QList<QStringView> words = QStringView(lower).split(u' ');
  for (const QStringView& word : words) {
    if (word.isEmpty()) {
      matches_.clear();
      return;
    }
  }
  const auto missesAWord = [this, &words](int i) {
    const QStringView caption(entries_[i].lower);
    for (const QStringView& word : words) {
      if (!caption.contains(word)) {
        return true;
      }
    }
    return false;
  };
  matches_.erase(std::remove_if(matches_.begin(), matches_.end(), missesAWord), matches_.end());
}

QStringList TZSearchIndex::Search(const TZPlaylist& playlist, const QString& keyword,
                                  TZSearchKind kind) {
  if (!Current(playlist)) {
    Rebuild(playlist);
  }
  Match(keyword);
  listed_.assign(captionCount_, false);
  QStringList results;
  results.reserve(qsizetype(matches_.size()));
  for (const int i : matches_) {
    const Entry& entry = entries_[i];
    if (KindAllowed(kind, entry.kind) && !listed_[entry.sameCaption]) {
      listed_[entry.sameCaption] = true;
      results << entry.caption;
    }
  }
  return results;
}

QStringList SearchCaptions(const TZPlaylist& playlist, const QString& keyword, TZSearchKind kind) {
  return TZSearchIndex().Search(playlist, keyword, kind);
}
