#include "container/TObjectContainer.h"

#include <algorithm>
#include <new>

#include "BView.h"
#include "container/ShapeWalk.h"
#include "model/TDShape.h"
#include "raster/SketchRaster.h"

IMPLEMENT_DYNAMIC(TObjectContainer, BList)

BList* TObjectContainer::fClipContainer = nullptr;

namespace {

// Image edge of a view edge: trunc(v / zoom + origin), then into 16 bits.
std::int16_t ImageEdge(std::int32_t v, float zoom, float origin) {
  return static_cast<std::int16_t>(OsTruncToInt(static_cast<double>(v) / zoom + origin));
}

}  // namespace

TObjectContainer::TObjectContainer() {
  if (fClipContainer == nullptr) fClipContainer = new (std::nothrow) BList;
}

void TObjectContainer::IObjectContainer() { fActRegion.IRegion(); }

BZoom TObjectContainer::Zoom() const { return fView != nullptr ? BZoom(fView->GetZoom()) : BZoom(); }

bool TObjectContainer::AddObject(TMarbleObject* object) { return AddTail(object) != nullptr; }

bool TObjectContainer::TakeOut(TMarbleObject* object) {
  const BPosition pos = FindItem(object);
  if (pos == nullptr) return false;
  SetItem(pos, nullptr);
  Delete(pos);
  // A figure out of the list cannot go on being drawn: a pen press would
  // extend it outside the document, or after its owner destroyed it.
  if (object == fDrawing) fDrawing = nullptr;
  return true;
}

bool TObjectContainer::ReplaceAtEnd(TMarbleObject* out, TMarbleObject* in) {
  BPosition pos = FindItem(out);
  if (pos == nullptr) return false;
  for (BPosition next = GetNextPosition(pos); next != nullptr; next = GetNextPosition(pos)) {
    SetItem(pos, GetItem(next));
    pos = next;
  }
  SetItem(pos, in);
  if (fDrawing == out) Terminate();
  return true;
}

void TObjectContainer::MoveLastTo(int place) {
  BPosition pos = GetTailPosition();
  CObject* const last = GetItem(pos);
  for (int index = GetCount(); index > place && index > 1; --index) {
    const BPosition before = GetPrevPosition(pos);
    SetItem(pos, GetItem(before));
    pos = before;
  }
  if (pos != nullptr) SetItem(pos, last);
}

void TObjectContainer::SelectAll(int select) {
  ForEachShape(*this, [select](TDShape& s) {
    s.SetSelect(select, 1, 0);
    if (select == 0) s.SetUnitState(0, nullptr);
  });
}

bool TObjectContainer::BoundsMeet(OsImgRect a, OsImgRect b) {
  // Widened: an edge at the end of the range must still grow by one.
  std::int64_t al = a.left, at = a.top, ar = a.right, ab = a.bottom;
  std::int64_t bl = b.left, bt = b.top, br = b.right, bb = b.bottom;
  if (bt == bb) ++bb;
  if (bl == br) ++br;
  if (at == ab) ++ab;
  if (al == ar) ++ar;
  if (bl == ar) ++ar;
  if (br == al) ++br;
  const std::int64_t l = std::max(al, bl), t = std::max(at, bt);
  const std::int64_t r = std::min(ar, br), btm = std::min(ab, bb);
  return r > l && btm > t;
}

void TObjectContainer::Draw(const OsImgRect& rect) {
  ForEachShape(*this, [&rect](TDShape& s) {
    if (BoundsMeet(s.fBounds, rect)) s.DrawAll();
  });
  // The raster is rebuilt from nothing on every repaint, so a shown mark must be
  // drawn again with the figures or it would vanish.
  if (fCenterShown == 1) {
    DrawCenterMark();
    SketchMarkDirty();
  }
}

void TObjectContainer::ActiveDraw() {
  ForEachShape(*this, [](TDShape& s) {
    if (s.fSelected != 0) s.DrawAll();
  });
}

void TObjectContainer::SelectInRect(OsImgRect rect, int mode) {
  const BZoom z = Zoom();
  const int left = ImageEdge(rect.left, z.fZoomX, z.fOriginX);
  const int right = ImageEdge(rect.right, z.fZoomX, z.fOriginX);
  const int top = ImageEdge(rect.top, z.fZoomY, z.fOriginY);
  const int bottom = ImageEdge(rect.bottom, z.fZoomY, z.fOriginY);
  ForEachShape(*this, [&](TDShape& s) { s.SelectInRect(left, top, right, bottom, mode); });
}

void TObjectContainer::DragSelected(short, OsImgPoint delta) {
  ForEachShape(*this, [&delta](TDShape& s) {
    if (s.fSelected == 0) return;
    s.DrawAll();
    s.Move(delta.x, delta.y);
    s.DrawAll();
  });
}

void TObjectContainer::CloneSelected(BList* into) {
  Terminate();
  if (into == nullptr) return;
  ForEachShape(*this, [into](TDShape& s) {
    if (s.fSelected == 0) return;
    TDShape* copy = s.Clone();
    if (copy != nullptr && into->AddTail(copy) == nullptr) delete copy;
  });
}

void TObjectContainer::DeleteSelected(BList* into) {
  Terminate();
  for (BPosition pos = GetHeadPosition(); pos != nullptr;) {
    const BPosition current = pos;
    pos = GetNextPosition(pos);
    TDShape* shape = AsShape(GetItem(current));
    if (shape == nullptr || shape->fSelected == 0) continue;
    if (into != nullptr) {
      // A figure that cannot be moved stays where it is rather than be lost.
      if (into->AddTail(shape) == nullptr) continue;
      SetItem(current, nullptr);
    }
    Delete(current);
  }
}

int TObjectContainer::Check(OsImgPoint point, int mode) {
  TDCheck check;
  check.fFlags = TDCheck::kSegments;
  check.fTolerance = 4.0f;
  const BZoom zoom = Zoom();
  TDShape* hit = nullptr;
  for (BPosition pos = GetHeadPosition(); pos != nullptr && hit == nullptr;) {
    TDShape* s = AsShape(GetNext(pos));
    if (s != nullptr && s->CheckSegments(point.x, point.y, &check, &zoom)) hit = s;
  }
  if (hit == nullptr) {
    if (mode == kClickReplace) SelectAll(0);
    return 0;
  }
  if (hit->fSelected) {
    if (mode == kClickToggle) hit->SetSelect(0, 1, 0);
    return 1;
  }
  if (mode == kClickReplace) SelectAll(0);
  hit->SetSelect(1, 1, 0);
  return 1;
}

int TObjectContainer::CheckDetail(OsImgPoint point, TDCheck* check, int keep) {
  if (check == nullptr) return 0;
  const BZoom zoom = Zoom();
  for (BPosition pos = GetHeadPosition(); pos != nullptr;) {
    TDShape* s = AsShape(GetNext(pos));
    if (s != nullptr && s->CheckUnits(point.x, point.y, check, &zoom)) {
      s->SetSelect(1, 1, 0);
      return 1;
    }
  }
  for (BPosition pos = GetHeadPosition(); pos != nullptr;) {
    TDShape* s = AsShape(GetNext(pos));
    if (s != nullptr && s->CheckSegments(point.x, point.y, check, &zoom)) {
      s->SetSelect(1, 1, 0);
      return 1;
    }
  }
  if (keep == 0) SelectAll(0);
  return 0;
}

int TObjectContainer::CalcActArea() {
  std::int32_t left = 32767, top = 32767, right = -32767, bottom = -32767;
  bool any = false;
  ForEachShape(*this, [&](TDShape& s) {
    OsImgRect b;
    s.CalcBounds(b);
    if (s.fSelected != 1) return;
    any = true;
    left = std::min(left, b.left);
    top = std::min(top, b.top);
    right = std::max(right, b.right);
    bottom = std::max(bottom, b.bottom);
  });
  if (any) {
    fActArea = {left, top, right, bottom};
    fCenter.Set(static_cast<float>((static_cast<double>(left) + right) * 0.5),
                static_cast<float>((static_cast<double>(top) + bottom) * 0.5));
  }
  return 1;
}

bool TObjectContainer::CheckCenter(OsImgPoint point) const {
  if (!fCenterShown) return false;
  const OsImgPoint c = ImageToView(fCenter, Zoom());
  return point.x >= std::int64_t{c.x} - 3 && point.x < std::int64_t{c.x} + 4 && point.y >= std::int64_t{c.y} - 3 &&
         point.y < std::int64_t{c.y} + 4;
}

void TObjectContainer::DrawCenterMark() const {
  const OsImgPoint c = ImageToView(fCenter, Zoom());
  const auto at = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  SketchDrawLine({c.x, at(std::int64_t{c.y} - 5)}, {c.x, at(std::int64_t{c.y} + 5)});
  SketchDrawLine({at(std::int64_t{c.x} - 5), c.y}, {at(std::int64_t{c.x} + 5), c.y});
  SketchDrawCenterMark(c);
}

int TObjectContainer::DrawCenter(int show) {
  if ((show == 1 && fCenterShown == 1) || (show == 0 && fCenterShown == 0)) return 0;
  if (show == 1) DrawCenterMark();
  SketchMarkDirty();
  fCenterShown = show;
  return 1;
}

TObjectContainer* TObjectContainer::Clone() const {
  TObjectContainer* copy = new (std::nothrow) TObjectContainer;
  if (copy == nullptr) return nullptr;
  copy->IObjectContainer();
  ForEachShape(*this, [copy](TDShape& s) {
    TDShape* clone = s.Clone();
    if (clone != nullptr && copy->AddTail(clone) == nullptr) delete clone;
  });
  return copy;
}

int TObjectContainer::CalcActRgn() {
  BRegion accumulator;
  accumulator.IRegion();
  fActRegion.EmptyRegion();
  for (BPosition pos = GetHeadPosition(); pos != nullptr;) {
    TDShape* s = AsShape(GetNext(pos));
    if (s == nullptr || s->fSelected != 1) continue;
    const int n = s->CountRegionPoints();
    OsImgPoint* points = new (std::nothrow) OsImgPoint[n > 0 ? n : 1]();
    if (points == nullptr) break;  // keep what has been accumulated
    s->FillRegionPoints(points);
    BRegion polygon;
    polygon.PolygonRegion(points, n);
    accumulator.XorRegion(polygon);
    delete[] points;
  }
  if (!accumulator.IsEmptyRegion()) fActRegion.CopyRegion(accumulator);
  return 1;
}

void TObjectContainer::SetBusy(int flag) {
  ForEachShape(*this, [flag](TDShape& s) {
    if (s.fSelected != 0) s.SetBusy(flag);
  });
}

bool TObjectContainer::GetTraceList(OsImgPoint** list, int* count) {
  for (BPosition pos = GetHeadPosition(); pos != nullptr;) {
    TDShape* s = AsShape(GetNext(pos));
    if (s != nullptr && s->fSelected != 0 && !s->AppendTrace(list, count)) return false;
  }
  return true;
}
