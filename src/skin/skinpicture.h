#pragma once
// The skin picture: a Windows bitmap of any depth, taken as the 24-bit picture pieces are cut from.

#include <QByteArray>
#include <QImage>

// Decodes a bitmap file's bytes into Format_RGB888; a null picture when they are no picture.
QImage DecodeSkinPicture(const QByteArray& bytes);
