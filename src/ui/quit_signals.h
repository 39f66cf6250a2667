// The system's requests to end the program (SIGTERM from kill or a logout,
// SIGINT from Ctrl+C in the terminal, SIGHUP from a closed terminal) end it
// through its event loop, so it leaves as when its window closes and writes
// its files. The handler only writes a byte into a pipe; the event loop
// reads the pipe and does the rest on the user-interface thread.
#pragma once

#include <signal.h>

#include <array>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace celvaro {

class QuitSignals {
 public:
  static constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

  // Installs the handlers; `onSignal` runs in the event loop after one of
  // the signals came. One instance at a time.
  explicit QuitSignals(std::function<void()> onSignal);
  // The signals act again as they did before.
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  void drain();

  std::array<int, 2> pipe_{-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> onSignal_;
  std::array<struct sigaction, kSignals.size()> previous_{};
};

}  // namespace celvaro
