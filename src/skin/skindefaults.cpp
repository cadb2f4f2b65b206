// The built-in skin's values: also what every description line falls back to.

#include "skin/skinpieces.h"
#include "skin/zgui.h"

namespace {

void SetSurface(TZSSurface& s, QPoint skinPos, QSize size, bool masked) {
  s.SkinPos = skinPos;
  s.Size = size;
  s.Masked = masked;
}

void SetFrame(TZSFrame& f, QSize size, QSize defaultSize, QPoint edgeSkinPos) {
  f.Size = size;
  f.DefaultSize = defaultSize;
  f.EdgeSkinPos = edgeSkinPos;
  f.EdgeSize = QSize(10, 10);
  f.EdgeBorder = 2;
  f.Masked = true;
}

void SetCaption(TZSCaptionbar& c, QPoint formPos, QPoint skinPos) {
  c.FormPos = formPos;
  c.SkinPos = skinPos;
  c.SkinBorder = 2;
  c.Size = QSize(212, 11);
}

void SetButton(TZSButton& b, QPoint formPos, QPoint skinPos, QSize size, bool visible) {
  b.FormPos = formPos;
  b.SkinPos = skinPos;
  b.Size = size;
  b.Border = 2;
  b.Visible = visible;
  b.State = 1;
}

void SetImage(TZSImage& i, QPoint formPos, QPoint skinPos, QSize size) {
  i.FormPos = formPos;
  i.SkinPos = skinPos;
  i.Size = size;
}

void SetScrollLabel(TZSScrollLabel& l, QPoint formPos, QSize size) {
  l.ScrollMode = 0;
  l.FormPos = formPos;
  l.Size = size;
  l.FontName = QStringLiteral("Tahoma");
  l.FontColor = qRgb(255, 255, 255);
  l.FontSize = 8;
  l.Text.clear();
  l.TextWidth = 0;
  l.TextPos1 = 0;
  l.TextPos2 = 0;
  l.Step = 1;
}

void SetBar(TZSBar& b, QPoint formPos, QPoint skinPos, QSize size) {
  b.FormPos = formPos;
  b.SkinPos = skinPos;
  b.Size = size;
  b.Border = 2;
  b.Align = sdLeftToRight;
}

// A seek bar that the built-in skin does not show.
void SetHiddenSeekbar(TZSSeekbar& s) {
  s.BgFormPos = s.BgSkinPos = s.BarSkinPos = QPoint(0, 0);
  s.BgSize = s.BarSize = QSize(0, 0);
  s.BarSkinBorder = 0;
  s.BarAlign = sdLeftToRight;
  s.Visible = false;
}

void SetSeekbar(TZSSeekbar& s, QPoint bgFormPos, QPoint bgSkinPos, QSize bgSize, QPoint barSkinPos,
                QSize barSize, TZSDirection align) {
  s.BgFormPos = bgFormPos;
  s.BgSkinPos = bgSkinPos;
  s.BgSize = bgSize;
  s.BarSkinPos = barSkinPos;
  s.BarSize = barSize;
  s.BarSkinBorder = 2;
  s.BarAlign = align;
  s.Visible = true;
}

void SetTimeDisplay(TZSTimeDisplay& t) {
  t.FormPos = QPoint(96, 33);
  t.SkinPos = QPoint(302, 128);
  t.Size = QSize(9, 13);
  t.Border = 2;
  t.FormBorder = 1;
}

void SetPopupBar(TZSPopupBar& p, QSize size, QPoint skinPos) {
  p.Size = size;
  p.SkinPos = skinPos;
}

// The transport buttons sit alike on the main window and the fullscreen control.
void SetTransportButton(TZSButton& b, int index) {
  static constexpr int kFormX[] = {9, 35, 61, 87, 113, 139};
  static constexpr int kFormY[] = {74, 79, 74, 79, 74, 79};
  SetButton(b, QPoint(kFormX[index], kFormY[index]), QPoint(302 + 23 * index, 52), QSize(21, 17),
            true);
}

void SetMainDefaults(TZSMain& m) {
  SetSurface(m.Surface, QPoint(0, 0), QSize(300, 100), true);
  SetCaption(m.Caption, QPoint(44, 0), QPoint(302, 143));
  SetButton(m.CloseButton, QPoint(280, 2), QPoint(302, 0), QSize(11, 11), true);
  SetButton(m.MinimizeButton, QPoint(267, 2), QPoint(315, 0), QSize(11, 11), true);

  TZSAnalyzer& a = m.Analyzer;
  a.FormPos = QPoint(10, 20);
  a.SkinPos = QPoint(328, 0);
  a.Size = QSize(84, 25);
  a.PeakColor = qRgb(255, 255, 255);
  a.LineColor = qRgb(200, 200, 200);
  a.Spectrum = {0, 0};
  a.SpectrumHeight = 25;
  a.BarWidth = 3;
  a.Align = sdDownToUp;
  a.Visible = true;

  SetImage(m.TitleBackground, QPoint(104, 18), QPoint(328, 31), QSize(184, 13));
  SetScrollLabel(m.Title, QPoint(106, 18), QSize(180, 13));
  SetBar(m.PositionBar, QPoint(6, 56), QPoint(0, 115), QSize(288, 15));
  SetHiddenSeekbar(m.PositionSeekbar);
  TZSButton* transport[] = {&m.RewindButton, &m.PlayButton,    &m.PauseButton,
                            &m.StopButton,   &m.ForwardButton, &m.EjectButton};
  for (int i = 0; i < 6; ++i) {
    SetTransportButton(*transport[i], i);
  }
  SetBar(m.VolumeBar, QPoint(238, 80), QPoint(440, 52), QSize(56, 12));
  SetHiddenSeekbar(m.VolumeSeekbar);
  SetSeekbar(m.BalanceSeekbar, QPoint(176, 81), QPoint(440, 92), QSize(46, 10), QPoint(440, 104),
             QSize(12, 10), sdLeftToRight);
  SetButton(m.MuteCheckBox, QPoint(208, 35), QPoint(564, 52), QSize(20, 10), true);
  SetButton(m.PlayModeCheckBox, QPoint(229, 35), QPoint(542, 52), QSize(20, 10), true);
  SetButton(m.AutoFullscreenCheckBox, QPoint(250, 35), QPoint(520, 52), QSize(20, 10), true);
  SetButton(m.AutoVideoResizeCheckBox, QPoint(271, 35), QPoint(498, 52), QSize(20, 10), true);
  SetButton(m.PlaylistCheckBox, QPoint(220, 68), QPoint(42, 172), QSize(24, 10), false);
  SetButton(m.EqualizerCheckBox, QPoint(194, 68), QPoint(68, 172), QSize(24, 10), false);
  SetButton(m.SettingsButton, QPoint(168, 68), QPoint(94, 172), QSize(24, 10), false);
  SetTimeDisplay(m.TimeDisplay);
  static constexpr QPoint kStatusSkinPos[] = {{527, 0}, {527, 12}, {527, 24}, {527, 36}, {539, 0}};
  for (int i = 0; i < 5; ++i) {
    SetImage(m.StatusPictures[i], QPoint(10, 20), kStatusSkinPos[i], QSize(10, 10));
  }
  SetPopupBar(m.PopupBar, QSize(29, 241), QPoint(338, 169));
}

void SetPlaylistDefaults(TZSPlaylist& p) {
  SetFrame(p.Frame, QSize(300, 200), QSize(230, 60), QPoint(0, 149));
  SetImage(p.ResizeGrip, QPoint(290, 240), QPoint(46, 162), QSize(10, 10));
  SetCaption(p.Caption, QPoint(0, 0), QPoint(58, 149));
  p.Borders = QMargins(0, 0, 0, 0);
  p.FontName = QStringLiteral("Tahoma");
  p.FontSize = 8;
  p.NormalColor = qRgb(0, 0, 0);
  p.SelectedColor = qRgb(150, 150, 150);
  p.PlayedColor = qRgb(255, 255, 255);
  p.NormalBorderBgStyle = {0, qRgb(0, 0, 0)};
  p.SelectedBorderBgStyle = {1, qRgb(106, 106, 106)};
  p.NormalBorderStyle = {0, qRgb(0, 0, 0)};
  p.SelectedBorderStyle = {1, qRgb(90, 90, 90)};
  p.ScrollBar.Size = QSize(8, 20);
  p.ScrollBar.SkinPos = QPoint(36, 162);
  p.ScrollBar.SkinBorder = 2;
  SetPopupBar(p.PopupBar, QSize(29, 374), QPoint(0, 185));
  TZSStatusBar& s = p.StatusBar;
  s.Align = bsBottom;
  s.SkinPos = QPoint(72, 411);
  s.Size = QSize(10, 14);
  s.FontName = QStringLiteral("Tahoma");
  s.FontSize = 8;
  s.FontColor = qRgb(0, 0, 0);
  s.Visible = true;
  p.FileIcons.Size = QSize(32, 32);
  p.FileIcons.SkinPos = QPoint(516, 143);
  p.FileIcons.SkinBorder = 2;
}

void SetMediaControlsDefaults(TZSMediaControls& m) {
  SetSurface(m.Surface, QPoint(36, 206), QSize(300, 100), true);
  SetCaption(m.Caption, QPoint(44, 0), QPoint(72, 308));
  const auto setSlider = [](TZSSeekbar& s, QPoint formPos) {
    SetSeekbar(s, formPos, QPoint(36, 308), QSize(10, 63), QPoint(48, 308), QSize(10, 12),
               sdDownToUp);
  };
  setSlider(m.SpeedSeekbar, QPoint(15, 18));
  for (int k = 0; k < TZSMediaControls::BandCount; ++k) {
    setSlider(m.EqualizerBands[k], QPoint(95 + 20 * k, k % 2 == 0 ? 18 : 30));
  }
  SetPopupBar(m.PopupBar, QSize(29, 84), QPoint(431, 169));
}

void SetVideoDefaults(TZSVideo& v) {
  SetFrame(v.Frame, QSize(100, 100), QSize(50, 50), QPoint(36, 399));
  SetImage(v.ResizeGrip, QPoint(290, 290), QPoint(72, 399), QSize(10, 10));
  SetCaption(v.Caption, QPoint(0, 0), QPoint(36, 373));
  v.Borders = QMargins(0, 0, 0, 0);
  SetPopupBar(v.VideoPopupBar, QSize(29, 290), QPoint(369, 169));
  SetPopupBar(v.DvdPopupBar, QSize(29, 366), QPoint(400, 169));
}

void SetFullscreenDefaults(TZSVideoFullscreenControl& f) {
  f.Position = spBottom;
  SetSurface(f.Surface, QPoint(36, 446), QSize(300, 100), true);
  SetButton(f.CloseButton, QPoint(280, 2), QPoint(302, 0), QSize(11, 11), true);
  SetImage(f.TitleBackground, QPoint(12, 18), QPoint(36, 548), QSize(276, 13));
  SetScrollLabel(f.Title, QPoint(14, 18), QSize(272, 13));
  SetBar(f.PositionBar, QPoint(6, 56), QPoint(0, 115), QSize(288, 15));
  SetHiddenSeekbar(f.PositionSeekbar);
  TZSButton* transport[] = {&f.JumpBackButton, &f.PlayButton, &f.PauseButton, &f.StopButton,
                            &f.JumpForwardButton};
  for (int i = 0; i < 5; ++i) {
    SetTransportButton(*transport[i], i);
  }
  SetBar(f.VolumeBar, QPoint(238, 80), QPoint(440, 52), QSize(56, 12));
  SetHiddenSeekbar(f.VolumeSeekbar);
  SetButton(f.MuteCheckBox, QPoint(271, 35), QPoint(564, 52), QSize(20, 10), true);
  SetTimeDisplay(f.TimeDisplay);
}

}  // namespace

void InitSkinDefaults(TZGUI& skin) {
  InitSkinResources();
  skin.Loaded = false;
  skin.TransparentColor = qRgb(0, 255, 0);
  SetMainDefaults(skin.Main);
  SetPlaylistDefaults(skin.Playlist);
  SetMediaControlsDefaults(skin.MediaControls);
  SetVideoDefaults(skin.Video);
  SetFullscreenDefaults(skin.VideoFullscreenControl);
  CreateEmptyPieces(skin);
}
