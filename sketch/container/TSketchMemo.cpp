#include "container/TSketchMemo.h"

#include <new>

#include "OsAfx.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "model/TDUnit.h"
#include "raster/SketchRaster.h"

namespace {

template <typename T>
std::unique_ptr<T[]> MakeArray(int count) {
  std::unique_ptr<T[]> array(new (std::nothrow) T[count > 0 ? count : 1]);
  if (!array) AfxThrowMemoryException();
  return array;
}

TDUnit* UnitAt(const BList& units, BPosition pos) { return static_cast<TDUnit*>(units.GetItem(pos)); }

}  // namespace

TSketchMemo::TSketchMemo(const TObjectContainer& container)
    : fOwner(&container),
      fActArea(container.fActArea),
      fCenter(container.fCenter),
      fCenterShown(container.fCenterShown),
      fDrawing(container.fDrawing) {
  int units = 0;
  ForEachShape(container, [&](TDShape& s) {
    ++fFigureCount;
    units += s.UnitCount();
  });
  fFigures = MakeArray<Figure>(fFigureCount);
  fUnits = MakeArray<Unit>(units);
  Figure* figure = fFigures.get();
  Unit* unit = fUnits.get();
  ForEachShape(container, [&](TDShape& s) {
    *figure++ = {&s, s.fBounds, s.fSelected, s.UnitCount()};
    for (BPosition pos = s.fUnits.GetHeadPosition(); pos != nullptr; pos = s.fUnits.GetNextPosition(pos)) {
      const TDUnit* u = UnitAt(s.fUnits, pos);
      *unit++ = {u, u->fSelected, u->fState};
    }
  });
}

void TSketchMemo::Restore(TObjectContainer& container) const {
  container.fActArea = fActArea;
  container.fCenter = fCenter;
  container.fCenterShown = fCenterShown;
  container.fDrawing = fDrawing;
  const Figure* figure = fFigures.get();
  const Figure* const figuresEnd = figure + fFigureCount;
  const Unit* units = fUnits.get();
  // Both walks are in drawing order, so each figure is found at or after the
  // place of the one before it.
  ForEachShape(container, [&](TDShape& s) {
    const Figure* found = figure;
    const Unit* foundUnits = units;
    while (found != figuresEnd && found->shape != &s) foundUnits += found++->units;
    if (found == figuresEnd) return;
    s.fBounds = found->bounds;
    s.fSelected = found->selected;
    const Unit* const unitsEnd = foundUnits + found->units;
    for (BPosition pos = s.fUnits.GetHeadPosition(); pos != nullptr; pos = s.fUnits.GetNextPosition(pos)) {
      TDUnit* u = UnitAt(s.fUnits, pos);
      const Unit* saved = foundUnits;
      while (saved != unitsEnd && saved->unit != u) ++saved;
      if (saved == unitsEnd) continue;
      u->fSelected = saved->selected;
      u->fState = saved->state;
      foundUnits = saved + 1;
    }
    figure = found + 1;
    units = unitsEnd;
  });
  // The markers drawn on the way are in the raster; the next repaint rebuilds it.
  SketchMarkDirty();
}
