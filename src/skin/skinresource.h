#pragma once
// The built-in skin's picture, compiled into the program.

#include <QImage>

// The built-in picture as a 24-bit picture; null when the program carries none.
QImage BuiltInSkinPicture();
