#include "skin/controls/playlistlayout.h"

#include <iterator>

TZPlaylistLayout LayoutPlaylist(QSize window, QSize edge, int captionHeight, const QMargins& insets,
                                int statusHeight, TZSBarSide side, bool statusVisible,
                                bool hidden) {
  const int ew = edge.width();
  const int eh = edge.height();
  const int left = ew + insets.left();
  const int width = window.width() - 2 * ew - insets.left() - insets.right();
  const int top = captionHeight + insets.top();
  const int room = window.height() - captionHeight - eh - insets.top() - insets.bottom();
  TZPlaylistLayout layout;
  layout.StatusBarShown = statusVisible && !hidden;
  if (!layout.StatusBarShown) {
    layout.List = QRect(left, top, width, room);
    layout.StatusBar = QRect(left, top + room, width, statusHeight);
    return layout;
  }
  const int listHeight = room - statusHeight;
  if (side == bsTop) {
    layout.StatusBar = QRect(left, top, width, statusHeight);
    layout.List = QRect(left, top + statusHeight, width, listHeight);
  } else {
    layout.List = QRect(left, top, width, listHeight);
    layout.StatusBar = QRect(left, top + listHeight, width, statusHeight);
  }
  return layout;
}

QRect PlaceVideoPicture(QSize window, QSize edge, int captionHeight, const QMargins& insets) {
  const int ew = edge.width();
  const int eh = edge.height();
  return QRect(ew + insets.left(), captionHeight + insets.top(),
               window.width() - 2 * ew - insets.left() - insets.right(),
               window.height() - captionHeight - eh - insets.top() - insets.bottom());
}

std::optional<Qt::BrushStyle> RowFillStyle(int code) {
  static constexpr Qt::BrushStyle kStyles[] = {
      Qt::NoBrush,      Qt::SolidPattern,     Qt::BDiagPattern, Qt::FDiagPattern,
      Qt::CrossPattern, Qt::DiagCrossPattern, Qt::HorPattern,   Qt::VerPattern};
  if (code < 0 || code >= int(std::size(kStyles))) {
    return std::nullopt;
  }
  return kStyles[code];
}

std::optional<Qt::PenStyle> RowFrameStyle(int code) {
  static constexpr Qt::PenStyle kStyles[] = {Qt::NoPen,   Qt::SolidLine,   Qt::DashLine,
                                             Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
  if (code < 0 || code >= int(std::size(kStyles))) {
    return std::nullopt;
  }
  return kStyles[code];
}
