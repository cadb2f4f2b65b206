#pragma once
// The window backgrounds of the built-in skin. Fixed windows are drawn whole; resizable windows
// are drawn as a small model window that is cut into nine frame pieces.

#include <QImage>
#include <vector>

// Canvases of 300 x 100, transparent outside the window shape.
QImage MainBackground();
QImage MediaBackground();
QImage FullscreenBackground();

enum class FrameKind { Playlist, Video };

// The nine 10 x 10 frame pieces in grid order (top-left, top, top-right, left, centre, ...).
std::vector<QImage> FramePieces(FrameKind kind);

// Builds a resizable window's background from its nine pieces the way the windows do.
QImage ComposeFrame(const std::vector<QImage>& pieces, int width, int height);

// Turns an opaque picture back into a canvas: transparent-colour pixels become transparent.
QImage Soften(const QImage& picture);
