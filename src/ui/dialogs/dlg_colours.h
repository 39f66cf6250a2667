// The colours dialog (command 703): the chart's colours one by one, with
// red, green and blue scroll bars and the six built-in schemes.
#pragma once

#include "output/color_table.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class DlgColours final : public FwDialogBaseScroll {
 public:
  static constexpr int kRed = 10, kGreen = 11, kBlue = 12;                // scroll bars
  static constexpr int kRedValue = 20, kGreenValue = 21, kBlueValue = 22;  // number fields
  static constexpr int kBackgroundSwatch = 100;  // 101..113: colours 1..13 on the background
  static constexpr int kFirstColour = 200;       // 200..212: colours 0..12
  static constexpr int kFirstScheme = 300;       // 300..305: schemes 1..6

  // Edits a copy of `colours`; OK writes it back.
  DlgColours(UiResources& resources, ColorTable& colours)
      : FwDialogBaseScroll(resources), target_(colours), colours_(colours) {}
  int resourceId() const override { return 604; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  void onHScroll(int id, int position) override;

  const ColorTable& edited() const { return colours_; }

 private:
  void showChosen();
  void setComponent(int which, int value);
  void componentTyped(int which);
  bool componentsTyped();
  void repaintSamples();

  ColorTable& target_;
  ColorTable colours_;
  int chosen_ = 0;
};

}  // namespace celvaro
