// The telescope link with the simulated mount on a pseudo-terminal: how
// long a user command takes to reach the serial port (from the call to the
// simulator's receive timestamp), and the processor time the controller's
// threads use while the link is idle; and how long a command to a mount of
// type INDI takes to reach the INDI server's socket.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <sys/resource.h>
#include <time.h>

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "model/clock_listener.h"
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
    if (code == linkEstablishedCode(kMountLx200) || code == linkEstablishedCode(kMountIndi)) linked_ = true;
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

// An INDI server on a loopback port that offers one telescope, connected
// already, and stamps the arrival of every abort request.
class AbortStampingServer {
 public:
  AbortStampingServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(listener_, 1);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~AbortStampingServer() {
    ::shutdown(listener_, SHUT_RDWR);
    if (client_ >= 0) ::shutdown(client_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
    if (client_ >= 0) ::close(client_);
  }
  int port() const { return port_; }
  // The arrival of the next abort request, 0 when none came within a second.
  int64_t nextAbort() {
    std::unique_lock lock(mutex_);
    const int seen = aborts_;
    arrived_.wait_for(lock, 1s, [&] { return aborts_ != seen; });
    return aborts_ != seen ? arrival_ : 0;
  }

 private:
  static constexpr const char* kDefinitions =
      "<defSwitchVector device='Bench' name='CONNECTION' state='Ok' perm='rw' rule='OneOfMany'>"
      "<defSwitch name='CONNECT'>On</defSwitch><defSwitch name='DISCONNECT'>Off</defSwitch></defSwitchVector>\n"
      "<defSwitchVector device='Bench' name='TELESCOPE_ABORT_MOTION' state='Idle' perm='rw' rule='AtMostOne'>"
      "<defSwitch name='ABORT'>Off</defSwitch></defSwitchVector>\n"
      "<defNumberVector device='Bench' name='EQUATORIAL_EOD_COORD' state='Idle' perm='rw'>"
      "<defNumber name='RA' format='%f' min='0' max='24' step='0'>1</defNumber>"
      "<defNumber name='DEC' format='%f' min='-90' max='90' step='0'>2</defNumber></defNumberVector>\n";
  static constexpr const char* kConnected =
      "<setSwitchVector device='Bench' name='CONNECTION' state='Ok'><oneSwitch name='CONNECT'>On</oneSwitch>"
      "<oneSwitch name='DISCONNECT'>Off</oneSwitch></setSwitchVector>\n"
      "<setNumberVector device='Bench' name='EQUATORIAL_EOD_COORD' state='Idle'><oneNumber name='RA'>1</oneNumber>"
      "<oneNumber name='DEC'>2</oneNumber></setNumberVector>\n";

  void serve() {
    client_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    std::string heard;
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(client_, buffer, sizeof buffer);
      if (n <= 0) return;
      const int64_t now = monotonicMicroseconds();
      heard.append(buffer, static_cast<size_t>(n));
      answer(heard, now);
    }
  }
  // The client's XML need not end its elements with a line end: what it
  // said so far is searched for each request's name.
  void answer(const std::string& heard, int64_t now) {
    if (!defined_ && heard.find("<getProperties") != std::string::npos) {
      defined_ = true;
      say(kDefinitions), say(kConnected);
    }
    int aborts = 0;
    for (size_t at = 0; (at = heard.find("TELESCOPE_ABORT_MOTION", at)) != std::string::npos; ++at) ++aborts;
    std::lock_guard lock(mutex_);
    if (aborts == aborts_) return;
    arrival_ = now, aborts_ = aborts;
    arrived_.notify_all();
  }
  // A message the client must get whole, or the figures mean nothing.
  void say(const char* xml) {
    if (::write(client_, xml, std::strlen(xml)) != static_cast<ssize_t>(std::strlen(xml))) std::abort();
  }

  int listener_ = -1, client_ = -1, port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  int64_t arrival_ = 0;
  int aborts_ = 0;
  bool defined_ = false;
};

// From the call to the server's read of the request: the pipe, the command
// thread and the client library's socket.
void BM_IndiCommandToServer(benchmark::State& state) {
  AbortStampingServer server;
  QuietListener listener;
  StillClock clock;
  TelescopeControl controller{listener, clock, std::filesystem::temp_directory_path().string()};
  controller.start({kMountIndi, 1, 0, {"127.0.0.1", server.port(), "Bench"}});
  controller.connect(kMountIndi, 1);
  if (!listener.waitLinked()) {
    state.SkipWithError("no INDI link");
    return;
  }
  for (auto _ : state) {
    const int64_t sent = monotonicMicroseconds();
    controller.stopMove(4);  // TELESCOPE_ABORT_MOTION
    const int64_t arrival = server.nextAbort();
    state.SetIterationTime(static_cast<double>(arrival - sent) / 1e6);
  }
}
BENCHMARK(BM_IndiCommandToServer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

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
