#pragma once
// The search window: finds entries by the words of their captions and plays the chosen one.

#include <QDialog>
#include <QStringList>

#include "lang/language.h"
#include "playlist/playlist.h"
#include "playlist/window/searchindex.h"

class QButtonGroup;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class TZPlaylistWindow;
struct TZConfig;

class TfrmSearch : public QDialog {
  Q_OBJECT

 public:
  TfrmSearch(TZPlaylistWindow& window, TZPlaylist& playlist, TZConfig& config,
             const TZLanguage& language, QWidget* parent = nullptr);

  void ApplyTexts(const TZLanguage& language);
  // Shows the window centred over `over` (the playlist window).
  void ShowCentred(const QWidget& over);

  QLineEdit* edtKeyword;
  QListView* lbResults;
  QButtonGroup* rgSearchFor;
  QPushButton* btnSelect;
  QPushButton* btnCancel;
  QStringList results() const;

  // "Select": plays the first entry of the chosen caption.
  void SelectChosen();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refill();
  void UpdateSelectButton();

  TZPlaylistWindow& window_;
  TZPlaylist& playlist_;
  TZConfig& config_;
  TZSearchIndex index_;
  QStringListModel* model_;
  class QLabel* lblKeyword_;
  class QLabel* lblResults_;
  class QGroupBox* grpSearchFor_;
};
