// Sidereal time and the zenith of a place.
#pragma once

#include "astro/chart_date.h"

namespace celvaro {

// Greenwich mean sidereal time of a Julian date, hours in [0, 24).
double greenwichSiderealTime(double julianDate);

// Local sidereal time in hours (not brought into [0, 24)).
double localSiderealTime(double greenwichHours, double longitudeDeg);

// Julian date of a chart date, its seconds truncated to whole seconds.
double julianDateOf(const ChartDate& date);

struct ZenithPosition {
  double raDeg;   // [0, 360)
  double decDeg;
};

// The point straight overhead at a universal date and a place, as a J2000
// place: the apparent zenith (right ascension the local apparent sidereal
// time, declination the latitude) carried back to the catalogs' frame.
ZenithPosition zenithPosition(const ChartDate& universal, double longitudeDeg, double latitudeDeg);

}  // namespace celvaro
