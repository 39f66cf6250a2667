// The date and time dialogs: DlgDateTime shows the chart's local and
// universal time and sets either, by a Julian date or from the computer's
// clock; DlgSetDateTime edits one date and time.
#pragma once

#include <optional>

#include "astro/chart_date.h"
#include "astro/observing_place.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class DlgSetDateTime final : public FwDialogBase {
 public:
  static constexpr int kYear = 100;  // 100..104: year, month, day, hour, minute

  DlgSetDateTime(UiResources& resources, ChartDate& date) : FwDialogBase(resources), date_(date) {}
  int resourceId() const override { return 602; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  bool readDate();
  ChartDate& date_;
};

class DlgDateTime final : public FwDialogBase {
 public:
  static constexpr int kLocalText = 100, kUniversalText = 101;
  static constexpr int kSetLocal = 200, kSetUniversal = 201, kByJulianDate = 202, kSystemTime = 203;
  static constexpr int kDaylightSaving = 210;

  // Edits copies, local and universal always in step; on OK the caller
  // takes universal() and daylightSaving().
  DlgDateTime(UiResources& resources, const ChartDate& local, const ChartDate& universal, const ObservingPlace& place)
      : FwDialogBase(resources), local_(local), universal_(universal), place_(place) {}
  int resourceId() const override { return 601; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

  const ChartDate& universal() const { return universal_; }
  uint8_t daylightSaving() const { return place_.daylightSaving; }

 private:
  void showDates();
  // The place as the dialog stands: its time zone with the box's daylight saving.
  ObservingPlace currentPlace();
  void setUniversal(const ChartDate& universal);
  std::optional<double> askJulianDate();

  ChartDate local_, universal_;
  ObservingPlace place_;
};

// "2007.06.15/22:00", the form both dialogs show dates in.
std::string dateTimeText(const ChartDate& date);

}  // namespace celvaro
