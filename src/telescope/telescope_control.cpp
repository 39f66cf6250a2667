#include "telescope/telescope_control.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>

#include "model/clock_listener.h"
#include "telescope/indi_mount.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_protocol_base.h"
#include "telescope/telescope_command_codes.h"
#include "telescope/telescope_listener.h"

namespace celvaro {
namespace {

enum GuiderPortStatus : int { kGuiderClosed = 0, kGuiderOpenFailed = 1, kGuiderNotOpen = 2, kGuiderOpen = 3 };

constexpr auto kSettleAfterOpen = std::chrono::milliseconds(500);
constexpr size_t kReadChunk = 128;
constexpr size_t kMaxTextBytes = 30;
// A guiding client that says nothing for this many heartbeats while a move
// of it without an end of its own is on is taken to be gone: through a
// pseudo-terminal bridge, which keeps its ends open, a client that died is
// only silence. Clients poll the position every second or two.
constexpr int kSilentBeatsBeforeStop = 3;

uint8_t low(int value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t high(int value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }

void writeAll(int fd, const char* bytes, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    count -= static_cast<size_t>(n);
  }
}

// Whether `path` names the device open on `fd`: two links, or a link and
// the device's own name, can name one device.
bool namesOpenDevice(const std::string& path, int fd) {
  struct stat open {}, named {};
  if (path.empty() || fd < 0 || ::fstat(fd, &open) != 0 || ::stat(path.c_str(), &named) != 0) return false;
  if (S_ISCHR(open.st_mode) && S_ISCHR(named.st_mode)) return open.st_rdev == named.st_rdev;
  return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

// Waits in poll() on a port and a stop pipe, hands every run of bytes on
// and tells once when the port vanishes (hang-up, error, end of file).
class TelescopeControl::PortReader {
 public:
  using Bytes = std::function<void(const uint8_t*, size_t)>;

  PortReader(int fd, Bytes onBytes, std::function<void()> onLost)
      : fd_(fd), onBytes_(std::move(onBytes)), onLost_(std::move(onLost)) {
    if (::pipe2(stop_, O_CLOEXEC) != 0) stop_[0] = stop_[1] = -1;
    thread_ = std::thread([this] { run(); });
  }
  ~PortReader() {
    if (stop_[1] >= 0) writeAll(stop_[1], "x", 1);
    thread_.join();
    for (int fd : stop_) {
      if (fd >= 0) ::close(fd);
    }
  }

 private:
  void run() {
    uint8_t buffer[kReadChunk];
    for (;;) {
      pollfd p[2] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
      if (::poll(p, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (p[1].revents) return;
      if (!(p[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))) continue;
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n > 0) {
        onBytes_(buffer, static_cast<size_t>(n));
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        break;
      }
    }
    onLost_();
  }

  int fd_;
  Bytes onBytes_;
  std::function<void()> onLost_;
  int stop_[2] = {-1, -1};
  std::thread thread_;
};

TelescopeControl::TelescopeControl(TelescopeListener& listener, const iSiderealTime& clock,
                                   std::string programDirectory)
    : listener_(listener), clock_(clock), programDirectory_(std::move(programDirectory)) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) == 0) pipeRead_ = fds[0], pipeWrite_ = fds[1];
}

TelescopeControl::~TelescopeControl() {
  {
    std::lock_guard lock(pipeLock_);
    if (pipeWrite_ >= 0) ::close(pipeWrite_);  // the command thread reads the end
    pipeWrite_ = -1;
  }
  if (commandThread_.joinable()) commandThread_.join();
  closeGuiderPortNow();
  if (mountOpen() && protocol()) protocol()->sendStops();  // the program ends: the mount stops
  closeMountPort();
  if (pipeRead_ >= 0) ::close(pipeRead_);
}

void TelescopeControl::start(const TelescopeStartSettings& settings) {
  settings_ = settings;
  const ProtocolContext context{*this, protocolListener_, clock_};
  for (int type = 0; type < kMountTypeCount; ++type) {
    protocols_[type] = createMountProtocol(type, context, settings.eastWestSwapPosition);
  }
  auto indi = std::make_unique<IndiMount>(context, [this] { writeFrames(commandFrame({kCmdMountEvents})); });
  indi_ = indi.get();
  protocols_[kMountIndi] = std::move(indi);
  setIndiServer(settings.indi);
  if (pipeRead_ >= 0) commandThread_ = std::thread([this] { runCommandThread(); });
}

// --- the user interface's side: one frame each ----------------------------------------

void TelescopeControl::writeFrames(const std::string& frames) {
  std::lock_guard lock(pipeLock_);
  if (pipeWrite_ >= 0) writeAll(pipeWrite_, frames.data(), frames.size());
}

void TelescopeControl::heartBeat() { writeFrames(heartbeatFrame()); }
void TelescopeControl::connect(int mountType, int port) {
  writeFrames(commandFrame({kCmdConnect, low(mountType), low(port)}));
}
void TelescopeControl::disconnect() { writeFrames(commandFrame({kCmdDisconnect})); }
void TelescopeControl::reinitialise() { writeFrames(commandFrame({kCmdReinitialise})); }

void TelescopeControl::moveFast(int direction, int rate) {
  if (rate < 0) {
    moveAtRate(direction, -rate);
    return;
  }
  writeFrames(commandFrame({kCmdMoveFast, low(direction), low(rate)}));
}

void TelescopeControl::moveSlow(int direction, int rate) {
  writeFrames(commandFrame({kCmdMoveSlow, low(direction), low(rate)}));
}

void TelescopeControl::moveAtRate(int direction, int rate16) {
  writeFrames(commandFrame({kCmdMoveAtRate, static_cast<uint8_t>(direction & 0x7F), low(rate16), high(rate16)}));
}

void TelescopeControl::stopMove(int direction) { writeFrames(commandFrame({kCmdStop, low(direction)})); }
void TelescopeControl::readPosition() { writeFrames(commandFrame({kCmdReadPosition})); }

void TelescopeControl::setReferencePoint(double latitudeDeg, double longitudeDeg, double raRad, double decRad,
                                         int index) {
  {
    std::lock_guard lock(sharedLock_);
    shared_.latitudeDeg = latitudeDeg, shared_.longitudeDeg = longitudeDeg;
    shared_.referenceRaRad = raRad, shared_.referenceDecRad = decRad;
    shared_.referenceIndex = index;
  }
  writeFrames(commandFrame({kCmdSetReference}));
}

void TelescopeControl::deleteReferencePoint(int index) {
  writeFrames(commandFrame({kCmdDeleteReference, low(index)}));
}
void TelescopeControl::setEastWestSwap(int value) { writeFrames(commandFrame({kCmdEastWestSwap, low(value)})); }

void TelescopeControl::gotoPosition(double raRad, double decRad) {
  {
    std::lock_guard lock(sharedLock_);
    shared_.gotoRaRad = raRad, shared_.gotoDecRad = decRad;
  }
  writeFrames(commandFrame({kCmdGoto}));
}

void TelescopeControl::setTracking(int mode) { writeFrames(commandFrame({kCmdTracking, low(mode)})); }
void TelescopeControl::gotoPark() { writeFrames(commandFrame({kCmdGotoPark})); }
void TelescopeControl::setPark() { writeFrames(commandFrame({kCmdSetPark})); }

void TelescopeControl::startSpiralSearch(int stepArcmin, int turns, int speedIndex) {
  writeFrames(commandFrame({kCmdSpiralSearch, low(stepArcmin >= 256 ? 255 : stepArcmin), low(turns), low(speedIndex)}));
}

void TelescopeControl::startDslrSeries(int frames, int exposureSeconds, int pauseSeconds) {
  writeFrames(commandFrame({kCmdDslrStart, low(frames), high(frames), low(exposureSeconds), high(exposureSeconds),
                            low(pauseSeconds), high(pauseSeconds)}));
}

void TelescopeControl::stopDslrSeries() { writeFrames(commandFrame({kCmdDslrStop})); }
void TelescopeControl::command21(int b, int w) { writeFrames(commandFrame({kCmd21, low(b), low(w), high(w)})); }
void TelescopeControl::guideMove(int direction) { writeFrames(commandFrame({kCmdGuideMove, low(direction)})); }
void TelescopeControl::command23(int b) { writeFrames(commandFrame({kCmd23, low(b)})); }
void TelescopeControl::openGuiderPort(int port) { writeFrames(commandFrame({kCmdOpenGuiderPort, low(port)})); }
void TelescopeControl::closeGuiderPort() { writeFrames(commandFrame({kCmdCloseGuiderPort})); }
void TelescopeControl::setObservingPlace(const ObservingPlace& place) {
  guiderReplies_.setPlace(place);
  {
    std::lock_guard lock(sharedLock_);
    shared_.place = place;
  }
  writeFrames(commandFrame({kCmdObservingPlace}));
}

void TelescopeControl::setIndiServer(const IndiServer& server) {
  std::lock_guard lock(sharedLock_);
  indiServer_ = server;
}

int TelescopeControl::indiCapabilities() const { return indi_ ? indi_->capabilities() : 0; }

// --- the mount port, written by the protocols -------------------------------------------

void TelescopeControl::setControlLines(int state) {
  if (state < 0 || state > 3) return;
  controlLines_ = state;
  mountPort_.setControlLines(state & 1, state & 2);
}

void TelescopeControl::sendText(const char* text) {
  mountPort_.write(reinterpret_cast<const uint8_t*>(text), ::strnlen(text, kMaxTextBytes));
}

void TelescopeControl::sendByte(uint8_t byte) { mountPort_.write(&byte, 1); }

void TelescopeControl::sendBytes(const uint8_t* bytes, int count) {
  if (count > 0) mountPort_.write(bytes, static_cast<size_t>(count));
}

void TelescopeControl::sendMotorCommand(char c1, char c2, char c3, char c4) {
  const std::string bytes = motorCommandBytes(c1, c2, c3, c4);
  mountPort_.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TelescopeControl::sendMotorValue(int axis, char command, uint32_t value) {
  const std::string bytes = motorValueBytes(axis, command, value);
  mountPort_.write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// --- the command thread ----------------------------------------------------------------------

void TelescopeControl::runCommandThread() {
  FrameAssembler frames;
  uint8_t buffer[256];
  for (;;) {
    // Waits for frames, or until the next guide pulse ends.
    pollfd p{pipeRead_, POLLIN, 0};
    if (::poll(&p, 1, millisecondsToNextPulseEnd()) < 0) {
      if (errno != EINTR) return;
      p.revents = 0;
    }
    endPulses();
    if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
    const ssize_t n = ::read(pipeRead_, buffer, sizeof buffer);
    if (n == 0) return;  // the controller is being destroyed
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return;
    }
    for (ssize_t i = 0; i < n; ++i) {
      if (frames.add(buffer[i])) handleFrame(frames);
    }
  }
}

void TelescopeControl::handleFrame(const FrameAssembler& frame) {
  const int n = frame.payloadLength();
  switch (frame.kind()) {
    case kCommandFrame:
      if (n > 0) handleCommand(frame.payload(), n);
      break;
    case kHeartbeatFrame: handleHeartbeat(); break;
    case kSerialDataFrame:
      if (mountPort_.isOpen() && protocol()) apply(protocol()->receive(frame.payload(), n));
      runHeldCommands();
      break;
    default:
      if (n > 0) handleGuideEvent(frame.payload()[0], guiderEventPulse(frame.payload(), n));
      break;
  }
}

// The protocol that receives commands, ticks and bytes: every type that has
// one (the own controller's tick runs its handshake's watchdog).
iMountProtocol* TelescopeControl::protocol() const {
  return mountType_ > kMountNone && mountType_ < kMountTypeCount ? protocols_[mountType_].get() : nullptr;
}

bool TelescopeControl::guides() const {
  return linkUp_ && takesGuideCorrections(mountType_);
}

bool TelescopeControl::mountOpen() const { return mountPort_.isOpen() || indiOpen_; }

void TelescopeControl::handleCommand(const uint8_t* payload, int length) {
  switch (payload[0]) {
    case kCmdConnect:
      if (length == 3) connectMount(payload[1], payload[2]);
      return;
    case kCmdDisconnect: disconnectMount(); return;
    case kCmdOpenGuiderPort:
      if (length == 2) openGuider(payload[1]);
      return;
    case kCmdCloseGuiderPort: closeGuider(); return;
    case kCmdMountPortLost:
      if (mountPort_.isOpen()) portLost();
      return;
    case kCmdGuiderPortLost: guiderPortLost(); return;
    case kCmdMountEvents:
      if (indiOpen_) apply(indi_->deliverEvents());
      return;
    case kCmdObservingPlace:
      if (!linkUp_) return;  // a mount is told the place when it connects
      break;
    default: break;
  }
  if (!linkUp_) {
    listener_.onLinkStatus(kStatusNoLink);
    return;
  }
  if (mountType_ == kMountMotorEquatorial && (payload[0] == kCmdDslrStart || payload[0] == kCmdDslrStop)) {
    handleDslr(payload, length);
    return;
  }
  if (protocol()) commandMount(payload, length);
}

// A command waits while the protocol's own read awaits its reply, and runs
// once that has come, in the order the commands came.
void TelescopeControl::commandMount(const uint8_t* payload, int length) {
  if (protocol()->awaitsPoll()) {
    heldCommands_.emplace_back(payload, static_cast<size_t>(length));
    return;
  }
  SharedTelescopeValues shared;
  {
    std::lock_guard lock(sharedLock_);
    shared = shared_;
  }
  apply(protocol()->command(payload, length, shared));
}

void TelescopeControl::runHeldCommands() {
  while (!heldCommands_.empty() && linkUp_ && protocol() && !protocol()->awaitsPoll()) {
    const std::basic_string<uint8_t> command = std::move(heldCommands_.front());
    heldCommands_.pop_front();
    commandMount(command.data(), static_cast<int>(command.size()));
  }
}

// The DSLR series runs on the equatorial motor controller's port.
void TelescopeControl::handleDslr(const uint8_t* payload, int length) {
  if (payload[0] == kCmdDslrStop) {
    dslr_.stop();
  } else if (commandComplete(payload, length)) {
    const auto word = [payload](int at) { return payload[at] | payload[at + 1] << 8; };
    dslr_.start(word(1), word(3), word(5));
  }
}

void TelescopeControl::connectMount(int mountType, int port) {
  if (linkUp_) {
    listener_.onLinkStatus(kStatusAlreadyConnected);
    return;
  }
  // A port still open from a connection that never came up is opened anew.
  if (mountOpen()) closeMountPort();
  if (mountType == kMountIndi) {
    connectIndi();
    return;
  }
  const std::string device = serialDeviceForPort(programDirectory_, port);
  if (namesOpenDevice(device, guiderPort_.descriptor()) || !mountPort_.open(device)) {
    listener_.onLinkStatus(kStatusPortOpenFailed);
    return;
  }
  linkUp_ = false;
  mountType_ = mountType;
  dslr_.reset();
  mountReader_ = std::make_unique<PortReader>(
      mountPort_.descriptor(), [this](const uint8_t* bytes, size_t count) { writeFrames(serialDataFrames(bytes, count)); },
      [this] { writeFrames(commandFrame({kCmdMountPortLost})); });
  listener_.onLinkStatus(kStatusConnecting);
  std::this_thread::sleep_for(kSettleAfterOpen);
  const bool hasConnectRoutine = mountType_ != kMountOldNexstar && mountType_ >= 0 && mountType_ < kMountTypeCount;
  if (hasConnectRoutine && protocols_[mountType_]) apply(protocols_[mountType_]->connect());
}

// The INDI server stands in for the port: connecting to it may take the
// command thread a few seconds, never the user interface.
void TelescopeControl::connectIndi() {
  linkUp_ = false;
  mountType_ = kMountIndi;
  {
    std::lock_guard lock(sharedLock_);
    indi_->setServer(indiServer_);
    indi_->setPlace(shared_.place);
  }
  listener_.onLinkStatus(kStatusConnecting);
  indiOpen_ = true;
  apply(indi_->connect());
}

// The panels switch off at a Disconnect, also when the link has already
// ended by itself.
void TelescopeControl::disconnectMount() {
  if (mountOpen()) endLink(kStatusSwitchedOff);
  else listener_.onLinkStatus(kStatusSwitchedOff);
}

void TelescopeControl::openGuider(int port) {
  if (guiderPort_.isOpen()) {
    listener_.onGuiderPortStatus(kGuiderOpen);
    return;
  }
  reopenGuider_ = false;
  const std::string device = serialDeviceForPort(programDirectory_, port);
  if (!startGuider(device)) {
    listener_.onGuiderPortStatus(kGuiderOpenFailed);
    return;
  }
  guiderDevice_ = device;
  guiderPortNumber_ = port;
  listener_.onGuiderPortStatus(kGuiderOpen);
}

// Opens the guider port and starts its reader; false when the device
// cannot be opened or is the one the mount port has open (the exclusive
// open does not keep root out).
bool TelescopeControl::startGuider(const std::string& device) {
  if (namesOpenDevice(device, mountPort_.descriptor()) || !guiderPort_.open(device)) return false;
  corrections_.reset();
  silentBeats_ = 0;
  auto parser = std::make_shared<GuideCommandParser>(guiderReplies_);
  guiderReader_ = std::make_unique<PortReader>(
      guiderPort_.descriptor(),
      [this, parser](const uint8_t* bytes, size_t count) {
        guiderBytesHeard_ += static_cast<uint32_t>(count);
        for (size_t i = 0; i < count; ++i) {
          const GuideCommandParser::Result r = parser->add(bytes[i]);
          if (r.event) writeFrames(guiderEventFrame(static_cast<uint8_t>(r.event), r.pulseMs));
          if (!r.reply.empty()) guiderPort_.write(reinterpret_cast<const uint8_t*>(r.reply.data()), r.reply.size());
        }
      },
      [this] { writeFrames(commandFrame({kCmdGuiderPortLost})); });
  return true;
}

// Every move the guiding program started stops with its port; a close
// asked while the port waits to come back ends the waiting.
void TelescopeControl::closeGuider() {
  if (!guiderPort_.isOpen() && !reopenGuider_) {
    listener_.onGuiderPortStatus(kGuiderNotOpen);
    return;
  }
  reopenGuider_ = false;
  stopGuiderMoves();
  closeGuiderPortNow();
  listener_.onGuiderPortStatus(kGuiderClosed);
}

// The guiding program's end hung up (its bridge ended, a cable was
// pulled): its moves stop at once, and the port opens again by itself
// once a device is there under the same name.
void TelescopeControl::guiderPortLost() {
  if (!guiderPort_.isOpen()) return;
  stopGuiderMoves();
  closeGuiderPortNow();
  reopenGuider_ = true;
  listener_.onGuiderPortStatus(kGuiderClosed);
}

void TelescopeControl::reopenGuider() {
  if (!reopenGuider_ || serialDeviceForPort(programDirectory_, guiderPortNumber_) != guiderDevice_) return;
  if (!startGuider(guiderDevice_)) return;
  reopenGuider_ = false;
  listener_.onGuiderPortStatus(kGuiderOpen);
}

void TelescopeControl::closeMountPort() {
  if (indiOpen_) indi_->hangUp();
  indiOpen_ = false;
  mountReader_.reset();
  mountPort_.close();
  linkUp_ = false;
  heldCommands_.clear();
}

void TelescopeControl::closeGuiderPortNow() {
  guiderReader_.reset();
  guiderPort_.close();
}

// The mount vanished: the link goes down and the panels switch off, with
// a status line that says why.
void TelescopeControl::portLost() { endLink(kStatusHandshakeTimedOut); }

// However a link ends, every axis that may move is told to stop while the
// line still takes bytes, then the port closes and the panels switch off;
// the status that told why follows, so the status line keeps it.
void TelescopeControl::endLink(int reason) {
  if (protocol()) protocol()->sendStops();
  closeMountPort();
  listener_.onLinkStatus(kStatusSwitchedOff);
  if (reason != kStatusSwitchedOff) listener_.onLinkStatus(reason);
}

void TelescopeControl::apply(int result) {
  if (result == kLinkEstablished) linkUp_ = true;
  if (result == kClosePort) endLink(protocolListener_.lastStatus());
}

void TelescopeControl::handleHeartbeat() {
  if (guiderPort_.isOpen()) {
    listener_.onGuiderMovement(corrections_.heartbeat());
    watchGuiderSilence();
  } else {
    reopenGuider();
  }
  if (!mountOpen()) return;
  if (mountType_ == kMountMotorEquatorial) dslr_.heartbeat();
  if (protocol()) apply(protocol()->tick());
  runHeldCommands();
}

// A pulse of a known length is handed to the mount whole, for a type that
// times it on the mount.
void TelescopeControl::handleGuideEvent(int event, int pulseMs) {
  const GuideCorrections::Request request = corrections_.event(event, pulseMs, GuideCorrections::Clock::now());
  if (pulseMs > 0 && request.move >= 0 && guides()) protocols_[mountType_]->guidePulse(request.move, pulseMs);
  else askMount(request);
}

// Only the types that guide act on a guiding program's corrections.
void TelescopeControl::askMount(const GuideCorrections::Request& request) {
  if (!guides()) return;
  if (request.move >= 0) protocols_[mountType_]->guideMove(request.move);
  else if (request.stopAxis >= 0) protocols_[mountType_]->guideStop(request.stopAxis);
}

void TelescopeControl::endPulses() {
  for (int axis : corrections_.endedPulses(GuideCorrections::Clock::now())) askMount({-1, axis});
}

void TelescopeControl::stopGuiderMoves() {
  for (int axis : corrections_.stopAll()) askMount({-1, axis});
}

void TelescopeControl::watchGuiderSilence() {
  const uint32_t heard = guiderBytesHeard_;
  if (heard != bytesHeardAtBeat_ || !corrections_.openEndedMoveOn()) {
    bytesHeardAtBeat_ = heard;
    silentBeats_ = 0;
  } else if (++silentBeats_ >= kSilentBeatsBeforeStop) {
    stopGuiderMoves();
    silentBeats_ = 0;
  }
}

// -1 (no end) while no pulse runs.
int TelescopeControl::millisecondsToNextPulseEnd() const {
  const auto end = corrections_.nextPulseEnd();
  if (!end) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*end - GuideCorrections::Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

}  // namespace celvaro
