#include "hotkeys/hotkeyactions.h"

#include <array>

#include "lang/textids.h"

namespace {

struct ActionText {
  int action;
  const char* english;
};

// A row's name is the hotkey-action text at the row's place, so the rows are in text-number
// order, which is also the order in which the settings page lists the actions.
constexpr std::array<ActionText, kHotKeyActionCount> kActionTexts{{
    {haNone, "None"},
    {haNext, "Next"},
    {haPrevious, "Previos"},
    {haPause, "Pause"},
    {haPlay, "Play"},
    {haStop, "Stop"},
    {haVolumeUp, "Increment Volume"},
    {haVolumeDown, "Decrement Volume"},
    {haBrightnessUp, "Increment Brightness"},
    {haBrightnessDown, "Decrement Brightness"},
    {haJumpForward, "Timejump Forward"},
    {haJumpBackward, "Timejump Backward"},
    {haToggleFullscreen, "Toggle fullscreen"},
    {haWindowMode, "Switch to window mode"},
    {haDesktopMode, "Switch to desktop mode"},
    {haFullscreenMode, "Switch to fullscreen mode"},
    {haPlaylistSearch, "Open playlist search"},
    {haToggleMute, "Toggle mute"},
    {haSortCaption, "Playlist caption sort"},
    {haSortFileName, "Playlist filename sort"},
    {haSortTime, "Playlist time sort"},
    {haSortTrack, "Playlist track sort"},
    {haSortAudio, "Playlist audio sort"},
    {haSortVideo, "Playlist video sort"},
    {haSortRandom, "Playlist random sort"},
    {haSortReverse, "Playlist reverse sort"},
    {haAddFiles, "Add files"},
    {haAddDirectory, "Add directory"},
    {haAddMedium, "Add medium"},
    {haAddURL, "Add URL"},
    {haSpeedFirst + 0, "Set speed to 25%"},
    {haSpeedFirst + 1, "Set speed to 50%"},
    {haSpeedFirst + 2, "Set speed to 75%"},
    {haSpeedFirst + 3, "Set speed to 100%"},
    {haSpeedFirst + 4, "Set speed to 125%"},
    {haSpeedFirst + 5, "Set speed to 150%"},
    {haSpeedFirst + 6, "Set speed to 175%"},
    {haSpeedFirst + 7, "Set speed to 200%"},
    {haSpeedFirst + 8, "Set speed to 225%"},
    {haSpeedFirst + 9, "Set speed to 250%"},
    {haZoomFirst + 0, "Set digitalzoom to 100%"},
    {haZoomFirst + 1, "Set digitalzoom to  125%"},
    {haZoomFirst + 2, "Set digitalzoom to  150%"},
    {haZoomFirst + 3, "Set digitalzoom to  175%"},
    {haZoomFirst + 4, "Set digitalzoom to  200%"},
    {haClose, "Close Zephonic"},
    {haScreenshotOriginal, "Screenshot original"},
    {haScreenshotFixed, "Screenshot fixed"},
    {haRecordLiveStream, "Audio Livestream Record"},
    {haStopLiveStream, "Audio Livestream Stop"},
    {haBringToFront, "Zephonic to front"},
}};

static_assert(haSpeedFirst + 9 == haSpeedLast && haZoomFirst + 4 == haZoomLast);
static_assert(haClose == kHotKeyActionCount - 1);
static_assert(kTextFirstHotkeyAction + kHotKeyActionCount - 1 == kTextLastHotkeyAction,
              "one action text per row");

int TextNumberOfRow(std::size_t row) {
  return kTextFirstHotkeyAction + int(row);
}

}  // namespace

QString EnglishActionText(int textNumber) {
  const int index = textNumber - kTextFirstHotkeyAction;
  if (index < 0 || index >= kHotKeyActionCount) {
    return {};
  }
  return QString::fromLatin1(kActionTexts[index].english);
}

int ActionTextNumber(int action) {
  for (std::size_t row = 0; row < kActionTexts.size(); ++row) {
    if (kActionTexts[row].action == action) {
      return TextNumberOfRow(row);
    }
  }
  return -1;
}

QString ActionName(int action, const TZTextLookup& text) {
  const int number = ActionTextNumber(action);
  return number < 0 ? QString() : text(number);
}

int ActionByName(const QString& name, const TZTextLookup& text) {
  for (std::size_t row = 0; row < kActionTexts.size(); ++row) {
    if (text(TextNumberOfRow(row)) == name) {
      return kActionTexts[row].action;
    }
  }
  return haNone;
}

QStringList ActionNames(const TZTextLookup& text) {
  QStringList names;
  for (std::size_t row = 0; row < kActionTexts.size(); ++row) {
    names << text(TextNumberOfRow(row));
  }
  return names;
}

QList<int> ActionsInTextOrder() {
  QList<int> actions;
  for (const ActionText& entry : kActionTexts) {
    actions << entry.action;
  }
  return actions;
}
