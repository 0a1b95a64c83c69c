#pragma once
// White arrow on a handle: the handle follows the mouse. On a smooth vertex the
// other handle stays opposite: dragging handle 1 turns handle 2 and keeps its
// length, dragging handle 2 mirrors handle 1 exactly. Undo exchanges the two
// handles, and the figure's bounds, with the saved ones.

#include <cstdint>

#include "model/TDFloatPoint.h"
#include "trackers/TDCDragBase.h"

class TDCDDrec : public TDCDCommand {
 public:
  TDCDDrec() = default;
  ~TDCDDrec() override = default;

  void DoIt() override;
  void RedoIt() override { UndoIt(); }
  void UndoIt() override;
  // The Shift axis lock.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // fDirection1 then fDirection2 of fUnit from before the drag, or after an undo
  // the ones undone.
  float fSavedHandles[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  // The steps of the segments out of and into fUnit (the latter belong to its
  // predecessor), which the drag recomputes: exchanged the same way.
  std::uint8_t fSavedSteps[2] = {0, 0};
  // The figure's bounds, which follow the handles: exchanged with them.
  OsImgRect fSavedBounds{};

 protected:
  void Begin(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, TDCheck* check);
  // Puts the dragged handle at p (image coordinates) and keeps a smooth
  // vertex's other handle opposite.
  virtual void PlaceHandle(const TDFloatPoint& p) = 0;
};

class TDCDDrec1 final : public TDCDDrec {
  DECLARE_DYNAMIC(TDCDDrec1)

 public:
  virtual void IDCDDrec1(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);

 protected:
  void PlaceHandle(const TDFloatPoint& p) override;
};

class TDCDDrec2 final : public TDCDDrec {
  DECLARE_DYNAMIC(TDCDDrec2)

 public:
  virtual void IDCDDrec2(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);

 protected:
  void PlaceHandle(const TDFloatPoint& p) override;
};

// Handle 1 of a smooth vertex moved to d1: handle 2, pointing away from it,
// keeps its length. A handle 1 within 0.1 image units of the anchor gives no
// direction, and handle 2 stays where it is.
void TurnOppositeHandle(TDUnit& unit);
