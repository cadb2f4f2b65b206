#pragma once
// The pictures that dress whole windows: caption bars, resize grips, the playlist's scroll
// thumb, status bar and file-type icons, and the side bands of the popup menus.

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "artkit.h"

// Caption bars (0 inactive, 1 active) on a fixed window, drawn over `under`.
Pictures WindowCaption(const QImage& under, const QString& title);

// Caption bars of a resizable window: they start on its top-left frame corner.
// The playlist window shows its caption piece from the left; the video window centres it.
enum class CaptionPlacement { Left, Centred };
Pictures FrameCaption(const std::vector<QImage>& frame, const QString& title,
                      CaptionPlacement placement);

// The resize grip: the bottom-right frame corner with grip dots.
Pictures Grip(const std::vector<QImage>& frame);

// The playlist scroll thumb (0 resting, 1 dragged), on the frame's scroll track.
Pictures Thumb(const std::vector<QImage>& frame);

// The playlist status bar piece, tiled along the list.
Pictures StatusBar();

// Playlist icons by media kind: 0 audio, 1 audio CD, 2 internet stream, 3 video, 4 video
// stream, 5 DVD, 6 other. Drawn on tiles so they stay legible at text-row size.
Pictures FileIcons();

// Vertical band beside a popup menu, reading upwards: "Z" in the accent, then the menu's name.
Pictures MenuSide(const QSize& size, const QString& name);
