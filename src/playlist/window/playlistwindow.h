#pragma once
// The playlist window's behaviour: the owner-drawn list inside TfrmPlaylist with its scroll
// thumb and status line, selection by mouse and keyboard, the wheel, file drops and the
// context menu's commands. It works only on the playlist and reaches the main window through
// the hooks it is given.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "lang/language.h"
#include "playlist/playlist.h"
#include "playlist/playlistnavigation.h"
#include "playlist/window/listpainter.h"

class QAction;
class QKeyEvent;
class QMenu;
class QPainter;
class QMouseEvent;
class TfrmPlaylist;
class TZListControl;
class TZMediaAdder;
struct TZConfig;
struct TZGUI;

// What the playlist window needs of the main window; every hook may stay empty.
struct TZPlaylistWindowHooks {
  std::function<QString()> title;                // the main window's title text
  std::function<void(const QString&)> setTitle;  // shows a title text
  std::function<void(int)> showStatusPicture;    // 0 stopped, 2 playing, 3 paused, 4 working
  std::function<void()> addFiles;                // "Add files..."
  std::function<void()> addDirectory;            // "Add directory..."
  std::function<void()> refreshTags;             // "Refresh ID3 Tag(s)"
  std::function<void()> findItem;                // "Find item"
  std::function<void()> addUrl;                  // "Add url..."
  std::function<void()> addDisc;                 // "Add CD/DVD medium..."
  std::function<void(int index)> editItem;       // "Fileinformation" on a clicked entry
  std::function<QRect()> mainWindowFrame;        // for the caption bar's double click
  std::function<void(QPoint)> captionMenu;       // the caption bar's menu, at a screen point
  // Asks a Yes/No question; empty: a message box with No as the default answer.
  std::function<bool(const QString&)> confirm;
};

class TZPlaylistWindow : public QObject, public TZPlaylistView {
  Q_OBJECT

 public:
  TZPlaylistWindow(TfrmPlaylist& form, TZPlaylist& playlist, TZPlaylistPlayer& player,
                   const TZGUI& skin, TZConfig& config, const TZLanguage& language);
  ~TZPlaylistWindow() override;

  void SetHooks(TZPlaylistWindowHooks hooks) { hooks_ = std::move(hooks); }
  // Takes the skin's font, icons and menu texts again (after a skin or language change).
  void ApplySkin();
  void ApplyTexts();

  // Every change of the playlist ends here: the list and the status line paint again.
  void Redraw();
  // TZPlaylistView: entry i in the middle of the list.
  void CentreEntry(int index) override;
  // Start-up with a remembered entry: it becomes the only selection, in the middle of the list.
  void ScrollToRemembered(int index);

  // View state.
  qint64 TopRow() const { return topRow_; }
  void SetTopRow(qint64 row);
  int RowHeight() const { return painter_.RowHeight(); }
  int VisibleRows() const;
  int ClickedIndex() const { return clickedIndex_; }
  QString StatusText() const;
  TZPlaylistNavigator& Navigator() { return navigator_; }
  QMenu& Menu();

  // Commands of the context menu, the keyboard and the hotkeys.
  void RemoveSelected();
  void CropItems();
  void RemoveFilesFromDisk();
  void SortItems(TPlaylistSortOrder order);
  void ClearPlaylist();
  void SelectAll();
  void SelectNone();
  void InvertSelection();
  void EditItem();
  void PlayItems();
  void LoadPlaylist();  // asks for a file, then LoadPlaylistFile with clearFirst
  void SavePlaylist();  // asks for a file name and writes ".zpl"
  // Reads a playlist file; redraws and, with the player idle, plays the cursor entry. Warning
  // 300 when the file is not a playlist.
  bool LoadPlaylistFile(const QString& fileName, bool clearFirst);
  // Files dropped from the shell, in their order ("PLOnDragDropMode").
  void DropFiles(const QStringList& names);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TZListControl;
  void PaintList(QPainter& painter);
  void PaintStatus();
  void ListMousePress(QMouseEvent* event);
  void ListDoubleClick();
  // Dragging an entry with the left button moves it through the list.
  void ListMouseMove(QMouseEvent* event);
  void ListMouseRelease() { dragIndex_ = -1; }
  bool KeyPress(QKeyEvent* event);
  void Wheel(int steps);
  void MoveCursor(int step, bool shift);
  void SelectTo(int end);
  void UpdateScrollBar();
  void OnLayoutChanged();
  void BuildMenu();
  void WireFrame();
  // A long operation: shows `textNumber` in the title, lets pending events run once, does the
  // work, redraws, then restores the title.
  void Busy(int textNumber, const std::function<void()>& work);
  void ShowStatus(int picture);
  int PlayerStatusPicture() const;
  bool ready() const;

  TfrmPlaylist& form_;
  TZPlaylist& playlist_;
  TZPlaylistPlayer& player_;
  const TZGUI& skin_;
  TZConfig& config_;
  const TZLanguage& language_;
  TZPlaylistNavigator navigator_;
  TZPlaylistWindowHooks hooks_;
  TZListPainter painter_;
  TZListControl* list_;
  qint64 topRow_ = 0;
  int firstDrawn_ = 0;
  int afterLastDrawn_ = 0;
  int clickedIndex_ = -1;
  int wheelPending_ = 0;
  int dragIndex_ = -1;  // the entry a plain left press picked up, -1 when none  // wheel angle not
                        // yet a whole notch
  QString lastDir_;
};
