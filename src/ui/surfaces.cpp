#include "ui/surfaces.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWindow>

#include "skin/controls/framecompose.h"
#include "vis/spectrum_vis.h"

namespace {

QRect Bounds(QPoint position, QSize size) {
  return QRect(position, size);
}

template <typename Pictures>
std::vector<QImage> List(const Pictures& pictures) {
  return std::vector<QImage>(pictures.begin(), pictures.end());
}

void ApplyCaption(TZSkinImage& image, const TZSCaptionbar& caption, QColor key) {
  image.setGeometry(Bounds(caption.FormPos, caption.Size));
  image.setPictures(List(caption.Pictures), key);
  image.showPicture(0);
}

void ApplyImage(TZSkinImage& image, const TZSImage& element, QColor key) {
  image.setGeometry(Bounds(element.FormPos, element.Size));
  image.setPictures({element.Picture}, key);
  image.showPicture(0);
}

void ApplyButton(TZSkinButton& button, const TZSButton& element, QColor key) {
  button.setGeometry(Bounds(element.FormPos, element.Size));
  button.setVisible(element.Visible);
  button.setPictures(List(element.Pictures), key);
  button.setState(1);
}

// The owner sets its value again after applying; until then the box shows its current value.
void ApplyCheckBox(TZSkinCheckBox& box, const TZSButton& element, QColor key) {
  box.setGeometry(Bounds(element.FormPos, element.Size));
  box.setVisible(element.Visible);
  box.setPictures(List(element.Pictures), key);
  box.setChecked(box.isChecked());
}

void ApplyBar(TZSkinBar& bar, const TZSBar& element, QColor key) {
  bar.apply(Bounds(element.FormPos, element.Size), element.Pictures[0], element.Pictures[1],
            element.Align, key);
  bar.DrawBar();
}

void ApplySeekbar(TZSkinSeekbar& seekbar, const TZSSeekbar& element, QColor key) {
  seekbar.apply(Bounds(element.BgFormPos, element.BgSize), element.Background, element.BarSize,
                element.Knob[0], element.Knob[1], element.BarAlign, element.Visible, key);
  seekbar.LayoutSeekbar();
}

void ApplyTimeDisplay(TZSkinImage& image, const TZSTimeDisplay& element, QColor key) {
  image.setGeometry(Bounds(element.FormPos, TimeDisplaySize(element.Size, element.FormBorder)));
  image.setPictures(List(element.Glyphs), key);
  image.clearPicture();
}

void ApplyScrollLabel(TZSkinScrollLabel& label, const TZSScrollLabel& element) {
  label.setGeometry(Bounds(element.FormPos, element.Size));
  label.setSkinFont(element.FontName, element.FontSize, QColor::fromRgb(element.FontColor));
  label.InitScrollLabel(label.text());
}

void ApplyMain(const TZGUI& skin, TfrmMain& w, TSpectrum* spectrum) {
  const TZSMain& main = skin.Main;
  const QColor key = QColor::fromRgb(skin.TransparentColor);
  w.ApplySurface(main.Surface, key);
  ApplyCaption(*w.imgCaptionbar, main.Caption, key);
  ApplyButton(*w.imgCloseButton, main.CloseButton, key);
  ApplyButton(*w.imgMinimizeButton, main.MinimizeButton, key);
  w.imgAnalyzer->setGeometry(Bounds(main.Analyzer.FormPos, main.Analyzer.Size));
  w.imgAnalyzer->setVisible(main.Analyzer.Visible);
  w.imgAnalyzer->setOpaquePicture(main.Analyzer.Background);
  if (spectrum) {
    spectrum->Resize(main.Analyzer.Size.width(), main.Analyzer.Size.height());
    spectrum->SetBackground(true, main.Analyzer.Background);
    spectrum->Reset();
  }
  ApplyImage(*w.imgScrollabelBackground, main.TitleBackground, key);
  ApplyScrollLabel(*w.imgScrolllabel, main.Title);
  ApplyBar(*w.imgProgressBar, main.PositionBar, key);
  ApplySeekbar(*w.ProgressSeekbar, main.PositionSeekbar, key);
  ApplyButton(*w.imgRewindButton, main.RewindButton, key);
  ApplyButton(*w.imgPlayButton, main.PlayButton, key);
  ApplyButton(*w.imgPauseButton, main.PauseButton, key);
  ApplyButton(*w.imgStopButton, main.StopButton, key);
  ApplyButton(*w.imgForwardButton, main.ForwardButton, key);
  ApplyButton(*w.imgEjectButton, main.EjectButton, key);
  ApplyBar(*w.imgVolume, main.VolumeBar, key);
  ApplySeekbar(*w.VolumeSeekbar, main.VolumeSeekbar, key);
  ApplySeekbar(*w.BalanceSeekbar, main.BalanceSeekbar, key);
  ApplyCheckBox(*w.imgMuteCheckbox, main.MuteCheckBox, key);
  ApplyCheckBox(*w.imgPlaymodeCheckbox, main.PlayModeCheckBox, key);
  ApplyCheckBox(*w.imgAutofullscreenCheckbox, main.AutoFullscreenCheckBox, key);
  ApplyCheckBox(*w.imgAutoVideoResizeCheckbox, main.AutoVideoResizeCheckBox, key);
  ApplyCheckBox(*w.imgPlaylistCheckbox, main.PlaylistCheckBox, key);
  ApplyCheckBox(*w.imgEqualizerCheckbox, main.EqualizerCheckBox, key);
  ApplyButton(*w.imgConfigButton, main.SettingsButton, key);
  ApplyTimeDisplay(*w.imgTime, main.TimeDisplay, key);
  for (const TZSStatusPicture& status : main.StatusPictures) {
    w.imgStatus->setGeometry(Bounds(status.FormPos, status.Size));
  }
  w.imgStatus->clearPicture();
  w.popmMain->setSidePicture(main.PopupBar.Picture);
}

void ApplyPlaylist(const TZGUI& skin, TfrmPlaylist& w) {
  const TZSPlaylist& playlist = skin.Playlist;
  const QColor key = QColor::fromRgb(skin.TransparentColor);
  w.skin = &skin;
  ApplyImage(*w.imgResizer, playlist.ResizeGrip, key);
  ApplyCaption(*w.imgCaptionbar, playlist.Caption, key);
  w.ScrollThumb->setPictures(playlist.ScrollBar.Pictures[0], playlist.ScrollBar.Pictures[1], key);
  w.ApplyFrame(playlist.Frame, key);
  w.popmPlaylist->setSidePicture(playlist.PopupBar.Picture);
}

void ApplyMediaControls(const TZGUI& skin, TfrmMediaControls& w) {
  const TZSMediaControls& controls = skin.MediaControls;
  const QColor key = QColor::fromRgb(skin.TransparentColor);
  w.ApplySurface(controls.Surface, key);
  ApplyCaption(*w.imgCaptionbar, controls.Caption, key);
  ApplySeekbar(*w.SpeedSeekbar, controls.SpeedSeekbar, key);
  for (size_t band = 0; band < controls.EqualizerBands.size(); ++band) {
    ApplySeekbar(*w.EqualizerBands[band], controls.EqualizerBands[band], key);
  }
  w.popmMediaControls->setSidePicture(controls.PopupBar.Picture);
}

void ApplyVideo(const TZGUI& skin, TfrmVideo& w) {
  const TZSVideo& video = skin.Video;
  const QColor key = QColor::fromRgb(skin.TransparentColor);
  w.skin = &skin;
  ApplyImage(*w.imgResizer, video.ResizeGrip, key);
  ApplyCaption(*w.imgCaptionBar, video.Caption, key);
  w.ApplyFrame(video.Frame, key);
  w.popmVideo->setSidePicture(video.VideoPopupBar.Picture);
}

// Runs apply with the window hidden and shows it again if it was visible.
template <typename Window, typename Apply>
void WhileHidden(Window* window, Apply apply) {
  if (!window) {
    return;
  }
  const bool visible = window->isVisible();
  window->hide();
  apply(*window);
  window->setVisible(visible);
}

}  // namespace

void ApplySurfaces(const TZGUI& skin, TZWindows& windows) {
  if (windows.FullscreenControl) {
    windows.FullscreenControl->hide();
  }
  WhileHidden(windows.Main, [&](TfrmMain& w) { ApplyMain(skin, w, windows.Spectrum); });
  WhileHidden(windows.Playlist, [&](TfrmPlaylist& w) { ApplyPlaylist(skin, w); });
  WhileHidden(windows.MediaControls, [&](TfrmMediaControls& w) { ApplyMediaControls(skin, w); });
  WhileHidden(windows.Video, [&](TfrmVideo& w) { ApplyVideo(skin, w); });
  if (windows.FullscreenControl) {
    ApplyFullscreenSurfaces(skin, *windows.FullscreenControl);
  }
}

void ApplyFullscreenSurfaces(const TZGUI& skin, TfrmVideoFullscreenControl& w) {
  const TZSVideoFullscreenControl& control = skin.VideoFullscreenControl;
  const QColor key = QColor::fromRgb(skin.TransparentColor);
  w.hide();
  w.ApplySurface(control.Surface, key);
  ApplyButton(*w.imgCloseButton, control.CloseButton, key);
  ApplyImage(*w.imgScrollabelBackground, control.TitleBackground, key);
  ApplyScrollLabel(*w.imgScrolllabel, control.Title);
  ApplyBar(*w.imgProgressBar, control.PositionBar, key);
  ApplySeekbar(*w.ProgressSeekbar, control.PositionSeekbar, key);
  ApplyButton(*w.imgTJBackwardButton, control.JumpBackButton, key);
  ApplyButton(*w.imgPlayButton, control.PlayButton, key);
  ApplyButton(*w.imgPauseButton, control.PauseButton, key);
  ApplyButton(*w.imgStopButton, control.StopButton, key);
  ApplyButton(*w.imgTJForwardButton, control.JumpForwardButton, key);
  ApplyBar(*w.imgVolume, control.VolumeBar, key);
  ApplySeekbar(*w.VolumeSeekbar, control.VolumeSeekbar, key);
  ApplyCheckBox(*w.imgMuteCheckbox, control.MuteCheckBox, key);
  ApplyTimeDisplay(*w.imgTime, control.TimeDisplay, key);
}

void SetCaptionsActive(const TZWindows& windows, const QWidget* active) {
  auto show = [active](TZSkinImage* caption, const QWidget* window) {
    if (caption && window) {
      SetCaptionActive(*caption, active != nullptr && window == active);
    }
  };
  if (windows.Main) {
    show(windows.Main->imgCaptionbar, windows.Main);
  }
  if (windows.Playlist) {
    show(windows.Playlist->imgCaptionbar, windows.Playlist);
  }
  if (windows.MediaControls) {
    show(windows.MediaControls->imgCaptionbar, windows.MediaControls);
  }
  if (windows.Video) {
    show(windows.Video->imgCaptionBar, windows.Video);
  }
}

void TrackActiveWindow(const TZWindows& windows) {
  if (!windows.Main) {
    return;
  }
  QObject::connect(
      qApp, &QGuiApplication::focusWindowChanged, windows.Main, [windows](QWindow* focus) {
        if (!focus) {
          SetCaptionsActive(windows, nullptr);
          return;
        }
        for (QWidget* window : std::initializer_list<QWidget*>{
                 windows.Main, windows.Playlist, windows.MediaControls, windows.Video}) {
          if (window && window->windowHandle() == focus) {
            SetCaptionsActive(windows, window);
          }
        }
      });
}

void DrawTime(const TZSTimeDisplay& element, TZSkinImage& image, QColor transparent, bool negative,
              const std::array<int, 6>& digits) {
  image.resize(TimeDisplaySize(element.Size, element.FormBorder));
  image.setPicture(::DrawTime(List(element.Glyphs), element.Size, element.FormBorder, transparent,
                              negative, digits),
                   transparent);
}

void PaintScrollLabel(TZSkinScrollLabel& label, const TZSkinImage& background,
                      const TZSImage& backgroundElement) {
  label.PaintScrollLabel(backgroundElement.Picture, background.x());
}

void ShowStatusPicture(const TZGUI& skin, TfrmMain& window, int index) {
  if (index < 0 || index >= int(skin.Main.StatusPictures.size())) {
    return;
  }
  const TZSStatusPicture& status = skin.Main.StatusPictures[size_t(index)];
  ::ShowStatusPicture(*window.imgStatus, Bounds(status.FormPos, status.Size), status.Picture,
                      QColor::fromRgb(skin.TransparentColor));
}

void ShowControlHint(TZSkinHost& window, QHelpEvent& event) {
  const TZSkinControl* control = window.controlAt(event.pos());
  const QString hint = control ? control->property(kHintProperty).toString() : QString();
  if (hint.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event.globalPos(), hint, &window);
  }
}
