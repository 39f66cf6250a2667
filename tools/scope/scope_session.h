// One connection to a mount on the telescope core, running a script's
// commands in order: the clock gives the controller its heartbeat and
// sidereal time (from the script's instant, running on), each command is
// sent as the desktop program's panel sends it, and its outcome is taken
// from what the controller reports.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/clock.h"
#include "telescope/telescope_control.h"
#include "tools/scope/scope_events.h"
#include "tools/scope/scope_report.h"
#include "tools/scope/scope_script.h"

namespace celvaro::scope {

struct SessionSettings {
  ObservingPlace place;
  int spiralSpeed = 2;
  int eastWestSwapPosition = 0;
};

class ScopeSession {
 public:
  using SteadyClock = std::chrono::steady_clock;
  // How a command's result is told as it ends.
  using Reporter = std::function<void(const ScopeCommand&, const CommandResult&)>;

  // `programDirectory` holds ports/COM1 for a serial mount; `linked` is
  // told once the connect no longer needs it.
  ScopeSession(const ScopeScript& script, const SessionSettings& settings, const std::string& programDirectory,
               std::function<void()> linked);
  ~ScopeSession();
  ScopeSession(const ScopeSession&) = delete;
  ScopeSession& operator=(const ScopeSession&) = delete;

  // Connects, then runs the commands until one does not end done; the
  // outcome of the connect when it failed, else of the last command run.
  Outcome run(const Reporter& report, std::string& error);

 private:
  // What the command's wait looks for.
  struct Awaited {
    std::vector<int> done;   // status codes that end it done
    bool position = false;   // a position ends it done
    // A mount that confirms nothing has done it when no refusal came in a
    // moment; `within` is for what must come.
    bool quietIsDone = false;
    std::chrono::milliseconds within{10000};
  };
  // What the last slew left to be waited for.
  enum class Pending { kNothing, kEndCode, kSteadyPosition };

  Outcome connect(std::string& error);
  CommandResult perform(const ScopeCommand& command);
  void send(const ScopeCommand& command);
  CommandResult await(const Awaited& awaited);
  CommandResult waitForEnd();
  CommandResult waitForSteadyPosition();
  CommandResult holdFor(std::chrono::milliseconds duration);
  void noteStarts(const CommandResult& result);
  // Takes an event, noting what it says of the link and of a pending slew.
  std::optional<ScopeEvent> nextEvent(SteadyClock::time_point deadline);
  void describePosition(CommandResult& result, const EquatorialPosition& j2000) const;
  std::string linkText() const;

  const ScopeScript& script_;
  const SessionSettings settings_;
  const std::function<void()> linked_;
  ScopeEvents events_;
  Clock clock_;
  TelescopeControl controller_;
  bool linkUp_ = false;
  bool linkLost_ = false;
  Pending pending_ = Pending::kNothing;
  int pendingCode_ = 0;
  int syncs_ = 0;
};

}  // namespace celvaro::scope
