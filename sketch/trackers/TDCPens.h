#pragma once
// The pen and multi-line tools: every press adds to the figure under
// construction (the container's fDrawing), or begins one. Each press works on a
// fresh copy of that figure, so that each press is one undo step and undoing it
// brings back the figure as it was, still under construction.

#include "trackers/TDCBase.h"

class TDShape;

class TDCPens : public TDCBase {
  DECLARE_DYNAMIC(TDCPens)

 public:
  TDCPens() = default;
  TDCPens(const TDCPens&) = delete;
  TDCPens& operator=(const TDCPens&) = delete;
  // While active, destroys the state of the figure that is out of the container.
  ~TDCPens() override;

  void DoIt() override;
  // Undo and redo are the same exchange.
  void RedoIt() override;
  void UndoIt() override;
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // fTarget becomes the figure under construction as it is before this press
  // (null when the press begins a new one) and fWorking its copy, which takes
  // its place in the container. When no copy or new figure can be made the
  // container is left as it was and the press does nothing.
  virtual void IDCPens(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);

  TDShape* fWorking = nullptr;  // the figure after this press; in the container while done
  // Set by the press that begins a figure: the others are deselected once its
  // first vertex is placed, so that a press that cannot place it changes nothing.
  bool fDeselectOthers = false;

 private:
  // Undoes what the press did to the container, the figure under construction
  // back in its place; fWorking is then null.
  void PutBack();

  int fTargetPlace = 0;  // fTarget's 1-based place in the container before the press
};
