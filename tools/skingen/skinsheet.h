#pragma once
// The whole built-in skin picture: every piece drawn and placed where the layout table says.

#include <QImage>

// The 591 x 567 skin picture (opaque, 32-bit in memory; save it as 24-bit).
QImage DrawSkinSheet();
