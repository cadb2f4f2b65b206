#include "skin/zgui.h"

#include "skin/skinpieces.h"

TZGUI& GUI() {
  static TZGUI skin;
  return skin;
}

void FreeSkinPictures(TZGUI& skin) {
  for (const SkinPiece& piece : SkinPieces(skin)) {
    *piece.picture = QImage();
  }
  skin.Main.Title.Picture = QImage();
  skin.VideoFullscreenControl.Title.Picture = QImage();
  skin.Playlist.Frame.Composed = QImage();
  skin.Video.Frame.Composed = QImage();
  skin.Playlist.StatusBar.Composed = QImage();
}
