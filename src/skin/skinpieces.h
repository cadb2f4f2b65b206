#pragma once
// Every picture piece of the skin record and the rectangle of the skin picture it comes from.

#include <QImage>
#include <vector>

#include "skin/zgui.h"

// Where a piece lies in the skin picture. Coordinates are 64-bit because a description may
// hold any integers and stacking multiplies them.
struct SkinPieceSource {
  qint64 x = 0;
  qint64 y = 0;
  int width = 0;
  int height = 0;
};

struct SkinPiece {
  QImage* picture;
  SkinPieceSource source;
};

// All pieces of the record, in element order, with stacked pieces laid out by their gaps.
std::vector<SkinPiece> SkinPieces(TZGUI& skin);

// Makes every piece and the scroll labels' drawing pictures empty 24-bit pictures.
void CreateEmptyPieces(TZGUI& skin);

// Cuts every piece from the (blended, 24-bit) skin picture; copying is clipped to the picture,
// and the part of a piece that lies outside it is black.
void CutSkinPieces(TZGUI& skin, const QImage& picture);

// Copies one rectangle of a picture into a new 24-bit picture of the rectangle's size,
// clipped to the picture; the size is first limited to the picture's own width and height.
QImage CutPiece(const QImage& picture, const SkinPieceSource& source);

// Registers the resources compiled into the skin library (the built-in picture).
void InitSkinResources();
