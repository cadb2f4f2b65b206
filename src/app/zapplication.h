#pragma once
// The program's application object: every exception that escapes an event handler ends here and
// is reported by the application-wide exception handler; the program carries on.

#include <QApplication>

class ZApplication : public QApplication {
 public:
  ZApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

// False when there is no display to open windows on (and no other platform was chosen).
bool HaveDisplay(int argc, char** argv);
