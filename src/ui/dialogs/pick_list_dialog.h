// A dialog that offers a list of names and answers the row chosen: OK or a
// double click on a name take it.
#pragma once

#include <QStringList>

#include <utility>

#include "ui/dialog_framework.h"

class QListWidget;

namespace celvaro {

class PickListDialog : public FwDialogBase {
 public:
  static constexpr int kList = 100;

  PickListDialog(UiResources& resources, int titleTextId, const char* title)
      : FwDialogBase(resources), titleTextId_(titleTextId), title_(title) {}
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  // The row taken with OK; -1 before.
  int chosen() const { return chosen_; }

 protected:
  // The names, set by the constructor of each kind of list.
  void setNames(QStringList names) { names_ = std::move(names); }

 private:
  QListWidget* list() const;

  int titleTextId_;
  const char* title_;
  QStringList names_;
  int chosen_ = -1;
};

}  // namespace celvaro
