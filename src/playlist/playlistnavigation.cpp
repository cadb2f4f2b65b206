#include "playlist/playlistnavigation.h"

#include <QFileInfo>
#include <chrono>
#include <random>

#include "base/errorcatalogue.h"
#include "playlist/mediakind.h"

namespace {

// A fresh clock-seeded generator per pick, as the random play mode re-seeds on every Next.
int ClockRandom(int bound) {
  if (bound <= 0) {
    return 0;
  }
  std::mt19937 generator(
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return std::uniform_int_distribution<int>(0, bound - 1)(generator);
}

}  // namespace

TZPlaylistNavigator::TZPlaylistNavigator(TZPlaylist& playlist, TZPlaylistPlayer& player,
                                         TZPlaylistView* view)
    : playlist_(playlist), player_(player), view_(view), random_(ClockRandom) {}

void TZPlaylistNavigator::PlayEntryCentred(int index) {
  if (index < 0 || index >= playlist_.Count()) {
    return;
  }
  player_.PlayEntry(index);
  if (view_) {
    view_->CentreEntry(index);
  }
}

bool TZPlaylistNavigator::StepWithoutMode(int playing, TPlayMode mode) {
  if (playing == -1) {
    if (player_.Playing()) {
      player_.Stop();
    }
    if (playlist_.Count() > 0) {
      PlayEntryCentred(0);
    }
    return true;
  }
  if (mode == pmRepeat) {
    PlayEntryCentred(playing);
    return true;
  }
  return false;
}

void TZPlaylistNavigator::PlayNext(TPlayMode mode) {
  const int p = playlist_.PlayingIndex();
  if (StepWithoutMode(p, mode)) {
    return;
  }
  const int n = playlist_.Count();
  switch (mode) {
    case pmRandom:
      // The bound excludes the last entry; with one entry the pick is 0.
      PlayEntryCentred(random_(n - 1));
      break;
    case pmNextUntilEnd:
      if (p < n - 1) {
        PlayEntryCentred(p + 1);
      } else {
        player_.Stop();
      }
      break;
    case pmNextUntilEndLoop:
      PlayEntryCentred(p + 1 < n ? p + 1 : 0);
      break;
    case pmNone:
    case pmRepeat:
      break;
  }
}

void TZPlaylistNavigator::PlayPrevious(TPlayMode mode) {
  const int p = playlist_.PlayingIndex();
  if (StepWithoutMode(p, mode)) {
    return;
  }
  const int n = playlist_.Count();
  switch (mode) {
    case pmRandom:
      // One step of history: the entry the player's last stop recorded.
      if (playlist_.LastPlayedIndex != -1) {
        PlayEntryCentred(playlist_.LastPlayedIndex);
      }
      break;
    case pmNextUntilEnd:
      if (p - 1 < 0) {
        player_.Stop();
      } else {
        PlayEntryCentred(p - 1);
      }
      break;
    case pmNextUntilEndLoop:
      PlayEntryCentred(p - 1 >= 0 ? p - 1 : n - 1);
      break;
    case pmNone:
    case pmRepeat:
      break;
  }
}

void TZPlaylistNavigator::PlayCursorEntry(bool checkIsValidFile) {
  const int n = playlist_.Count();
  if (n > 0 && playlist_.PlaylistCursor == -1) {
    playlist_.PlaylistCursor = 0;
  }
  const TZPlaylistEntry* entry = playlist_.Get(playlist_.PlaylistCursor);
  if (!entry) {
    return;
  }
  if (checkIsValidFile && !PlaylistFileReachable(entry->FileName)) {
    ReportError(1000, QStringLiteral("TZPlaylistEditor"), QFileInfo(entry->FileName).fileName(),
                false);
    return;
  }
  player_.PlayEntry(playlist_.PlaylistCursor);
}

bool PlaylistFileReachable(const QString& fileName) {
  if (IsHttpUrl(fileName) || IsMmsUrl(fileName)) {
    return true;
  }
  if (MediaExtension(fileName).compare(QLatin1StringView(".cda"), Qt::CaseInsensitive) == 0) {
    return true;
  }
  return QFileInfo::exists(fileName);
}
