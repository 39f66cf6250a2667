// The Chart menu's dialogs driven through the main window: what each shows
// when it opens and what OK leaves in the chart settings.
#include "ui/ui_test_support.h"

#include "ui/dialogs/dlg_chart_settings.h"

namespace celvaro {
namespace {

using namespace testing;

class ChartDialogs : public ProgramWindow {
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
    for (int id : {200, 201, 202, 203, 204, 300, 301, 302, 303}) {  // five projections, four mirror modes
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

// The constellation layer: figures, boundaries, and the names drawn as
// Latin names or abbreviations (the abbreviations win when both switches
// are on). The list shows what each abbreviation stands for.
TEST_F(ChartDialogs, ConstellationDialogEditsTheConstellationLayer) {
  constexpr int kFigures = 100, kBoundaries = 101, kNoNames = 200, kLatinNames = 201, kAbbreviations = 202, kList = 300;
  ChartSettings& chart = model->chart;
  chart.needConstLines = 1, chart.needConstBoundaries = 0, chart.needConstNames = 1, chart.needConstAbbreviations = 1;
  QAction* command = window->action(103);
  ASSERT_NE(command, nullptr);
  std::vector<int> shown;
  std::vector<std::string> rows;
  whenShown([&](QWidget* dialog) {
    for (int id : {kFigures, kBoundaries, kNoNames, kLatinNames, kAbbreviations}) {
      if (checked(dialog, id)) shown.push_back(id);
    }
    auto* list = controlOf<QListWidget>(dialog, kList);
    ASSERT_NE(list, nullptr);
    for (int row = 0; row < list->count(); ++row) rows.push_back(list->item(row)->text().toStdString());
    press(dialog, kBoundaries);
    press(dialog, kLatinNames);
    press(dialog, kIdOk);
  });
  command->trigger();
  EXPECT_EQ(shown, (std::vector<int>{kFigures, kAbbreviations}));
  // The list's order and names: ConstellationList.NumbersNamesAndAbbreviations.
  ASSERT_EQ(rows.size(), 89u);
  EXPECT_EQ(rows[75], "Ser  Serpens Caput");
  EXPECT_EQ(std::tie(chart.needConstLines, chart.needConstBoundaries, chart.needConstNames, chart.needConstAbbreviations),
            std::make_tuple(1, 1, 1, 0));

  whenShown([&](QWidget* dialog) {
    press(dialog, kNoNames);
    press(dialog, kIdOk);
  });
  command->trigger();
  EXPECT_EQ(std::tie(chart.needConstNames, chart.needConstAbbreviations), std::make_tuple(0, 0));
}

// Saving under a typed name: the file dialog adds ".clv" itself, so its
// question about replacing a file is asked for the file that is written.
// What the question and a failed save say is recorded.
class SettingFileSave : public ChartDialogs {
 protected:
  // Types `name` into the save dialog of command 107 and accepts it; a
  // message box it raises is answered with `answer`. The dialog is
  // cancelled if it is still open after that.
  void save(const QString& name, QMessageBox::StandardButton answer) {
    messages.clear();
    whenShown([&](QWidget* dialog) {
      auto* files = qobject_cast<QFileDialog*>(dialog);
      ASSERT_NE(files, nullptr);
      files->setDirectory(QString::fromStdString(dir.path().string()));
      files->selectFile(name);
      whenShown([&](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        messages.push_back(box->text().toStdString());
        ASSERT_NE(box->button(answer), nullptr);
        box->button(answer)->click();
      }, dialog);
      static_cast<QDialog*>(files)->accept();  // the Save button
      if (files->isVisible()) files->reject();
    });
    window->command(107);
  }

  std::vector<std::string> messages;
};

TEST_F(SettingFileSave, ReplacingAFileIsAskedForTheNameWithItsExtension) {
  const std::string kept = dir.file("foo.clv");
  writeBytes(kept, "needhorizon=0\r\n");
  save("foo", QMessageBox::No);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("foo.clv"), std::string::npos) << messages[0];
  EXPECT_EQ(readBytes(kept), "needhorizon=0\r\n");

  save("foo", QMessageBox::Yes);
  EXPECT_EQ(readBytes(kept).rfind("needequatorialgrid=", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir.file("foo.clv.clv")));
}

// A file that cannot be written is named with the system's reason.
TEST_F(SettingFileSave, AFailedSaveSaysWhichFileAndWhy) {
  std::filesystem::create_symlink(dir.path() / "gone" / "x.clv", dir.path() / "lost.clv");
  save("lost.clv", QMessageBox::Ok);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(dir.file("lost.clv")), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find(std::strerror(ENOENT)), std::string::npos) << messages[0];
}

}  // namespace
}  // namespace celvaro
