// The observing aids as a user meets them: the city list in the observing-
// place dialog, the object information of M 42, the suggestions of a June
// evening, star hopping and the moon calendar. The tests on the built data
// skip themselves where the data have not been built.
#include "ui/ui_test_support.h"

#include "app/model_object_info.h"
#include "ui/dialogs/dlg_date_time.h"
#include "ui/dialogs/dlg_moon_calendar.h"
#include "ui/dialogs/dlg_object_info.h"
#include "ui/dialogs/dlg_observing_place.h"
#include "ui/dialogs/dlg_observing_suggestions.h"
#include "ui/dialogs/dlg_star_hopping.h"
#include "ui/image_view.h"

namespace celvaro {
namespace {

using namespace testing;

class BuiltAids : public BuiltProgramWindow {
 protected:
  void SetUp() override {
    BuiltProgramWindow::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    loadObservingAids(*model);
    open(900, 700);
  }
};

TEST_F(BuiltAids, ChoosingBudapestSetsItsPlaceAndTimeZone) {
  int chosen = -1;
  whenShown([&](QWidget* dialog) {
    press(dialog, DlgObservingPlace::kListMode);
    auto* cities = controlOf<QComboBox>(dialog, DlgObservingPlace::kCities);
    chosen = cities->findText("Budapest", Qt::MatchStartsWith);
    ASSERT_GE(chosen, 0);
    cities->setCurrentIndex(chosen);
    EXPECT_EQ(controlOf<QLineEdit>(dialog, DlgObservingPlace::kZoneName)->text(), "Europe/Budapest");
    press(dialog, kIdOk);
  });
  window->editObservingPlace();
  EXPECT_EQ(model->place.cityIndex, chosen);
  EXPECT_NEAR(model->place.latitudeDeg, 47.50, 1e-9);
  EXPECT_NEAR(model->place.longitudeDeg, 19.04, 1e-9);
  EXPECT_NEAR(model->place.timeZoneHours, 1.0, 1e-9);
  // Summer time on the chart's date, 15 June 2007, by Hungary's rules.
  EXPECT_EQ(model->place.daylightSaving, 1);
  EXPECT_EQ(statusText(4), "LT 2007.06.15 22:00   UT 2007.06.15 20:00");
}

TEST_F(BuiltAids, TheCityListHoldsTheCapitalsAndTheHomeCountriesTowns) {
  const std::vector<std::string> wanted = {"Vienna (AT)", "Bucharest (RO)", "Berlin (DE)", "Debrecen (HU)",
                                           "Cluj-Napoca (RO)", "Graz (AT)", "Munich (DE)", "Canberra (AU)",
                                           "Washington (Washington, D.C.) (US)", "Kyiv (UA)"};
  std::vector<std::string> names;
  for (auto name = model->cities.firstCity(); name; name = model->cities.nextCity()) names.push_back(*name);
  EXPECT_GT(names.size(), 600u);
  for (const std::string& city : wanted) EXPECT_NE(std::find(names.begin(), names.end(), city), names.end()) << city;
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
  }));
}

TEST_F(BuiltAids, TheObjectInformationOfM42ShowsItsPhotoPositionAndRoute) {
  model->place = {-1, 47.50, 19.04, 1.0, 0};
  model->setUniversalDate({2007, 12, 15, 20, 0, 0.0});
  StarPosition m42;  // selected as its search selects it
  ASSERT_TRUE(model->catalogs()->deepsky()->findByDesignation("M 42", m42));
  ASSERT_EQ(model->centreOnFound(m42, SearchKind::kDeepsky), kSearchCentred);
  window->showObjectInfo();
  DlgObjectInfo& info = window->objectInfo();
  ASSERT_TRUE(info.window()->isVisible());
  EXPECT_TRUE(info.control<QLabel>(DlgObjectInfo::kRa)->text().startsWith("05:35:"));
  EXPECT_TRUE(info.control<QLabel>(DlgObjectInfo::kDec)->text().startsWith("-05:2"));
  // The facts themselves: ObjectInfoFromInputs and ChartOfAnObject.InformationWritesIdentifiersInFull.
  EXPECT_TRUE(info.imageView()->hasPicture());
  EXPECT_TRUE(info.control<QPlainTextEdit>(DlgObjectInfo::kDescription)->toPlainText().startsWith("M 42"));
  // Hatysa (ι Ori, 5h35m25.98s -5°54'35.6" in SIMBAD) lies 31.1' south and
  // 2.2' east of M 42 (5h35m17.3s -5°23'28"): 0.52 degrees, M 42 to the north.
  const QTreeWidgetItem* route = info.properties()->topLevelItem(info.properties()->topLevelItemCount() - 1);
  EXPECT_EQ(route->text(0), "Star-hop route");
  EXPECT_EQ(route->text(1).toStdString(), "Hatysa → 0.5° N → M 42");
}

// Vega picked on a wide chart, from the main catalog, and at 2 degrees,
// where the deep star catalog draws the stars (at 5 degrees and less), is
// the same star with its Hipparcos data and no photo. Vega, Hipparcos (ESA
// 1997, SP-1200): HIP 91262 at 18h36m56.336s +38 47' 01.28" (J2000).
TEST_F(BuiltAids, VegaPickedOnAWideOrA2DegreeChartIsNamedWithItsHipparcosData) {
  for (const auto& [field, catalog] : {std::pair{3600, ""}, {120, "Deep stars"}}) {
    SCOPED_TRACE(field);
    model->chart.fieldArcmin = field;
    model->pickFilter = kPickStar;
    model->centreOn((18 + 36 / 60.0 + 56.336 / 3600) * 15 * kRad, (38 + 47 / 60.0 + 1.28 / 3600) * kRad, 0, 0, false);
    model->applyView();
    chart().repaintNow();
    if (*catalog) {
      ASSERT_EQ(model->catalogs()->currentDisplayName(), catalog);
    }
    QTest::mouseClick(&chart(), Qt::LeftButton, {}, centre());
    ASSERT_TRUE(model->selectionValid);
    EXPECT_EQ(model->selection.kind, kPickStar);
    EXPECT_TRUE(statusText().starts_with("Star: HIP 91262 [")) << statusText();
    // The telescope's target is Vega's place at the chart's instant,
    // 2007-06-15 20:00 UT: astropy 5.2.1 moves SIMBAD's place by its proper
    // motion to 18h36m56.46s +38d47m03.41s.
    const double movedRaDeg = (18 + 36 / 60.0 + 56.46 / 3600) * 15, movedDecDeg = 38 + 47 / 60.0 + 3.41 / 3600;
    const double dRa = (model->lastCentringTarget.raRad / kRad - movedRaDeg) * std::cos(movedDecDeg * kRad);
    EXPECT_LT(std::hypot(dRa, model->lastCentringTarget.decRad / kRad - movedDecDeg) * 3600, 1.0);
    EXPECT_FALSE(objectInformation(*model)->photoPath.has_value());
    window->showObjectInfo();
    DlgObjectInfo& info = window->objectInfo();
    EXPECT_TRUE(info.control<QPlainTextEdit>(DlgObjectInfo::kDescription)->toPlainText().contains("Vega"));
    EXPECT_FALSE(info.properties()->findItems("91262", Qt::MatchExactly, 1).isEmpty());
  }
}

TEST_F(BuiltAids, AJuneEveningInBudapestSuggestsSummerObjectsNotOrion) {
  model->place = {0, 47.50, 19.04, 1.0, 1};
  window->command(512);
  DlgObservingSuggestions* suggestions = window->suggestions();
  ASSERT_NE(suggestions, nullptr);
  typeInto(suggestions->window(), DlgObservingSuggestions::kDate, "2007.06.15");
  typeInto(suggestions->window(), DlgObservingSuggestions::kTime, "22:30");
  suggestions->rebuildList();
  auto* rows = suggestions->control<QTreeWidget>(DlgObservingSuggestions::kRows);
  QStringList names;
  for (int i = 0; i < rows->topLevelItemCount(); ++i) names << rows->topLevelItem(i)->text(2);
  EXPECT_GT(names.size(), 50);
  EXPECT_FALSE(names.filter(QRegularExpression("^M 13 ")).isEmpty()) << names.join("; ").toStdString();
  EXPECT_FALSE(names.filter(QRegularExpression("^Albireo")).isEmpty());
  EXPECT_TRUE(names.filter(QRegularExpression("^M 42 ")).isEmpty());
  EXPECT_EQ(rows->topLevelItem(0)->text(0), "Deep-sky object");
}

TEST_F(BuiltAids, AStarHopRouteIsDrawnAndTakenAway) {
  window->command(511);
  DlgStarHopping* hopping = window->starHopping();
  ASSERT_NE(hopping, nullptr);
  const int m13 = 12;  // the routes run from M 1
  // η Her (16h42m53.8s +38°55'20" in SIMBAD) lies 2.46 degrees north and
  // 0.24 degrees east of M 13 (16h41m41.2s +36°27'36"): 2.5 degrees, south.
  hopping->control<QListWidget>(DlgStarHopping::kRoutes)->setCurrentRow(m13);
  EXPECT_EQ(hopping->control<QLabel>(DlgStarHopping::kRouteText)->text().toStdString(), "η Her → 2.5° S → M 13");
  hopping->showRoute(m13);
  EXPECT_EQ(model->chart.showRoute, 1);
  EXPECT_GE(model->route.count(), 2);
  EXPECT_NEAR(model->chart.centreDecArcmin / 60.0, 35, 8);  // between the start star and M 13
  hopping->hideRoute();
  EXPECT_EQ(model->chart.showRoute, 0);
}

class EmptyProgramDir : public ProgramWindow {
 protected:
  void SetUp() override {
    load();
    loadObservingAids(*model);
    open(900, 700);
  }
};

// The chart's clock starts at 20:00 UT, 22:00 local time in zone +1 with
// daylight saving. Without daylight saving that instant is 21:00 local.
TEST_F(EmptyProgramDir, DaylightSavingOffInTheDateDialogKeepsTheInstant) {
  whenShown([&](QWidget* dialog) {
    press(dialog, DlgDateTime::kDaylightSaving);
    EXPECT_EQ(controlOf<QLabel>(dialog, DlgDateTime::kLocalText)->text().toStdString(), "2007.06.15/21:00");
    EXPECT_EQ(controlOf<QLabel>(dialog, DlgDateTime::kUniversalText)->text().toStdString(), "2007.06.15/20:00");
    press(dialog, kIdOk);
  });
  window->command(701);
  EXPECT_EQ(model->place.daylightSaving, 0);
  EXPECT_EQ(statusText(4), "LT 2007.06.15 21:00   UT 2007.06.15 20:00");
}

// Tokyo's zone is +9 without daylight saving: 20:00 UT is 05:00 the next morning.
TEST_F(EmptyProgramDir, ANewTimeZoneMovesTheLocalClockNotTheInstant) {
  whenShown([&](QWidget* dialog) {
    press(dialog, DlgObservingPlace::kManualMode);
    typeInto(dialog, DlgObservingPlace::kTimeZone, "9");
    press(dialog, DlgObservingPlace::kDaylightSaving);
    press(dialog, kIdOk);
  });
  window->editObservingPlace();
  EXPECT_EQ(statusText(4), "LT 2007.06.16 05:00   UT 2007.06.15 20:00");
}

// The Julian-date question starts at the chart's instant, 2007-06-15 20:00 UT
// (noon of that day is JD 2454267.0).
TEST_F(EmptyProgramDir, TheJulianDateQuestionStartsAtTheChartsDate) {
  QString offered;
  whenShown([&](QWidget* dateDialog) {
    whenShown(
        [&](QWidget* question) {
          offered = question->findChild<QLineEdit*>()->text();
          qobject_cast<QDialog*>(question)->reject();
        },
        dateDialog);
    press(dateDialog, DlgDateTime::kByJulianDate);
    press(dateDialog, kIdCancel);
  });
  window->command(701);
  EXPECT_EQ(offered, "2454267.33333");
}

TEST_F(EmptyProgramDir, APlaceOffTheEarthIsRefusedFieldByField) {
  QString messages;
  whenShown([&](QWidget* dialog) {
    press(dialog, DlgObservingPlace::kManualMode);
    messages = refusalsFieldByField(dialog, {{DlgObservingPlace::kLatitude, "200", "-33.9"},
                                             {DlgObservingPlace::kLongitude, "-180.5", "18.4"},
                                             {DlgObservingPlace::kTimeZone, "1e10", "2"}});
  });
  window->editObservingPlace();
  EXPECT_EQ(messages.toStdString(),
            "Latitude must be between -90 and 90. | Longitude must be between -180 and 180. | "
            "Time zone must be between -14 and 14.");
  EXPECT_DOUBLE_EQ(model->place.latitudeDeg, -33.9);
  EXPECT_DOUBLE_EQ(model->place.timeZoneHours, 2);
}

TEST_F(EmptyProgramDir, ObjectInfoWithoutASelectionSaysThereIsNoData) {
  EXPECT_EQ(messagesDuring([&] { window->showObjectInfo(); }), QStringList{"No data available for this object."});
  EXPECT_FALSE(window->objectInfo().window()->isVisible());
}

// Below the month its quarters: February 2007's full Moon on the 2nd at
// 05:45 UT and new Moon on the 17th at 16:14 UT, as almanacs list them.
TEST_F(EmptyProgramDir, TheMoonCalendarShowsFebruary2007FromThursdayWithItsQuarters) {
  model->place = {-1, 47.5, 19.04, 0.0, 0};  // local time is UT
  whenShown([&](QWidget* dialog) {
    typeInto(dialog, 100, "2007.02");
    press(dialog, 101);
    EXPECT_EQ(std::tuple(model->moonCalendar.dayCount, model->moonCalendar.firstWeekday), std::tuple(28, 3));
    const QString quarters = controlOf<QLabel>(dialog, DlgMoonCalendar::kQuarters)->text();
    EXPECT_TRUE(quarters.contains(QRegularExpression("Full Moon: 2007-02-02 05:4[4-6]"))) << quarters.toStdString();
    EXPECT_TRUE(quarters.contains(QRegularExpression("New Moon: 2007-02-17 16:1[3-5]"))) << quarters.toStdString();
    press(dialog, 103);  // the next month
    EXPECT_EQ(controlOf<QLineEdit>(dialog, 100)->text().toStdString(), "2007.03");
    qobject_cast<QDialog*>(dialog)->reject();
  });
  window->command(402);
  EXPECT_EQ(model->moonCalendar.dayCount, 31);
}

// The month shown stays when the typed one does not exist.
TEST_F(EmptyProgramDir, TheMoonCalendarRefusesMonthsThatDoNotExist) {
  QStringList messages;
  whenShown([&](QWidget* dialog) {
    for (const char* month : {"99999999.01", "2007.13", "0.05"}) {
      typeInto(dialog, 100, month);
      messages << messagesDuring([&] { press(dialog, 101); });
    }
    EXPECT_EQ(controlOf<QLineEdit>(dialog, 100)->text().toStdString(), "2007.06");
    qobject_cast<QDialog*>(dialog)->reject();
  });
  window->command(402);
  EXPECT_EQ(messages, QStringList({"Year must be between 1 and 9999.", "Month must be between 1 and 12.",
                                    "Year must be between 1 and 9999."}));
  EXPECT_EQ(model->moonCalendar.dayCount, 30);  // June 2007
}

TEST_F(EmptyProgramDir, WithoutCityDataThePlaceDialogOffersNoCities) {
  whenShown([&](QWidget* dialog) {
    EXPECT_EQ(controlOf<QComboBox>(dialog, DlgObservingPlace::kCities)->count(), 0);
    qobject_cast<QDialog*>(dialog)->reject();
  });
  window->editObservingPlace();
}

}  // namespace
}  // namespace celvaro
