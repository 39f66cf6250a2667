#include "star_data_drive.h"

#include <algorithm>

#include "fuzz_chart.h"
#include "fuzz_files.h"

namespace celvaro::fuzz {
namespace {

void queryStars(const iStarData& catalog) {
  const int count = std::min(catalog.starCount(), 64);
  for (int index = -1; index <= count; ++index) {
    StarPosition position;
    catalog.getPosition(index, position);
    std::string designation;
    catalog.getDesignation(index, designation);
    int kind = 0;
    int32_t n1 = 0, n2 = 0, n3 = 0, n4 = 0;
    catalog.getCatalogNumbers(index, kind, n1, n2, n3, n4);
  }
}

}  // namespace

void driveStarData(iStarData& catalog, const std::string& relativePath, SkyFocus focus) {
  catalog.setDataDirectory(scratchDirectory());
  if (catalog.open(relativePath) != 0) return;
  for (const int fieldArcmin : {10800, 600, 60}) {
    FuzzChart chart(focus.raDeg, focus.decDeg, fieldArcmin);
    catalog.draw(chart.output, chart.transformer, chart.settings, chart.area, 2000, true);
  }
  queryStars(catalog);
}

}  // namespace celvaro::fuzz
