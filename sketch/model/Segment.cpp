#include "model/Segment.h"

#include <cmath>

#include "model/TDUnit.h"

namespace {

double Cross(double ux, double uy, double vx, double vy) { return ux * vy - uy * vx; }

// Twice the signed area of the polygon a, b, c, d.
double Shoelace(const TDFloatPoint* q[4]) {
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    const TDFloatPoint& p = *q[i];
    const TDFloatPoint& n = *q[(i + 1) % 4];
    sum += static_cast<double>(p.x) * n.y - static_cast<double>(n.x) * p.y;
  }
  return sum;
}

// Which side of the line a -> b the point p lies on (sign of the cross product).
double Side(const TDFloatPoint& a, const TDFloatPoint& b, const TDFloatPoint& p) {
  return Cross(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y, static_cast<double>(p.x) - a.x,
               static_cast<double>(p.y) - a.y);
}

bool EdgesCross(const TDFloatPoint& a0, const TDFloatPoint& a1, const TDFloatPoint& b0, const TDFloatPoint& b1) {
  return Side(a0, a1, b0) * Side(a0, a1, b1) <= 0.0 && Side(b0, b1, a0) * Side(b0, b1, a1) <= 0.0;
}

int StepsFromArea(float area) { return OsTruncToInt(std::sqrt(area * 1.41421) + 0.5) / 5; }
}  // namespace

TDFloatPoint BezierPoint(const TDUnit& a, const TDUnit& b, float t) {
  const float u = Narrow(1.0 - t);
  const float uu = Narrow(static_cast<double>(u) * u);
  const float tt = Narrow(static_cast<double>(t) * t);
  const float w0 = Narrow(static_cast<double>(u) * uu);
  const float w1 = Narrow(3.0 * t * uu);
  const float w2 = Narrow(3.0 * tt * u);
  const float w3 = Narrow(static_cast<double>(tt) * t);
  const TDFloatPoint& p0 = a.fAnchor;
  const TDFloatPoint& p1 = a.fDirection1;
  const TDFloatPoint& p2 = b.fDirection2;
  const TDFloatPoint& p3 = b.fAnchor;
  return {Narrow(static_cast<double>(p0.x) * w0 + static_cast<double>(p1.x) * w1 + static_cast<double>(p2.x) * w2 +
                 static_cast<double>(p3.x) * w3),
          Narrow(static_cast<double>(p0.y) * w0 + static_cast<double>(p1.y) * w1 + static_cast<double>(p2.y) * w2 +
                 static_cast<double>(p3.y) * w3)};
}

namespace {
TDFloatPoint Lerp(const TDFloatPoint& a, const TDFloatPoint& b, float t) {
  return {Narrow(a.x + (static_cast<double>(b.x) - a.x) * t), Narrow(a.y + (static_cast<double>(b.y) - a.y) * t)};
}
}  // namespace

void SplitSegment(const TDFloatPoint& p0, const TDFloatPoint& p1, const TDFloatPoint& p2, const TDFloatPoint& p3,
                  float t, const TDUnit* a, const TDUnit* b, SplitPoints& out) {
  if (IsStraight(a) && IsStraight(b)) {
    out.s = Lerp(p0, p3, t);
    out.r0 = out.s;
    out.r1 = out.s;
    out.q0 = p0;
    out.q2 = p3;
    return;
  }
  out.q0 = Lerp(p0, p1, t);
  out.q1 = Lerp(p1, p2, t);
  out.q2 = Lerp(p2, p3, t);
  out.r0 = Lerp(out.q0, out.q1, t);
  out.r1 = Lerp(out.q1, out.q2, t);
  out.s = Lerp(out.r0, out.r1, t);
}

bool IsStraight(const TDUnit* unit) {
  if (unit == nullptr) return false;
  const OsImgPoint a = unit->fAnchor.ToImgPoint();
  // Widened: an anchor at the edge of the range must not overflow the box.
  const auto near = [&a](const TDFloatPoint& p) {
    const OsImgPoint q = p.ToImgPoint();
    return q.x >= std::int64_t{a.x} - 2 && q.x < std::int64_t{a.x} + 2 && q.y >= std::int64_t{a.y} - 2 &&
           q.y < std::int64_t{a.y} + 2;
  };
  return near(unit->fDirection1) && near(unit->fDirection2);
}

float Area(const TDUnit& a, const TDUnit& b) {
  const TDFloatPoint* q[4] = {&a.fAnchor, &a.fDirection1, &b.fDirection2, &b.fAnchor};
  int convexTurns = 0;
  for (int i = 0; i < 4; ++i) {
    const TDFloatPoint& p = *q[(i + 3) % 4];
    const TDFloatPoint& v = *q[i];
    const TDFloatPoint& s = *q[(i + 1) % 4];
    const double c = Cross(static_cast<double>(s.x) - v.x, static_cast<double>(s.y) - v.y,
                           static_cast<double>(v.x) - p.x, static_cast<double>(v.y) - p.y);
    convexTurns += c >= 0.0;
  }
  if (convexTurns == 2) {
    // A self-crossing quadrilateral: reorder its corners so that it does not.
    if (EdgesCross(a.fAnchor, a.fDirection1, b.fDirection2, b.fAnchor)) {
      q[1] = &b.fDirection2;
      q[2] = &a.fDirection1;
    } else {
      q[2] = &b.fAnchor;
      q[3] = &b.fDirection2;
    }
  }
  return std::fabs(Narrow(Shoelace(q) / 2.0));
}

int SegmentSteps(const TDUnit& a, const TDUnit& b, int flags) {
  const bool straight = IsStraight(&a) && IsStraight(&b);
  int steps = 20;
  if (flags & kStepsOutgoing) steps = straight ? 0 : StepsFromArea(Area(a, b));
  if (flags & kStepsIncoming) steps = straight ? 0 : StepsFromArea(Area(b, a));
  return steps;
}
