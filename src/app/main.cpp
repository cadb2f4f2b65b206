// The program body: computes the program folder, creates the main window, runs start-up, the
// message loop and shutdown.
#include <malloc.h>

#include <QWidget>
#include <cstdio>

#include "base/errorcatalogue.h"
#include "app/global.h"
#include "app/messagebox.h"
#include "app/program.h"
#include "app/shellintegration.h"
#include "base/programpath.h"
#include "app/terminationsignals.h"
#include "app/zapplication.h"
#include "config/config.h"
#include "skin/zgui.h"
#include "ui/skinchange.h"
#include "ui/skinwindows.h"
#include "ui/surfaces.h"

int main(int argc, char** argv) {
  if (!HaveDisplay(argc, argv)) {
    std::fprintf(stderr,
                 "zephonic: no display found. Set DISPLAY or WAYLAND_DISPLAY, or start it under "
                 "xvfb-run.\n");
    return 2;
  }
  ZApplication app(argc, argv);
  // Single-instance check and hand-over of the command line come here.
  SetProgramPath(ComputeProgramPath(QCoreApplication::applicationFilePath()));
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
  // The skin's part of a skin change; the program does not play anything yet, so nothing is
  // paused.
  const ProgramEventHandle skinChange = AddProgramEventHandler([&windows](const QString& event) {
    if (event == kSkinChange) {
      RedrawAfterSkinChange(GUI(), windows, Config(), false);
    }
  });
  // A signal may arrive while start-up shows a modal box; the loop then must not start at all.
  bool closeRequested = false;
  QObject::connect(&terminationSignals, &TerminationSignals::closeRequested, &mainWindow,
                   [&mainWindow, &closeRequested] {
                     closeRequested = true;
                     mainWindow.close();
                     QCoreApplication::quit();
                   });

  ZInitialize();
  if (Config().SwapMemoryMngt) {
    malloc_trim(0);
  }
  if (!TerminationRequested() && !closeRequested) {
    mainWindow.show();
    QApplication::exec();
  }
  ZKill();
  SetProgramWindows(nullptr);
  return TerminationRequested() ? 1 : 0;
}
