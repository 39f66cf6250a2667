#include "projection/transformer_base.h"

#include <algorithm>
#include <numbers>

#include "app/chart_settings.h"
#include "app/output_area.h"

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
  theta_ = settings.siderealTimeHours * kPi / 12.0 + settings.longitudeDeg * kPi / 180.0;
  colatitude_ = (90.0 - settings.latitudeDeg) * kPi / 180.0;
  sinC_ = std::sin(colatitude_);
  cosC_ = std::cos(colatitude_);
  a0Horizontal_ = settings.centreAzArcmin * kRadPerArcmin;
  sinA0_ = std::sin(a0Horizontal_);
  cosA0_ = std::cos(a0Horizontal_);
  h0_ = settings.centreAltArcmin * kRadPerArcmin;
  sinH0_ = std::sin(h0_);
  cosH0_ = std::cos(h0_);
  if (usesVerticalOffset_) verticalOffset_ = area.verticalOffset;
  // E, N and C are linear in the unit vector: the rotation's columns are the
  // view vectors of the three axes.
  const ViewVector axes[3] = {viewVector(0, 0), viewVector(kPi / 2, 0), viewVector(0, kPi / 2)};
  for (int j = 0; j < 3; ++j) {
    m_[0][j] = axes[j].e;
    m_[1][j] = axes[j].n;
    m_[2][j] = axes[j].c;
  }
}

UnitVector unitVector(double raRad, double decRad) {
  const double cd = std::cos(decRad);
  return {cd * std::cos(raRad), cd * std::sin(raRad), std::sin(decRad)};
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
