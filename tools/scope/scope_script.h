// What celvaro-scope is asked to do: the mount, how to reach it, the place
// and the instant, and the commands to run in order on one connection.
// Read and checked before anything is opened, without Qt, so that tests and
// a fuzz target can drive the reading alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/place_time_options.h"

namespace celvaro::scope {

enum class Verb { kStatus, kPosition, kGoto, kSync, kStop, kPark, kUnpark, kTrack, kMove, kGuide, kSpiral, kWait };

struct ScopeCommand {
  Verb verb = Verb::kStatus;
  std::string text;  // the command and its arguments as typed, for the report
  // goto and sync: a name for the chart's search, or a J2000 place.
  std::string object;
  std::string designation;  // what the search found for the name, as the program shows it
  std::optional<double> raHours, decDeg;
  int direction = 0;  // move and guide: 0 north, 1 south, 2 east, 3 west
  bool fast = false;  // move: a fast rate, else a slow one
  int rate = 0;       // move: the rate's index 0..5
  double seconds = 0;      // move
  int milliseconds = 0;    // guide
  int radiusArcmin = 0;    // spiral: the step between its turns
  int turns = 0;           // spiral
  bool on = false;         // track
};

struct ScopeScript {
  int mountType = 0;  // mount_types.h
  std::string device;  // the serial device
  std::string indiHost;
  int indiPort = 0;
  std::string indiDevice;
  bool json = false;
  PlaceTimeOptions placeTime;
  std::vector<ScopeCommand> commands;
};

// Whether the protocol of a mount type acts on a command.
bool offers(int mountType, Verb verb);

class ScopeScriptReader {
 public:
  // The script the arguments (without the program's name) ask for, or
  // nothing with error() naming what is wrong.
  std::optional<ScopeScript> read(const std::vector<std::string>& args);
  const std::string& error() const { return error_; }

 private:
  bool readOption(const std::vector<std::string>& args, size_t& i, ScopeScript& script);
  bool readCommand(const std::vector<std::string>& args, size_t& i, ScopeScript& script);
  bool readArguments(ScopeCommand& command, const std::vector<std::string>& words);
  bool readTarget(ScopeCommand& command, const std::vector<std::string>& words);
  bool check(const ScopeScript& script);
  bool fail(const std::string& message);

  std::string error_;
};

}  // namespace celvaro::scope
