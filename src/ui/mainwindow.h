#pragma once
// The main window's behaviour: it creates and owns the player, implements the windows the player
// core draws on, runs the window timers and makes every control, menu entry and drop act.
// Windows other parts build (settings, about, news, add URL, add DVD, video) are reached through
// its signals.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

#include "lang/applylanguage.h"
#include "playback/analyzerfeed.h"
#include "playback/player.h"
#include "playback/playerwindows.h"
#include "ui/surfaces.h"

class QAction;
class QActionGroup;
class QMenu;
class TZMediaAdder;
class TZPlaylist;
struct TZConfig;
struct TZGUI;
struct TZMainVideoMenu;

class TZMainWindow : public QObject,
                     public TZPlayerWindows,
                     public TZAnalyzerView,
                     public TZLanguageTarget {
  Q_OBJECT

 public:
  // The player and the analyser (when windows.Spectrum is set) are created here.
  TZMainWindow(TZWindows& windows, TZPlaylist& playlist, TZConfig& config, const TZGUI& skin,
               TZTimerSource& timers);
  ~TZMainWindow() override;

  TZPlayer& Player() { return *player_; }
  TZWindows& Windows() { return windows_; }
  TZPlaylist& Playlist() { return playlist_; }
  // Start-up is over (true: the windows of the layout show) or shutdown begins (false): the
  // timers act only in between.
  void SetRunning(bool running);

  // The main window was closed: the program ends.
  bool Closed() const { return closed_; }

  // PROGRAMMSTART's part of this window: status, title, slider ranges, layout, the filter.
  void ProgramStart();
  // The skin changed: redraw what shows the state and apply the layout again.
  void SkinChanged();
  // PROGRAMEND: the windows' places and the playlist's size go into the configuration.
  void StorePositions();
  // Brings the windows, toggles, menu checks, tray and scrolling in line with the configuration.
  void ApplyWindowLayout();

  // Adding media, as the design of the main window has it. Each saves and restores the title.
  void AddFiles(const QStringList& files);
  void EjectAndAdd(const QStringList& files);
  void AddFolder(const QString& folder, bool playAfterwards);
  void DropPaths(const QStringList& paths);
  // The playlist readers with clear-first; plays the first entry when nothing plays.
  void LoadPlaylistFile(const QString& path);
  TZMediaAdder& Adder() { return *adder_; }
  // "Add files...", the eject button and "Add directory...": the dialogs, then the above.
  void ChooseFilesToAdd();
  void ChooseFilesToEject();
  void ChooseFolderToAdd();

  // The main popup menu's help entries.
  void OpenHomepage(const QString& query);
  void TellAFriend();
  void StartLiveUpdate(bool automatic);
  bool WriteFileTypeList();

  // The last on-screen text and whether it is still shown (no video window draws it yet).
  const QString& OsdText() const { return osd_; }

  // TZPlayerWindows
  QString TitleText() const override { return title_; }
  void SetTitleText(const QString& text) override;
  void RestartScrollingLabels() override;
  void ShowStatusPicture(TZStatusPicture picture) override;
  void ShowOsdText(const QString& text, int ms) override;
  void ShowWarning(const QString& text) override;
  void SetPositionBar(qint64 maximum, qint64 position, bool enabled) override;
  void SetPositionBarValue(qint64 position) override;
  TZBarState PositionBar() const override;
  bool PositionBarDragging() const override { return seeking_; }
  void SetTimeDisplay(qint64 milliseconds, bool remaining) override;
  void BlankTimeDisplay() override;
  void RedrawPlaylist() override;
  void SetMenuEnabled(TZPlayerMenu menu, bool enabled) override;
  void SetRecordChecked(bool checked) override;
  void HideVideoWindow() override;
  TZBarState VolumeControl() const override;
  void SetVolumePosition(qint64 position) override;
  void StepVolumeControls(qint64 step) override;
  void SetVolumeControlEnabled(bool enabled) override;
  void SetMuteChecked(bool checked) override;
  int BalancePosition() const override;
  void SetBalanceControlEnabled(bool enabled) override;
  int SpeedPosition() const override;
  void SetSpeedPosition(int step) override;
  void SetSpeedControlEnabled(bool enabled) override;

  // TZAnalyzerView
  bool AnalyzerVisible() const override;
  TZAnalyzerSkin AnalyzerSkin() const override;
  void ShowAnalyzer(const QImage& area) override;

  // TZLanguageTarget: the popup menu's entries and the controls' hints.
  void ApplyTexts(const TZLanguage& language) override;

  // The menus, for the tray icon and for tests.
  QMenu& MainMenu();
  QMenu& PlayModeMenu() { return *playModeMenu_; }
  TZMainVideoMenu& VideoMenu() { return *videoMenu_; }

  // The user drags a position bar: the player leaves the bars alone until EndSeek moves the item
  // to the bars' position and restores the title line.
  void BeginSeek();
  void EndSeek();

 signals:
  void settingsRequested();
  void aboutRequested();
  void newsRequested();
  void addUrlRequested();
  void addDvdRequested();
  // The playlist changed or the playing mark moved; the playlist window repaints.
  void playlistChanged();
  // The main window shows text over the video for ms milliseconds; an empty text clears it.
  void osdTextChanged(const QString& text, int ms);
  // A packed skin was installed from the command line; the settings' skin change selects it.
  void skinSelected(const QString& name);
  // The title text changed (the tray hint follows).
  void titleChanged(const QString& title);
  // The tray and taskbar state must be applied (ShowZephonicIn, minimise, restore).
  void trayStateChanged();
  // The play mode changed here; the settings dialog follows.
  void playModeChanged();
  // The player took the video window out of fullscreen and hid it.
  void videoWindowHidden();

 private:
  void ConnectButtons();
  void ConnectToggles();
  void ConnectSliders();
  void ConnectDisplays();
  void BuildMenus();
  void BuildPlayModeMenu();
  void OnAnalyzerSLTimer();
  void OnOsdResetTimer();
  void OnVolumeDragged(qint64 position, qint64 maximum);
  void OnBalanceDragged(qint64 position);
  void CentreBalance();
  void SetPlayMode(int index);
  void SetWindowShown(QWidget* window, bool& setting, bool shown);
  void ShowLayoutWindows();
  void UpdateWindowMenuChecks();
  void ShowStatusText(const QString& text, bool osd);
  // Runs work with "Adding files..." (or another text) as the title and restores it afterwards.
  template <typename Work>
  void WithTitle(const QString& text, Work work);
  void PaintScrollLabels(bool force);
  void ShowCurrentStatusPicture();
  bool HasOwnRightButton(const TZSkinControl* control) const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  TZWindows& windows_;
  TZPlaylist& playlist_;
  TZConfig& config_;
  const TZGUI& skin_;
  std::unique_ptr<TZPlayer> player_;
  std::unique_ptr<TZSpectrumAnalyzer> analyzer_;
  std::unique_ptr<TZMediaAdder> adder_;
  std::unique_ptr<TZTimer> analyzerSLTimer_;
  std::unique_ptr<TZTimer> osdResetTimer_;
  QString title_;
  QString osd_;
  QString seekSavedTitle_;
  QString addFilesFilter_;
  bool seeking_ = false;
  bool running_ = false;
  bool labelsPainted_ = false;
  bool closed_ = false;

  std::unique_ptr<QMenu> playModeMenu_;
  QActionGroup* playModeGroup_ = nullptr;
  QAction* mainWindowAction_ = nullptr;
  QAction* mediaControlsAction_ = nullptr;
  QAction* playlistAction_ = nullptr;
  QAction* restoreAction_ = nullptr;
  QAction* minimizeAction_ = nullptr;
  QAction* recordAction_ = nullptr;
  QAction* stopRecordAction_ = nullptr;
  std::unique_ptr<TZMainVideoMenu> videoMenu_;
  QMenu* audioMenu_ = nullptr;
  QMenu* liveStreamMenu_ = nullptr;
};

// The digits of the time read-out (h1 h2 m1 m2 s1 s2) for a time in milliseconds; hours beyond 99
// show their last two digits.
std::array<int, 6> TimeDigits(qint64 milliseconds);

// The balance texts: "[ Balance Center ]" at 100, right or left with the distance otherwise.
QString BalanceText(int position);
