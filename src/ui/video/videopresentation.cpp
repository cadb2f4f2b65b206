// The video window's three presentations and the idle check that hides the cursor and the
// fullscreen control strip.
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include "base/zdebug.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textids.h"
#include "playback/videoengine.h"
#include "ui/mainvideomenu.h"
#include "ui/mainwindow.h"
#include "ui/skinwindows.h"
#include "ui/video/fullscreencontrols.h"
#include "ui/video/presentationform.h"
#include "ui/video/videomenu.h"
#include "ui/video/videopicture.h"

bool TZVideoWindow::GraphActive() const {
  return engine_ && engine_->Active();
}

void TZVideoWindow::SetPresentation(TZDisplayMode mode) {
  if (!GraphActive()) {
    // The chosen item ticked itself; the tick goes back to the mode in force.
    TickMode();
    return;
  }
  switch (mode) {
    case dmFullscreen:
      EnterForm(false);
      break;
    case dmDesktop:
      EnterForm(true);
      break;
    case dmWindow:
    case dmNone:
      ReturnToWindow();
      break;
  }
}

void TZVideoWindow::TogglePresentation() {
  if (IsBassKind(main_.Player().State().Kind)) {
    return;
  }
  SetPresentation(mode_ == dmFullscreen ? dmWindow : dmFullscreen);
}

// The picture moves into a borderless form on the monitor the window is on. A desktop form needs
// a windowing system with desktop windows; elsewhere the picture goes fullscreen instead.
void TZVideoWindow::EnterForm(bool desktop) {
  QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  if (desktop && !OnX11()) {
    ZLog(QStringLiteral("Desktop mode needs an X11 display; showing the video fullscreen instead"));
    desktop = false;
  }
  window_.hide();
  auto form = std::make_unique<TZPresentationForm>(
      desktop ? TZPresentationForm::Desktop : TZPresentationForm::Fullscreen, screen, true);
  form->Hold(picture_);
  form->Present();
  form_ = std::move(form);
  const bool fullscreen = form_->kind() == TZPresentationForm::Fullscreen;
  if (fullscreen) {
    const QRect bounds = screen ? screen->geometry() : form_->geometry();
    controls_.FloatOver(*form_);
    controls_.PlaceFullscreenControl(bounds.topLeft(), bounds.size());
    main_.SetVolumePosition(main_.VolumeControl().Position);
  } else {
    controls_.HideNow();
  }
  mode_ = fullscreen ? dmFullscreen : dmDesktop;
  TickMode();
  picture_->ApplyAspectLayout();
  ShowModeText(fullscreen ? kTextSwitchingToFullscreen : kTextSwitchingToDesktop);
}

void TZVideoWindow::ReturnToWindow() {
  controls_.HideNow();
  window_.show();
  if (form_) {
    window_.DSVideoWindowEx->layout()->addWidget(picture_);
    form_.reset();
  }
  window_.activateWindow();
  mode_ = dmWindow;
  TickMode();
  picture_->ApplyAspectLayout();
  ShowModeText(kTextSwitchingToWindow);
}

void TZVideoWindow::ShowModeText(int text) {
  main_.ShowOsdText(Language().Text(text), kModeOsdMs);
}

// With a delay of 0 nothing is checked at all.
void TZVideoWindow::OnIdleTick() {
  if (cursorDelayMs_ <= 0) {
    return;
  }
  idleMs_ = std::min(idleMs_ + kIdleTickMs, cursorDelayMs_);
  if (idleMs_ >= cursorDelayMs_) {
    if (!cursorHidden_) {
      picture_->setCursor(Qt::BlankCursor);
      cursorHidden_ = true;
    }
    if (mode_ == dmFullscreen && !controls_.HideRequested()) {
      controls_.RequestHide();
    }
  } else if (mode_ == dmFullscreen && config_.VideoFSControlActive) {
    controls_.Show();
  }
}

void TZVideoWindow::OnMouseActive() {
  idleMs_ = 0;
  if (cursorHidden_) {
    picture_->unsetCursor();
    cursorHidden_ = false;
  }
}
