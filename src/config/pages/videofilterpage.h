#pragma once
// The "Filter" page under "Video": which filter-graph script builds each media type, and the
// script that builds DVD graphs.

#include <QList>
#include <functional>
#include <vector>

#include "config/config.h"
#include "config/pages/configpage.h"
#include "lang/language.h"
#include "playback/graphscripts.h"

class QComboBox;
class QGroupBox;
class QTreeWidget;

// Rebuilds the catalogue of media scripts and hands it out (TZGraphScripts::BuildScriptCatalogue
// followed by Catalogue() in the program).
using TZScriptCatalogueSource = std::function<std::vector<TFilterGraphScript>()>;

// The source that rebuilds the catalogue of the program's script host.
TZScriptCatalogueSource ScriptCatalogueOf(TZGraphScripts& scripts);

class TZVideoFilterPage : public TZConfigPage {
  Q_OBJECT

 public:
  TZVideoFilterPage(TZConfig& config, TZScriptCatalogueSource catalogue, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;
  void ApplyTexts(const TZLanguage& language) override;
  // Showing the page rebuilds the type list from the scripts as they are now.
  void PageShown() override;

  // One row per distinct type of the catalogue with the script the graph list gives it.
  void FillGraphTypeList();

 private:
  void BuildControls();
  void FillDvdScripts();
  void RowChanged();
  void ScriptChosen(int index);
  QString NoScript() const;

  TZConfig& config_;
  TZScriptCatalogueSource catalogueSource_;
  std::vector<TFilterGraphScript> catalogue_;
  TZLanguage language_;
  // Set while the page fills its controls, whose change signals then mark nothing.
  bool filling_ = false;
  // Set once the user chose a script for a row, until Apply stores the rows.
  bool rowsChosen_ = false;

  QGroupBox* gbDvdScript_ = nullptr;
  QGroupBox* gbMediaTypes_ = nullptr;
  QComboBox* cbFilterDVDGraph_ = nullptr;
  QTreeWidget* lvDSGraphTypeList_ = nullptr;
  QComboBox* cbDSActualGraphScript_ = nullptr;
};
