// celvaro-scope run as a script runs it, and what its JSON lines say.
#pragma once

#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "program_run.h"
#include "telescope/sky_places.h"

namespace celvaro::testing {

using ScopeRun = ProgramRun;

inline ScopeRun runScope(const std::vector<std::string>& args, const ScratchDir& dir,
                         const std::vector<std::string>& environment = {}, double terminateAfter = 0) {
  std::vector<std::string> words{CELVARO_SCOPE};
  words.insert(words.end(), args.begin(), args.end());
  return runProgram(words, dir, environment, terminateAfter);
}

// The JSON line of a command in the output, or an empty one.
inline std::string lineOf(const std::string& out, const std::string& command) {
  const std::string key = "{\"command\":\"" + command + "\"";
  const size_t at = out.find(key);
  return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

// A place a JSON line gives by name: (hours, degrees).
inline std::optional<std::pair<double, double>> placeIn(const std::string& line, const std::string& name) {
  const std::regex pattern("\"" + name + "\":\\{\"ra_hours\":([-0-9.]+),\"dec_deg\":([-0-9.]+)\\}");
  std::smatch m;
  if (!std::regex_search(line, m, pattern)) return std::nullopt;
  return std::pair{std::stod(m[1]), std::stod(m[2])};
}

}  // namespace celvaro::testing
