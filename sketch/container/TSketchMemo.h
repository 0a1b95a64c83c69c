#pragma once
// What a press or a command may change before it can run out of memory, and
// that no undo step records: which figures and vertices are selected, the
// figures' bounds, the active area with its centre and mark, and the figure
// under construction. The host drops a step that runs out of memory; putting
// these back leaves the sketch as it was before the step began.

#include <cstdint>
#include <memory>

#include "BList.h"
#include "model/TDFloatPoint.h"

class TDShape;
class TDUnit;
class TObjectContainer;

class TSketchMemo {
 public:
  // Takes the memo; this is its only allocation. Raises the memory exception,
  // with nothing changed, when there is no memory for it.
  explicit TSketchMemo(const TObjectContainer& container);
  TSketchMemo(const TSketchMemo&) = delete;
  TSketchMemo& operator=(const TSketchMemo&) = delete;

  // Puts everything back without allocating. Figures and vertices are matched
  // by identity, so one added since is left alone and one gone is passed over.
  void Restore(TObjectContainer& container) const;
  bool IsOf(const TObjectContainer& container) const { return &container == fOwner; }

 private:
  struct Figure {
    const TDShape* shape;
    OsImgRect bounds;
    int selected;
    int units;  // how many of fUnits follow for this figure
  };
  struct Unit {
    const TDUnit* unit;
    int selected;
    std::uint8_t state;
  };

  const TObjectContainer* fOwner;
  std::unique_ptr<Figure[]> fFigures;
  std::unique_ptr<Unit[]> fUnits;
  int fFigureCount = 0;
  OsImgRect fActArea{};
  TDFloatPoint fCenter;
  int fCenterShown = 0;
  TDShape* fDrawing = nullptr;
};
