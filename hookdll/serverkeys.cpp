#include "serverkeys.h"

#include <memory>

namespace {

constexpr unsigned kMapParts = XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask;

struct FreeKeyboard {
  void operator()(XkbDescPtr keyboard) const { XkbFreeKeyboard(keyboard, 0, True); }
};
using Keyboard = std::unique_ptr<XkbDescRec, FreeKeyboard>;

Keyboard CoreKeyboard(Display* display) {
  return Keyboard(XkbGetMap(display, kMapParts, XkbUseCoreKbd));
}

// The actions the server carries out in place of handing the press to a client.
bool ServerOwnAction(const XkbAction& action) {
  switch (action.type) {
    case XkbSA_MovePtr:
    case XkbSA_PtrBtn:
    case XkbSA_LockPtrBtn:
    case XkbSA_SetPtrDflt:
    case XkbSA_Terminate:
    case XkbSA_SwitchScreen:
    case XkbSA_XFree86Private:
      return true;
    default:
      return false;
  }
}

// The shift level a key's type gives for these modifiers in one group.
int LevelOf(XkbDescPtr keyboard, KeyCode keycode, int group, unsigned modifiers) {
  const XkbKeyTypePtr type = XkbKeyKeyType(keyboard, keycode, group);
  const unsigned relevant = modifiers & type->mods.mask;
  for (int i = 0; i < type->map_count; ++i) {
    const XkbKTMapEntryRec& entry = type->map[i];
    if (entry.active && entry.mods.mask == relevant) {
      return entry.level;
    }
  }
  return 0;
}

}  // namespace

bool ServerKeyActions::Take(KeyCode keycode, unsigned modifiers) {
  const Keyboard keyboard = CoreKeyboard(display_);
  if (!keyboard || !XkbKeyHasActions(keyboard.get(), keycode)) {
    return false;
  }
  bool took = false;
  for (int group = 0; group < XkbKeyNumGroups(keyboard.get(), keycode); ++group) {
    const int level = LevelOf(keyboard.get(), keycode, group, modifiers);
    XkbAction* action = XkbKeyActionEntry(keyboard.get(), keycode, level, group);
    if (!action || !ServerOwnAction(*action) || AlreadyTaken(keycode, group, level)) {
      continue;
    }
    taken_.push_back({keycode, group, level, *action});
    action->type = XkbSA_NoAction;
    took = true;
  }
  if (took) {
    Send(keyboard.get(), keycode);
  }
  return took;
}

void ServerKeyActions::GiveBackAll() {
  if (taken_.empty()) {
    return;
  }
  const Keyboard keyboard = CoreKeyboard(display_);
  if (keyboard) {
    for (const Taken& taken : taken_) {
      if (XkbAction* action =
              XkbKeyActionEntry(keyboard.get(), taken.keycode, taken.level, taken.group)) {
        *action = taken.action;
        Send(keyboard.get(), taken.keycode);
      }
    }
  }
  taken_.clear();
}

bool ServerKeyActions::AlreadyTaken(KeyCode keycode, int group, int level) const {
  for (const Taken& taken : taken_) {
    if (taken.keycode == keycode && taken.group == group && taken.level == level) {
      return true;
    }
  }
  return false;
}

void ServerKeyActions::Send(XkbDescPtr keyboard, KeyCode keycode) {
  XkbMapChangesRec changes{};
  changes.changed = XkbKeyActionsMask;
  changes.first_key_act = keycode;
  changes.num_key_acts = 1;
  XkbChangeMap(display_, keyboard, &changes);
  XSync(display_, False);
}
