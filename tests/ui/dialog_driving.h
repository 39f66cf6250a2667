// Driving dialogs through their controls in tests.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "ui/dialog_framework.h"

namespace celvaro::testing {

inline void click(FwDialogBase& dialog, int id) {
  QWidget* control = dialog.control(id);
  ASSERT_NE(control, nullptr) << id;
  QTest::mouseClick(control, Qt::LeftButton);
}

}  // namespace celvaro::testing
