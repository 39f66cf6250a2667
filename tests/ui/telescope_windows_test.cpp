// The telescope windows driven through their controls against a recording
// link: connecting, the capability switches, the read-outs, moves, goto,
// the reference points and the right-hand panel of the main window.
#include "ui/ui_test_support.h"

#include "app/app_model_fakes.h"
#include "telescope/mount_types.h"
#include "ui/clock_relay.h"
#include "ui/dialogs/dlg_panel_telescope.h"
#include "ui/dialogs/dlg_telescope_adjust.h"
#include "ui/dialogs/dlg_telescope_control.h"
#include "ui/dialogs/dlg_telescope_settings.h"
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
  void report(int linkStatus) {
    fromTheLink([&] { model->handOver.onLinkStatus(linkStatus); });
  }
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

TEST_F(TelescopeWindows, LinkStatusSwitchesTheControlsByTheMountsCapabilities) {
  const int moving[] = {200, 201, 205, 208}, parking[] = {Panel::kSetPark, Panel::kGotoPark};
  panel().control<QAbstractButton>(Panel::kTracking)->setChecked(true);

  report(linkEstablishedCode(kMountMotorAltAz));  // mask 0x1B: no park
  EXPECT_EQ(shown(panel(), Panel::kMountName), "Skywatcher Autotrack direct");
  EXPECT_EQ(shown(panel(), Panel::kStatus), "Telescope connected");
  const int offered[] = {Panel::kGoto, Panel::kGetPosition, Panel::kTracking, Panel::kSpiralSearch};
  for (int id : offered) EXPECT_TRUE(enabled(panel(), id)) << id;
  for (int id : moving) EXPECT_TRUE(enabled(panel(), id)) << id;
  for (int id : parking) EXPECT_FALSE(enabled(panel(), id)) << id;
  EXPECT_FALSE(panel().control<QAbstractButton>(Panel::kTracking)->isChecked());

  // A window opened later shows what the link reported before.
  report(7);
  EXPECT_EQ(shown(controlPanel(), Panel::kStatus), "No link");
  EXPECT_EQ(shown(controlPanel(), Panel::kMountName), "Skywatcher Autotrack direct");
  EXPECT_TRUE(enabled(controlPanel(), 208));
  EXPECT_EQ(model->handOver.dialogListeners.controlPanel, &controlPanel());

  report(20);
  for (Panel* p : {&panel(), static_cast<Panel*>(&controlPanel())}) {
    EXPECT_EQ(shown(*p, Panel::kMountName), "");
    EXPECT_EQ(shown(*p, Panel::kStatus), "Not connected");
    for (int id : offered) EXPECT_FALSE(enabled(*p, id)) << id;
    for (int id : moving) EXPECT_FALSE(enabled(*p, id)) << id;
  }

  // Closing the control panel ends its registration.
  click(controlPanel(), kIdCancel);
  EXPECT_EQ(model->handOver.dialogListeners.controlPanel, nullptr);
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
  EXPECT_EQ(shown(panel(), Panel::kScopeRa), "");
  EXPECT_EQ(shown(panel(), Panel::kScopeDec), "");
  report(linkEstablishedCode(kMountIndi));
  EXPECT_EQ(shown(panel(), Panel::kMountName), "Telescope Simulator");
}

// The object picked is the target at once: both panels show it before Goto
// goes there, and one opened later shows it too.
TEST_F(TelescopeWindows, ThePickedObjectIsShownAsTheTargetBeforeGoto) {
  model->setTarget(1.0, 0.2);
  EXPECT_EQ(shown(panel(), Panel::kTargetRa), QString::fromStdString(mountRaText(1.0)));
  EXPECT_EQ(shown(panel(), Panel::kTargetDec), QString::fromStdString(mountDecText(0.2)));
  EXPECT_EQ(shown(controlPanel(), Panel::kTargetRa), QString::fromStdString(mountRaText(1.0)));
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

TEST(TelescopeReadouts, PositionsAndClockInTheirFormats) {
  EXPECT_EQ(mountRaText(0), "00:00:00");
  EXPECT_EQ(mountDecText(-0.5 * kRad), "-0:30");
  EXPECT_EQ(mountDecText(47.5 * kRad), "47:30");
  EXPECT_EQ(siderealText(25.5), "01:30:00");
  EXPECT_EQ(siderealText(-0.25), "23:45:00");
  EXPECT_EQ(clockDateText(clockDate(2451545.0 - 1e-9, 7200)), "2000.01.01  14:00:00");
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
  EXPECT_EQ(model->chart.centreRaArcmin, 1718);
  EXPECT_EQ(model->chart.centreDecArcmin, -30);
}

TEST_F(TelescopeWindows, DirectionButtonsMoveWhileHeldInTheChosenSpeed) {
  report(linkEstablishedCode(kMountMotorAltAz));
  panel().control<QSlider>(Panel::kSlowRate)->setValue(3);
  QTest::mousePress(panel().control(202), Qt::LeftButton);
  QTest::mouseRelease(panel().control(202), Qt::LeftButton);
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"moveSlow 0 3", "stopMove 0"}));

  click(panel(), Panel::kFast);
  panel().control<QSlider>(Panel::kFastRate)->setValue(5);
  QTest::mousePress(panel().control(208), Qt::LeftButton);  // down and right
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"moveFast 1 5", "moveFast 2 5"}));
  QTest::mouseRelease(panel().control(208), Qt::LeftButton);
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"stopMove 1", "stopMove 2"}));
  click(panel(), Panel::kStop);
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"stopMove 4"});
}

TEST_F(TelescopeWindows, GotoTakesTheSelectedObjectAndButtonsSendTheirRequests) {
  report(linkEstablishedCode(kMountMotorEquatorial));  // mask 0xBB: park too
  click(panel(), Panel::kGoto);
  EXPECT_TRUE(takeCalls().empty());
  EXPECT_EQ(window->statusParts().part(0), "Select an object on the chart first.");

  model->setTarget(1.0, 0.2);
  click(panel(), Panel::kGoto);
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"gotoPosition 1 0.2"});
  EXPECT_EQ(shown(panel(), Panel::kTargetRa), "03:49:12");
  EXPECT_EQ(shown(panel(), Panel::kTargetDec), "11:28");

  click(panel(), Panel::kGetPosition);
  auto* tracking = panel().control<QAbstractButton>(Panel::kTracking);
  tracking->click();
  tracking->click();
  for (int id : {Panel::kSetPark, Panel::kGotoPark, Panel::kDisconnect}) click(panel(), id);
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"readPosition", "setTracking 1", "setTracking 0", "setPark",
                                                   "gotoPark", "disconnect"}));

  // Map mode is the gamepad's flag, shown on both panels and the toolbar.
  click(controlPanel(), Panel::kMapMode);
  EXPECT_EQ(model->gamepad.mapMode, 1);
  EXPECT_TRUE(panel().control<QAbstractButton>(Panel::kMapMode)->isChecked());
  EXPECT_TRUE(window->action(2021)->isChecked());
  EXPECT_TRUE(controlPanel().control<QAbstractButton>(Panel::kSlow)->isChecked());  // a separate pair
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
  EXPECT_EQ(model->handOver.dialogListeners.telescopePanel, &panel());
  EXPECT_EQ(window->chartWindow().width() + side->width(), client->width());
  EXPECT_EQ(side->x(), window->chartWindow().width());

  window->action(706)->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(side->isVisible());
  EXPECT_EQ(model->handOver.dialogListeners.telescopePanel, nullptr);
  EXPECT_EQ(window->chartWindow().width(), client->width());
  EXPECT_EQ(model->outputArea.width, client->width());

  window->action(706)->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(side->isVisible());
  EXPECT_EQ(window->chartWindow().width() + side->width(), client->width());
}

}  // namespace
}  // namespace celvaro
