#pragma once
// The one walk over the skin record in description-file order, shared by the description
// reader and writer and by the piece cutter.

#include "skin/zgui.h"

// The visitor has add(element) for every element kind and these hooks for the values that
// belong to no element: transparentColor(QRgb&), playlistStyle(TZSPlaylist&) for lines
// 171-179, videoBorders(QMargins&) and screenPosition(TZSScreenPosition&).
template <typename Visitor>
void VisitSkinElements(TZGUI& skin, Visitor& v) {
  v.transparentColor(skin.TransparentColor);

  TZSMain& m = skin.Main;
  v.add(m.Surface);
  v.add(m.Caption);
  v.add(m.CloseButton);
  v.add(m.MinimizeButton);
  v.add(m.Analyzer);
  v.add(m.TitleBackground);
  v.add(m.Title);
  v.add(m.PositionBar);
  v.add(m.PositionSeekbar);
  for (TZSButton* b : {&m.RewindButton, &m.PlayButton, &m.PauseButton, &m.StopButton,
                       &m.ForwardButton, &m.EjectButton}) {
    v.add(*b);
  }
  v.add(m.VolumeBar);
  v.add(m.VolumeSeekbar);
  v.add(m.BalanceSeekbar);
  for (TZSButton* b :
       {&m.MuteCheckBox, &m.PlayModeCheckBox, &m.AutoFullscreenCheckBox, &m.AutoVideoResizeCheckBox,
        &m.PlaylistCheckBox, &m.EqualizerCheckBox, &m.SettingsButton}) {
    v.add(*b);
  }
  v.add(m.TimeDisplay);
  for (TZSStatusPicture& picture : m.StatusPictures) {
    v.add(picture);
  }
  v.add(m.PopupBar);

  TZSPlaylist& p = skin.Playlist;
  v.add(p.Frame);
  v.add(p.ResizeGrip);
  v.add(p.Caption);
  v.playlistStyle(p);
  v.add(p.ScrollBar);
  v.add(p.PopupBar);
  v.add(p.StatusBar);
  v.add(p.FileIcons);

  TZSMediaControls& mc = skin.MediaControls;
  v.add(mc.Surface);
  v.add(mc.Caption);
  v.add(mc.SpeedSeekbar);
  for (TZSSeekbar& band : mc.EqualizerBands) {
    v.add(band);
  }
  v.add(mc.PopupBar);

  TZSVideo& video = skin.Video;
  v.add(video.Frame);
  v.add(video.ResizeGrip);
  v.add(video.Caption);
  v.videoBorders(video.Borders);
  v.add(video.VideoPopupBar);
  v.add(video.DvdPopupBar);

  TZSVideoFullscreenControl& f = skin.VideoFullscreenControl;
  v.screenPosition(f.Position);
  v.add(f.Surface);
  v.add(f.CloseButton);
  v.add(f.TitleBackground);
  v.add(f.Title);
  v.add(f.PositionBar);
  v.add(f.PositionSeekbar);
  for (TZSButton* b :
       {&f.JumpBackButton, &f.PlayButton, &f.PauseButton, &f.StopButton, &f.JumpForwardButton}) {
    v.add(*b);
  }
  v.add(f.VolumeBar);
  v.add(f.VolumeSeekbar);
  v.add(f.MuteCheckBox);
  v.add(f.TimeDisplay);
}
