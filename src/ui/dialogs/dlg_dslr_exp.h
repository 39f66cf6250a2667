// "DSLR bulb mode control": frames, exposure and pause (an exposure is
// seconds, or minutes and seconds as "m:ss", which the presets write),
// START and STOP, and three LED displays with the frames (three digits),
// the exposure and the pause left (two digits and a unit beside them).
// Not modal; it shows the series while it is open, and relabels itself
// when the language changes.
#pragma once

#include <array>

#include "app/language_changed_listener.h"
#include "telescope/telescope_dialog_listeners.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class AppModel;
class LedDisplay;

// Seconds of an exposure field: "m:ss" or whole seconds; -1 when neither.
int exposureSeconds(const std::string& text);

// A time left as two digits show it: seconds up to 99, then whole minutes
// up to 99, then hours, each rounded up (180:00 is "3 h", 1:40 "2 min").
enum class TimeUnit { kSeconds = 0, kMinutes = 1, kHours = 2 };
struct ShownTime {
  int value;
  TimeUnit unit;
};
ShownTime shownTime(int seconds);

class DlgDslrExp final : public FwDialogBase, public TelescopeDslrExpDlgListener, public iLanguageChangedListener {
 public:
  static constexpr int kFramesLeft = 100, kExposureLeft = 101, kPauseLeft = 102;
  static constexpr int kExposureUnit = 111, kPauseUnit = 112;
  static constexpr int kFrames = 200, kExposure = 201, kPause = 202, kStatus = 210;
  static constexpr int kFirstCaption = 230;  // of the three fields
  static constexpr int kStart = 300, kStop = 301, kFirstPreset = 310;
  static constexpr int kLargestValue = 0xFFFF;  // each travels as 16 bits
  static constexpr std::array<const char*, 7> kPresets = {"180:00", "120:00", "60:00", "30:00", "15:00", "5:00", "1:00"};

  DlgDslrExp(UiResources& resources, AppModel& model);
  ~DlgDslrExp() override;
  int resourceId() const override { return 512; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void showSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) override;
  void languageChanged() override;

  void showOver(QWidget* parent);
  LedDisplay* led(int id) const;

 private:
  void start();
  // A time display and its unit; blank below 0.
  void showTime(int ledId, int seconds);
  void showUnit(int ledId);
  void showStatusLine();

  AppModel& model_;
  std::array<LedDisplay*, 3> leds_{};
  std::array<int, 2> units_{-1, -1};  // the unit beside each time display, -1 none
  int statusTextId_ = -1;             // the status line's text, -1 none
};

}  // namespace celvaro
