#include "skinsheet.h"

#include <map>
#include <string>

#include "artkit.h"
#include "controlart.h"
#include "skinlayout.h"
#include "windowart.h"
#include "windows.h"

namespace {

using PictureMap = std::map<std::string, Pictures>;

struct Backgrounds {
  QImage main = MainBackground();
  QImage media = MediaBackground();
  QImage fullscreen = FullscreenBackground();
  std::vector<QImage> playlistFrame = FramePieces(FrameKind::Playlist);
  std::vector<QImage> videoFrame = FramePieces(FrameKind::Video);
};

// The part of a window background that lies under a control of the given element.
QImage Under(const QImage& window, const QPoint& formPos, const char* element) {
  return window.copy(QRect(formPos, FindPiece(element).first.size()));
}

void AddMainControls(const QImage& bg, PictureMap& all) {
  all["main.caption"] = WindowCaption(Under(bg, form::kMainCaption, "main.caption"), "ZEPHONIC");
  all["main.close"] = TitleButton(Under(bg, form::kClose, "main.close"), Icon::Close, true);
  all["main.minimize"] =
      TitleButton(Under(bg, form::kMinimize, "main.minimize"), Icon::Minimize, false);
  all["main.positionBar"] = PositionBar(Under(bg, form::kPositionBar, "main.positionBar"));
  const std::pair<const char*, Icon> transport[6] = {
      {"main.rewind", Icon::Previous}, {"main.play", Icon::Play},    {"main.pause", Icon::Pause},
      {"main.stop", Icon::Stop},       {"main.forward", Icon::Next}, {"main.eject", Icon::Eject}};
  for (int i = 0; i < 6; ++i) {
    const auto& [name, icon] = transport[i];
    all[name] = Transport(Under(bg, form::kTransport[i], name), icon);
  }
  all["main.volumeBar"] = VolumeBar(Under(bg, form::kVolumeBar, "main.volumeBar"));
  all["main.balance"] = Balance(Under(bg, form::kBalance, "main.balance"));
  all["main.balanceKnob"] = BalanceKnob(Under(bg, form::kBalance, "main.balanceKnob"));
  const std::tuple<const char*, QPoint, Icon> toggles[7] = {
      {"main.mute", form::kMainMute, Icon::Mute},
      {"main.playMode", form::kPlayMode, Icon::Repeat},
      {"main.autoFullscreen", form::kAutoFullscreen, Icon::Fullscreen},
      {"main.autoVideoResize", form::kAutoVideoResize, Icon::Resize},
      {"main.playlistToggle", form::kPlaylistToggle, Icon::Playlist},
      {"main.equalizerToggle", form::kEqualizerToggle, Icon::Equalizer},
      {"main.settings", form::kSettingsButton, Icon::Gear}};
  for (const auto& [name, pos, icon] : toggles) {
    all[name] = Toggle(Under(bg, pos, name), icon);
  }
}

void AddMainDisplay(const QImage& bg, PictureMap& all) {
  all["main.analyser"] = Screen(Under(bg, form::kAnalyser, "main.analyser"), true);
  all["main.title"] = Screen(Under(bg, form::kMainTitle, "main.title"), false);
  all["main.time"] = TimeGlyphs(Under(bg, form::kTime, "main.time"));
  const QImage analyser = all["main.analyser"].front();
  all["main.status0"] = StatusPicture(analyser, Icon::Stop, QColor(150, 158, 170));
  all["main.status1"] = StatusPicture(analyser, Icon::Record, QColor(90, 96, 106));
  all["main.status2"] = StatusPicture(analyser, Icon::Play, palette::kAccent);
  all["main.status3"] = StatusPicture(analyser, Icon::Pause, palette::kText);
  all["main.status4"] = StatusPicture(analyser, Icon::Loading, palette::kAccentBright);
}

void AddResizableWindows(const Backgrounds& bg, PictureMap& all) {
  all["playlist.frame"] = bg.playlistFrame;
  all["playlist.grip"] = Grip(bg.playlistFrame);
  all["playlist.caption"] = FrameCaption(bg.playlistFrame, "PLAYLIST", CaptionPlacement::Left);
  all["playlist.thumb"] = Thumb(bg.playlistFrame);
  all["playlist.statusBar"] = StatusBar();
  all["playlist.fileIcons"] = FileIcons();
  all["video.frame"] = bg.videoFrame;
  all["video.grip"] = Grip(bg.videoFrame);
  all["video.caption"] = FrameCaption(bg.videoFrame, "VIDEO", CaptionPlacement::Centred);
}

void AddMediaControls(const QImage& bg, PictureMap& all) {
  all["media.caption"] =
      WindowCaption(Under(bg, form::kMediaCaption, "media.caption"), "EQUALIZER");
  all["media.seekBackground"] = SeekBackground(Under(bg, form::kSpeed, "media.seekBackground"));
  all["media.seekKnob"] = SeekKnob(Under(bg, form::kSpeed, "media.seekKnob"));
}

void AddMenuSides(PictureMap& all) {
  all["main.menuSide"] = MenuSide(QSize(29, 241), "Main");
  all["playlist.menuSide"] = MenuSide(QSize(29, 374), "Playlist");
  all["media.menuSide"] = MenuSide(QSize(29, 84), "Equalizer");
  all["video.menuSide"] = MenuSide(QSize(29, 290), "Video");
  all["video.dvdMenuSide"] = MenuSide(QSize(29, 366), "DVD");
}

PictureMap DrawAllPictures() {
  const Backgrounds bg;
  PictureMap all;
  all["main.surface"] = {Harden(bg.main)};
  all["media.surface"] = {Harden(bg.media)};
  all["fullscreen.surface"] = {Harden(bg.fullscreen)};
  // The fullscreen control shares the main window's control pictures, so its background is
  // drawn to match the main window's wherever those controls sit.
  all["fullscreen.title"] =
      Screen(Under(bg.fullscreen, form::kFullscreenTitle, "fullscreen.title"), false);
  AddMainControls(bg.main, all);
  AddMainDisplay(bg.main, all);
  AddResizableWindows(bg, all);
  AddMediaControls(bg.media, all);
  AddMenuSides(all);
  return all;
}

}  // namespace

QImage DrawSkinSheet() {
  const PictureMap pictures = DrawAllPictures();
  QImage sheet(kSheetSize, QImage::Format_RGB32);
  sheet.fill(palette::kUnused);
  QPainter p(&sheet);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  // Hidden elements first: where the default layout lets them overlap others, the shown
  // element keeps its picture.
  for (const bool shown : {false, true}) {
    for (const SkinPiece& piece : SkinPieces()) {
      if (piece.shown != shown) {
        continue;
      }
      const Pictures& drawn = pictures.at(piece.name);
      const std::vector<QRect> rects = PictureRects(piece);
      for (size_t i = 0; i < rects.size(); ++i) {
        p.drawImage(rects[i].topLeft(), drawn.at(i));
      }
    }
  }
  return sheet;
}
