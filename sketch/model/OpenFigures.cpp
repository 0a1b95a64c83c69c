// Lines, free-hand strokes, multi-lines and pen paths: the figures that start
// open and take their shape point by point while they are drawn.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "container/TObjectContainer.h"
#include "model/LineWalk.h"
#include "model/Segment.h"
#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDMuLine.h"
#include "model/TDPen.h"

IMPLEMENT_DYNAMIC(TDLine, TDShape)
IMPLEMENT_DYNAMIC(TDFreeLine, TDShape)
IMPLEMENT_DYNAMIC(TDMuLine, TDShape)
IMPLEMENT_DYNAMIC(TDPen, TDShape)

namespace {

TDUnit* UnitAt(const BList& list, BPosition pos) { return static_cast<TDUnit*>(list.GetItem(pos)); }

// A corner vertex: both control points on the anchor.
TDUnit* AddCorner(TDShape& shape, const TDFloatPoint& p, std::uint8_t steps, std::uint8_t state) {
  return shape.AddUnit(p.x, p.y, p.x, p.y, p.x, p.y, 1, 0, steps, state);
}

// What every open figure is while it is being drawn.
void MarkDrawing(TDShape& shape) {
  shape.fOpen = 1;
  shape.fSelected = 1;
  shape.SetBusy(1);
}

// A click within 4 view pixels of the first vertex's anchor, the box edges taken
// from the untruncated view position so that they do not shift with the zoom's
// rounding.
bool OnFirstUnit(const TDShape& shape, const OsImgPoint& click) {
  const TDUnit* first = shape.FirstUnit();
  if (first == nullptr) return false;
  const BZoom z = shape.DrawZoom();
  const double vx = (static_cast<double>(first->fAnchor.x) - z.fOriginX) * z.fZoomX;
  const double vy = (static_cast<double>(first->fAnchor.y) - z.fOriginY) * z.fZoomY;
  return click.x >= OsTruncToInt(vx - 4) && click.x < OsTruncToInt(vx + 4) && click.y >= OsTruncToInt(vy - 4) &&
         click.y < OsTruncToInt(vy + 4);
}

// The click-by-click figures end when they are closed: the container stops
// routing clicks to them.
void Finish(TDShape& shape) {
  shape.fOpen = 0;
  if (shape.fContainer != nullptr) shape.fContainer->Terminate();
}

// Whether m lies within 2 view pixels of the line a -> b, judged exactly as a
// click on a segment is, so that what looks straight on screen stays straight.
bool NearChord(const TDFloatPoint& a, const TDFloatPoint& b, const TDFloatPoint& m, const BZoom& zoom) {
  constexpr double kTolerance = 2.0;
  const OsImgPoint v = ImageToView(m, zoom);
  const std::int64_t left = OsTruncToInt(v.x - kTolerance);
  const std::int64_t right = OsTruncToInt(v.x + kTolerance);
  const std::int64_t top = OsTruncToInt(v.y - kTolerance);
  const std::int64_t bottom = OsTruncToInt(v.y + kTolerance);
  const OsImgPoint p = ImageToView(a, zoom), q = ImageToView(b, zoom);
  return FirstWalkPixelIn(p.x, p.y, q.x, q.y, {left, right, top, bottom}) >= 0;
}

float Length(const TDFloatPoint& from, const TDFloatPoint& to) {
  const double dx = static_cast<double>(to.x) - from.x;
  const double dy = static_cast<double>(to.y) - from.y;
  return Narrow(std::sqrt(dx * dx + dy * dy));
}

}  // namespace

// ---- TDLine ----

bool TDLine::Begin(TObjectContainer* container, int x, int y) {
  SetContainer(container);
  const TDFloatPoint p(x, y, ViewZoom());
  for (int i = 0; i < 2; ++i) {
    if (AddCorner(*this, p, 0, TDUnit::kFilled) == nullptr) return false;
  }
  MarkDrawing(*this);
  return true;
}

int TDLine::Track(int, OsImgPoint*, OsImgPoint* current) {
  TDUnit* end = LastUnit();
  if (current == nullptr || end == nullptr) return 1;
  const TDFloatPoint p(current->x, current->y, ViewZoom());
  end->SetAll(p.x, p.y);
  return 1;
}

// ---- TDFreeLine ----

bool TDFreeLine::Begin(TObjectContainer* container, int x, int y) {
  SetContainer(container);
  const OsImgPoint p = TDFloatPoint(x, y, ViewZoom()).ToImgPoint();
  // Samples were once kept as 16-bit points; the press point still is, which
  // matters only when the first sample below cannot be recorded.
  fLastPoint = {static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y)};
  MarkDrawing(*this);
  OsImgPoint point{x, y};
  Track(0, &point, &point);
  return true;
}

int TDFreeLine::Track(int phase, OsImgPoint*, OsImgPoint* current) {
  const BZoom* zoom = ViewZoom();
  const double zx = zoom != nullptr ? zoom->fZoomX : 1.0;
  const double zy = zoom != nullptr ? zoom->fZoomY : 1.0;
  if (phase == 2) {
    CloseIfNearStart(OsTruncToInt(16 / zx), OsTruncToInt(16 / zy));
    SetUnitState(TDUnit::kFilled, nullptr);
    Draw(kDrawMarkers, 1, nullptr, 1);
    Smooth();
    return 1;
  }
  if (current == nullptr) return 1;
  const TDFloatPoint p(current->x, current->y, zoom);
  const OsImgPoint t = p.ToImgPoint();
  const std::int64_t dx = std::int64_t{t.x} - fLastPoint.x;
  const std::int64_t dy = std::int64_t{t.y} - fLastPoint.y;
  // A sample is worth keeping once the mouse has gone more than 20 view pixels
  // along either axis; closer ones only add wobble.
  if (phase == 1 && static_cast<double>(std::llabs(dx)) <= 20 / zx && static_cast<double>(std::llabs(dy)) <= 20 / zy) {
    return 1;
  }
  if (AddCorner(*this, p, 0, TDUnit::kCross) != nullptr) {
    Draw(kDrawUnitMarkers, 1, nullptr, 1);
    fLastPoint = t;
  }
  return 1;
}

bool TDFreeLine::CloseIfNearStart(int tx, int ty) {
  if (fUnits.GetCount() < 2) return false;
  const OsImgPoint h = FirstUnit()->fAnchor.ToImgPoint();
  const OsImgPoint l = LastUnit()->fAnchor.ToImgPoint();
  if (std::llabs(std::int64_t{l.x} - h.x) >= tx || std::llabs(std::int64_t{l.y} - h.y) >= ty) {
    return false;
  }
  // The last sample stands for the start point again: drop it and close.
  SetUnitState(TDUnit::kHidden, LastUnit());
  fUnits.Delete(fUnits.GetTailPosition());
  fOpen = 0;
  return true;
}

void TDFreeLine::Smooth() {
  if (fUnits.GetCount() < 3) return;
  const BZoom zoom = DrawZoom();
  BPosition pa = fUnits.GetHeadPosition();
  BPosition pm = fUnits.GetNextPosition(pa);
  for (BPosition pb = fUnits.GetNextPosition(pm); pb != nullptr; pa = pm, pm = pb, pb = fUnits.GetNextPosition(pb)) {
    TDUnit& a = *UnitAt(fUnits, pa);
    TDUnit& m = *UnitAt(fUnits, pm);
    const TDFloatPoint& pA = a.fAnchor;
    const TDFloatPoint& pM = m.fAnchor;
    const TDFloatPoint& pB = UnitAt(fUnits, pb)->fAnchor;
    const float d1 = Length(pM, pB);
    const float d2 = Length(pA, pM);
    if (NearChord(pA, pB, pM, zoom)) {
      a.fSteps = 0;
      m.fSteps = 0;
      continue;
    }
    const float l1 = Narrow(d1 / 3.0);
    const float l2 = Narrow(d2 / 3.0);
    if (pA.x != pB.x) {
      // The tangent at M runs parallel to the chord A -> B.
      const float k = Narrow((static_cast<double>(pB.y) - pA.y) / (static_cast<double>(pB.x) - pA.x));
      const double s = pA.x < pB.x ? 1.0 : -1.0;
      const float n = Narrow(std::sqrt(static_cast<double>(k) * k + 1.0));
      m.fDirection1.x = Narrow(pM.x + s * l1 / n);
      m.fDirection2.x = Narrow(pM.x - s * l2 / n);
      m.fDirection1.y = Narrow(pM.y + (static_cast<double>(m.fDirection1.x) - pM.x) * k);
      m.fDirection2.y = Narrow(pM.y + (static_cast<double>(m.fDirection2.x) - pM.x) * k);
      UpdateSteps(&m, kStepsIncoming);
    } else {
      // A vertical chord has no slope: both handles go straight up or down, the
      // same length on both sides.
      const double s = pA.y < pB.y ? 1.0 : -1.0;
      m.fDirection1.x = pM.x;
      m.fDirection2.x = pM.x;
      m.fDirection1.y = Narrow(pM.y + s * l1);
      m.fDirection2.y = Narrow(pM.y - s * l1);
      a.fSteps = 0;
      m.fSteps = 0;
    }
  }
  UpdateSteps(PrevUnit(LastUnit()), kStepsIncoming);
}

// ---- TDMuLine ----

bool TDMuLine::Begin(TObjectContainer* container, int x, int y) {
  SetContainer(container);
  const TDFloatPoint p(x, y, ViewZoom());
  fCurrent = AddCorner(*this, p, 0, TDUnit::kFilled);
  if (fCurrent == nullptr) return false;
  MarkDrawing(*this);
  return true;
}

void TDMuLine::DrawCurrent(int value) { Draw(kDrawUnitMarkers | kDrawOutgoing | kDrawIncoming, value, fCurrent, 1); }

int TDMuLine::Track(int phase, OsImgPoint* press, OsImgPoint* current) {
  if (phase == 1) {
    if (fCurrent != nullptr && current != nullptr) {
      const TDFloatPoint p(current->x, current->y, ViewZoom());
      fCurrent->SetAll(p.x, p.y);
    }
    return 1;
  }
  if (phase != 0 || press == nullptr) return 1;
  const int count = fUnits.GetCount();
  // A lone vertex cannot be closed on: the first click after it always adds.
  if (count >= 2) {
    SetUnitState(TDUnit::kFilled, nullptr);
    if (OnFirstUnit(*this, *press)) {
      fCurrent = FirstUnit();
      DrawCurrent(0);
      Finish(*this);
      return 1;
    }
  } else if (count == 1) {
    DrawCurrent(1);
  }
  const TDFloatPoint a(press->x, press->y, ViewZoom());
  fCurrent = AddCorner(*this, a, 0, TDUnit::kFilled);
  return fCurrent != nullptr ? 1 : 0;
}

TDShape* TDMuLine::Clone() const { return CloneAs<TDMuLine>(); }

// ---- TDPen ----

bool TDPen::Begin(TObjectContainer* container, int, int) {
  SetContainer(container);
  MarkDrawing(*this);
  return true;
}

void TDPen::DrawCurrent(int value) { Draw(kDrawUnitMarkers | kDrawOutgoing | kDrawIncoming, value, fCurrent, 1); }

int TDPen::Track(int phase, OsImgPoint* press, OsImgPoint* current) {
  if (press == nullptr) return 1;
  const BZoom* zoom = ViewZoom();
  const TDFloatPoint a(press->x, press->y, zoom);
  if (phase == 0) {
    if (OnFirstUnit(*this, *press)) {
      SetUnitState(TDUnit::kFilled, nullptr);
      fCurrent = FirstUnit();
      SetUnitState(TDUnit::kBothHandles, fCurrent);
      DrawCurrent(0);
      Finish(*this);
      return 1;
    }
    SetUnitState(TDUnit::kFilled, nullptr);
    // The vertex just left keeps its outgoing handle in view: the next segment
    // leaves along it.
    if (fCurrent != nullptr) SetUnitState(TDUnit::kHandle1, fCurrent);
    fCurrent = AddCorner(*this, a, 10, TDUnit::kBothHandles);
    if (fCurrent == nullptr) return 0;
  } else if (phase == 1 && fCurrent != nullptr && current != nullptr) {
    // The drag pulls the outgoing handle; the incoming one mirrors it.
    const TDFloatPoint b(current->x, current->y, zoom);
    fCurrent->Set3(a.x, a.y, b.x, b.y, Narrow(2.0 * a.x - b.x), Narrow(2.0 * a.y - b.y));
    UpdateSteps(fCurrent, kStepsOutgoing | kStepsIncoming);
  }
  return 1;
}

TDShape* TDPen::Clone() const { return CloneAs<TDPen>(); }
