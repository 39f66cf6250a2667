// The telescope link with the simulated mount on a pseudo-terminal: how
// long a user command takes to reach the serial port (from the call to the
// simulator's receive timestamp), and the processor time the controller's
// threads use while the link is idle.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/clock_listener.h"
#include "mount_simulator.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_control.h"
#include "telescope/telescope_listener.h"

namespace {

using namespace celvaro;
using namespace std::chrono_literals;

int64_t monotonicMicroseconds() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t{t.tv_sec} * 1000000 + t.tv_nsec / 1000;
}

class QuietListener : public TelescopeListener {
 public:
  void onLinkStatus(int code) override {
    std::lock_guard lock(mutex_);
    if (code == linkEstablishedCode(kMountLx200)) linked_ = true;
    changed_.notify_all();
  }
  void onMountPosition(double, double, int32_t, int32_t) override {}
  void onSpiralSearchOffset(int, int) override {}
  void onDslrSeriesStatus(int, int, int, int) override {}
  void onGuiderPortStatus(int) override {}
  void onGuiderMovement(int32_t) override {}
  void onMountMessage(const std::string&) override {}
  bool waitLinked() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 5s, [this] { return linked_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool linked_ = false;
};

class StillClock : public iSiderealTime {
 public:
  double julianDate() const override { return 2451545.0; }
  double greenwichSiderealHours() const override { return 0; }
  double localSiderealHours() const override { return 0; }
};

// An LX200 simulator linked as port 1 of a scratch program directory, and
// a controller connected to it.
struct Link {
  Link() {
    std::filesystem::create_directories(dir / "ports");
    mountsim::MountOptions options;
    options.kind = mountsim::MountKind::Lx200;
    options.log = [this](const mountsim::LogRecord& r) {
      if (!r.incoming) return;
      std::lock_guard lock(mutex);
      arrival = r.microseconds;
      arrived.notify_all();
    };
    simulator = std::make_unique<mountsim::MountSimulator>(options);
    simulator->start();
    std::filesystem::remove(dir / "ports" / "COM1");
    std::filesystem::create_symlink(simulator->slavePath(), dir / "ports" / "COM1");
    controller.start({});
    controller.connect(kMountLx200, 1);
    controller.heartBeat();
    listener.waitLinked();
  }
  ~Link() { std::filesystem::remove_all(dir); }

  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "celvaro-bench-telescope";
  QuietListener listener;
  StillClock clock;
  TelescopeControl controller{listener, clock, dir.string()};
  std::unique_ptr<mountsim::MountSimulator> simulator;
  std::mutex mutex;
  std::condition_variable arrived;
  int64_t arrival = 0;
};

void BM_CommandToSerialPort(benchmark::State& state) {
  Link link;
  for (auto _ : state) {
    std::unique_lock lock(link.mutex);
    link.arrival = 0;
    const int64_t sent = monotonicMicroseconds();
    lock.unlock();
    link.controller.stopMove(4);  // ":Q#" on the wire
    lock.lock();
    link.arrived.wait_for(lock, 1s, [&] { return link.arrival != 0; });
    state.SetIterationTime(static_cast<double>(link.arrival - sent) / 1e6);
  }
}
BENCHMARK(BM_CommandToSerialPort)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// Processor time of the whole process over two idle seconds with the link
// up: the command thread and the port reader wait in poll().
void BM_IdleProcessorTime(benchmark::State& state) {
  Link link;
  for (auto _ : state) {
    rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    std::this_thread::sleep_for(2s);
    getrusage(RUSAGE_SELF, &after);
    const auto microseconds = [](const timeval& t) { return int64_t{t.tv_sec} * 1000000 + t.tv_usec; };
    const int64_t used = microseconds(after.ru_utime) + microseconds(after.ru_stime) -
                         microseconds(before.ru_utime) - microseconds(before.ru_stime);
    state.counters["cpu_us_per_idle_second"] = static_cast<double>(used) / 2;
  }
}
BENCHMARK(BM_IdleProcessorTime)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
