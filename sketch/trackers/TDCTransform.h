#pragma once
// What the mouse rotate and scale trackers share: both change the selected
// copies in the container while the mouse moves, about the centre the container
// had at the press, and keep the figures from before in a snapshot, so that
// undo and redo only exchange the two sets.

#include "model/TDFloatPoint.h"
#include "trackers/TDCBase.h"

class FigureSnapshot;

class TDCTransform : public TDCBase {
 public:
  TDCTransform() = default;
  TDCTransform(const TDCTransform&) = delete;
  TDCTransform& operator=(const TDCTransform&) = delete;
  ~TDCTransform() override = default;

  // The figures were changed while tracking; only the busy marks and the size
  // on the read-out are left to clear.
  void DoIt() override;
  // Both exchange the container's figures with the snapshot's.
  void RedoIt() override;
  void UndoIt() override;
  // The point and its offset from the press go to the read-out; each moving step
  // draws the selection.
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;

  TDFloatPoint fCenter;

 protected:
  // Where the subclass keeps the figures that are out of the container.
  virtual FigureSnapshot* Snapshot() const = 0;

  // The common start of both gestures: the press point snapped, the tracker
  // bound, the centre recorded, and the container's figures exchanged for copies
  // whose originals come back in `snapshot`. False, with the tracker switched
  // off, when there is no container. Raises the memory exception, with nothing
  // changed, when not every figure can be copied.
  bool Begin(int number, TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
             FigureSnapshot*& snapshot);
};
