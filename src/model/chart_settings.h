// The chart's view and display settings, one record copied whole when a
// printable map is made. Angles are integer arcminutes (right ascension
// 0..21599, 900 per hour), magnitudes integer hundredths.
#pragma once

#include <array>
#include <cstdint>

#include "astro/chart_date.h"
#include "solarsystem/track_settings.h"

namespace celvaro {

// A label limit: the manual value, or the star limit plus the offset.
struct LabelLimitSetting {
  uint8_t manual = 0;
  int manualValue = 400;
  int offset = -400;
  bool operator==(const LabelLimitSetting&) const = default;
};

// Disc sizes of solar-system bodies: a minimum and a maximum, each from an
// offset to the star limit (as the disc of a star that many hundredths of
// a magnitude brighter) or fixed in device units, chosen by the flag bits.
struct DiscSizeSettings {
  enum Flag : int {
    kMinimumFromMagnitude = 1,
    kMaximumFromMagnitude = 2,
    kFixedMinimum = 4,
    kFixedMaximum = 8,
  };
  int flags = 0;
  int minimumOffset = 0;   // hundredths of a magnitude
  int maximumOffset = 0;
  int fixedMinimum = 0;    // device units
  int fixedMaximum = 0;
  bool operator==(const DiscSizeSettings&) const = default;
};

// What the chart shows of one deep-sky object type (1..15; the types 11 to
// 14 follow those of 2, 7, 5 and 3).
struct DeepskyTypeSettings {
  uint8_t shown = 1;
  int levelOffset = 0;
  uint8_t label = 1;
  uint8_t secondLabel = 1;
  int labelOffset = 0;
  bool operator==(const DeepskyTypeSettings&) const = default;
};

// Which designations a deep-sky label shows: mask bits 0 Messier, 1 NGC,
// 2 IC, 3 UGC, 4 PGC, 5 other designations.
struct DeepskyIdentifierSettings {
  enum Bit : int { kMessier = 1, kNgc = 2, kIc = 4, kUgc = 8, kPgc = 16, kOther = 32 };
  int mask = kMessier | kNgc | kIc;
  uint8_t onlyOne = 1;   // only the first of Messier, NGC and IC
  uint8_t showNames = 1; // the common name after the designations
  bool operator==(const DeepskyIdentifierSettings&) const = default;
};

struct ChartSettings {
  // --- View ---------------------------------------------------------------
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
  uint8_t horizontalMode = 0;     // 1: centred on azimuth and altitude
  uint8_t refraction = 0;         // 1: apparent altitudes lifted by the air (standard conditions)
  uint32_t projectionId = 1;      // ProjectionId; equal-area at start-up
  uint32_t mirrorMode = 0;        // MirrorMode
  // A fixed scale for printed maps (both positive to apply): half-field and half-extent.
  int scaleHalfFieldArcmin = 0;
  int scaleHalfExtent = 0;

  // --- Layers (setting files) ---------------------------------------------
  uint8_t needEquatorialGrid = 1;
  uint8_t needGridNumbering = 1;
  uint8_t needEcliptic = 1;
  uint8_t needHorizon = 1;
  uint8_t needConstLines = 1;
  uint8_t needConstBoundaries = 1;
  uint8_t needConstNames = 1;
  uint8_t needConstAbbreviations = 0;  // abbreviations instead of names
  uint8_t needMilkyWay = 1;
  uint8_t showStars = 1;
  uint8_t showRoute = 0;               // the star-hop route
  uint8_t frameFill = 0;               // fill the printed frame

  // --- Star limits and sizes (hundredths of a magnitude, device units) ----
  uint8_t starLimitManual = 0;
  int starLimitAutoOffset = 0;         // starmagnlimitauto
  int starLimitManualValue = 600;
  int minStarDiameter = 1;
  int maxStarDiameter = 9;             // starmaxdiameter
  uint8_t starColouring = 0;           // needstarcoloring
  uint8_t colourLimitManual = 0;
  int colourLimitOffset = 0;
  int colourLimitManualValue = 600;

  // --- Star labels --------------------------------------------------------
  uint8_t needStarLabel = 1;
  uint8_t needStarName = 1;
  uint8_t needStarBayer = 1;
  uint8_t needStarFlamsteed = 0;
  uint8_t needStarAbbreviation = 0;    // constellation abbreviation in labels
  LabelLimitSetting nameLabel{0, 400, -400};
  LabelLimitSetting bayerLabel{0, 400, -300};
  LabelLimitSetting flamsteedLabel{0, 400, -400};
  LabelLimitSetting abbreviationLabel{0, 400, -300};
  int abbreviationMaxFieldArcmin = 1800;

  // --- Variable and double stars ------------------------------------------
  uint8_t needVariableStars = 1;
  int variableFilterMode = 0;          // non-zero: the manual limit
  int variableLimitOffset = -200;      // varmagnlimitauto
  int variableLimitManual = 1000;      // varmagnlimitman
  LabelLimitSetting variableLabel{0, 800, -200};
  uint8_t needDoubleStars = 1;
  int doubleLimitMode = 3;             // bit 2: manual limit, bit 3: manual label limit
  int doubleLimitOffset = -200;
  int doubleLimitManual = 900;
  int doubleLabelOffset = 0;
  int doubleLabelManual = 700;
  uint8_t needDoubleLabels = 0;       // discoverer designations crowd a wide chart
  // Separations in tenths of an arcsecond; 0 in a record means unknown.
  uint8_t doubleSeparationFilter = 0;
  int doubleSeparationMin = 0;
  int doubleSeparationMax = 600;
  uint8_t doubleKeepUnknownSeparations = 1;
  // Variable-star labels, filters (amplitude in hundredths of a magnitude,
  // periods in hundredths of a day) and the type letters E, P, R, C, L, X.
  uint8_t needVariableLabels = 1;
  uint8_t variableLabelWithType = 0;
  uint8_t variableLabelWithRange = 0;
  uint8_t variableAmplitudeFilter = 0;
  int variableMinAmplitude = 50;
  uint8_t variableTypeFilter = 0;
  std::array<uint8_t, 6> variableTypes{1, 1, 1, 1, 1, 1};
  uint8_t variableMinPeriodFilter = 0;
  int variableMinPeriod = 100;
  uint8_t variableMaxPeriodFilter = 0;
  int variableMaxPeriod = 100000;

  // --- Deep sky -----------------------------------------------------------
  int deepskyMode = 1;                 // 0 off, 1 automatic, 2 manual
  int deepskyLevelOffset = 0;
  int deepskyManualLevel = 5;
  uint8_t deepskyLabels = 1;
  uint8_t deepskySecondLabels = 0;     // the magnitude after the designation
  int deepskyLabelLevelOffset = -2;
  int deepskySecondLabelOffset = -1;
  uint8_t deepskyPerType = 0;          // the per-type switches and offsets below apply
  uint8_t deepskyPerTypeLabels = 0;
  std::array<DeepskyTypeSettings, 16> deepskyTypes{};
  DeepskyIdentifierSettings deepskyIdentifiers;

  // --- Solar system -------------------------------------------------------
  uint8_t showSun = 1;
  uint8_t showMoon = 1;
  uint8_t showPlanets = 1;
  uint8_t showMinorPlanets = 1;
  uint8_t showComets = 1;
  DiscSizeSettings planetDiscs{DiscSizeSettings::kMinimumFromMagnitude, -200, 0, 0, 0};
  DiscSizeSettings minorPlanetDiscs{DiscSizeSettings::kMinimumFromMagnitude, 0, 0, 0, 0};
  DiscSizeSettings cometDiscs{DiscSizeSettings::kMinimumFromMagnitude, -100, 0, 0, 0};
  PlanetTrackSettings planetTracks;
  std::array<uint8_t, 4> minorPlanetLists{1, 0, 0, 0};  // bright, critical, distant, unusual
  // The selected asteroid and comet are the objects of their tracks.
  MinorBodyTrackSettings asteroidTrack;
  MinorBodyTrackSettings cometTrack;

  // --- Derived by the limit computation -----------------------------------
  int starLimitHundredths = 600;       // at most 1150
  int colourLimitHundredths = 600;
  int starNameLimitHundredths = 200;
  int bayerLimitHundredths = 300;
  int flamsteedLimitHundredths = -200;
  int abbreviationLimitHundredths = -200;
  int variableLimitHundredths = 400;
  int variableLabelLimitHundredths = 200;
  int doubleLimitHundredths = 400;
  int doubleLabelLimitHundredths = 600;
  int deepskyLevel = 2;

  bool operator==(const ChartSettings&) const = default;
};

}  // namespace celvaro
