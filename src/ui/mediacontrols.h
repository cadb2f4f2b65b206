#pragma once
// What the media controls window does: its speed slider and ten equalizer sliders act on the
// player, its popup menu offers the equalizer presets of data/presets/, and it is shown and
// hidden only by the main window (a close request is refused).

#include <QObject>
#include <QString>
#include <QStringList>

#include "lang/applylanguage.h"

class QAction;
class QMenu;
class QMouseEvent;
class TfrmMediaControls;
class TZPlayer;
class TZSkinSeekbar;
struct TZConfig;

class TZMediaControls : public QObject, public TZLanguageTarget {
  Q_OBJECT

 public:
  static constexpr int kSpeedMin = 1;
  static constexpr int kSpeedMax = 10;
  static constexpr int kNormalSpeed = 4;

  TZMediaControls(TfrmMediaControls& window, TZPlayer& player, TZConfig& config);
  ~TZMediaControls() override;

  // Slider values from the settings and the equalizer, knobs laid out (start-up).
  void LoadSliders();

  // The speed step (1 to 10, 4 = normal) the player reads and sets through its windows.
  int SpeedPosition() const;
  void SetSpeedPosition(int step);
  // A disabled slider ignores the mouse.
  void SetSpeedEnabled(bool enabled);

  // Shown and hidden by the main window; visibilityChanged follows every showing and hiding.
  void ShowWindow(bool visible);
  void ToggleWindow();
  // The caption bar's popup menu: the main window's menu.
  void SetCaptionMenu(QMenu* menu) { captionMenu_ = menu; }

  // The popup menu's commands. Load and save throw TZPresetError when the file cannot be read
  // or written; the dialog variants ask for the file first.
  void DefaultPreset();
  void LoadPreset(const QString& fileName);
  void SavePreset(const QString& fileName);
  void LoadPresetFromDialog();
  void SavePresetFromDialog();
  // Empties "Equalizer presets" and lists every "*.zeqp" of data/presets/ in it, by name.
  void RebuildPresetMenu();
  QMenu* PresetMenu() const { return presetMenu_; }

  void ApplyTexts(const TZLanguage& language) override;

 signals:
  void visibilityChanged(bool visible);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void ConnectSpeed();
  void ConnectBand(int band);
  void ResetSpeed();
  void TakeBand(int band, int position);
  void ShowBandStatus(int band);
  void ShowBands();
  void OnCaptionPressed(QMouseEvent* event);

  TfrmMediaControls& window_;
  TZPlayer& player_;
  TZConfig& config_;
  QMenu* captionMenu_ = nullptr;
  QAction* defaultAction_ = nullptr;
  QAction* loadAction_ = nullptr;
  QAction* saveAction_ = nullptr;
  QMenu* presetMenu_ = nullptr;
};

// The ".zeqp" files directly in a folder, sorted by name.
QStringList PresetFiles(const QString& folder);
