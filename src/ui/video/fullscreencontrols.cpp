#include "ui/video/fullscreencontrols.h"

#include <malloc.h>

#include <QMouseEvent>
#include <QWindow>

#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/playertimer.h"
#include "ui/mainwindow.h"
#include "ui/skinwindows.h"

namespace {
constexpr int kVolumeOsdMs = 2000;
}  // namespace

QPoint FullscreenControlPlace(TZSScreenPosition align, QSize screen, QSize control) {
  const int left = 0;
  const int centreX = screen.width() / 2 - control.width() / 2;
  const int right = screen.width() - control.width();
  const int top = 0;
  const int centreY = screen.height() / 2 - control.height() / 2;
  const int bottom = screen.height() - control.height();
  switch (align) {
    case spTopLeft:
      return {left, top};
    case spTop:
      return {centreX, top};
    case spTopRight:
      return {right, top};
    case spLeft:
      return {left, centreY};
    case spRight:
      return {right, centreY};
    case spCenter:
      return {centreX, centreY};
    case spBottomLeft:
      return {left, bottom};
    case spBottom:
      return {centreX, bottom};
    case spBottomRight:
      return {right, bottom};
  }
  return {centreX, bottom};
}

TZFullscreenControls::TZFullscreenControls(TfrmVideoFullscreenControl& window, TZMainWindow& main,
                                           TZConfig& config, const TZGUI& skin,
                                           TZTimerSource& timers)
    : window_(window),
      main_(main),
      config_(config),
      skin_(skin),
      isControledTimer_(timers.CreateTimer([this] { OnIsControledTimer(); })),
      moveTimer_(timers.CreateTimer([this] { OnMoveTimer(); })) {
  // A tool window: the window manager stacks it above the form it belongs to (FloatOver).
  // Working the strip must leave the keyboard with the picture, where the hotkeys are.
  window_.setWindowFlags((window_.windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool |
                         Qt::WindowDoesNotAcceptFocus);
  window_.setAttribute(Qt::WA_ShowWithoutActivating);
  window_.installEventFilter(this);
  ConnectButtons();
  ConnectPosition();
  ConnectVolume();
  ConnectToggles();
}

TZFullscreenControls::~TZFullscreenControls() {
  window_.removeEventFilter(this);
}

void TZFullscreenControls::PlaceFullscreenControl(QPoint origin, QSize screen) {
  window_.move(origin + FullscreenControlPlace(skin_.VideoFullscreenControl.Position, screen,
                                               window_.size()));
}

void TZFullscreenControls::FloatOver(QWidget& form) {
  window_.winId();  // the native window takes the transient parent
  if (QWindow* strip = window_.windowHandle()) {
    strip->setTransientParent(form.windowHandle());
  }
}

void TZFullscreenControls::RequestHide() {
  hideRequested_ = true;
  moveTimer_->Start(kMoveInterval);
}

void TZFullscreenControls::HideNow() {
  moveTimer_->Stop();
  hideRequested_ = false;
  window_.hide();
  if (QWindow* strip = window_.windowHandle()) {
    strip->setTransientParent(nullptr);
  }
}

void TZFullscreenControls::Show() {
  if (!window_.isVisible()) {
    window_.show();
    window_.QWidget::raise();
  }
}

void TZFullscreenControls::OnMoveTimer() {
  if (hideRequested_ && !inUse_) {
    moveTimer_->Stop();
    hideRequested_ = false;
    window_.hide();
  }
}

void TZFullscreenControls::OnIsControledTimer() {
  isControledTimer_->Stop();
  inUse_ = false;
}

void TZFullscreenControls::StartIsControled() {
  isControledTimer_->Start(kIsControledInterval);
}

void TZFullscreenControls::ConnectButtons() {
  TfrmVideoFullscreenControl& w = window_;
  TZPlayer& player = main_.Player();
  TfrmMain& mainWindow = *main_.Windows().Main;
  // Play, pause and stop do what their twins on the main window do.
  connect(w.imgPlayButton, &TZSkinButton::clicked, this,
          [&mainWindow] { emit mainWindow.imgPlayButton->clicked(); });
  connect(w.imgPauseButton, &TZSkinButton::clicked, this,
          [&mainWindow] { emit mainWindow.imgPauseButton->clicked(); });
  connect(w.imgStopButton, &TZSkinButton::clicked, this,
          [&mainWindow] { emit mainWindow.imgStopButton->clicked(); });
  connect(w.imgTJBackwardButton, &TZSkinButton::clicked, this,
          [&player] { player.JumpBackward(); });
  connect(w.imgTJForwardButton, &TZSkinButton::clicked, this, [&player] { player.JumpForward(); });
  connect(w.imgCloseButton, &TZSkinButton::clicked, this, [this] {
    if (close_) {
      close_();
    }
  });
}

void TZFullscreenControls::BeginSeek() {
  seeking_ = true;
  savedTitle_ = main_.TitleText();
  main_.BeginSeek();
}

void TZFullscreenControls::EndSeek(qint64 position) {
  seeking_ = false;
  main_.SetPositionBarValue(position);
  main_.EndSeek();
  StartIsControled();
}

void TZFullscreenControls::ConnectPosition() {
  TfrmVideoFullscreenControl& w = window_;
  TZPlayer& player = main_.Player();
  connect(w.imgProgressBar, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      BeginSeek();
    }
  });
  connect(w.imgProgressBar, &TZSkinBar::positionChanged, this, [this, &player](qint64 position) {
    if (seeking_) {
      main_.SetPositionBarValue(position);
      player.ShowSeekTime();
    }
  });
  connect(w.imgProgressBar, &TZSkinImage::mouseReleased, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && seeking_) {
      EndSeek(window_.imgProgressBar->range().Position);
    }
  });
  connect(w.ProgressSeekbar->knob(), &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      BeginSeek();
    }
  });
  connect(w.ProgressSeekbar, &TZSkinSeekbar::knobMoved, this, [this, &player](qint64 position) {
    if (seeking_) {
      main_.SetPositionBarValue(position);
      player.ShowSeekTime();
    }
  });
  connect(w.ProgressSeekbar, &TZSkinSeekbar::knobReleased, this, [this](qint64 position) {
    if (seeking_) {
      EndSeek(position);
    }
  });
}

// The main window's controls take the value, so the player reads it from where it always does.
void TZFullscreenControls::ApplyVolume(qint64 position, double percent) {
  main_.SetVolumePosition(position);
  main_.Player().ApplyVolume(false);
  const QString text = FormatText(Language().Text(kTextVolume), {percent, "%"});
  main_.Player().ShowStatusMessage(text);
  main_.ShowOsdText(text, kVolumeOsdMs);
}

void TZFullscreenControls::ConnectVolume() {
  TfrmVideoFullscreenControl& w = window_;
  connect(w.imgVolume, &TZSkinBar::positionChanged, this,
          [this](qint64 position) { ApplyVolume(position, window_.imgVolume->BarPercent()); });
  connect(w.imgVolume, &TZSkinImage::mouseReleased, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      main_.SetVolumePosition(window_.imgVolume->range().Position);
      StartIsControled();
    }
  });
  connect(w.VolumeSeekbar, &TZSkinSeekbar::knobMoved, this, [this](qint64 position) {
    ApplyVolume(position, window_.VolumeSeekbar->SeekbarPercent());
  });
  connect(w.VolumeSeekbar, &TZSkinSeekbar::knobReleased, this, [this](qint64 position) {
    main_.SetVolumePosition(position);
    StartIsControled();
  });
}

void TZFullscreenControls::ConnectToggles() {
  TfrmVideoFullscreenControl& w = window_;
  connect(w.imgMuteCheckbox, &TZSkinCheckBox::toggled, this, [this] {
    main_.Player().ToggleMute();
    StartIsControled();
  });
  connect(w.imgTime, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      config_.TimeMode = config_.TimeMode == tmElapsed ? tmRemaining : tmElapsed;
      if (main_.Player().Playing()) {
        main_.Player().PlayTick();
      }
    }
  });
  connect(w.imgTime, &TZSkinImage::mouseReleased, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      StartIsControled();
    }
  });
}

// Entering one of the five transport buttons marks the window in use; leaving one ends it, except
// play, which only stops the pending end. The close button changes nothing.
void TZFullscreenControls::Hover(const TZSkinControl* control) {
  if (control == hovered_) {
    return;
  }
  const TfrmVideoFullscreenControl& w = window_;
  const TZSkinControl* left = hovered_;
  hovered_ = control;
  if (left == w.imgPlayButton) {
    isControledTimer_->Stop();
  } else if (left == w.imgTJBackwardButton || left == w.imgPauseButton || left == w.imgStopButton ||
             left == w.imgTJForwardButton) {
    inUse_ = false;
  }
  if (control == w.imgPlayButton || control == w.imgTJBackwardButton ||
      control == w.imgPauseButton || control == w.imgStopButton ||
      control == w.imgTJForwardButton) {
    inUse_ = true;
  }
}

bool TZFullscreenControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) {
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      Hover(window_.controlAt(mouse->position().toPoint()));
      if (mouse->buttons() & Qt::LeftButton) {
        Touch();
      }
      break;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const TZSkinControl* control = window_.controlAt(mouse->position().toPoint());
      Hover(control);
      // Sliders, mute and the time read-out are worked with from the press on.
      if (mouse->button() == Qt::LeftButton && control && control != window_.imgForm &&
          !qobject_cast<const TZSkinButton*>(control)) {
        Touch();
      }
      break;
    }
    case QEvent::Leave:
      Hover(nullptr);
      break;
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
      StartIsControled();
      break;
    case QEvent::Hide:
      if (config_.SwapMemoryMngt) {
        malloc_trim(0);
      }
      break;
    case QEvent::Close:
      event->ignore();
      return true;
    default:
      break;
  }
  return false;
}
