#pragma once
// Draws the rows of the playlist that show, straight from the playlist, in the skin's font,
// colours, fill and frame styles: number, file-type icon, caption cut with "..." and time.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <array>

#include "playlist/playlist.h"
#include "skin/zgui.h"

// What the rows show ("PLDrawNumbers", "PLDrawTime", "PLDrawFileTypeIcons").
struct TZListColumns {
  bool Numbers = true;
  bool Time = true;
  bool Icons = false;
};

// What one paint decided, remembered for the keyboard and the scroll bar.
struct TZListPaintResult {
  qint64 TopRow = 0;       // after the paint's own correction
  int FirstDrawn = 0;      // index of the first drawn entry
  int AfterLastDrawn = 0;  // index after the last drawn entry
  bool ScrollBarShown = false;
};

// The icon of a media kind in the skin's strip of seven, or -1 for none.
int FileIconIndex(TMediaKind kind);

// The caption as drawn in `room` pixels: whole when it fits, else its longest beginning that
// fits with "..." appended.
QString FitText(const QFontMetrics& metrics, const QString& text, int room);

// The number column of entry `index` in a list of `count`: the digits padded on the left to as
// many places as count has. `padding` receives the number of blank places.
QString EntryNumber(int index, int count, int* padding);

class TZListPainter {
 public:
  // Takes the skin's list font and icons; call again after every skin change.
  void SetSkin(const TZSPlaylist& skin, QRgb transparent);

  int RowHeight() const { return rowHeight_; }
  const QFont& font() const { return font_; }
  // Whole rows in a list of `height` pixels.
  int VisibleRows(int height) const { return rowHeight_ > 0 ? height / rowHeight_ : 0; }

  // Paints the rows over the list area (origin at the list's top-left) and corrects topRow.
  // `emptyText` is shown for an empty playlist.
  TZListPaintResult Paint(QPainter& painter, QSize list, const TZPlaylist& playlist, qint64 topRow,
                          const TZListColumns& columns, const QString& emptyText);

 private:
  void PaintRow(QPainter& painter, int width, int y, const TZPlaylistEntry& entry, int index,
                int count, const TZListColumns& columns);
  void PaintNumber(QPainter& painter, int x, int y, int index, int count);
  void SetRowStyle(QPainter& painter, const TZSRowStyle& fill, const TZSRowStyle& frame);
  // The width of the number column as the caption's start measures it.
  int NumberWidth(int index, int count) const;
  const QImage& Icon(int index);

  const TZSPlaylist* skin_ = nullptr;
  QFont font_;
  QFontMetrics metrics_{QFont()};
  int rowHeight_ = 0;
  int digitWidth_ = 0;
  QRgb transparent_ = 0;
  // Styles a code outside the known ones leaves as they were.
  Qt::BrushStyle brushStyle_ = Qt::SolidPattern;
  Qt::PenStyle penStyle_ = Qt::SolidLine;
  std::array<QImage, 7> icons_;  // scaled to the row height, prepared on first use
};
