// The deep-sky catalog of version-4 CLV_DSCN files: the objects lie in sky
// regions, each holding its objects in rising level order, so a drawing
// pass passes over the regions off the chart and leaves a region at its
// first object above every type's level limit. Adds the facts of NGC and IC
// objects from the information file (deepsky_info_file.h).
#pragma once

#include "catalog/deepsky_data_d1.h"
#include "catalog/deepsky_info_file.h"

namespace celvaro {

class DeepskyDataD2 final : public DeepskyDataD1 {
 public:
  DeepskyDataD2() : DeepskyDataD1(4) {}

  void setInfoFile(const std::string& path) override { info_.setPath(path); }
  void prepareDraw(const ChartSettings& settings, const OutputArea& area, iTransformer& transformer) override;
  int nextVisible(DeepskyObject& object, bool& label, bool& secondLabel) override;
  // The facts of the object's first NGC or IC designation among its two
  // primary ones.
  bool readObjectInfo(int index, std::vector<StarInfoItem>& items) const override;

 private:
  DeepskyInfoFile info_;
  std::vector<bool> visible_;
  int maxLevel_ = 10;
  size_t region_ = 0;
  int32_t inRegion_ = 0;
};

}  // namespace celvaro
