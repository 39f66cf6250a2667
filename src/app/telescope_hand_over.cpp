#include "app/telescope_hand_over.h"

#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

// The low 16 bits of the code a protocol reports when its link is up.
constexpr int kLinkUpCode = linkEstablishedCode(0);

uint32_t packOffsets(int x, int y) {
  return (static_cast<uint32_t>(y + 32767) << 16) | (static_cast<uint32_t>(x + 32767) & 0xFFFF);
}

}  // namespace

int syntheticDslrState(int linkStatus) {
  const int low = linkStatus & 0xFFFF;
  const int high = (linkStatus >> 16) & 0xFFFF;
  if (low == 0 || low == kStatusSwitchedOff) return 8;
  if (low == kLinkUpCode && high >= 1 && high <= 7) return (high == 4 || high == 6) ? 40 : 24;
  return 0;
}

// --- telescope thread side -------------------------

void TelescopeHandOver::postMessage(int code, uint32_t parameter) {
  if (mainWindow_) mainWindow_->postUserMessage(code, parameter);
}

void TelescopeHandOver::storeEvent(const TelescopeEvent& event, std::string text) {
  if (!mainWindow_) return;
  {
    std::lock_guard guard(lock_);
    const bool positionAgain = event.kind == TelescopeEvent::kMountPosition && !events_.empty() &&
                               events_.back().event.kind == TelescopeEvent::kMountPosition;
    if (positionAgain) events_.back().event = event;
    else events_.push_back({event, std::move(text)});
  }
  postMessage(kTelescopeEventPending, 0);
}

void TelescopeHandOver::onLinkStatus(int code) {
  TelescopeEvent event;
  event.kind = TelescopeEvent::kLinkStatus;
  event.linkStatus = code;
  storeEvent(event);
}

void TelescopeHandOver::onMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) {
  TelescopeEvent event;
  event.kind = TelescopeEvent::kMountPosition;
  event.raRad = raRad;
  event.decRad = decRad;
  event.rawA = rawA;
  event.rawB = rawB;
  storeEvent(event);
}

void TelescopeHandOver::onSpiralSearchOffset(int x, int y) { postMessage(kSpiralSearchOffset, packOffsets(x, y)); }

void TelescopeHandOver::onDslrSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) {
  TelescopeEvent event;
  event.kind = TelescopeEvent::kDslrStatus;
  event.dslr[0] = state;
  event.dslr[1] = framesLeft;
  event.dslr[2] = exposureLeft;
  event.dslr[3] = pauseLeft;
  storeEvent(event);
}

void TelescopeHandOver::onGuiderPortStatus(int code) { postMessage(kGuiderPortStatus, static_cast<uint32_t>(code)); }

void TelescopeHandOver::onGuiderMovement(int32_t packed) { postMessage(kGuiderMovement, static_cast<uint32_t>(packed)); }

void TelescopeHandOver::onMountMessage(const std::string& text) {
  TelescopeEvent event;
  event.kind = TelescopeEvent::kMountMessage;
  storeEvent(event, text);
}

// --- user-interface thread side ---------------------

template <typename Call>
void TelescopeHandOver::tellTelescopePanels(Call call) {
  for (TelescopeControlDlgCallback* panel : {dialogListeners.controlPanel, dialogListeners.telescopePanel}) {
    if (panel) call(*panel);
  }
}

// Events that arrived while an earlier message was on its way are all
// delivered by it; the later messages find nothing left.
void TelescopeHandOver::dispatchEvents() {
  std::deque<QueuedEvent> events;
  {
    std::lock_guard guard(lock_);
    events.swap(events_);
  }
  for (const QueuedEvent& queued : events) dispatchEvent(queued);
}

void TelescopeHandOver::dispatchEvent(const QueuedEvent& queued) {
  const TelescopeEvent& event = queued.event;
  auto* dslr = dialogListeners.dslrExposure;
  switch (event.kind) {
    case TelescopeEvent::kLinkStatus:
      keepLinkStatus(event.linkStatus);
      tellTelescopePanels([&](TelescopeControlDlgCallback& panel) { panel.showLinkStatus(event.linkStatus); });
      if (int state = syntheticDslrState(event.linkStatus); state && dslr) {
        dslr->showSeriesStatus(state, 0, 0, 0);
      }
      if (auto* guider = dialogListeners.autoguiderMonitor) guider->showCorrectionsSent(mountTakesGuideCorrections());
      break;
    case TelescopeEvent::kMountPosition:
      readings.position = {event.raRad, event.decRad, true};
      tellTelescopePanels([&](TelescopeControlDlgCallback& panel) {
        panel.showMountPosition(event.raRad, event.decRad, event.rawA, event.rawB);
      });
      break;
    case TelescopeEvent::kDslrStatus:
      if (dslr) dslr->showSeriesStatus(event.dslr[0], event.dslr[1], event.dslr[2], event.dslr[3]);
      break;
    case TelescopeEvent::kMountMessage:
      readings.mountMessage = queued.text;
      tellTelescopePanels([&](TelescopeControlDlgCallback& panel) { panel.showMountMessage(queued.text); });
      break;
    default:
      break;
  }
}

void TelescopeHandOver::showTarget(double raRad, double decRad) {
  tellTelescopePanels([&](TelescopeControlDlgCallback& panel) { panel.showTarget(raRad, decRad); });
}

void TelescopeHandOver::showPlaceChanged() {
  tellTelescopePanels([](TelescopeControlDlgCallback& panel) { panel.observingPlaceChanged(); });
}

void TelescopeHandOver::keepLinkStatus(int code) {
  const int low = code & 0xFFFF;
  if (low == kLinkUpCode || low == kStatusSwitchedOff) readings.linkState = code;
  if (low == kStatusConnecting) readings.position = {};  // the last mount's
  readings.lastStatus = code;
  readings.mountMessage.clear();
}

bool TelescopeHandOver::mountTakesGuideCorrections() const {
  const int code = readings.linkState;
  const int type = code >> 16;
  return (code & 0xFFFF) == kLinkUpCode && takesGuideCorrections(type);
}

void TelescopeHandOver::onUserMessage(int code, uint32_t parameter) {
  auto* guider = dialogListeners.autoguiderMonitor;
  switch (code) {
    case kTelescopeEventPending:
      dispatchEvents();
      break;
    case kSpiralSearchOffset:
      tellTelescopePanels([parameter](TelescopeControlDlgCallback& panel) {
        panel.showSpiralSearchOffset(static_cast<int>(parameter & 0xFFFF) - 32767,
                                     static_cast<int>(parameter >> 16) - 32767);
      });
      break;
    case kGuiderPortStatus:
      if (guider) guider->showGuiderPortState(static_cast<int>(parameter));
      break;
    case kGuiderMovement:
      if (guider) {
        guider->addMovementSample(static_cast<int16_t>(parameter & 0xFFFF),
                                  static_cast<int16_t>(parameter >> 16));
      }
      break;
    default:
      break;
  }
}

}  // namespace celvaro
