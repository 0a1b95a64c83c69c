#pragma once
// A figure: a path of cubic Bézier segments through its vertices, open or
// closed, with its bounds and selection. The kinds (lines, ovals, ...) only add
// how a figure is begun and shaped while it is drawn.
//
// Everything drawn goes into the sketch raster in view pixels, converted through
// the zoom of the view attached to the figure's container; a figure with no
// container or view draws at 1:1.

#include <cstdint>
#include <new>

#include "BList.h"
#include "BZoom.h"
#include "model/TDCheck.h"
#include "model/TDUnit.h"

class TDShape : public TMarbleObject {
  DECLARE_DYNAMIC(TDShape)

 public:
  // Draw mode bits.
  enum : int {
    kDrawMarkers = 1,      // every vertex's marker
    kDrawPath = 2,         // every segment, the closing one included
    kDrawUnitMarkers = 8,  // every marker, or only the given vertex's
    kDrawOutgoing = 32,    // with a vertex: its segment to its successor
    kDrawIncoming = 64,    // with a vertex: its segment from its predecessor
  };
  // The bounds of a figure with nothing to bound.
  static constexpr OsImgRect kNoBounds{32767, 32767, -32766, -32766};

  TDShape() = default;
  TDShape(const TDShape&) = delete;
  TDShape& operator=(const TDShape&) = delete;
  ~TDShape() override = default;  // fUnits destroys the vertices

  void AttachContainer(TObjectContainer* container) override;
  // Shaping while drawing: phase 0 press, 1 move, 2 release; points in view
  // pixels. A plain figure has nothing to shape.
  virtual int Track(int phase, OsImgPoint* press, OsImgPoint* current);
  // Same vertex count and bit-identical points, vertex by vertex.
  virtual bool IsEqual(const TDShape* other) const;
  // A plain TDShape with copies of every vertex, the bounds, openness and
  // selection, not busy; null (nothing left behind) when allocation fails.
  virtual TDShape* Clone() const;

  TDUnit* AddUnit(float ax, float ay, float d1x, float d1y, float d2x, float d2y, std::uint8_t smooth, int selected,
                  std::uint8_t steps, std::uint8_t state);
  // Inserts right before A's successor (at the front for the last vertex of a
  // closed figure) and recomputes the new vertex's steps both ways.
  TDUnit* InsertUnitAfter(TDUnit* a, float ax, float ay, float d1x, float d1y, float d2x, float d2y,
                          std::uint8_t smooth, std::uint8_t steps, std::uint8_t state);
  TDUnit* NextUnit(const TDUnit* unit) const;
  TDUnit* PrevUnit(const TDUnit* unit) const;
  TDUnit* FirstUnit() const;
  TDUnit* LastUnit() const;
  int UnitCount() const { return fUnits.GetCount(); }

  int UpdateSteps(TDUnit* unit, int flags);
  void CalcBounds(OsImgRect& bounds);

  int SetSelect(int select, int redraw, int pointMode);
  bool SetUnitState(int state, TDUnit* unit);
  int SetBusy(int flag);

  bool Move(int dx, int dy);
  bool MoveFloat(float dx, float dy);
  bool Rotate(double sin, double cos, float cx, float cy);
  bool Scale(double factor, float cx, float cy);

  // Every point of every vertex, anchor and both handles, in vertex order.
  template <typename Fn>
  void ForEachPoint(Fn fn) {
    for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
      auto* unit = static_cast<TDUnit*>(fUnits.GetItem(pos));
      fn(unit->fAnchor);
      fn(unit->fDirection1);
      fn(unit->fDirection2);
    }
  }

  bool Draw(int mode, int value, TDUnit* unit, int omitChord);
  bool DrawAll();

  // Hit tests, rectangle selection and tracing (PathGeometry.cpp).
  bool CheckSegments(int mx, int my, TDCheck* check, const BZoom* zoom);
  // The same test walking every segment, with none of the shortcuts that spare
  // CheckSegments the walks that cannot reach the mouse; every answer is the same.
  bool CheckSegmentsByWalk(int mx, int my, TDCheck* check, const BZoom* zoom);
  bool CheckUnits(int mx, int my, TDCheck* check, const BZoom* zoom);
  bool SelectInRect(int left, int top, int right, int bottom, int mode);
  int CountRegionPoints();
  bool FillRegionPoints(OsImgPoint* buffer);
  bool AppendTrace(OsImgPoint** list, int* count);

  // The zoom of the attached view, or null when there is none.
  const BZoom* ViewZoom() const;
  // A copy of that zoom for drawing, 1:1 when there is none.
  BZoom DrawZoom() const;

  BList fUnits;
  OsImgRect fBounds{};
  int fOpen = 1;
  int fSelected = 0;
  int fBusy = 0;

 protected:
  // Fills a fresh figure with copies of this one's vertices and flags; false when
  // a vertex cannot be added.
  bool CopyInto(TDShape& copy) const;
  // A copy of class T, or null with nothing left behind.
  template <typename T>
  T* CloneAs() const {
    T* copy = new (std::nothrow) T;
    if (copy != nullptr && !CopyInto(*copy)) {
      delete copy;
      return nullptr;
    }
    return copy;
  }

 private:
  void DrawMarker(const TDUnit& unit, const BZoom& zoom) const;
  void DrawSegment(const TDUnit& a, const TDUnit& b, const BZoom& zoom) const;
  // Runs `Draw` with trace capture on, into `buffer` (or counting only).
  int Trace(OsImgPoint* buffer);
  bool SegmentsHit(int mx, int my, TDCheck* check, const BZoom* zoom, bool prune);
};

// Geometry the trackers use (PathGeometry.cpp).

// angle(b - c) - angle(a - c) in radians; 0 when either vector is null.
double AngleBetween(float cx, float cy, int ax, int ay, int bx, int by);
// |b - c| / |a - c|, or -1 when a is (nearly) on c.
double DistanceRatio(float cx, float cy, float ax, float ay, float bx, float by);
// Stores |p1 - p0| in d and says whether it reaches threshold.
bool Distance(float x0, float y0, float x1, float y1, int threshold, float* d);
