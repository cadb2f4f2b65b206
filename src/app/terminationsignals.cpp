#include "app/terminationsignals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Nothing can be done about a full pipe here: a close is already pending then.
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
    throw std::runtime_error("cannot create the signal pipe");
  }
  notifier_ = std::make_unique<QSocketNotifier>(signalPipe[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_DFL);
  notifier_.reset();
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::readSignal() {
  char byte = 0;
  if (::read(signalPipe[1], &byte, 1) == 1) {
    emit closeRequested();
  }
}
