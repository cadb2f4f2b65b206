#include "keysyms.h"

#include <X11/XF86keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

struct SymPair {
  KeySym sym;
  std::uint16_t vk;
};

// Letters, digits, keypad digits and F-keys follow a pattern and are not listed. The punctuation
// keys go by position: the German layout's symbols and the US layout's on the same keys.
constexpr SymPair kSyms[] = {
    {XK_BackSpace, 8},
    {XK_Tab, 9},
    {XK_ISO_Left_Tab, 9},
    {XK_Clear, 12},
    {XK_Return, 13},
    {XK_KP_Enter, 13},
    {XK_Shift_L, 16},
    {XK_Shift_R, 16},
    {XK_Control_L, 17},
    {XK_Control_R, 17},
    {XK_Alt_L, 18},
    {XK_Alt_R, 18},
    {XK_ISO_Level3_Shift, 18},
    {XK_Pause, 19},
    {XK_Caps_Lock, 20},
    {XK_Escape, 27},
    {XK_space, 32},
    {XK_KP_Space, 32},
    {XK_Prior, 33},
    {XK_KP_Prior, 33},
    {XK_Next, 34},
    {XK_KP_Next, 34},
    {XK_End, 35},
    {XK_KP_End, 35},
    {XK_Home, 36},
    {XK_KP_Home, 36},
    {XK_Left, 37},
    {XK_KP_Left, 37},
    {XK_Up, 38},
    {XK_KP_Up, 38},
    {XK_Right, 39},
    {XK_KP_Right, 39},
    {XK_Down, 40},
    {XK_KP_Down, 40},
    {XK_Select, 41},
    {XK_Execute, 43},
    {XK_Print, 44},
    {XK_Insert, 45},
    {XK_KP_Insert, 45},
    {XK_Delete, 46},
    {XK_KP_Delete, 46},
    {XK_Help, 47},
    {XK_Super_L, 91},
    {XK_Super_R, 92},
    {XK_Menu, 93},
    {XF86XK_Sleep, 95},
    {XK_KP_Multiply, 106},
    {XK_KP_Add, 107},
    {XK_KP_Separator, 108},
    {XK_KP_Subtract, 109},
    {XK_KP_Decimal, 110},
    {XK_KP_Divide, 111},
    {XK_Num_Lock, 144},
    {XK_Scroll_Lock, 145},
    {XF86XK_Back, 166},
    {XF86XK_Forward, 167},
    {XF86XK_Refresh, 168},
    {XF86XK_Stop, 169},
    {XF86XK_Search, 170},
    {XF86XK_Favorites, 171},
    {XF86XK_HomePage, 172},
    {XF86XK_AudioMute, 173},
    {XF86XK_AudioLowerVolume, 174},
    {XF86XK_AudioRaiseVolume, 175},
    {XF86XK_AudioNext, 176},
    {XF86XK_AudioPrev, 177},
    {XF86XK_AudioStop, 178},
    {XF86XK_AudioPlay, 179},
    {XF86XK_AudioPause, 179},
    {XF86XK_Mail, 180},
    {XK_udiaeresis, 186},
    {XK_semicolon, 186},
    {XK_plus, 187},
    {XK_equal, 187},
    {XK_comma, 188},
    {XK_minus, 189},
    {XK_period, 190},
    {XK_numbersign, 191},
    {XK_slash, 191},
    {XK_odiaeresis, 192},
    {XK_grave, 192},
    {XK_dead_grave, 192},
    {XK_ssharp, 219},
    {XK_bracketleft, 219},
    {XK_asciicircum, 220},
    {XK_dead_circumflex, 220},
    {XK_backslash, 220},
    {XK_acute, 221},
    {XK_dead_acute, 221},
    {XK_bracketright, 221},
    {XK_adiaeresis, 222},
    {XK_apostrophe, 222},
    {XK_less, 226},
};

constexpr std::uint16_t kNumpad0 = 96;
constexpr std::uint16_t kF1 = 112;
constexpr int kFunctionKeys = 24;

}  // namespace

std::uint16_t VirtualKeyFromKeysym(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) {
    return static_cast<std::uint16_t>('A' + (keysym - XK_a));
  }
  if (keysym >= XK_A && keysym <= XK_Z) {
    return static_cast<std::uint16_t>('A' + (keysym - XK_A));
  }
  if (keysym >= XK_0 && keysym <= XK_9) {
    return static_cast<std::uint16_t>('0' + (keysym - XK_0));
  }
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
    return static_cast<std::uint16_t>(kNumpad0 + (keysym - XK_KP_0));
  }
  if (keysym >= XK_F1 && keysym < XK_F1 + kFunctionKeys) {
    return static_cast<std::uint16_t>(kF1 + (keysym - XK_F1));
  }
  for (const SymPair& pair : kSyms) {
    if (pair.sym == keysym) {
      return pair.vk;
    }
  }
  return 0;
}

std::uint16_t VirtualKeyOfKeycode(Display* display, KeyCode keycode, bool numLock) {
  const KeySym base = XkbKeycodeToKeysym(display, keycode, 0, 0);
  if (numLock) {
    const KeySym shifted = XkbKeycodeToKeysym(display, keycode, 0, 1);
    if (IsKeypadKey(shifted)) {
      if (const std::uint16_t vk = VirtualKeyFromKeysym(shifted)) {
        return vk;
      }
    }
  }
  return VirtualKeyFromKeysym(base);
}
