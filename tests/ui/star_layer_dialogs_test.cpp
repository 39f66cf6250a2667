// The variable-star, double-star and deep-sky dialogs driven through their
// controls: the fixed-point fields in both directions, the bits and slots
// they must leave alone, and the display buttons of the main window.
#include "ui/ui_test_support.h"

#include "ui/dialogs/dlg_deepsky.h"
#include "ui/dialogs/dlg_star_layers.h"

namespace celvaro {
namespace {

using namespace testing;

// Short or missing texts leave a wide box's centre outside its clickable part.
void toggle(FwDialogBase& dialog, int id) { dialog.control<QAbstractButton>(id)->click(); }

using StarLayerDialogs = DialogTest;

TEST_F(StarLayerDialogs, VariableStarsCancelKeepsAndOkWritesBack) {
  using D = VarStarSettingsDlg;
  const ChartSettings before = chart;
  {
    D dialog(resources, chart);
    dialog.create(nullptr);
    click(dialog, D::kShown);
    type(dialog, D::kMinPeriod + 1, "3.5");
    click(dialog, kIdCancel);
  }
  EXPECT_EQ(chart, before);
  D dialog(resources, chart);
  dialog.create(nullptr);
  EXPECT_EQ(fieldText(dialog, D::kLimit + 1), "-2.00");
  EXPECT_EQ(fieldText(dialog, D::kAmplitude + 1), "0.50");
  EXPECT_EQ(fieldText(dialog, D::kMinPeriod + 1), "1.00");
  EXPECT_EQ(fieldText(dialog, D::kMaxPeriod + 1), "1000.00");
  EXPECT_TRUE(dialog.control<QAbstractButton>(D::kFirstType + 5)->text().startsWith("X"));
  click(dialog, D::kLimit);
  type(dialog, D::kLimit + 2, "11.5");
  click(dialog, D::kMinPeriod);
  type(dialog, D::kMinPeriod + 1, "3.50");
  type(dialog, D::kMaxPeriod + 1, "-2");
  type(dialog, D::kAmplitude + 1, "abc");
  EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }),
            QStringList{"Amplitude at least (magnitudes) must be between 0 and 30."});
  type(dialog, D::kAmplitude + 1, "0");
  EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }),
            QStringList{"Period at most (days) must be between 0 and 100000."});
  type(dialog, D::kMaxPeriod + 1, "0");
  click(dialog, D::kTypeFilter);
  click(dialog, D::kFirstType + 2);
  click(dialog, kIdOk);
  EXPECT_EQ(std::tuple(chart.variableFilterMode, chart.variableLimitManual, chart.variableLimitOffset,
                       chart.variableMinPeriodFilter, chart.variableMinPeriod, chart.variableMaxPeriod,
                       chart.variableMinAmplitude, chart.variableTypeFilter, chart.variableTypes),
            std::tuple(1, 1150, -200, 1, 350, 0, 0, 1, (std::array<uint8_t, 6>{1, 1, 0, 1, 1, 1})));
}

TEST_F(StarLayerDialogs, VariableLabelLimitInMagnitudes) {
  using D = DlgVarStarLabels;
  D dialog(resources, chart);
  dialog.create(nullptr);
  EXPECT_EQ(fieldText(dialog, D::kLimit + 1), "-2.00");
  EXPECT_EQ(fieldText(dialog, D::kLimit + 2), "8.00");
  type(dialog, D::kLimit + 1, "-1,25");
  click(dialog, D::kWithRange);
  click(dialog, kIdOk);
  EXPECT_EQ(chart.variableLabel, (LabelLimitSetting{0, 800, -125}));
  EXPECT_EQ(chart.variableLabelWithRange, 1);
  EXPECT_EQ(chart.variableLabelWithType, 0);
}

TEST_F(StarLayerDialogs, DoubleLimitsKeepTheOtherModeBits) {
  chart.doubleLimitMode = 1 | 2 | 8 | 64;
  {
    DlgDoublestars dialog(resources, chart);
    dialog.create(nullptr);
    EXPECT_EQ(fieldText(dialog, DlgDoublestars::kSeparationMax), "60.0");
    click(dialog, DlgDoublestars::kLimit);
    type(dialog, DlgDoublestars::kLimit + 2, "7.25");
    click(dialog, DlgDoublestars::kSeparationFilter);
    type(dialog, DlgDoublestars::kSeparationMin, "1.5");
    type(dialog, DlgDoublestars::kSeparationMax, "-3");
    click(dialog, DlgDoublestars::kKeepUnknown);
    EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }),
              QStringList{"Largest separation (arcseconds) must be between 0 and 3600."});
    type(dialog, DlgDoublestars::kSeparationMax, "0");
    click(dialog, kIdOk);
  }
  EXPECT_EQ(std::tuple(chart.doubleLimitMode, chart.doubleLimitManual, chart.doubleSeparationFilter,
                       chart.doubleSeparationMin, chart.doubleSeparationMax, chart.doubleKeepUnknownSeparations),
            std::tuple(1 | 2 | 4 | 8 | 64, 725, 1, 15, 0, 0));

  DlgDoublestarLabels labels(resources, chart);
  labels.create(nullptr);
  EXPECT_TRUE(labels.control<QAbstractButton>(DlgDoublestarLabels::kLimit)->isChecked());
  EXPECT_EQ(fieldText(labels, DlgDoublestarLabels::kLimit + 2), "7.00");
  click(labels, DlgDoublestarLabels::kLimit);
  type(labels, DlgDoublestarLabels::kLimit + 1, "-0.5");
  click(labels, kIdOk);
  EXPECT_EQ(chart.doubleLimitMode, 1 | 2 | 4 | 64);
  EXPECT_EQ(chart.doubleLabelOffset, -50);
  EXPECT_EQ(chart.doubleLabelManual, 700);
}

TEST_F(StarLayerDialogs, DeepskyLevelsAreRead) {
  using D = DlgSimpleDeepsky;
  D dialog(resources, chart);
  dialog.create(nullptr);
  EXPECT_TRUE(dialog.control<QAbstractButton>(D::kFirstMode + 1)->isChecked());
  click(dialog, D::kFirstMode + 2);
  type(dialog, D::kLevelOffset, "10");
  type(dialog, D::kManualLevel, " 0 ");
  type(dialog, D::kLabelOffset, "+3");
  type(dialog, D::kSecondLabelOffset, "-10");
  click(dialog, D::kSecondLabels);
  click(dialog, kIdOk);
  EXPECT_EQ(std::tuple(chart.deepskyMode, chart.deepskyLevelOffset, chart.deepskyManualLevel,
                       chart.deepskyLabelLevelOffset, chart.deepskySecondLabelOffset, chart.deepskySecondLabels),
            std::tuple(2, 10, 0, 3, -10, 1));
}

TEST_F(StarLayerDialogs, CatalogIdsWriteTheirMaskBitsOnly) {
  using D = DlgDeepskyCatalogIds;
  chart.deepskyIdentifiers.mask |= 128;
  D dialog(resources, chart);
  QWidget* window = dialog.create(nullptr);
  // Wide enough that the title bar shows the whole title ("Deep-sky c…g identifiers" was cut).
  EXPECT_GT(window->minimumWidth(), window->fontMetrics().horizontalAdvance(window->windowTitle()) + 100);
  toggle(dialog, D::kFirstDesignation);      // Messier off
  toggle(dialog, D::kFirstDesignation + 3);  // UGC on
  click(dialog, D::kOnlyOne);
  click(dialog, kIdOk);
  using B = DeepskyIdentifierSettings;
  EXPECT_EQ(chart.deepskyIdentifiers, (B{B::kNgc | B::kIc | B::kUgc | 128, 0, 1}));
}

TEST_F(StarLayerDialogs, TypeRowsWriteTheirOwnSlots) {
  using D = DlgDeepskyLabelsForTypes;
  D dialog(resources, chart);
  dialog.create(nullptr);
  for (int type = 11; type <= 14; ++type) EXPECT_EQ(dialog.control(D::cellId(type, D::kShownColumn)), nullptr) << type;
  EXPECT_EQ(dialog.control<QLabel>(D::cellId(15, D::kNameColumn))->text(), "Quasars");
  click(dialog, D::kPerType);
  toggle(dialog, D::cellId(15, D::kShownColumn));
  toggle(dialog, D::cellId(6, D::kSecondLabelColumn));
  type(dialog, D::cellId(15, D::kLevelColumn), "-2");
  type(dialog, D::cellId(1, D::kLabelLevelColumn), "99");
  EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }),
            QStringList{"Label level offset must be between -10 and 10."});
  type(dialog, D::cellId(1, D::kLabelLevelColumn), "10");
  click(dialog, kIdOk);
  EXPECT_EQ(std::tuple(chart.deepskyPerType, chart.deepskyTypes[15], chart.deepskyTypes[6],
                       chart.deepskyTypes[1].labelOffset),
            std::tuple(1, (DeepskyTypeSettings{0, -2, 1, 1, 0}), (DeepskyTypeSettings{1, 0, 1, 0, 0}), 10));
  for (int type = 11; type <= 14; ++type) EXPECT_EQ(chart.deepskyTypes[type], DeepskyTypeSettings{}) << type;
}

// --- the main window's display buttons ------------------------------------------------

class DisplayButtons : public ProgramWindow {
 protected:
  DisplayButtons() { load(); }
  bool checked(int id) { return window->action(id)->isChecked(); }
};

TEST_F(DisplayButtons, ToggleTheirLayers) {
  model->chart.deepskyMode = 2;
  model->chart.needDoubleStars = 0;
  open();
  EXPECT_TRUE(checked(2017));
  EXPECT_FALSE(checked(2018));
  EXPECT_TRUE(checked(2019));
  for (int id : {2017, 2018, 2019}) ASSERT_TRUE(window->action(id)->isEnabled()) << id;
  window->action(2019)->trigger();
  EXPECT_EQ(model->chart.deepskyMode, 0);
  EXPECT_EQ(model->chart.deepskyLevel, 0);
  window->action(2019)->trigger();
  EXPECT_EQ(model->chart.deepskyMode, 1);
  window->action(2017)->trigger();
  window->action(2018)->trigger();
  EXPECT_EQ(model->chart.needVariableStars, 0);
  EXPECT_EQ(model->chart.needDoubleStars, 1);
}

// The menu commands open their dialogs; after OK the buttons follow the settings.
TEST_F(DisplayButtons, FollowTheDialogs) {
  open();
  for (int id : {202, 203, 204, 205, 300, 301, 302}) EXPECT_TRUE(window->action(id)->isEnabled()) << id;
  auto answer = [](int switchId) {
    QTimer::singleShot(0, [switchId] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QAbstractButton*>(FwDialogBase::objectName(switchId))->click();
      dialog->findChild<QAbstractButton*>(FwDialogBase::objectName(kIdOk))->click();
    });
  };
  answer(DlgDoublestars::kShown);
  window->command(204);
  EXPECT_EQ(model->chart.needDoubleStars, 0);
  EXPECT_FALSE(checked(2018));
  answer(DlgSimpleDeepsky::kFirstMode);
  window->command(300);
  EXPECT_EQ(model->chart.deepskyMode, 0);
  EXPECT_FALSE(checked(2019));
}

}  // namespace
}  // namespace celvaro
