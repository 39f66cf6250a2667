// Popular objects (command 510): the deep-sky objects that have a common
// name, in the alphabetical list of the user-interface language, with their
// two identifiers.
#pragma once

#include <vector>

#include "ui/dialog_framework.h"

class QTableWidget;

namespace celvaro {

class iDeepskyData;

class DlgSearchNamedObj final : public FwDialogBaseResizable {
 public:
  static constexpr int kTable = 100;
  static constexpr int kColumns = 3;  // identifier, second identifier, name

  // `language` 1..4 as the user-interface languages.
  DlgSearchNamedObj(UiResources& resources, iDeepskyData& deepsky, int language);
  int resourceId() const override { return 406; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  // The identifier columns take at most a quarter of the width each; the
  // name column the rest.
  void onSize(int width, int height) override;
  // The deep-sky object of the row taken with OK; -1 before.
  int chosenObject() const { return chosen_; }

 private:
  struct Row {
    int object;
    QString cells[kColumns];
  };
  QTableWidget* table() const;
  void fillTable();

  std::vector<Row> rows_;
  int identifierWidths_[2] = {0, 0};  // as their contents need
  int chosen_ = -1;
};

}  // namespace celvaro
