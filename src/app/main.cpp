// The program body: computes the program folder, creates the main window, runs start-up, the
// message loop and shutdown.
#include <malloc.h>

#include <QDir>
#include <QPointer>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "app/commandline.h"
#include "app/global.h"
#include "app/program.h"
#include "app/programwiring.h"
#include "app/singleinstance.h"
#include "app/terminationsignals.h"
#include "app/zapplication.h"
#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "components/ui/formmagnet.h"
#include "components/ui/messagebox.h"
#include "components/ui/taskbarentry.h"
#include "components/ui/trayicon.h"
#include "config/config.h"
#include "desktop/shellintegration.h"
#include "hotkeys/hotkeys.h"
#include "lang/language.h"
#include "playback/playertimer.h"
#include "playlist/playlist.h"
#include "playlist/window/playlistwindow.h"
#include "skin/zgui.h"
#include "ui/mainwindow.h"
#include "ui/skinchange.h"
#include "ui/skinwindows.h"
#include "ui/surfaces.h"

namespace {

// A second start: its arguments (made absolute) go to the running program, which carries them
// out.
int HandOver(const QString& instance, const QStringList& arguments) {
  const QString text = JoinParameters(arguments);
  if (text.toUtf8().size() > kMaxHandOverBytes) {
    std::fprintf(stderr, "zephonic: the arguments are longer than %lld bytes; not handed over.\n",
                 static_cast<long long>(kMaxHandOverBytes));
    return 1;
  }
  switch (SendToRunningInstance(instance, arguments)) {
    case hoDelivered:
      return 0;
    case hoNoRecipient:
      ShowMessageBox(QMessageBox::Warning, QStringLiteral("Zephonic"),
                     QStringLiteral("No Recipient found!"), QMessageBox::Ok, QMessageBox::Ok);
      return 1;
    case hoRefused:
      return 1;
  }
  return 1;
}

// The main window with the other windows' behaviour, hotkeys and desktop media control joined
// to it, its tray icon and the magnets of the three windows it keeps together.
struct TZMainParts {
  std::unique_ptr<TZMainWindow> Main;
  std::unique_ptr<TZProgramWiring> Wiring;
  TZTrayIcon* Tray = nullptr;
};

void CreateMainParts(TZMainParts& parts, TZWindows& windows, TZTimerSource& timers) {
  parts.Main = std::make_unique<TZMainWindow>(windows, *Playlist(), Config(), GUI(), timers);
  TZMainWindow& main = *parts.Main;
  SetPlayer(&main.Player(), &main);
  parts.Wiring = std::make_unique<TZProgramWiring>(main, GUI(), Config(), Language());
  if (const TZHotKeys* table = HotKeys()) {
    parts.Wiring->InstallHotKeys(*table);
  }
  parts.Wiring->RegisterMpris();
  parts.Tray = new TZTrayIcon(
      *windows.Main,
      {windows.Playlist, windows.MediaControls, windows.Video, windows.FullscreenControl},
      &main.MainMenu());
  TZTrayIcon* tray = parts.Tray;
  QObject::connect(&main, &TZMainWindow::trayStateChanged, tray,
                   [tray] { tray->Apply(Config().ShowZephonicIn); });
  QObject::connect(&main, &TZMainWindow::titleChanged, tray, &TZTrayIcon::SetHint);
  // Positions are stored on every move, after the snap; the magnets outlive the player's window.
  auto store = [main = QPointer<TZMainWindow>(&main)] {
    if (main) {
      main->StorePositions();
    }
  };
  auto* mainMagnet = new TZFormMagnet(*windows.Main, true, store);
  mainMagnet->SetPartners({windows.Playlist, windows.MediaControls});
  for (QWidget* window :
       {static_cast<QWidget*>(windows.Playlist), static_cast<QWidget*>(windows.MediaControls)}) {
    auto* magnet = new TZFormMagnet(*window, false, store);
    magnet->SetPartners({windows.Main});
  }
  TrackActiveWindow(windows);
}

// The desktop lists the program once, by its main window; the others are its tool windows.
void GroupUnderMainWindow(const TZWindows& windows) {
  for (TZSkinWindow* window : std::initializer_list<TZSkinWindow*>{
           windows.Playlist, windows.MediaControls, windows.Video, windows.FullscreenControl}) {
    window->BelongTo(*windows.Main);
  }
  ListOnTaskbarAlone(*windows.Main);
}

}  // namespace

int main(int argc, char** argv) {
  if (!HaveDisplay(argc, argv)) {
    std::fprintf(stderr,
                 "zephonic: no display found. Set DISPLAY or WAYLAND_DISPLAY, or start it under "
                 "xvfb-run.\n");
    return 2;
  }
  ZApplication app(argc, argv);
  SetProgramPath(ComputeProgramPath(QCoreApplication::applicationFilePath()));
  const QStringList arguments =
      AbsoluteArguments(QCoreApplication::arguments().mid(1), QDir::currentPath());
  TZSingleInstance instance(InstanceName(ProgramPath()));
  if (!instance.TryLock()) {
    return HandOver(InstanceName(ProgramPath()), arguments);
  }
  QApplication::setApplicationName(QStringLiteral("Zephonic"));
  InstallErrorPresenter();
  TerminationSignals terminationSignals;

  TfrmMain mainWindow;
  if (const std::optional<int> exitCode = RunShellArgument(
          QCoreApplication::arguments(), QCoreApplication::applicationFilePath())) {
    return *exitCode;
  }
  TfrmVideo videoWindow;
  TfrmPlaylist playlistWindow;
  TfrmMediaControls mediaControlsWindow;
  TfrmVideoFullscreenControl fullscreenControl;
  TZWindows windows{&mainWindow, &playlistWindow, &mediaControlsWindow, &videoWindow,
                    &fullscreenControl};
  SetProgramWindows(&windows);
  GroupUnderMainWindow(windows);
  // The main window creates the player once the playlist exists.
  TZQtTimerSource timers;
  TZMainParts parts;
  const ProgramEventHandle mainEvents = AddProgramEventHandler([&](const QString& event) {
    if (event == kProgramStart && Playlist()) {
      if (!parts.Main) {
        CreateMainParts(parts, windows, timers);
      }
      parts.Main->ProgramStart();
      parts.Wiring->ProgramStarted();
    } else if (event == kSkinChange) {
      RedrawAfterSkinChange(GUI(), windows, Config(), parts.Main && parts.Main->Player().Paused());
      if (parts.Main) {
        parts.Main->SkinChanged();
      }
      if (parts.Wiring) {
        parts.Wiring->PlaylistWindow().ApplySkin();
      }
    } else if (event == kProgramEnd && parts.Main) {
      parts.Main->StorePositions();
      // The hotkey table goes later in shutdown; nothing may dispatch onto it from here on.
      parts.Wiring.reset();
    }
  });
  SetCommandLineStep([&] {
    if (parts.Main) {
      LoadFromParameters(arguments, *parts.Main);
    }
  });
  // A signal may arrive while start-up shows a modal box; the loop then must not start at all.
  bool closeRequested = false;
  QObject::connect(&terminationSignals, &TerminationSignals::closeRequested, &mainWindow,
                   [&mainWindow, &closeRequested] {
                     closeRequested = true;
                     mainWindow.close();
                     QCoreApplication::exit(0);
                   });

  ZInitialize();
  if (parts.Main) {
    parts.Main->SetRunning(IsInitialised());
    instance.Listen(
        [&parts](const QStringList& arguments) { HandleParameter(arguments, *parts.Main); });
  }
  if (Config().SwapMemoryMngt) {
    malloc_trim(0);
  }
  const bool closedAtStart = parts.Main && parts.Main->Closed();
  if (!TerminationRequested() && !closeRequested && !closedAtStart) {
    if (!parts.Main || !IsInitialised()) {
      mainWindow.show();
    }
    QApplication::exec();
  }
  if (parts.Main) {
    parts.Main->SetRunning(false);
  }
  ZKill();
  SetPlayer(nullptr, nullptr);
  parts.Wiring.reset();
  parts.Main.reset();
  SetProgramWindows(nullptr);
  return TerminationRequested() ? 1 : 0;
}
