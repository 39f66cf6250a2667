// The Chart menu's dialogs driven through the main window: what each shows
// when it opens and what OK leaves in the chart settings.
#include <gtest/gtest.h>

#include <QAbstractButton>

#include "ui/dialog_driving.h"
#include "ui/dialogs/dlg_chart_settings.h"
#include "ui/program_window.h"

namespace celvaro {
namespace {

using testing::controlOf;
using testing::press;
using testing::whenShown;

class ChartDialogs : public testing::ProgramWindow {
 protected:
  ChartDialogs() { open(); }
};

bool checked(QWidget* dialog, int id) {
  auto* button = controlOf<QAbstractButton>(dialog, id);
  return button && button->isChecked();
}

// Projection and mirror mode are two choices: each shows the chart's, and
// choosing one leaves the other as it is.
TEST_F(ChartDialogs, ProjectionDialogShowsAndKeepsBothChoices) {
  using D = DlgSimpleProjection;
  model->chart.projectionId = 3;  // stereographic
  model->chart.mirrorMode = 2;    // vertical
  std::vector<int> shown;
  whenShown([&](QWidget* dialog) {
    for (int id = D::kFirstProjection; id < D::kFirstProjection + 5; ++id) {
      if (checked(dialog, id)) shown.push_back(id);
    }
    for (int id = D::kFirstMirror; id < D::kFirstMirror + 4; ++id) {
      if (checked(dialog, id)) shown.push_back(id);
    }
    press(dialog, D::kFirstMirror + 1);  // central
    EXPECT_TRUE(checked(dialog, D::kFirstProjection + 3));
    press(dialog, kIdOk);
  });
  window->command(100);
  EXPECT_EQ(shown, (std::vector<int>{203, 302}));
  EXPECT_EQ(model->chart.projectionId, 3u);
  EXPECT_EQ(model->chart.mirrorMode, 1u);

  whenShown([&](QWidget* dialog) {
    press(dialog, D::kFirstProjection + 4);  // gnomonic
    EXPECT_TRUE(checked(dialog, D::kFirstMirror + 1));
    press(dialog, kIdOk);
  });
  window->command(100);
  EXPECT_EQ(model->chart.projectionId, 4u);
  EXPECT_EQ(model->chart.mirrorMode, 1u);
}

}  // namespace
}  // namespace celvaro
