#include "playlist/window/listpainter.h"

#include "skin/controls/maskregion.h"
#include "skin/controls/playlistlayout.h"

namespace {

const QString kEllipsis = QStringLiteral("...");
const QString kNumberEnd = QStringLiteral(".)  ");

int DigitCount(int value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

int FileIconIndex(TMediaKind kind) {
  switch (kind) {
    case mkBassStream:
    case mkAudio:
      return 0;
    case mkMusicCd:
      return 1;
    case mkBassUrlStream:
      return 2;
    case mkVideo:
      return 3;
    case mkVideoStream:
      return 4;
    case mkDvd:
      return 5;
    case mkUnknown:
      break;
  }
  return -1;
}

QString FitText(const QFontMetrics& metrics, const QString& text, int room) {
  if (metrics.horizontalAdvance(text) <= room) {
    return text;
  }
  // Widths grow with the length, so the longest fitting beginning is found by bisection.
  int fits = 0;
  int tooLong = int(text.size());
  while (tooLong - fits > 1) {
    const int middle = (fits + tooLong) / 2;
    if (metrics.horizontalAdvance(text.left(middle) + kEllipsis) <= room) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  return text.left(fits) + kEllipsis;
}

QString EntryNumber(int index, int count, int* padding) {
  const QString digits = QString::number(index + 1);
  *padding = std::max(0, DigitCount(count) - int(digits.size()));
  return QString(*padding, QLatin1Char(' ')) + digits;
}

void TZListPainter::SetSkin(const TZSPlaylist& skin, QRgb transparent) {
  skin_ = &skin;
  transparent_ = transparent;
  font_ = QFont(skin.FontName);
  font_.setPointSize(std::max(1, skin.FontSize));
  font_.setFixedPitch(false);
  metrics_ = QFontMetrics(font_);
  rowHeight_ = metrics_.height();
  digitWidth_ = metrics_.horizontalAdvance(QLatin1Char('9'));
  icons_ = {};
}

const QImage& TZListPainter::Icon(int index) {
  QImage& icon = icons_[size_t(index)];
  if (icon.isNull()) {
    const QImage prepared =
        PrepareForDisplay(skin_->FileIcons.Icons[size_t(index)], QColor(transparent_), true);
    icon = prepared.scaled(rowHeight_, rowHeight_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  return icon;
}

int TZListPainter::NumberWidth(int index, int count) const {
  int padding = 0;
  const QString number = EntryNumber(index, count, &padding);
  QString measured = number;
  measured.replace(0, padding, QString(padding, QLatin1Char('_')));
  return metrics_.horizontalAdvance(measured + kNumberEnd);
}

void TZListPainter::SetRowStyle(QPainter& painter, const TZSRowStyle& fill,
                                const TZSRowStyle& frame) {
  brushStyle_ = RowFillStyle(fill.Style).value_or(brushStyle_);
  penStyle_ = RowFrameStyle(frame.Style).value_or(penStyle_);
  painter.setBrush(QBrush(QColor(fill.Color), brushStyle_));
  painter.setPen(QPen(QColor(frame.Color), 1, penStyle_));
}

void TZListPainter::PaintNumber(QPainter& painter, int x, int y, int index, int count) {
  int padding = 0;
  const QString number = EntryNumber(index, count, &padding);
  // One place per digit, each as wide as "9", so that the numbers line up.
  for (int place = padding; place < number.size(); ++place) {
    painter.drawText(x + place * digitWidth_, y, QString(number[place]));
  }
  painter.drawText(x + int(number.size()) * digitWidth_, y, kNumberEnd);
}

void TZListPainter::PaintRow(QPainter& painter, int width, int y, const TZPlaylistEntry& entry,
                             int index, int count, const TZListColumns& columns) {
  const TZSPlaylist& skin = *skin_;
  if (entry.Selected) {
    SetRowStyle(painter, skin.SelectedBorderBgStyle, skin.SelectedBorderStyle);
  } else {
    SetRowStyle(painter, skin.NormalBorderBgStyle, skin.NormalBorderStyle);
  }
  painter.drawRect(0, y, width - 1, rowHeight_ - 1);

  const QRgb colour = entry.Played     ? skin.PlayedColor
                      : entry.Selected ? skin.SelectedColor
                                       : skin.NormalColor;
  painter.setPen(QColor(colour));
  const int baseline = y + metrics_.ascent();
  const int iconWidth = columns.Icons ? rowHeight_ : 0;
  int used = iconWidth;
  int captionX = iconWidth;
  if (columns.Icons) {
    const int icon = FileIconIndex(ClassifyMedia(entry.FileName));
    if (icon >= 0) {
      painter.drawImage(0, y, Icon(icon));
    }
  }
  if (columns.Numbers) {
    PaintNumber(painter, iconWidth, baseline, index, count);
    const int numberWidth = NumberWidth(index, count);
    used += numberWidth;
    captionX += numberWidth;
  }
  if (columns.Time) {
    const int timeWidth = metrics_.horizontalAdvance(entry.Time);
    used += timeWidth;
    painter.drawText(width - timeWidth, baseline, entry.Time);
  }
  painter.drawText(captionX, baseline, FitText(metrics_, entry.Caption, width - used));
}

TZListPaintResult TZListPainter::Paint(QPainter& painter, QSize list, const TZPlaylist& playlist,
                                       qint64 topRow, const TZListColumns& columns,
                                       const QString& emptyText) {
  TZListPaintResult result;
  if (!skin_ || rowHeight_ <= 0) {
    return result;
  }
  painter.setFont(font_);
  painter.setBackgroundMode(Qt::TransparentMode);
  const int count = playlist.Count();
  const int visible = VisibleRows(list.height());
  if (count == 0) {
    SetRowStyle(painter, skin_->NormalBorderBgStyle, skin_->NormalBorderStyle);
    painter.drawRect(0, 0, list.width() - 1, rowHeight_ - 1);
    painter.setPen(QColor(skin_->NormalColor));
    painter.drawText(0, metrics_.ascent(), emptyText);
    return result;
  }
  int drawn = count;
  if (count > visible) {
    topRow = std::clamp<qint64>(topRow, 0, count - visible);
    result.ScrollBarShown = true;
    drawn = visible;
  } else {
    topRow = 0;
  }
  result.TopRow = topRow;
  result.FirstDrawn = int(topRow);
  result.AfterLastDrawn = int(topRow) + drawn;
  for (int row = 0; row < drawn; ++row) {
    const int index = int(topRow) + row;
    PaintRow(painter, list.width(), row * rowHeight_, *playlist.Get(index), index, count, columns);
  }
  return result;
}
