#include "ui/video/videowindow.h"

#include <malloc.h>

#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/playertimer.h"
#include "playback/video/aspect.h"
#include "playback/video/videocommands.h"
#include "ui/mainvideomenu.h"
#include "ui/mainwindow.h"
#include "ui/skinwindows.h"
#include "ui/video/fullscreencontrols.h"
#include "ui/video/presentationform.h"
#include "ui/video/videomenu.h"
#include "ui/video/videopicture.h"

namespace {
constexpr int kBrightnessOsdMs = 2000;
constexpr int kBrightnessMax = 10000;
}  // namespace

TZVideoWindow::TZVideoWindow(TfrmVideo& window, TZFullscreenControls& controls, TZMainWindow& main,
                             TZConfig& config, const TZGUI& skin, TZTimerSource& timers)
    : window_(window),
      controls_(controls),
      main_(main),
      config_(config),
      skin_(skin),
      picture_(new TZVideoPicture(window.DSVideoWindowEx)),
      menu_(std::make_unique<Menu>()),
      idleTimer_(timers.CreateTimer([this] { OnIdleTick(); })) {
  auto* layout = new QVBoxLayout(window_.DSVideoWindowEx);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture_);
  // The "Ratio" setting decides where the picture goes, at every size of the area.
  picture_->SetAspectLayout([this](QSize area) {
    return ApplyAspectRatio(config_.Ratio, config_.UserRatio, NativeSize(), QRect(QPoint(), area))
        .Picture;
  });
  BuildMenu();
  ConnectWindow();
  ConnectPicture();
  controls_.SetCloseAction([this] { SetPresentation(dmWindow); });
  idleTimer_->Start(kIdleTickMs);
}

TZVideoWindow::~TZVideoWindow() {
  window_.removeEventFilter(this);
  // Nothing plays into the picture any more; it outlives this object in the form.
  picture_->SetPlaying(false);
  // The picture belongs to the window's picture area, wherever it is shown now.
  if (picture_->parent() != window_.DSVideoWindowEx) {
    window_.DSVideoWindowEx->layout()->addWidget(picture_);
  }
}

QMenu& TZVideoWindow::PopupMenu() {
  return *menu_->Popup;
}

TZVideoFrameSink& TZVideoWindow::FrameSink() {
  return *picture_;
}

QSize TZVideoWindow::NativeSize() const {
  return native_.isValid() ? native_ : picture_->Frame().size();
}

void TZVideoWindow::SetMainVideoMenu(TZMainVideoMenu* menu) {
  mainMenu_ = menu;
  if (!menu) {
    return;
  }
  for (size_t i = 0; i < menu->Modes.size(); ++i) {
    const auto mode = TZDisplayMode(kModeOfItem[i]);
    connect(menu->Modes[i], &QAction::triggered, this, [this, mode] { SetPresentation(mode); });
  }
  for (size_t i = 0; i < menu->Ratios.size(); ++i) {
    const int ratio = kRatioOfItem[i];
    connect(menu->Ratios[i], &QAction::triggered, this, [this, ratio] { SetRatio(ratio); });
  }
  TickMode();
  TickRatio();
}

void TZVideoWindow::ConnectWindow() {
  window_.installEventFilter(this);
  connect(window_.imgCaptionBar, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      return;
    }
    window_.activateWindow();
    if (QWindow* handle = window_.windowHandle()) {
      handle->startSystemMove();
    }
  });
  connect(window_.imgResizer, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      return;
    }
    if (QWindow* handle = window_.windowHandle()) {
      handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
    }
  });
  connect(window_.imgResizer, &TZSkinImage::mouseDoubleClicked, this,
          [this] { window_.resize(window_.minimumSize()); });
  connect(&main_, &TZMainWindow::osdTextChanged, this,
          [this](const QString& text) { ShowOsd(text); });
  connect(&main_, &TZMainWindow::videoWindowHidden, this, &TZVideoWindow::HidePicture);
}

void TZVideoWindow::ConnectPicture() {
  connect(picture_, &TZVideoPicture::pressed, this, [this] {
    if (mode_ != dmFullscreen && mode_ != dmDesktop) {
      window_.activateWindow();
    }
  });
  connect(picture_, &TZVideoPicture::doubleClicked, this, &TZVideoWindow::TogglePresentation);
  connect(picture_, &TZVideoPicture::contextMenuRequested, this,
          [this](QPoint at) { menu_->Popup->popup(at); });
  connect(picture_, &TZVideoPicture::mouseActive, this, &TZVideoWindow::OnMouseActive);
  connect(picture_, &TZVideoPicture::pointerMoved, this, [this](QPointF point) {
    if (isDvd_ && commands_ && GraphActive()) {
      commands_->DvdPointerMoved(point);
    }
  });
  connect(picture_, &TZVideoPicture::pointerReleased, this, [this](QPointF point) {
    if (isDvd_ && commands_ && GraphActive()) {
      commands_->DvdPointerReleased(point);
    }
  });
}

// The text shows only over filter-graph items and only with "OSDEnabled".
void TZVideoWindow::ShowOsd(const QString& text) {
  const bool graphItem = IsGraphKind(main_.Player().State().Kind);
  if (!text.isEmpty() && (!config_.OSDEnabled || !graphItem)) {
    return;
  }
  picture_->SetOsdText(text, {config_.OSDFont, config_.OSDPosition, OsdReferenceHeight()});
}

int TZVideoWindow::OsdReferenceHeight() const {
  if (form_) {
    return form_->height();
  }
  return window_.height();
}

void TZVideoWindow::ShowPicture(bool isDvd, QSize nativeSize) {
  native_ = nativeSize;
  isDvd_ = isDvd;
  window_.popmVideo->setSidePicture(isDvd ? skin_.Video.DvdPopupBar.Picture
                                          : skin_.Video.VideoPopupBar.Picture);
  main_.SetMenuEnabled(pmVideo, true);
  UpdateVideoMenu(isDvd, main_.Player().Paused());
  ZoomVideo(100);
  if (mode_ == dmNone) {
    SetDigitalZoom(0);
  }
  if (config_.AutoFullscreen) {
    SetPresentation(dmFullscreen);
  } else {
    SetPresentation(mode_ == dmNone ? dmWindow : mode_);
  }
  TickRatio();
  picture_->ApplyAspectLayout();
}

void TZVideoWindow::HidePicture() {
  picture_->SetPlaying(false);
  controls_.HideNow();
  if (form_) {
    window_.DSVideoWindowEx->layout()->addWidget(picture_);
    form_.reset();
  }
  window_.hide();
}

void TZVideoWindow::ZoomVideo(int percent) {
  TickItem(menu_->Zooms, std::to_array(ZoomPercents), percent);
  const std::optional<QSize> size = ZoomVideoClientSize(percent, NativeSize());
  if (!size || size->isEmpty()) {
    return;
  }
  window_.resize(*size);
  if (config_.CenterVideo && window_.screen()) {
    QRect frame = window_.frameGeometry();
    frame.moveCenter(window_.screen()->availableGeometry().center());
    window_.move(frame.topLeft());
  }
}

void TZVideoWindow::SetRatio(int ratio) {
  config_.Ratio = TVideoRatio(ratio);
  TickRatio();
  picture_->ApplyAspectLayout();
}

void TZVideoWindow::SetDigitalZoom(int value) {
  try {
    picture_->SetDigitalZoom(value);
  } catch (const TZDigitalZoomError& error) {
    main_.ShowWarning(QString::fromStdString(error.what()));
    return;
  }
  TickItem(menu_->DigitalZooms, std::to_array(DigitalZoomValues), value);
}

std::optional<QString> TZVideoWindow::TakeScreenshot(bool adjusted) {
  if (!commands_ || !GraphActive()) {
    return std::nullopt;
  }
  std::optional<QString> name = commands_->TakeScreenshot(adjusted, picture_->PictureRect().size());
  if (name) {
    main_.ShowOsdText(FormatText(Language().Text(kTextScreenshotSaved), {*name}), kScreenshotOsdMs);
  }
  return name;
}

void TZVideoWindow::StepBrightness(int delta) {
  config_.VidBrightness = std::clamp(config_.VidBrightness + delta, 0, kBrightnessMax);
  if (commands_) {
    commands_->SetColourControls(ColourControlsOf(config_));
  }
  main_.ShowOsdText(FormatText(Language().Text(kTextBrightness),
                               {config_.VidBrightness * 100 / kBrightnessMax, "%"}),
                    kBrightnessOsdMs);
}

bool TZVideoWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) {
    return false;
  }
  if (event->type() == QEvent::Close) {
    // The system's close request is refused; the menu's "Close" stops playback instead.
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::Hide && config_.SwapMemoryMngt) {
    malloc_trim(0);
  }
  return false;
}
