#include "mount_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "lx200_mount.h"
#include "motor_controller_mount.h"
#include "nexstar_mount.h"

namespace celvaro::mountsim {
namespace {

// How often to look again for a program while none has the slave side open.
constexpr int kNoClientWaitMs = 20;
// How long a reply may wait for room on a program that does not read.
constexpr int kWriteWaitMs = 100;
constexpr size_t kReadChunk = 256;
constexpr size_t kGarbageLength = 5;
constexpr char kJunk[] = "?%Z@~x/&";
// Neither a digit of any kind nor a character that frames a reply.
constexpr char kBadDigits[] = "GZ%@~xQK";

int64_t monotonicMicroseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Raw 9600 baud 8N1 without flow control, as the program sets its port; on a
// pseudo-terminal the master's settings are the slave's.
bool setRaw(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B9600);
  ::cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool makeNonBlockingAndPrivate(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 && ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

void closeDescriptor(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

uint32_t defaultCountsPerRevolution(MountKind kind) {
  switch (kind) {
    case MountKind::AltAzimuth:
      return 0x1AF100;
    case MountKind::Equatorial:
      return 9024000;
    default:
      return 0;
  }
}

// Greenwich mean sidereal time now, in hours: 18.697374558 h at
// JD 2451545.0, gaining 24.06570982441908 h a day.
double greenwichSiderealHoursNow() {
  const double seconds = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
  const double daysSince2000 = seconds / 86400.0 + 2440587.5 - 2451545.0;
  const double hours = std::fmod(18.697374558 + 24.06570982441908 * daysSince2000, 24.0);
  return hours < 0 ? hours + 24.0 : hours;
}

std::unique_ptr<SimulatedMount> makeSimulatedMount(const MountOptions& options) {
  switch (options.kind) {
    case MountKind::Lx200: {
      auto mount = std::make_unique<Lx200Mount>(options.startRightAscensionHours, options.startDeclinationDegrees,
                                                options.highPrecision);
      if (options.site) mount->setSite(*options.site, greenwichSiderealHoursNow());
      return mount;
    }
    case MountKind::NexStar:
      return std::make_unique<NexStarMount>(options.startRightAscensionHours, options.startDeclinationDegrees);
    default: {
      std::array<uint32_t, 2> counts = options.countsPerRevolution;
      for (uint32_t& each : counts) {
        if (each == 0) each = defaultCountsPerRevolution(options.kind);
      }
      return std::make_unique<MotorControllerMount>(options.kind == MountKind::Equatorial, counts,
                                                    options.startPositions);
    }
  }
}

}  // namespace

std::string formatLogRecord(const LogRecord& record) {
  std::string line = std::to_string(record.microseconds) + (record.incoming ? " in  " : " out ");
  for (unsigned char byte : record.bytes) {
    if (byte == '\r') {
      line += "\\r";
    } else if (byte == '\n') {
      line += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F || byte == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      line += escaped;
    } else {
      line += static_cast<char>(byte);
    }
  }
  return line;
}

MountSimulator::MountSimulator(MountOptions options)
    : options_(std::move(options)), mount_(makeSimulatedMount(options_)) {}

MountSimulator::~MountSimulator() { stop(); }

bool MountSimulator::start() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  const char* name = master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0 ? ::ptsname(master_) : nullptr;
  int wakePipe[2] = {-1, -1};
  if (name == nullptr || !setRaw(master_) || !makeNonBlockingAndPrivate(master_) || ::pipe(wakePipe) != 0) {
    const int error = errno;
    closeDescriptor(master_);
    errno = error;
    return false;
  }
  slavePath_ = name;
  wakeRead_ = wakePipe[0];
  wakeWrite_ = wakePipe[1];
  makeNonBlockingAndPrivate(wakeRead_);
  makeNonBlockingAndPrivate(wakeWrite_);
  startMicroseconds_ = monotonicMicroseconds();
  thread_ = std::thread(&MountSimulator::run, this);
  return true;
}

void MountSimulator::stop() {
  if (thread_.joinable()) {
    stopping_ = true;
    wake();
    thread_.join();
  }
  closeDescriptor(master_);
  closeDescriptor(wakeRead_);
  closeDescriptor(wakeWrite_);
}

void MountSimulator::setFault(Fault fault, double afterContactSeconds) {
  {
    std::lock_guard lock(mutex_);
    if (afterContactSeconds > 0) {
      laterFault_ = fault;
      laterFaultSeconds_ = afterContactSeconds;
    } else {
      fault_ = fault;
      laterFaultSeconds_ = 0;
    }
  }
  wake();
}

Fault MountSimulator::fault() const {
  std::lock_guard lock(mutex_);
  return faultNow();
}

// With the lock held.
Fault MountSimulator::faultNow() const {
  return laterFaultSeconds_ > 0 && contactMicroseconds_ > 0 && millisecondsToFault() < 0 ? laterFault_ : fault_;
}

// With the lock held: how long until the later fault starts, -1 when it has
// started or there is none to wait for.
int MountSimulator::millisecondsToFault() const {
  if (laterFaultSeconds_ <= 0 || contactMicroseconds_ == 0) return -1;
  const int64_t left = contactMicroseconds_ + int64_t(laterFaultSeconds_ * 1e6) - monotonicMicroseconds();
  return left > 0 ? static_cast<int>(left / 1000) + 1 : -1;
}

std::optional<int> MountSimulator::controlLines() const {
  int bits = 0;
  if (master_ < 0 || ::ioctl(master_, TIOCMGET, &bits) != 0) return std::nullopt;
  return ((bits & TIOCM_DTR) ? 1 : 0) | ((bits & TIOCM_RTS) ? 2 : 0);
}

void MountSimulator::advance(double seconds) {
  std::lock_guard lock(mutex_);
  advanced_ += seconds;
}

void MountSimulator::run() {
  bool programThere = true;
  while (!stopping_) {
    if (fault() == Fault::Hangup) {
      hungUp_ = true;
      closeDescriptor(master_);
      return;
    }
    programThere = waitForInput(programThere);
  }
}

// Waits for bytes from the program, a wake-up, or (while no program has the
// slave side open, when the master only reports a hang-up) a short while.
// Answers what arrived; false when no program is there.
bool MountSimulator::waitForInput(bool watchMaster) {
  pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {master_, POLLIN, 0}};
  int timeoutMs = watchMaster ? -1 : kNoClientWaitMs;
  {
    std::lock_guard lock(mutex_);
    const int toFault = millisecondsToFault();  // a hang-up to come wakes the loop
    if (toFault >= 0 && (timeoutMs < 0 || toFault < timeoutMs)) timeoutMs = toFault;
  }
  if (::poll(fds, watchMaster ? 2 : 1, timeoutMs) <= 0) return true;
  char bytes[kReadChunk];
  if (fds[0].revents & POLLIN) {
    while (::read(wakeRead_, bytes, sizeof bytes) > 0) {
    }
  }
  if (fds[1].revents == 0) return true;
  const ssize_t count = ::read(master_, bytes, sizeof bytes);
  if (count > 0) answer(std::string(bytes, static_cast<size_t>(count)));
  return count > 0 || errno == EAGAIN || errno == EINTR;
}

void MountSimulator::answer(const std::string& bytes) {
  log(true, bytes);
  std::string replies;
  {
    std::lock_guard lock(mutex_);
    if (contactMicroseconds_ == 0) contactMicroseconds_ = monotonicMicroseconds();
    for (const std::string& command : mount_->takeCommands(bytes)) replies += replyTo(command);
  }
  if (!replies.empty()) writeToMaster(replies);
}

// With the lock held.
std::string MountSimulator::replyTo(const std::string& command) {
  const ReplyForm form = mount_->replyForm();
  switch (faultNow()) {
    case Fault::None:
      return mount_->reply(command, simulatedNow());
    case Fault::BadDigits:
      return withBadDigits(mount_->reply(command, simulatedNow()));
    case Fault::Error:
      return "!" + std::string(form.errorCode) + form.closer;
    case Fault::Garbage:
      return garbage(form);
    default:
      return "";
  }
}

// With the lock held.
std::string MountSimulator::garbage(const ReplyForm& form) {
  std::string bytes(form.opener);
  for (size_t i = 0; i < kGarbageLength; ++i) bytes += junkFrom(kJunk);
  return bytes + form.closer;
}

// With the lock held.
std::string MountSimulator::withBadDigits(std::string reply) {
  const std::string_view digits = mount_->digits();
  for (char& c : reply) {
    if (digits.find(c) != std::string_view::npos) c = junkFrom(kBadDigits);
  }
  return reply;
}

// With the lock held: one of the characters, picked by a fixed sequence.
char MountSimulator::junkFrom(std::string_view characters) {
  junk_ = junk_ * 1103515245 + 12345;
  return characters[(junk_ >> 16) % characters.size()];
}

// With the lock held.
double MountSimulator::simulatedNow() const {
  return options_.timeScale * (monotonicMicroseconds() - startMicroseconds_) / 1e6 + advanced_;
}

void MountSimulator::writeToMaster(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (count > 0) {
      done += static_cast<size_t>(count);
      continue;
    }
    if (count < 0 && errno != EAGAIN && errno != EINTR) break;
    pollfd room{master_, POLLOUT, 0};
    if (::poll(&room, 1, kWriteWaitMs) <= 0) break;
  }
  log(false, bytes.substr(0, done));
}

void MountSimulator::log(bool incoming, const std::string& bytes) const {
  if (options_.log && !bytes.empty()) options_.log(LogRecord{monotonicMicroseconds(), incoming, bytes});
}

void MountSimulator::wake() {
  if (wakeWrite_ < 0) return;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, "w", 1);
}

}  // namespace celvaro::mountsim
