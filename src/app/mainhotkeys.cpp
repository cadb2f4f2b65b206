#include "app/mainhotkeys.h"

#include "app/programwiring.h"
#include "app/videowiring.h"
#include "playlist/window/playlistwindow.h"
#include "ui/mainwindow.h"
#include "ui/video/videowindow.h"

TZMainHotKeys::TZMainHotKeys(TZMainWindow& main, TZProgramWiring& wiring)
    : main_(main), wiring_(wiring) {}

// A transport key does exactly what its button on the main window does.
void TZMainHotKeys::Transport(THotKeyTransport command) {
  TfrmMain& w = *main_.Windows().Main;
  TZSkinButton* button = nullptr;
  switch (command) {
    case THotKeyTransport::Next:
      button = w.imgForwardButton;
      break;
    case THotKeyTransport::Previous:
      button = w.imgRewindButton;
      break;
    case THotKeyTransport::Stop:
      button = w.imgStopButton;
      break;
    case THotKeyTransport::Pause:
      button = w.imgPauseButton;
      break;
    case THotKeyTransport::Play:
      button = w.imgPlayButton;
      break;
  }
  emit button->clicked();
}

void TZMainHotKeys::StepVolume(int direction) {
  if (direction > 0) {
    main_.Player().VolumeUp();
  } else {
    main_.Player().VolumeDown();
  }
}

void TZMainHotKeys::ToggleMute() {
  main_.Player().ToggleMute();
}

void TZMainHotKeys::Jump(int direction) {
  if (direction > 0) {
    main_.Player().JumpForward();
  } else {
    main_.Player().JumpBackward();
  }
}

void TZMainHotKeys::StepBrightness(int delta) {
  if (TZVideoWiring* video = wiring_.Video()) {
    video->Window().StepBrightness(delta);
  }
}

void TZMainHotKeys::SetPresentation(THotKeyPresentation presentation) {
  if (TZVideoWiring* video = wiring_.Video()) {
    video->SetPresentation(presentation);
  }
}

void TZMainHotKeys::TakeScreenshot(bool original) {
  if (TZVideoWiring* video = wiring_.Video()) {
    video->Window().TakeScreenshot(!original);
  }
}

void TZMainHotKeys::OpenPlaylistSearch() {
  wiring_.OpenSearch();
}

void TZMainHotKeys::SortPlaylist(TPlaylistSortOrder order) {
  wiring_.PlaylistWindow().SortItems(order);
}

void TZMainHotKeys::AddMedia(THotKeyAdd what) {
  switch (what) {
    case THotKeyAdd::Files:
      main_.ChooseFilesToAdd();
      break;
    case THotKeyAdd::Directory:
      main_.ChooseFolderToAdd();
      break;
    case THotKeyAdd::Medium:
      wiring_.OpenAddDisc();
      break;
    case THotKeyAdd::Url:
      wiring_.OpenAddUrl();
      break;
  }
}

void TZMainHotKeys::SetSpeedStep(int step) {
  main_.Player().SetSpeed(step);
}

void TZMainHotKeys::SetDigitalZoom(int value) {
  if (TZVideoWiring* video = wiring_.Video()) {
    video->Window().SetDigitalZoom(value);
  }
}

void TZMainHotKeys::RecordLiveStream(bool record) {
  if (record) {
    main_.Player().RecordCommand();
  } else {
    main_.Player().StopRecordCommand();
  }
}

void TZMainHotKeys::BringToFront() {
  TfrmMain& w = *main_.Windows().Main;
  if (w.isMinimized()) {
    w.showNormal();
  }
  w.show();
  w.QWidget::raise();
  w.activateWindow();
}

void TZMainHotKeys::CloseProgram() {
  main_.Windows().Main->close();
}
