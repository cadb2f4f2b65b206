#include "app/global.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/fileinfo.h"
#include "app/firststart.h"
#include "app/program.h"
#include "app/videolayer.h"
#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "base/zdebug.h"
#include "config/config.h"
#include "hotkeys/dispatch/hotkeyhook.h"
#include "hotkeys/hotkeys.h"
#include "lang/applylanguage.h"
#include "lang/language.h"
#include "lang/textids.h"
#include "playback/player.h"
#include "playback/zbass.h"
#include "playlist/playlist.h"
#include "playlist/playlistfiles.h"
#include "skin/skinstartup.h"
#include "skin/zgui.h"
#include "ui/surfaces.h"
#include "vis/spectrum_vis.h"
#include "vis/spectrumsetup.h"

namespace {

TZWindows*& WindowsSlot() {
  static TZWindows* windows = nullptr;
  return windows;
}

QStringList& SoundDeviceSlot() {
  static QStringList devices;
  return devices;
}

// Whether these steps ran, so that shutdown releases only what start-up created.
bool& VariablesCreated() {
  static bool created = false;
  return created;
}

std::function<void()>& CommandLineStep() {
  static std::function<void()> step;
  return step;
}

bool& SoundSystemStarted() {
  static bool started = false;
  return started;
}

// A step of start-up or shutdown. Returning false skips the remaining steps of start-up.
struct Step {
  const char* name;  // for the report when a step fails in a way it does not handle itself
  bool (*run)();
};

QElapsedTimer& InitializeClock() {
  static QElapsedTimer clock;
  return clock;
}

QElapsedTimer& KillClock() {
  static QElapsedTimer clock;
  return clock;
}

QString DataFile(const char* name) {
  return DataPath() + QLatin1String(name);
}

// Runs an operation that reports failure by result or by exception.
template <typename Operation>
bool Succeeds(Operation&& operation) {
  try {
    return operation();
  } catch (const std::exception&) {
    return false;
  }
}

// Writes the step's OK or failure line after the operation.
template <typename Operation>
void Guarded(const char* ok, const char* failed, Operation&& operation) {
  ZLog(QLatin1String(Succeeds(operation) ? ok : failed));
}

QString Elapsed(const char* what, const QElapsedTimer& clock) {
  return QString::asprintf("%s [ %.2f msecs ]", what,
                           static_cast<double>(clock.nsecsElapsed()) / 1e6);
}

// Runs the steps in order; a step that fails without handling it is named on standard error
// (the log may be what failed) and the next step runs. False when a step skipped the rest.
bool RunSteps(std::initializer_list<Step> steps) {
  for (const Step& step : steps) {
    try {
      if (!step.run()) {
        return false;
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "zephonic: %s failed: %s\n", step.name, error.what());
    }
  }
  return true;
}

// ---- ZInitialize

bool StartLog() {
  SetInitialised(false);
  SetZDebug(std::make_unique<TZDebug>(ProgramPath() + QStringLiteral("zephonic.log")));
  InitializeClock().start();
  ZLog(QStringLiteral("ZInitialize..."));
  ZLogIndent();
  return true;
}

bool WriteVersionAndPath() {
  ZLog(QStringLiteral("Zephonic version: ") + FileVersion());
  ZLog(QStringLiteral("Zephonic path: ") + ProgramPath());
  return true;
}

bool CheckVideoLayer() {
  const std::optional<QString> version = UsableVideoLayerVersion();
  if (!version) {
    ZLog(QStringLiteral("DirectX not found."));
    ReportError(3002, QStringLiteral("TZDirectX"), QString(), true);
    return true;
  }
  ZLog(QStringLiteral("DirectX ") + *version + QStringLiteral(" installed."));
  return true;
}

bool CreateDataFolders() {
  ZLog(QStringLiteral("Create directory if nessesary..."));
  for (const char* folder : {"", "skins", "languages", "presets", "images", "output", "dvdgraphs",
                             "dsgraphs", "icons", "codecs"}) {
    QDir().mkpath(DataFile(folder));
  }
  return true;
}

bool LoadConfiguration() {
  const QString path = DataFile("config.zcfg");
  bool found = false;
  const bool ok = Succeeds([&] {
    SetConfigDefaults(Config());
    found = QFile::exists(path);
    return !found || LoadConfigFile(path, Config());
  });
  if (!ok) {
    SetConfigDefaults(Config());
    ZLog(QStringLiteral("Configurationfile loaded failed."));
    ReportError(10, QStringLiteral("TZConfig"), QString(), true);
  } else if (found) {
    ZLog(QStringLiteral("Configurationfile loaded OK."));
  } else {
    SetConfigDefaults(Config());
    ZLog(QStringLiteral("Configurationfile not found. Set configuration to default."));
  }
  return true;
}

bool LoadGraphs() {
  const QString path = DataFile("dsgraphs.lst");
  if (!QFile::exists(path)) {
    ZLog(QStringLiteral("DS Graphs file not found. Set to default."));
  } else if (LoadGraphList(path, Config())) {
    ZLog(QStringLiteral("DS Graphs file loaded OK."));
  } else {
    ZLog(QStringLiteral("DS Graphs file loaded failed. Set to default."));
  }
  return true;
}

bool CheckFirstStart() {
  if (ApplyFirstStart(FirstStartFile(), Config())) {
    ZLog(QStringLiteral("Zephonic is starting the first time."));
  }
  return true;
}

bool LoadLanguage() {
  const QString path = LanguageFilePath(Config().Language);
  bool found = false;
  const bool ok = Succeeds([&] {
    found = QFile::exists(path);
    if (found) {
      LoadFromFile(Language(), path);
    } else {
      LoadDefaults(Language());
    }
    ApplyLanguage(Language());
    return true;
  });
  if (!ok) {
    LoadDefaults(Language());
    ZLog(QStringLiteral("Languagefile loaded failed."));
    ReportError(150, QStringLiteral("TZLanguage"), QString(), false);
  } else if (found) {
    ZLog(QStringLiteral("Languagefile loaded OK."));
  } else {
    ZLog(QStringLiteral("Languagefile not found. Set language to default (english)."));
  }
  return true;
}

// The configured skin, else the built-in one; false when not even that loads.
bool StartSkin() {
  const TZConfig& config = Config();
  return StartSkinEngine(config.Skin,
                         SkinBlend{config.SkinColorBlend.Level, config.SkinColorBlend.Color.rgb()});
}

bool ApplyWindowSurfaces() {
  Guarded("GUI Applysurfaces OK.", "GUI Applysurfaces failed.", [] {
    if (TZWindows* windows = WindowsSlot()) {
      ApplySurfaces(GUI(), *windows);
      if (windows->FullscreenControl) {
        ApplyFullscreenSurfaces(GUI(), *windows->FullscreenControl);
      }
    }
    return true;
  });
  return true;
}

bool CreateVariables() {
  Guarded("Variables initialize OK.", "Variables initialize failed.", [] {
    SoundDeviceSlot().clear();
    VariablesCreated() = true;
    return true;
  });
  return true;
}

bool StartSoundSystem() {
  ZBassInitialize(Config().BassDevice, &SoundDeviceSlot());
  SoundSystemStarted() = true;
  return true;
}

// The analyser takes the size of the main window's analyser area; it lives until the process
// ends.
bool CreateSpectrum() {
  static std::unique_ptr<TSpectrum> spectrum;
  const TZSAnalyzer& area = GUI().Main.Analyzer;
  if (!spectrum) {
    spectrum = std::make_unique<TSpectrum>(area.Size.width(), area.Size.height());
  }
  ConfigureSpectrum(*spectrum, area, Config());
  if (TZWindows* windows = WindowsSlot()) {
    windows->Spectrum = spectrum.get();
  }
  return true;
}

bool CreateHotkeys() {
  Guarded("Hotkeys initialize OK.", "Hotkeys initialize failed.", [] {
    SetHotKeys(std::make_unique<TZHotKeys>());
    return true;
  });
  return true;
}

bool LoadHotkeyFile() {
  TZHotKeys* table = HotKeys();
  if (!table) {
    return true;
  }
  const QString path = DataFile("hotkeys.zkeys");
  if (!QFile::exists(path)) {
    table->SetDefaults();
    ZLog(QStringLiteral("Hotkeys file not found. Setting to default."));
    return true;
  }
  Guarded("Hotkeys loaded file OK.", "Hotkeys loaded file failed.",
          [&] { return table->LoadFromFile(path); });
  return true;
}

bool StartKeyboardHook() {
  const TZHotKeys* table = HotKeys();
  const bool installed = table && StartHotKeyHook(*table);
  ZLog(installed ? QStringLiteral("Hook installation successfully.")
                 : QStringLiteral("Hook installation failed."));
  return true;
}

bool StopKeyboardHook() {
  ZLog(StopHotKeyHook() ? QStringLiteral("Hook kill successfully.")
                        : QStringLiteral("Hook kill failed."));
  return true;
}

bool CreatePlaylist() {
  Guarded("Playlist initialize OK.", "Playlist initialize failed.", [] {
    auto playlist = std::make_unique<TZPlaylist>();
    playlist->LastPlayedIndex = Config().LastPlayedIndex;
    SetPlaylist(std::move(playlist));
    return true;
  });
  return true;
}

bool LoadDefaultPlaylist() {
  TZPlaylist* playlist = Playlist();
  if (!playlist) {
    return true;
  }
  const QString path = DataFile("default.zpl");
  if (!QFile::exists(path)) {
    playlist->ClearPlaylist();
    ZLog(QStringLiteral("Playlist not found. Playlist is cleared."));
    return true;
  }
  if (Succeeds([&] { return ReadDefaultPlaylist(path, *playlist) == prLoaded; })) {
    ZLog(QStringLiteral("Playlist loaded OK."));
    return true;
  }
  playlist->ClearPlaylist();
  ZLog(QStringLiteral("Playlist loaded failed."));
  ReportError(300, QStringLiteral("TZPlaylist"), QString(), false);
  return true;
}

bool StartProgramEvent() {
  ProgramEvent(kProgramStart);
  return true;
}

bool FinishInitialize() {
  ZLogUnindent();
  ZLog(Elapsed("ZInitialize complete", InitializeClock()));
  ZLog(QString());
  ZLog(QStringLiteral("Running"));
  ZLogIndent();
  return true;
}

bool NoteDebugging() {
  if (Config().DebugEnabled) {
    ZLog(QStringLiteral("Debugging is enabled"));
  }
  return true;
}

bool RunCommandLine() {
  if (CommandLineStep()) {
    CommandLineStep()();
  }
  return true;
}

// ---- ZKill

bool StopPlayback() {
  TZPlayer* player = Player();
  if (player && (player->Playing() || player->Paused())) {
    player->FreeLastItem(true);
  }
  return true;
}

bool ShowClosingText() {
  if (TZPlayerWindows* windows = PlayerWindows()) {
    windows->SetTitleText(Language().Text(kTextClosing));
  }
  return true;
}

bool BeginKill() {
  SetTerminated(false);
  return true;
}

bool WriteKillHeader() {
  ZLogUnindent();
  ZLog(QStringLiteral("Close"));
  ZLog(QString());
  KillClock().start();
  ZLog(QStringLiteral("ZKill..."));
  ZLogIndent();
  return true;
}

bool FreeSoundSystem() {
  if (TZPlayer* player = Player()) {
    player->FreeAll();
  }
  if (SoundSystemStarted()) {
    ZBassFree();
    SoundSystemStarted() = false;
  }
  return true;
}

bool EndProgramEvent() {
  ProgramEvent(kProgramEnd);
  return true;
}

bool ReleaseSkin() {
  ReleaseSkinEngine();
  return true;
}

bool SaveConfiguration() {
  Guarded("Configurationfile saved OK", "Configurationfile saved failed",
          [] { return SaveConfigFile(DataFile("config.zcfg"), Config()); });
  return true;
}

bool SaveGraphs() {
  Guarded("DS Graphs saved file OK.", "DS Graphs saved file failed.",
          [] { return SaveGraphList(DataFile("dsgraphs.lst"), Config()); });
  return true;
}

// Only a playlist that start-up created is written back.
bool SaveDefaultPlaylist() {
  if (const TZPlaylist* playlist = Playlist()) {
    Guarded("Playlist saved OK", "Playlist saved failed",
            [&] { return WriteZplFile(DataFile("default.zpl"), *playlist); });
  }
  return true;
}

bool FreePlaylist() {
  if (Playlist()) {
    Guarded("Playlist deinitialize OK", "Playlist deinitialize failed", [] {
      SetPlaylist(nullptr);
      return true;
    });
  }
  return true;
}

bool FreeVariables() {
  if (VariablesCreated()) {
    Guarded("Variables deinitialize OK", "Variables deinitialize failed", [] {
      SoundDeviceSlot().clear();
      VariablesCreated() = false;
      return true;
    });
  }
  return true;
}

bool SaveHotkeyFile() {
  if (const TZHotKeys* table = HotKeys()) {
    Guarded("Hotkeys saved file OK.", "Hotkeys saved file failed.",
            [&] { return table->SaveToFile(DataFile("hotkeys.zkeys")); });
  }
  return true;
}

bool FreeHotkeys() {
  if (HotKeys()) {
    Guarded("Hotkeys deinitialize OK", "Hotkeys deinitialize failed", [] {
      SetHotKeys(nullptr);
      return true;
    });
  }
  return true;
}

bool FinishKill() {
  ZLogUnindent();
  ZLog(Elapsed("ZKill complete", KillClock()));
  SetZDebug(nullptr);
  return true;
}

bool EmptyTempFolder() {
  EmptySkinTempFolder();
  return true;
}

}  // namespace

void SetCommandLineStep(std::function<void()> step) {
  CommandLineStep() = std::move(step);
}

void SetProgramWindows(TZWindows* windows) {
  WindowsSlot() = windows;
}

const QStringList& SoundDevices() {
  return SoundDeviceSlot();
}

void ZInitialize() {
  const bool complete = RunSteps({
      {"log", StartLog},
      {"version", WriteVersionAndPath},
      {"video layer check", CheckVideoLayer},
      {"data folders", CreateDataFolders},
      {"configuration", LoadConfiguration},
      {"graph list", LoadGraphs},
      {"first start", CheckFirstStart},
      {"language", LoadLanguage},
      {"skin", StartSkin},
      {"surfaces", ApplyWindowSurfaces},
      // The window magnets join the variables with the windows' behaviour.
      {"variables", CreateVariables},
      {"hotkeys", CreateHotkeys},
      {"hotkey file", LoadHotkeyFile},
      {"hotkey hook", StartKeyboardHook},
      {"sound system", StartSoundSystem},
      {"spectrum analyser", CreateSpectrum},
      {"playlist", CreatePlaylist},
      {"default playlist", LoadDefaultPlaylist},
      {"program start", StartProgramEvent},
      {"start-up end", FinishInitialize},
      // The video graph's own log joins this step when the video window arrives.
      {"debugging", NoteDebugging},
      {"command line", RunCommandLine},
  });
  SetInitialised(complete);
}

void ZKill() {
  RunSteps({
      {"shutdown", BeginKill},
      {"stop playback", StopPlayback},
      {"shutdown log", WriteKillHeader},
      {"closing text", ShowClosingText},
      {"sound system", FreeSoundSystem},
      {"program end", EndProgramEvent},
      {"skin pictures", ReleaseSkin},
      {"configuration", SaveConfiguration},
      {"graph list", SaveGraphs},
      {"default playlist", SaveDefaultPlaylist},
      {"playlist", FreePlaylist},
      {"variables", FreeVariables},
      {"hotkey hook", StopKeyboardHook},
      {"hotkey file", SaveHotkeyFile},
      {"hotkeys", FreeHotkeys},
      {"shutdown end", FinishKill},
      {"temporary files", EmptyTempFolder},
  });
  SetTerminated(true);
}
