#pragma once
// The 51 actions a hotkey can run, and their names. A name is a numbered language text (from
// kTextFirstHotkeyAction to kTextLastHotkeyAction); the names are looked up through a TZTextLookup
// so the table does not depend on the language record, and default to the built-in English texts.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

enum THotKeyAction : std::uint8_t {
  haNone,
  haNext,
  haPrevious,
  haStop,
  haPause,
  haPlay,
  haVolumeUp,
  haVolumeDown,
  haBrightnessUp,
  haBrightnessDown,
  haJumpForward,
  haJumpBackward,
  haToggleFullscreen,
  haWindowMode,
  haDesktopMode,
  haFullscreenMode,
  haPlaylistSearch,
  haToggleMute,
  haScreenshotOriginal,
  haScreenshotFixed,
  haSortCaption,
  haSortFileName,
  haSortTime,
  haSortTrack,
  haSortAudio,
  haSortVideo,
  haSortRandom,
  haSortReverse,
  haAddFiles,
  haAddDirectory,
  haAddMedium,
  haAddURL,
  haSpeedFirst,      // speed step 1 (25 %); the next nine codes are steps 2 to 10
  haSpeedLast = 41,  // speed step 10 (250 %)
  haZoomFirst,       // digital zoom 100 %; then 125, 150, 175, 200 %
  haZoomLast = 46,
  haRecordLiveStream,
  haStopLiveStream,
  haBringToFront,
  haClose,
};

constexpr int kHotKeyActionCount = 51;

// Gives the text with a language number.
using TZTextLookup = std::function<QString(int textNumber)>;

// The built-in English text of an action's text number; empty for other numbers.
QString EnglishActionText(int textNumber);

// The language text number of an action's name, or -1 for a code outside 0-50.
int ActionTextNumber(int action);

// The action's name, empty for an unknown code.
QString ActionName(int action, const TZTextLookup& text = EnglishActionText);
// The code whose name equals the text, 0 when none does.
int ActionByName(const QString& name, const TZTextLookup& text = EnglishActionText);
// The 51 names in text-number order.
QStringList ActionNames(const TZTextLookup& text = EnglishActionText);
// The action codes in text-number order, parallel to ActionNames.
QList<int> ActionsInTextOrder();
