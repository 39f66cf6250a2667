#include "tools/scope/scope_session.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>
#include <utility>

#include "astro/apparent_place.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"
#include "tools/scope/interruption.h"

namespace celvaro::scope {
namespace {

using namespace std::chrono_literals;

constexpr double kPi = std::numbers::pi;
constexpr int kAllDirections = 4;
// The controller tells the panel within these; a slew or spiral may take the
// five minutes after which the controller itself gives a slew up.
constexpr auto kConnectTime = 30s;
constexpr auto kSlewTime = 310s;
// A mount that confirms nothing has done it once this passed without a refusal.
constexpr auto kQuietTime = 1500ms;
// Two readings a second apart this close end a slew a mount does not report the end of.
constexpr double kSteadyArcmin = 0.5;

bool isRefusal(int code) {
  return code == kStatusErrorReply || code == kStatusNotAligned || code == kStatusTooHigh ||
         code == kStatusBelowHorizon || code == kStatusSlewRefused;
}

// Why the mount refused, where it gave no text of its own.
std::string refusalText(int code) {
  switch (code) {
    case kStatusNotAligned: return "not aligned: sync on a star first";
    case kStatusTooHigh: return "the target stands above 80 degrees";
    case kStatusBelowHorizon: return "the target is below the horizon";
    default: return "the mount answered with an error";
  }
}

bool isLinkLoss(int code) {
  return code == kStatusHandshakeTimedOut || code == kStatusNoLink || code == kStatusSwitchedOff ||
         code == kStatusPortOpenFailed || code == kStatusImplausibleCounts;
}

std::string noLinkReason(int code) {
  switch (code) {
    case kStatusPortOpenFailed: return "the port could not be opened";
    case kStatusImplausibleCounts: return "it reports implausible counts per revolution";
    case kStatusHandshakeTimedOut: return "it did not answer the handshake";
    default: return "it did not answer in time";
  }
}

// The clock a script runs on: the computer's, or one set to the script's
// instant when it gives one, running on from there.
Clock::TimeSource timeSourceOf(const PlaceTimeOptions& options) {
  if (!options.utc) return systemUniversalTime;
  const ChartDate d = *options.utc;
  std::tm fields{};
  fields.tm_year = d.year - 1900, fields.tm_mon = d.month - 1, fields.tm_mday = d.day;
  fields.tm_hour = d.hour, fields.tm_min = d.minute, fields.tm_sec = static_cast<int>(d.seconds);
  const time_t start = ::timegm(&fields);
  const auto began = std::chrono::steady_clock::now();
  return [start, began] {
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - began);
    const time_t now = start + static_cast<time_t>(elapsed.count());
    std::tm t{};
    ::gmtime_r(&now, &t);
    return CalendarTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  };
}

double arcminutesBetween(const EquatorialPosition& a, const EquatorialPosition& b) {
  const double cosine = std::sin(a.decRad) * std::sin(b.decRad) +
                        std::cos(a.decRad) * std::cos(b.decRad) * std::cos(a.raRad - b.raRad);
  return std::acos(std::clamp(cosine, -1.0, 1.0)) * 180 / kPi * 60;
}

CommandResult failed(Outcome outcome, int status, const std::string& message) {
  CommandResult result;
  result.outcome = outcome;
  result.status = status;
  result.message = message;
  return result;
}

constexpr char kInterrupted[] = "stopped by a signal; the mount was told to stop";

// A wait that ended without the event awaited: by a signal, or as `outcome`.
CommandResult unanswered(Outcome outcome, const std::string& message) {
  return interruption() ? failed(Outcome::kInterrupted, 0, kInterrupted) : failed(outcome, 0, message);
}

// A signal is looked for this often while the script waits.
constexpr auto kSignalLook = 100ms;

}  // namespace

ScopeSession::ScopeSession(const ScopeScript& script, const SessionSettings& settings,
                           const std::string& programDirectory, std::function<void()> linked)
    : script_(script),
      settings_(settings),
      linked_(std::move(linked)),
      clock_(Clock::kTickPeriod, timeSourceOf(script.placeTime)),
      controller_(events_, clock_, programDirectory) {}

ScopeSession::~ScopeSession() {
  if (linkUp_ && !linkLost_) controller_.disconnect();
  clock_.clearListeners();
  clock_.stop();
}

Outcome ScopeSession::run(const Reporter& report, std::string& error) {
  const Outcome linked = connect(error);
  linked_();
  if (linked != Outcome::kDone) return linked;
  for (const ScopeCommand& command : script_.commands) {
    const CommandResult result = perform(command);
    report(command, result);
    if (result.outcome != Outcome::kDone) {
      error = command.text + ": " + outcomeName(result.outcome) + (result.message.empty() ? "" : ", " + result.message);
      return result.outcome;
    }
  }
  return Outcome::kDone;
}

// The clock's first tick gives the protocols the date and sidereal time
// they turn places with, before anything is sent.
Outcome ScopeSession::connect(std::string& error) {
  TelescopeStartSettings start;
  start.mountType = script_.mountType;
  start.eastWestSwapPosition = settings_.eastWestSwapPosition;
  controller_.start(start);
  controller_.setObservingPlace(settings_.place);
  clock_.setLongitude(settings_.place.longitudeDeg);
  clock_.setHeartBeatListener(&controller_);
  clock_.start();
  const auto ticked = SteadyClock::now() + 5s;
  while (clock_.julianDate() == 0 && SteadyClock::now() < ticked) std::this_thread::sleep_for(20ms);
  if (script_.mountType == kMountIndi) controller_.setIndiServer(script_.indiHost, script_.indiPort, script_.indiDevice);
  controller_.connect(script_.mountType, 1);
  const int established = linkEstablishedCode(script_.mountType);
  const auto deadline = SteadyClock::now() + kConnectTime;
  int failure = 0;
  while (const auto event = nextEvent(deadline)) {
    if (event->kind != ScopeEvent::kStatus) continue;
    linkUp_ = event->code == established;
    if (linkUp_) return Outcome::kDone;
    failure = event->code;
    if (isLinkLoss(failure)) break;
  }
  if (interruption()) {
    error = kInterrupted;
    return Outcome::kInterrupted;
  }
  error = "no link with the " + std::string(mountTypeName(script_.mountType)) + " mount: " + noLinkReason(failure);
  return Outcome::kNoLink;
}

CommandResult ScopeSession::perform(const ScopeCommand& command) {
  // What earlier commands left behind is taken first: a slew's end, a lost link.
  while (nextEvent(SteadyClock::now())) {
  }
  if (linkLost_) return failed(Outcome::kNoLink, kStatusNoLink, "the link was lost");
  switch (command.verb) {
    case Verb::kStatus: {
      CommandResult result;
      result.linkText = linkText();
      return result;
    }
    case Verb::kWait: return pending_ == Pending::kSteadyPosition ? waitForSteadyPosition() : waitForEnd();
    case Verb::kMove:
    case Verb::kGuide: {
      send(command);
      CommandResult started = await({{kStatusFastMotion, kStatusSlowMotion, kStatusFinished}, false, true});
      if (started.outcome != Outcome::kDone) return started;
      const auto held = command.verb == Verb::kMove ? std::chrono::milliseconds(std::lround(command.seconds * 1000))
                                                    : std::chrono::milliseconds(command.milliseconds);
      CommandResult during = holdFor(held);
      if (during.outcome != Outcome::kDone) return during;
      controller_.stopMove(command.direction);
      return await({{kStatusFinished}, false, true});
    }
    default: break;
  }
  send(command);
  CommandResult result;
  switch (command.verb) {
    case Verb::kPosition: result = await({{}, true, false, 10s}); break;
    case Verb::kGoto: result = await({{kStatusGotoStarted, kStatusFinished}, false, false, 15s}); break;
    case Verb::kSync: result = await({{kStatusReferenceStored}, false, false, 15s}); break;
    case Verb::kPark: result = await({{kStatusParkStarted, kStatusParked}, false, false, 15s}); break;
    case Verb::kSpiral: result = await({{kStatusSpiralStarted}, false, false, 15s}); break;
    default: result = await({{kStatusFinished}, false, true}); break;
  }
  if (command.raHours) {
    result.target = EquatorialPosition{*command.raHours * kPi / 12, *command.decDeg * kPi / 180};
    result.targetName = command.designation;
  }
  if (command.verb == Verb::kStop) pending_ = Pending::kNothing;
  if (result.outcome == Outcome::kDone) noteStarts(result);
  return result;
}

// The request as the panel makes it.
void ScopeSession::send(const ScopeCommand& c) {
  const double ra = c.raHours.value_or(0) * kPi / 12, dec = c.decDeg.value_or(0) * kPi / 180;
  switch (c.verb) {
    case Verb::kPosition: controller_.readPosition(); break;
    case Verb::kGoto: controller_.gotoPosition(ra, dec); break;
    case Verb::kSync:
      // The alt-azimuth mount keeps up to three reference points, one a sync.
      controller_.setReferencePoint(settings_.place.latitudeDeg, settings_.place.longitudeDeg, ra, dec,
                                    std::min(syncs_++, 2));
      break;
    case Verb::kStop: controller_.stopMove(kAllDirections); break;
    case Verb::kPark: controller_.gotoPark(); break;
    // A parked mount leaves its rest when it tracks again.
    case Verb::kUnpark: controller_.setTracking(1); break;
    case Verb::kTrack: controller_.setTracking(c.on ? 1 : 0); break;
    case Verb::kMove:
      if (c.fast) controller_.moveFast(c.direction, c.rate);
      else controller_.moveSlow(c.direction, c.rate);
      break;
    case Verb::kGuide: controller_.guideMove(c.direction); break;
    case Verb::kSpiral: controller_.startSpiralSearch(c.radiusArcmin, c.turns, settings_.spiralSpeed); break;
    default: break;
  }
}

CommandResult ScopeSession::await(const Awaited& awaited) {
  CommandResult result;
  std::string said;
  const auto deadline = SteadyClock::now() + (awaited.quietIsDone ? kQuietTime : awaited.within);
  while (const auto event = nextEvent(deadline)) {
    if (linkLost_) return failed(Outcome::kNoLink, event->code, "the link was lost");
    if (event->kind == ScopeEvent::kMessage) {
      said = event->text;
      continue;
    }
    if (event->kind == ScopeEvent::kPosition) {
      if (!awaited.position) continue;
      describePosition(result, {event->raRad, event->decRad});
      return result;
    }
    if (event->code == kStatusSlewTimedOut) return failed(Outcome::kTimedOut, event->code, "the mount did not end the slew");
    if (isRefusal(event->code)) {
      // The mount's own text follows its refusal at once.
      if (const auto text = nextEvent(SteadyClock::now() + 200ms); text && text->kind == ScopeEvent::kMessage) said = text->text;
      return failed(Outcome::kRefused, event->code, said.empty() ? refusalText(event->code) : said);
    }
    if (std::find(awaited.done.begin(), awaited.done.end(), event->code) != awaited.done.end()) {
      result.status = event->code;
      return result;
    }
  }
  if (awaited.quietIsDone && !interruption()) return result;
  return unanswered(Outcome::kTimedOut, "the mount did not answer");
}

// A slew, park or spiral that the mount tells the end of.
CommandResult ScopeSession::waitForEnd() {
  if (pending_ == Pending::kNothing) return {};
  const auto deadline = SteadyClock::now() + kSlewTime;
  while (pending_ == Pending::kEndCode) {
    const auto event = nextEvent(deadline);
    if (!event) return unanswered(Outcome::kTimedOut, "the slew did not end");
    if (linkLost_) return failed(Outcome::kNoLink, event->code, "the link was lost");
    if (event->kind != ScopeEvent::kStatus) continue;
    if (event->code == kStatusSlewTimedOut) return failed(Outcome::kTimedOut, event->code, "the mount did not end the slew");
    if (isRefusal(event->code)) return failed(Outcome::kRefused, event->code, refusalText(event->code));
  }
  CommandResult result;
  result.status = pendingCode_;
  return result;
}

// A mount that reports only that a slew started has ended it once where it
// stands holds still.
CommandResult ScopeSession::waitForSteadyPosition() {
  const auto deadline = SteadyClock::now() + kSlewTime;
  std::optional<EquatorialPosition> last;
  while (SteadyClock::now() < deadline) {
    controller_.readPosition();
    CommandResult reading = await({{}, true, false, 10s});
    if (reading.outcome != Outcome::kDone) return reading;
    if (last && arcminutesBetween(*last, *reading.j2000) < kSteadyArcmin) {
      pending_ = Pending::kNothing;
      return reading;
    }
    last = reading.j2000;
    // What comes meanwhile (the heartbeat's own reads) is passed over.
    if (CommandResult during = holdFor(1000ms); during.outcome != Outcome::kDone) return during;
  }
  return failed(Outcome::kTimedOut, 0, "the mount did not come to rest");
}

// Lets a move run, taking what the controller tells meanwhile.
CommandResult ScopeSession::holdFor(std::chrono::milliseconds duration) {
  const auto end = SteadyClock::now() + duration;
  while (const auto event = nextEvent(end)) {
    if (linkLost_) return failed(Outcome::kNoLink, event->code, "the link was lost");
  }
  return interruption() ? failed(Outcome::kInterrupted, 0, kInterrupted) : CommandResult{};
}

// A slew, park or spiral the mount started is waited for by its end code;
// a goto the mount confirmed at once, by the mount coming to rest.
void ScopeSession::noteStarts(const CommandResult& result) {
  switch (result.status) {
    case kStatusGotoStarted: pending_ = Pending::kEndCode, pendingCode_ = kStatusFinished; break;
    case kStatusParkStarted: pending_ = Pending::kEndCode, pendingCode_ = kStatusParked; break;
    case kStatusSpiralStarted: pending_ = Pending::kEndCode, pendingCode_ = kStatusSpiralFinished; break;
    case kStatusFinished:
      if (pending_ == Pending::kNothing && result.target) pending_ = Pending::kSteadyPosition;
      break;
    default: break;
  }
}

// None once the deadline passed, or as soon as a signal came.
std::optional<ScopeEvent> ScopeSession::nextEvent(SteadyClock::time_point deadline) {
  std::optional<ScopeEvent> event;
  while (!event && !interruption()) {
    const auto now = SteadyClock::now();
    if (now >= deadline) return std::nullopt;
    event = events_.next(std::min(deadline, now + kSignalLook));
  }
  if (!event || event->kind != ScopeEvent::kStatus) return event;
  if (linkUp_ && isLinkLoss(event->code)) linkLost_ = true;
  if (pending_ == Pending::kEndCode && event->code == pendingCode_) pending_ = Pending::kNothing;
  return event;
}

void ScopeSession::describePosition(CommandResult& result, const EquatorialPosition& j2000) const {
  result.j2000 = j2000;
  result.ofDate = ApparentPlace(clock_.julianDate()).apparentOf(j2000.raRad, j2000.decRad);
}

std::string ScopeSession::linkText() const {
  std::string text = std::string("link=up type=\"") + mountTypeName(script_.mountType) + "\"";
  if (script_.mountType == kMountIndi) text += " capabilities=" + std::to_string(controller_.indiCapabilities());
  return text;
}

}  // namespace celvaro::scope
