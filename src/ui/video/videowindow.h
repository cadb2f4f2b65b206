#pragma once
// What the video window does: hosts the picture control, lays itself out, moves and sizes, refuses
// to be closed, offers the popup menu popmVideo (transport, speeds, presentation, ratio, zoom,
// screenshots, filters, DVD menus, track choice) and switches between the three presentations
// (inside the window, fullscreen with the control strip, as the desktop). The video engine drives
// it through TZVideoView and is driven back through TZVideoCommands.

#include <QObject>
#include <QSize>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "lang/applylanguage.h"
#include "playback/video/videoview.h"

class QAction;
class QActionGroup;
class QMenu;
class TfrmVideo;
class TZFullscreenControls;
class TZMainVideoMenu;
class TZMainWindow;
class TZPresentationForm;
class TZTimer;
class TZTimerSource;
class TZVideoCommands;
class TZVideoEngine;
class TZVideoPicture;
struct TZConfig;
struct TZGUI;

class TZVideoWindow : public QObject, public TZVideoView, public TZLanguageTarget {
  Q_OBJECT

 public:
  static constexpr int kIdleTickMs = 100;
  static constexpr int kCursorDelayMs = 3000;
  static constexpr int kModeOsdMs = 2000;
  static constexpr int kScreenshotOsdMs = 3000;

  TZVideoWindow(TfrmVideo& window, TZFullscreenControls& controls, TZMainWindow& main,
                TZConfig& config, const TZGUI& skin, TZTimerSource& timers);
  ~TZVideoWindow() override;

  // What plays the graph and what takes the menu's commands; either may be null (nothing then
  // happens: presentations need an active graph, commands need the engine).
  void SetEngine(TZVideoEngine* engine) { engine_ = engine; }
  void SetCommands(TZVideoCommands* commands) { commands_ = commands; }
  // The main window's "Video" menu, whose Mode and Ratio items act here and are ticked from here.
  void SetMainVideoMenu(TZMainVideoMenu* menu);

  TZVideoPicture& Picture() { return *picture_; }
  QMenu& PopupMenu();

  // Presentations; each does nothing without an active graph.
  void SetPresentation(TZDisplayMode mode);
  // Fullscreen goes to the window, anything else to fullscreen; ignored for sound-library kinds.
  void TogglePresentation();
  // The popup menu's "Ratio" items and the main window's: 0 letter box ... 6 user-defined.
  void SetRatio(int ratio);
  // Window size to percent of the video's size (25 ... 200).
  void ZoomVideo(int percent);
  // The digital zoom values 0, 25, 50, 75, 80 with their menu item ticked.
  void SetDigitalZoom(int value);
  // Writes the screenshot and shows its name; nothing when it failed.
  std::optional<QString> TakeScreenshot(bool adjusted);
  // The pointer hides over the picture after resting this long; 0 never (and then the control
  // strip never shows). Starts at kCursorDelayMs.
  void SetCursorHideDelay(int ms) { cursorDelayMs_ = ms; }
  // "VidBrightness" by delta within 0 to 10000, applied and shown.
  void StepBrightness(int delta);
  // The presentation form while fullscreen or on the desktop.
  TZPresentationForm* PresentationForm() const { return form_.get(); }

  // TZVideoView
  TZVideoFrameSink& FrameSink() override;
  void ClearTrackMenus() override;
  void SetAudioTracks(const QStringList& captions, int checked) override;
  void SetSubtitleTracks(const QStringList& captions, int checked) override;
  void SetJumpTargets(const std::vector<int>& chapterCounts) override;
  void CheckJumpTarget(int title, int chapter) override;
  void SetFilterMenu(const QStringList& filterNames) override;
  void ShowPicture(bool isDvd, QSize nativeSize) override;
  void HidePicture() override;
  void UpdateVideoMenu(bool isDvd, bool paused) override;
  TZDisplayMode DisplayMode() const override { return mode_; }
  void SetDisplayMode(TZDisplayMode mode) override { SetPresentation(mode); }

  void ApplyTexts(const TZLanguage& language) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Menu;

  // Menus (videomenu.cpp).
  void BuildMenu();
  void BuildTransport();
  void BuildSpeeds();
  void BuildPictureItems();
  void BuildDvdItems();
  QAction* AddItem(QMenu* menu, int text, std::function<void()> action);
  QMenu* AddSubmenu(QMenu* menu, int text);
  void BeforeMenuOpens();
  void ShowTrackMenus();
  void TickSpeed(QAction* item);
  QAction* AddTrack(QMenu* menu, QActionGroup* group, const QString& caption, int index,
                    bool checked, void (TZVideoWindow::*choose)(QAction*));
  void ChooseAudio(QAction* item);
  void ChooseSubtitle(QAction* item);
  void ChooseJump(int title, int chapter);
  void ToggleSubtitlesShown();
  void TickMode();
  void TickRatio();

  // Presentations (videopresentation.cpp).
  bool GraphActive() const;
  void EnterForm(bool desktop);
  void ReturnToWindow();
  void OnIdleTick();
  void OnMouseActive();
  void ShowModeText(int text);
  int OsdReferenceHeight() const;

  void ConnectWindow();
  void ConnectPicture();
  void ShowOsd(const QString& text);
  QSize NativeSize() const;

  TfrmVideo& window_;
  TZFullscreenControls& controls_;
  TZMainWindow& main_;
  TZConfig& config_;
  const TZGUI& skin_;
  TZVideoPicture* picture_;
  std::unique_ptr<Menu> menu_;
  TZMainVideoMenu* mainMenu_ = nullptr;
  TZVideoEngine* engine_ = nullptr;
  TZVideoCommands* commands_ = nullptr;
  std::unique_ptr<TZPresentationForm> form_;
  std::unique_ptr<TZTimer> idleTimer_;
  TZDisplayMode mode_ = dmNone;
  QSize native_;
  bool isDvd_ = false;
  bool subtitlesShown_ = false;
  int idleMs_ = 0;
  int cursorDelayMs_ = kCursorDelayMs;
  bool cursorHidden_ = false;
};
