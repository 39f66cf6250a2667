// celvaro-mountsim: a simulated telescope mount on a pseudo-terminal, for
// trying the telescope panels without hardware. Prints the terminal's path,
// optionally links a program port to it, and takes "fault NAME" and "quit"
// on standard input until interrupted.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/program_info.h"
#include "mount_simulator.h"

namespace {

namespace fs = std::filesystem;
using celvaro::mountsim::Fault;
using celvaro::mountsim::MountKind;
using celvaro::mountsim::MountSimulator;

constexpr char kUsage[] =
    "usage: celvaro-mountsim [--type altaz|equatorial|lx200|nexstar] [--counts N] [--speed FACTOR]\n"
    "                        [--site LATITUDE,LONGITUDE] [--link DIR/ports/COM<n>] [--log FILE|stderr]\n"
    "                        [--fault none|silent|error|garbage|bad-digits|hangup] [--fault-after SECONDS]\n"
    "--site (lx200): degrees, east positive; slews below its horizon are refused\n"
    "--fault-after: the fault starts that long after the program's first byte\n"
    "               (\"--fault silent --fault-after 3\": a mount that answers, then falls silent)\n"
    "standard input: \"fault NAME\" switches the fault at once, \"quit\" ends\n"
    "--help, --version: this text; the program's version\n";

struct Arguments {
  celvaro::mountsim::MountOptions mount;
  Fault fault = Fault::None;
  double faultAfterSeconds = 0;
  std::string link;
  std::string logPath;
};

template <typename Value, size_t count>
bool lookUp(const std::pair<const char*, Value> (&table)[count], const std::string& text, Value& value) {
  for (const auto& [name, each] : table) {
    if (text != name) continue;
    value = each;
    return true;
  }
  return false;
}

constexpr std::pair<const char*, MountKind> kKinds[] = {{"altaz", MountKind::AltAzimuth},
                                                        {"equatorial", MountKind::Equatorial},
                                                        {"lx200", MountKind::Lx200},
                                                        {"nexstar", MountKind::NexStar}};
constexpr std::pair<const char*, Fault> kFaults[] = {{"none", Fault::None},
                                                     {"silent", Fault::Silent},
                                                     {"error", Fault::Error},
                                                     {"garbage", Fault::Garbage},
                                                     {"bad-digits", Fault::BadDigits},
                                                     {"hangup", Fault::Hangup}};

bool parseCounts(const std::string& text, uint32_t& counts) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != 0 || value == 0 || value > 0xFFFFFF) return false;
  counts = static_cast<uint32_t>(value);
  return true;
}

// A number taking the whole text; false when none or when below `least`.
bool parseNumber(const std::string& text, double least, double& number) {
  char* end = nullptr;
  number = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0 && number >= least;
}

// "LATITUDE,LONGITUDE" in degrees.
bool parseSite(const std::string& text, std::optional<celvaro::mountsim::Site>& site) {
  const size_t comma = text.find(',');
  double latitude = 0, longitude = 0;
  if (comma == std::string::npos || !parseNumber(text.substr(0, comma), -90, latitude) ||
      !parseNumber(text.substr(comma + 1), -180, longitude) || latitude > 90 || longitude > 180) {
    return false;
  }
  site = celvaro::mountsim::Site{latitude, longitude};
  return true;
}

// One option and its value; false when either is bad.
bool parseOption(const std::string& option, const std::string& value, Arguments& arguments) {
  celvaro::mountsim::MountOptions& mount = arguments.mount;
  if (option == "--type") return lookUp(kKinds, value, mount.kind);
  if (option == "--fault") return lookUp(kFaults, value, arguments.fault);
  if (option == "--speed") return parseNumber(value, 0, mount.timeScale) && mount.timeScale > 0;
  if (option == "--fault-after") return parseNumber(value, 0, arguments.faultAfterSeconds);
  if (option == "--site") return parseSite(value, mount.site);
  if (option == "--counts" && parseCounts(value, mount.countsPerRevolution[0])) {
    mount.countsPerRevolution[1] = mount.countsPerRevolution[0];
    return true;
  }
  if (option == "--link") arguments.link = value;
  if (option == "--log") arguments.logPath = value;
  return (option == "--link" || option == "--log") && !value.empty();
}

bool parseArguments(int argc, char** argv, Arguments& arguments) {
  for (int i = 1; i < argc; i += 2) {
    const std::string option = argv[i];
    if (i + 1 >= argc || !parseOption(option, argv[i + 1], arguments)) {
      std::fprintf(stderr, "celvaro-mountsim: bad option or value: %s\n", option.c_str());
      return false;
    }
  }
  return true;
}

// Points the link at the terminal, replacing an earlier link; any other file
// there is left alone.
bool pointLink(const std::string& link, const std::string& target) {
  std::error_code error;
  const fs::path path(link);
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
  if (fs::exists(fs::symlink_status(path, error)) && !fs::is_symlink(fs::symlink_status(path, error))) {
    std::fprintf(stderr, "celvaro-mountsim: %s exists and is not a link; left alone\n", link.c_str());
    return false;
  }
  fs::remove(path, error);
  fs::create_symlink(target, path, error);
  if (error) std::fprintf(stderr, "celvaro-mountsim: cannot link %s: %s\n", link.c_str(), error.message().c_str());
  return !error;
}

void removeLink(const std::string& link, const std::string& target) {
  std::error_code error;
  if (!link.empty() && fs::is_symlink(link, error) && fs::read_symlink(link, error) == target) fs::remove(link, error);
}

std::unique_ptr<MountSimulator> startSimulator(const Arguments& arguments) {
  auto simulator = std::make_unique<MountSimulator>(arguments.mount);
  if (!simulator->start()) {
    std::fprintf(stderr, "celvaro-mountsim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
    return nullptr;
  }
  simulator->setFault(arguments.fault, arguments.faultAfterSeconds);
  std::printf("%s\n", simulator->slavePath().c_str());
  std::fflush(stdout);
  if (!arguments.link.empty() && !pointLink(arguments.link, simulator->slavePath())) return nullptr;
  return simulator;
}

int signalPipe[2] = {-1, -1};

void onSignal(int) { [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], "s", 1); }

bool catchSignals() {
  if (::pipe(signalPipe) != 0) return false;
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

// Runs one line of standard input; false for "quit". A fault other than
// hang-up after a hang-up powers a fresh mount up on a new terminal.
bool runCommand(const std::string& line, Arguments& arguments, std::unique_ptr<MountSimulator>& simulator) {
  if (line == "quit") return false;
  Fault fault = Fault::None;
  if (line.rfind("fault ", 0) != 0 || !lookUp(kFaults, line.substr(6), fault)) {
    std::fprintf(stderr, "commands: fault none|silent|error|garbage|bad-digits|hangup, quit\n");
    return true;
  }
  arguments.fault = fault;
  arguments.faultAfterSeconds = 0;
  if (simulator->hungUp() && fault != Fault::Hangup) {
    const std::string oldPath = simulator->slavePath();
    simulator.reset();
    removeLink(arguments.link, oldPath);
    simulator = startSimulator(arguments);
    return simulator != nullptr;
  }
  simulator->setFault(fault);
  return true;
}

// Until a signal, "quit" or a failed restart.
void serve(Arguments& arguments, std::unique_ptr<MountSimulator>& simulator) {
  std::string input;
  bool readInput = true;
  while (true) {
    pollfd fds[2] = {{signalPipe[0], POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    if (::poll(fds, readInput ? 2 : 1, -1) < 0 && errno != EINTR) return;
    if (fds[0].revents & POLLIN) return;
    if (!readInput || fds[1].revents == 0) continue;
    char bytes[256];
    const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
    readInput = count > 0;
    input.append(bytes, count > 0 ? static_cast<size_t>(count) : 0);
    for (size_t end; (end = input.find('\n')) != std::string::npos; input.erase(0, end + 1)) {
      if (!runCommand(input.substr(0, end), arguments, simulator)) return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto answered = celvaro::answerHelpOrVersion(args, "celvaro-mountsim", kUsage)) return *answered;
  Arguments arguments;
  if (!parseArguments(argc, argv, arguments)) return 2;
  FILE* logFile = arguments.logPath == "stderr" ? stderr : nullptr;
  if (!arguments.logPath.empty() && logFile == nullptr) logFile = std::fopen(arguments.logPath.c_str(), "w");
  if (!arguments.logPath.empty() && logFile == nullptr) {
    std::fprintf(stderr, "celvaro-mountsim: cannot write %s\n", arguments.logPath.c_str());
    return 1;
  }
  if (logFile != nullptr) {
    arguments.mount.log = [logFile](const celvaro::mountsim::LogRecord& record) {
      std::fprintf(logFile, "%s\n", celvaro::mountsim::formatLogRecord(record).c_str());
      std::fflush(logFile);
    };
  }
  if (!catchSignals()) return 1;
  std::unique_ptr<MountSimulator> simulator = startSimulator(arguments);
  if (simulator == nullptr) return 1;
  serve(arguments, simulator);
  if (simulator != nullptr) removeLink(arguments.link, simulator->slavePath());
  return 0;
}
