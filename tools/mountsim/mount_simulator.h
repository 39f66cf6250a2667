// A simulated telescope mount on a pseudo-terminal. The program opens the
// terminal's slave side as its mount port; a thread answers on the master
// side in the protocol of the chosen mount kind, moving the axes in real or
// scaled time. Faults can be switched on while it runs, and every byte in
// and out can be logged with a monotonic timestamp.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "simulated_mount.h"
#include "sky_tracking_mount.h"

namespace celvaro::mountsim {

enum class MountKind { AltAzimuth, Equatorial, Lx200, NexStar };

// None answers normally; Silent answers nothing; Error answers every command
// with the kind's error reply ('!' code closer); Garbage with junk between
// the kind's reply opener and closer; BadDigits answers normally but with
// every digit of the kind's numbers turned into a character that is none
// (length and separators kept, as noise on the line would); Hangup closes
// the master side, so the program's port reports end of file or an error.
// A hung-up simulator stays down: start a new one.
enum class Fault { None, Silent, Error, Garbage, BadDigits, Hangup };

// Bytes that went in (from the program) or out, stamped with the monotonic
// clock (CLOCK_MONOTONIC) in microseconds right after the read or write.
struct LogRecord {
  int64_t microseconds;
  bool incoming;
  std::string bytes;
};
using LogSink = std::function<void(const LogRecord&)>;

// "<microseconds> in|out <bytes>", control and other bytes as \r, \n, \xHH.
std::string formatLogRecord(const LogRecord& record);

struct MountOptions {
  MountKind kind = MountKind::AltAzimuth;
  // Counts per revolution of the motor-controller kinds; 0 takes the kind's
  // own: 0x1AF100 (1765632) alt-azimuth, 9024000 equatorial.
  std::array<uint32_t, 2> countsPerRevolution{0, 0};
  // Motor-controller kinds: the axis positions at power-up.
  std::array<uint32_t, 2> startPositions{0x800000, 0x800000};
  // LX200 and NexStar: where the mount points at power-up.
  double startRightAscensionHours = 0;
  double startDeclinationDegrees = 0;
  // LX200: the site, whose horizon the mount keeps (a slew below it is
  // refused) by its own clock, set from the system clock at power-up;
  // without one every slew is taken.
  std::optional<Site> site;
  // LX200: whether positions are told in high precision at power-up.
  bool highPrecision = true;
  // Simulated seconds per real second; 0 stops the clock except for advance().
  double timeScale = 1.0;
  LogSink log;
};

class MountSimulator {
 public:
  explicit MountSimulator(MountOptions options);
  ~MountSimulator();
  MountSimulator(const MountSimulator&) = delete;
  MountSimulator& operator=(const MountSimulator&) = delete;

  // Opens the pseudo-terminal (raw, 9600 baud, 8N1) and starts answering;
  // false when it cannot (errno tells why).
  bool start();
  void stop();
  // The device the program opens, e.g. /dev/pts/3.
  const std::string& slavePath() const { return slavePath_; }

  // The fault starts at once, or `afterContactSeconds` after the first byte
  // the program sends (it answers normally till then); a later call
  // replaces it.
  void setFault(Fault fault, double afterContactSeconds = 0);
  Fault fault() const;
  bool hungUp() const { return hungUp_; }

  // The DTR and RTS lines the program set on its port (bit 0 DTR, bit 1
  // RTS), where the kernel reports a pseudo-terminal's modem lines; none
  // where it does not (Linux does not), and the program's own record of
  // the lines it set is what there is to read.
  std::optional<int> controlLines() const;

  // Moves simulated time on, as if that many seconds had passed.
  void advance(double seconds);

 private:
  void run();
  bool waitForInput(bool watchMaster);
  void answer(const std::string& bytes);
  std::string replyTo(const std::string& command);
  std::string garbage(const ReplyForm& form);
  std::string withBadDigits(std::string reply);
  char junkFrom(std::string_view characters);
  Fault faultNow() const;
  int millisecondsToFault() const;
  double simulatedNow() const;
  void writeToMaster(const std::string& bytes);
  void log(bool incoming, const std::string& bytes) const;
  void wake();

  MountOptions options_;
  std::unique_ptr<SimulatedMount> mount_;
  mutable std::mutex mutex_;  // guards mount_, the faults, contact, advanced_, junk_
  Fault fault_ = Fault::None;
  Fault laterFault_ = Fault::None;
  double laterFaultSeconds_ = 0;  // after contact; 0: no later fault
  int64_t contactMicroseconds_ = 0;  // the program's first byte; 0: none yet
  double advanced_ = 0;
  uint32_t junk_ = 1;
  int64_t startMicroseconds_ = 0;
  int master_ = -1;
  int wakeRead_ = -1, wakeWrite_ = -1;
  std::string slavePath_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> hungUp_{false};
  std::thread thread_;
};

}  // namespace celvaro::mountsim
