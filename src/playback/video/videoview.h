#pragma once
// What the video engines do to the video window while they open and play an item: the video
// window implements it, tests implement it to watch. GUI thread only.

#include <QSize>
#include <QStringList>
#include <vector>

class TZVideoFrameSink;

// The presentation of the picture, shared with the hotkeys and menus.
enum TZDisplayMode { dmNone = 0, dmWindow = 1, dmFullscreen = 2, dmDesktop = 3 };

class TZVideoView {
 public:
  virtual ~TZVideoView() = default;

  virtual TZVideoFrameSink& FrameSink() = 0;

  // Empties "Audio tracks", "Subtitle streams" and "Jump to".
  virtual void ClearTrackMenus() = 0;
  // One radio item per audio track; `checked` is ticked (-1 none).
  virtual void SetAudioTracks(const QStringList& captions, int checked) = 0;
  // "Off", a separator, then one radio item per subtitle; `checked` -1 ticks "Off". No captions:
  // the menu stays empty.
  virtual void SetSubtitleTracks(const QStringList& captions, int checked) = 0;
  // DVD: "Jump to" gets one entry per title; `chapterCounts[t - 1]` chapters for title t.
  virtual void SetJumpTargets(const std::vector<int>& chapterCounts) = 0;
  virtual void CheckJumpTarget(int title, int chapter) = 0;
  // The graph's filters for the "Filter" menu.
  virtual void SetFilterMenu(const QStringList& filterNames) = 0;

  // The item has a picture of this native size: show the video area and lay it out.
  virtual void ShowPicture(bool isDvd, QSize nativeSize) = 0;
  // The item has no picture (audio through the graph): the video window hides.
  virtual void HidePicture() = 0;
  // The video menu's items for the item's kind and state.
  virtual void UpdateVideoMenu(bool isDvd, bool paused) = 0;

  virtual TZDisplayMode DisplayMode() const = 0;
  virtual void SetDisplayMode(TZDisplayMode mode) = 0;
};
