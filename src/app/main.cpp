// The program body: computes the program folder, creates the main window, runs start-up, the
// message loop and shutdown. Until the skinned main window exists a plain window titled
// "Zephonic_Main" hosts the loop.
#include <malloc.h>

#include <QWidget>
#include <cstdio>

#include "app/errorcatalogue.h"
#include "app/global.h"
#include "app/messagebox.h"
#include "app/programpath.h"
#include "app/terminationsignals.h"
#include "app/zapplication.h"
#include "config/config.h"

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

  QWidget mainWindow;
  mainWindow.setWindowTitle(QStringLiteral("Zephonic_Main"));
  // "/register" and "/unregister", and the creation of the other windows, come here.
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
  return TerminationRequested() ? 1 : 0;
}
