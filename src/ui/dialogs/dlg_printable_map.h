// The printable-map dialog (command 800): the file format, the page (A4,
// A3, Letter or a size of one's own, upright or on its side), the margin,
// the file, and what is printed: the chart on screen, the finder chart of
// an object, or an atlas (a PDF) of the sky, a constellation or a list
// file's objects, with its field and limiting magnitude. OK writes it into
// the file (a name without an extension takes the format's; an existing
// file is replaced only when the user says so); what could not be written
// is reported with the reason and the dialog stays open.
#pragma once

#include <optional>

#include "app/atlas_export.h"
#include "app/printable_map_export.h"
#include "ui/dialog_framework.h"

namespace celvaro {

// What the dialog prints, beside the page.
struct PrintedWork {
  enum Kind : int { kChart, kFinder, kAtlas };
  int kind = kChart;
  std::string subject = "sky";  // the finder chart's object, the atlas's subject
  AtlasOptions atlas;
};

class DlgPrintableMap final : public FwDialogBase {
 public:
  static constexpr int kFormat = 100, kPaper = 101, kPortrait = 102, kLandscape = 103;
  static constexpr int kWidth = 104, kHeight = 105, kMargin = 106, kFileName = 107, kBrowse = 108;
  static constexpr int kKind = 109, kSubject = 110, kAtlasField = 111, kAtlasLimit = 112;
  // Papers in the order of their list; the last is a size of one's own.
  enum Paper : int { kA4, kA3, kLetter, kCustom };

  // The dialog starts from `choice` and `work` and leaves what it wrote in
  // them; without `work` it starts from the chart on screen.
  DlgPrintableMap(UiResources& resources, AppModel& model, PrintableMap& choice, PrintedWork* work = nullptr)
      : FwDialogBase(resources), model_(model), choice_(choice), work_(work ? *work : ownWork_) {}
  int resourceId() const override { return 700; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void showPaper();
  void showKind();
  void addWorkRows(int firstRow);
  // The work the controls show; none when a number is refused.
  std::optional<PrintedWork> shownWork();
  // Writes a finder chart or an atlas; an empty text when it was written
  // (or is the chart on screen), else why not.
  std::string write(const PrintedWork& work, const PrintableMap& map);
  void matchExtension();
  void browse();
  QString formatSuffix() const;
  // The choice the controls show.
  std::optional<PrintableMap> shownChoice();
  std::string fileName() const;
  void warn(const QString& message);
  void writeMap();

  AppModel& model_;
  PrintableMap& choice_;
  PrintedWork ownWork_;
  PrintedWork& work_;
  // The file last chosen through the file dialog, which asked already
  // whether it may be replaced.
  std::string confirmedName_;
};

}  // namespace celvaro
