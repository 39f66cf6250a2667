// What users type into the dialogs' number fields, through the real
// dialogs: the value taken, or the message that refuses the text by the
// field's name and range. Dates must exist in the chart's calendar (the
// Julian one before 1583); a position must lie on the sky.
#include "ui/ui_test_support.h"

#include "solarsystem/user_orbits.h"
#include "ui/dialogs/dlg_comets.h"
#include "ui/dialogs/dlg_date_time.h"
#include "ui/dialogs/dlg_languages.h"
#include "ui/dialogs/dlg_search_typed.h"

namespace celvaro {
namespace {

using namespace testing;

constexpr double kDegree = std::numbers::pi / 180;

// Presses OK: the messages it brought, joined, and whether the dialog took the values.
struct Outcome { std::string messages; bool accepted; };
Outcome pressOk(FwDialogBase& dialog) {
  const QString messages = messagesDuring([&] { press(dialog.window(), kIdOk); }).join(" | ");
  return {messages.toStdString(), dialog.window()->result() == QDialog::Accepted};
}

using TypedNumbers = DialogTest;

// --- a position on the sky ---------------------------------------------------------------------

struct PositionCase {
  const char *ra, *dec;
  double raHours, decDegrees;  // when taken
  const char* refusal;         // "" when taken
};

class TypedPosition : public TypedNumbers, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(TypedPosition, IsTakenOrRefusedByName) {
  const PositionCase& c = GetParam();
  PositionDlg dialog(resources, 0.0, 0.0);
  dialog.create(nullptr);
  typeInto(dialog.window(), PositionDlg::kRightAscension, c.ra);
  typeInto(dialog.window(), PositionDlg::kDeclination, c.dec);
  const Outcome outcome = pressOk(dialog);
  EXPECT_EQ(outcome.messages, c.refusal);
  ASSERT_EQ(outcome.accepted, std::string(c.refusal).empty());
  if (!outcome.accepted) return;
  EXPECT_NEAR(dialog.raRad(), c.raHours * 15 * kDegree, 1e-12);
  EXPECT_NEAR(dialog.decRad(), c.decDegrees * kDegree, 1e-12);
}

// Right ascension runs from 0 to 24 hours, declination from -90 to +90
// degrees (which texts are a sexagesimal number: WholeSexagesimal).
constexpr const char* kRaRefused = "Right ascension (h:m:s) must be between 0 and 24.";
constexpr const char* kDecRefused = "Declination (d:m) must be between -90 and 90.";
INSTANTIATE_TEST_SUITE_P(
    Texts, TypedPosition,
    ::testing::Values(PositionCase{"5:35:17", "-5:23", 5 + 35 / 60.0 + 17 / 3600.0, -(5 + 23 / 60.0), ""},
                      PositionCase{"0:00", "90:00", 0, 90, ""}, PositionCase{"5:35:17", "95:00", 0, 0, kDecRefused},
                      PositionCase{"24:00:01", "0", 0, 0, kRaRefused}, PositionCase{"-1:00", "0", 0, 0, kRaRefused}));

// --- dates ---------------------------------------------------------------------------------------

struct DateCase {
  const char* fields[5];  // year, month, day, hour, minute
  const char* refusal;    // "" when taken
};

class TypedDate : public TypedNumbers, public ::testing::WithParamInterface<DateCase> {};

TEST_P(TypedDate, ExistsInTheChartsCalendarOrIsRefusedByName) {
  const DateCase& c = GetParam();
  ChartDate date{2007, 6, 15, 20, 0, 0.0};
  const ChartDate before = date;
  DlgSetDateTime dialog(resources, date);
  dialog.create(nullptr);
  for (int i = 0; i < 5; ++i) typeInto(dialog.window(), DlgSetDateTime::kYear + i, c.fields[i]);
  const Outcome outcome = pressOk(dialog);
  EXPECT_EQ(outcome.messages, c.refusal);
  if (!outcome.accepted) {
    EXPECT_EQ(date, before);
    return;
  }
  const auto number = [](const char* text) { return std::atoi(text); };
  EXPECT_EQ(date, (ChartDate{number(c.fields[0]), number(c.fields[1]), number(c.fields[2]), number(c.fields[3]),
                             number(c.fields[4]), 0.0}));
}

// The month lengths of the chart's calendar: 2024 is a leap year, 2023 is
// not; before 1583 every fourth year is (1500 was). The calendar's rule
// itself: Calendar.MonthLengthsAndLeapYears; which texts are whole numbers:
// WholeInt.
INSTANTIATE_TEST_SUITE_P(
    Days, TypedDate,
    ::testing::Values(DateCase{{"2024", "2", "29", "12", "0"}, ""}, DateCase{{"1500", "2", "29", "0", "0"}, ""},
                      DateCase{{"2023", "2", "29", "0", "0"}, "Day must be between 1 and 28."},
                      DateCase{{"2026", "13", "1", "0", "0"}, "Month must be between 1 and 12."},
                      DateCase{{"2026", "1", "1", "24", "0"}, "Hour must be between 0 and 23."},
                      DateCase{{"2026", "1", "1", "23", "60"}, "Minute must be between 0 and 59."},
                      DateCase{{"2026a", "1", "1", "0", "0"}, "Year must be between -4712 and 9999."}));

// The perihelion day keeps four decimals of a day; the month's last day
// ends at .9999.
TEST_F(TypedNumbers, ACometsPerihelionDateMustExist) {
  struct Case { const char *year, *month, *day; const char* refusal; int dayTenThousandths; };
  const Case cases[] = {
      {"2026", "2", "30,5", "Perihelion day must be between 1 and 28.9999.", 0},
      {"2026", "2x", "1", "Perihelion month must be between 1 and 12.", 0},
      {"2024", "2", "29,5", "", 295000},
      {"2020", "7", "3.6813", "", 36813},
  };
  for (const Case& c : cases) {
    UserComet comet;
    DlgComets dialog(resources, comet, {2007, 6, 15});
    dialog.create(nullptr);
    press(dialog.window(), DlgComets::kEditElements);
    typeInto(dialog.window(), DlgComets::kYear, c.year);
    typeInto(dialog.window(), DlgComets::kMonth, c.month);
    typeInto(dialog.window(), DlgComets::kDay, c.day);
    const Outcome outcome = pressOk(dialog);
    EXPECT_EQ(outcome.messages, c.refusal) << c.day;
    EXPECT_EQ(comet.dayTenThousandths, outcome.accepted ? c.dayTenThousandths : UserComet{}.dayTenThousandths);
  }
}

// Inclinations run from 0 to 180 degrees; every element is refused by name
// when it is not one number, and the comet keeps its elements.
TEST_F(TypedNumbers, ACometsElementsAreNumbersWithinTheirRanges) {
  UserComet comet;
  DlgComets dialog(resources, comet, {2007, 6, 15});
  dialog.create(nullptr)->show();
  press(dialog.window(), DlgComets::kEditElements);
  const int first = DlgComets::kFirstElement;
  const QString messages = refusalsFieldByField(
      dialog.window(), {{first, "abc", "0,287"}, {first + 2, "181", "128,9"}, {first + 4, "61.0 deg", "61"}});
  EXPECT_EQ(messages.toStdString(),
            "Perihelion distance q (AU) must be between 0.0001 and 1000. | "
            "Inclination i (degrees) must be between 0 and 180. | "
            "Longitude of the ascending node \u03a9 (degrees) must be between 0 and 360.");
  EXPECT_DOUBLE_EQ(comet.q, 0.287);
  EXPECT_DOUBLE_EQ(comet.iDeg, 128.9);
  EXPECT_DOUBLE_EQ(comet.nodeDeg, 61);
}

// --- the first start's language ------------------------------------------------------------

// The first start's buttons: 100 English, 101 German, 102 Hungarian, 103 Romanian; which variable
// wins: MessagesLanguage.FollowsTheVariablesInGettextsOrder.
TEST_F(TypedNumbers, TheFirstStartPreselectsTheLanguageOfTheLocale) {
  const EnvironmentValue lcAll{"LC_ALL", nullptr}, lcMessages{"LC_MESSAGES", nullptr};
  EnvironmentValue lang{"LANG", nullptr};
  const std::pair<const char*, int> cases[] = {
      {"de_AT.UTF-8", 101}, {"hu_HU.UTF-8", 102}, {"ro_RO.UTF-8", 103}, {"en_GB.UTF-8", 100}, {"fr_FR.UTF-8", 100}};
  for (const auto& [locale, button] : cases) {
    lang.set(locale);
    DlgLanguageOpen dialog(resources);
    dialog.create(nullptr);
    EXPECT_EQ(dialog.window()->focusWidget(), dialog.control<QPushButton>(button)) << locale;
    for (int id = 100; id < 104; ++id) EXPECT_EQ(dialog.control<QPushButton>(id)->isDefault(), id == button) << id;
    press(dialog.window(), button);
    EXPECT_EQ(dialog.chosen(), (std::array{kEnglish, kGerman, kHungarian, kRomanian})[button - 100]);
  }
}

}  // namespace
}  // namespace celvaro
