// The telescope hand-over: the telescope controller reports on its own
// thread; the events wait here, under a lock, for the user message that
// brings them to the user-interface thread, where the telescope windows
// registered for them receive them in order.
#pragma once

#include <deque>
#include <mutex>
#include <string>

#include "app/main_window_callback.h"
#include "app/telescope_event.h"
#include "telescope/telescope_dialog_listeners.h"
#include "telescope/telescope_listener.h"

namespace celvaro {

// The dialogs that receive telescope events; null while not registered.
struct TelescopeDialogListeners {
  TelescopeControlDlgCallback* controlPanel = nullptr;
  ReferencePointDlgListener* referencePoints = nullptr;
  TelescopeDslrExpDlgListener* dslrExposure = nullptr;
  AutoguiderMonitorDlgListener* autoguiderMonitor = nullptr;
  // The right-hand telescope panel: it carries the control panel's controls
  // and receives the same reports.
  TelescopeControlDlgCallback* telescopePanel = nullptr;
};

// The object the chart was last centred on.
struct CentringTarget {
  double raRad = 0;
  double decRad = 0;
  bool valid = false;
};

// What the link last reported, for telescope windows opened later and for
// centring the chart on the telescope.
struct TelescopeReadings {
  int linkState = 0;  // the last "link established" (100 + type << 16) or "switched off" (20) code
  int lastStatus = 0;
  std::string mountMessage;  // the mount's own text told after the last status, if any
  CentringTarget position;   // the last reported mount position
};

class TelescopeHandOver : public TelescopeListener {
 public:
  // The window the user messages go to; without one the events are dropped,
  // as an event without a listener is.
  void setMainWindow(iMainWindowCallback* window) { mainWindow_ = window; }

  // TelescopeListener: queue the event under the lock and post the user
  // message; never touch a window. Statuses and messages keep their order;
  // a position right after a position replaces it.
  void onLinkStatus(int code) override;
  void onMountPosition(double raRad, double decRad, int32_t rawA, int32_t rawB) override;
  void onSpiralSearchOffset(int x, int y) override;
  void onDslrSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) override;
  void onGuiderPortStatus(int code) override;
  void onGuiderMovement(int32_t packed) override;
  void onMountMessage(const std::string& text) override;

  // The user-interface thread's half: code 1000 delivers every queued event
  // in order.
  void onUserMessage(int code, uint32_t parameter);
  // Whether the connected mount forwards an autoguider's corrections: only
  // the Nexstar and the equatorial motor controller guide.
  bool mountTakesGuideCorrections() const;
  // The telescope panels show the target of a Goto, and take a new
  // observing place.
  void showTarget(double raRad, double decRad);
  void showPlaceChanged();

  TelescopeDialogListeners dialogListeners;
  TelescopeReadings readings;

 private:
  // An event and, for a mount message, its text.
  struct QueuedEvent {
    TelescopeEvent event;
    std::string text;
  };

  void postMessage(int code, uint32_t parameter);
  void storeEvent(const TelescopeEvent& event, std::string text = {});
  void dispatchEvents();
  void dispatchEvent(const QueuedEvent& queued);
  void keepLinkStatus(int code);
  template <typename Call>
  void tellTelescopePanels(Call call);

  iMainWindowCallback* mainWindow_ = nullptr;
  mutable std::mutex lock_;  // guards events_ only
  std::deque<QueuedEvent> events_;
};

// The DSLR state shown for a link status code: 8 when the link went away,
// 40 or 24 when a mount of a type came up, 0 for codes that send nothing.
int syntheticDslrState(int linkStatus);

}  // namespace celvaro
