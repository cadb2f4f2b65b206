#include "ui/skinwindows.h"

#include "skin/controls/playlistlayout.h"

namespace {

// Creates a control of the window with its name; later controls lie above earlier ones.
template <typename Control>
Control* Make(TZSkinHost* window, const char* name) {
  auto* control = new Control(window);
  control->setObjectName(QLatin1String(name));
  return control;
}

TZSidePictureMenu* MakeMenu(TZSkinHost* window, const char* name) {
  return Make<TZSidePictureMenu>(window, name);
}

}  // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : TZSkinWindow(QStringLiteral("Zephonic_Main"), parent),
      imgCaptionbar(Make<TZSkinImage>(this, "imgCaptionbar")),
      imgCloseButton(Make<TZSkinButton>(this, "imgCloseButton")),
      imgMinimizeButton(Make<TZSkinButton>(this, "imgMinimizeButton")),
      imgAnalyzer(Make<TZSkinImage>(this, "imgAnalyzer")),
      imgScrollabelBackground(Make<TZSkinImage>(this, "imgScrollabelBackground")),
      imgScrolllabel(Make<TZSkinScrollLabel>(this, "imgScrolllabel")),
      imgProgressBar(Make<TZSkinBar>(this, "imgProgressBar")),
      ProgressSeekbar(new TZSkinSeekbar(this, QStringLiteral("imgProgressSeekbarBackground"),
                                        QStringLiteral("imgProgressSeekbarBar"))),
      imgRewindButton(Make<TZSkinButton>(this, "imgRewindButton")),
      imgPlayButton(Make<TZSkinButton>(this, "imgPlayButton")),
      imgPauseButton(Make<TZSkinButton>(this, "imgPauseButton")),
      imgStopButton(Make<TZSkinButton>(this, "imgStopButton")),
      imgForwardButton(Make<TZSkinButton>(this, "imgForwardButton")),
      imgEjectButton(Make<TZSkinButton>(this, "imgEjectButton")),
      imgVolume(Make<TZSkinBar>(this, "imgVolume")),
      VolumeSeekbar(new TZSkinSeekbar(this, QStringLiteral("imgVolumeSeekbarBackground"),
                                      QStringLiteral("imgVolumeSeekbarBar"))),
      BalanceSeekbar(new TZSkinSeekbar(this, QStringLiteral("imgBalanceBackground"),
                                       QStringLiteral("imgBalanceBar"))),
      imgMuteCheckbox(Make<TZSkinCheckBox>(this, "imgMuteCheckbox")),
      imgPlaymodeCheckbox(Make<TZSkinCheckBox>(this, "imgPlaymodeCheckbox")),
      imgAutofullscreenCheckbox(Make<TZSkinCheckBox>(this, "imgAutofullscreenCheckbox")),
      imgAutoVideoResizeCheckbox(Make<TZSkinCheckBox>(this, "imgAutoVideoResizeCheckbox")),
      imgPlaylistCheckbox(Make<TZSkinCheckBox>(this, "imgPlaylistCheckbox")),
      imgEqualizerCheckbox(Make<TZSkinCheckBox>(this, "imgEqualizerCheckbox")),
      imgConfigButton(Make<TZSkinButton>(this, "imgConfigButton")),
      imgTime(Make<TZSkinImage>(this, "imgTime")),
      imgStatus(Make<TZSkinImage>(this, "imgStatus")),
      popmMain(MakeMenu(this, "popmMain")) {}

TfrmPlaylist::TfrmPlaylist(QWidget* parent)
    : TZSkinFrameWindow(QStringLiteral("Playlist"), parent),
      imgCaptionbar(Make<TZSkinImage>(this, "imgCaptionbar")),
      imgResizer(Make<TZSkinImage>(this, "imgResizer")),
      imgStatusBar(Make<TZSkinImage>(this, "imgStatusBar")),
      ScrollThumb(new TZSkinThumb(this, QStringLiteral("imgScrollbar"))),
      popmPlaylist(MakeMenu(this, "popmPlaylist")) {}

void TfrmPlaylist::LayoutPlaylist() {
  if (!skin || !skin->Loaded) {
    return;
  }
  const TZSPlaylist& playlist = skin->Playlist;
  const TZSStatusBar& status = playlist.StatusBar;
  const TZPlaylistLayout layout = ::LayoutPlaylist(
      size(), playlist.Frame.EdgeSize, playlist.Caption.Size.height(), playlist.Borders,
      status.Size.height(), status.Align, status.Visible, status.Hidden);
  listRect_ = layout.List;
  imgStatusBar->setGeometry(layout.StatusBar);
  imgStatusBar->setVisible(layout.StatusBarShown);
  imgStatusBar->setOpaquePicture(ComposeStatusBar(status.Picture, layout.StatusBar.size()));
  ScrollThumb->LayoutPlaylistThumb(listRect_, playlist.ScrollBar.Size);
  emit listLayoutChanged(listRect_);
}

// The grip keeps to the bottom-right corner as the window is sized.
void TfrmPlaylist::layoutForSize() {
  imgResizer->move(width() - imgResizer->width(), height() - imgResizer->height());
  LayoutPlaylist();
}

TfrmMediaControls::TfrmMediaControls(QWidget* parent)
    : TZSkinWindow(QStringLiteral("Media controls"), parent),
      imgCaptionbar(Make<TZSkinImage>(this, "imgCaptionbar")),
      SpeedSeekbar(new TZSkinSeekbar(this, QStringLiteral("imgSpeedBackground"),
                                     QStringLiteral("imgSpeedBar"))),
      EqualizerBands(),
      popmMediaControls(MakeMenu(this, "popmMediaControls")) {
  for (int band = 0; band < TZSMediaControls::BandCount; ++band) {
    EqualizerBands[size_t(band)] =
        new TZSkinSeekbar(this, QStringLiteral("imgEQ%1Background").arg(band),
                          QStringLiteral("imgEQ%1Bar").arg(band));
  }
}

TfrmVideo::TfrmVideo(QWidget* parent)
    : TZSkinFrameWindow(QStringLiteral("Video"), parent),
      imgCaptionBar(Make<TZSkinImage>(this, "imgCaptionBar")),
      imgResizer(Make<TZSkinImage>(this, "imgResizer")),
      DSVideoWindowEx(Make<QWidget>(this, "DSVideoWindowEx")),
      popmVideo(MakeMenu(this, "popmVideo")) {
  DSVideoWindowEx->setAutoFillBackground(true);
  QPalette palette = DSVideoWindowEx->palette();
  palette.setColor(QPalette::Window, Qt::black);
  DSVideoWindowEx->setPalette(palette);
}

// Grip in the bottom-right corner, caption centred, picture inside the frame.
void TfrmVideo::layoutForSize() {
  imgResizer->move(width() - imgResizer->width(), height() - imgResizer->height());
  imgCaptionBar->move(width() / 2 - imgCaptionBar->width() / 2, imgCaptionBar->y());
  if (skin && skin->Loaded) {
    const TZSVideo& video = skin->Video;
    DSVideoWindowEx->setGeometry(::PlaceVideoPicture(size(), video.Frame.EdgeSize,
                                                     video.Caption.Size.height(), video.Borders));
  }
}

TfrmVideoFullscreenControl::TfrmVideoFullscreenControl(QWidget* parent)
    : TZSkinWindow(QStringLiteral("Zephonic_Video_Fullscreen_Control"), parent),
      imgCloseButton(Make<TZSkinButton>(this, "imgCloseButton")),
      imgScrollabelBackground(Make<TZSkinImage>(this, "imgScrollabelBackground")),
      imgScrolllabel(Make<TZSkinScrollLabel>(this, "imgScrolllabel")),
      imgProgressBar(Make<TZSkinBar>(this, "imgProgressBar")),
      ProgressSeekbar(new TZSkinSeekbar(this, QStringLiteral("imgProgressSeekbarBackground"),
                                        QStringLiteral("imgProgressSeekbarBar"))),
      imgTJBackwardButton(Make<TZSkinButton>(this, "imgTJBackwardButton")),
      imgPlayButton(Make<TZSkinButton>(this, "imgPlayButton")),
      imgPauseButton(Make<TZSkinButton>(this, "imgPauseButton")),
      imgStopButton(Make<TZSkinButton>(this, "imgStopButton")),
      imgTJForwardButton(Make<TZSkinButton>(this, "imgTJForwardButton")),
      imgVolume(Make<TZSkinBar>(this, "imgVolume")),
      VolumeSeekbar(new TZSkinSeekbar(this, QStringLiteral("imgVolumeSeekbarBackground"),
                                      QStringLiteral("imgVolumeSeekbarBar"))),
      imgMuteCheckbox(Make<TZSkinCheckBox>(this, "imgMuteCheckbox")),
      imgTime(Make<TZSkinImage>(this, "imgTime")) {
  setWindowFlag(Qt::WindowStaysOnTopHint);
}
