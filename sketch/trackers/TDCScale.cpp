#include "trackers/TDCScale.h"

#include "BList.h"
#include "OsWindows.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "trackers/FigureLists.h"

IMPLEMENT_DYNAMIC(TDCScale, TDCBase)

TDCScale::~TDCScale() { delete fSnapshot; }

void TDCScale::IDCScale(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  if (Begin(kChangeMouseScale, container, view, document, point, fSnapshot)) fContainer->SetBusy(1);
}

double TDCScale::Factor(float to, float press, float centre) {
  if (press == centre) return 1.0;
  return (static_cast<double>(to) - centre) / (static_cast<double>(press) - centre);
}

void TDCScale::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  GridMouse(next);
  if ((GetKeyState(VK_SHIFT) & 0x8000) != 0) KeepOnDiagonal(anchor, next);
}

BTracker* TDCScale::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint&, OsImgPoint& next, int moved) {
  // Without a snapshot (the press ran out of memory) there is nothing to scale from.
  if (fActive == 0 || fContainer == nullptr || fSnapshot == nullptr) return this;
  if (phase == kTrackBegin) {
    fPressPoint = ToImage(anchor);
  } else if (phase == kTrackContinue && moved != 0) {
    const TDFloatPoint to = ToImage(next);
    ScaleFromSnapshot(Factor(to.x, fPressPoint.x, fCenter.x), Factor(to.y, fPressPoint.y, fCenter.y));
  } else if (phase == kTrackEnd) {
    EndGridMouse();
  }
  SketchRequestUpdate();
  return this;
}

void TDCScale::ScaleFromSnapshot(double sx, double sy) {
  const double cx = fCenter.x, cy = fCenter.y;
  const auto scaled = [&](const TDFloatPoint& p) {
    return TDFloatPoint(Narrow((p.x - cx) * sx + cx), Narrow((p.y - cy) * sy + cy));
  };
  // The snapshot holds the figures as they were at the press, in the
  // container's order, so every step starts again from them.
  BPosition from = fSnapshot->GetHeadPosition();
  for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr && from != nullptr;) {
    TDShape* shape = AsShape(fContainer->GetNext(pos));
    const TDShape* original = AsShape(fSnapshot->GetNext(from));
    if (shape == nullptr || original == nullptr || shape->fSelected == 0) continue;
    BPosition u = original->fUnits.GetHeadPosition();
    for (BPosition v = shape->fUnits.GetHeadPosition(); v != nullptr && u != nullptr;) {
      auto* unit = static_cast<TDUnit*>(shape->fUnits.GetNext(v));
      const auto* source = static_cast<const TDUnit*>(original->fUnits.GetNext(u));
      unit->fAnchor = scaled(source->fAnchor);
      unit->fDirection1 = scaled(source->fDirection1);
      unit->fDirection2 = scaled(source->fDirection2);
    }
  }
}
