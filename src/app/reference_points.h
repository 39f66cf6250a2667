// The three alignment reference points on the user's side: stored from the
// chart's target, handed to the telescope with the observing place, shown by
// centring the chart on them, and marked with crosses while the adjustment
// dialog is open.
#pragma once

#include <array>

#include "telescope/reference_point_handler.h"
#include "telescope/telescope_dialog_listeners.h"

namespace celvaro {

class AppModel;
class RenderingOutput;
class iTransformer;

class ReferencePoints : public iReferencePointHandler {
 public:
  static constexpr int kCount = 3;
  static constexpr int kFieldArcmin = 5400;

  explicit ReferencePoints(AppModel& model) : model_(model) {}

  void showReferencePoint(int index) override;
  void clearReferencePoint(int index) override;
  // Stores point 0..2 at a sky position and hands it to the telescope with
  // the observing place.
  void store(int index, double raRad, double decRad);
  // A cross on each point set and in sight, while the marks are shown.
  void drawMarks(RenderingOutput& output, iTransformer& transformer) const;

  std::array<ReferencePoint, kCount> points{};
  bool marksShown = false;

 private:
  void notifyListener(int index);

  AppModel& model_;
};

}  // namespace celvaro
