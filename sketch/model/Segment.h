#pragma once
// The cubic Bézier segment from a vertex A to its successor B: control points
// A.fAnchor, A.fDirection1, B.fDirection2, B.fAnchor.

#include "model/TDFloatPoint.h"

class TDUnit;

// The point at parameter t, with each Bernstein weight narrowed to float before
// use, as every drawing, hit test and bound of the figures samples it.
TDFloatPoint BezierPoint(const TDUnit& a, const TDUnit& b, float t);

// De Casteljau subdivision of P0..P3 at t. When both vertices are straight the
// segment is split as a line: S on the chord, R0 = R1 = S, Q0 = P0, Q2 = P3, and
// q1 is left as it was.
struct SplitPoints {
  TDFloatPoint q0, q1, q2, r0, r1, s;
};
void SplitSegment(const TDFloatPoint& p0, const TDFloatPoint& p1, const TDFloatPoint& p2, const TDFloatPoint& p3,
                  float t, const TDUnit* a, const TDUnit* b, SplitPoints& out);

// Both control points within [-2, 2) image units of the anchor (all truncated).
bool IsStraight(const TDUnit* unit);

// The area of the quadrilateral anchor A, handle A, handle B, anchor B, taken in
// an order that does not cross itself; a measure of how far the segment bulges.
float Area(const TDUnit& a, const TDUnit& b);

// Step flags of SegmentSteps and UpdateSteps.
enum : int { kStepsOutgoing = 32, kStepsIncoming = 64 };

// The step count for the segment A -> B from its bulge: 0 for two straight
// vertices, 20 when no flag asks for anything.
int SegmentSteps(const TDUnit& a, const TDUnit& b, int flags);
