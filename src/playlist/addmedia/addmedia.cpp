#include "playlist/addmedia/addmedia.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "components/sound/zsound.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playlist/addmedia/mediatime.h"
#include "playlist/apetag.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"
#include "playlist/mediakind.h"
#include "playlist/playlist.h"
#include "playlist/playlistfiles.h"
#include "playlist/tagcaptions.h"

namespace {

const QString kNoTrack = QStringLiteral("00");

QStringView FileNameOf(QStringView path) {
  qsizetype start = path.size();
  while (start > 0 && path[start - 1] != u'/' && path[start - 1] != u'\\') {
    --start;
  }
  return path.mid(start);
}

bool ExtensionIs(QStringView extension, const char* wanted) {
  return extension.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0;
}

// The label of the optical drive mounted at `folder`, when it is one.
bool OpticalDriveLabel(const QString& folder, QString* label) {
  const QStorageInfo storage(folder);
  if (!storage.isValid() || QDir(storage.rootPath()) != QDir(folder) ||
      !storage.device().startsWith("/dev/sr")) {
    return false;
  }
  *label = storage.name();
  return true;
}

struct FolderCloser {
  void operator()(DIR* folder) const { closedir(folder); }
};
using FolderHandle = std::unique_ptr<DIR, FolderCloser>;

struct EntryKind {
  bool folder;  // a folder, or a link to one
  bool link;
};

// The listing's own type spares a stat per entry on most file systems. Links are followed: a
// link to a folder is not entered, a link to a file (or a broken one) counts as a file.
EntryKind KindOf(int folderFd, const dirent& entry) {
  bool link = entry.d_type == DT_LNK;
  if (entry.d_type == DT_UNKNOWN) {
    struct stat info;
    if (fstatat(folderFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return {false, false};
    }
    link = S_ISLNK(info.st_mode);
    if (!link) {
      return {S_ISDIR(info.st_mode), false};
    }
  }
  if (link) {
    struct stat target;
    return {fstatat(folderFd, entry.d_name, &target, 0) == 0 && S_ISDIR(target.st_mode), true};
  }
  return {entry.d_type == DT_DIR, false};
}

QString RemoveFirst(const QString& text, const QString& part) {
  QString result = text;
  const qsizetype at = result.indexOf(part, 0, Qt::CaseInsensitive);
  if (at >= 0) {
    result.remove(at, part.size());
  }
  return result;
}

}  // namespace

QString TagTrack(const QString& path) {
  const QString extension = MediaExtension(path);
  if (ExtensionIn(extension, {".mp3"})) {
    return ID3Track(path).left(kTrackLength);
  }
  if (ExtensionIn(extension, {".mpc", ".ape"})) {
    return APETrack(path).left(kTrackLength);
  }
  return kNoTrack;
}

QString TagCaption(const QString& path) {
  const QString extension = MediaExtension(path);
  if (ExtensionIn(extension, {".mp3"})) {
    return ID3Caption(path);
  }
  if (ExtensionIn(extension, {".mpc", ".ape"})) {
    return APECaption(path);
  }
  return {};
}

QString DefaultCaption(const QString& path) {
  // Called for every file added: the common case makes one copy only.
  const QStringView name = FileNameOf(path);
  const QStringView extension = MediaExtensionView(name).left(5);
  if (!ExtensionIs(extension, ".ifo") && !ExtensionIs(extension, ".vob")) {
    return name.left(name.size() - extension.size()).toString();
  }
  if (name.compare(QLatin1String("video_ts.ifo"), Qt::CaseInsensitive) != 0) {
    return FormatText(Language().Text(kTextDvdFile), {name.toString()});
  }
  QString folder = RemoveFirst(RemoveFirst(path, name.toString()), QStringLiteral("/video_ts"));
  folder = RemoveFirst(folder, QStringLiteral("\\video_ts"));
  if (folder.endsWith(u'/') || folder.endsWith(u'\\')) {
    folder.chop(1);
  }
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    return Language().Text(kTextDvdPlain);
  }
  QString label;
  if (OpticalDriveLabel(folder, &label)) {
    return FormatText(Language().Text(kTextDvd),
                      {label.isEmpty() ? QStringLiteral("Untitled") : label});
  }
  return FormatText(Language().Text(kTextDvdDirectory), {FileNameOf(folder).toString()});
}

void ScanFolder(const QString& folder, const QString& mask, bool recursive, QStringList* list) {
  const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
  const bool everything = mask == QStringLiteral("*.*") || mask == QStringLiteral("*");
  const QRegularExpression pattern(
      everything ? QString() : QRegularExpression::wildcardToRegularExpression(mask),
      QRegularExpression::CaseInsensitiveOption);
  QByteArray path = prefix.toUtf8();
  const FolderHandle handle(opendir(path.constData()));
  if (!handle) {
    return;
  }
  const qsizetype base = path.size();
  QStringList folders;
  while (const dirent* entry = readdir(handle.get())) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
      continue;
    }
    // One buffer for every entry's path, decoded once.
    path.truncate(base);
    path.append(name);
    const EntryKind kind = KindOf(dirfd(handle.get()), *entry);
    if (kind.folder) {
      if (recursive && name[0] != '.' && !kind.link) {
        folders << QString::fromUtf8(path);
      }
    } else {
      QString file = QString::fromUtf8(path);
      if (everything || pattern.match(QStringView(file).mid(prefix.size())).hasMatch()) {
        list->append(std::move(file));
      }
    }
  }
  for (const QString& sub : folders) {
    ScanFolder(sub, mask, true, list);
  }
}

TZMediaAdder::TZMediaAdder(TZPlaylist& playlist, const TZConfig& config,
                           std::function<void(const QString&)> showTitle)
    : playlist_(playlist), config_(config), showTitle_(std::move(showTitle)) {}

void TZMediaAdder::ShowTitle(const QString& text) const {
  if (showTitle_) {
    showTitle_(text);
  }
}

bool TZMediaAdder::AddPath(const QString& path) {
  if (config_.OFAReadPlaylistFiles && IsPlaylistFile(path)) {
    ReadPlaylistFile(path, playlist_, false);
    return false;
  }
  const TMediaKind kind = ClassifyMedia(path);
  if (kind == mkUnknown) {
    return false;
  }
  QString track = kNoTrack;
  if (ExtensionIs(MediaExtensionView(path), ".cda")) {
    track = FileNameOf(path).mid(5, kTrackLength).toString();
  } else if (config_.OFAReadID3Tag && kind == mkBassStream) {
    track = TagTrack(path);
  }
  QString caption = DefaultCaption(path);
  if (config_.OFAReadID3Tag && kind == mkBassStream) {
    const QString tagCaption = TagCaption(path);
    if (!tagCaption.isEmpty()) {
      caption = tagCaption;
    }
  }
  QString time = config_.OFAReadTime ? MeasureMediaTime(path) : kNoTime;
  playlist_.Add(std::move(caption), path, false, std::move(track), std::move(time));
  return true;
}

int TZMediaAdder::AddFolder(const QString& folder) {
  ShowTitle(Language().Text(kTextReadingDirectory));
  QStringList files;
  ScanFolder(folder, QStringLiteral("*.*"), true, &files);
  ShowTitle(Language().Text(kTextAddingFiles));
  int added = 0;
  for (const QString& file : files) {
    added += AddPath(file) ? 1 : 0;
  }
  return added;
}

int TZMediaAdder::AddCdTracks(const QString& drive) {
  const std::string device = drive.toStdString();
  const int count = ZSoundCdTrackCount(device);
  int added = 0;
  for (int t = 0; t < count; ++t) {
    const int64_t length = ZSoundCdTrackLength(device, t);
    if (length < 0) {
      continue;
    }
    const QString number = QString::asprintf("%.2d", t + 1);
    playlist_.Add(QStringLiteral("Track ") + number,
                  drive + QStringLiteral("/Track") + number + QStringLiteral(".cda"), false, number,
                  config_.OFAReadTime ? CdDurationText(length) : kNoTime);
    ++added;
  }
  return added;
}

int TZMediaAdder::AddDisc(const QString& drive, const QString& label) {
  const QString root = drive.endsWith(u'/') ? drive : drive + u'/';
  const QString dvd = root + QStringLiteral("VIDEO_TS/VIDEO_TS.IFO");
  if (QFileInfo(dvd).isFile()) {
    playlist_.Add(FormatText(Language().Text(kTextDvd), {label}), dvd, false, kNoTrack, kNoTime);
    return 1;
  }
  if (QFileInfo(root + QStringLiteral("MPEGAV")).isDir()) {
    playlist_.Add(QStringLiteral("[ VCD: %1 ]").arg(label),
                  root + QStringLiteral("MPEGAV/AVSEQ01.DAT"), false, kNoTrack, kNoTime);
    return 1;
  }
  if (QFileInfo(root + QStringLiteral("MPEG2")).isDir()) {
    playlist_.Add(QStringLiteral("[ SVCD: %1 ]").arg(label),
                  root + QStringLiteral("MPEG2/AVSEQ01.MPG"), false, kNoTrack, kNoTime);
    return 1;
  }
  return AddCdTracks(drive);
}

namespace {

QString ArtistTitle(const QString& artist, const QString& title) {
  return artist + QStringLiteral(" - ") + title;
}

// An ".mp3" entry: the ID3v2 tag first, and the ID3v1 tag when the former left the artist, the
// title or the track out.
void RefreshId3Tags(TZPlaylistEntry& entry) {
  TID3v2 v2;
  v2.ReadFromFile(entry.FileName);
  if (v2.Exists()) {
    if (!v2.Artist().isEmpty() && !v2.Title().isEmpty()) {
      entry.Caption = ArtistTitle(v2.Artist(), v2.Title());
    }
    if (v2.Track() != 0) {
      entry.Track = QString::number(v2.Track()).left(2);
    }
  }
  if (!v2.Artist().isEmpty() && !v2.Title().isEmpty() && v2.Track() != 0) {
    return;
  }
  TID3v1 v1;
  v1.ReadFromFile(entry.FileName);
  if (v1.Exists() && !v1.Artist().isEmpty() && !v1.Title().isEmpty() && v1.Track() != 0) {
    entry.Caption = ArtistTitle(v1.Artist(), v1.Title());
    entry.Track = QString::number(v1.Track());
  }
}

// An ".mpc" entry: its APE tag.
void RefreshApeTags(TZPlaylistEntry& entry) {
  TAPEtag ape;
  ape.ReadFromFile(entry.FileName);
  if (!ape.Exists()) {
    return;
  }
  if (!ape.Artist().isEmpty() && !ape.Title().isEmpty()) {
    entry.Caption = ArtistTitle(ape.Artist(), ape.Title());
  }
  if (ape.Track() != 0) {
    entry.Track = QString::number(ape.Track());
  }
}

}  // namespace

// Every entry, whatever "OFAReadID3Tag" says; other kinds than ".mp3" and ".mpc" stay as they are.
void TZMediaAdder::RefreshTags() {
  ShowTitle(Language().Text(kTextRefreshingTags));
  for (int i = 0; i < playlist_.Count(); ++i) {
    TZPlaylistEntry* entry = playlist_.Get(i);
    const QString extension = MediaExtension(entry->FileName);
    if (ExtensionIn(extension, {".mp3"})) {
      RefreshId3Tags(*entry);
    } else if (ExtensionIn(extension, {".mpc"})) {
      RefreshApeTags(*entry);
    }
  }
}

QString AddFilesFilter() {
  const auto patterns = [](std::span<const TMediaTableRow> table) {
    QStringList list;
    for (const TMediaTableRow& row : table.subspan(1)) {
      list << QStringLiteral("*") + QLatin1String(row.Extension);
    }
    return list;
  };
  const QStringList audio = patterns(BassStreamTable());
  const QStringList cd = patterns(CdTable());
  const QStringList dsAudio = patterns(DirectShowAudioTable());
  const QStringList dsVideo = patterns(DirectShowVideoTable());
  const QStringList dvd = patterns(DvdTable());
  // Qt's form: "Name (*.a *.b)" per type, types apart by ";;". Its dialog matches the patterns
  // without regard to case, so "*.MP3" also shows "song.mp3".
  const auto type = [](const char* name, const QStringList& list) {
    return QLatin1String(name) + QStringLiteral(" (") + list.join(u' ') + u')';
  };
  return QStringList{type("All media files", audio + dsAudio + dsVideo + dvd + cd),
                     type("Audio streams", audio),
                     type("Music CD files", cd),
                     type("DirectX Audio files", dsAudio),
                     type("DirectX Video files", dsVideo),
                     type("DVD files", dvd),
                     type("Playlist files", {"*.zpl", "*.pls", "*.m3u"})}
      .join(QStringLiteral(";;"));
}
