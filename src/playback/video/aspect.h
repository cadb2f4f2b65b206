#pragma once
// Where the picture goes inside the video area: the aspect layout for the "Ratio" modes, the
// window size for the "Zoom" items and the source part the digital zoom shows. Pure functions,
// so the window and its tests share one arithmetic.

#include <QRect>
#include <QSize>
#include <optional>

#include "config/config.h"

// How the renderer fits the picture into the rectangle it is given.
enum TZAspectMode { amLetterBox, amStretched, amCrop };

struct TZAspectLayout {
  TZAspectMode Mode = amLetterBox;
  QSize Ratio;    // width : height the picture is shown at
  QRect Picture;  // where the picture goes, in the area's coordinates
};

// The shape and place of the picture for "Ratio" `mode` with the video's `nativeSize` inside
// `area`. Modes outside the known ones, a missing native size or a user ratio below 1 give 1:1.
TZAspectLayout ApplyAspectRatio(TVideoRatio mode, TZUserRatio userRatio, QSize nativeSize,
                                QRect area);

// The largest rectangle of ratio `ratio` inside `area`, centred across the spare direction.
QRect FitPicture(QSize ratio, QRect area);

// The "Zoom" percentages, in menu order.
inline constexpr int ZoomPercents[] = {25, 50, 75, 100, 125, 150, 175, 200};

// The video window's client size for a "Zoom" item: percent × (side div 100), so 100 % of
// 720 × 576 is 700 × 500. Nothing for a percentage not in the menu.
std::optional<QSize> ZoomVideoClientSize(int percent, QSize nativeSize);

// The "Digital-Zoom" values ("Off", "125%", "150%", "175%", "200%"), in menu order.
inline constexpr int DigitalZoomValues[] = {0, 25, 50, 75, 80};

// The middle part of a `source`-sized picture that digital zoom `value` (0 to 99) shows:
// (100 − value) % of its width and height. Nothing for a value out of range.
std::optional<QRect> DigitalZoomSource(QSize source, int value);
