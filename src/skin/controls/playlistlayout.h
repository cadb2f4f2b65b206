#pragma once
// Where the playlist window's list, status bar and scroll thumb go for a window size.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <Qt>
#include <optional>

#include "skin/zgui.h"

struct TZPlaylistLayout {
  QRect List;
  QRect StatusBar;
  bool StatusBarShown = true;
};

// edge: the frame's edge piece size; captionHeight: the caption bar's height; insets: the
// list's Borders; statusHeight: the status bar's height; hidden: the settings hide the bar.
TZPlaylistLayout LayoutPlaylist(QSize window, QSize edge, int captionHeight, const QMargins& insets,
                                int statusHeight, TZSBarSide side, bool statusVisible, bool hidden);

// The video picture's place inside the video window.
QRect PlaceVideoPicture(QSize window, QSize edge, int captionHeight, const QMargins& insets);

// The brush of a row's fill style code: 0 none, 1 solid, 2 backward diagonal, 3 forward
// diagonal, 4 cross, 5 diagonal cross, 6 horizontal, 7 vertical hatch. Other codes give nothing:
// the painter keeps the style it had.
std::optional<Qt::BrushStyle> RowFillStyle(int code);
// The pen of a row's frame style code: 0 none, 1 solid, 2 dashed, 3 dotted, 4 dash-dot,
// 5 dash-dot-dot; nothing for other codes.
std::optional<Qt::PenStyle> RowFrameStyle(int code);
