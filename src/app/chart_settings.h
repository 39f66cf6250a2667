// The chart's view and display settings, one record copied whole when a
// printable map is made. Angles are integer arcminutes (right ascension
// 0..21599, 900 per hour), magnitudes integer hundredths.
#pragma once

#include <cstdint>

#include "astro/chart_date.h"

namespace celvaro {

struct ChartSettings {
  // View.
  ChartDate chartDate;            // the universal date the sidereal time belongs to
  int centreRaArcmin = 0;         // 0..21599
  int centreDecArcmin = 0;        // -5400..5400
  double siderealTimeHours = 0;   // Greenwich sidereal time of chartDate
  double latitudeDeg = 47.5;      // copy of the observing place
  double longitudeDeg = 19.0;     // copy of the observing place
  int centreAzArcmin = 0;         // horizontal mode, from the south through the west
  int centreAltArcmin = 0;        // horizontal mode
  int fieldArcmin = 3600;         // field of view
  int maxStarDiameterCap = 25;    // pixels; 1000 for print
  int raGridStepArcmin = 900;     // derived
  int decGridStepArcmin = 900;    // derived
  uint8_t automaticGrid = 1;      // 0: the manual steps below are used
  int manualRaGridStepArcmin = 900;
  int manualDecGridStepArcmin = 900;
  int starLimitHundredths = 600;  // derived, at most 1150
  int colourLimitHundredths = 600;  // derived: stars not fainter are coloured
  uint8_t starColouring = 0;      // draw stars in colour by spectral class
  // Derived label limits: a star gets a label part when it is brighter.
  int starNameLimitHundredths = 200;
  int bayerLimitHundredths = 200;
  int flamsteedLimitHundredths = -200;
  int abbreviationLimitHundredths = -200;
  uint8_t horizontalMode = 0;     // 1: centred on azimuth and altitude
  uint32_t projectionId = 1;      // ProjectionId; equal-area at start-up
  uint32_t mirrorMode = 0;        // MirrorMode

  bool operator==(const ChartSettings&) const = default;
};

}  // namespace celvaro
