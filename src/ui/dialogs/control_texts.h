// The fixed captions of a window: each control's language text with its
// built-in English one. A window shows them when it is made and again when
// the user chooses another language, so an open window follows the change.
#pragma once

#include <span>

namespace celvaro {

class FwDialogBase;
class UiResources;

struct ControlText {
  int id;  // the control's id; kWindowTitle for the window's title
  int textId;
  const char* english;
};

constexpr int kWindowTitle = 0;

// Sets the caption of each listed control that exists: a button's or a
// label's text, a group box's title, or the window's title.
void showControlTexts(const FwDialogBase& dialog, UiResources& resources, std::span<const ControlText> texts);

}  // namespace celvaro
