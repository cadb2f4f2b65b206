#include "playlist/window/playlistwindow.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <optional>

#include "base/errorcatalogue.h"
#include "components/ui/messagebox.h"
#include "config/config.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/playlistfiles.h"
#include "skin/controls/framecompose.h"
#include "ui/skinwindows.h"

namespace {

constexpr int kPageRows = 10;
constexpr int kWheelStep = 120;

// The sort submenu's items in menu order and the order each applies; item i shows text
// kTextSortCaption + i.
constexpr TPlaylistSortOrder kSortMenu[] = {psoCaption, psoFileName, psoTime,   psoTrack,
                                            psoAudio,   psoVideo,    psoRandom, psoReverse};
static_assert(std::size(kSortMenu) == kTextSortReverse - kTextSortCaption + 1);

int StatusPictureOf(const TZPlaylistPlayer& player) {
  if (player.Paused()) {
    return 3;
  }
  return player.Playing() ? 2 : 0;
}

}  // namespace

// The list area of the playlist window: a control of its skinned host, so it is composed into
// the window's face with the frame beneath it.
class TZListControl : public TZSkinControl {
 public:
  TZListControl(TfrmPlaylist& form, TZPlaylistWindow& window)
      : TZSkinControl(&form), window_(window) {
    setObjectName(QStringLiteral("lbPlaylist"));
  }

  void paint(QPainter& painter) override { window_.PaintList(painter); }
  void mousePressEvent(QMouseEvent* event) override { window_.ListMousePress(event); }
  void mouseDoubleClickEvent(QMouseEvent*) override { window_.ListDoubleClick(); }
  void mouseMoveEvent(QMouseEvent* event) override { window_.ListMouseMove(event); }
  void mouseReleaseEvent(QMouseEvent*) override { window_.ListMouseRelease(); }

 private:
  TZPlaylistWindow& window_;
};

TZPlaylistWindow::TZPlaylistWindow(TfrmPlaylist& form, TZPlaylist& playlist,
                                   TZPlaylistPlayer& player, const TZGUI& skin, TZConfig& config,
                                   const TZLanguage& language)
    : form_(form),
      playlist_(playlist),
      player_(player),
      skin_(skin),
      config_(config),
      language_(language),
      navigator_(playlist, player, this),
      list_(new TZListControl(form, *this)) {
  form_.setFocusPolicy(Qt::StrongFocus);
  form_.setAcceptDrops(true);
  form_.installEventFilter(this);
  form_.ScrollThumb->setDragChangesPosition(true);
  connect(form_.ScrollThumb, &TZSkinThumb::positionChanged, this, [this](qint64 position) {
    topRow_ = position;
    list_->update();
  });
  connect(&form_, &TfrmPlaylist::listLayoutChanged, this, [this] { OnLayoutChanged(); });
  WireFrame();
  ApplyTexts();
  OnLayoutChanged();
}

TZPlaylistWindow::~TZPlaylistWindow() {
  form_.removeEventFilter(this);
  form_.popmPlaylist->clear();
  delete list_;
}

bool TZPlaylistWindow::ready() const {
  return skin_.Loaded;
}

QMenu& TZPlaylistWindow::Menu() {
  return *form_.popmPlaylist;
}

int TZPlaylistWindow::VisibleRows() const {
  return painter_.VisibleRows(form_.listRect().height());
}

void TZPlaylistWindow::OnLayoutChanged() {
  if (ready()) {
    painter_.SetSkin(skin_.Playlist, skin_.TransparentColor);
  }
  list_->setGeometry(form_.listRect());
  Redraw();
}

void TZPlaylistWindow::ApplySkin() {
  ApplyTexts();
  OnLayoutChanged();
}

void TZPlaylistWindow::Redraw() {
  SetTopRow(topRow_);
  list_->update();
  PaintStatus();
}

void TZPlaylistWindow::SetTopRow(qint64 row) {
  const int count = playlist_.Count();
  const int visible = VisibleRows();
  topRow_ = std::clamp<qint64>(row, 0, std::max(0, count - visible));
  firstDrawn_ = int(topRow_);
  afterLastDrawn_ = int(topRow_) + std::min(count, visible);
  UpdateScrollBar();
  list_->update();
}

void TZPlaylistWindow::UpdateScrollBar() {
  const qint64 max = std::max(0, playlist_.Count() - VisibleRows());
  form_.ScrollThumb->setRange(max, topRow_);
  form_.ScrollThumb->image()->setVisible(ready() && max > 0);
}

void TZPlaylistWindow::CentreEntry(int index) {
  SetTopRow(qint64(index) - VisibleRows() / 2);
}

void TZPlaylistWindow::ScrollToRemembered(int index) {
  TZPlaylistEntry* entry = playlist_.Get(index);
  if (!entry) {
    return;
  }
  playlist_.SelectNone();
  entry->Selected = true;
  CentreEntry(index);
  Redraw();
}

void TZPlaylistWindow::PaintList(QPainter& painter) {
  if (!ready()) {
    return;
  }
  const TZListColumns columns{config_.PLDrawNumbers, config_.PLDrawTime,
                              config_.PLDrawFileTypeIcons};
  const TZListPaintResult result = painter_.Paint(painter, list_->size(), playlist_, topRow_,
                                                  columns, language_.Text(kTextNoEntries));
  firstDrawn_ = result.FirstDrawn;
  afterLastDrawn_ = result.AfterLastDrawn;
}

QString TZPlaylistWindow::StatusText() const {
  const qint64 seconds = playlist_.TotalTimeMs() / 1000;
  return FormatText(language_.Text(kTextPlaylistSummary),
                    {playlist_.Count(), seconds / 86400, (seconds / 3600) % 24, (seconds / 60) % 60,
                     seconds % 60});
}

void TZPlaylistWindow::PaintStatus() {
  TZSkinImage& bar = *form_.imgStatusBar;
  if (!ready() || !bar.isVisible() || bar.size().isEmpty()) {
    return;
  }
  const TZSStatusBar& status = skin_.Playlist.StatusBar;
  QImage picture = ComposeStatusBar(status.Picture, bar.size());
  if (config_.SBTextAlign != taNone) {
    QFont font(status.FontName);
    font.setPointSize(std::max(1, status.FontSize));
    const QFontMetrics metrics(font);
    const QString text = FitText(metrics, StatusText(), picture.width());
    const int width = metrics.horizontalAdvance(text);
    int x = 0;
    if (config_.SBTextAlign == taRight) {
      x = picture.width() - width;
    } else if (config_.SBTextAlign == taCenter) {
      x = (picture.width() - width) / 2;
    }
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(QColor(status.FontColor));
    painter.drawText(x, (picture.height() - metrics.height()) / 2 + metrics.ascent(), text);
  }
  bar.setOpaquePicture(picture);
}

void TZPlaylistWindow::SelectTo(int end) {
  playlist_.SelectionEnd = end;
  playlist_.SelectNone();
  if (playlist_.SelectionAnchor == -1) {
    if (TZPlaylistEntry* entry = playlist_.Get(playlist_.PlaylistCursor)) {
      entry->Selected = true;
    }
    return;
  }
  playlist_.SelectRange();
}

void TZPlaylistWindow::ListMousePress(QMouseEvent* event) {
  playlist_.PlaylistCursor = -1;
  dragIndex_ = -1;
  const bool right = event->button() == Qt::RightButton;
  if ((event->button() != Qt::LeftButton && !right) || !ready() || playlist_.Count() == 0) {
    return;
  }
  const int visible = VisibleRows();
  if (visible <= 0 || RowHeight() <= 0) {
    return;
  }
  const int row = (int(event->position().y()) / RowHeight()) % visible;
  if (row >= playlist_.Count()) {
    clickedIndex_ = -1;
    playlist_.SelectNone();
    Redraw();
    return;
  }
  const int index = int(topRow_) + row;
  TZPlaylistEntry& entry = *playlist_.Get(index);
  playlist_.PlaylistCursor = index;
  if (event->modifiers() & Qt::ControlModifier) {
    entry.Selected = !entry.Selected;
  } else if (event->modifiers() & Qt::ShiftModifier) {
    SelectTo(index);
  } else {
    playlist_.SelectionAnchor = index;
    clickedIndex_ = index;
    if (!(right && entry.Selected)) {
      playlist_.SelectNone();
    }
    entry.Selected = true;
    dragIndex_ = right ? -1 : index;
  }
  Redraw();
}

void TZPlaylistWindow::ListMouseMove(QMouseEvent* event) {
  if (dragIndex_ < 0 || !(event->buttons() & Qt::LeftButton) || RowHeight() <= 0) {
    return;
  }
  const int row =
      std::clamp(int(event->position().y()) / RowHeight(), 0, std::max(0, VisibleRows() - 1));
  const int target = std::min(int(topRow_) + row, playlist_.Count() - 1);
  if (target == dragIndex_ || target < 0) {
    return;
  }
  playlist_.Move(dragIndex_, target);
  dragIndex_ = target;
  playlist_.PlaylistCursor = target;
  playlist_.SelectionAnchor = target;
  clickedIndex_ = target;
  Redraw();
}

void TZPlaylistWindow::ListDoubleClick() {
  if (playlist_.PlaylistCursor != -1) {
    PlayItems();
  }
}

void TZPlaylistWindow::MoveCursor(int step, bool shift) {
  int& cursor = playlist_.PlaylistCursor;
  const int target = cursor + step;
  if (target < 0 || target >= playlist_.Count()) {
    return;
  }
  playlist_.SelectNone();
  cursor = target;
  if (!shift) {
    playlist_.SelectionAnchor = cursor;
  }
  playlist_.Get(cursor)->Selected = true;
  if (step > 0 && cursor == afterLastDrawn_) {
    SetTopRow(topRow_ + 1);
  } else if (step < 0 && cursor == firstDrawn_ - 1) {
    SetTopRow(topRow_ - 1);
  }
  if (shift) {
    SelectTo(cursor);
  }
}

bool TZPlaylistWindow::KeyPress(QKeyEvent* event) {
  if (!ready() || playlist_.Count() == 0) {
    return false;
  }
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const int last = playlist_.Count() - 1;
  switch (event->key()) {
    case Qt::Key_A:
      if (!(event->modifiers() & Qt::ControlModifier)) {
        return false;
      }
      playlist_.SelectAll();
      break;
    case Qt::Key_Down:
      MoveCursor(1, shift);
      break;
    case Qt::Key_Up:
      MoveCursor(-1, shift);
      break;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
      const bool down = event->key() == Qt::Key_PageDown;
      SetTopRow(topRow_ + (down ? kPageRows : -kPageRows));
      if (shift) {
        playlist_.PlaylistCursor = down ? last : 0;
        SelectTo(playlist_.PlaylistCursor);
      }
      break;
    }
    case Qt::Key_End:
      SetTopRow(last + 1);
      break;
    case Qt::Key_Home:
      SetTopRow(0);
      break;
    case Qt::Key_Delete:
      RemoveSelected();
      return true;
    default:
      return false;
  }
  Redraw();
  return true;
}

void TZPlaylistWindow::Wheel(int steps) {
  if (!ready() || playlist_.Count() == 0) {
    return;
  }
  SetTopRow(topRow_ - qint64(steps) * kPageRows);
  Redraw();
}

bool TZPlaylistWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &form_) {
    return false;
  }
  switch (event->type()) {
    case QEvent::Close:
      event->ignore();  // shown and hidden by the main window only
      return true;
    case QEvent::KeyPress:
      return KeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::Wheel: {
      // Whole notches only, so that fine-grained touchpads do not race through the list.
      wheelPending_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
      const int steps = wheelPending_ / kWheelStep;
      wheelPending_ -= steps * kWheelStep;
      if (steps != 0) {
        Wheel(steps);
      }
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData()->hasUrls()) {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      QStringList names;
      for (const QUrl& url : drop->mimeData()->urls()) {
        names << (url.isLocalFile() ? url.toLocalFile() : url.toString());
      }
      drop->acceptProposedAction();
      DropFiles(names);
      return true;
    }
    case QEvent::ContextMenu: {
      auto* menu = static_cast<QContextMenuEvent*>(event);
      if (form_.listRect().contains(menu->pos())) {
        form_.popmPlaylist->popup(menu->globalPos());
        return true;
      }
      if (form_.imgCaptionbar->geometry().contains(menu->pos()) && hooks_.captionMenu) {
        hooks_.captionMenu(menu->globalPos());
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

int TZPlaylistWindow::PlayerStatusPicture() const {
  return StatusPictureOf(player_);
}

void TZPlaylistWindow::Busy(int textNumber, const std::function<void()>& work) {
  const QString saved = hooks_.title ? hooks_.title() : QString();
  if (hooks_.setTitle) {
    hooks_.setTitle(language_.Text(textNumber));
  }
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  work();
  Redraw();
  if (hooks_.setTitle) {
    hooks_.setTitle(saved);
  }
}

void TZPlaylistWindow::ShowStatus(int picture) {
  if (hooks_.showStatusPicture) {
    hooks_.showStatusPicture(picture);
  }
}

void TZPlaylistWindow::RemoveSelected() {
  Busy(kTextDeletingItems, [this] {
    int removed = 0;
    for (int i = 0; i < playlist_.Count(); ++i) {
      removed += playlist_.Get(i)->Selected ? 1 : 0;
    }
    playlist_.DeleteSelected();
    topRow_ = std::max<qint64>(0, topRow_ - removed);
    playlist_.SelectionAnchor = -1;
    playlist_.SelectionEnd = -1;
  });
}

void TZPlaylistWindow::CropItems() {
  playlist_.InvertSelection();
  RemoveSelected();
}

void TZPlaylistWindow::RemoveFilesFromDisk() {
  const QString question = language_.Text(kTextConfirmDeleteFiles);
  const bool yes =
      hooks_.confirm
          ? hooks_.confirm(question)
          : ShowMessageBox(QMessageBox::Question, QStringLiteral("Zephonic"), question,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
  if (!yes) {
    return;
  }
  // Only local files are deleted; an entry whose file stays (a URL, a CD track, a file that
  // could not be deleted) stays in the list too.
  for (int i = 0; i < playlist_.Count(); ++i) {
    TZPlaylistEntry& entry = *playlist_.Get(i);
    if (entry.Selected) {
      entry.Selected = QFileInfo(entry.FileName).isFile() && QFile::remove(entry.FileName);
    }
  }
  RemoveSelected();
}

void TZPlaylistWindow::SortItems(TPlaylistSortOrder order) {
  ShowStatus(4);
  Busy(kTextSorting, [this, order] { playlist_.Sort(order); });
  ShowStatus(PlayerStatusPicture());
}

void TZPlaylistWindow::ClearPlaylist() {
  playlist_.ClearPlaylist();
  topRow_ = 0;
  Redraw();
}

void TZPlaylistWindow::SelectAll() {
  playlist_.SelectAll();
  Redraw();
}

void TZPlaylistWindow::SelectNone() {
  playlist_.SelectNone();
  Redraw();
}

void TZPlaylistWindow::InvertSelection() {
  playlist_.InvertSelection();
  Redraw();
}

void TZPlaylistWindow::EditItem() {
  if (playlist_.Get(clickedIndex_) && hooks_.editItem) {
    hooks_.editItem(clickedIndex_);
  }
}

void TZPlaylistWindow::PlayItems() {
  navigator_.PlayCursorEntry(config_.OFACheckIsValidFile);
}

bool TZPlaylistWindow::LoadPlaylistFile(const QString& fileName, bool clearFirst) {
  QString error;
  const TPlaylistReadResult result = ReadPlaylistFile(fileName, playlist_, clearFirst, &error);
  if (result == prFailed) {
    ReportError(300, QStringLiteral("TZPlaylist"), error, false);
  }
  if (result != prLoaded) {
    return false;
  }
  if (clearFirst) {
    topRow_ = 0;
  }
  Redraw();
  if (!player_.Playing() && !player_.Paused()) {
    PlayItems();
  }
  return true;
}

void TZPlaylistWindow::LoadPlaylist() {
  const QString name = QFileDialog::getOpenFileName(
      &form_, language_.Text(kTextListLoad), lastDir_,
      QStringLiteral("Supported Playlists (*.zpl *.pls *.m3u);;Zephonic Playlist (*.zpl);;"
                     "M3U Playlist (*.m3u);;ShoutCast Playlist (*.pls)"));
  if (!name.isEmpty()) {
    lastDir_ = QFileInfo(name).path();
    LoadPlaylistFile(name, true);
  }
}

void TZPlaylistWindow::SavePlaylist() {
  QFileDialog dialog(&form_, language_.Text(kTextListSave), lastDir_,
                     QStringLiteral("Zephonic Playlist (*.zpl)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("zpl"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return;
  }
  const QString name = dialog.selectedFiles().first();
  lastDir_ = QFileInfo(name).path();
  if (!WriteZplFile(name, playlist_)) {
    ShowMessageBox(QMessageBox::Warning, QStringLiteral("Zephonic"),
                   QStringLiteral("Cannot write '%1'.").arg(name), QMessageBox::Ok,
                   QMessageBox::Ok);
  }
}

void TZPlaylistWindow::DropFiles(const QStringList& names) {
  const int mode = config_.PLOnDragDropMode;
  if (mode == 0) {
    return;
  }
  ShowStatus(4);
  Busy(kTextAddingFiles, [&] {
    TZMediaAdder adder(playlist_, config_, hooks_.setTitle);
    if (mode == 2) {
      playlist_.ClearPlaylist();
      topRow_ = 0;
    }
    for (const QString& name : names) {
      const QFileInfo info(name);
      if (info.isFile() && IsPlaylistFile(name)) {
        LoadPlaylistFile(name, mode == 2);
      } else if (info.isFile()) {
        adder.AddPath(name);
      } else if (info.isDir()) {
        QStringList files;
        ScanFolder(name, QStringLiteral("*.*"), true, &files);
        for (const QString& file : files) {
          adder.AddPath(file);
        }
      }
    }
  });
  ShowStatus(0);
}

void TZPlaylistWindow::WireFrame() {
  connect(form_.imgCaptionbar, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      return;
    }
    form_.activateWindow();
    form_.StartMove(*event);
  });
  connect(form_.imgCaptionbar, &TZSkinImage::mouseDoubleClicked, this, [this] {
    if (hooks_.mainWindowFrame) {
      const QRect main = hooks_.mainWindowFrame();
      form_.move(main.left(), main.top() + main.height());
    }
  });
  connect(form_.imgResizer, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    QWindow* window = form_.windowHandle();
    if (event->button() == Qt::LeftButton && window) {
      window->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
    }
  });
  connect(form_.imgResizer, &TZSkinImage::mouseDoubleClicked, this,
          [this] { form_.resize(skin_.Playlist.Frame.DefaultSize); });
}

void TZPlaylistWindow::ApplyTexts() {
  form_.popmPlaylist->clear();
  BuildMenu();
}

void TZPlaylistWindow::BuildMenu() {
  QMenu& menu = *form_.popmPlaylist;
  const auto item = [this](QMenu& into, int text, auto action) {
    connect(into.addAction(language_.Text(text)), &QAction::triggered, this, action);
  };
  const auto hook = [this](std::function<void()> TZPlaylistWindowHooks::*member) {
    return [this, member] {
      if (hooks_.*member) {
        (hooks_.*member)();
      }
    };
  };
  item(menu, kTextListAddFiles, hook(&TZPlaylistWindowHooks::addFiles));
  item(menu, kTextListAddDirectory, hook(&TZPlaylistWindowHooks::addDirectory));
  item(menu, kTextListAddMedium, hook(&TZPlaylistWindowHooks::addDisc));
  item(menu, kTextListAddUrl, hook(&TZPlaylistWindowHooks::addUrl));
  menu.addSeparator();
  item(menu, kTextListPlayItems, [this] { PlayItems(); });
  item(menu, kTextListRefreshTags, [this] {
    if (hooks_.refreshTags) {
      hooks_.refreshTags();
    }
    Redraw();
  });
  item(menu, kTextListFileInformation, [this] { EditItem(); });
  menu.addSeparator();
  item(menu, kTextListRemoveSelected, [this] { RemoveSelected(); });
  item(menu, kTextListDeleteFiles, [this] { RemoveFilesFromDisk(); });
  item(menu, kTextListCropItems, [this] { CropItems(); });
  menu.addSeparator();
  QMenu* sort = menu.addMenu(language_.Text(kTextListSortItems));
  for (int i = 0; i < int(std::size(kSortMenu)); ++i) {
    const TPlaylistSortOrder order = kSortMenu[i];
    item(*sort, kTextSortCaption + i, [this, order] { SortItems(order); });
  }
  item(menu, kTextListFindItem, hook(&TZPlaylistWindowHooks::findItem));
  menu.addSeparator();
  item(menu, kTextListSelectAll, [this] { SelectAll(); });
  item(menu, kTextListSelectNone, [this] { SelectNone(); });
  item(menu, kTextListInvertSelection, [this] { InvertSelection(); });
  menu.addSeparator();
  item(menu, kTextListClear, [this] { ClearPlaylist(); });
  menu.addSeparator();
  item(menu, kTextListLoad, [this] { LoadPlaylist(); });
  item(menu, kTextListSave, [this] { SavePlaylist(); });
}
