// The telescope windows driven through their controls against a recording
// link: connecting, the statuses, the read-outs, goto, the reference points,
// the gamepad and the right-hand panel of the main window; the aids' windows
// (LED displays, spiral search, DSLR series, autoguider monitor, gamepad
// settings) with pipes standing in for the joystick.
#include "ui/ui_test_support.h"

#include "app/app_model_fakes.h"
#include "telescope/mount_types.h"
#include "ui/clock_relay.h"
#include "ui/dialogs/dlg_auto_guider_monitor.h"
#include "ui/dialogs/dlg_dslr_exp.h"
#include "ui/dialogs/dlg_gamepad_control.h"
#include "ui/dialogs/dlg_panel_telescope.h"
#include "ui/dialogs/dlg_scope_spiral_search.h"
#include "ui/dialogs/dlg_telescope_adjust.h"
#include "ui/dialogs/dlg_telescope_control.h"
#include "ui/dialogs/dlg_telescope_settings.h"
#include "ui/led_display.h"
#include "ui/message_sink.h"
#include "ui/spiral_search_panel.h"
#include "ui/telescope_readouts.h"

namespace celvaro {
namespace {

using namespace testing;
using Panel = TelescopeDialogBase;

// The main window over a model without catalogs, English texts for three
// link states, and ports/COM2 linked to /dev/null.
class TelescopeWindows : public ProgramWindow {
 protected:
  TelescopeWindows() {
    writeBytes(dir.file("lang_en.lng"),
               languageFileBytes({{9000, u"Not connected"}, {9004, u"The mount does not answer"}, {9007, u"No link"},
                                  {9011, u"Done"}, {9023, u"Spiral search started"}, {9024, u"Spiral search finished"},
                                  {9026, u"The mount refused the slew"}, {9100, u"Telescope connected"},
                                  {14733, u"not present"}}));
    std::filesystem::create_directories(dir.path() / "ports");
    std::filesystem::create_symlink("/dev/null", dir.path() / "ports" / "COM2");
    std::filesystem::create_symlink(dir.path() / "by-id" / "usb-gone", dir.path() / "ports" / "COM3");
    load();
    resources.loadLanguage(2);
    model->setTelescopeControl(&link);
    open();
    link.calls.clear();  // the observing place the model hands the link at its start
  }
  ~TelescopeWindows() override {  // before the link they hold goes
    window.reset();
    model.reset();
  }

  Panel& panel() { return window->telescopePanel(); }
  DlgTelescopeControl& controlPanel() {
    if (!window->telescopeControl()) window->command(601);
    return *window->telescopeControl();
  }
  static QString shown(FwDialogBase& dialog, int id) { return dialog.control<QLabel>(id)->text(); }
  static bool enabled(FwDialogBase& dialog, int id) { return dialog.control(id)->isEnabled(); }
  // The link reports from its own thread; the report reaches the windows
  // through the event loop.
  void fromTheLink(const std::function<void()>& reports) {
    std::thread(reports).join();
    QApplication::processEvents();
  }
  void report(int linkStatus) { fromTheLink([&] { model->handOver.onLinkStatus(linkStatus); }); }
  std::vector<std::string> takeCalls() { return std::exchange(link.calls, {}); }

  RecordingLink link;
};

// Each port shows the device it ends at, and a link to an adapter that is
// not plugged in says so; an INDI mount has no serial port to choose.
TEST_F(TelescopeWindows, ConnectionNamesThePortsDevicesAndTheSettingsRefuseByName) {
  DlgTelescopeConnect connect(resources, model->scope, dir.path().string());
  connect.create(nullptr);
  auto* types = connect.control<QComboBox>(DlgTelescopeConnect::kMountType);
  auto* ports = connect.control<QComboBox>(DlgTelescopeConnect::kPort);
  EXPECT_EQ(ports->itemText(1), "COM2  /dev/null");
  EXPECT_EQ(ports->itemText(2), "COM3  not present: " + QString::fromStdString((dir.path() / "by-id" / "usb-gone").string()));
  types->setCurrentIndex(types->findData(kMountIndi));
  EXPECT_TRUE(ports->isHidden());
  EXPECT_TRUE(connect.control(DlgTelescopeConnect::kPort + 400)->isHidden());
  types->setCurrentIndex(types->findData(kMountMotorAltAz));
  EXPECT_FALSE(ports->isHidden());

  // More than the mount takes, or a port TCP does not have: refused by
  // name, as the configuration would.
  model->scope = {kMountLx200, 7, 0, "localhost", 7624, ""};
  DlgTelescopeSettings settings(resources, model->scope, dir.path().string());
  settings.create(nullptr);
  const auto refusals = [&] { return messagesDuring([&] { click(settings, kIdOk); }); };
  settings.control<QLineEdit>(DlgTelescopeSettings::kEastWestSwap)->setText("45");
  EXPECT_EQ(refusals(), QStringList{"East-west swap position (degrees) must be between -30 and 30."});
  settings.control<QLineEdit>(DlgTelescopeSettings::kEastWestSwap)->setText("-2");
  settings.control<QLineEdit>(DlgTelescopeSettings::kIndiHost)->setText(" observatory.local ");
  settings.control<QLineEdit>(DlgTelescopeSettings::kIndiPort)->setText("70000");
  settings.control<QComboBox>(DlgTelescopeSettings::kIndiDevice)->setEditText("EQMod Mount");
  EXPECT_EQ(refusals(), QStringList{"INDI server port must be between 1 and 65535."});
  EXPECT_EQ(model->scope.eastWestSwapPosition, 0);
  settings.control<QLineEdit>(DlgTelescopeSettings::kIndiPort)->setText("7625");
  click(settings, kIdOk);
  EXPECT_EQ(model->scope, (ScopeSettings{kMountLx200, 7, -2, "observatory.local", 7625, "EQMod Mount"}));

  // Connect on the panel asks for type and port, then connects with them.
  model->scope = {kMountMotorAltAz, 3, 0, "localhost", 7624, ""};
  whenShown([](QWidget* dialog) { press(dialog, kIdOk); });
  click(panel(), Panel::kConnect);
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"connect 5 3"});
}

// A lost port is reported as 20 then 4 at once; both must reach the panels
// in order, or they stay "connected" with goto and the moves enabled.
TEST_F(TelescopeWindows, StatusesReportedBackToBackAllReachThePanelsInOrder) {
  report(linkEstablishedCode(kMountMotorAltAz));
  ASSERT_TRUE(enabled(panel(), Panel::kGoto));
  fromTheLink([&] {
    model->handOver.onMountPosition(0.5, 0.1, 1, 2);
    model->handOver.onLinkStatus(20);
    model->handOver.onMountPosition(0.6, 0.2, 3, 4);
    model->handOver.onLinkStatus(4);
  });
  for (int id : {Panel::kGoto, Panel::kStop, 201, Panel::kGetPosition}) EXPECT_FALSE(enabled(panel(), id)) << id;
  EXPECT_EQ(shown(panel(), Panel::kMountName), "");
  EXPECT_EQ(shown(panel(), Panel::kStatus), "The mount does not answer");
  EXPECT_EQ(shown(panel(), Panel::kScopeRa), QString::fromStdString(mountRaText(0.6)));
  EXPECT_EQ(shown(controlPanel(), Panel::kStatus), "The mount does not answer");
  EXPECT_FALSE(enabled(controlPanel(), Panel::kGoto));
}

// A new connection clears the last mount's position; an INDI mount is
// named by its device, as the server knows it.
TEST_F(TelescopeWindows, ANewLinkClearsTheReadOutAndNamesTheIndiDevice) {
  model->scope.indiDevice = "Telescope Simulator";
  report(linkEstablishedCode(kMountLx200));
  fromTheLink([&] { model->handOver.onMountPosition(0.6, 0.2, 0, 0); });
  ASSERT_FALSE(shown(panel(), Panel::kScopeRa).isEmpty());
  report(20);
  report(10);
  EXPECT_EQ((std::tuple{shown(panel(), Panel::kScopeRa), shown(panel(), Panel::kScopeDec)}), (std::tuple{"", ""}));
  report(linkEstablishedCode(kMountIndi));
  EXPECT_EQ(shown(panel(), Panel::kMountName), "Telescope Simulator");
}

// The object picked is the target at once: both panels show it before Goto
// goes there, and one opened later shows it too.
TEST_F(TelescopeWindows, ThePickedObjectIsShownAsTheTargetBeforeGoto) {
  model->setTarget(1.0, 0.2);
  EXPECT_EQ(shown(panel(), Panel::kTargetRa), "03:49:12");  // 1 rad, 3437.7' of arc to the whole minute: 3h 49m 12s
  EXPECT_EQ(shown(panel(), Panel::kTargetDec), "11:28");     // 0.2 rad: 11 degrees 27.5'
  EXPECT_EQ(shown(controlPanel(), Panel::kTargetRa), "03:49:12");
  EXPECT_TRUE(takeCalls().empty());
}

// "Done" when an operation ends, and a refused slew with the mount's own words.
TEST_F(TelescopeWindows, StatusLineTellsDoneAndTheMountsRefusal) {
  report(linkEstablishedCode(kMountLx200));
  report(11);
  EXPECT_EQ(shown(panel(), Panel::kStatus), "Done");
  fromTheLink([&] {
    model->handOver.onLinkStatus(26);
    model->handOver.onMountMessage("Object Below Horizon");
  });
  EXPECT_EQ(shown(panel(), Panel::kStatus), "The mount refused the slew: Object Below Horizon");
  EXPECT_EQ(shown(controlPanel(), Panel::kStatus), "The mount refused the slew: Object Below Horizon");
  report(11);
  EXPECT_EQ(shown(panel(), Panel::kStatus), "Done");
}

// The spiral panel follows the offsets from the start (23) and stops at
// the spiral's end (24): its cross stays where the spiral ended.
TEST_F(TelescopeWindows, TheSpiralPanelRunsFromTheSpiralsStartToItsEnd) {
  report(linkEstablishedCode(kMountMotorAltAz));
  SpiralSearchPanel& spiral = *panel().spiralPanel();
  report(23);
  EXPECT_TRUE(spiral.running());
  fromTheLink([&] { model->handOver.onSpiralSearchOffset(240, -120); });
  EXPECT_EQ(spiral.marker(), QPoint(20, -10));
  report(24);
  EXPECT_EQ(shown(panel(), Panel::kStatus), "Spiral search finished");
  EXPECT_FALSE(spiral.running());
  fromTheLink([&] { model->handOver.onSpiralSearchOffset(480, 0); });
  EXPECT_EQ(spiral.marker(), QPoint(20, -10));
}

// The gamepad through a pipe standing in for the joystick device. Default
// buttons: 0 Left, 1 Up, 2 Down, 3 Right; a D-pad on axes 0 and 1.
class GamepadOnThePanel : public TelescopeWindows {
 protected:
  GamepadOnThePanel() {
    EXPECT_EQ(::mkfifo(device.c_str(), 0600), 0);
    writer = ::open(device.c_str(), O_RDWR | O_NONBLOCK);
    EXPECT_GE(writer, 0);
    model->gamepad.device = device;
    report(linkEstablishedCode(kMountMotorAltAz));
    takeCalls();
  }
  ~GamepadOnThePanel() override {
    if (writer >= 0) ::close(writer);
  }
  std::vector<std::string> send(std::initializer_list<js_event> events) {
    for (const js_event& event : events) EXPECT_EQ(::write(writer, &event, sizeof event), 8);
    panel().pollGamepad();
    return takeCalls();
  }
  using Calls = std::vector<std::string>;

  const std::string device = dir.file("js0");
  int writer = -1;
};

TEST_F(GamepadOnThePanel, UnpluggedWhileADirectionIsHeldStopsEveryMoveItStarted) {
  EXPECT_EQ(send({padRecord(JS_EVENT_BUTTON, 1, 1), padRecord(JS_EVENT_BUTTON, 3, 1)}),
            (Calls{"moveSlow 0 2", "moveSlow 2 2"}));
  ::close(writer);
  writer = -1;
  panel().pollGamepad();
  EXPECT_EQ(takeCalls(), (Calls{"stopMove 0", "stopMove 2"}));
  panel().pollGamepad();
  EXPECT_TRUE(takeCalls().empty());
}

// The D-pad's directions: GamepadTest.ADpadOnAxesPressesItsDirections.
TEST_F(GamepadOnThePanel, ClosingThePanelStopsWhatTheGamepadMoves) {
  EXPECT_EQ(send({padRecord(JS_EVENT_AXIS, 1, 32767)}), Calls{"moveSlow 1 2"});
  window->action(706)->trigger();
  EXPECT_EQ(takeCalls(), Calls{"stopMove 1"});
}

TEST_F(TelescopeWindows, ClockTicksAndPositionsReachTheWindows) {
  double received = 0;
  std::thread::id on;
  ClockRelay relay([&](double, double julian) { received = julian, on = std::this_thread::get_id(); });
  std::thread([&] { relay.clockTick(1.5, 2451545.0); }).join();
  EXPECT_EQ(received, 0);  // queued, not run on the clock thread
  QApplication::processEvents();
  EXPECT_EQ(received, 2451545.0);
  EXPECT_EQ(on, std::this_thread::get_id());
  EXPECT_EQ(siderealText(25.5), "01:30:00");  // sidereal hours wrap into the day
  EXPECT_EQ(siderealText(-0.25), "23:45:00");

  controlPanel().showClock(1.5, 2451545.0);  // the place is at +1 h with daylight saving
  EXPECT_EQ(shown(controlPanel(), DlgTelescopeControl::kLocalTime), "2000.01.01  14:00:00");
  EXPECT_EQ(shown(controlPanel(), DlgTelescopeControl::kUniversalTime), "2000.01.01  12:00:00");

  // Centring on the telescope needs a reported position.
  window->command(610);
  EXPECT_EQ(window->statusParts().part(0), "The telescope position is not known yet.");
  fromTheLink([&] { model->handOver.onMountPosition(0.5, -0.5 * kRad, 10, 20); });
  EXPECT_EQ(shown(panel(), Panel::kScopeRa), "01:54:36");  // 1718.87' rounds to 1719': 1 h 54 m 9 × 4 s
  EXPECT_EQ(shown(panel(), Panel::kScopeDec), "-0:30");
  EXPECT_EQ(shown(controlPanel(), Panel::kScopeDec), "-0:30");
  window->command(610);
  EXPECT_EQ(std::tuple(model->chart.centreRaArcmin, model->chart.centreDecArcmin), std::tuple(1718, -30));
}

TEST_F(TelescopeWindows, GotoTakesTheSelectedObjectAndButtonsSendTheirRequests) {
  report(linkEstablishedCode(kMountMotorEquatorial));  // mask 0xBB: park too
  click(panel(), Panel::kGoto);
  EXPECT_TRUE(takeCalls().empty());
  EXPECT_EQ(window->statusParts().part(0), "Select an object on the chart first.");

  model->setTarget(1.0, 0.2);
  click(panel(), Panel::kGoto);
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"gotoPosition 1 0.2"});

  click(panel(), Panel::kGetPosition);
  auto* tracking = panel().control<QAbstractButton>(Panel::kTracking);
  tracking->click();
  tracking->click();
  for (int id : {Panel::kSetPark, Panel::kGotoPark, Panel::kDisconnect}) click(panel(), id);
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"readPosition", "setTracking 1", "setTracking 0", "setPark",
                                                   "gotoPark", "disconnect"}));
}

TEST_F(TelescopeWindows, ReferencePointsAreSetShownAndDeleted) {
  window->command(601);
  DlgTelescopeAdjust& adjust = *window->telescopeAdjust();
  EXPECT_EQ(model->handOver.dialogListeners.referencePoints, &adjust);
  // The two windows of aligning open side by side: neither hides the other's buttons.
  EXPECT_FALSE(adjust.window()->frameGeometry().intersects(controlPanel().window()->frameGeometry()));
  EXPECT_TRUE(model->referencePoints.marksShown);
  for (int id : {100, 101, 110, 111}) EXPECT_FALSE(enabled(adjust, id)) << id;

  model->lastCentringTarget = {1.0, 0.2, true};
  click(adjust, 112);
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"setReferencePoint 47 19.5 1 0.2 1"});
  EXPECT_TRUE(model->referencePoints.points[1].set);
  EXPECT_TRUE(enabled(adjust, 110) && enabled(adjust, 111));
  EXPECT_FALSE(enabled(adjust, 100));

  click(adjust, DlgTelescopeAdjust::kDeleteAll);
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"deleteReferencePoint 255"});
  for (int id : {100, 101, 110, 111}) EXPECT_FALSE(enabled(adjust, id)) << id;

  click(adjust, kIdCancel);
  EXPECT_FALSE(adjust.window()->isVisible());
  EXPECT_EQ(model->handOver.dialogListeners.referencePoints, nullptr);
  EXPECT_FALSE(model->referencePoints.marksShown);
}

TEST_F(TelescopeWindows, PanelCommandTogglesThePanelAndTheChartTakesTheWidth) {
  QWidget* client = window->centralWidget();
  QWidget* side = panel().window();
  ASSERT_TRUE(window->action(706)->isChecked());
  EXPECT_TRUE(side->isVisible());
  EXPECT_EQ(window->chartWindow().width() + side->width(), client->width());
  EXPECT_EQ(side->x(), window->chartWindow().width());

  window->action(706)->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(side->isVisible());
  EXPECT_EQ(window->chartWindow().width(), client->width());
  EXPECT_EQ(model->outputArea.width, client->width());
}

// --- the telescope aids' windows: LED displays, the spiral search, the DSLR series,
// the autoguider monitor and the gamepad settings ------------------------------------

// A leading zero is blank, a number that does not fit shows dashes (never
// a wrong number), -1 shows nothing, and the last digit always shows.
TEST(LedDisplayTest, DigitsLeadingZerosAndBlank) {
  const struct { int value, first, last; } kShown[] = {{7, 0, 0x1C}, {123, 0x40, 0x40}, {-1, 0, 0}, {0, 0, 0x3F}};
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
  QStringList captions;
  for (const QLabel* label : dialog.window()->findChildren<QLabel*>()) captions << label->text();
  EXPECT_TRUE(captions.contains("Frames") && captions.contains("Exp")) << captions.join(" | ").toStdString();
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
