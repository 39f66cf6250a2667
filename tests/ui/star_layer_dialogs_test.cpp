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

TEST_F(StarLayerDialogs, DoubleLimitsKeepTheOtherModeBits) {
  chart.doubleLimitMode = 1 | 2 | 8 | 64;
  {
    DlgDoublestars dialog(resources, chart);
    dialog.create(nullptr);
    EXPECT_EQ(dialog.control<QLineEdit>(DlgDoublestars::kSeparationMax)->text(), "60.0");
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
  EXPECT_EQ(labels.control<QLineEdit>(DlgDoublestarLabels::kLimit + 2)->text(), "7.00");
  click(labels, DlgDoublestarLabels::kLimit);
  type(labels, DlgDoublestarLabels::kLimit + 1, "-0.5");
  click(labels, kIdOk);
  EXPECT_EQ(chart.doubleLimitMode, 1 | 2 | 4 | 64);
  EXPECT_EQ(chart.doubleLabelOffset, -50);
  EXPECT_EQ(chart.doubleLabelManual, 700);
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
  DisplayButtons() { open(); }
};

// The menu commands open their dialogs; after OK the toolbar buttons follow the settings.
TEST_F(DisplayButtons, FollowTheDialogs) {
  for (const auto& [command, layerSwitch, button] :
       {std::tuple{204, DlgDoublestars::kShown, 2018}, {300, DlgSimpleDeepsky::kFirstMode, 2019}}) {
    whenShown([layerSwitch](QWidget* dialog) {
      press(dialog, layerSwitch);
      press(dialog, kIdOk);
    });
    window->command(command);
    EXPECT_FALSE(window->action(button)->isChecked()) << command;
  }
  EXPECT_EQ(std::tuple(model->chart.needDoubleStars, model->chart.deepskyMode), std::tuple(0, 0));
}

}  // namespace
}  // namespace celvaro
