// MountType 8: any mount an INDI server drives, through the standard
// telescope properties of the device chosen. The server's reports become the
// same listener events as a serial mount's; a request the device has no
// property for is refused with an error status instead of being sent.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "telescope/indi_client.h"
#include "telescope/mount_protocol_base.h"

namespace celvaro {

class IndiMount final : public MountProtocolBase {
 public:
  // `wake` puts a frame into the command thread's pipe when the server said
  // something; the command thread then calls deliverEvents().
  IndiMount(const ProtocolContext& context, std::function<void()> wake);

  void setServer(const IndiServer& server) { server_ = server; }
  // Connects to the server; the link is up once the device says it is
  // connected.
  int connect() override;
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) override;
  int tick() override;
  int deliverEvents() override;
  void hangUp() override;
  void guideMove(int direction) override;
  void guideStop(int axis) override;
  void guidePulse(int direction, int milliseconds) override;
  // The control-panel capability bits of what the device defines.
  int capabilities() const;

 private:
  int receiveByte(uint8_t) override { return kKeepLink; }
  int event(const IndiEvent& e);
  int linkUp();
  void retellCapabilities();
  void slewEnded(bool refused);
  void sendTarget(const char* action);
  void move(int direction, bool fast, int startedCode);
  void stop(int direction);
  void slewTo(const char* action, double raRad, double decRad);
  void readPosition();
  void setTracking(bool on);
  void park();
  void setPark();
  void unparkFirst();
  void motion(int axis, int direction);
  bool refuseWithout(const char* property);

  IndiClient client_;
  IndiServer server_;
  HandshakeWatchdog watchdog_;
  bool open_ = false;
  bool connected_ = false;  // the device says so
  bool linkUp_ = false;
  bool havePosition_ = false;
  double raHours_ = 0, decDeg_ = 0;  // of the date
  bool slewing_ = false;
  double targetRaHours_ = 0, targetDecDeg_ = 0;  // of the date
  bool retried_ = false;
  int reportedCapabilities_ = 0;
  bool parked_ = false;
  bool parking_ = false;
  // Per axis (0 north-south, 1 west-east): a timed pulse the driver runs.
  bool pulseOn_[2] = {false, false};
};

}  // namespace celvaro
