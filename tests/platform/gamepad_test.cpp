// The gamepad over js_event records from a file or a pipe standing in for
// the joystick device.
#include "platform/gamepad.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

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

TEST(GamepadTest, NoDeviceAnswersUnplugged) {
  testing::ScratchDir dir;
  Gamepad pad((dir.path() / "js0").string());
  uint32_t buttons = 99;
  EXPECT_EQ(pad.poll(buttons), Gamepad::kUnplugged);
  EXPECT_EQ(buttons, 99u);
}

TEST(GamepadTest, ButtonRecordsFromAFileSetTheMask) {
  testing::ScratchDir dir;
  const std::string path = (dir.path() / "js0").string();
  {
    std::ofstream out(path, std::ios::binary);
    // The initial state, an axis that is not kept, a button beyond the mask.
    out << record(JS_EVENT_BUTTON | JS_EVENT_INIT, 2, 1) << record(JS_EVENT_AXIS, 0, -32767)
        << button(40, true) << button(0, true);
  }
  Gamepad pad(path);
  uint32_t buttons = 0;
  ASSERT_EQ(pad.poll(buttons), Gamepad::kOk);
  EXPECT_EQ(buttons, 0b101u);
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << button(2, false) << button(31, true);
  }
  ASSERT_EQ(pad.poll(buttons), Gamepad::kOk);
  EXPECT_EQ(buttons, 0x80000001u);
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
  uint32_t buttons = 0;
  ASSERT_EQ(pad.poll(buttons), Gamepad::kOk);
  EXPECT_EQ(buttons, 0u);
  const std::string press = button(3, true);
  ASSERT_EQ(::write(writer, press.data(), 5), 5);
  ASSERT_EQ(pad.poll(buttons), Gamepad::kOk);
  EXPECT_EQ(buttons, 0u);
  ASSERT_EQ(::write(writer, press.data() + 5, 3), 3);
  ASSERT_EQ(pad.poll(buttons), Gamepad::kOk);
  EXPECT_EQ(buttons, 0b1000u);
  ::close(writer);
  EXPECT_EQ(pad.poll(buttons), Gamepad::kUnplugged);
}

}  // namespace
}  // namespace celvaro
