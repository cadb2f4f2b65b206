#include "hotkeys/hotkeyactions.h"

#include <array>

namespace {

struct ActionText {
  int action;
  int textNumber;
  const char* english;
};

// In text-number order, the order in which the settings page lists the actions.
constexpr std::array<ActionText, kHotKeyActionCount> kActionTexts{{
    {haNone, 369, "None"},
    {haNext, 370, "Next"},
    {haPrevious, 371, "Previos"},
    {haPause, 372, "Pause"},
    {haPlay, 373, "Play"},
    {haStop, 374, "Stop"},
    {haVolumeUp, 375, "Increment Volume"},
    {haVolumeDown, 376, "Decrement Volume"},
    {haBrightnessUp, 377, "Increment Brightness"},
    {haBrightnessDown, 378, "Decrement Brightness"},
    {haJumpForward, 379, "Timejump Forward"},
    {haJumpBackward, 380, "Timejump Backward"},
    {haToggleFullscreen, 381, "Toggle fullscreen"},
    {haWindowMode, 382, "Switch to window mode"},
    {haDesktopMode, 383, "Switch to desktop mode"},
    {haFullscreenMode, 384, "Switch to fullscreen mode"},
    {haPlaylistSearch, 385, "Open playlist search"},
    {haToggleMute, 386, "Toggle mute"},
    {haSortCaption, 387, "Playlist caption sort"},
    {haSortFileName, 388, "Playlist filename sort"},
    {haSortTime, 389, "Playlist time sort"},
    {haSortTrack, 390, "Playlist track sort"},
    {haSortAudio, 391, "Playlist audio sort"},
    {haSortVideo, 392, "Playlist video sort"},
    {haSortRandom, 393, "Playlist random sort"},
    {haSortReverse, 394, "Playlist reverse sort"},
    {haAddFiles, 395, "Add files"},
    {haAddDirectory, 396, "Add directory"},
    {haAddMedium, 397, "Add medium"},
    {haAddURL, 398, "Add URL"},
    {haSpeedFirst + 0, 399, "Set speed to 25%"},
    {haSpeedFirst + 1, 400, "Set speed to 50%"},
    {haSpeedFirst + 2, 401, "Set speed to 75%"},
    {haSpeedFirst + 3, 402, "Set speed to 100%"},
    {haSpeedFirst + 4, 403, "Set speed to 125%"},
    {haSpeedFirst + 5, 404, "Set speed to 150%"},
    {haSpeedFirst + 6, 405, "Set speed to 175%"},
    {haSpeedFirst + 7, 406, "Set speed to 200%"},
    {haSpeedFirst + 8, 407, "Set speed to 225%"},
    {haSpeedFirst + 9, 408, "Set speed to 250%"},
    {haZoomFirst + 0, 409, "Set digitalzoom to 100%"},
    {haZoomFirst + 1, 410, "Set digitalzoom to  125%"},
    {haZoomFirst + 2, 411, "Set digitalzoom to  150%"},
    {haZoomFirst + 3, 412, "Set digitalzoom to  175%"},
    {haZoomFirst + 4, 413, "Set digitalzoom to  200%"},
    {haClose, 414, "Close Zephonic"},
    {haScreenshotOriginal, 415, "Screenshot original"},
    {haScreenshotFixed, 416, "Screenshot fixed"},
    {haRecordLiveStream, 417, "Audio Livestream Record"},
    {haStopLiveStream, 418, "Audio Livestream Stop"},
    {haBringToFront, 419, "Zephonic to front"},
}};

static_assert(haSpeedFirst + 9 == haSpeedLast && haZoomFirst + 4 == haZoomLast);
static_assert(haClose == kHotKeyActionCount - 1);

constexpr int kFirstTextNumber = 369;

}  // namespace

QString EnglishActionText(int textNumber) {
  const int index = textNumber - kFirstTextNumber;
  if (index < 0 || index >= kHotKeyActionCount) {
    return {};
  }
  return QString::fromLatin1(kActionTexts[index].english);
}

int ActionTextNumber(int action) {
  for (const ActionText& entry : kActionTexts) {
    if (entry.action == action) {
      return entry.textNumber;
    }
  }
  return -1;
}

QString ActionName(int action, const TZTextLookup& text) {
  const int number = ActionTextNumber(action);
  return number < 0 ? QString() : text(number);
}

int ActionByName(const QString& name, const TZTextLookup& text) {
  for (const ActionText& entry : kActionTexts) {
    if (text(entry.textNumber) == name) {
      return entry.action;
    }
  }
  return haNone;
}

QStringList ActionNames(const TZTextLookup& text) {
  QStringList names;
  for (const ActionText& entry : kActionTexts) {
    names << text(entry.textNumber);
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
