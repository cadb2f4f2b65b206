#pragma once
// Where the playlist window's list, status bar and scroll thumb go for a window size.

#include <QMargins>
#include <QRect>
#include <QSize>

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
