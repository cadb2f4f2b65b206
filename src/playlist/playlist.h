#pragma once
// The playlist: the single ordered list of media entries the player works through, with the
// indices the windows keep on it (cursor, selection ends, last played entry).

#include <QString>
#include <memory>
#include <memory_resource>
#include <vector>

#include "playlist/mediakind.h"

// One playlist entry, owned by the playlist.
struct TZPlaylistEntry {
  QString Caption;
  QString Time;      // "hh:mm:ss", at most 8 characters; "00:00:00" when unknown
  QString FileName;  // local path, path on a CD/DVD drive, or an http:// / mms:// URL
  bool Selected = false;
  bool Played = false;  // the entry now playing; at most one entry has it set
  QString Track;        // decimal track number, at most 2 characters; "00" when unknown
};

// Configuration key "PlayModeIndex".
enum TPlayMode {
  pmNone = 0,
  pmRepeat = 1,
  pmRandom = 2,
  pmNextUntilEnd = 3,
  pmNextUntilEndLoop = 4,
};

// The playlist window's "Sort items" submenu. Note that 4 is Video and 5 is Audio.
enum TPlaylistSortOrder {
  psoCaption = 0,
  psoFileName = 1,
  psoTime = 2,
  psoTrack = 3,
  psoVideo = 4,
  psoAudio = 5,
  psoRandom = 6,
  psoReverse = 7,
};

inline constexpr int kTimeLength = 8;
inline constexpr int kTrackLength = 2;

class TZPlaylist {
 public:
  TZPlaylist() = default;
  TZPlaylist(TZPlaylist&&) noexcept = default;
  TZPlaylist& operator=(TZPlaylist&&) noexcept = default;
  ~TZPlaylist();

  // Appends an entry with Played false; Time and Track are cut to 8 and 2 characters.
  // Returns the new entry's index. Texts are taken by value so that callers can move them in.
  int Add(QString caption, QString fileName, bool selected, QString track, QString time);
  // Add from 8-bit texts (UTF-8 when valid, else Windows-1252).
  int AddFromBytes(const QByteArray& caption, const QByteArray& fileName, bool selected,
                   const QString& track, const QString& time);

  // The entry at i, or null when i is out of range. The pointer stays valid until that entry is
  // removed (Clear, DeleteSelected); sorting moves entries but does not destroy them.
  TZPlaylistEntry* Get(int i);
  const TZPlaylistEntry* Get(int i) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  // Makes room for `more` entries beyond Count() before a bulk add.
  void Reserve(int more);

  void Clear();  // destroys all entries; the indices are left alone
  void SelectNone();
  void SelectAll();
  void ClearPlayed();
  void InvertSelection();
  void DeleteSelected();
  void Sort(TPlaylistSortOrder order);
  // Moves entry `from` to index `to`, the entries between shifting by one (drag and drop in the
  // playlist window). Entries keep their addresses; out-of-range indices do nothing.
  void Move(int from, int to);

  // "Clear playlist": Clear, and SelectionAnchor, SelectionEnd and PlaylistCursor := -1.
  void ClearPlaylist();
  // Selects every entry between SelectionAnchor and SelectionEnd inclusive; others untouched.
  void SelectRange();

  int PlayingIndex() const;                         // first entry with Played, or -1
  int FindByCaption(const QString& caption) const;  // exact code-unit match, or -1
  qint64 TotalTimeMs() const;                       // sum of every parseable Time

  // Playlist-wide indices, -1 = none.
  int PlaylistCursor = -1;   // the entry the Play command starts
  int SelectionAnchor = -1;  // last plain click / unshifted cursor move
  int SelectionEnd = -1;     // last shift-click / shifted cursor move
  int LastPlayedIndex = -1;  // playing index when playback last stopped ("LastPlayedIndex")

 private:
  // Entries live in a pool of their own: lists of many thousands are built and freed in blocks
  // rather than one heap allocation each. An entry goes back to its pool when removed.
  using EntryPool = std::pmr::unsynchronized_pool_resource;
  struct EntryDeleter {
    EntryPool* pool;
    void operator()(TZPlaylistEntry* entry) const;
  };
  using EntryPtr = std::unique_ptr<TZPlaylistEntry, EntryDeleter>;

  template <typename Less>
  void SortBy(Less less);
  void Partition(bool (*first)(TMediaKind));

  // Declared before the pool: a moved-in list first returns the old entries to the old pool,
  // then replaces the pool. The destructor empties the list before the pool goes.
  std::vector<EntryPtr> entries_;
  std::unique_ptr<EntryPool> pool_;
};

// Duration of a "%d:%d:%d" time text in milliseconds; false when it lacks one of the numbers.
bool ParseTimeText(const QString& time, qint64* milliseconds);
// "%.2d:%.2d:%.2d" of hours, minutes and seconds.
QString FormatTimeText(int hours, int minutes, int seconds);
