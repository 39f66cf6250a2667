// The searches that offer their objects in a list: constellations (command
// 502), the Sun, the Moon and the planets (506) and comets (507).
#pragma once

#include <cstdint>
#include <vector>

#include "ui/dialogs/pick_list_dialog.h"

namespace celvaro {

class SolarSystem;

// The Latin names of the 89 constellations with blanks, in their order.
QStringList constellationNames();

// The 89 constellations by their Latin names; chosen() is the constellation number.
class DlgSearchConst final : public PickListDialog {
 public:
  explicit DlgSearchConst(UiResources& resources);
  int resourceId() const override { return 405; }
};

// Bodies 0..8 by their names; chosen() is the body number.
class DlgSearchSolarsys final : public PickListDialog {
 public:
  DlgSearchSolarsys(UiResources& resources, const SolarSystem& solar);
  int resourceId() const override { return 402; }
};

// The user's comet first, then the comets of the comet list.
class DlgSearchComet final : public PickListDialog {
 public:
  DlgSearchComet(UiResources& resources, const SolarSystem& solar);
  int resourceId() const override { return 403; }
  // The object identifier of the comet chosen; -1 before.
  int32_t chosenComet() const;

 private:
  std::vector<int> lines_;  // the comet-list line of each row after the first
};

}  // namespace celvaro
