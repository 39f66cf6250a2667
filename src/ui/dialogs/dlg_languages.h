// The language dialogs: the first-start question, and the choice from the
// menu (command 708). Each answers the language id chosen, 0 for none.
#pragma once

#include <array>
#include <string_view>

#include "ui/dialog_framework.h"

namespace celvaro {

// Four language buttons, ids 100 to 103, in a dialog's own order.
class LanguageButtonsDialog : public FwDialogBase {
 public:
  static constexpr int kFirstButton = 100;
  LanguageButtonsDialog(UiResources& resources, std::array<int, 4> order)
      : FwDialogBase(resources), order_(order) {}
  void onCommand(int id, int code, QWidget* control) override;
  int chosen() const { return chosen_; }

 protected:
  void addLanguageButtons(int row);
  // Gives the focus and the default to the button of the language of a
  // two-letter code ("hu", "en", "de", "ro"), English for any other code.
  void preselect(std::string_view code);

 private:
  std::array<int, 4> order_;
  int chosen_ = 0;
};

// First start: 100 English, 101 German, 102 Hungarian, 103 Romanian; the
// language of the user's locale preselected.
class DlgLanguageOpen final : public LanguageButtonsDialog {
 public:
  explicit DlgLanguageOpen(UiResources& resources);
  int resourceId() const override { return 606; }
  void onInitDialog() override;
};

// From the menu: 100 Hungarian, 101 English, 102 German, 103 Romanian.
class DlgLanguages final : public LanguageButtonsDialog {
 public:
  explicit DlgLanguages(UiResources& resources);
  int resourceId() const override { return 605; }
  void onInitDialog() override;
};

}  // namespace celvaro
