#include "output/print_colour_table.h"

#include <gtest/gtest.h>

#include "output/text_encoding.h"
#include "test_files.h"

namespace celvaro {
namespace {

TEST(PrintColourTable, EntriesAreReadAsThreeNumbersOfUpToThreeDigits) {
  PrintColourTable table;
  table.setEntry(1, "5,50,100");
  EXPECT_EQ(table.entry(1), (PrintColour{5, 50, 100}));
  table.setEntry(2, "12345,x,7 ");
  EXPECT_EQ(table.entry(2), (PrintColour{100, 0, 7}));  // "123", over 100 percent: 100
  const PrintColourTable before = table;
  table.setEntry(3, "1,2");        // one comma
  table.setEntry(4, ",1,2");       // a comma first
  table.setEntry(12, "1,2,3");     // no such entry
  table.setEntry(5, std::string(99, ' ') + ",1,2");  // the second comma beyond the first 100 characters
  EXPECT_EQ(table, before);
}

TEST(PrintColourTable, AProgramDirectorysFileSetsItsEntries) {
  testing::ScratchDir dir;
  std::filesystem::create_directories(dir.path() / "data");
  testing::writeBytes(dir.file("data/printcolours.txt"),
                      "# print colours\r\n6=0,0,50\r\n10 = 20,30,40\n7=nonsense\n99=1,2,3\n");
  const PrintColourTable table = programPrintColours(dir.path().string());
  EXPECT_EQ(table.entry(6), (PrintColour{0, 0, 50}));
  EXPECT_EQ(table.entry(10), (PrintColour{20, 30, 40}));
  EXPECT_EQ(table.entry(7), (PrintColour{100, 100, 100}));
  EXPECT_EQ(programPrintColours(dir.file("elsewhere")), PrintColourTable());
}

TEST(TextEncoding, LiteralStringsEscapeWhatTheLanguagesReserve) {
  std::string out;
  appendLiteralString(out, "a(b)\\c\n\x9a~");
  EXPECT_EQ(out, "(a\\(b\\)\\\\c\\012\\232~)");
}

}  // namespace
}  // namespace celvaro
