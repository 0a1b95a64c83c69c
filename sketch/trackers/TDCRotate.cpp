#include "trackers/TDCRotate.h"

#include <cmath>

#include "BList.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "trackers/FigureLists.h"

IMPLEMENT_DYNAMIC(TDCRotate, TDCBase)

TDCRotate::~TDCRotate() { delete fSnapshot; }

void TDCRotate::IDCRotate(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  fPrevPoint = {0, 0};
  Begin(kChangeMouseRotate, container, view, document, point, fSnapshot);
}

void TDCRotate::TrackConstrain(int phase, const OsImgPoint&, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive != 0 && phase != kTrackBegin) GridMouse(next);
}

BTracker* TDCRotate::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint&, OsImgPoint& next, int moved) {
  if (fActive == 0 || fContainer == nullptr) return this;
  if (phase == kTrackBegin) {
    fPrevPoint = ToImage(anchor).ToImgPoint();
  } else if (phase == kTrackContinue) {
    const OsImgPoint to = ToImage(next).ToImgPoint();
    if (moved != 0) {
      // Rotate turns counter-clockwise on the screen by its angle: a full turn
      // less the sweep turns the figures with the mouse.
      const double angle = kFullTurn - AngleBetween(fCenter.x, fCenter.y, fPrevPoint.x, fPrevPoint.y, to.x, to.y);
      const double sin = std::sin(angle), cos = std::cos(angle);
      ForEachSelected(*fContainer, [&](TDShape& shape) { shape.Rotate(sin, cos, fCenter.x, fCenter.y); });
    }
    fPrevPoint = to;
  } else if (phase == kTrackEnd) {
    EndGridMouse();
  }
  SketchRequestUpdate();
  return this;
}
