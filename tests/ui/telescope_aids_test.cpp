// The telescope aids' windows: LED displays, the spiral-search panel and
// its settings, the DSLR dialog and the gamepad settings with a pipe
// standing in for the joystick.
#include "ui/ui_test_support.h"

#include "app/app_model_fakes.h"
#include "telescope/mount_types.h"
#include "ui/dialogs/dlg_auto_guider_monitor.h"
#include "ui/dialogs/dlg_dslr_exp.h"
#include "ui/dialogs/dlg_gamepad_control.h"
#include "ui/dialogs/dlg_scope_spiral_search.h"
#include "ui/led_display.h"
#include "ui/message_sink.h"
#include "ui/spiral_search_panel.h"

namespace celvaro {
namespace {

using namespace testing;

// A leading zero is blank, a number that does not fit shows dashes (never
// a wrong number), -1 shows nothing, and the last digit always shows.
TEST(LedDisplayTest, DigitsLeadingZerosAndBlank) {
  const struct {
    int value, first, last;
  } kShown[] = {{7, 0, 0x1C}, {123, 0x40, 0x40}, {-1, 0, 0}, {0, 0, 0x3F}};
  LedDisplay led(2, nullptr);
  for (const auto& shown : kShown) {
    led.setValue(shown.value);
    EXPECT_EQ(std::tuple(led.segments(0), led.segments(1)), std::tuple(shown.first, shown.last)) << shown.value;
  }
}

// Offsets far outside the box draw the cross at its edge, as the edge's
// own offset does.
TEST(SpiralSearchPanelTest, OffsetsInTwelveCountsAPixelKeptInTheBox) {
  SpiralSearchPanel panel(nullptr);
  panel.resize(96, 96);
  panel.setActive(true);
  panel.showOffset(25, -30);
  EXPECT_EQ(panel.marker(), QPoint(2, -2));
  panel.setActive(true);
  EXPECT_EQ(panel.marker(), QPoint(0, 0));
  panel.showOffset(47 * 12, -48 * 12);  // the top right corner: the centre is at (48, 48)
  const QImage edge = panel.grab().toImage();
  panel.showOffset(100000, -100000);
  EXPECT_EQ(panel.grab().toImage(), edge);
  panel.showOffset(-48 * 12, 47 * 12);
  const QImage otherEdge = panel.grab().toImage();
  panel.showOffset(-32767, 32767);
  EXPECT_EQ(panel.grab().toImage(), otherEdge);
}

using SpiralSearchSettingsTest = DialogTest;

// No number, or more than the link carries (the radius travels as one byte,
// the controller makes at most ten turns), is refused by name, as the
// configuration file would refuse it at the next start.
TEST_F(SpiralSearchSettingsTest, FieldsAreRefusedByNameUntilMended) {
  SpiralSearchSettings settings{2, 40, 3};
  DlgScopeSpiralSearch dialog(resources, settings);
  dialog.create(nullptr)->show();
  const QString messages = refusalsFieldByField(
      dialog.window(), {{DlgScopeSpiralSearch::kRadius, "300", " 25 "}, {DlgScopeSpiralSearch::kTurns, "many", "4"}});
  EXPECT_EQ(messages.toStdString(), "arcmin / rotation must be between 1 and 255. | Turns must be between 1 and 10.");
  EXPECT_EQ(settings, (SpiralSearchSettings{2, 25, 4}));
}

class AidsWithModel : public ::testing::Test {
 protected:
  AidsWithModel() { model.setTelescopeControl(&link); }

  ScratchDir dir;
  UiResources resources;
  AppModel model{dir.path().string(), dir.file("celvaro.cfg"), resources};
  RecordingLink link;
};

TEST_F(AidsWithModel, DslrDialogStartsWithPresetTimesAndShowsTheSeries) {
  DlgDslrExp dialog(resources, model);
  dialog.showOver(nullptr);
  EXPECT_EQ(model.handOver.dialogListeners.dslrExposure, &dialog);
  dialog.onCommand(DlgDslrExp::kFirstPreset + 5, kClicked, nullptr);
  EXPECT_EQ(dialog.control<QLineEdit>(DlgDslrExp::kExposure)->text(), "5:00");
  dialog.control<QLineEdit>(DlgDslrExp::kFrames)->setText("3");
  dialog.onCommand(DlgDslrExp::kStart, kClicked, nullptr);
  // More than the link carries: refused by name.
  dialog.control<QLineEdit>(DlgDslrExp::kFrames)->setText("70000");
  EXPECT_EQ(messagesDuring([&] { dialog.onCommand(DlgDslrExp::kStart, kClicked, nullptr); }),
            QStringList{"Frames must be between 0 and 65535."});
  dialog.control<QLineEdit>(DlgDslrExp::kFrames)->setText("3");
  dialog.onCommand(DlgDslrExp::kStop, kClicked, nullptr);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"startDslrSeries 3 300 5", "stopDslrSeries"}));
  dialog.showSeriesStatus(59, 3, 300, 0);
  EXPECT_EQ(dialog.led(DlgDslrExp::kFramesLeft)->value(), 3);
  // The status line changes, and nothing else: the captions stay.
  const auto labelTexts = [&] {
    QStringList texts;
    for (const QLabel* label : dialog.window()->findChildren<QLabel*>()) texts << label->text();
    return texts;
  };
  EXPECT_TRUE(labelTexts().contains("Frames"));
  EXPECT_TRUE(labelTexts().contains("Exp"));
  EXPECT_EQ(dialog.led(DlgDslrExp::kPauseLeft)->value(), -1);
  dialog.showSeriesStatus(5, 2, 0, 4);
  EXPECT_EQ(dialog.led(DlgDslrExp::kExposureLeft)->value(), -1);
  EXPECT_EQ(dialog.led(DlgDslrExp::kPauseLeft)->value(), 4);
  EXPECT_EQ(dialog.control<QLabel>(DlgDslrExp::kPauseUnit)->text(), "s");
  EXPECT_EQ(dialog.control<QLabel>(DlgDslrExp::kExposureUnit)->text(), "");
  // The longest preset, 180:00, on two digits: 3 hours. Counting down, a
  // display shows seconds up to 99, then whole minutes, then hours, each
  // rounded up; a series of more than 99 frames fits the three-digit count.
  const std::pair<int, std::pair<int, const char*>> shown[] = {
      {10800, {3, "h"}}, {7201, {3, "h"}}, {7200, {2, "h"}}, {5941, {2, "h"}}, {5940, {99, "min"}},
      {101, {2, "min"}}, {100, {2, "min"}}, {99, {99, "s"}},  {1, {1, "s"}}};
  for (const auto& [seconds, display] : shown) {
    dialog.showSeriesStatus(3, 120, seconds, 0);
    EXPECT_EQ(dialog.led(DlgDslrExp::kExposureLeft)->value(), display.first) << seconds;
    EXPECT_EQ(dialog.control<QLabel>(DlgDslrExp::kExposureUnit)->text(), display.second) << seconds;
  }
  EXPECT_EQ(dialog.led(DlgDslrExp::kFramesLeft)->value(), 120);
  EXPECT_EQ(dialog.led(DlgDslrExp::kFramesLeft)->segments(0), LedDisplay::kDigitMasks[1]);
  dialog.window()->close();
  EXPECT_EQ(model.handOver.dialogListeners.dslrExposure, nullptr);
}

// The guider port is not the mount's: the monitor offers the first other
// port. Without a mount that guides, the monitor says corrections are not sent.
TEST_F(AidsWithModel, MonitorOffersAnotherPortAndSaysWhenCorrectionsAreNotSent) {
  const QString notSent = "Corrections are not sent to the mount: no mount that takes guide corrections is connected.";
  model.scope.port = 1;
  DlgAutoGuiderMonitor monitor(resources, model);
  monitor.showOver(nullptr);
  EXPECT_EQ(monitor.control<QComboBox>(DlgAutoGuiderMonitor::kPort)->currentIndex(), 1);
  auto* note = monitor.control<QLabel>(DlgAutoGuiderMonitor::kNotSent);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->text(), notSent);
  // Which mounts take them: AppModelTest.TheMonitorLearnsWhetherCorrectionsReachTheMount.
  const std::pair<int, bool> links[] = {{linkEstablishedCode(kMountMotorEquatorial), true}, {20, false}};
  FakeMainWindow mainWindow;
  model.setWindows(&mainWindow, nullptr);
  for (const auto& [status, sent] : links) {
    model.handOver.onLinkStatus(status);
    mainWindow.deliverAll(model);
    EXPECT_EQ(note->text(), sent ? "" : notSent) << status;
  }
  DlgAutoGuiderMonitor second(resources, model);
  model.scope.port = 3;
  second.showOver(nullptr);
  EXPECT_EQ(second.control<QComboBox>(DlgAutoGuiderMonitor::kPort)->currentIndex(), 0);
  EXPECT_EQ(second.control<QLabel>(DlgAutoGuiderMonitor::kNotSent)->text(), notSent);
}

// The device is chosen among the joysticks of the input directory (pipes
// stand in for them); OK keeps the choice.
TEST_F(AidsWithModel, GamepadIndicatorsFollowTheChosenDeviceUntilItGoes) {
  const std::filesystem::path input = dir.path() / "input";
  std::filesystem::create_directories(input);
  const std::string js0 = (input / "js0").string(), js1 = (input / "js1").string();
  ASSERT_EQ(::mkfifo(js0.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(js1.c_str(), 0600), 0);
  const int writer = ::open(js1.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  model.gamepad.device = js0;
  RecordedMessages messages;
  DlgGamepadControl dialog(resources, model.gamepad, messages, input.string());
  dialog.create(nullptr);
  auto* devices = dialog.control<QComboBox>(DlgGamepadControl::kDevice);
  ASSERT_EQ(devices->count(), 2);
  EXPECT_EQ(devices->currentText(), QString::fromStdString(js0));
  devices->setCurrentIndex(1);
  dialog.poll();
  // Button 0 is "Left" (telescope direction 3), button 2 "Down" (1); the
  // D-pad's axis 0 pressed right lights direction 2.
  for (const js_event& event : {padRecord(JS_EVENT_BUTTON, 0, 1), padRecord(JS_EVENT_BUTTON, 2, 1), padRecord(JS_EVENT_AXIS, 0, 32767)}) {
    ASSERT_EQ(::write(writer, &event, sizeof event), 8);
  }
  dialog.poll();
  EXPECT_TRUE(dialog.control<QCheckBox>(DlgGamepadControl::kFirstIndicator)->isChecked());
  for (int direction = 0; direction < 4; ++direction) {
    EXPECT_EQ(dialog.control<QCheckBox>(DlgGamepadControl::kFirstDirection + direction)->isChecked(), direction != 0) << direction;
  }
  ::close(writer);
  dialog.poll();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Nincs gamepad csatlakoytatva a szamitogephez.");
  EXPECT_FALSE(dialog.control(DlgGamepadControl::kFirstAssignment)->isEnabled());
  dialog.onCommand(kIdOk, kClicked, nullptr);
  EXPECT_EQ(model.gamepad.device, js1);
}

}  // namespace
}  // namespace celvaro
