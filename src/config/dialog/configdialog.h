#pragma once
// The settings dialog. It edits the configuration record and what hangs on it: edits are
// collected per group and take effect together on Apply or OK, in the fixed order of the groups.
// The skin and language changes are its own; every other group is applied by the page whose
// control marked it. It writes no file. Created once, shown and hidden.

#include <QDialog>
#include <QString>
#include <array>

#include "config/config.h"
#include "config/dialog/configactions.h"
#include "config/pages/configgroups.h"
#include "lang/applylanguage.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TZConfigPage;
class TZLanguagesPage;
class TZSkinsPage;
class TZSystemPage;
struct TZGUI;

// The pages by their place in the page tree.
enum TZConfigPageIndex {
  cpGeneral,
  cpFiletypes,
  cpShortcuts,
  cpPlaylist,
  cpSkins,
  cpLanguages,
  cpAudio,
  cpVideo,
  cpVideoFilter,
  cpVideoOSD,
  cpVideoDefault,
  cpVideoFSControl,
  cpSystem,
  kConfigPageCount
};

class TfrmConfig : public QDialog, public TZLanguageTarget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 530;
  static constexpr int kHeight = 431;

  TfrmConfig(TZConfig& config, TZGUI& skin, TZConfigActions& actions, QWidget* parent = nullptr);
  ~TfrmConfig() override;

  // "Configuration...": centred on the screen and shown, every page filled from the stored state.
  void ShowCentred();
  // Fills every page from the stored state and drops whatever was pending.
  void FormShow();
  // Apply: the pending skin, the pending language, then every marked group in order.
  void ApplySettings();
  // Loads a skin into the running program, falling back to the built-in skin when it cannot be
  // loaded, and stores its name.
  void ChangeSkin(const QString& name);
  // The play mode changed elsewhere; the System page follows.
  void ShowPlayMode();

  // Puts a page the program builds elsewhere (file types, shortcuts, filter scripts, on-screen
  // text) into its place in the tree; the dialog owns it from then on.
  void SetPage(int index, TZConfigPage* page);

  void SelectPage(int index);
  TZConfigPage* Page(int index) const { return pages_[size_t(index)]; }
  bool Marked(TZConfigGroup group) const { return marked_[size_t(group)]; }
  const QString& PendingSkin() const { return pendingSkin_; }
  const QString& PendingLanguage() const { return pendingLanguage_; }

  void ApplyTexts(const TZLanguage& language) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildFrame();
  void BuildTree();
  void AddPage(int index, TZConfigPage* page);
  void ConnectPage(TZConfigPage* page);
  void ConnectPages();
  void ResetPending();
  void UpdateApplyButton();
  void OnGroupChanged(TZConfigPage* page, TZConfigGroup group);
  void ChangeLanguage(const QString& name);
  void LoadDefaults();
  void ShowBookTitle();

  TZConfig& config_;
  TZGUI& skin_;
  TZConfigActions& actions_;

  QLabel* Image1;
  QTreeWidget* TreeView1;
  QLabel* lblBookTitle;
  QStackedWidget* Notebook1;
  QPushButton* Button1;  // Apply
  QPushButton* Button2;  // OK
  QPushButton* Button3;  // Cancel
  QPushButton* Button4;  // Default
  std::array<QTreeWidgetItem*, kConfigPageCount> nodes_{};
  std::array<TZConfigPage*, kConfigPageCount> pages_{};
  TZSkinsPage* skinsPage_ = nullptr;
  TZLanguagesPage* languagesPage_ = nullptr;
  TZSystemPage* systemPage_ = nullptr;

  QString pendingSkin_;
  QString pendingLanguage_;
  std::array<bool, kConfigGroupCount> marked_{};
  // The page whose control marked each group applies it.
  std::array<TZConfigPage*, kConfigGroupCount> owners_{};
};
