#pragma once
// A hit-test request and its answer: the caller says which parts to test and
// how close counts; the tests fill in what was hit.

class TDShape;
class TDUnit;

struct TDCheck {
  // Parts to test, or-ed. kSegments is set by callers for clarity only: the
  // segment tests run wherever the operation calls for them.
  enum { kSegments = 1, kAnchor = 2, kDirection1 = 4, kDirection2 = 8 };
  enum { kNothing = -1, kSegment = 1 };

  int fFlags = 0;
  TDShape* fShape = nullptr;  // out: the figure hit
  TDUnit* fUnit = nullptr;    // out: the vertex hit, or the first vertex of the segment
  float fTolerance = 0.0f;    // half-width of the hit square, view pixels
  float fParam = 0.0f;        // out: position along the segment hit, 0 to 1
  int fResult = kNothing;     // out: kSegment, or the vertex part hit, or kNothing
};
