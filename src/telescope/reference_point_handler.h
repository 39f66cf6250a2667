// The user's side of the alignment reference points.
#pragma once

namespace celvaro {

class iReferencePointHandler {
 public:
  virtual ~iReferencePointHandler() = default;
  // Centres the chart on reference point 0..2 when it is set.
  virtual void showReferencePoint(int index) = 0;
  // Clears point 0..2, or all three for -1.
  virtual void clearReferencePoint(int index) = 0;
};

}  // namespace celvaro
