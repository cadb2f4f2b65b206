// Putting media into the playlist from the main window: the add dialogs, the eject button,
// folders and drops.
#include <QFileDialog>
#include <QFileInfo>

#include "base/zdebug.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textids.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/playlist.h"
#include "playlist/playlistfiles.h"
#include "ui/mainwindow.h"

template <typename Work>
void TZMainWindow::WithTitle(const QString& text, Work work) {
  const QString saved = title_;
  SetTitleText(text);
  work();
  RedrawPlaylist();
  SetTitleText(saved);
}

void TZMainWindow::ShowCurrentStatusPicture() {
  if (player_->Paused()) {
    ShowStatusPicture(spPaused);
  } else {
    ShowStatusPicture(player_->Playing() ? spPlaying : spStopped);
  }
}

void TZMainWindow::AddFiles(const QStringList& files) {
  WithTitle(Language().Text(kTextAddingFiles), [&] {
    for (const QString& file : files) {
      adder_->AddPath(file);
    }
  });
}

void TZMainWindow::EjectAndAdd(const QStringList& files) {
  playlist_.ClearPlaylist();
  AddFiles(files);
  if (!player_->Playing()) {
    player_->PlayEntry(0);
  }
}

void TZMainWindow::AddFolder(const QString& folder, bool playAfterwards) {
  WithTitle(Language().Text(kTextAddingFiles), [&] { adder_->AddFolder(folder); });
  config_.LastDir = folder;
  ShowCurrentStatusPicture();
  if (playAfterwards) {
    player_->FreeLastItem(false);
    player_->PlayEntry(0);
  }
}

// A drop always replaces the playlist and starts it from the top.
void TZMainWindow::DropPaths(const QStringList& paths) {
  WithTitle(Language().Text(kTextAddingFiles), [&] {
    playlist_.ClearPlaylist();
    for (const QString& path : paths) {
      const QFileInfo info(path);
      if (info.isFile() && IsPlaylistFile(path)) {
        ReadPlaylistFile(path, playlist_, true);
      } else if (info.isFile()) {
        adder_->AddPath(path);
      } else if (info.isDir()) {
        adder_->AddFolder(path);
      }
    }
  });
  if (player_->Playing() || player_->Paused()) {
    player_->FreeLastItem(false);
  }
  player_->PlayEntry(0);
}

void TZMainWindow::LoadPlaylistFile(const QString& path) {
  if (ReadPlaylistFile(path, playlist_, true) != prLoaded) {
    return;
  }
  RedrawPlaylist();
  if (!player_->Playing() && !player_->Paused()) {
    player_->Navigator().PlayCursorEntry(config_.OFACheckIsValidFile);
  }
}

void TZMainWindow::ChooseFilesToAdd() {
  const QStringList files = QFileDialog::getOpenFileNames(
      windows_.Main, Language().Text(kTextListAddFiles), config_.LastDir, addFilesFilter_);
  if (!files.isEmpty()) {
    AddFiles(files);
  }
}

void TZMainWindow::ChooseFilesToEject() {
  const QStringList files = QFileDialog::getOpenFileNames(
      windows_.Main, Language().Text(kTextListAddFiles), config_.LastDir, addFilesFilter_);
  if (!files.isEmpty()) {
    EjectAndAdd(files);
  }
}

void TZMainWindow::ChooseFolderToAdd() {
  const QString folder = QFileDialog::getExistingDirectory(
      windows_.Main, Language().Text(kTextChooseDirectory), config_.LastDir);
  if (!folder.isEmpty()) {
    AddFolder(folder, false);
  }
}
