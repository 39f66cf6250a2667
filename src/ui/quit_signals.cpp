#include "ui/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>

namespace celvaro {
namespace {

// The pipe's write end, for the handler; -1 while no instance exists.
volatile sig_atomic_t writeEnd = -1;

// Only what is safe in a signal handler: one write, errno kept. A full
// pipe already holds a request, so a write that fails loses nothing.
void onQuitSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  if (writeEnd >= 0) {
    [[maybe_unused]] const ssize_t written = write(writeEnd, &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  if (pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { drain(); });
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);
}

QuitSignals::~QuitSignals() {
  if (pipe_[0] < 0) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  writeEnd = -1;
  notifier_.reset();
  close(pipe_[0]);
  close(pipe_[1]);
}

// Several signals may have come: all their bytes are read, and the program
// is told once.
void QuitSignals::drain() {
  char bytes[16];
  bool any = false;
  while (read(pipe_[0], bytes, sizeof bytes) > 0) any = true;
  if (any) onSignal_();
}

}  // namespace celvaro
