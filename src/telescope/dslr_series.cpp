#include "telescope/dslr_series.h"

#include <algorithm>

#include "telescope/basic_command_sender.h"
#include "telescope/telescope_listener.h"

namespace celvaro {

void DslrSeries::start(int frames, int exposureSeconds, int pauseSeconds) {
  exposureSeconds_ = exposureSeconds;
  pauseSeconds_ = std::max(pauseSeconds, 1);
  pauseLeft_ = 0;
  if (frames < 1 || exposureSeconds < 1) {
    framesLeft_ = exposureLeft_ = 0;
    sender_.setControlLines(kShutterClosed);
    report(kFinished, 0, 0, 0);
    return;
  }
  framesLeft_ = frames;
  exposureLeft_ = exposureSeconds;
  sender_.setControlLines(kShutterOpen);
  report(kStarted, framesLeft_, exposureLeft_, 0);
}

void DslrSeries::stop() {
  reset();
  sender_.setControlLines(kShutterClosed);
  report(kStopped, 0, 0, 0);
}

void DslrSeries::reset() { framesLeft_ = exposureLeft_ = pauseLeft_ = 0; }

void DslrSeries::heartbeat() {
  if (exposureLeft_ > 0) exposureSecond();
  else if (pauseLeft_ > 0) pauseSecond();
}

// The last frame ends the series without a pause after it.
void DslrSeries::exposureSecond() {
  if (--exposureLeft_ > 0) {
    report(kExposing, framesLeft_, exposureLeft_, 0);
    return;
  }
  sender_.setControlLines(kShutterClosed);
  if (framesLeft_ < 2) {
    framesLeft_ = 0;
    report(kFinished, 0, 0, 0);
    return;
  }
  --framesLeft_;
  pauseLeft_ = pauseSeconds_;
  report(kPausing, framesLeft_, 0, pauseLeft_);
}

void DslrSeries::pauseSecond() {
  if (--pauseLeft_ > 0) {
    report(kPausing, framesLeft_, 0, pauseLeft_);
    return;
  }
  sender_.setControlLines(kShutterOpen);
  exposureLeft_ = exposureSeconds_;
  report(kExposing, framesLeft_, exposureLeft_, 0);
}

void DslrSeries::report(int state, int frames, int exposure, int pause) {
  listener_.onDslrSeriesStatus(state, frames, exposure, pause);
}

}  // namespace celvaro
