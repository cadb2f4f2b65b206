#pragma once
// The items of the video window's popup menu that its behaviour reaches again after building.

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <array>
#include <utility>
#include <vector>

#include "playback/video/aspect.h"
#include "ui/video/videowindow.h"

struct TZVideoWindow::Menu {
  QMenu* Popup = nullptr;
  QAction* PreviousChapter = nullptr;
  QAction* Previous = nullptr;
  QAction* Pause = nullptr;
  QAction* Play = nullptr;
  QAction* Stop = nullptr;
  QAction* Next = nullptr;
  QAction* NextChapter = nullptr;
  QAction* SpeedSeparator = nullptr;
  QMenu* ForwardSpeed = nullptr;
  QMenu* BackwardSpeed = nullptr;
  QMenu* Mode = nullptr;
  std::array<QAction*, 3> Modes{};
  QMenu* Ratio = nullptr;
  std::array<QAction*, 7> Ratios{};
  QMenu* Zoom = nullptr;
  std::array<QAction*, std::size(ZoomPercents)> Zooms{};
  QMenu* DigitalZoom = nullptr;
  std::array<QAction*, std::size(DigitalZoomValues)> DigitalZooms{};
  QMenu* Screenshot = nullptr;
  QMenu* Filter = nullptr;
  QMenu* ShowMenu = nullptr;
  QMenu* AudioTracks = nullptr;
  QMenu* SubtitleStreams = nullptr;
  QAction* JumpSeparator = nullptr;
  QMenu* JumpTo = nullptr;
  QAction* ToggleSubtitles = nullptr;
  QAction* ShowSubtitles = nullptr;  // inside "Subtitle streams" during a DVD
  QAction* Close = nullptr;
  // What is chosen now: the audio and subtitle entries' data, the DVD title and chapter.
  int AudioCurrent = -1;
  int SubtitleCurrent = -1;
  QPoint JumpCurrent;
  // Every item and submenu with its text number, for a change of language.
  std::vector<std::pair<QAction*, int>> Texts;
};
