#pragma once
// What the trackers that move things by following the mouse have in common.
//
// TDCDragBase is the shared half of TDCDrag and TDCClone: both work on copies of
// every figure while the mouse moves and keep the figures as they were for undo,
// so the two only differ in how they start and finish.
//
// TDCDCommand is the base of the direct-editing family (vertices, handles,
// segments, and the rotation centre): a figure and a vertex to work on, neither
// owned.

#include "model/TDFloatPoint.h"
#include "model/TDShape.h"
#include "trackers/TDCBase.h"

class FigureSnapshot;
class TDShape;
class TDUnit;
struct TDCheck;

class TDCDragBase : public TDCBase {
 public:
  TDCDragBase() = default;
  TDCDragBase(const TDCDragBase&) = delete;
  TDCDragBase& operator=(const TDCDragBase&) = delete;
  // Whichever set of figures is out of the container at the time lives in
  // fSaved, so it goes with the tracker.
  ~TDCDragBase() override;

  // Undo and redo swap the figures in the container with those in fSaved.
  void RedoIt() override;
  void UndoIt() override;
  // Snaps to the grid and, with Shift, keeps to the anchor's row or column.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  // The point and the offset from the press go to the read-out, in image units.
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  // Moves every selected figure by the step, in image units of the view's zoom.
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  FigureSnapshot* fSaved = nullptr;

 protected:
  // The figures of the container go into fSaved, in order, and copies of them
  // take their places, so that the gesture changes only the copies. Raises the
  // memory exception, with nothing changed, when not every figure can be copied.
  void TakeSnapshot();
};

class TDCDCommand : public TDCBase {
  DECLARE_DYNAMIC(TDCDCommand)

 public:
  TDCDCommand() = default;
  ~TDCDCommand() override = default;

  virtual void IDCDCommand(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);

  TDShape* fShape = nullptr;
  TDUnit* fUnit = nullptr;

 protected:
  // How a vertex being edited is redrawn: its marker with both of its
  // segments, with the outgoing one, or alone.
  static constexpr int kDrawVertex = TDShape::kDrawUnitMarkers | TDShape::kDrawOutgoing | TDShape::kDrawIncoming;
  static constexpr int kDrawVertexOut = TDShape::kDrawUnitMarkers | TDShape::kDrawOutgoing;
  static constexpr int kDrawMarker = TDShape::kDrawUnitMarkers;

  void FocusView() const;
  // The current point and its offset from the press on the read-out.
  void Report(const OsImgPoint& anchor, const OsImgPoint& next) const;
  // Point editing of one figure: every other figure deselected, this one
  // selected with its vertices shown, and `unit` marked with `state`.
  void PickAlone(TDShape& shape, TDUnit* unit, int state) const;
};
