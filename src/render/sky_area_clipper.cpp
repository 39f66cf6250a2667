#include "render/sky_area_clipper.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "output/output_area.h"

namespace celvaro {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kArcStepRad = std::numbers::pi / 180;

// The angle turned from `from` to `to` in the sense, within [0, 2 pi).
double turnBetween(double from, double to, double sense) {
  const double turn = std::fmod(sense * (to - from), kTwoPi);
  return turn < 0 ? turn + kTwoPi : turn;
}

}  // namespace

SkyAreaClipper::SkyAreaClipper(iTransformer& transformer, double visibilityLimit, const OutputArea& area)
    : transformer_(transformer),
      limit_(visibilityLimit),
      edge_(transformer.visibleEdge()),
      sense_(edge_.turnsAsOutside ? 1.0 : -1.0) {
  const double margin = 2 + 0.01 * std::max(area.width, area.height);
  right_ = area.width / 2.0 + margin;
  top_ = area.height / 2.0 + margin;
  left_ = -right_;
  bottom_ = -top_;
}

void SkyAreaClipper::addRing(const double* x, const double* y, const double* z, int count) {
  if (count < 3) return;
  px_.resize(count), py_.resize(count), depth_.resize(count);
  transformer_.projectManyVectors(x, y, z, 0, count, px_.data(), py_.data(), depth_.data());
  const bool allInSight = std::all_of(depth_.begin(), depth_.end(), [this](double d) { return d > limit_; });
  if (!allInSight) {
    addPieces(x, y, z, count);
    return;
  }
  ring_.clear();
  for (int i = 0; i < count; ++i) addPoint(ring_, i);
  cutAtRectangle(ring_);
}

// A point within a unit of the last one kept adds nothing the chart shows.
void SkyAreaClipper::addPoint(std::vector<PlanePoint>& points, int i) const {
  const PlanePoint p{static_cast<double>(px_[i]), static_cast<double>(py_[i])};
  if (!points.empty() && std::fabs(p.x - points.back().x) <= 1 && std::fabs(p.y - points.back().y) <= 1) return;
  points.push_back(p);
}

// Walks the ring once from a point beyond the edge, so that every stretch
// in sight has both its ends.
void SkyAreaClipper::addPieces(const double* x, const double* y, const double* z, int count) {
  int start = 0;
  while (depth_[start] > limit_) ++start;
  Piece piece;
  for (int k = 1; k <= count; ++k) {
    const int i = (start + k) % count, previous = (start + k - 1) % count;
    const bool inSight = depth_[i] > limit_, wasInSight = depth_[previous] > limit_;
    if (inSight && !wasInSight) {
      piece.points.assign(1, crossing(x, y, z, i, previous, piece.entryAngle));
    }
    if (inSight) addPoint(piece.points, i);
    if (!inSight && wasInSight) {
      piece.points.push_back(crossing(x, y, z, previous, i, piece.exitAngle));
      pieces_.push_back(std::move(piece));
      piece = Piece{};
    }
  }
}

SkyAreaClipper::PlanePoint SkyAreaClipper::crossing(const double* x, const double* y, const double* z, int inSight,
                                                    int beyond, double& angle) {
  const double t = (depth_[inSight] - limit_) / (depth_[inSight] - depth_[beyond]);
  double v[3] = {x[inSight] + t * (x[beyond] - x[inSight]), y[inSight] + t * (y[beyond] - y[inSight]),
                 z[inSight] + t * (z[beyond] - z[inSight])};
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  for (double& c : v) c /= length;
  int32_t cx = 0, cy = 0;
  double depth = 0;
  transformer_.projectManyVectors(&v[0], &v[1], &v[2], 0, 1, &cx, &cy, &depth);
  angle = std::atan2(cy - edge_.centreY, cx - edge_.centreX);
  return onEdge(angle);
}

SkyAreaClipper::PlanePoint SkyAreaClipper::onEdge(double angle) const {
  return {edge_.centreX + edge_.radius * std::cos(angle), edge_.centreY + edge_.radius * std::sin(angle)};
}

void SkyAreaClipper::takeArea(AreaRings& area) {
  joinPieces();
  std::swap(area, area_);  // the caller's room serves the next area
  area_.clear();
}

// From each exit the area's side of the edge runs on to the nearest entry
// in the sense: follow it there, then that entry's stretch, until the ring
// closes.
void SkyAreaClipper::joinPieces() {
  for (Piece& first : pieces_) {
    if (first.joined) continue;
    ring_.clear();
    Piece* piece = &first;
    for (size_t step = 0; step < pieces_.size() && !piece->joined; ++step) {
      piece->joined = true;
      ring_.insert(ring_.end(), piece->points.begin(), piece->points.end());
      double turn = 0;
      Piece& next = pieces_[nextEntry(piece->exitAngle, turn)];
      addArc(ring_, piece->exitAngle, turn);
      piece = &next;
    }
    cutAtRectangle(ring_);
  }
  pieces_.clear();
}

size_t SkyAreaClipper::nextEntry(double exitAngle, double& turn) const {
  size_t best = 0;
  turn = kTwoPi;
  for (size_t k = 0; k < pieces_.size(); ++k) {
    const double t = turnBetween(exitAngle, pieces_[k].entryAngle, sense_);
    if (t < turn) turn = t, best = k;
  }
  return best;
}

// The points strictly between the two ends of the arc, a degree apart at most.
void SkyAreaClipper::addArc(std::vector<PlanePoint>& ring, double fromAngle, double turn) const {
  const int steps = static_cast<int>(std::ceil(turn / kArcStepRad));
  for (int k = 1; k < steps; ++k) ring.push_back(onEdge(fromAngle + sense_ * turn * k / steps));
}

// A ring wholly beyond one side of the rectangle adds nothing to it; any
// other is cut by Sutherland and Hodgman's rule at each side in turn. The
// area stays right, though a ring may run along a side and back.
void SkyAreaClipper::cutAtRectangle(std::vector<PlanePoint>& ring) {
  struct Side {
    double PlanePoint::*axis;
    double bound;
    bool keepBelow;
  };
  const Side sides[4] = {{&PlanePoint::x, left_, false}, {&PlanePoint::x, right_, true},
                         {&PlanePoint::y, bottom_, false}, {&PlanePoint::y, top_, true}};
  for (const Side& side : sides) {
    auto inside = [&side](const PlanePoint& p) { return side.keepBelow ? p.*side.axis <= side.bound : p.*side.axis >= side.bound; };
    if (std::none_of(ring.begin(), ring.end(), inside)) return;
    if (std::all_of(ring.begin(), ring.end(), inside)) continue;
    cut_.clear();
    for (size_t i = 0; i < ring.size(); ++i) {
      const PlanePoint& a = ring[i == 0 ? ring.size() - 1 : i - 1];
      const PlanePoint& b = ring[i];
      if (inside(a) != inside(b)) {
        const double t = (side.bound - a.*side.axis) / (b.*side.axis - a.*side.axis);
        cut_.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
      }
      if (inside(b)) cut_.push_back(b);
    }
    ring.swap(cut_);
  }
  for (const PlanePoint& p : ring) {
    const auto x = static_cast<int32_t>(std::lround(p.x)), y = static_cast<int32_t>(std::lround(p.y));
    const size_t start = area_.ringStart(area_.ends.size());
    if (area_.x.size() > start && area_.x.back() == x && area_.y.back() == y) continue;
    area_.add(x, y);
  }
  area_.closeRing();
}

}  // namespace celvaro
