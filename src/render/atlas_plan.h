// An atlas's pages: where each chart is centred, which part of the sky it
// holds, and which page lies beyond each of its edges. The charts are
// equatorial, north up and east to the left, all of one projection, size
// and field, centred in whole arcminutes as every chart is.
//
// The sky is laid out in bands of declination between two polar caps. A
// band's pages are spaced in right ascension so that, at every declination
// of the band, each chart reaches past its neighbours' edges by the
// overlap; the bands and the caps reach past one another the same way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "projection/transformer.h"

namespace celvaro {

struct AtlasPage {
  int raArcmin = 0;   // 0..21599
  int decArcmin = 0;  // -5400..5400
};

// A stretch of sky to cover: declinations, and right ascensions from the
// start eastward over the span (a whole turn for a band round the sky).
struct SkyBox {
  double decLowRad = 0, decHighRad = 0;
  double raStartRad = 0, raSpanRad = 0;
};

class AtlasPlan {
 public:
  // Charts `width` by `height` (the chart's area, any unit) that show
  // `fieldArcmin` across the smaller side; each chart's outer
  // `overlapArcmin` / 2 lies on its neighbours too.
  AtlasPlan(uint32_t projectionId, int32_t width, int32_t height, int fieldArcmin, int overlapArcmin);
  AtlasPlan(const AtlasPlan&) = delete;
  AtlasPlan& operator=(const AtlasPlan&) = delete;

  // What a field too small for the box would make is refused.
  static constexpr size_t kMaxPages = 1000;
  // Pages for the box, a cap for a pole it comes near; what it had is kept.
  // False, adding nothing, when the box would take more than kMaxPages.
  bool cover(SkyBox box);
  bool coverSky() { return cover({-kQuarterTurn, kQuarterTurn, 0, 4 * kQuarterTurn}); }
  const std::vector<AtlasPage>& pages() const { return pages_; }

  // Whether the position is on the page's chart, `inset` units or more
  // inside its edges.
  bool holds(int page, double raRad, double decRad, int32_t inset = 0) const;
  // The page holding the position whose centre is nearest to it; -1 none.
  int pageOf(double raRad, double decRad) const;

  // The pages beyond the top, right, bottom and left edges: of the pages
  // whose centres lie in that direction on the chart, the nearest; -1 none.
  enum Edge { kTop, kRight, kBottom, kLeft };
  std::array<int, 4> neighbours(int page) const;

 private:
  static constexpr double kQuarterTurn = 1.5707963267948966;
  bool project(const AtlasPage& page, double raRad, double decRad, ProjectedPoint& out) const;
  bool holdsAt(const AtlasPage& page, double raRad, double decRad, int32_t inset) const;
  // How far the page reaches along its axis from the centre, radians,
  // inside the overlap.
  double measureReach(bool vertical) const;
  // How far east a page centred at `decRad` reaches at the declinations
  // from `lowRad` to `highRad`, at the least, inside the overlap.
  double raReach(double decRad, double lowRad, double highRad) const;
  void addBand(double lowRad, double highRad, double raStartRad, double raSpanRad);

  std::unique_ptr<iTransformer> transformer_;
  int32_t halfWidth_, halfHeight_, inset_;
  double step_;  // the reaches are measured in: a tenth of a degree, less for small fields
  double reachX_, reachY_;
  std::vector<AtlasPage> pages_;
};

}  // namespace celvaro
