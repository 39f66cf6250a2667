// The telescope dialogs as the application model sees them: it forwards the
// controller's reports to whichever of them is registered, always on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <string>

namespace celvaro {

// The telescope control panel.
class TelescopeControlDlgCallback {
 public:
  virtual ~TelescopeControlDlgCallback() = default;
  virtual void showLinkStatus(int code) = 0;
  virtual void showMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) = 0;
  virtual void observingPlaceChanged() = 0;
  virtual void showSpiralSearchOffset(int x, int y) = 0;
  // The mount's own words about the status shown last (a refused slew).
  virtual void showMountMessage(const std::string& text) = 0;
  // The object a Goto goes to, as soon as the user picked or centred it.
  virtual void showTarget(double raRad, double decRad) = 0;
};

// One reference point of the alignment as the user stored it.
struct ReferencePoint {
  double raRad = 0;
  double decRad = 0;
  bool set = false;
};

// The reference-point adjustment dialog.
class ReferencePointDlgListener {
 public:
  virtual ~ReferencePointDlgListener() = default;
  // `index` is the point that changed, -1 for all three.
  virtual void referencePointsChanged(const ReferencePoint (&points)[3], int index) = 0;
};

// The DSLR exposure series dialog.
class TelescopeDslrExpDlgListener {
 public:
  virtual ~TelescopeDslrExpDlgListener() = default;
  virtual void showSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) = 0;
};

// The autoguider monitor.
class AutoguiderMonitorDlgListener {
 public:
  virtual ~AutoguiderMonitorDlgListener() = default;
  virtual void showGuiderPortState(int code) = 0;
  virtual void addMovementSample(int dx, int dy) = 0;
  // Whether the connected mount takes the corrections it shows.
  virtual void showCorrectionsSent(bool sent) = 0;
};

}  // namespace celvaro
