#pragma once
// Where the program is in its life, and the application-wide objects that start-up creates and
// shutdown releases. Timers and handlers ask IsInitialised/IsTerminated before they act.

#include <QString>
#include <functional>
#include <memory>
#include <utility>

class TZPlayer;
class TZPlayerWindows;
class TZPlaylist;

// False until the last step of start-up.
bool IsInitialised();
// False until the last step of shutdown.
bool IsTerminated();
void SetInitialised(bool initialised);
void SetTerminated(bool terminated);

// The program's playlist, or null before start-up created it and after shutdown freed it.
TZPlaylist* Playlist();
void SetPlaylist(std::unique_ptr<TZPlaylist> playlist);

// The player the main window created and the windows it draws on; null before the program
// started and in headless runs. Hotkeys, the desktop's media controls and shutdown reach the
// player through it.
TZPlayer* Player();
TZPlayerWindows* PlayerWindows();
void SetPlayer(TZPlayer* player, TZPlayerWindows* windows);

// The events that bring the windows in line with the program's state.
inline const QString kProgramStart = QStringLiteral("PROGRAMMSTART");
inline const QString kSkinChange = QStringLiteral("SKINCHANGE");
inline const QString kProgramEnd = QStringLiteral("PROGRAMEND");

// Runs an event: the program's own part (playlist marks, remembered entry, stored positions),
// then every handler the windows added, in the order they were added.
void ProgramEvent(const QString& name);

// A window's part in ProgramEvent. The handler stays until the returned handle is destroyed.
class ProgramEventHandle {
 public:
  ProgramEventHandle() = default;
  explicit ProgramEventHandle(int id) : id_(id) {}
  ~ProgramEventHandle();
  ProgramEventHandle(ProgramEventHandle&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
  ProgramEventHandle& operator=(ProgramEventHandle&& other) noexcept;

 private:
  int id_ = 0;
};
[[nodiscard]] ProgramEventHandle AddProgramEventHandler(
    std::function<void(const QString&)> handler);
