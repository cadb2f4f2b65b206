#include "skinlayout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

SkinPiece Button(const char* name, int x, int y, int w, int h, bool shown = true) {
  return {name, QRect(x, y, w, h), 4, 2, Stacking::Vertical, KeyUse::None, shown};
}

SkinPiece Caption(const char* name, int x, int y, KeyUse keyUse) {
  return {name, QRect(x, y, 212, 11), 2, 2, Stacking::Vertical, keyUse};
}

SkinPiece Frame(const char* name, int x, int y) {
  return {name, QRect(x, y, 10, 10), 9, 2, Stacking::Grid3x3, KeyUse::Outline};
}

SkinPiece Single(const char* name, int x, int y, int w, int h, KeyUse keyUse = KeyUse::None) {
  return {name, QRect(x, y, w, h), 1, 0, Stacking::Vertical, keyUse};
}

SkinPiece Pair(const char* name, int x, int y, int w, int h) {
  return {name, QRect(x, y, w, h), 2, 2, Stacking::Vertical, KeyUse::None};
}

std::vector<SkinPiece> MakePieces() {
  return {
      // Main window.
      Single("main.surface", 0, 0, 300, 100, KeyUse::Outline),
      Caption("main.caption", 302, 143, KeyUse::None),
      Button("main.close", 302, 0, 11, 11),
      Button("main.minimize", 315, 0, 11, 11),
      Single("main.analyser", 328, 0, 84, 25),
      Single("main.title", 328, 31, 184, 13),
      Pair("main.positionBar", 0, 115, 288, 15),
      Button("main.rewind", 302, 52, 21, 17),
      Button("main.play", 325, 52, 21, 17),
      Button("main.pause", 348, 52, 21, 17),
      Button("main.stop", 371, 52, 21, 17),
      Button("main.forward", 394, 52, 21, 17),
      Button("main.eject", 417, 52, 21, 17),
      Pair("main.volumeBar", 440, 52, 56, 12),
      Single("main.balance", 440, 92, 46, 10),
      Pair("main.balanceKnob", 440, 104, 12, 10),
      Button("main.mute", 564, 52, 20, 10),
      Button("main.playMode", 542, 52, 20, 10),
      Button("main.autoFullscreen", 520, 52, 20, 10),
      Button("main.autoVideoResize", 498, 52, 20, 10),
      Button("main.playlistToggle", 42, 172, 24, 10, false),
      Button("main.equalizerToggle", 68, 172, 24, 10, false),
      Button("main.settings", 94, 172, 24, 10, false),
      {"main.time", QRect(302, 128, 9, 13), 13, 2, Stacking::Horizontal, KeyUse::BlankGlyph},
      Single("main.status0", 527, 0, 10, 10),
      Single("main.status1", 527, 12, 10, 10),
      Single("main.status2", 527, 24, 10, 10),
      Single("main.status3", 527, 36, 10, 10),
      Single("main.status4", 539, 0, 10, 10),
      Single("main.menuSide", 338, 169, 29, 241),
      // Playlist window.
      Frame("playlist.frame", 0, 149),
      Single("playlist.grip", 46, 162, 10, 10, KeyUse::Outline),
      Caption("playlist.caption", 58, 149, KeyUse::Outline),
      Pair("playlist.thumb", 36, 162, 8, 20),
      Single("playlist.menuSide", 0, 185, 29, 374),
      Single("playlist.statusBar", 72, 411, 10, 14),
      {"playlist.fileIcons", QRect(516, 143, 32, 32), 7, 2, Stacking::Vertical, KeyUse::Background},
      // Media controls window.
      Single("media.surface", 36, 206, 300, 100, KeyUse::Outline),
      Caption("media.caption", 72, 308, KeyUse::None),
      Single("media.seekBackground", 36, 308, 10, 63),
      Pair("media.seekKnob", 48, 308, 10, 12),
      Single("media.menuSide", 431, 169, 29, 84),
      // Video window.
      Frame("video.frame", 36, 399),
      Single("video.grip", 72, 399, 10, 10, KeyUse::Outline),
      Caption("video.caption", 36, 373, KeyUse::Outline),
      Single("video.menuSide", 369, 169, 29, 290),
      Single("video.dvdMenuSide", 400, 169, 29, 366),
      // Fullscreen control window (its other controls share the main window's pictures).
      Single("fullscreen.surface", 36, 446, 300, 100, KeyUse::Outline),
      Single("fullscreen.title", 36, 548, 276, 13),
  };
}

}  // namespace

const std::vector<SkinPiece>& SkinPieces() {
  static const std::vector<SkinPiece> pieces = MakePieces();
  return pieces;
}

const SkinPiece& FindPiece(const char* name) {
  for (const SkinPiece& piece : SkinPieces()) {
    if (std::strcmp(piece.name, name) == 0) {
      return piece;
    }
  }
  std::fprintf(stderr, "skingen: no skin piece named %s\n", name);
  std::abort();
}

std::vector<QRect> PictureRects(const SkinPiece& piece) {
  std::vector<QRect> rects;
  const int w = piece.first.width();
  const int h = piece.first.height();
  for (int i = 0; i < piece.count; ++i) {
    QPoint offset;
    switch (piece.stacking) {
      case Stacking::Vertical:
        offset = QPoint(0, i * (h + piece.gap));
        break;
      case Stacking::Horizontal:
        offset = QPoint(i * (w + piece.gap), 0);
        break;
      case Stacking::Grid3x3:
        offset = QPoint((i % 3) * (w + piece.gap), (i / 3) * (h + piece.gap));
        break;
    }
    rects.push_back(piece.first.translated(offset));
  }
  return rects;
}
