#include "tools/scope/scope_report.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>
#include <vector>

namespace celvaro::scope {
namespace {

std::string jsonText(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Right ascension in hours 0..24 and declination in degrees, six decimals.
std::pair<std::string, std::string> numbers(const EquatorialPosition& p) {
  char ra[32], dec[32];
  const double hours = std::fmod(p.raRad * 12 / std::numbers::pi + 24, 24);
  // A place a hair short of 24 h reads 0, as its six decimals would round to 24.
  std::snprintf(ra, sizeof ra, "%.6f", hours >= 24 - 5e-7 ? 0 : hours);
  std::snprintf(dec, sizeof dec, "%.6f", p.decRad * 180 / std::numbers::pi);
  return {ra, dec};
}

// The positions a result carries, by name.
std::vector<std::pair<std::string, EquatorialPosition>> positionsOf(const CommandResult& r) {
  std::vector<std::pair<std::string, EquatorialPosition>> named;
  if (r.target) named.emplace_back("target", *r.target);
  if (r.j2000) named.emplace_back("j2000", *r.j2000);
  if (r.ofDate) named.emplace_back("of_date", *r.ofDate);
  return named;
}

std::string jsonLine(const std::string& command, const CommandResult& r) {
  std::string line = "{\"command\":" + jsonText(command) + ",\"outcome\":\"" + outcomeName(r.outcome) +
                     "\",\"status\":" + std::to_string(r.status);
  if (!r.linkText.empty()) line += ",\"link\":" + jsonText(r.linkText);
  if (!r.targetName.empty()) line += ",\"object\":" + jsonText(r.targetName);
  for (const auto& [name, position] : positionsOf(r)) {
    const auto [ra, dec] = numbers(position);
    line += ",\"" + name + "\":{\"ra_hours\":" + ra + ",\"dec_deg\":" + dec + "}";
  }
  if (!r.message.empty()) line += ",\"message\":" + jsonText(r.message);
  return line + "}";
}

std::string plainLine(const std::string& command, const CommandResult& r) {
  std::string line = command + ": " + outcomeName(r.outcome);
  if (!r.linkText.empty()) line += " " + r.linkText;
  if (!r.targetName.empty()) line += " object=" + r.targetName;
  for (const auto& [name, position] : positionsOf(r)) {
    const auto [ra, dec] = numbers(position);
    line += " " + name + "=" + ra + "," + dec;
  }
  if (!r.message.empty()) line += " (" + r.message + ")";
  return line;
}

}  // namespace

ExitCode exitCodeOf(Outcome outcome) {
  switch (outcome) {
    case Outcome::kDone: return kExitDone;
    case Outcome::kNoLink: return kExitNoLink;
    case Outcome::kRefused: return kExitRefused;
    case Outcome::kTimedOut: return kExitTimedOut;
    case Outcome::kInterrupted: return kExitInterrupted;
  }
  return kExitFailed;
}

const char* outcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::kDone: return "done";
    case Outcome::kNoLink: return "no-link";
    case Outcome::kRefused: return "refused";
    case Outcome::kTimedOut: return "timed-out";
    case Outcome::kInterrupted: return "interrupted";
  }
  return "";
}

std::string reportLine(const std::string& command, const CommandResult& result, bool json) {
  return json ? jsonLine(command, result) : plainLine(command, result);
}

}  // namespace celvaro::scope
