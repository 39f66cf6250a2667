#include "platform/locale_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace celvaro {
namespace {

// gettext's order: LC_ALL over LC_MESSAGES over LANG, an empty one skipped.
TEST(MessagesLanguage, FollowsTheVariablesInGettextsOrder) {
  struct Case {
    const char *lcAll, *lcMessages, *lang, *expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, "de_AT.UTF-8", "de"},  {nullptr, nullptr, "hu_HU@euro", "hu"},
      {nullptr, "ro_RO.UTF-8", "en_GB.UTF-8", "ro"}, {"hu_HU.UTF-8", "de_DE.UTF-8", "en_US.UTF-8", "hu"},
      {"", "", "ro", "ro"},                      {nullptr, nullptr, "C.UTF-8", "C"},
      {nullptr, nullptr, "fr_FR.UTF-8", "fr"},   {nullptr, nullptr, nullptr, ""},
  };
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> before[3];
  for (int i = 0; i < 3; ++i) {
    if (const char* value = std::getenv(names[i])) before[i] = value;
  }
  const auto set = [](const char* name, const char* value) {
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  };
  for (const Case& c : cases) {
    set("LC_ALL", c.lcAll);
    set("LC_MESSAGES", c.lcMessages);
    set("LANG", c.lang);
    EXPECT_EQ(messagesLanguage(), c.expected);
  }
  for (int i = 0; i < 3; ++i) set(names[i], before[i] ? before[i]->c_str() : nullptr);
}

}  // namespace
}  // namespace celvaro
