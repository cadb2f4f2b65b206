#pragma once
// Pictures composed from skin pieces: the nine-piece background of resizable windows, the
// playlist's status bar strip and the nine-cell time read-out.

#include <QColor>
#include <QImage>
#include <QSize>
#include <array>
#include <span>

// The nine frame pieces, row by row: top-left, top, top-right, left, centre, right,
// bottom-left, bottom, bottom-right.
using TZFramePieces = std::array<QImage, 9>;

QImage ComposeFrame(const TZFramePieces& pieces, QSize edge, QSize size);

// The status bar strip: white, with the piece tiled over it.
QImage ComposeStatusBar(const QImage& piece, QSize size);

// The nine cells of the time read-out: sign, h h : m m : s s. digits holds h1 h2 m1 m2 s1 s2;
// 0 to 9 draw that glyph, -1 the blank glyph, other values leave the cell in the transparent
// colour. glyphs holds the thirteen glyphs: digits, blank, separator, minus.
QImage DrawTime(std::span<const QImage> glyphs, QSize glyph, int formBorder, QColor transparent,
                bool negative, const std::array<int, 6>& digits);
QSize TimeDisplaySize(QSize glyph, int formBorder);
