#include "app/program.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "config/config.h"
#include "playlist/playlist.h"

namespace {

struct ProgramState {
  bool initialised = false;
  bool terminated = false;
  std::unique_ptr<TZPlaylist> playlist;
  TZPlayer* player = nullptr;
  TZPlayerWindows* playerWindows = nullptr;
  std::vector<std::pair<int, std::function<void(const QString&)>>> handlers;
  int lastHandlerId = 0;
};

ProgramState& State() {
  static ProgramState state;
  return state;
}

// No entry plays at start; with "Remember last played" the entry that played last becomes the
// only selected one. Nothing starts playing.
void SelectRememberedEntry(TZPlaylist& playlist) {
  playlist.ClearPlayed();
  const int index = playlist.LastPlayedIndex;
  if (index == -1 || index >= playlist.Count() || !Config().RememberLastPlayed) {
    return;
  }
  playlist.SelectNone();
  if (TZPlaylistEntry* entry = playlist.Get(index)) {
    entry->Selected = true;
  }
}

void RunHandlers(const QString& name) {
  // A handler may remove itself (or another); only handlers still present are called.
  std::vector<int> ids;
  for (const auto& [id, handler] : State().handlers) {
    ids.push_back(id);
  }
  for (int id : ids) {
    auto& handlers = State().handlers;
    const auto it = std::find_if(handlers.begin(), handlers.end(),
                                 [id](const auto& entry) { return entry.first == id; });
    if (it != handlers.end()) {
      const auto handler = it->second;
      handler(name);
    }
  }
}

}  // namespace

bool IsInitialised() {
  return State().initialised;
}
bool IsTerminated() {
  return State().terminated;
}
void SetInitialised(bool initialised) {
  State().initialised = initialised;
}
void SetTerminated(bool terminated) {
  State().terminated = terminated;
}

TZPlaylist* Playlist() {
  return State().playlist.get();
}
void SetPlaylist(std::unique_ptr<TZPlaylist> playlist) {
  State().playlist = std::move(playlist);
}

TZPlayer* Player() {
  return State().player;
}
TZPlayerWindows* PlayerWindows() {
  return State().playerWindows;
}
void SetPlayer(TZPlayer* player, TZPlayerWindows* windows) {
  State().player = player;
  State().playerWindows = windows;
}

void ProgramEvent(const QString& name) {
  TZPlaylist* playlist = Playlist();
  if (name == kProgramStart && playlist) {
    SelectRememberedEntry(*playlist);
  }
  if (name == kProgramEnd && playlist) {
    Config().LastPlayedIndex = playlist->LastPlayedIndex;
  }
  RunHandlers(name);
}

ProgramEventHandle::~ProgramEventHandle() {
  if (id_ != 0) {
    std::erase_if(State().handlers, [this](const auto& entry) { return entry.first == id_; });
  }
}

ProgramEventHandle& ProgramEventHandle::operator=(ProgramEventHandle&& other) noexcept {
  if (this != &other) {
    ProgramEventHandle old(std::exchange(id_, std::exchange(other.id_, 0)));
  }
  return *this;
}

ProgramEventHandle AddProgramEventHandler(std::function<void(const QString&)> handler) {
  const int id = ++State().lastHandlerId;
  State().handlers.emplace_back(id, std::move(handler));
  return ProgramEventHandle(id);
}
