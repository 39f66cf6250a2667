#include "sky_tracking_mount.h"

#include <cmath>
#include <numbers>

namespace celvaro::mountsim {
namespace {

constexpr double kSlewDegreesPerSecond = 8.0;
constexpr double kSiderealPerSolar = 1.00273790935;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

double wrapDegrees(double degrees) {
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

}  // namespace

SkyTrackingMount::SkyTrackingMount(double rightAscensionHours, double declinationDegrees) {
  axes_[0].setPosition(wrapDegrees(rightAscensionHours * 15.0));
  axes_[1].setPosition(declinationDegrees);
}

double SkyTrackingMount::rightAscension() const { return wrapDegrees(axes_[0].position()); }

void SkyTrackingMount::slewTo(double rightAscensionDegrees, double declinationDegrees) {
  const double here = axes_[0].position();
  axes_[0].slewTo(here + std::remainder(rightAscensionDegrees - here, 360.0), kSlewDegreesPerSecond);
  axes_[1].slewTo(declinationDegrees, kSlewDegreesPerSecond);
}

void SkyTrackingMount::setSite(const Site& site, double greenwichSiderealHours) {
  site_ = site;
  greenwichSiderealHoursAtStart_ = greenwichSiderealHours;
}

// sin(altitude) = sin(latitude) sin(dec) + cos(latitude) cos(dec) cos(hour angle).
bool SkyTrackingMount::aboveHorizon(double rightAscensionDegrees, double declinationDegrees) const {
  if (!site_) return true;
  const double siderealDegrees = (greenwichSiderealHoursAtStart_ + now() * kSiderealPerSolar / 3600.0) * 15.0;
  const double hourAngle = (siderealDegrees + site_->longitudeDegrees - rightAscensionDegrees) * kRadiansPerDegree;
  const double latitude = site_->latitudeDegrees * kRadiansPerDegree;
  const double declination = declinationDegrees * kRadiansPerDegree;
  return std::sin(latitude) * std::sin(declination) +
             std::cos(latitude) * std::cos(declination) * std::cos(hourAngle) >=
         0;
}

void SkyTrackingMount::move(int axis, int sense, double degreesPerSecond) {
  if (axis == 0) {
    axes_[0].run(sense * degreesPerSecond);
  } else {
    axes_[1].slewTo(sense * 90.0, degreesPerSecond);
  }
}

}  // namespace celvaro::mountsim
