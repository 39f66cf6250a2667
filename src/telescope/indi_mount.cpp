#include "telescope/indi_mount.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <numbers>

#include "astro/zone_time.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr int kServerTimeoutSeconds = 3;
constexpr int kConnectHeartbeats = 10;
constexpr int kStateOk = 1, kStateBusy = 2, kStateAlert = 3;
constexpr double kHoursPerRad = 12 / std::numbers::pi;
constexpr double kDegPerRad = 180 / std::numbers::pi;
// A goto that ends further than this from its target (some drivers aim at
// the hour angle the target had when the slew began) is sent once more.
constexpr double kArrivalToleranceDeg = 1 / 60.0;
// A slew the device has not ended after this many heartbeats is given up.
constexpr int kSlewHeartbeats = 300;
// A held guide move is sent at each heartbeat; a longer pulse than this
// (the program stood still) is cut to it.
constexpr long long kLongestPulseMs = 2000;

double degreesApart(double raHours1, double decDeg1, double raHours2, double decDeg2) {
  const double d1 = decDeg1 / kDegPerRad, d2 = decDeg2 / kDegPerRad;
  const double c = std::sin(d1) * std::sin(d2) +
                   std::cos(d1) * std::cos(d2) * std::cos((raHours1 - raHours2) / kHoursPerRad);
  return std::acos(std::clamp(c, -1.0, 1.0)) * kDegPerRad;
}

// The motion properties and their members by axis (0 north-south, 1
// west-east) and direction on it.
constexpr const char* kMotion[2] = {"TELESCOPE_MOTION_NS", "TELESCOPE_MOTION_WE"};
constexpr const char* kMotionMembers[2][2] = {{"MOTION_NORTH", "MOTION_SOUTH"}, {"MOTION_WEST", "MOTION_EAST"}};
constexpr const char* kGuide[2] = {"TELESCOPE_TIMED_GUIDE_NS", "TELESCOPE_TIMED_GUIDE_WE"};
constexpr const char* kGuideMembers[2][2] = {{"TIMED_GUIDE_N", "TIMED_GUIDE_S"}, {"TIMED_GUIDE_W", "TIMED_GUIDE_E"}};

// Panel directions 0..3 are north, south, east, west; guide directions
// north, south, west, east. Both as (axis, direction on it).
struct AxisMove {
  int axis, direction;
};
constexpr AxisMove kPanelMoves[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
constexpr AxisMove kGuideMoves[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};

// 360 degrees in a sidereal day of 86164.1 s.
constexpr double kSiderealArcsecPerSecond = 360.0 * 3600 / 86164.1;
constexpr int kHighestRateIndex = 5;
// The panel's rate indexes 0..5 in multiples of the sidereal rate: slow
// moves as the equatorial motor-controller mount's (0.5x to 64x), fast
// moves 330x to 990x (1.4 to 4.1 degrees a second); and the spiral's speed
// indexes as that mount's spiral legs (its sidereal period 620 over its
// leg periods 60, 45, 30, 18, 10 and 7).
constexpr double kSlowMultiples[6] = {0.5, 1, 8, 16, 32, 64};
constexpr double kFastMultiples[6] = {330, 410, 500, 620, 830, 990};
constexpr double kSpiralMultiples[6] = {10, 14, 21, 34, 62, 89};
// Timed legs use no motor-controller command: the form only carries them.
constexpr SpiralForm kTimedLegs = {'0', '0', 1, {}};

// The multiple of the sidereal rate a rate's label gives ("16x", "0.5 X"),
// or 0.
double labelMultiple(const std::string& label) {
  char* end = nullptr;
  const double multiple = std::strtod(label.c_str(), &end);
  if (end == label.c_str() || !std::isfinite(multiple) || multiple <= 0) return 0;
  while (*end == ' ') ++end;
  return (*end == 'x' || *end == 'X') && end[1] == '\0' ? multiple : 0;
}

struct SlewRate {
  std::string name;
  double multiple;
};

// The entry of `multiples` nearest `wanted`, by ratio.
size_t nearestMultiple(const std::vector<double>& multiples, double wanted) {
  size_t best = 0;
  for (size_t i = 1; i < multiples.size(); ++i) {
    if (std::abs(std::log(multiples[i] / wanted)) < std::abs(std::log(multiples[best] / wanted))) best = i;
  }
  return best;
}

// Where every label gives a multiple, the rate nearest the one asked for.
// Otherwise the rates go in order from the slowest to the fastest, as INDI
// orders them: slow moves take the slower half, fast moves the faster half,
// spread by the index.
SlewRate nearestRate(const std::vector<IndiMember>& rates, double multiple, bool fast, int index) {
  std::vector<double> given;
  for (const IndiMember& rate : rates) {
    if (const double m = labelMultiple(rate.label); m > 0) given.push_back(m);
  }
  if (!rates.empty() && given.size() == rates.size()) {
    const size_t best = nearestMultiple(given, multiple);
    return {rates[best].name, given[best]};
  }
  const int n = static_cast<int>(rates.size());
  if (n == 0) return {"", multiple};
  const int first = fast ? std::min(n / 2, n - 1) : 0;
  const int count = fast ? n - first : std::max(n / 2, 1);
  const int chosen = first + static_cast<int>(std::lround(index * (count - 1) / double(kHighestRateIndex)));
  return {rates[static_cast<size_t>(chosen)].name, multiple};
}

int rateIndex(int index) { return std::clamp(index, 0, kHighestRateIndex); }

// INDI's time: "YYYY-MM-DDTHH:MM:SS" in UTC, and the offset in hours.
std::string utcText(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  return text;
}

std::string offsetText(double hours) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", hours);
  return text;
}

}  // namespace

IndiMount::IndiMount(const ProtocolContext& context, std::function<void()> wake)
    : MountProtocolBase(context), client_(std::move(wake)) {}

int IndiMount::connect() {
  linkUp_ = connected_ = havePosition_ = slewing_ = parked_ = parking_ = spiralRunning_ = false;
  siteSent_ = timeSent_ = false;
  held_[0].direction = held_[1].direction = -1;
  if (server_.device.empty() || !client_.open(server_, kServerTimeoutSeconds)) {
    report(kStatusPortOpenFailed);
    return kClosePort;
  }
  open_ = true;
  connectAsked_ = false;
  watchdog_.start(kConnectHeartbeats);
  return kKeepLink;
}

void IndiMount::hangUp() {
  open_ = linkUp_ = spiralRunning_ = false;
  client_.cancelWake();
  watchdog_.stop();
  client_.close();
  client_.takeEvents();
}

// Each heartbeat tells where the device last said it points, for the
// panels and the guider port.
int IndiMount::tick() {
  if (linkUp_ && havePosition_) tellPosition();
  if (spiralRunning_) reportSpiralOffset();
  for (HeldGuide& held : held_) {
    if (held.direction >= 0) sendHeld(held);
  }
  if (slewing_ && ++slewHeartbeats_ > kSlewHeartbeats) {
    slewing_ = false;
    report(kStatusSlewTimedOut);
  }
  if (!watchdog_.runsOut()) return kKeepLink;
  report(kStatusHandshakeTimedOut);
  return kClosePort;
}

int IndiMount::deliverEvents() {
  int result = kKeepLink;
  for (const IndiEvent& e : client_.takeEvents()) {
    if (!open_) break;
    const int r = event(e);
    if (r > result) result = r;
  }
  if (open_) {
    continueSpiral();
    retellCapabilities();
    if (linkUp_) sendSiteAndTime();
  }
  return result;
}

int IndiMount::event(const IndiEvent& e) {
  switch (e.kind) {
    case IndiEvent::kConnection:
      connected_ = e.on && e.state == kStateOk;
      // The driver disconnected the device, ended or was restarted by its
      // server: the device is not where the link left it.
      if (linkUp_ && !e.on) {
        report(kStatusDeviceDisconnected);
        return kClosePort;
      }
      // Asked once the device has defined the property: a server passes a
      // request on only to a device it has heard of.
      if (!e.on && !connectAsked_) {
        client_.sendSwitches("CONNECTION", {"CONNECT"}, {"DISCONNECT"});
        connectAsked_ = true;
      }
      break;
    case IndiEvent::kPosition:
      havePosition_ = true;
      raHours_ = e.raHours, decDeg_ = e.decDeg;
      // A driver defines its properties as it connects, before it tells
      // a position: with the first, the link and its buttons are complete.
      if (!linkUp_ && connected_) return linkUp();
      if (slewing_) followSlew(e.state);
      break;
    case IndiEvent::kPark:
      parked_ = e.on && e.state == kStateOk;
      if (parking_ && e.state != kStateBusy) {
        parking_ = false;
        report(parked_ ? kStatusParked : kStatusErrorReply);
      }
      break;
    case IndiEvent::kServerLost:
      spiralRunning_ = connected_ = false;
      report(kStatusHandshakeTimedOut);
      return kClosePort;
  }
  return kKeepLink;
}

int IndiMount::linkUp() {
  linkUp_ = true;
  watchdog_.stop();
  sendSiteAndTime();
  reportedCapabilities_ = capabilities();
  report(linkEstablishedCode(kMountIndi));
  return kLinkEstablished;
}

// A device may define properties after it says it is connected: the link
// is told again when what it offers changed.
void IndiMount::retellCapabilities() {
  if (!linkUp_ || capabilities() == reportedCapabilities_) return;
  reportedCapabilities_ = capabilities();
  report(linkEstablishedCode(kMountIndi));
}

// A slew ends where the device says it is no longer busy, at the target or
// once it has been busy with the slew: a position that is not busy and off
// the target, told before the device took the slew up, is an old one.
void IndiMount::followSlew(int state) {
  if (state == kStateBusy) {
    slewSeenBusy_ = true;
  } else if (state == kStateAlert) {
    slewEnded(true);
  } else if (slewSeenBusy_ || degreesApart(raHours_, decDeg_, targetRaHours_, targetDecDeg_) <= kArrivalToleranceDeg) {
    slewEnded(false);
  }
}

// A slew that ends off its target is sent once more; one that ends off it
// again is told as such, never as reached.
void IndiMount::slewEnded(bool refused) {
  slewing_ = false;
  const bool arrived = degreesApart(raHours_, decDeg_, targetRaHours_, targetDecDeg_) <= kArrivalToleranceDeg;
  if (!refused && !arrived && !retried_) {
    retried_ = true;
    sendTarget("TRACK");
    return;
  }
  report(refused ? kStatusErrorReply : arrived ? kStatusFinished : kStatusSlewOffTarget);
}

// The link ends: every motion stops while the server still listens.
void IndiMount::sendStops() {
  held_[0].direction = held_[1].direction = -1;
  if (open_ && connected_ && client_.has("TELESCOPE_ABORT_MOTION")) {
    client_.sendSwitches("TELESCOPE_ABORT_MOTION", {"ABORT"});
  }
}

// The device is told the observing place and the time of the computer's
// clock (UTC and the place's offset) once it has defined where it takes
// them, which may be after it said it is connected.
void IndiMount::sendSiteAndTime() {
  if (!siteSent_ && client_.has("GEOGRAPHIC_COORD")) {
    siteSent_ = true;
    const double eastLongitude = std::fmod(place_.longitudeDeg + 360, 360.0);
    client_.sendNumbers("GEOGRAPHIC_COORD",
                        {{"LAT", place_.latitudeDeg}, {"LONG", eastLongitude}, {"ELEV", client_.elevation()}});
  }
  if (!timeSent_ && client_.has("TIME_UTC")) {
    timeSent_ = true;
    const auto now = std::chrono::system_clock::now();
    const int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    client_.sendTexts("TIME_UTC", {{"UTC", utcText(now)}, {"OFFSET", offsetText(zoneOffsetAt(place_, seconds) / 3600.0)}});
  }
}

int IndiMount::capabilities() const {
  int bits = 0;
  if (client_.has("TELESCOPE_MOTION_NS") && client_.has("TELESCOPE_MOTION_WE")) bits |= kCanMove | kCanSpiral;
  if (client_.has("TELESCOPE_TRACK_STATE")) bits |= kCanTrack;
  if (client_.has("TELESCOPE_PARK")) bits |= kCanPark;
  return bits;
}

int IndiMount::command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) {
  if (!commandComplete(payload, length) || !linkUp_) return kKeepLink;
  endSpiral();  // any command replaces it
  const auto rate = [payload](bool fast) {
    const int index = rateIndex(payload[2]);
    return RateRequest{fast ? kFastMultiples[index] : kSlowMultiples[index], fast, index};
  };
  switch (payload[0]) {
    case kCmdMoveFast: move(payload[1], rate(true), kStatusFastMotion); break;
    case kCmdMoveSlow: move(payload[1], rate(false), kStatusSlowMotion); break;
    case kCmdMoveAtRate: move(payload[1] & 0x7F, {kSlowMultiples[0], false, 0}, kStatusSlowMotion); break;
    case kCmdSpiralSearch: startSpiral(payload[1], payload[2], payload[3]); break;
    case kCmdStop: stop(payload[1]); break;
    case kCmdGoto: slewTo("TRACK", shared.gotoRaRad, shared.gotoDecRad); break;
    case kCmdSetReference: slewTo("SYNC", shared.referenceRaRad, shared.referenceDecRad); break;
    case kCmdReadPosition: readPosition(); break;
    case kCmdTracking: setTracking(payload[1] != 0); break;
    case kCmdGotoPark: park(); break;
    case kCmdSetPark: setPark(); break;
    case kCmdGuideMove: guideMove(payload[1]); break;
    case kCmdObservingPlace:
      place_ = shared.place;
      siteSent_ = timeSent_ = false;
      sendSiteAndTime();
      break;
    default: break;
  }
  return kKeepLink;
}

// Reports an error status when the device lacks `property`.
bool IndiMount::refuseWithout(const char* property) {
  if (client_.has(property)) return false;
  report(kStatusErrorReply);
  return true;
}

// A parked mount is unparked before it is moved.
void IndiMount::unparkFirst() {
  if (!parked_ || !client_.has("TELESCOPE_PARK")) return;
  client_.sendSwitches("TELESCOPE_PARK", {"UNPARK"}, {"PARK"});
  parked_ = false;
}

double IndiMount::setSlewRate(const RateRequest& request) {
  const SlewRate rate =
      nearestRate(client_.members("TELESCOPE_SLEW_RATE"), request.multiple, request.fast, request.index);
  if (!rate.name.empty()) client_.sendSwitches("TELESCOPE_SLEW_RATE", {rate.name});
  return rate.multiple;
}

void IndiMount::move(int direction, const RateRequest& rate, int startedCode) {
  if (direction < 0 || direction > 3 || refuseWithout(kMotion[kPanelMoves[direction].axis])) return;
  unparkFirst();
  setSlewRate(rate);
  motion(kPanelMoves[direction].axis, kPanelMoves[direction].direction);
  report(startedCode);
}

// Direction 0..3 stops its axis; any other value stops every motion. A
// guide move held goes out as its pulse and ends.
void IndiMount::stop(int direction) {
  guideStop(4);
  if (direction >= 0 && direction <= 3) {
    if (refuseWithout(kMotion[kPanelMoves[direction].axis])) return;
    motion(kPanelMoves[direction].axis, -1);
  } else {
    if (refuseWithout("TELESCOPE_ABORT_MOTION")) return;
    client_.sendSwitches("TELESCOPE_ABORT_MOTION", {"ABORT"});
    slewing_ = parking_ = false;
  }
  report(kStatusFinished);
}

// Moves `axis` in `direction` (0 or 1), or stops it (-1).
void IndiMount::motion(int axis, int direction) {
  const char* const* names = kMotionMembers[axis];
  if (direction < 0) client_.sendSwitches(kMotion[axis], {}, {names[0], names[1]});
  else client_.sendSwitches(kMotion[axis], {names[direction]}, {names[1 - direction]});
}

// A goto ("TRACK") or a sync ("SYNC") to a J2000 place, sent in the
// coordinates of the date the device works in.
void IndiMount::slewTo(const char* action, double raRad, double decRad) {
  if (refuseWithout("EQUATORIAL_EOD_COORD") || refuseWithout("ON_COORD_SET")) return;
  const bool sync = std::string(action) == "SYNC";
  if (!sync) unparkFirst();
  const EquatorialPosition target = ofDate(raRad, decRad);
  targetRaHours_ = target.raRad * kHoursPerRad;
  if (targetRaHours_ < 0) targetRaHours_ += 24;
  targetDecDeg_ = target.decRad * kDegPerRad;
  retried_ = false;
  sendTarget(action);
  report(sync ? kStatusReferenceStored : kStatusGotoStarted);
}

void IndiMount::sendTarget(const char* action) {
  client_.sendSwitches("ON_COORD_SET", {action});
  client_.sendNumbers("EQUATORIAL_EOD_COORD", {{"RA", targetRaHours_}, {"DEC", targetDecDeg_}});
  slewing_ = std::string(action) != "SYNC";
  slewSeenBusy_ = false;
  slewHeartbeats_ = 0;
}

// The last position the device reported, in J2000.
void IndiMount::readPosition() {
  if (!havePosition_) {
    report(kStatusErrorReply);
    return;
  }
  report(kStatusFinished);
  tellPosition();
}

void IndiMount::tellPosition() {
  const EquatorialPosition j2000 = j2000Of(raHours_ / kHoursPerRad, decDeg_ / kDegPerRad);
  listener().onMountPosition(j2000.raRad, j2000.decRad, 0, 0);
}

void IndiMount::setTracking(bool on) {
  if (refuseWithout("TELESCOPE_TRACK_STATE")) return;
  if (on) unparkFirst();
  client_.sendSwitches("TELESCOPE_TRACK_STATE", {on ? "TRACK_ON" : "TRACK_OFF"}, {on ? "TRACK_OFF" : "TRACK_ON"});
  report(kStatusFinished);
}

void IndiMount::park() {
  if (refuseWithout("TELESCOPE_PARK")) return;
  client_.sendSwitches("TELESCOPE_PARK", {"PARK"}, {"UNPARK"});
  parking_ = true;
  report(kStatusParkStarted);
}

// The mount's present place becomes its park position.
void IndiMount::setPark() {
  if (refuseWithout("TELESCOPE_PARK_OPTION")) return;
  client_.sendSwitches("TELESCOPE_PARK_OPTION", {"PARK_CURRENT"});
  report(kStatusParked);
}

// The spiral runs around wherever the mount points, its legs west, north,
// east and south in turn (the order of a motor-controller mount's axis 1
// and axis 2 forward, then back), each for the time its length takes at
// the speed's rate. Offsets are told in arcseconds.
void IndiMount::startSpiral(int stepArcmin, int turns, int speedIndex) {
  if (refuseWithout(kMotion[0]) || refuseWithout(kMotion[1])) return;
  unparkFirst();
  const int speed = rateIndex(speedIndex);
  // Among rates that give no multiple, the spiral takes the slow rate whose
  // multiple is nearest its speed's.
  const double multiple = kSpiralMultiples[speed];
  const int slowIndex = static_cast<int>(
      nearestMultiple({std::begin(kSlowMultiples), std::end(kSlowMultiples)}, multiple));
  spiralArcsecPerSecond_ = setSlewRate({multiple, false, slowIndex}) * kSiderealArcsecPerSecond;
  spiral_.setUp(kTimedLegs, stepArcmin * 60, turns, speed);
  spiral_.startAt(0, 0);
  spiralRunning_ = true;
  report(kStatusSpiralStarted);
  startLeg();
}

// Axis 1 runs west (forward) and east, axis 2 north (forward) and south.
int IndiMount::spiralAxis() const { return spiral_.movingAxis() == 1 ? 1 : 0; }

void IndiMount::startLeg() {
  legStarted_ = std::chrono::steady_clock::now();
  const std::chrono::duration<double> length(static_cast<double>(spiral_.leftToGo()) / spiralArcsecPerSecond_);
  legEnds_ = legStarted_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(length);
  motion(spiralAxis(), spiral_.legsRun() % 4 < 2 ? 0 : 1);
  client_.wakeAt(legEnds_);
}

// A leg whose time has come ends; the next starts, or the spiral is done.
void IndiMount::continueSpiral() {
  if (!spiralRunning_ || std::chrono::steady_clock::now() < legEnds_) return;
  motion(spiralAxis(), -1);
  spiral_.reachTarget();
  reportSpiralOffset();
  spiral_.nextLeg();
  if (!spiral_.finished()) {
    startLeg();
    return;
  }
  spiralRunning_ = false;
  report(kStatusSpiralFinished);
}

void IndiMount::endSpiral() {
  if (!spiralRunning_) return;
  spiralRunning_ = false;
  client_.cancelWake();
  motion(spiralAxis(), -1);
}

// The offsets from the start: a running leg's axis has come as far as its
// time so far takes it.
void IndiMount::reportSpiralOffset() {
  int32_t offsets[2] = {spiral_.offset(1), spiral_.offset(2)};
  if (spiralRunning_ && !spiral_.legDone()) {
    const double ran = std::chrono::duration<double>(std::chrono::steady_clock::now() - legStarted_).count() *
                       spiralArcsecPerSecond_;
    const double travel = std::min(ran, static_cast<double>(spiral_.leftToGo()));
    offsets[spiral_.movingAxis() - 1] += static_cast<int32_t>(spiral_.legsRun() % 4 < 2 ? travel : -travel);
  }
  listener().onSpiralSearchOffset(offsets[0], offsets[1]);
}

// An untimed guide move is held until its stop: the time held goes to the
// device as timed pulses at its guide rate, each heartbeat's worth at the
// heartbeat and the rest at the stop, so a correction moves the mount by
// its length at the guide rate and never at a slew rate.
void IndiMount::guideMove(int direction) {
  if (direction < 0 || direction > 3 || !client_.has(kGuide[kGuideMoves[direction].axis])) return;
  HeldGuide& held = held_[kGuideMoves[direction].axis];
  if (held.direction == direction) return;
  if (held.direction >= 0) sendHeld(held);
  held = {direction, std::chrono::steady_clock::now()};
}

// Axis 0 is the second (declination) axis, 2 the first, 4 both; a timed
// pulse ends on the device by itself.
void IndiMount::guideStop(int axis) {
  for (int a = 0; a < 2; ++a) {
    if (axis != 4 && a != (axis == 0 ? 0 : 1)) continue;
    if (held_[a].direction >= 0) sendHeld(held_[a]);
    held_[a].direction = -1;
  }
}

void IndiMount::guidePulse(int direction, int milliseconds) {
  if (direction < 0 || direction > 3 || milliseconds <= 0) return;
  const AxisMove m = kGuideMoves[direction];
  if (!client_.has(kGuide[m.axis])) return;
  client_.sendNumbers(kGuide[m.axis], {{kGuideMembers[m.axis][m.direction], milliseconds},
                                       {kGuideMembers[m.axis][1 - m.direction], 0}});
}

// The time a move has been held since it was last sent, as one pulse.
void IndiMount::sendHeld(HeldGuide& held) {
  const auto now = std::chrono::steady_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - held.since).count();
  guidePulse(held.direction, static_cast<int>(std::min<long long>(ms, kLongestPulseMs)));
  held.since = now;
}

}  // namespace celvaro
