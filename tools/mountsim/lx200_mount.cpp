#include "lx200_mount.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace celvaro::mountsim {
namespace {

constexpr char kAck = 0x06;
constexpr std::string_view kRateLetters = "SMCG";
constexpr std::string_view kDirections = "ewns";

double rateOf(char letter) {
  switch (letter) {
    case 'S':
      return 8.0;
    case 'M':
      return 1.5;
    case 'C':
      return 0.067;
    default:
      return 0.0042;
  }
}

// An unsigned whole number at the front of text, which then moves past it.
bool readNumber(std::string_view& text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data() || value < 0) return false;
  text.remove_prefix(end - text.data());
  return true;
}

bool takeSeparator(std::string_view& text, std::string_view separators) {
  if (text.empty() || separators.find(text.front()) == std::string_view::npos) return false;
  text.remove_prefix(1);
  return true;
}

// "[s]A:BB.T" or "[s]A:BB:CC" (':' or '*' after A, ':' or '\'' before CC)
// as A plus the minutes and seconds in fractions of A.
bool readSexagesimal(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const bool negative = !text.empty() && text.front() == '-';
  takeSeparator(text, "+-");
  int whole = 0, minutes = 0, rest = 0;
  if (!readNumber(text, whole) || !takeSeparator(text, ":*\xDF") || !readNumber(text, minutes)) return false;
  double seconds = 0;
  if (takeSeparator(text, ".")) {
    if (!readNumber(text, rest) || rest > 9) return false;
    seconds = rest * 6.0;
  } else if (takeSeparator(text, ":'")) {
    if (!readNumber(text, rest) || rest > 59) return false;
    seconds = rest;
  }
  if (!text.empty() || minutes > 59) return false;
  value = whole + minutes / 60.0 + seconds / 3600.0;
  if (negative) value = -value;
  return true;
}

std::string rightAscensionText(double degrees, bool highPrecision) {
  char text[32];
  if (highPrecision) {
    const long seconds = std::lround(degrees / 15.0 * 3600.0) % 86400;
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld#", seconds / 3600, seconds / 60 % 60, seconds % 60);
  } else {
    const long tenths = std::lround(degrees / 15.0 * 600.0) % 14400;
    std::snprintf(text, sizeof text, "%02ld:%02ld.%ld#", tenths / 600, tenths / 10 % 60, tenths % 10);
  }
  return text;
}

std::string declinationText(double degrees, bool highPrecision) {
  const char sign = degrees < 0 ? '-' : '+';
  char text[32];
  if (highPrecision) {
    const long seconds = std::lround(std::fabs(degrees) * 3600.0);
    std::snprintf(text, sizeof text, "%c%02ld*%02ld'%02ld#", sign, seconds / 3600, seconds / 60 % 60, seconds % 60);
  } else {
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    std::snprintf(text, sizeof text, "%c%02ld*%02ld#", sign, minutes / 60, minutes % 60);
  }
  return text;
}

}  // namespace

Lx200Mount::Lx200Mount(double rightAscensionHours, double declinationDegrees, bool highPrecision)
    : SkyTrackingMount(rightAscensionHours, declinationDegrees),
      targetRightAscension_(rightAscension()),
      targetDeclination_(declination()),
      moveRate_(rateOf('M')),
      highPrecision_(highPrecision) {}

std::vector<std::string> Lx200Mount::takeCommands(std::string_view bytes) {
  std::vector<std::string> commands;
  for (char byte : bytes) {
    if (byte == kAck && !framer_.collecting()) {
      commands.emplace_back(1, kAck);
    } else if (framer_.feed(byte)) {
      commands.push_back(framer_.command());
    }
  }
  return commands;
}

std::string Lx200Mount::answer(const std::string& command) {
  if (command == std::string(1, kAck)) return "P";
  if (command == "GR") return rightAscensionText(rightAscension(), highPrecision_);
  if (command == "GD") return declinationText(declination(), highPrecision_);
  if (command == "U") highPrecision_ = !highPrecision_;
  if (command == "D") return axes_[0].moving() || axes_[1].moving() ? "\x7F#" : "#";
  if (command == "MS") return slew();
  if (command.empty()) return "";
  const char verb = command[0];
  const char detail = command.size() > 1 ? command[1] : 0;
  if (verb == 'S' && (detail == 'r' || detail == 'd')) return setTarget(detail, std::string_view(command).substr(2));
  if (verb == 'R' && command.size() == 2 && kRateLetters.find(detail) != std::string_view::npos) {
    moveRate_ = rateOf(detail);
  }
  if (verb == 'M' || verb == 'Q') return moveOrStop(verb, detail);
  return "";
}

std::string Lx200Mount::slew() {
  if (!aboveHorizon(targetRightAscension_, targetDeclination_)) return "1Object Below Horizon#";
  slewTo(targetRightAscension_, targetDeclination_);
  return "0";
}

std::string Lx200Mount::setTarget(char which, std::string_view text) {
  double value = 0;
  if (!readSexagesimal(text, value)) return "0";
  if (which == 'r') {
    if (value < 0 || value >= 24) return "0";
    targetRightAscension_ = value * 15.0;
  } else {
    if (std::fabs(value) > 90) return "0";
    targetDeclination_ = value;
  }
  return "1";
}

std::string Lx200Mount::moveOrStop(char verb, char direction) {
  const int axis = direction == 'e' || direction == 'w' ? 0 : 1;
  const int sense = direction == 'e' || direction == 'n' ? 1 : -1;
  const bool known = kDirections.find(direction) != std::string_view::npos;
  if (verb == 'M' && known) {
    move(axis, sense, moveRate_);
  } else if (verb == 'Q' && known) {
    axes_[axis].stop();
  } else if (verb == 'Q' && direction == 0) {
    for (SimulatedAxis& each : axes_) each.stop();
  }
  return "";
}

}  // namespace celvaro::mountsim
