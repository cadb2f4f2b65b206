#pragma once
// Window shapes and see-through control pictures cut from a skin's transparent colour.

#include <QColor>
#include <QImage>
#include <QRegion>
#include <span>

// Everything of the picture's rectangle except the pixels of exactly the transparent colour.
QRegion BuildMaskRegion(const QImage& picture, QColor transparent);

// True when any pixel of any of the pictures has exactly the transparent colour.
bool HasTransparentPixels(std::span<const QImage> pictures, QColor transparent);

// The picture ready for display: pixels of the transparent colour become fully see-through
// when seeThrough is set, everything else stays as it is.
QImage PrepareForDisplay(const QImage& picture, QColor transparent, bool seeThrough);
