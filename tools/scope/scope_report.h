// How celvaro-scope tells what each command came to: one plain line or one
// JSON object a command on the standard output, and the exit code.
#pragma once

#include <optional>
#include <string>

#include "astro/coordinates.h"

namespace celvaro::scope {

// The exit codes, by the outcome of the first command that did not end done.
enum ExitCode : int {
  kExitDone = 0,
  kExitFailed = 1,    // the program could not set itself up (a scratch directory)
  kExitUsage = 2,     // a bad command line, or a name the search does not find
  kExitNoLink = 3,    // no link with the mount, or the link was lost
  kExitRefused = 4,   // the mount refused the command
  kExitTimedOut = 5,  // the mount did not answer or end in time
  kExitInterrupted = 130,  // Ctrl-C; the program ends by the signal itself
};

enum class Outcome { kDone, kNoLink, kRefused, kTimedOut, kInterrupted };

struct CommandResult {
  Outcome outcome = Outcome::kDone;
  int status = 0;        // the last link status code the command brought
  std::string message;   // why it did not end done; the mount's own text where it gave one
  std::string linkText;  // status: the mount type and its link
  std::string targetName;
  std::optional<EquatorialPosition> target;  // goto and sync, J2000
  std::optional<EquatorialPosition> j2000, ofDate;  // where the mount stands
};

ExitCode exitCodeOf(Outcome outcome);
const char* outcomeName(Outcome outcome);

// "goto M 42: done target=5.588139,-5.391111 ..." or the same as one JSON object.
std::string reportLine(const std::string& command, const CommandResult& result, bool json);

}  // namespace celvaro::scope
