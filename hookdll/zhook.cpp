// The X11 side of the system-wide hotkeys: passive grabs on the root window for exactly the keys
// of the system-wide entries, read on a connection and thread of the library's own.

#include "zhook.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "keysyms.h"
#include "serverkeys.h"

#define ZHOOK_EXPORT __attribute__((visibility("default")))

namespace {

using Binding = std::pair<std::uint16_t, std::uint8_t>;  // key, modifiers
using Grab = std::pair<KeyCode, unsigned>;               // keycode, modifier mask

// The X error handler is process-wide: while the library grabs it catches the errors of its own
// connection (BadAccess: another client holds the key) and hands all others on.
struct GrabAttempt {
  Display* display = nullptr;
  XErrorHandler previous = nullptr;
  bool failed = false;
};

std::mutex& ErrorHandlerMutex() {
  static std::mutex mutex;
  return mutex;
}

GrabAttempt*& CurrentAttempt() {
  static GrabAttempt* attempt = nullptr;
  return attempt;
}

int OnXError(Display* display, XErrorEvent* error) {
  GrabAttempt* attempt = CurrentAttempt();
  if (attempt && display == attempt->display) {
    attempt->failed = true;
    return 0;
  }
  return attempt && attempt->previous ? attempt->previous(display, error) : 0;
}

struct CloseDisplay {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

class HookSession {
 public:
  HookSession(Display* display, const ZHookClient& client);
  ~HookSession();
  HookSession(const HookSession&) = delete;
  HookSession& operator=(const HookSession&) = delete;

  void GrabKeys(const ZHookKey* keys, int count);
  void Start() {
    thread_ = std::thread([this] { Run(); });
  }

 private:
  void FindModifierMasks();
  std::vector<unsigned> LockCombinations() const;
  unsigned ModifierMask(std::uint8_t modifiers) const;
  std::vector<Grab> GrabsFor(const Binding& binding, const std::vector<unsigned>& locks) const;
  bool TryGrab(const std::vector<Grab>& grabs);
  void Ungrab(const std::vector<Grab>& grabs);
  void LogOnce(const Binding& binding, const char* what);
  void TakeFromServer(const Binding& binding, const std::vector<Grab>& grabs);
  void Wake();
  void Run();
  void HandlePendingEvents();

  std::unique_ptr<Display, CloseDisplay> connection_;
  Display* display_;
  // Declared after the connection: it gives the server's actions back before the connection goes.
  ServerKeyActions serverKeys_;
  Window root_;
  ZHookClient client_;
  unsigned numLock_ = 0;
  unsigned scrollLock_ = 0;
  unsigned alt_ = Mod1Mask;
  std::vector<Grab> grabbed_;
  std::set<Binding> reported_;
  std::mutex displayMutex_;  // the connection is used by the thread and by table updates
  int wake_;
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

HookSession::HookSession(Display* display, const ZHookClient& client)
    : connection_(display),
      display_(display),
      serverKeys_(display),
      root_(DefaultRootWindow(display)),
      client_(client),
      wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  XkbSetDetectableAutoRepeat(display_, True, nullptr);
  FindModifierMasks();
}

HookSession::~HookSession() {
  quit_ = true;
  Wake();
  if (thread_.joinable()) {
    thread_.join();
  }
  Ungrab(grabbed_);
  close(wake_);
}

void HookSession::FindModifierMasks() {
  XModifierKeymap* map = XGetModifierMapping(display_);
  if (!map) {
    return;
  }
  const KeyCode numLock = XKeysymToKeycode(display_, XK_Num_Lock);
  const KeyCode scrollLock = XKeysymToKeycode(display_, XK_Scroll_Lock);
  const KeyCode alt = XKeysymToKeycode(display_, XK_Alt_L);
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int i = 0; i < map->max_keypermod; ++i) {
      const KeyCode code = map->modifiermap[modifier * map->max_keypermod + i];
      if (code == 0) {
        continue;
      }
      if (code == numLock) {
        numLock_ = 1u << modifier;
      }
      if (code == scrollLock) {
        scrollLock_ = 1u << modifier;
      }
      if (code == alt && modifier >= Mod1MapIndex) {
        alt_ = 1u << modifier;
      }
    }
  }
  XFreeModifiermap(map);
}

// Every combination of the lock modifiers, so a hotkey works whatever lock is on.
std::vector<unsigned> HookSession::LockCombinations() const {
  std::vector<unsigned> combinations{0};
  for (const unsigned lock : {static_cast<unsigned>(LockMask), numLock_, scrollLock_}) {
    if (lock == 0) {
      continue;
    }
    const size_t count = combinations.size();
    for (size_t i = 0; i < count; ++i) {
      combinations.push_back(combinations[i] | lock);
    }
  }
  return combinations;
}

unsigned HookSession::ModifierMask(std::uint8_t modifiers) const {
  unsigned mask = 0;
  if (modifiers & ZHOOK_SHIFT) {
    mask |= ShiftMask;
  }
  if (modifiers & ZHOOK_ALT) {
    mask |= alt_;
  }
  if (modifiers & ZHOOK_CTRL) {
    mask |= ControlMask;
  }
  return mask;
}

std::vector<Grab> HookSession::GrabsFor(const Binding& binding,
                                        const std::vector<unsigned>& locks) const {
  int minCode = 0;
  int maxCode = 0;
  XDisplayKeycodes(display_, &minCode, &maxCode);
  std::vector<Grab> grabs;
  for (int code = minCode; code <= maxCode; ++code) {
    const auto keycode = static_cast<KeyCode>(code);
    for (const unsigned lock : locks) {
      if (VirtualKeyOfKeycode(display_, keycode, (lock & numLock_) != 0) == binding.first) {
        grabs.emplace_back(keycode, ModifierMask(binding.second) | lock);
      }
    }
  }
  return grabs;
}

bool HookSession::TryGrab(const std::vector<Grab>& grabs) {
  std::lock_guard lock(ErrorHandlerMutex());
  GrabAttempt attempt;
  attempt.display = display_;
  CurrentAttempt() = &attempt;
  attempt.previous = XSetErrorHandler(OnXError);
  for (const auto& [keycode, mask] : grabs) {
    XGrabKey(display_, keycode, mask, root_, False, GrabModeAsync, GrabModeAsync);
  }
  XSync(display_, False);
  XSetErrorHandler(attempt.previous);
  CurrentAttempt() = nullptr;
  return !attempt.failed;
}

void HookSession::Ungrab(const std::vector<Grab>& grabs) {
  for (const auto& [keycode, mask] : grabs) {
    XUngrabKey(display_, keycode, mask, root_);
  }
  XSync(display_, False);
}

void HookSession::LogOnce(const Binding& binding, const char* what) {
  if (!client_.log || !reported_.insert(binding).second) {
    return;
  }
  char line[160];
  std::snprintf(line, sizeof line, "Hotkey %u with modifiers %u %s.", unsigned{binding.first},
                unsigned{binding.second}, what);
  client_.log(client_.context, line);
}

// A press the server acts on itself never reaches the grab; the hotkey takes the key over.
void HookSession::TakeFromServer(const Binding& binding, const std::vector<Grab>& grabs) {
  bool took = false;
  for (const auto& [keycode, mask] : grabs) {
    took = serverKeys_.Take(keycode, mask) || took;
  }
  if (took) {
    LogOnce(binding, "is a key the X server acts on itself; the hotkey takes it over");
  }
}

void HookSession::GrabKeys(const ZHookKey* keys, int count) {
  {
    std::lock_guard lock(displayMutex_);
    Ungrab(grabbed_);
    grabbed_.clear();
    serverKeys_.GiveBackAll();
    std::set<Binding> bindings;
    for (int i = 0; i < count; ++i) {
      bindings.emplace(keys[i].key, keys[i].modifiers);
    }
    const std::vector<unsigned> locks = LockCombinations();
    for (const Binding& binding : bindings) {
      const std::vector<Grab> grabs = GrabsFor(binding, locks);
      if (grabs.empty()) {
        LogOnce(binding, "has no key on this keyboard; it is skipped");
      } else if (TryGrab(grabs)) {
        grabbed_.insert(grabbed_.end(), grabs.begin(), grabs.end());
        TakeFromServer(binding, grabs);
      } else {
        // Some combinations may have been granted: release them so the key is wholly skipped.
        Ungrab(grabs);
        LogOnce(binding, "is held by another program; it is skipped");
      }
    }
  }
  // Events read while grabbing wait in the connection's queue, where poll cannot see them.
  Wake();
}

void HookSession::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(wake_, &one, sizeof one);
}

void HookSession::Run() {
  while (!quit_) {
    pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      continue;
    }
    if (fds[1].revents & POLLIN) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t read = ::read(wake_, &count, sizeof count);
    }
    if (!quit_) {
      HandlePendingEvents();
    }
  }
}

void HookSession::HandlePendingEvents() {
  std::lock_guard lock(displayMutex_);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    // Releases are of no interest; auto-repeat arrives as further presses.
    if (event.type != KeyPress) {
      continue;
    }
    const XKeyEvent& key = event.xkey;
    const std::uint16_t vk =
        VirtualKeyOfKeycode(display_, static_cast<KeyCode>(key.keycode), key.state & numLock_);
    std::uint8_t modifiers = 0;
    if (key.state & ShiftMask) {
      modifiers |= ZHOOK_SHIFT;
    }
    if (key.state & alt_) {
      modifiers |= ZHOOK_ALT;
    }
    if (key.state & ControlMask) {
      modifiers |= ZHOOK_CTRL;
    }
    if (vk != 0 && client_.press) {
      client_.press(client_.context, vk, modifiers);
    }
  }
}

std::mutex& SessionMutex() {
  static std::mutex mutex;
  return mutex;
}

std::unique_ptr<HookSession>& Session() {
  static std::unique_ptr<HookSession> session;
  return session;
}

void Log(const ZHookClient* client, const char* line) {
  if (client && client->log) {
    client->log(client->context, line);
  }
}

}  // namespace

extern "C" ZHOOK_EXPORT bool ZEnableHook(const ZHookClient* client, const ZHookKey* keys,
                                         int count) {
  std::lock_guard lock(SessionMutex());
  if (Session() || !client) {
    return false;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    Log(client,
        "No X11 display: system-wide hotkeys are off; hotkeys work in the program's "
        "own windows.");
    return false;
  }
  if (std::getenv("WAYLAND_DISPLAY")) {
    Log(client, "Wayland session: system-wide hotkeys fire only while an X11 program is active.");
  }
  Session() = std::make_unique<HookSession>(display, *client);
  Session()->GrabKeys(keys, count);
  Session()->Start();
  return true;
}

extern "C" ZHOOK_EXPORT bool ZUpdateHook(const ZHookKey* keys, int count) {
  std::lock_guard lock(SessionMutex());
  if (!Session()) {
    return false;
  }
  Session()->GrabKeys(keys, count);
  return true;
}

extern "C" ZHOOK_EXPORT bool ZDisableHook(void) {
  std::lock_guard lock(SessionMutex());
  if (!Session()) {
    return false;
  }
  Session().reset();
  return true;
}
