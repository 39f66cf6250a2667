#include "tools/scope/scope_script.h"

#include <map>

#include "telescope/mount_types.h"

namespace celvaro::scope {
namespace {

struct VerbRule {
  Verb verb;
  size_t words;  // the arguments it takes; goto and sync take one or two
};

const std::map<std::string, VerbRule>& verbs() {
  static const std::map<std::string, VerbRule> table = {
      {"status", {Verb::kStatus, 0}}, {"position", {Verb::kPosition, 0}}, {"goto", {Verb::kGoto, 1}},
      {"sync", {Verb::kSync, 1}},     {"stop", {Verb::kStop, 0}},         {"park", {Verb::kPark, 0}},
      {"unpark", {Verb::kUnpark, 0}}, {"track", {Verb::kTrack, 1}},       {"move", {Verb::kMove, 3}},
      {"guide", {Verb::kGuide, 2}},   {"spiral", {Verb::kSpiral, 2}},     {"wait", {Verb::kWait, 0}},
  };
  return table;
}

const std::map<std::string, int>& typeNames() {
  static const std::map<std::string, int> table = {
      {"oldnexstar", kMountOldNexstar}, {"nexstar", kMountNexstar}, {"equatorial", kMountMotorEquatorial},
      {"altaz", kMountMotorAltAz},      {"own", kMountOwnController}, {"lx200", kMountLx200},
      {"indi", kMountIndi},
  };
  return table;
}

constexpr unsigned bit(Verb verb) { return 1u << static_cast<int>(verb); }

// What each type's protocol acts on. Every linked type tells its status and
// can be waited for; the old protocol only slews and reports where it is,
// the own controller only connects, LX200 has neither tracking nor park, a
// NexStar takes guide moves but has no park, the alt-azimuth motor
// controller is aligned by syncing on stars and has no park, the equatorial
// one has everything; an INDI device guides with timed pulses.
constexpr unsigned kAlways = bit(Verb::kStatus) | bit(Verb::kWait);
constexpr unsigned kSlewing = kAlways | bit(Verb::kPosition) | bit(Verb::kGoto);
constexpr unsigned kMoving = kSlewing | bit(Verb::kStop) | bit(Verb::kMove);
constexpr unsigned kParking = bit(Verb::kPark) | bit(Verb::kUnpark);

unsigned offered(int mountType) {
  switch (mountType) {
    case kMountOldNexstar: return kSlewing;
    case kMountNexstar: return kMoving | bit(Verb::kTrack) | bit(Verb::kGuide);
    case kMountMotorEquatorial:
      return kMoving | kParking | bit(Verb::kSync) | bit(Verb::kTrack) | bit(Verb::kGuide) | bit(Verb::kSpiral);
    case kMountMotorAltAz: return kMoving | bit(Verb::kSync) | bit(Verb::kTrack) | bit(Verb::kSpiral);
    case kMountLx200: return kMoving;
    case kMountIndi:
      return kMoving | kParking | bit(Verb::kSync) | bit(Verb::kTrack) | bit(Verb::kGuide) | bit(Verb::kSpiral);
    default: return kAlways;
  }
}

// Moves number their directions north, south, east, west; guide
// corrections, as a guiding program's, north, south, west, east.
std::optional<int> directionOf(const std::string& word, bool guide = false) {
  static const std::map<std::string, int> moves = {{"n", 0}, {"s", 1}, {"e", 2}, {"w", 3}};
  static const std::map<std::string, int> guides = {{"n", 0}, {"s", 1}, {"w", 2}, {"e", 3}};
  const auto& directions = guide ? guides : moves;
  const auto it = directions.find(word);
  return it == directions.end() ? std::nullopt : std::optional<int>(it->second);
}

}  // namespace

bool offers(int mountType, Verb verb) { return (offered(mountType) & bit(verb)) != 0; }

std::optional<ScopeScript> ScopeScriptReader::read(const std::vector<std::string>& args) {
  error_.clear();
  ScopeScript script;
  size_t i = 0;
  while (i < args.size() && args[i].rfind("--", 0) == 0) {
    if (!readOption(args, i, script)) return std::nullopt;
  }
  while (i < args.size()) {
    if (!readCommand(args, i, script)) return std::nullopt;
  }
  if (!check(script)) return std::nullopt;
  return script;
}

bool ScopeScriptReader::readOption(const std::vector<std::string>& args, size_t& i, ScopeScript& script) {
  const std::string& option = args[i++];
  if (option == "--json") return script.json = true;
  // An option's value is never the next option.
  if (i >= args.size() || args[i].rfind("--", 0) == 0) return fail(option + " needs a value");
  const std::string& value = args[i++];
  if (isPlaceTimeOption(option)) {
    return takePlaceTimeOption(script.placeTime, option, value) || fail(badValueMessage(option, value));
  }
  if (option == "--type") {
    const auto type = typeNames().find(value);
    if (type == typeNames().end()) return fail(badValueMessage(option, value));
    script.mountType = type->second;
    return true;
  }
  if (option == "--port") return !(script.device = value).empty() || fail(badValueMessage(option, value));
  if (option == "--device") return !(script.indiDevice = value).empty() || fail(badValueMessage(option, value));
  if (option == "--server") {
    const size_t colon = value.rfind(':');
    const auto port = colon == std::string::npos ? std::nullopt : integerWithin(value.substr(colon + 1), 1, 65535);
    if (!port || colon == 0) return fail(badValueMessage(option, value));
    script.indiHost = value.substr(0, colon);
    script.indiPort = *port;
    return true;
  }
  return fail("unknown option " + option);
}

bool ScopeScriptReader::readCommand(const std::vector<std::string>& args, size_t& i, ScopeScript& script) {
  const auto rule = verbs().find(args[i]);
  if (rule == verbs().end()) return fail("unknown command " + args[i]);
  ScopeCommand command;
  command.verb = rule->second.verb;
  command.text = args[i++];
  size_t words = rule->second.words;
  // Two numbers after goto or sync are a right ascension and a declination.
  const bool place = (command.verb == Verb::kGoto || command.verb == Verb::kSync) && i + 1 < args.size() &&
                     wholeNumber(args[i]) && wholeNumber(args[i + 1]);
  if (place) words = 2;
  if (i + words > args.size()) return fail(command.text + " needs " + std::to_string(words) + " argument" + (words > 1 ? "s" : ""));
  const std::vector<std::string> arguments(args.begin() + i, args.begin() + i + words);
  i += words;
  for (const std::string& word : arguments) command.text += " " + word;
  if (!readArguments(command, arguments)) return false;
  script.commands.push_back(command);
  return true;
}

bool ScopeScriptReader::readArguments(ScopeCommand& c, const std::vector<std::string>& words) {
  const auto bad = [&](const std::string& word) { return fail("bad argument of " + c.text.substr(0, c.text.find(' ')) + ": " + word); };
  switch (c.verb) {
    case Verb::kGoto:
    case Verb::kSync: return readTarget(c, words);
    case Verb::kTrack:
      if (words[0] != "on" && words[0] != "off") return bad(words[0]);
      c.on = words[0] == "on";
      return true;
    case Verb::kMove: {
      const auto direction = directionOf(words[0]);
      const std::string& rate = words[1];
      const bool named = rate.rfind("slow", 0) == 0 || rate.rfind("fast", 0) == 0;
      const auto index = named ? integerWithin(rate.substr(4), 0, 5) : std::nullopt;
      const auto seconds = numberWithin(words[2], {0, 3600});
      if (!direction) return bad(words[0]);
      if (!index) return bad(rate);
      if (!seconds) return bad(words[2]);
      c.direction = *direction, c.fast = rate[0] == 'f', c.rate = *index, c.seconds = *seconds;
      return true;
    }
    case Verb::kGuide: {
      const auto direction = directionOf(words[0], true);
      const auto ms = integerWithin(words[1], 1, 60000);
      if (!direction) return bad(words[0]);
      if (!ms) return bad(words[1]);
      c.direction = *direction, c.milliseconds = *ms;
      return true;
    }
    case Verb::kSpiral: {
      const auto radius = integerWithin(words[0], 1, 255), turns = integerWithin(words[1], 1, 10);
      if (!radius) return bad(words[0]);
      if (!turns) return bad(words[1]);
      c.radiusArcmin = *radius, c.turns = *turns;
      return true;
    }
    default: return true;
  }
}

// A place as --ra and --dec take it, or a text for the chart's search.
bool ScopeScriptReader::readTarget(ScopeCommand& c, const std::vector<std::string>& words) {
  if (words.size() == 1) {
    c.object = words[0];
    return !c.object.empty() || fail(c.text + ": an empty name");
  }
  c.raHours = numberWithin(words[0], kRaHoursRange);
  c.decDeg = numberWithin(words[1], kDecDegRange);
  if (!c.raHours) return fail("bad right ascension " + words[0] + " (hours, 0 to 24)");
  if (!c.decDeg) return fail("bad declination " + words[1] + " (degrees, -90 to 90)");
  return true;
}

bool ScopeScriptReader::check(const ScopeScript& script) {
  if (script.mountType == 0) return fail("--type is required");
  const bool indi = script.mountType == kMountIndi;
  if (indi && (script.indiHost.empty() || script.indiDevice.empty())) return fail("--type indi needs --server HOST:PORT and --device NAME");
  if (indi && !script.device.empty()) return fail("--type indi takes --server and --device, not --port");
  if (!indi && script.device.empty()) return fail("--port DEVICE is required");
  if (!indi && (!script.indiHost.empty() || !script.indiDevice.empty())) return fail("--server and --device go with --type indi");
  if (script.commands.empty()) return fail("no command given");
  for (const ScopeCommand& command : script.commands) {
    if (!offers(script.mountType, command.verb)) {
      return fail(std::string(mountTypeName(script.mountType)) + " mounts do not " + command.text.substr(0, command.text.find(' ')));
    }
  }
  return true;
}

bool ScopeScriptReader::fail(const std::string& message) {
  error_ = message;
  return false;
}

}  // namespace celvaro::scope
