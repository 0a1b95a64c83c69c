// The searching side of the figures: hit tests, rectangle selection, the path
// as a polygon for regions and as a pixel trace, and the trackers' geometry.

#include <algorithm>
#include <cmath>

#include "OsRuntime.h"
#include "OsWindows.h"
#include "model/LineWalk.h"
#include "model/Segment.h"
#include "model/TDShape.h"
#include "raster/SketchRaster.h"

namespace {

TDUnit* UnitAt(const BList& list, BPosition pos) { return static_cast<TDUnit*>(list.GetItem(pos)); }

TDFloatPoint Truncated(const TDFloatPoint& p) {
  const OsImgPoint i = p.ToImgPoint();
  return {static_cast<float>(i.x), static_cast<float>(i.y)};
}

// The mouse's square in view pixels: [left, right) x [top, bottom).
using HitBox = WalkBox;

HitBox SquareAround(int mx, int my, float r) {
  return {OsTruncToInt(mx - static_cast<double>(r)), OsTruncToInt(mx + static_cast<double>(r)),
          OsTruncToInt(my - static_cast<double>(r)), OsTruncToInt(my + static_cast<double>(r))};
}

// A walk of up to this many pixels keeps its 16-bit error term in range, and
// with it every pixel inside the box of its two end points.
constexpr std::int64_t kWalkWithoutWrap = 16383;

// Whether some walk between two points of the image box [x0, x1] x [y0, y1] (or
// their truncations) could visit a pixel of `box`. Conservative: false only
// when none can.
//
// A sample of a segment is a sum of its control points with weights that are
// non-negative and add up to 1 within a few float roundings, so it lies in their
// box grown by a small part of its magnitude; truncation moves a point by less
// than 1. Image to view is monotone on each axis. A walk no longer than
// kWalkWithoutWrap on both axes stays inside the box of its ends; a longer one
// may wrap its error term, and then only its major axis stays within its ends,
// while the minor axis runs off in one direction.
bool MayReach(double x0, double y0, double x1, double y1, const HitBox& box, const BZoom& zoom) {
  const double ox = zoom.fOriginX, oy = zoom.fOriginY, zx = zoom.fZoomX, zy = zoom.fZoomY;
  if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1) || !std::isfinite(ox) ||
      !std::isfinite(oy) || !std::isfinite(zx) || !std::isfinite(zy)) {
    return true;
  }
  const double magnitude = std::max({std::fabs(x0), std::fabs(x1), std::fabs(y0), std::fabs(y1)});
  const double margin = 1.0 + magnitude * 1e-5;
  const std::int64_t ax = OsTruncToInt((x0 - margin - ox) * zx), bx = OsTruncToInt((x1 + margin - ox) * zx);
  const std::int64_t ay = OsTruncToInt((y0 - margin - oy) * zy), by = OsTruncToInt((y1 + margin - oy) * zy);
  const std::int64_t left = std::min(ax, bx), right = std::max(ax, bx);
  const std::int64_t top = std::min(ay, by), bottom = std::max(ay, by);
  const bool xMeets = right >= box.left && left < box.right;
  const bool yMeets = bottom >= box.top && top < box.bottom;
  if (xMeets && yMeets) return true;
  const bool mayWrap = right - left > kWalkWithoutWrap || bottom - top > kWalkWithoutWrap;
  return mayWrap && (xMeets || yMeets);
}

template <typename... Points>
bool MayReachPoints(const HitBox& box, const BZoom& zoom, const Points&... points) {
  const double x0 = std::min({static_cast<double>(points.x)...});
  const double x1 = std::max({static_cast<double>(points.x)...});
  const double y0 = std::min({static_cast<double>(points.y)...});
  const double y1 = std::max({static_cast<double>(points.y)...});
  return MayReach(x0, y0, x1, y1, box, zoom);
}

// Whether the walk from p towards q could visit a pixel of `box`. Its major axis
// never leaves its ends; neither does its minor axis while the error term stays
// in range, but past that the minor axis may run on beyond q (never back).
bool WalkMayMeet(OsImgPoint p, OsImgPoint q, const HitBox& box) {
  const std::int64_t dx = std::int64_t{q.x} - p.x, dy = std::int64_t{q.y} - p.y;
  const std::int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  const bool yMajor = ay > ax;
  const bool wraps = std::max(ax, ay) > kWalkWithoutWrap;
  const auto meets = [wraps](std::int64_t from, std::int64_t to, bool major, std::int64_t lo, std::int64_t hi) {
    std::int64_t first = std::min(from, to), last = std::max(from, to);
    if (wraps && !major) {
      if (to > from) last = INT64_MAX;
      if (to < from) first = INT64_MIN;
    }
    return last >= lo && first < hi;
  };
  return meets(p.x, q.x, !yMajor, box.left, box.right) && meets(p.y, q.y, yMajor, box.top, box.bottom);
}

// Whether the walk between the view positions of two image points passes
// through the mouse's square; `fraction` is how far along the walk it first did.
bool NearLine(const TDFloatPoint& a, const TDFloatPoint& b, const HitBox& box, const BZoom& zoom, double& fraction,
              bool prune) {
  const OsImgPoint p = ImageToView(a, zoom), q = ImageToView(b, zoom);
  fraction = 0.0;
  if (prune && !WalkMayMeet(p, q, box)) return false;
  std::int64_t hit = -1, n = 0;
  if (prune) {
    hit = FirstWalkPixelIn(p.x, p.y, q.x, q.y, box, &n);
  } else {
    n = LineWalk(p.x, p.y, q.x, q.y, [&](std::int64_t x, std::int64_t y, std::int64_t i) {
      if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
        hit = i;
        return false;
      }
      return true;
    });
  }
  if (hit >= 0) fraction = static_cast<double>(hit) / static_cast<double>(n);
  return hit >= 0;
}

bool SegmentHit(const TDUnit& a, const TDUnit& b, const HitBox& box, TDCheck& check, const BZoom& zoom, bool prune) {
  if (prune && !MayReachPoints(box, zoom, a.fAnchor, a.fDirection1, b.fDirection2, b.fAnchor)) return false;
  const std::int32_t n = OsTruncToInt(static_cast<double>(zoom.fZoomX) * (a.fSteps + 1));
  double fraction = 0.0;
  if (n <= 0) {
    if (!NearLine(Truncated(a.fAnchor), Truncated(b.fAnchor), box, zoom, fraction, prune)) return false;
    check.fParam = Narrow(fraction);
    return true;
  }
  const float dt = Narrow(1.0 / ((a.fSteps + 1) * static_cast<double>(zoom.fZoomX)));
  TDFloatPoint prev = a.fAnchor;
  float t = 0.0f;
  do {
    const TDFloatPoint q = BezierPoint(a, b, t);
    if (NearLine(prev, q, box, zoom, fraction, prune)) {
      check.fParam = Narrow((static_cast<double>(t) - dt) + fraction / n);
      return true;
    }
    prev = q;
    t = Narrow(static_cast<double>(t) + dt);
  } while (t < 1.0f);
  if (NearLine(prev, b.fAnchor, box, zoom, fraction, prune)) {
    check.fParam = Narrow(((n - 1) + fraction) / n);
    return true;
  }
  return false;
}

int UnitHit(const TDUnit& unit, int mx, int my, const TDCheck& check, const BZoom& zoom) {
  const double r = check.fTolerance;
  const std::int64_t left = OsTruncToInt(mx - r), right = OsTruncToInt(mx + r + 1);
  const std::int64_t top = OsTruncToInt(my - r), bottom = OsTruncToInt(my + r + 1);
  const auto inBox = [&](const TDFloatPoint& p) {
    const OsImgPoint v = ImageToView(p, zoom);
    return v.x >= left && v.x < right && v.y >= top && v.y < bottom;
  };
  int result = TDCheck::kNothing;
  const int state = unit.fState;
  if ((check.fFlags & TDCheck::kDirection1) && (state == 3 || state == 4) && inBox(unit.fDirection1)) {
    result = TDCheck::kDirection1;
  }
  if ((check.fFlags & TDCheck::kDirection2) && (state == 3 || state == 5) && inBox(unit.fDirection2)) {
    result = TDCheck::kDirection2;
  }
  // Tested last so that an anchor wins over a handle lying on it.
  if ((check.fFlags & TDCheck::kAnchor) && inBox(unit.fAnchor)) result = TDCheck::kAnchor;
  return result;
}

// Calls walk(from, to) for the sub-segments of A -> B sampled at the unscaled
// step count, image coordinates truncated, until walk returns true.
template <typename Walk>
bool AnySubSegment(const TDUnit& a, const TDUnit& b, Walk walk) {
  const float dt = Narrow(1.0 / (a.fSteps + 1));
  TDFloatPoint prev = a.fAnchor;
  float t = 0.0f;
  do {
    const TDFloatPoint q = BezierPoint(a, b, t);
    if (walk(prev.ToImgPoint(), q.ToImgPoint())) return true;
    prev = q;
    t = Narrow(static_cast<double>(t) + dt);
  } while (t < 1.0f);
  return walk(prev.ToImgPoint(), b.fAnchor.ToImgPoint());
}

}  // namespace

bool TDShape::CheckSegments(int mx, int my, TDCheck* check, const BZoom* zoom) {
  return SegmentsHit(mx, my, check, zoom, true);
}

bool TDShape::CheckSegmentsByWalk(int mx, int my, TDCheck* check, const BZoom* zoom) {
  return SegmentsHit(mx, my, check, zoom, false);
}

// With `prune`, figures and segments whose control points keep every walk away
// from the mouse, and walks whose ends do, are passed over without walking:
// only the time changes, never an answer.
bool TDShape::SegmentsHit(int mx, int my, TDCheck* check, const BZoom* zoom, bool prune) {
  if (check == nullptr || fUnits.GetCount() < 2) return false;
  const BZoom z = zoom != nullptr ? BZoom(*zoom) : BZoom();
  const HitBox box = SquareAround(mx, my, check->fTolerance);
  if (prune) {
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    ForEachPoint([&](const TDFloatPoint& p) {
      x0 = std::min<double>(x0, p.x);
      x1 = std::max<double>(x1, p.x);
      y0 = std::min<double>(y0, p.y);
      y1 = std::max<double>(y1, p.y);
    });
    if (!MayReach(x0, y0, x1, y1, box, z)) return false;
  }
  const auto report = [&](TDUnit* unit) {
    check->fUnit = unit;
    check->fResult = TDCheck::kSegment;
    check->fShape = this;
    return true;
  };
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr;) {
    TDUnit* a = UnitAt(fUnits, pos);
    pos = fUnits.GetNextPosition(pos);
    if (pos == nullptr) break;
    if (SegmentHit(*a, *UnitAt(fUnits, pos), box, *check, z, prune)) return report(a);
  }
  if (!fOpen && SegmentHit(*LastUnit(), *FirstUnit(), box, *check, z, prune)) return report(LastUnit());
  return false;
}

bool TDShape::CheckUnits(int mx, int my, TDCheck* check, const BZoom* zoom) {
  if (check == nullptr || fUnits.GetCount() < 2) return false;
  const BZoom z = zoom != nullptr ? BZoom(*zoom) : BZoom();
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
    TDUnit* unit = UnitAt(fUnits, pos);
    check->fResult = UnitHit(*unit, mx, my, *check, z);
    if (check->fResult != TDCheck::kNothing) {
      check->fUnit = unit;
      check->fShape = this;
      return true;
    }
  }
  return false;
}

bool TDShape::SelectInRect(int left, int top, int right, int bottom, int mode) {
  if (fUnits.GetCount() < 2) return false;
  const auto inRect = [&](std::int64_t x, std::int64_t y) { return x >= left && x < right && y >= top && y < bottom; };
  if (mode == 0) {
    const auto touches = [&](OsImgPoint p, OsImgPoint q) {
      return FirstWalkPixelIn(p.x, p.y, q.x, q.y, {left, right, top, bottom}) >= 0;
    };
    bool touched = false;
    for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr && !touched;) {
      const TDUnit* a = UnitAt(fUnits, pos);
      pos = fUnits.GetNextPosition(pos);
      if (pos != nullptr) touched = AnySubSegment(*a, *UnitAt(fUnits, pos), touches);
    }
    if (!touched && !fOpen) touched = AnySubSegment(*LastUnit(), *FirstUnit(), touches);
    if (touched) SetSelect(!fSelected, 1, 0);
    return touched;
  }

  int picked = 0;
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
    TDUnit* unit = UnitAt(fUnits, pos);
    const OsImgPoint a = unit->fAnchor.ToImgPoint();
    if (!inRect(a.x, a.y)) continue;
    SetSelect(1, 1, 1);
    SetUnitState(unit->fSelected == 1 ? TDUnit::kOutline : TDUnit::kBothHandles, unit);
    ++picked;
  }
  if (picked == 0) return false;
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
    TDUnit* unit = UnitAt(fUnits, pos);
    if (unit->fSelected == 0) SetUnitState(TDUnit::kOutline, unit);
  }
  return true;
}

int TDShape::Trace(OsImgPoint* buffer) {
  gTracePoints = buffer;
  gTraceCount = 0;
  gTraceMode = 1;
  Draw(kDrawPath, 1, nullptr, 0);
  const int count = gTraceCount;
  gTraceMode = 0;
  gTracePoints = nullptr;
  gTraceCount = 0;
  return count;
}

int TDShape::CountRegionPoints() { return Trace(nullptr); }

bool TDShape::FillRegionPoints(OsImgPoint* buffer) {
  Trace(buffer);
  return true;
}

bool TDShape::AppendTrace(OsImgPoint** list, int* count) {
  if (list == nullptr || count == nullptr) return false;
  bool ok = true;
  const auto append = [&](OsImgPoint p, OsImgPoint q) {
    LineWalk(p.x, p.y, q.x, q.y, [&](std::int64_t x, std::int64_t y, std::int64_t) {
      auto* grown =
          static_cast<OsImgPoint*>(OsRealloc(*list, (static_cast<std::size_t>(*count) + 1) * sizeof(OsImgPoint)));
      if (grown == nullptr) {
        ok = false;
        return false;
      }
      grown[*count] = {static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)),
                       static_cast<std::int32_t>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX))};
      *list = grown;
      ++*count;
      return true;
    });
    return !ok;
  };
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr && ok;) {
    const TDUnit* a = UnitAt(fUnits, pos);
    pos = fUnits.GetNextPosition(pos);
    if (pos == nullptr) break;
    const TDUnit* b = UnitAt(fUnits, pos);
    if (a->fSteps == 0) {
      append(a->fAnchor.ToImgPoint(), b->fAnchor.ToImgPoint());
      continue;
    }
    const float dt = Narrow(1.0 / a->fSteps);
    TDFloatPoint prev = BezierPoint(*a, *b, 0.0f);
    for (float t = dt; t < 1.0f && ok; t = Narrow(static_cast<double>(t) + dt)) {
      const TDFloatPoint q = BezierPoint(*a, *b, t);
      append(prev.ToImgPoint(), q.ToImgPoint());
      prev = q;
    }
    if (ok) append(prev.ToImgPoint(), b->fAnchor.ToImgPoint());
  }
  if (!ok) {
    OsFree(*list);
    *list = nullptr;
    *count = 0;
    MessageBeep(0);
  }
  return ok;
}

namespace {
double Angle(double x, double y) {
  const double a = std::acos(x / std::sqrt(x * x + y * y));
  return y < 0.0 ? -a : a;
}
}  // namespace

double AngleBetween(float cx, float cy, int ax, int ay, int bx, int by) {
  const double ux = ax - static_cast<double>(cx), uy = ay - static_cast<double>(cy);
  const double vx = bx - static_cast<double>(cx), vy = by - static_cast<double>(cy);
  if ((ux == 0.0 && uy == 0.0) || (vx == 0.0 && vy == 0.0)) return 0.0;
  return Angle(vx, vy) - Angle(ux, uy);
}

double DistanceRatio(float cx, float cy, float ax, float ay, float bx, float by) {
  const double ux = static_cast<double>(ax) - cx, uy = static_cast<double>(ay) - cy;
  const double vx = static_cast<double>(bx) - cx, vy = static_cast<double>(by) - cy;
  const double a2 = ux * ux + uy * uy;
  if (a2 < 0.01) return -1.0;
  return std::sqrt((vx * vx + vy * vy) / a2);
}

bool Distance(float x0, float y0, float x1, float y1, int threshold, float* d) {
  const double dx = static_cast<double>(x1) - x0, dy = static_cast<double>(y1) - y0;
  const float distance = Narrow(std::sqrt(dx * dx + dy * dy));
  if (d != nullptr) *d = distance;
  return distance >= threshold;
}
