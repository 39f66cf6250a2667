// The user's comet (opened from the comet list window): its name, the
// perihelion date and the orbital elements, and whether the chart shows it.
// The elements stay locked until their switch is ticked; a note under them
// says when they lie more than ten years from the chart's date.
#pragma once

#include <array>

#include "solarsystem/user_orbits.h"
#include "ui/dialog_framework.h"

namespace celvaro {

// The note of the user comet's and asteroid's dialogs on elements far from
// the chart's date, when the language has no text for it.
inline constexpr const char* kOutdatedEnglish =
    "The elements are more than ten years from the chart's date: the place may be far off.";

class DlgComets final : public FwDialogBase {
 public:
  static constexpr int kName = 100, kYear = 101, kMonth = 102, kDay = 103;
  static constexpr int kFirstElement = 110;  // 110..114: q, e, i, argument of perihelion, node
  static constexpr int kShown = 120, kEditElements = 121, kOutdated = 122;

  // OK writes the fields into `comet`; `chartDate` is universal.
  DlgComets(UiResources& resources, UserComet& comet, const ChartDate& chartDate)
      : FwDialogBase(resources), comet_(comet), chartDate_(chartDate) {}
  int resourceId() const override { return 354; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  std::array<DecimalRow, 5> elementRows();
  void enableElements();
  bool readBack();
  UserComet& comet_;
  ChartDate chartDate_;
};

}  // namespace celvaro
