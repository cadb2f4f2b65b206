#include "hotkeys/dispatch/hotkeydispatch.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint16_t kKeyA = 65;
// Up, Down, PageUp, PageDown, Pos1, End and Delete move or edit the playlist list.
constexpr std::array<std::uint16_t, 7> kPlaylistListKeys{38, 40, 33, 34, 36, 35, 46};
constexpr int kBrightnessStep = 50;
constexpr std::array<int, 5> kZoomValues{0, 25, 50, 75, 80};
constexpr std::array<TPlaylistSortOrder, 8> kSortOrders{
    psoCaption, psoFileName, psoTime, psoTrack, psoAudio, psoVideo, psoRandom, psoReverse};

bool LeftToPlaylistList(std::uint16_t key, std::uint8_t modifiers) {
  if (modifiers == 0) {
    return std::ranges::find(kPlaylistListKeys, key) != kPlaylistListKeys.end();
  }
  return key == kKeyA && modifiers == hmCtrl;
}

TZHotKeyDispatcher*& DispatcherSlot() {
  static TZHotKeyDispatcher* dispatcher = nullptr;
  return dispatcher;
}

}  // namespace

TZHotKeyDispatcher::TZHotKeyDispatcher(const TZHotKeys& table, TZHotKeyTarget& target,
                                       const TZHotKeyFocus& focus)
    : table_(table), target_(target), focus_(focus) {}

void TZHotKeyDispatcher::Dispatch(std::uint16_t key, std::uint8_t modifiers) {
  // A copy of the matches: an action that edits the table cannot disturb this walk.
  const QList<int> matches = table_.Matching(key, modifiers);
  for (const int index : matches) {
    const TZHotKeyEntry entry = table_.Entry(index);
    if (entry.SystemWide || LocalCheckPasses(key, modifiers)) {
      RunAction(entry.Action);
    }
  }
}

bool TZHotKeyDispatcher::LocalCheckPasses(std::uint16_t key, std::uint8_t modifiers) const {
  switch (focus_.FocusedWindow()) {
    case THotKeyWindow::Playlist:
      return !LeftToPlaylistList(key, modifiers);
    case THotKeyWindow::Main:
    case THotKeyWindow::MediaControls:
    case THotKeyWindow::VideoArea:
    case THotKeyWindow::FullscreenControls:
      return true;
    case THotKeyWindow::OtherProgram:
    case THotKeyWindow::OtherWindow:
      return false;
  }
  return false;
}

void TZHotKeyDispatcher::RunAction(int action) {
  if (action >= haSpeedFirst && action <= haSpeedLast) {
    target_.SetSpeedStep(action - haSpeedFirst + 1);
    return;
  }
  if (action >= haZoomFirst && action <= haZoomLast) {
    target_.SetDigitalZoom(kZoomValues[action - haZoomFirst]);
    return;
  }
  if (action >= haSortCaption && action <= haSortReverse) {
    target_.SortPlaylist(kSortOrders[action - haSortCaption]);
    return;
  }
  switch (action) {
    case haNext:
      return target_.Transport(THotKeyTransport::Next);
    case haPrevious:
      return target_.Transport(THotKeyTransport::Previous);
    case haStop:
      return target_.Transport(THotKeyTransport::Stop);
    case haPause:
      return target_.Transport(THotKeyTransport::Pause);
    case haPlay:
      return target_.Transport(THotKeyTransport::Play);
    case haVolumeUp:
      return target_.StepVolume(1);
    case haVolumeDown:
      return target_.StepVolume(-1);
    case haBrightnessUp:
      return target_.StepBrightness(kBrightnessStep);
    case haBrightnessDown:
      return target_.StepBrightness(-kBrightnessStep);
    case haJumpForward:
      return target_.Jump(1);
    case haJumpBackward:
      return target_.Jump(-1);
    case haToggleFullscreen:
      return target_.SetPresentation(THotKeyPresentation::Toggle);
    case haWindowMode:
      return target_.SetPresentation(THotKeyPresentation::Window);
    case haDesktopMode:
      return target_.SetPresentation(THotKeyPresentation::Desktop);
    case haFullscreenMode:
      return target_.SetPresentation(THotKeyPresentation::Fullscreen);
    case haPlaylistSearch:
      return target_.OpenPlaylistSearch();
    case haToggleMute:
      return target_.ToggleMute();
    case haScreenshotOriginal:
      return target_.TakeScreenshot(true);
    case haScreenshotFixed:
      return target_.TakeScreenshot(false);
    case haAddFiles:
      return target_.AddMedia(THotKeyAdd::Files);
    case haAddDirectory:
      return target_.AddMedia(THotKeyAdd::Directory);
    case haAddMedium:
      return target_.AddMedia(THotKeyAdd::Medium);
    case haAddURL:
      return target_.AddMedia(THotKeyAdd::Url);
    case haRecordLiveStream:
      return target_.RecordLiveStream(true);
    case haStopLiveStream:
      return target_.RecordLiveStream(false);
    case haBringToFront:
      return target_.BringToFront();
    case haClose:
      return target_.CloseProgram();
    default:
      return;  // haNone and codes from a damaged file do nothing
  }
}

TZHotKeyDispatcher* HotKeyDispatcher() {
  return DispatcherSlot();
}

void SetHotKeyDispatcher(TZHotKeyDispatcher* dispatcher) {
  DispatcherSlot() = dispatcher;
}
