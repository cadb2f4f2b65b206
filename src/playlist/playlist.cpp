#include "playlist/playlist.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "base/text/textcodec.h"

namespace {

// Reads an optionally signed decimal number after leading blanks, as the "%d" of a scan pattern
// does. Advances *pos past it; false when no digit was found.
bool ScanInt(QStringView text, qsizetype* pos, qint64* value) {
  qsizetype i = *pos;
  while (i < text.size() && text[i].isSpace()) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i++] == u'-';
  }
  const qsizetype digitsStart = i;
  qint64 result = 0;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
    if (result < 1'000'000'000'000LL) {
      result = result * 10 + (text[i].unicode() - u'0');
    }
    ++i;
  }
  if (i == digitsStart) {
    return false;
  }
  *pos = i;
  *value = negative ? -result : result;
  return true;
}

// A track text as an integer: the digits read before the first bad character. True only when
// the whole text is a valid number.
bool ParseTrack(QStringView text, qint64* value) {
  qsizetype pos = 0;
  *value = 0;
  if (!ScanInt(text, &pos, value)) {
    return false;
  }
  return pos == text.size();
}

bool TrackLess(const TZPlaylistEntry& a, const TZPlaylistEntry& b) {
  qint64 va = 0;
  qint64 vb = 0;
  const bool okA = ParseTrack(a.Track, &va);
  const bool okB = ParseTrack(b.Track, &vb);
  if (!okA && !okB) {
    return false;
  }
  return va < vb;
}

}  // namespace

TZPlaylist::~TZPlaylist() {
  entries_.clear();
}

void TZPlaylist::EntryDeleter::operator()(TZPlaylistEntry* entry) const {
  entry->~TZPlaylistEntry();
  pool->deallocate(entry, sizeof(TZPlaylistEntry), alignof(TZPlaylistEntry));
}

template <typename Less>
void TZPlaylist::SortBy(Less less) {
  // A merge sort never leaves the range, even should a comparison be inconsistent.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [&](const EntryPtr& a, const EntryPtr& b) { return less(*a, *b); });
}

int TZPlaylist::Add(QString caption, QString fileName, bool selected, QString track, QString time) {
  if (!pool_) {
    pool_ = std::make_unique<EntryPool>();
  }
  void* memory = pool_->allocate(sizeof(TZPlaylistEntry), alignof(TZPlaylistEntry));
  EntryPtr entry(new (memory) TZPlaylistEntry, EntryDeleter{pool_.get()});
  time.truncate(kTimeLength);
  track.truncate(kTrackLength);
  entry->Caption = std::move(caption);
  entry->Time = std::move(time);
  entry->FileName = std::move(fileName);
  entry->Selected = selected;
  entry->Track = std::move(track);
  entries_.push_back(std::move(entry));
  return Count() - 1;
}

void TZPlaylist::Reserve(int more) {
  const size_t needed = entries_.size() + static_cast<size_t>(std::max(more, 0));
  if (needed > entries_.capacity()) {
    // Still geometric, so that many small bulk adds stay linear.
    entries_.reserve(std::max(needed, 2 * entries_.capacity()));
  }
}

int TZPlaylist::AddFromBytes(const QByteArray& caption, const QByteArray& fileName, bool selected,
                             const QString& track, const QString& time) {
  return Add(DecodeText(caption), DecodeText(fileName), selected, track, time);
}

TZPlaylistEntry* TZPlaylist::Get(int i) {
  return (i < 0 || i >= Count()) ? nullptr : entries_[static_cast<size_t>(i)].get();
}

const TZPlaylistEntry* TZPlaylist::Get(int i) const {
  return (i < 0 || i >= Count()) ? nullptr : entries_[static_cast<size_t>(i)].get();
}

void TZPlaylist::Clear() {
  entries_.clear();
  if (pool_) {
    pool_->release();  // every entry is back: give the blocks back too
  }
}

void TZPlaylist::SelectNone() {
  for (auto& e : entries_) {
    e->Selected = false;
  }
}

void TZPlaylist::SelectAll() {
  for (auto& e : entries_) {
    e->Selected = true;
  }
}

void TZPlaylist::ClearPlayed() {
  for (auto& e : entries_) {
    e->Played = false;
  }
}

void TZPlaylist::InvertSelection() {
  for (auto& e : entries_) {
    e->Selected = !e->Selected;
  }
}

void TZPlaylist::DeleteSelected() {
  std::erase_if(entries_, [](const EntryPtr& e) { return e->Selected; });
}

void TZPlaylist::Move(int from, int to) {
  if (from < 0 || to < 0 || from >= Count() || to >= Count() || from == to) {
    return;
  }
  const auto first = entries_.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
}

void TZPlaylist::Sort(TPlaylistSortOrder order) {
  switch (order) {
    case psoCaption:
      SortBy([](const auto& a, const auto& b) { return a.Caption < b.Caption; });
      break;
    case psoFileName:
      SortBy([](const auto& a, const auto& b) { return a.FileName < b.FileName; });
      break;
    case psoTime:
      SortBy([](const auto& a, const auto& b) { return a.Time < b.Time; });
      break;
    case psoTrack:
      SortBy(TrackLess);
      break;
    case psoVideo:
      Partition(IsVideoKind);
      break;
    case psoAudio:
      Partition(IsAudioKind);
      break;
    case psoRandom: {
      std::mt19937 generator(
          static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
      std::shuffle(entries_.begin(), entries_.end(), generator);
      break;
    }
    case psoReverse:
      std::reverse(entries_.begin(), entries_.end());
      break;
  }
}

void TZPlaylist::Partition(bool (*first)(TMediaKind)) {
  std::stable_partition(entries_.begin(), entries_.end(),
                        [first](const EntryPtr& e) { return first(ClassifyMedia(e->FileName)); });
}

void TZPlaylist::ClearPlaylist() {
  Clear();
  SelectionAnchor = -1;
  SelectionEnd = -1;
  PlaylistCursor = -1;
}

void TZPlaylist::SelectRange() {
  const int from = std::max(0, std::min(SelectionAnchor, SelectionEnd));
  const int to = std::min(Count() - 1, std::max(SelectionAnchor, SelectionEnd));
  for (int i = from; i <= to; ++i) {
    entries_[static_cast<size_t>(i)]->Selected = true;
  }
}

int TZPlaylist::PlayingIndex() const {
  for (int i = 0; i < Count(); ++i) {
    if (entries_[static_cast<size_t>(i)]->Played) {
      return i;
    }
  }
  return -1;
}

int TZPlaylist::FindByCaption(const QString& caption) const {
  for (int i = 0; i < Count(); ++i) {
    if (entries_[static_cast<size_t>(i)]->Caption == caption) {
      return i;
    }
  }
  return -1;
}

qint64 TZPlaylist::TotalTimeMs() const {
  qint64 total = 0;
  for (const auto& e : entries_) {
    qint64 ms = 0;
    if (ParseTimeText(e->Time, &ms)) {
      total += ms;
    }
  }
  return total;
}

bool ParseTimeText(const QString& time, qint64* milliseconds) {
  qsizetype pos = 0;
  qint64 parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (pos >= time.size() || time[pos] != u':') {
        return false;
      }
      ++pos;
    }
    if (!ScanInt(time, &pos, &parts[i])) {
      return false;
    }
  }
  *milliseconds = (parts[0] * 3600 + parts[1] * 60 + parts[2]) * 1000;
  return true;
}

QString FormatTimeText(int hours, int minutes, int seconds) {
  return QString::asprintf("%.2d:%.2d:%.2d", hours, minutes, seconds);
}
