// The great circles the chart draws besides the catalogs: the ecliptic and
// the horizon of the observing place, as 361 points each.
#pragma once

#include "astro/local_sky.h"
#include "catalog/sky_polylines.h"

namespace celvaro {

constexpr int kSkyLinePoints = 361;

// The ecliptic of J2000, the frame of the star catalogs, one point per
// degree of longitude.
void computeEcliptic(SkyPolylines& line);

// The horizon (apparent altitude 0) of a place at an instant, one point
// per degree of azimuth, as J2000 right ascension and declination.
void computeHorizon(SkyPolylines& line, const LocalSky& sky);

}  // namespace celvaro
