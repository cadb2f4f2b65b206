#include "playback/graphscripts.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QThread>
#include <stdexcept>

#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "base/zdebug.h"
#include "components/script/zscriptprelude.h"
#include "config/config.h"

namespace {

const QString kTag = QStringLiteral("TZDirectShowScriptEngine");
const QString kDvdTag = QStringLiteral("TZDVD");
const QString kExtension = QStringLiteral(".zgraph");
const QString kFileSource = QStringLiteral("[FileSource]");
const QString kDvdNavigator = QStringLiteral("[DVD Navigator]");
const QString kAudioRenderer = QStringLiteral("[Audio Renderer]");
const QString kVideoRenderer = QStringLiteral("[Video Renderer]");
const QString kDspFilter = QStringLiteral("[DSP Filter]");
constexpr int kMaxText = 255;
// The DVD errors of the catalogue used here.
constexpr int kErrorDvdMissing = 2001;
constexpr int kErrorDvdGraph = 2007;

// Filter files the automatic path registers when they are there.
const QStringList kPlainPathFilters{QStringLiteral("ac3filter.ax"), QStringLiteral("cdxareader.ax"),
                                    QStringLiteral("GplMpgDec.ax")};

QString MediaScriptFolder() {
  return DataPath() + QStringLiteral("dsgraphs/");
}
QString DvdScriptFolder() {
  return DataPath() + QStringLiteral("dvdgraphs/");
}

// A log that cannot be written must not stop the graph from being built.
void Log(const QString& text) {
  try {
    ZLog(text);
  } catch (const std::runtime_error&) {
  }
}

QString Text(const TZScriptValue& value) {
  return QString::fromUtf8(value.text);
}

TZScriptValue Struct(std::vector<std::pair<QByteArray, TZScriptValue>> fields) {
  TZScriptValue value;
  value.kind = TZScriptValue::Kind::Struct;
  value.fields = std::move(fields);
  return value;
}

// Adapters from the script's argument list to the host's members.
using Args = std::vector<TZScriptValue>;

TZScriptHostFunction Procedure(std::function<void(const Args&)> body) {
  return [body = std::move(body)](const Args& args) {
    body(args);
    return TZScriptValue();
  };
}

bool MatchesAny(const QStringList& list, const QString& text) {
  return list.contains(text, Qt::CaseInsensitive);
}

}  // namespace

TZGraphScripts::TZGraphScripts(const TZConfig& config, TDynFilter& filters, TZGraphScriptHost& host)
    : config_(config), filters_(filters), host_(host) {}

std::map<QString, TZScriptHostFunction> TZGraphScripts::HostFunctions() {
  return {
      {"AddFilterScanDir", Procedure([this](const Args& a) { AddFilterScanDir(Text(a[0])); })},
      {"RegisterFilter", Procedure([this](const Args& a) { RegisterFilter(Text(a[0])); })},
      {"AddFilter", Procedure([this](const Args& a) { AddFilter(Text(a[0])); })},
      {"ConnectPins", Procedure([this](const Args& a) {
         ConnectPins(Text(a[0]), Text(a[1]), Text(a[2]), Text(a[3]));
       })},
      {"ConnectPinsAuto",
       Procedure([this](const Args& a) { ConnectPinsAuto(Text(a[0]), Text(a[1])); })},
      {"Export", Procedure([this](const Args& a) { Export(Text(a[0]), Text(a[1])); })},
      {"GetFilters", Procedure([this](const Args&) { snapshot_ = filters_.ListGraphFilters(); })},
      {"GetFilterCount",
       [this](const Args&) { return TZScriptValue::Int(static_cast<qint64>(snapshot_.size())); }},
      {"GetFilter", [this](const Args& a) { return GetFilter(a[0].number); }},
      {"GetPin", [this](const Args& a) { return GetPin(a[0].number, a[1].number); }},
      {"strcomp",
       [](const Args& a) {
         const int order = a[0].text.compare(a[1].text, Qt::CaseSensitive);
         return TZScriptValue::Int(order < 0 ? -1 : order > 0 ? 1 : 0);
       }},
      {"SetTypeName",
       Procedure([this](const Args& a) { collecting_.TypeName = Text(a[0]).left(kMaxText); })},
      {"AddFileType",
       Procedure([this](const Args& a) { collecting_.FileTypes << Text(a[0]).left(kMaxText); })},
      {"AddFileName",
       Procedure([this](const Args& a) { collecting_.FileNames << Text(a[0]).left(kMaxText); })},
  };
}

std::unique_ptr<TZScriptCompiler> TZGraphScripts::NewCompiler() {
  auto compiler = std::make_unique<TZScriptCompiler>(ProgramPath(), DataPath() + "temp/");
  for (auto& [name, function] : HostFunctions()) {
    compiler->AddHostFunction(name, std::move(function));
  }
  compiler->SetPrelude(FilterGraphPrelude());
  return compiler;
}

void TZGraphScripts::BuildScriptCatalogue() {
  catalogue_.clear();
  const QDir folder(MediaScriptFolder());
  const QStringList files =
      folder.entryList({QStringLiteral("*") + kExtension}, QDir::Files, QDir::Name);
  std::unique_ptr<TZScriptCompiler> compiler;
  for (const QString& file : files) {
    // The host functions and prelude go again before each compilation.
    compiler = NewCompiler();
    collecting_ = TFilterGraphScript();
    if (!compiler->CompileFile(folder.filePath(file))) {
      continue;
    }
    if (const TZScriptCompiler::Function filetypes = compiler->FindFunction("Filetypes")) {
      filetypes();
    }
    if (!collecting_.TypeName.isEmpty() &&
        (!collecting_.FileTypes.isEmpty() || !collecting_.FileNames.isEmpty())) {
      collecting_.Name = file.chopped(kExtension.size());
      catalogue_.push_back(collecting_);
    }
  }
  collecting_ = TFilterGraphScript();
}

int TZGraphScripts::ChooseScript(const QString& fileName) const {
  const QFileInfo info(fileName);
  const QString name = info.fileName();
  const QString extension =
      info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
  int chosen = -1;
  for (size_t i = 0; i < catalogue_.size(); ++i) {
    const TFilterGraphScript& script = catalogue_[i];
    const bool claims = MatchesAny(script.FileNames, name) ||
                        (!extension.isEmpty() && MatchesAny(script.FileTypes, extension));
    if (claims && FindGraphPair(config_, script.TypeName, script.Name) >= 0) {
      chosen = static_cast<int>(i);
    }
  }
  return chosen;
}

void TZGraphScripts::StartRun() {
  source_ = ZFilter();
  registered_.clear();
  failed_.clear();
  searchFolders_ = QStringList{ProgramPath()} + ZPluginSystemFolders();
  exports_.clear();
  filters_.ClearFilters();
}

bool TZGraphScripts::Compile(TZScriptCompiler& compiler, const QString& path) {
  if (compiler.CompileFile(path)) {
    Log(QStringLiteral("Compile script successfully."));
    return true;
  }
  const QString errors = compiler.ErrorText();
  ReportError(kErrorScript, kTag, errors, false);
  Log(QStringLiteral("Compile script failed, errors occured:"));
  for (const QString& line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    Log(line);
  }
  error_ = true;
  return false;
}

void TZGraphScripts::CallScript(TZScriptCompiler& compiler, const QString& name) {
  const TZScriptCompiler::Function function = compiler.FindFunction(name);
  if (!function) {
    error_ = true;
    return;
  }
  // A script that stops on a run-time error has not built what it meant to.
  if (!function()) {
    Log(compiler.ErrorText());
    error_ = true;
  }
}

void TZGraphScripts::RunScript(const QString& path, const std::function<void()>& load) {
  const std::unique_ptr<TZScriptCompiler> compiler = NewCompiler();
  const bool compiled = Compile(*compiler, path);
  if (compiled) {
    CallScript(*compiler, QStringLiteral("Filter"));
  }
  if (error_) {
    return;
  }
  AssembleGraph();
  load();
  CallScript(*compiler, QStringLiteral("Connect"));
  DropUnconnectedFixedFilters();
}

void TZGraphScripts::AssembleGraph() {
  filters_.AddFromCategory(kAudioRenderers, kDefaultSoundDevice, kAudioRenderer);
  filters_.AddExisting(host_.VideoRenderer(), kVideoRenderer);
  filters_.AddExisting(host_.DspFilter(), kDspFilter);
  ZGraph& graph = host_.Graph();
  filters_.AttachToGraph(nullptr);
  graph.Remove(host_.VideoRenderer());
  graph.Remove(host_.DspFilter());
  graph.Clear();
  filters_.AttachToGraph(&graph);
  // The renderer and the DSP filter are entries of the list and came back with it.
  Settle();
}

void TZGraphScripts::DropUnconnectedFixedFilters() {
  // A renderer that nothing feeds would keep the graph from ever starting to play.
  for (const QString& name : {kAudioRenderer, kVideoRenderer, kDspFilter}) {
    const ZFilter filter = filters_.FilterOf(name);
    bool connected = false;
    for (int pin = 0; filter && pin < static_cast<int>(filter.Pins().size()); ++pin) {
      connected = connected || filter.PinConnected(pin);
    }
    if (filter && !connected) {
      host_.Graph().Remove(filter);
    }
  }
}

ZFilter TZGraphScripts::ExportedFilter(const QString& exportName) const {
  for (const TScriptExportEntry& entry : exports_) {
    if (entry.ExportName.compare(exportName, Qt::CaseInsensitive) == 0) {
      return filters_.FilterOf(entry.FilterName);
    }
  }
  return ZFilter();
}

bool TZGraphScripts::OpenMediaWithScript(const QString& fileName) {
  const int chosen = ChooseScript(fileName);
  const QString name = chosen >= 0 ? catalogue_[chosen].Name : QString();
  const QString path = MediaScriptFolder() + name + kExtension;
  if (chosen < 0 || !QFileInfo::exists(path)) {
    return PlainPath(fileName);
  }
  error_ = false;
  Log(QStringLiteral("Use Media Graph Script: ") + name);
  ZLogIndent();
  StartRun();
  RunScript(path, [&] {
    source_ = ExportedFilter(kFileSource);
    if (source_.HasSourceInterface()) {
      source_.LoadSourceFile(fileName);
    }
  });
  ZLogUnindent();
  return !error_;
}

bool TZGraphScripts::PlainPath(const QString& fileName) {
  registered_.clear();
  searchFolders_ = QStringList{ProgramPath()} + ZPluginSystemFolders();
  for (const QString& filter : kPlainPathFilters) {
    RegisterFilter(filter);
  }
  host_.PrepareGraph();
  Settle();
  // The renderer and the DSP filter join the graph when the file has a stream for them.
  return host_.Graph().RenderFile(fileName, AudioChain(), host_.VideoRenderer());
}

std::vector<ZFilter> TZGraphScripts::AudioChain() {
  std::vector<ZFilter> chain;
  if (const ZFilter dsp = host_.DspFilter()) {
    chain.push_back(dsp);
  }
  chain.push_back(ZFilter::Create(QStringLiteral("autoaudiosink")));
  return chain;
}

bool TZGraphScripts::OpenDvdWithScript(const QString& path, const QString& device) {
  ZGraph& graph = host_.Graph();
  // The graph is emptied when a DVD item is freed, so filters in it mean it is active.
  if (!graph.Filters().empty()) {
    graph.SetState(ZGraphState::Playing);
    host_.RebuildDvdMenus();
    host_.CheckDvdMode();
    if (navigator_) {
      graph.SetRate(1.0);
    }
    return true;
  }
  error_ = false;
  const QString folder = QFileInfo(path).absolutePath();
  const QString disc = device.isEmpty() ? QFileInfo(folder).absolutePath() : device;
  // An image is its own directory.
  const QString directory = QFileInfo(disc).isFile() ? disc : folder;
  const QString script = DvdScriptFolder() + config_.DVDGraph + kExtension;
  bool ok = false;
  const bool scripted = QFileInfo::exists(script);
  if (scripted) {
    Log(QStringLiteral("Use DVD Graph Script: ") + config_.DVDGraph);
    ZLogIndent();
    navigator_ = ZFilter();
    StartRun();
    RunScript(script, [] {});
    navigator_ = ExportedFilter(kDvdNavigator);
    if (!navigator_) {
      error_ = true;
    }
    Log(QStringLiteral("DVD Directory: ") + directory);
    ok = navigator_ && QFileInfo::exists(directory) && navigator_.SetProperty("device", disc);
    ZLogUnindent();
  } else {
    Log(QStringLiteral("DVD Graph Script not found, trying to autocreate."));
    ok = AutoDvdGraph(disc);
  }
  if (!ok) {
    ReportError(QFileInfo::exists(directory) ? kErrorDvdGraph : kErrorDvdMissing, kDvdTag,
                QString(), false);
    graph.Clear();
    return false;
  }
  return FinishDvd(!scripted);
}

bool TZGraphScripts::AutoDvdGraph(const QString& disc) {
  return QFileInfo::exists(disc) && host_.Graph().RenderFile(QStringLiteral("dvd://") + disc,
                                                             AudioChain(), host_.VideoRenderer());
}

bool TZGraphScripts::FinishDvd(bool autocreated) {
  ZGraph& graph = host_.Graph();
  if (error_) {
    graph.Clear();
    return false;
  }
  if (!graph.SetState(ZGraphState::Playing)) {
    return false;
  }
  if (autocreated) {
    for (const ZFilter& filter : graph.Filters()) {
      if (filter.FactoryName() == QLatin1String("uridecodebin")) {
        navigator_ = filter;
      }
    }
  }
  host_.RebuildDvdMenus();
  host_.CheckDvdMode();
  return true;
}

void TZGraphScripts::UnregisterScriptFilters() {
  for (const QString& path : registered_) {
    Log(QStringLiteral("UnRegister Filter: ") + path);
    ZForgetPluginFile(path);
  }
  registered_.clear();
}

void TZGraphScripts::Settle() const {
  if (settleMs_ > 0) {
    QThread::msleep(settleMs_);
  }
}

QString TZGraphScripts::FindFilterFile(const QString& fileName) const {
  for (const QString& folder : searchFolders_) {
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QFileInfo file = it.nextFileInfo();
      if (file.fileName().compare(fileName, Qt::CaseInsensitive) == 0) {
        return file.absoluteFilePath();
      }
    }
  }
  return QString();
}

void TZGraphScripts::RegisterFilter(const QString& fileName) {
  const QString path = FindFilterFile(fileName);
  if (path.isEmpty()) {
    return;
  }
  Log(QStringLiteral("Register Filter: %1").arg(path));
  registered_ << path;
  ZLoadPluginFile(path);
}

void TZGraphScripts::AddFilterScanDir(const QString& folder) {
  // Scripts written on the other system use its separator.
  searchFolders_ << QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void TZGraphScripts::AddFilter(const QString& name) {
  if (!filters_.AddFromCategory(kDirectShowFilters, name, name)) {
    Log(QStringLiteral("AddFilter: %1 failed.").arg(name));
    failed_ << name;
    error_ = true;
  }
}

void TZGraphScripts::ConnectPins(const QString& filter1, const QString& pin1,
                                 const QString& filter2, const QString& pin2) {
  if (!filters_.ConnectByPinName(filter1, pin1, pin2, filter2)) {
    Log(QStringLiteral("ConnectPins:  %1 [%2] > %3 [%4] failed.")
            .arg(filter1, pin1, filter2, pin2));
    error_ = true;
  }
}

void TZGraphScripts::ConnectPinsAuto(const QString& filter1, const QString& filter2) {
  if (!filters_.ConnectByDirection(filter1, ZPinDirection::Output, ZPinDirection::Input, filter2)) {
    Log(QStringLiteral("ConnectPinsAuto:  %1 > %2 failed.").arg(filter1, filter2));
    error_ = true;
  }
}

void TZGraphScripts::Export(const QString& exportName, const QString& filterName) {
  for (const TScriptExportEntry& entry : exports_) {
    if (entry.ExportName.compare(exportName, Qt::CaseInsensitive) == 0) {
      return;
    }
  }
  exports_.push_back({exportName, filterName});
}

TZScriptValue TZGraphScripts::GetFilter(qint64 index) const {
  if (index < 0 || index >= static_cast<qint64>(snapshot_.size())) {
    return Struct({{"name", TZScriptValue::String({})},
                   {"guid", TZScriptValue::String({})},
                   {"numpins", TZScriptValue::Int(0)}});
  }
  const TDynFilterDSFilter& filter = snapshot_[index];
  return Struct({{"name", TZScriptValue::String(filter.Name.toUtf8())},
                 {"guid", TZScriptValue::String(ZClassIdText(filter.ClassId).toUtf8())},
                 {"numpins", TZScriptValue::Int(static_cast<qint64>(filter.Pins.size()))}});
}

TZScriptValue TZGraphScripts::GetPin(qint64 filterIndex, qint64 pinIndex) const {
  const bool inRange = filterIndex >= 0 && filterIndex < static_cast<qint64>(snapshot_.size()) &&
                       pinIndex >= 0 &&
                       pinIndex < static_cast<qint64>(snapshot_[filterIndex].Pins.size());
  if (!inRange) {
    return Struct({{"name", TZScriptValue::String({})}, {"dir", TZScriptValue::Int(0)}});
  }
  const TDynFilterDSPin& pin = snapshot_[filterIndex].Pins[pinIndex];
  return Struct({{"name", TZScriptValue::String(pin.Name.toUtf8())},
                 {"dir", TZScriptValue::Int(pin.Direction)}});
}
