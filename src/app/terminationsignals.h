#pragma once
// SIGTERM and SIGINT close the program the way closing the main window does. The signal handler
// only writes a byte to a pipe; the message loop reads it and emits closeRequested.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

class TerminationSignals : public QObject {
  Q_OBJECT
 public:
  TerminationSignals();
  ~TerminationSignals() override;

 signals:
  void closeRequested();

 private:
  void readSignal();

  std::unique_ptr<QSocketNotifier> notifier_;
};
