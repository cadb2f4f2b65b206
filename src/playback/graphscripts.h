#pragma once
// Filter-graph scripts: ".zgraph" files that say which filters to put into the video window's
// graph, how to connect them, which filter reads the file and which file types they serve. This
// is the host side: the catalogue of scripts, choosing one for a file, running it against the
// graph through the dynamic filter list, and the filter files it registers.

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "components/graph/zgraph.h"
#include "components/script/zscript.h"
#include "playback/dynfilter.h"

struct TZConfig;

struct TFilterGraphScript {
  QString Name;  // the file name without ".zgraph"
  QString TypeName;
  QStringList FileTypes;
  QStringList FileNames;
};

struct TScriptExportEntry {
  QString ExportName;
  QString FilterName;
};

// What the scripts need of the window that owns the graph.
class TZGraphScriptHost {
 public:
  virtual ~TZGraphScriptHost() = default;
  virtual ZGraph& Graph() = 0;
  // The window's own renderer and DSP filter; null when it has none.
  virtual ZFilter VideoRenderer() = 0;
  virtual ZFilter DspFilter() = 0;
  // Readies the graph before the automatic path builds it for a file.
  virtual void PrepareGraph() = 0;
  // The DVD audio and subtitle menus, and the DVD mode menu entry.
  virtual void RebuildDvdMenus() = 0;
  virtual void CheckDvdMode() = 0;
};

class TZGraphScripts {
 public:
  static constexpr int kErrorScript = 3100;
  static constexpr int kFixedWaitMs = 500;

  TZGraphScripts(const TZConfig& config, TDynFilter& filters, TZGraphScriptHost& host);

  // (Re)builds the catalogue from the scripts in "data/dsgraphs/".
  void BuildScriptCatalogue();
  const std::vector<TFilterGraphScript>& Catalogue() const { return catalogue_; }
  // The catalogue index of the script for a file: the last enabled one that claims its file
  // name or extension; -1 when none does.
  int ChooseScript(const QString& fileName) const;

  // True when the graph is ready to play.
  bool OpenMediaWithScript(const QString& fileName);
  // True when the DVD graph is ready and playing. `device` is what the navigator opens (the disc
  // root or an image); empty for the folder above the path's folder.
  bool OpenDvdWithScript(const QString& path, const QString& device = QString());
  // Forgets the filter files registered by the last run.
  void UnregisterScriptFilters();

  // The waits after the graph is assembled; the design's 500 ms unless a test or benchmark
  // leaves them out.
  void SetSettleTime(int ms) { settleMs_ = ms; }

  // The state of the last run.
  bool ScriptError() const { return error_; }
  ZFilter SourceFilter() const { return source_; }
  ZFilter DvdNavigator() const { return navigator_; }
  const QStringList& RegisteredFilters() const { return registered_; }
  const QStringList& FailedFilters() const { return failed_; }
  const QStringList& SearchFolders() const { return searchFolders_; }
  const std::vector<TScriptExportEntry>& Exports() const { return exports_; }

  // The functions scripts may call, by the names the prelude declares.
  std::map<QString, TZScriptHostFunction> HostFunctions();

 private:
  std::unique_ptr<TZScriptCompiler> NewCompiler();
  void StartRun();
  // Compiles and runs the script's Filter, the fixed filters and Connect; `load` runs between
  // the graph's assembly and Connect.
  void RunScript(const QString& path, const std::function<void()>& load);
  bool Compile(TZScriptCompiler& compiler, const QString& path);
  void CallScript(TZScriptCompiler& compiler, const QString& name);
  void AssembleGraph();
  void DropUnconnectedFixedFilters();
  bool PlainPath(const QString& fileName);
  // The DSP filter (when the host has one) and the default sound output.
  std::vector<ZFilter> AudioChain();
  bool AutoDvdGraph(const QString& disc);
  bool FinishDvd(bool autocreated);
  void Settle() const;
  void RegisterFilter(const QString& fileName);
  QString FindFilterFile(const QString& fileName) const;
  ZFilter ExportedFilter(const QString& exportName) const;

  void AddFilterScanDir(const QString& folder);
  void AddFilter(const QString& name);
  void ConnectPins(const QString& filter1, const QString& pin1, const QString& filter2,
                   const QString& pin2);
  void ConnectPinsAuto(const QString& filter1, const QString& filter2);
  void Export(const QString& exportName, const QString& filterName);
  TZScriptValue GetFilter(qint64 index) const;
  TZScriptValue GetPin(qint64 filterIndex, qint64 pinIndex) const;

  const TZConfig& config_;
  TDynFilter& filters_;
  TZGraphScriptHost& host_;
  std::vector<TFilterGraphScript> catalogue_;
  int settleMs_ = kFixedWaitMs;

  // The run state.
  QStringList searchFolders_;
  QStringList registered_;
  QStringList failed_;
  bool error_ = false;
  ZFilter source_;
  ZFilter navigator_;
  std::vector<TScriptExportEntry> exports_;
  TDynFilterDSFilters snapshot_;
  TFilterGraphScript collecting_;
};
