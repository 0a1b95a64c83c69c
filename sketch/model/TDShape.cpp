#include "model/TDShape.h"

#include <algorithm>
#include <new>

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "raster/SketchRaster.h"

IMPLEMENT_DYNAMIC(TDShape, TMarbleObject)

namespace {

std::int32_t Saturate(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Untruncated view coordinates of an image point.
double ViewX(float x, const BZoom& z) { return (static_cast<double>(x) - z.fOriginX) * z.fZoomX; }
double ViewY(float y, const BZoom& z) { return (static_cast<double>(y) - z.fOriginY) * z.fZoomY; }

// The marker box: [v - 2, v + 3) on both axes.
OsImgRect MarkerBox(const OsImgPoint& v) {
  return {Saturate(std::int64_t{v.x} - 2), Saturate(std::int64_t{v.y} - 2), Saturate(std::int64_t{v.x} + 3),
          Saturate(std::int64_t{v.y} + 3)};
}

TDUnit* UnitAt(const BList& list, BPosition pos) { return static_cast<TDUnit*>(list.GetItem(pos)); }

}  // namespace

void TDShape::AttachContainer(TObjectContainer* container) {
  fContainer = container;
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr;) {
    if (CObject* unit = fUnits.GetNext(pos)) static_cast<TDUnit*>(unit)->AttachContainer(container);
  }
}

int TDShape::Track(int, OsImgPoint*, OsImgPoint*) { return 0; }

const BZoom* TDShape::ViewZoom() const {
  if (fContainer == nullptr || fContainer->GetView() == nullptr) return nullptr;
  return &fContainer->GetView()->GetZoom();
}

BZoom TDShape::DrawZoom() const {
  const BZoom* zoom = ViewZoom();
  return zoom != nullptr ? BZoom(*zoom) : BZoom();
}

TDUnit* TDShape::FirstUnit() const { return UnitAt(fUnits, fUnits.GetHeadPosition()); }
TDUnit* TDShape::LastUnit() const { return UnitAt(fUnits, fUnits.GetTailPosition()); }

TDUnit* TDShape::NextUnit(const TDUnit* unit) const {
  if (unit == nullptr) return nullptr;
  const BPosition pos = fUnits.FindItem(unit);
  if (pos == nullptr) return nullptr;
  const BPosition next = fUnits.GetNextPosition(pos);
  if (next != nullptr) return UnitAt(fUnits, next);
  return fOpen ? nullptr : FirstUnit();
}

TDUnit* TDShape::PrevUnit(const TDUnit* unit) const {
  if (unit == nullptr) return nullptr;
  const BPosition pos = fUnits.FindItem(unit);
  if (pos == nullptr) return nullptr;
  const BPosition prev = fUnits.GetPrevPosition(pos);
  if (prev != nullptr) return UnitAt(fUnits, prev);
  return fOpen ? nullptr : LastUnit();
}

TDUnit* TDShape::AddUnit(float ax, float ay, float d1x, float d1y, float d2x, float d2y, std::uint8_t smooth,
                         int selected, std::uint8_t steps, std::uint8_t state) {
  TDUnit* unit = new (std::nothrow) TDUnit;
  if (unit == nullptr) return nullptr;
  unit->fContainer = fContainer;
  unit->Set3(ax, ay, d1x, d1y, d2x, d2y);
  unit->fSmooth = smooth;
  unit->fSelected = selected;
  unit->fSteps = steps;
  unit->SetState(state);
  if (fUnits.AddTail(unit) == nullptr) {
    delete unit;
    return nullptr;
  }
  return unit;
}

TDUnit* TDShape::InsertUnitAfter(TDUnit* a, float ax, float ay, float d1x, float d1y, float d2x, float d2y,
                                 std::uint8_t smooth, std::uint8_t steps, std::uint8_t state) {
  const TDUnit* next = NextUnit(a);
  if (next == nullptr) return nullptr;
  const BPosition before = fUnits.FindItem(next);
  if (before == nullptr) return nullptr;
  TDUnit* unit = new (std::nothrow) TDUnit;
  if (unit == nullptr) return nullptr;
  unit->fContainer = fContainer;
  unit->Set3(ax, ay, d1x, d1y, d2x, d2y);
  unit->fSmooth = smooth;
  unit->fSteps = steps;
  unit->SetState(state);
  if (fUnits.InsertPrev(before, unit) == nullptr) {
    delete unit;
    return nullptr;
  }
  UpdateSteps(unit, kStepsOutgoing | kStepsIncoming);
  return unit;
}

int TDShape::UpdateSteps(TDUnit* unit, int flags) {
  if (unit == nullptr) return 0;
  int steps = 0;
  if (flags & kStepsOutgoing) {
    if (TDUnit* next = NextUnit(unit)) {
      steps = SegmentSteps(*unit, *next, flags);
      if (steps >= 1 && steps <= 255) unit->fSteps = static_cast<std::uint8_t>(steps);
    }
  }
  if (flags & kStepsIncoming) {
    if (TDUnit* prev = PrevUnit(unit)) {
      steps = SegmentSteps(*prev, *unit, flags);
      if (steps >= 1 && steps <= 255) prev->fSteps = static_cast<std::uint8_t>(steps);
    }
  }
  return steps;
}

void TDShape::CalcBounds(OsImgRect& bounds) {
  // Kept as wide integers while feeding so that the final + 1 cannot overflow.
  std::int64_t left = 32767, top = 32767, right = -32767, bottom = -32767;
  const auto feed = [&](const TDFloatPoint& p) {
    if (left > p.x) left = OsTruncToInt(p.x);
    if (top > p.y) top = OsTruncToInt(p.y);
    if (right < p.x) right = OsTruncToInt(p.x);
    if (bottom < p.y) bottom = OsTruncToInt(p.y);
  };
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr;) {
    const TDUnit* a = UnitAt(fUnits, pos);
    pos = fUnits.GetNextPosition(pos);
    if (pos == nullptr) break;
    const TDUnit* b = UnitAt(fUnits, pos);
    feed(a->fAnchor);
    const float dt = Narrow(1.0 / (a->fSteps + 1));
    TDFloatPoint current = a->fAnchor;
    float t = 0.0f;
    do {
      feed(current);
      current = BezierPoint(*a, *b, t);
      t = Narrow(static_cast<double>(t) + dt);
    } while (t < 1.0f);
    feed(b->fAnchor);
  }
  fBounds = {Saturate(left), Saturate(top), Saturate(right + 1), Saturate(bottom + 1)};
  bounds = fBounds;
}

int TDShape::SetSelect(int select, int redraw, int pointMode) {
  if (select != 0) {
    if (!fSelected && redraw == 1) {
      SetUnitState(pointMode == 0 ? TDUnit::kFilled : TDUnit::kOutline, nullptr);
    }
    fSelected = select;
  } else {
    if (fSelected == 1 && redraw == 1) SetUnitState(TDUnit::kHidden, nullptr);
    fSelected = 0;
  }
  return 1;
}

bool TDShape::SetUnitState(int state, TDUnit* unit) {
  const BZoom zoom = DrawZoom();
  const auto apply = [&](TDUnit& u) {
    u.SetState(static_cast<std::uint8_t>(state));
    DrawMarker(u, zoom);
  };
  if (unit != nullptr) {
    apply(*unit);
  } else {
    for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
      apply(*UnitAt(fUnits, pos));
    }
  }
  SketchMarkDirty();
  return true;
}

int TDShape::SetBusy(int flag) {
  fBusy = flag;
  return flag;
}

bool TDShape::Move(int dx, int dy) {
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
    UnitAt(fUnits, pos)->MoveInt(dx, dy);
  }
  fBounds = {Saturate(std::int64_t{fBounds.left} + dx), Saturate(std::int64_t{fBounds.top} + dy),
             Saturate(std::int64_t{fBounds.right} + dx), Saturate(std::int64_t{fBounds.bottom} + dy)};
  return true;
}

bool TDShape::MoveFloat(float dx, float dy) {
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
    UnitAt(fUnits, pos)->MoveFloat(dx, dy);
  }
  const std::int64_t ix = OsTruncToInt(dx), iy = OsTruncToInt(dy);
  fBounds = {Saturate(fBounds.left + ix), Saturate(fBounds.top + iy), Saturate(fBounds.right + ix),
             Saturate(fBounds.bottom + iy)};
  return true;
}

bool TDShape::Rotate(double sin, double cos, float cx, float cy) {
  ForEachPoint([=](TDFloatPoint& p) {
    const double dx = static_cast<double>(p.x) - cx;
    const double dy = static_cast<double>(p.y) - cy;
    p.Set(Narrow(cx + dx * cos + dy * sin), Narrow(cy + dy * cos - dx * sin));
  });
  return true;
}

bool TDShape::Scale(double factor, float cx, float cy) {
  ForEachPoint([=](TDFloatPoint& p) {
    p.Set(Narrow(cx + (static_cast<double>(p.x) - cx) * factor), Narrow(cy + (static_cast<double>(p.y) - cy) * factor));
  });
  return true;
}

bool TDShape::IsEqual(const TDShape* other) const {
  if (other == nullptr || other->fUnits.GetCount() != fUnits.GetCount()) return false;
  const auto same = [](const TDFloatPoint& a, const TDFloatPoint& b) { return !a.Differs(b.x, b.y); };
  BPosition mine = fUnits.GetHeadPosition();
  BPosition theirs = other->fUnits.GetHeadPosition();
  for (; mine != nullptr; mine = fUnits.GetNextPosition(mine), theirs = other->fUnits.GetNextPosition(theirs)) {
    const TDUnit* a = UnitAt(fUnits, mine);
    const TDUnit* b = UnitAt(other->fUnits, theirs);
    if (!same(a->fAnchor, b->fAnchor) || !same(a->fDirection1, b->fDirection1) ||
        !same(a->fDirection2, b->fDirection2)) {
      return false;
    }
  }
  return true;
}

bool TDShape::CopyInto(TDShape& copy) const {
  copy.fContainer = fContainer;
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos)) {
    const TDUnit* u = UnitAt(fUnits, pos);
    if (copy.AddUnit(u->fAnchor.x, u->fAnchor.y, u->fDirection1.x, u->fDirection1.y, u->fDirection2.x, u->fDirection2.y,
                     static_cast<std::uint8_t>(u->fSmooth), u->fSelected, u->fSteps, u->fState) == nullptr) {
      return false;
    }
  }
  copy.fBounds = fBounds;
  copy.fOpen = fOpen;
  copy.fSelected = fSelected;
  copy.fBusy = 0;
  return true;
}

TDShape* TDShape::Clone() const { return CloneAs<TDShape>(); }

void TDShape::DrawMarker(const TDUnit& unit, const BZoom& zoom) const {
  const OsImgPoint v = ImageToView(unit.fAnchor, zoom);
  const auto box = [&zoom](const TDFloatPoint& p) { SketchFillRect(MarkerBox(ImageToView(p, zoom))); };
  const auto handle = [&](const TDFloatPoint& p) { SketchDrawLine(v, ImageToView(p, zoom)); };
  switch (unit.fState) {
    case TDUnit::kHidden: SketchMarkDirty(); break;
    case TDUnit::kOutline: SketchFrameRect(MarkerBox(v)); break;
    case TDUnit::kFilled: SketchFillRect(MarkerBox(v)); break;
    case TDUnit::kBothHandles:
      box(unit.fAnchor);
      box(unit.fDirection1);
      box(unit.fDirection2);
      handle(unit.fDirection1);
      handle(unit.fDirection2);
      break;
    case TDUnit::kHandle1:
      box(unit.fAnchor);
      box(unit.fDirection1);
      handle(unit.fDirection1);
      break;
    case TDUnit::kHandle2:
      box(unit.fAnchor);
      box(unit.fDirection2);
      handle(unit.fDirection2);
      break;
    case TDUnit::kCross: {
      const double vx = ViewX(unit.fAnchor.x, zoom), vy = ViewY(unit.fAnchor.y, zoom);
      SketchDrawLine({v.x, OsTruncToInt(vy - 4)}, {v.x, OsTruncToInt(vy + 4)});
      SketchDrawLine({OsTruncToInt(vx - 4), v.y}, {OsTruncToInt(vx + 4), v.y});
      break;
    }
    default: break;
  }
}

void TDShape::DrawSegment(const TDUnit& a, const TDUnit& b, const BZoom& zoom) const {
  OsImgPoint p = ImageToView(a.fAnchor, zoom);
  const float dt = Narrow(1.0 / ((a.fSteps + 1) * static_cast<double>(zoom.fZoomX)));
  // A zoom that is not a positive number would never let t reach 1: such a
  // segment is drawn as its chord, as when the step size is a whole segment.
  if (dt != 1.0f && dt > 0.0f) {
    float t = 0.0f;
    do {
      const OsImgPoint q = ImageToView(BezierPoint(a, b, t), zoom);
      SketchDrawLine(p, q);
      p = q;
      t = Narrow(static_cast<double>(t) + dt);
    } while (t < 1.0f);
  }
  SketchDrawLine(p, ImageToView(b.fAnchor, zoom));
}

bool TDShape::Draw(int mode, int /*value*/, TDUnit* unit, int omitChord) {
  const BZoom zoom = DrawZoom();
  if (unit != nullptr) {
    if (!(mode & kDrawUnitMarkers)) return true;
    DrawMarker(*unit, zoom);
    if (mode & kDrawOutgoing) {
      if (const TDUnit* next = NextUnit(unit)) DrawSegment(*unit, *next, zoom);
    }
    if (mode & kDrawIncoming) {
      if (const TDUnit* prev = PrevUnit(unit)) DrawSegment(*prev, *unit, zoom);
    }
  } else {
    for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr;) {
      const TDUnit* u = UnitAt(fUnits, pos);
      pos = fUnits.GetNextPosition(pos);
      if (mode & kDrawUnitMarkers) DrawMarker(*u, zoom);
      if (mode & kDrawMarkers) DrawMarker(*u, zoom);
      if (mode & kDrawPath) {
        const TDUnit* next = pos != nullptr ? UnitAt(fUnits, pos) : (fOpen ? nullptr : FirstUnit());
        if (next != nullptr) DrawSegment(*u, *next, zoom);
      }
    }
  }
  // The chord closes an open figure for region building only.
  if (omitChord == 0 && fOpen && fUnits.GetCount() > 0) {
    SketchDrawLine(ImageToView(FirstUnit()->fAnchor, zoom), ImageToView(LastUnit()->fAnchor, zoom));
  }
  return true;
}

bool TDShape::DrawAll() { return Draw(kDrawMarkers | kDrawPath, 1, nullptr, 1); }
