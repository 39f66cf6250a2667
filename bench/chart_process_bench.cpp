// The whole celvaro-chart process, started afresh each run (fork and exec,
// as a user's script starts it): 20 runs of each chart, the median wall
// time with its spread and the largest peak resident memory.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 20;

struct Case {
  const char* name;
  std::vector<std::string> args;
};

// One run's wall time in milliseconds and peak resident memory in KB; a
// negative time when the program could not be started or failed.
std::pair<double, long> runOnce(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {-1, 0};
  int status = 0;
  struct rusage usage {};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {-1, 0};
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return {ms, usage.ru_maxrss};
}

void measure(const Case& c) {
  std::vector<double> times;
  long peakKb = 0;
  for (int i = 0; i < kRuns; ++i) {
    const auto [ms, kb] = runOnce(c.args);
    if (ms < 0) {
      std::printf("%-28s failed\n", c.name);
      return;
    }
    times.push_back(ms);
    peakKb = std::max(peakKb, kb);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-28s median %6.1f ms  quartiles %6.1f..%6.1f  range %6.1f..%6.1f  peak %5.1f MB\n", c.name,
              times[kRuns / 2], times[kRuns / 4], times[3 * kRuns / 4], times.front(), times.back(), peakKb / 1024.0);
}

}  // namespace

int main() {
  const std::string program = std::string(CELVARO_RUN_DIR) + "/celvaro-chart";
  const std::filesystem::path out = std::filesystem::temp_directory_path() / ("celvaro-process-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(out);
  // Orion on 2024-01-15 at 21:00 UT from 52.52 N 13.40 E.
  const std::vector<std::string> orion = {program, "--program-dir", CELVARO_RUN_DIR, "--utc", "2024-01-15T21:00",
                                          "--lat", "52.52", "--lon", "13.40", "--ra", "5.6", "--dec", "3"};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = orion;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  };
  const Case cases[] = {
      {"png 30 deg 1200x900", with({"--field", "1800", "--size", "1200x900", "--out", (out / "c.png").string()})},
      {"png 180 deg 1200x900", with({"--field", "10800", "--size", "1200x900", "--out", (out / "c.png").string()})},
      {"pdf A4 60 deg", with({"--field", "3600", "--format", "pdf", "--out", (out / "c.pdf").string()})},
      {"eps A4 60 deg", with({"--field", "3600", "--format", "eps", "--out", (out / "c.eps").string()})},
      {"svg A4 60 deg", with({"--field", "3600", "--format", "svg", "--out", (out / "c.svg").string()})},
  };
  std::printf("%d runs each of %s\n", kRuns, program.c_str());
  for (const Case& c : cases) measure(c);
  std::filesystem::remove_all(out);
  return 0;
}
