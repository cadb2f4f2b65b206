#pragma once
// The item editor: shows and edits one playlist entry (caption, time, track, flags), describes
// its file's streams, and for ".mp3" files edits the ID3v1 and ID3v2 tags and writes them back.

#include <QDialog>
#include <functional>

#include "lang/language.h"
#include "playlist/playlist.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// What writing tags needs of the player core: the file of the playing entry must be closed
// while its tags are rewritten, and playback goes on where it was afterwards.
class TZPlaybackSuspender {
 public:
  virtual ~TZPlaybackSuspender() = default;
  // True when the player plays entry `index` now.
  virtual bool IsPlayingEntry(int index) const = 0;
  // Stops the play timer, remembers the position, stops and frees the stream.
  virtual void Suspend() = 0;
  // Reopens the stream, restores the position and the stream's settings, restarts the timer.
  virtual void Resume() = 0;
};

class TfrmEditItem : public QDialog {
  Q_OBJECT

 public:
  // `redraw` repaints the playlist window after Save; `suspender` may be null (nothing plays).
  TfrmEditItem(TZPlaylist& playlist, const TZLanguage& language, std::function<void()> redraw,
               TZPlaybackSuspender* suspender, QWidget* parent = nullptr);

  void ApplyTexts(const TZLanguage& language);
  // Fills the window from entry `index` and shows it; the page shown before stays shown.
  void Open(int index);
  // Open centred on the screen on the first page: what "Edit item" of the playlist does.
  void OpenFirstPage(int index);
  // False when caption, time or track is empty (after the message) or no entry has EditIndex.
  bool Save();
  void Reload() { Open(editIndex_); }
  void ID3v1ToID3v2();
  void ID3v2ToID3v1();
  int EditIndex() const { return editIndex_; }
  bool TagPagesShown() const;

  QLineEdit* edtFileName;
  QLineEdit* edtIndex;
  QTabWidget* pcPages;
  QLineEdit* edtPECaption;
  QLineEdit* edtPETime;
  QLineEdit* edtPETrack;
  QCheckBox* cbPESelected;
  QCheckBox* cbPEPlayed;
  QPlainTextEdit* memFileInfo;
  QCheckBox* cbID3V1_Exists;
  QLineEdit* edtID3V1_Track;
  QLineEdit* edtID3V1_Title;
  QLineEdit* edtID3V1_Artist;
  QLineEdit* edtID3V1_Album;
  QLineEdit* edtID3V1_Year;
  QComboBox* cbID3V1_Genre;
  QLineEdit* edtID3V1_Comment;
  QPushButton* btnID3V1ToID3V2;
  QCheckBox* cbID3V2_Exists;
  QLineEdit* edtID3V2_Track;
  QLineEdit* edtID3V2_Title;
  QLineEdit* edtID3V2_Artist;
  QLineEdit* edtID3V2_Album;
  QLineEdit* edtID3V2_Year;
  QLineEdit* edtID3V2_Genre;
  QLineEdit* edtID3V2_Comment;
  QLineEdit* edtID3V2_Composer;
  QLineEdit* edtID3V2_Language;
  QLineEdit* edtID3V2_Copyright;
  QLineEdit* edtID3V2_URL;
  QLineEdit* edtID3V2_EncodedBy;
  QPushButton* btnID3V2ToID3V1;
  QPushButton* btnEdit;
  QPushButton* btnCancel;
  QPushButton* btnReload;

 private:
  QWidget* BuildInfoPage();
  QWidget* BuildID3v1Page();
  QWidget* BuildID3v2Page();
  void LoadTagPages(const QString& fileName);
  void ClearID3v1();
  void ClearID3v2();
  void WriteTags(const QString& fileName);
  void WriteID3v1(const QString& fileName);
  void WriteID3v2(const QString& fileName);

  TZPlaylist& playlist_;
  std::function<void()> redraw_;
  TZPlaybackSuspender* suspender_;
  int editIndex_ = -1;
  // Captions of the labels, in the order ApplyTexts sets them.
  std::vector<std::pair<class QLabel*, int>> labels_;
  class QGroupBox* grpEntry_;
  class QGroupBox* grpFileInfo_;
};
