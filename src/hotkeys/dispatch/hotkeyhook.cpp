#include "hotkeys/dispatch/hotkeyhook.h"

#include <memory>
#include <vector>

#include "base/zdebug.h"
#include "hotkeys/dispatch/hotkeydispatch.h"
#include "zhook.h"

namespace {

std::vector<ZHookKey> SystemWideKeys(const TZHotKeys& table) {
  std::vector<ZHookKey> keys;
  for (const TZHotKeyEntry& entry : table.Entries()) {
    if (entry.SystemWide && entry.Key != 0) {
      keys.push_back({entry.Key, entry.Modifiers});
    }
  }
  return keys;
}

std::unique_ptr<TZHotKeyHook>& ProgramHook() {
  static std::unique_ptr<TZHotKeyHook> hook;
  return hook;
}

}  // namespace

TZHotKeyHook::TZHotKeyHook(std::function<void(TZKeyStroke)> onPress,
                           std::function<void(QString)> log)
    : onPress_(std::move(onPress)), log_(std::move(log)) {}

TZHotKeyHook::~TZHotKeyHook() {
  Disable();
}

bool TZHotKeyHook::Enable(const TZHotKeys& table) {
  const ZHookClient client{this, &TZHotKeyHook::OnPress, &TZHotKeyHook::OnLog};
  const std::vector<ZHookKey> keys = SystemWideKeys(table);
  enabled_ = ZEnableHook(&client, keys.data(), static_cast<int>(keys.size()));
  return enabled_;
}

bool TZHotKeyHook::Update(const TZHotKeys& table) {
  if (!enabled_) {
    return false;
  }
  const std::vector<ZHookKey> keys = SystemWideKeys(table);
  return ZUpdateHook(keys.data(), static_cast<int>(keys.size()));
}

bool TZHotKeyHook::Disable() {
  if (!enabled_) {
    return false;
  }
  enabled_ = false;
  return ZDisableHook();
}

void TZHotKeyHook::OnPress(void* context, unsigned short key, unsigned char modifiers) {
  // On the hook's thread: the press crosses to the GUI thread. Presses still queued when the
  // hook object goes are dropped with it.
  auto* hook = static_cast<TZHotKeyHook*>(context);
  const TZKeyStroke stroke{key, modifiers};
  QMetaObject::invokeMethod(
      hook, [hook, stroke] { hook->onPress_(stroke); }, Qt::QueuedConnection);
}

void TZHotKeyHook::OnLog(void* context, const char* line) {
  auto* hook = static_cast<TZHotKeyHook*>(context);
  if (hook->log_) {
    hook->log_(QString::fromUtf8(line));
  }
}

bool StartHotKeyHook(const TZHotKeys& table) {
  auto& hook = ProgramHook();
  hook = std::make_unique<TZHotKeyHook>(
      [](TZKeyStroke stroke) {
        if (TZHotKeyDispatcher* dispatcher = HotKeyDispatcher()) {
          dispatcher->Dispatch(stroke.Key, stroke.Modifiers);
        }
      },
      [](const QString& line) { ZLog(line); });
  return hook->Enable(table);
}

bool StopHotKeyHook() {
  auto& hook = ProgramHook();
  const bool stopped = hook && hook->Disable();
  hook.reset();
  return stopped;
}

void HotKeyTableChanged(const TZHotKeys& table) {
  if (auto& hook = ProgramHook()) {
    hook->Update(table);
  }
}
