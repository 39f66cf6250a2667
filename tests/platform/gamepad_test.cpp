// The gamepad over js_event records from a file or a pipe standing in for
// the joystick device (this kernel offers no joystick or uinput device).
#include "platform/gamepad.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"

namespace celvaro {
namespace {

std::string record(uint8_t type, uint8_t number, int16_t value) {
  js_event event{};
  event.time = 1234;
  event.type = type;
  event.number = number;
  event.value = value;
  return std::string(reinterpret_cast<const char*>(&event), sizeof event);
}
std::string button(uint8_t number, bool pressed) { return record(JS_EVENT_BUTTON, number, pressed ? 1 : 0); }

TEST(GamepadTest, ButtonRecordsFromAFileSetTheMask) {
  testing::ScratchDir dir;
  const std::string path = (dir.path() / "js0").string();
  {
    std::ofstream out(path, std::ios::binary);
    // The initial state, an axis beyond the D-pad's, a button beyond the mask.
    out << record(JS_EVENT_BUTTON | JS_EVENT_INIT, 2, 1) << record(JS_EVENT_AXIS, 2, -32767)
        << button(40, true) << button(0, true);
  }
  Gamepad pad(path);
  GamepadState state;
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state, (GamepadState{0b101u, 0}));
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << button(2, false) << button(31, true);
  }
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0x80000001u);
}

// A D-pad on axes 0 (left negative) and 1 (up negative): past half the
// range presses, the centre releases, the far side at once swaps.
TEST(GamepadTest, ADpadOnAxesPressesItsDirections) {
  testing::ScratchDir dir;
  const std::string path = (dir.path() / "js0").string();
  std::ofstream(path, std::ios::binary) << record(JS_EVENT_AXIS | JS_EVENT_INIT, 1, 32767);
  Gamepad pad(path);
  GamepadState state;
  const std::pair<std::string, uint8_t> steps[] = {
      {"", Gamepad::kDpadDown},
      {record(JS_EVENT_AXIS, 0, -16383), Gamepad::kDpadDown},  // not yet half
      {record(JS_EVENT_AXIS, 0, -16384), Gamepad::kDpadDown | Gamepad::kDpadLeft},
      {record(JS_EVENT_AXIS, 1, 0), Gamepad::kDpadLeft},
      {record(JS_EVENT_AXIS, 0, 32767), Gamepad::kDpadRight},
      {record(JS_EVENT_AXIS, 1, -32767) + record(JS_EVENT_AXIS, 0, 0), Gamepad::kDpadUp},
  };
  for (const auto& [records, held] : steps) {
    std::ofstream(path, std::ios::binary | std::ios::app) << records;
    ASSERT_EQ(pad.poll(state), Gamepad::kOk);
    EXPECT_EQ(state.dpad, held) << records.size();
    EXPECT_EQ(state.buttons, 0u);
  }
}

TEST(GamepadTest, DevicesAreTheJoysticksInNumberOrderAndAMissingOneIsUnplugged) {
  testing::ScratchDir dir;
  for (const char* name : {"js10", "event3", "js1", "js0", "jsx", "mouse0"}) std::ofstream(dir.file(name)) << "";
  EXPECT_EQ(gamepadDevices(dir.path().string()),
            (std::vector<std::string>{dir.file("js0"), dir.file("js1"), dir.file("js10")}));
  EXPECT_TRUE(gamepadDevices(dir.file("none")).empty());
  // A device that is not there answers unplugged and leaves the state alone.
  Gamepad pad(dir.file("js2"));
  GamepadState state{99, 1};
  EXPECT_EQ(pad.poll(state), Gamepad::kUnplugged);
  EXPECT_EQ(state, (GamepadState{99, 1}));
}

// A pipe may deliver a record in parts; its writer closing is the gamepad
// going away.
TEST(GamepadTest, RecordsSplitInAPipeAndItsEndIsUnplugged) {
  testing::ScratchDir dir;
  const std::string path = (dir.path() / "js0").string();
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const int writer = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  Gamepad pad(path);
  GamepadState state;
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0u);
  const std::string press = button(3, true);
  ASSERT_EQ(::write(writer, press.data(), 5), 5);
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0u);
  ASSERT_EQ(::write(writer, press.data() + 5, 3), 3);
  ASSERT_EQ(pad.poll(state), Gamepad::kOk);
  EXPECT_EQ(state.buttons, 0b1000u);
  ::close(writer);
  EXPECT_EQ(pad.poll(state), Gamepad::kUnplugged);
}

}  // namespace
}  // namespace celvaro
