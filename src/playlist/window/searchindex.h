#pragma once
// What a keystroke in the search window needs ready: every entry's lower-cased caption and media
// kind, and which captions are equal ignoring case, kept until the playlist's captions or file
// names change. A keyword typed on from the last one narrows the last matches instead of going
// over every entry again.

#include <QString>
#include <QStringList>
#include <vector>

#include "playlist/mediakind.h"
#include "playlist/playlist.h"

// "Search for": every kind, the audio kinds or the video kinds.
enum TZSearchKind { skAll = 0, skAudio = 1, skVideo = 2 };

class TZSearchIndex {
 public:
  // The captions that match the keyword, in playlist order, each text once (ignoring case). The
  // keyword is split at every blank, so doubled or leading blanks make an empty word that
  // matches nothing; an empty keyword matches every entry.
  QStringList Search(const TZPlaylist& playlist, const QString& keyword, TZSearchKind kind);

 private:
  struct Entry {
    QString caption;   // shares the entry's text: a changed caption no longer does
    QString fileName;  // likewise, for the kind
    QString lower;
    TMediaKind kind;
    int sameCaption;  // equal for entries whose captions are equal ignoring case
  };

  bool Current(const TZPlaylist& playlist) const;
  void Rebuild(const TZPlaylist& playlist);
  // Narrows matches_ from the last keyword's to this one's, or finds them among all entries.
  void Match(const QString& keyword);

  std::vector<Entry> entries_;
  int captionCount_ = 0;
  QString lastKeyword_;
  bool haveLast_ = false;
  std::vector<int> matches_;  // entries the last keyword matched, in playlist order
  std::vector<bool> listed_;  // by sameCaption, while one result list is made
};

// One search without an index kept for the next.
QStringList SearchCaptions(const TZPlaylist& playlist, const QString& keyword, TZSearchKind kind);
