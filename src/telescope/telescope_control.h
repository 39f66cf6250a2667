// The telescope controller: the one object through which the program talks
// to a mount. Requests from the user interface, the clock's heartbeat,
// bytes from the mount and guide commands from an autoguider program all
// become frames in one pipe; a single command thread reads the pipe and runs
// the mount protocols, so all protocol state belongs to that thread. Each
// open port has a reader thread that waits in poll() and feeds the pipe.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/serial_port.h"
#include "telescope/basic_command_sender.h"
#include "telescope/dslr_series.h"
#include "telescope/guide_command_parser.h"
#include "telescope/guide_corrections.h"
#include "telescope/guider_replies.h"
#include "telescope/indi_client.h"
#include "telescope/mount_protocol.h"
#include "telescope/mount_types.h"
#include "telescope/pipe_frame.h"
#include "telescope/position_keeping_listener.h"
#include "telescope/telescope_control_interface.h"

namespace celvaro {

class TelescopeListener;
class iSiderealTime;

// The link settings the controller starts with.
struct TelescopeStartSettings {
  int mountType = 0;
  int port = 1;
  int eastWestSwapPosition = 0;
  IndiServer indi;
};

class IndiMount;

class TelescopeControl : public iTelescopeControl, public iTelescopeBasicCommandSender {
 public:
  // Ports are looked for as <programDirectory>/ports/COM<n> first.
  TelescopeControl(TelescopeListener& listener, const iSiderealTime& clock, std::string programDirectory);
  // Closes the ports and ends the command thread.
  ~TelescopeControl() override;
  TelescopeControl(const TelescopeControl&) = delete;
  TelescopeControl& operator=(const TelescopeControl&) = delete;

  // Creates the protocols and starts the command thread.
  void start(const TelescopeStartSettings& settings);

  // iTelescopeControl: each writes one frame and returns at once.
  void heartBeat() override;
  void connect(int mountType, int port) override;
  void disconnect() override;
  void reinitialise() override;
  void moveFast(int direction, int rate) override;
  void moveSlow(int direction, int rate) override;
  void moveAtRate(int direction, int rate16) override;
  void stopMove(int direction) override;
  void readPosition() override;
  void setReferencePoint(double latitudeDeg, double longitudeDeg, double raRad, double decRad, int index) override;
  void deleteReferencePoint(int index) override;
  void setEastWestSwap(int value) override;
  void gotoPosition(double raRad, double decRad) override;
  void setTracking(int mode) override;
  void gotoPark() override;
  void setPark() override;
  void startSpiralSearch(int stepArcmin, int turns, int speedIndex) override;
  void startDslrSeries(int frames, int exposureSeconds, int pauseSeconds) override;
  void stopDslrSeries() override;
  void command21(int b, int w) override;
  void guideMove(int direction) override;
  void command23(int b) override;
  void openGuiderPort(int port) override;
  void closeGuiderPort() override;
  // The place whose site and clock the guider port tells a guiding client;
  // any thread may set it.
  void setObservingPlace(const ObservingPlace& place) override;
  // The INDI server and device the next connect of type INDI reaches; any
  // thread may set it.
  void setIndiServer(const IndiServer& server);
  void setIndiServer(const std::string& host, int port, const std::string& device) override {
    setIndiServer(IndiServer{host, port, device});
  }
  // The control-panel capabilities of the INDI device, as far as it has
  // defined its properties; any thread may ask.
  int indiCapabilities() const override;

  // iTelescopeBasicCommandSender: writes on the mount port, command thread only.
  void setControlLines(int state) override;
  void sendText(const char* text) override;
  void sendByte(uint8_t byte) override;
  void sendBytes(const uint8_t* bytes, int count) override;
  void sendMotorCommand(char c1, char c2, char c3 = 0, char c4 = 0) override;
  void sendMotorValue(int axis, char command, uint32_t value) override;

  // Frames into the pipe, as the operations and the readers write them.
  virtual void writeFrames(const std::string& frames);
  // The control lines last set on the mount port (bit 0 DTR, bit 1 RTS),
  // as the link asked for them; any thread may ask.
  int mountControlLines() const { return controlLines_; }

 private:
  class PortReader;

  void runCommandThread();
  void handleFrame(const FrameAssembler& frame);
  void handleCommand(const uint8_t* payload, int length);
  void handleHeartbeat();
  void handleGuideEvent(int event, int pulseMs);
  void handleDslr(const uint8_t* payload, int length);
  void commandMount(const uint8_t* payload, int length);
  void runHeldCommands();
  void connectMount(int mountType, int port);
  void connectIndi();
  bool mountOpen() const;
  void disconnectMount();
  void openGuider(int port);
  bool startGuider(const std::string& device);
  void closeGuider();
  void guiderPortLost();
  void reopenGuider();
  void closeMountPort();
  void closeGuiderPortNow();
  void portLost();
  void endLink(int reason);
  // Guiding: what the guider's corrections ask of the mount.
  void askMount(const GuideCorrections::Request& request);
  void endPulses();
  void stopGuiderMoves();
  void watchGuiderSilence();
  int millisecondsToNextPulseEnd() const;
  // Applies what a protocol routine answered.
  void apply(int result);
  iMountProtocol* protocol() const;
  bool guides() const;

  TelescopeListener& listener_;
  const iSiderealTime& clock_;
  const std::string programDirectory_;
  TelescopeStartSettings settings_;
  std::array<std::unique_ptr<iMountProtocol>, kMountTypeCount> protocols_;

  std::mutex pipeLock_;    // one frame at a time into the pipe
  std::mutex sharedLock_;  // the values handed over with commands 10 and 13
  SharedTelescopeValues shared_;
  IndiServer indiServer_;
  GuiderReplies guiderReplies_;  // its own lock: the guider port's reader asks it
  PositionKeepingListener protocolListener_{listener_, guiderReplies_, clock_};
  int pipeRead_ = -1, pipeWrite_ = -1;
  std::thread commandThread_;

  // Command thread only.
  SerialPort mountPort_, guiderPort_;
  std::unique_ptr<PortReader> mountReader_, guiderReader_;
  bool linkUp_ = false;
  bool indiOpen_ = false;
  IndiMount* indi_ = nullptr;  // protocols_[kMountIndi]
  int mountType_ = 0;
  // Commands that came while the protocol's own read awaited its reply.
  std::deque<std::basic_string<uint8_t>> heldCommands_;
  GuideCorrections corrections_;
  // The guider port as last opened by the user, opened again by itself when
  // its device comes back after a hang-up.
  std::string guiderDevice_;
  int guiderPortNumber_ = 0;
  bool reopenGuider_ = false;
  // Bytes received on the guider port (its reader counts), and the
  // heartbeats that passed without one while a move of it was on.
  std::atomic<uint32_t> guiderBytesHeard_{0};
  uint32_t bytesHeardAtBeat_ = 0;
  int silentBeats_ = 0;
  DslrSeries dslr_{*this, listener_};
  std::atomic<int> controlLines_{0};
};

}  // namespace celvaro
