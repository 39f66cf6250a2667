// The field-of-view dialog (command 101): the field as degrees:minutes, with
// preset buttons.
#pragma once

#include "ui/dialog_framework.h"

namespace celvaro {

class DlgFieldWidth final : public FwDialogBase {
 public:
  static constexpr int kField = 100;
  static constexpr int kFirstPreset = 200;  // 180:00 .. 1:00

  DlgFieldWidth(UiResources& resources, int fieldArcmin) : FwDialogBase(resources), field_(fieldArcmin) {}
  int resourceId() const override { return 101; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  // The field read back on OK, arcminutes.
  int fieldArcmin() const { return field_; }

 private:
  int field_;
};

}  // namespace celvaro
