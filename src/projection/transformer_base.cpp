#include "projection/transformer_base.h"

#include <algorithm>
#include <numbers>

#include "astro/local_sky.h"
#include "astro/sidereal_time.h"
#include "model/chart_settings.h"
#include "output/output_area.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerArcmin = kPi / 10800.0;
constexpr double kTenthArcminPerRad = 34377.46771;
constexpr double kArcsecPerRad = 206264.80624709636;

}  // namespace

void TransformerBase::setup(const OutputArea& area, const ChartSettings& settings) {
  horizontal_ = settings.horizontalMode != 0;
  mirror_ = settings.mirrorMode;
  const uint32_t mode = std::min<uint32_t>(mirror_, kMirrorHorizontal);
  mirrorX_ = (mode == kMirrorNone || mode == kMirrorVertical) ? -1 : 1;
  mirrorY_ = (mode == kMirrorCentral || mode == kMirrorVertical) ? -1 : 1;

  a0_ = -settings.centreRaArcmin * kRadPerArcmin;
  d0_ = -settings.centreDecArcmin * kRadPerArcmin;
  sinD0_ = std::sin(d0_);
  cosD0_ = std::cos(d0_);
  if (usesVerticalOffset_) verticalOffset_ = area.verticalOffset;
  refracting_ = false;
  if (horizontal_) {
    setupHorizontal(settings);
    return;
  }
  // E, N and C are linear in the unit vector: the rotation's columns are the
  // view vectors of the three axes.
  const ViewVector axes[3] = {equatorialVector(0, 0), equatorialVector(kPi / 2, 0), equatorialVector(0, kPi / 2)};
  for (int j = 0; j < 3; ++j) {
    m_[0][j] = axes[j].e;
    m_[1][j] = axes[j].n;
    m_[2][j] = axes[j].c;
  }
}

// The apparent place differs from the J2000 one by precession and
// nutation, a rotation, and by annual aberration, which is not one: it is
// taken as the rotation that is exact at the chart's centre, off by less
// than 20" anywhere on the widest chart.
void TransformerBase::setupHorizontal(const ChartSettings& settings) {
  const ApparentPlace date(julianDateOf(settings.chartDate));
  const double theta = date.siderealHours() * kPi / 12.0 + settings.longitudeDeg * kPi / 180.0;
  const double colatitude = (90.0 - settings.latitudeDeg) * kPi / 180.0;
  const double sinC = std::sin(colatitude), cosC = std::cos(colatitude);
  const double sinT = std::sin(theta), cosT = std::cos(theta);
  const Rotation3 local{{{sinC * cosT, sinC * sinT, cosC}, {cosC * cosT, cosC * sinT, -sinC}, {-sinT, cosT, 0}}};
  const Rotation3 ofDate = local.after(date.precessionNutation());

  const double a0 = settings.centreAzArcmin * kRadPerArcmin, h0 = settings.centreAltArcmin * kRadPerArcmin;
  const double sinA = std::sin(a0), cosA = std::cos(a0), sinH = std::sin(h0), cosH = std::cos(h0);
  view_ = {{{0, sinA, cosA}, {cosH, -sinH * cosA, sinH * sinA}, {sinH, cosH * cosA, -cosH * sinA}}};

  refracting_ = settings.refraction != 0;
  const double trueH0 = refracting_ ? unrefractedAltitudeDeg(h0 * 180.0 / kPi) * kPi / 180.0 : h0;
  const Vector3 centre{std::sin(trueH0), std::cos(trueH0) * cosA, -std::cos(trueH0) * sinA};
  const Vector3 apparent = ofDate.applyInverse(centre);
  horizon_ = ofDate.after(Rotation3::turning(date.unaberrated(apparent), apparent));
  const Rotation3 whole = view_.after(horizon_);
  std::copy(&whole.m[0][0], &whole.m[0][0] + 9, &m_[0][0]);
}

Vector3 TransformerBase::refracted(const Vector3& horizon) {
  const double across = std::hypot(horizon.y, horizon.z);
  if (across == 0) return horizon;
  const double altitude = std::atan2(horizon.x, across);
  const double lifted = altitude + refractionDeg(altitude * 180.0 / kPi) * kPi / 180.0;
  const double k = std::cos(lifted) / across;
  return {std::sin(lifted), horizon.y * k, horizon.z * k};
}

// The plane's X runs east and Y north (or to the zenith): the sky seen from
// outside; place moves the centre by the vertical offset and mirrors.
VisibleEdge TransformerBase::visibleEdge() const {
  const double offset = horizontal_ && usesVerticalOffset_ ? verticalOffset_ : 0;
  return {0, -mirrorY_ * offset, scale_ * radialLaw(std::acos(visibilityLimit_)), mirrorX_ * mirrorY_ > 0};
}

int32_t TransformerBase::tenthArcminToPixels(int32_t tenthsOfArcmin) const {
  return truncatePixels(tenthsOfArcmin * scale_ / kTenthArcminPerRad);
}

int32_t TransformerBase::arcsecToPixels(double arcsec) const {
  return truncatePixels(scale_ * arcsec / kArcsecPerRad);
}

int32_t TransformerBase::pixelsToArcsec(int32_t pixels) const {
  return truncatePixels(pixels * kArcsecPerRad / scale_);
}

void TransformerBase::setScale(double halfExtentPx, int32_t halfFieldArcmin) {
  if (maxHalfFieldArcmin_ > 0) halfFieldArcmin = std::min(halfFieldArcmin, maxHalfFieldArcmin_);
  scale_ = std::trunc(halfExtentPx / radialLaw(halfFieldArcmin * kRadPerArcmin));
}

}  // namespace celvaro
