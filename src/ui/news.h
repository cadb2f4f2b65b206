#pragma once
// The news window: a fixed release note, shown once per start while "NewsWindowOnStartUp" is on,
// with a check box that turns that off. A plain borderless window centred on the desktop.

#include <QDialog>

#include "lang/applylanguage.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class TZDragPicture;
struct TZConfig;

class TfrmNews : public QDialog, public TZLanguageTarget {
 public:
  // `version` is the program's file version ("2.20.0").
  TfrmNews(TZConfig& config, const QString& version, QWidget* parent = nullptr);

  // Shows the window, filled afresh, the check box telling whether it shows at the next start.
  void ShowNews();
  // At start-up: shows the window when "NewsWindowOnStartUp" is on; true when it did.
  bool ShowOnStartUp();

  void ApplyTexts(const TZLanguage& language) override;

  TZDragPicture* Image1;
  QListWidget* lbNews;
  QCheckBox* cbDontShowWindow;
  QPushButton* btnOK;

 private:
  void FillNews();
  void AddItem(const QString& html, const QString& background);

  TZConfig& config_;
  QString version_;
};

// The release note's items: the heading (product and version), then the paragraphs, in the
// list's markup.
QStringList NewsItems(const QString& version);
