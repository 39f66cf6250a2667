// The object-information window (context-menu command 103, main-window
// callback 9), not modal: the selected object's position, its rise,
// transit and set in local time and UT, its description, its properties
// and its photograph.
#pragma once

#include "app/language_changed_listener.h"
#include "ui/dialog_framework.h"

class QPlainTextEdit;
class QTreeWidget;

namespace celvaro {

class AppModel;
class ImageView;

class DlgObjectInfo final : public FwDialogBase, public iLanguageChangedListener {
 public:
  static constexpr int kRa = 100, kDec = 101;
  static constexpr int kLocalFirst = 200, kUniversalFirst = 210;  // rise, transit, set
  static constexpr int kProperties = 300, kDescription = 400;

  DlgObjectInfo(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}
  int resourceId() const override { return 700; }
  void onInitDialog() override;

  // Shows the window over `parent` with the selected object, or raises it;
  // false, and nothing shown, when nothing is selected.
  bool showOver(QWidget* parent);
  // Shows the selected object again when the window is open.
  void refresh();
  void languageChanged() override;

  ImageView* imageView() const { return image_; }
  QTreeWidget* properties() const;

 private:
  void labelTexts();
  bool fill();

  AppModel& model_;
  ImageView* image_ = nullptr;
};

}  // namespace celvaro
