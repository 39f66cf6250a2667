// The listener the mount protocols report to: it hands every report on to
// the program's listener and keeps the last position for the guider port's
// replies and the last status for the link's end. Command thread only.
#pragma once

#include "astro/apparent_place.h"
#include "model/clock_listener.h"
#include "telescope/guider_replies.h"
#include "telescope/telescope_listener.h"

namespace celvaro {

class PositionKeepingListener final : public TelescopeListener {
 public:
  PositionKeepingListener(TelescopeListener& next, GuiderReplies& replies, const iSiderealTime& clock)
      : next_(next), replies_(replies), clock_(clock) {}

  // Positions come in J2000; a guiding client asks in the frame of the date,
  // as a mount tells them.
  void onMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) override {
    const EquatorialPosition ofDate = ApparentPlace(clock_.julianDate()).apparentOf(raRad, decRad);
    replies_.setPosition(ofDate.raRad, ofDate.decRad);
    next_.onMountPosition(raRad, decRad, rawA, rawB);
  }
  void onLinkStatus(int code) override {
    lastStatus_ = code;
    next_.onLinkStatus(code);
  }
  // The status a protocol told last: why it closed the port, when it did.
  int lastStatus() const { return lastStatus_; }
  void onSpiralSearchOffset(int x, int y) override { next_.onSpiralSearchOffset(x, y); }
  void onDslrSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) override {
    next_.onDslrSeriesStatus(state, framesLeft, exposureLeft, pauseLeft);
  }
  void onGuiderPortStatus(int code) override { next_.onGuiderPortStatus(code); }
  void onGuiderMovement(int32_t packed) override { next_.onGuiderMovement(packed); }
  void onMountMessage(const std::string& text) override { next_.onMountMessage(text); }

 private:
  TelescopeListener& next_;
  GuiderReplies& replies_;
  const iSiderealTime& clock_;
  int lastStatus_ = 0;
};

}  // namespace celvaro
