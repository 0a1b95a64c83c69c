#pragma once
// The delete-point tool: a press on an anchor removes that vertex. The copy of
// the figure is made at the press and changed in DoIt; it then takes the
// figure's place at the end of the drawing order. Undo and redo exchange the
// two, so that after DoIt fTarget is always the figure out of the container, and
// goes with the tracker.
//
// A press on a segment or a handle turns the gesture inactive, and an inactive
// gesture cannot be undone, so the host does not keep it in the history. The
// tracker imposes no minimum on the vertices left, down to one; the only vertex
// of a figure is never deleted (a figure without vertices could be neither
// seen nor picked again). Running out of memory for the copy raises the memory
// exception at the press, with the document untouched.

#include "trackers/TDCPointCopy.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCDelPt final : public TDCPointCopy {
  DECLARE_DYNAMIC(TDCDelPt)

 public:
  TDCDelPt() = default;

  void DoIt() override;
  void UndoIt() override;
  // Snaps the steps after the press to the grid.
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Snaps the press point, records the hit and copies the figure when an anchor
  // was hit; any other hit leaves the tracker without a target.
  virtual void IDCDelPt(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check);

  TDUnit* fUnit = nullptr;  // the hit vertex, in fTarget
};
