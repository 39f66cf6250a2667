// MountType 8: any mount an INDI server drives, through the standard
// telescope properties of the device chosen. The server's reports become the
// same listener events as a serial mount's; a request the device has no
// property for is refused with an error status instead of being sent.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "astro/observing_place.h"
#include "telescope/indi_client.h"
#include "telescope/mount_protocol_base.h"
#include "telescope/spiral_search.h"

namespace celvaro {

class IndiMount final : public MountProtocolBase {
 public:
  // `wake` puts a frame into the command thread's pipe when the server said
  // something; the command thread then calls deliverEvents().
  IndiMount(const ProtocolContext& context, std::function<void()> wake);

  void setServer(const IndiServer& server) { server_ = server; }
  // The observing place the device is told at connect.
  void setPlace(const ObservingPlace& place) { place_ = place; }
  // Connects to the server and asks the device to connect once it has
  // defined its connection; the link is up once the device says it is
  // connected.
  int connect() override;
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) override;
  int tick() override;
  int deliverEvents() override;
  void hangUp() override;
  void guideMove(int direction) override;
  void guideStop(int axis) override;
  void guidePulse(int direction, int milliseconds) override;
  void sendStops() override;
  // The control-panel capability bits of what the device defines.
  int capabilities() const;

 private:
  // An untimed guide move held: its guide direction (-1 none) and since
  // when its time is not yet sent.
  struct HeldGuide {
    int direction = -1;
    std::chrono::steady_clock::time_point since;
  };

  int receiveByte(uint8_t) override { return kKeepLink; }
  void sendHeld(HeldGuide& held);
  int event(const IndiEvent& e);
  int linkUp();
  void retellCapabilities();
  void followSlew(int state);
  void slewEnded(bool refused);
  void sendSiteAndTime();
  void sendTarget(const char* action);
  // A rate asked for: a multiple of the sidereal rate, and the panel's
  // choice it comes from (slow or fast, index 0..5).
  struct RateRequest {
    double multiple;
    bool fast;
    int index;
  };
  // Sets the device's slew rate nearest the request and answers the
  // multiple it runs at (the one asked for where its rates do not say).
  double setSlewRate(const RateRequest& request);
  void move(int direction, const RateRequest& rate, int startedCode);
  void stop(int direction);
  void slewTo(const char* action, double raRad, double decRad);
  void readPosition();
  void tellPosition();
  void setTracking(bool on);
  void park();
  void setPark();
  void unparkFirst();
  void motion(int axis, int direction);
  bool refuseWithout(const char* property);
  void startSpiral(int stepArcmin, int turns, int speedIndex);
  void startLeg();
  void continueSpiral();
  void endSpiral();
  void reportSpiralOffset();
  int spiralAxis() const;

  IndiClient client_;
  IndiServer server_;
  ObservingPlace place_;
  bool siteSent_ = false, timeSent_ = false;  // since the link came up or the place changed
  HandshakeWatchdog watchdog_;
  bool open_ = false;
  bool connectAsked_ = false;
  bool connected_ = false;  // the device says so
  bool linkUp_ = false;
  bool havePosition_ = false;
  double raHours_ = 0, decDeg_ = 0;  // of the date
  bool slewing_ = false;
  bool slewSeenBusy_ = false;  // the device has been busy with the slew
  int slewHeartbeats_ = 0;     // since the slew was sent
  double targetRaHours_ = 0, targetDecDeg_ = 0;  // of the date
  bool retried_ = false;
  int reportedCapabilities_ = 0;
  bool parked_ = false;
  bool parking_ = false;
  HeldGuide held_[2];  // per axis: 0 north-south, 1 west-east
  // The spiral search: legs timed by their length in arcseconds and the
  // rate they run at.
  SpiralSearch spiral_;
  bool spiralRunning_ = false;
  double spiralArcsecPerSecond_ = 0;
  std::chrono::steady_clock::time_point legStarted_, legEnds_;
};

}  // namespace celvaro
