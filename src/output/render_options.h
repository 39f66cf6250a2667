// The options of one drawing pass: line widths, dashes, font sizes, label
// offsets and minimum symbol sizes, in device units (pixels on screen,
// hundredths of a millimetre on a printed page).
#pragma once

#include <array>
#include <cstdint>

namespace celvaro {

struct RenderOptions {
  static constexpr int kStarClasses = 50;

  bool frame = false;
  int32_t frameLineWidth = 20;
  std::array<int32_t, 6> fontSizes{250, 250, 250, 300, 320, 400};
  int32_t gridLineWidth = 5;
  int32_t hourLabelDx = 2, hourLabelDy = 0;
  int32_t decLabelDx = 2, decLabelDy = -12;
  int32_t eclipticWidth = 15, eclipticDashOn = 120, eclipticDashOff = 0;
  int32_t spareWidth = 15, spareDash = 0;  // carried, read by no output
  int32_t boundaryWidth = 10, boundaryDashOn = 80, boundaryDashOff = 0;
  int32_t figureWidth = 10;
  int32_t starOutlineWidth = 10;
  int32_t doubleStarLineWidth = 1;
  int32_t spareValue1 = 18;  // carried, read by no output
  int32_t trackLineWidth = 15;
  int32_t galaxyLineWidth = 15, globularLineWidth = 15;
  int32_t openClusterLineWidth = 15, openClusterDash = 30;
  int32_t spareValue2 = 15;  // carried, read by no output
  int32_t openClusterNebulaDash = 60;
  int32_t planetaryLineWidth = 15, brightNebulaLineWidth = 15;
  int32_t supernovaRemnantLineWidth = 8;
  int32_t darkNebulaLineWidth = 8, darkNebulaDash = 60;
  int32_t galaxyClusterLineWidth = 8, quasarLineWidth = 15;
  int32_t galaxyShapeThreshold = 12;
  int32_t smallGalaxyWidth = 12, smallGalaxyHeight = 8;
  int32_t minGlobularSize = 10, minOpenClusterSize = 10, minPlanetarySize = 8;
  int32_t minNebulaSize = 10, minGalaxyClusterSize = 10;
  int32_t labelOffsetX = 5;  // star labels, solar system, double stars
  int32_t starLabelOffsetDy = -8;
  int32_t labelSpare = 4;        // carried, read by no output
  int32_t doubleStarLabelDy = -18;
  int32_t deepskyLabelDx = 2;
  int32_t deepskySpare = 2;      // carried, read by no output
  int32_t deepskyLabelDy = -12;
  std::array<int32_t, kStarClasses> starDiameters = filledDiameters();
  bool starDiametersSpecified = false;

 private:
  static constexpr std::array<int32_t, kStarClasses> filledDiameters() {
    std::array<int32_t, kStarClasses> table{};
    table.fill(50);
    return table;
  }
};

// The options a printed map is drawn with, in hundredths of a millimetre.
RenderOptions printRenderOptions();

}  // namespace celvaro
