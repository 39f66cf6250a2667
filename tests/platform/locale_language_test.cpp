#include "platform/locale_language.h"

#include <gtest/gtest.h>

#include "test_files.h"

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
  testing::EnvironmentValue lcAll("LC_ALL", nullptr), lcMessages("LC_MESSAGES", nullptr), lang("LANG", nullptr);
  for (const Case& c : cases) {
    lcAll.set(c.lcAll);
    lcMessages.set(c.lcMessages);
    lang.set(c.lang);
    EXPECT_EQ(messagesLanguage(), c.expected);
  }
}

}  // namespace
}  // namespace celvaro
