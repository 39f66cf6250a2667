// A mount protocol on the test bench: the bytes it sends as one string, what
// it reports, and a sidereal clock that stands still unless a test moves it.
#pragma once

#include <array>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "astro/apparent_place.h"
#include "model/clock_listener.h"
#include "telescope/basic_command_sender.h"
#include "telescope/mount_protocol.h"
#include "telescope/telescope_listener.h"

namespace celvaro::testing {

class RecordingSender : public iTelescopeBasicCommandSender {
 public:
  void setControlLines(int state) override { controlLines.push_back(state); }
  void sendText(const char* text) override { wire.append(text, strnlen(text, 30)); }
  void sendByte(uint8_t byte) override { wire += static_cast<char>(byte); }
  void sendBytes(const uint8_t* bytes, int count) override { wire.append(reinterpret_cast<const char*>(bytes), count); }
  void sendMotorCommand(char c1, char c2, char c3, char c4) override { wire += motorCommandBytes(c1, c2, c3, c4); }
  void sendMotorValue(int axis, char command, uint32_t value) override {
    wire += motorValueBytes(axis, command, value);
  }

  std::string wire;
  std::vector<int> controlLines;
};

class RecordingListener : public TelescopeListener {
 public:
  struct Position { double ra, dec; int32_t rawA, rawB; };

  void onLinkStatus(int code) override { statuses.push_back(code); }
  void onMountPosition(double ra, double dec, int32_t rawA, int32_t rawB) override {
    positions.push_back({ra, dec, rawA, rawB});
  }
  void onSpiralSearchOffset(int x, int y) override { offsets.push_back({x, y}); }
  void onDslrSeriesStatus(int state, int frames, int exposure, int pause) override {
    series.push_back({state, frames, exposure, pause});
  }
  void onGuiderPortStatus(int) override {}
  void onGuiderMovement(int32_t) override {}
  void onMountMessage(const std::string&) override {}

  std::vector<int> statuses;
  std::vector<Position> positions;
  std::vector<std::pair<int, int>> offsets;
  std::vector<std::array<int, 4>> series;
};

class FixedSiderealTime : public iSiderealTime {
 public:
  double julianDate() const override { return date; }
  double greenwichSiderealHours() const override { return hours; }
  // The tests' place is on the Greenwich meridian.
  double localSiderealHours() const override { return hours; }
  double hours = 5.0;
  double date = 2451545.0;
};

// The protocols send and read places of the date; the bench's clock stands
// at J2000.0, where these differ from J2000 places by nutation and
// aberration. The J2000 place the chart hands over for a place in the
// mount's frame, and the mount's place of a J2000 one.
inline EquatorialPosition chartPlaceOf(double raRad, double decRad) {
  return ApparentPlace(FixedSiderealTime().date).j2000Of(raRad, decRad);
}
inline EquatorialPosition mountPlaceOf(double raRad, double decRad) {
  return ApparentPlace(FixedSiderealTime().date).apparentOf(raRad, decRad);
}

// A motor controller's plain acknowledgement, and its reply carrying a
// 24-bit value (low byte first, as it is sent).
inline const std::string kOk = "=\r";
inline std::string valueReply(uint32_t value) { return "=" + motorValueBytes(1, 'x', value).substr(3); }

struct ProtocolBench {
  explicit ProtocolBench(int mountType, int eastWestSwapPosition = 0,
                         std::function<ProtocolContext::SteadyTime()> now = std::chrono::steady_clock::now)
      : protocol(createMountProtocol(mountType, {sender, listener, clock, std::move(now)}, eastWestSwapPosition)) {}

  int receive(std::string_view bytes) {
    return protocol->receive(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
  }
  int command(std::initializer_list<uint8_t> payload, const SharedTelescopeValues& shared = {}) {
    return protocol->command(payload.begin(), static_cast<int>(payload.size()), shared);
  }
  // Links an alt-azimuth motor controller up, its handshake answered with
  // these counts per revolution, and forgets what that sent and reported.
  void linkUpAltAz(uint32_t axis1Counts, uint32_t axis2Counts) {
    protocol->connect();
    for (const std::string& reply : {kOk, kOk, valueReply(axis1Counts), kOk, valueReply(axis2Counts), kOk}) {
      receive(reply);
    }
    sent();
    reported();
  }
  // The bytes sent since the last call.
  std::string sent() { return std::exchange(sender.wire, {}); }
  // The bytes sent since the last call, then those each reply in turn drew,
  // joined by '|': a whole exchange, step by step, in one string.
  std::string dialog(std::initializer_list<std::string_view> replies) {
    std::string wire = sent();
    for (std::string_view reply : replies) {
      receive(reply);
      wire += "|" + sent();
    }
    return wire;
  }
  // The heartbeat on which the protocol closes the port, each one before it
  // keeping the link; 0 when none of `most` closes it, -n when beat n did
  // something else.
  int beatsToClose(int most = 30) {
    for (int beat = 1; beat <= most; ++beat) {
      const int result = protocol->tick();
      if (result != kKeepLink) return result == kClosePort ? beat : -beat;
    }
    return 0;
  }
  // The statuses reported since the last call.
  std::vector<int> reported() { return std::exchange(listener.statuses, {}); }

  RecordingSender sender;
  RecordingListener listener;
  FixedSiderealTime clock;
  std::unique_ptr<iMountProtocol> protocol;
};

}  // namespace celvaro::testing
