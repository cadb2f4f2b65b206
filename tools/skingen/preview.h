#pragma once
// A picture of the skinned windows as a user sees them, put together from the skin picture
// the way the windows place its pieces. Used to judge the artwork.

#include <QImage>

QImage DrawPreview(const QImage& sheet);
