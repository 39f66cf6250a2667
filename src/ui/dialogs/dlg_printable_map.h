// The printable-map dialog (command 800): the file format, the page (A4,
// A3, Letter or a size of one's own, upright or on its side), the margin
// and the file. OK writes the chart on screen into the file (a name without
// an extension takes the format's; an existing file is replaced only when
// the user says so); a map that could not be written is reported with the
// reason and the dialog stays open.
#pragma once

#include <optional>

#include "app/printable_map_export.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class DlgPrintableMap final : public FwDialogBase {
 public:
  static constexpr int kFormat = 100, kPaper = 101, kPortrait = 102, kLandscape = 103;
  static constexpr int kWidth = 104, kHeight = 105, kMargin = 106, kFileName = 107, kBrowse = 108;
  // Papers in the order of their list; the last is a size of one's own.
  enum Paper : int { kA4, kA3, kLetter, kCustom };

  // The dialog starts from `choice` and leaves the map written in it.
  DlgPrintableMap(UiResources& resources, AppModel& model, PrintableMap& choice)
      : FwDialogBase(resources), model_(model), choice_(choice) {}
  int resourceId() const override { return 700; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  void showPaper();
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
  // The file last chosen through the file dialog, which asked already
  // whether it may be replaced.
  std::string confirmedName_;
};

}  // namespace celvaro
