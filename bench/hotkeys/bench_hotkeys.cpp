// From a key press to its action: system-wide through the keyboard hook (a key typed with XTest
// on an X server of our own while another client has the focus), and local through a Qt key event
// in a program window. Each is set beside the same press reaching a plain receiver, measured the
// same way: a plain X client's window for the hook, a widget without hotkeys for local keys.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "hotkeys/dispatch/hotkeydispatch.h"
#include "hotkeys/dispatch/hotkeyhook.h"
#include "hotkeys/dispatch/localkeys.h"
#include "recordingtarget.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPresses = 1000;

struct Figures {
  double median;
  double p99;
};

Figures Summarise(std::vector<double> micros) {
  std::sort(micros.begin(), micros.end());
  const size_t n = micros.size();
  const double median = n % 2 ? micros[n / 2] : (micros[n / 2 - 1] + micros[n / 2]) / 2;
  const size_t p99 = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n))) - 1;
  return {median, micros[p99]};
}

double Micros(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::micro>(to - from).count();
}

void Print(const char* name, const Figures& measured, const char* baselineName,
           const Figures& baseline) {
  std::printf("%-28s median %8.1f us  p99 %8.1f us\n", name, measured.median, measured.p99);
  std::printf("%-28s median %8.1f us  p99 %8.1f us\n", baselineName, baseline.median, baseline.p99);
  std::printf("%-28s median x%.2f  p99 x%.2f\n\n", "ratio", measured.median / baseline.median,
              measured.p99 / baseline.p99);
}

// Notes when the volume action ran.
class TimedTarget : public RecordingTarget {
 public:
  void StepVolume(int) override {
    ran = Clock::now();
    ++runs;
  }
  Clock::time_point ran;
  int runs = 0;
};

// A window that notes when a key reached it.
class TimedWidget : public QWidget {
 public:
  Clock::time_point pressed;
  int presses = 0;

 protected:
  void keyPressEvent(QKeyEvent*) override {
    pressed = Clock::now();
    ++presses;
  }
};

Figures QtPresses(QWidget& widget, const std::function<Clock::time_point()>& reached) {
  std::vector<double> micros;
  for (int i = 0; i < kPresses; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
    const Clock::time_point start = Clock::now();
    QApplication::sendEvent(&widget, &press);
    micros.push_back(Micros(start, reached()));
    QApplication::sendEvent(&widget, &release);
  }
  return Summarise(micros);
}

}  // namespace

// Xlib after every use of Qt's key events: its KeyPress and KeyRelease macros would replace them.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "xvfb.h"

namespace {

Figures HookPresses(OtherClient& other, TimedTarget& target) {
  Display* display = other.display();
  const KeyCode code = XKeysymToKeycode(display, XK_F5);
  std::vector<double> micros;
  for (int i = 0; i < kPresses; ++i) {
    const int before = target.runs;
    const Clock::time_point start = Clock::now();
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
    while (target.runs == before) {
      QCoreApplication::processEvents();
    }
    micros.push_back(Micros(start, target.ran));
  }
  return Summarise(micros);
}

// The same typing, received by the focused client itself.
Figures PlainClientPresses(OtherClient& other) {
  Display* display = other.display();
  const KeyCode code = XKeysymToKeycode(display, XK_F6);
  std::vector<double> micros;
  for (int i = 0; i < kPresses; ++i) {
    const Clock::time_point start = Clock::now();
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
    XEvent event;
    do {
      XNextEvent(display, &event);
    } while (event.type != KeyPress);
    micros.push_back(Micros(start, Clock::now()));
  }
  return Summarise(micros);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);

  TZHotKeys table;                      // the defaults: Up raises the volume, locally
  table.Add(116, 0, true, haVolumeUp);  // F5, system-wide
  TimedTarget target;
  FixedFocus focus;
  TZHotKeyDispatcher dispatcher(table, target, focus);

  // Local: the window is the main window; the plain widget is the same window without hotkeys.
  TimedWidget window;
  const Figures plainWidget = QtPresses(window, [&] { return window.pressed; });
  TZLocalKeys keys([&](TZKeyStroke stroke) { dispatcher.Dispatch(stroke.Key, stroke.Modifiers); });
  app.installEventFilter(&keys);
  const Figures local = QtPresses(window, [&] { return target.ran; });
  app.removeEventFilter(&keys);
  Print("local hotkey (Qt event)", local, "baseline: plain widget", plainWidget);

  XvfbServer server;
  if (server.DisplayName().isEmpty()) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  qputenv("DISPLAY", server.DisplayName().toLatin1());
  OtherClient other(server.DisplayName());
  other.TakeFocus();
  focus.window = THotKeyWindow::OtherProgram;
  TZHotKeyHook hook([&](TZKeyStroke stroke) { dispatcher.Dispatch(stroke.Key, stroke.Modifiers); },
                    [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
  if (!hook.Enable(table)) {
    std::fprintf(stderr, "the hook did not start\n");
    return 1;
  }
  const Figures plainClient = PlainClientPresses(other);
  const Figures systemWide = HookPresses(other, target);
  Print("system-wide hotkey (XTest)", systemWide, "baseline: plain X client", plainClient);
  return 0;
}
