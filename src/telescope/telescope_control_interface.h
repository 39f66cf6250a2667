// Requests from the user interface to the telescope controller. Each one is
// queued for the controller's command thread and returns at once.
#pragma once

#include <cstdint>
#include <string>

#include "astro/observing_place.h"
#include "model/clock_listener.h"

namespace celvaro {

class iTelescopeControl : public iHeartBeatListener {
 public:
  // The reference-point index that stands for all points on both sides.
  static constexpr int kAllReferencePoints = 255;

  virtual void connect(int mountType, int port) = 0;
  virtual void disconnect() = 0;
  virtual void reinitialise() = 0;
  virtual void moveFast(int direction, int rate) = 0;
  virtual void moveSlow(int direction, int rate) = 0;
  virtual void moveAtRate(int direction, int rate16) = 0;
  virtual void stopMove(int direction) = 0;
  virtual void readPosition() = 0;
  virtual void setReferencePoint(double latitudeDeg, double longitudeDeg, double raRad,
                                 double decRad, int index) = 0;
  virtual void deleteReferencePoint(int index) = 0;
  virtual void setEastWestSwap(int value) = 0;
  virtual void gotoPosition(double raRad, double decRad) = 0;
  virtual void setTracking(int mode) = 0;
  virtual void gotoPark() = 0;
  virtual void setPark() = 0;
  virtual void startSpiralSearch(int stepArcmin, int turns, int speedIndex) = 0;
  virtual void startDslrSeries(int frames, int exposureSeconds, int pauseSeconds) = 0;
  virtual void stopDslrSeries() = 0;
  virtual void command21(int b, int w) = 0;
  virtual void guideMove(int direction) = 0;
  virtual void command23(int b) = 0;
  virtual void openGuiderPort(int port) = 0;
  virtual void closeGuiderPort() = 0;
  // The observing place, for what the controller tells about the mount's
  // site and clock; safe from any thread.
  virtual void setObservingPlace(const ObservingPlace& /*place*/) {}
  // The INDI server and device the next connect of type INDI reaches, and
  // the control-panel capabilities that device has defined; any thread.
  virtual void setIndiServer(const std::string& /*host*/, int /*port*/, const std::string& /*device*/) {}
  virtual int indiCapabilities() const { return 0; }
};

}  // namespace celvaro
