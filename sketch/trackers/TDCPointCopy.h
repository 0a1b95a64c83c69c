#pragma once
// What the add-point and delete-point trackers share: the change is made on a
// copy of the figure, which takes the figure's place at the end of the drawing
// order; undo and redo exchange the two, so after DoIt fTarget is always the
// figure out of the container and goes with the tracker.

#include "trackers/TDCBase.h"

class TDShape;

class TDCPointCopy : public TDCBase {
 public:
  TDCPointCopy() = default;
  TDCPointCopy(const TDCPointCopy&) = delete;
  TDCPointCopy& operator=(const TDCPointCopy&) = delete;
  // Frees the figure that is out of the container: fTarget once DoIt has
  // exchanged the two, before that the copy, if one was made.
  ~TDCPointCopy() override;

  void RedoIt() override;

  TDShape* fCopy = nullptr;
  int fOwnsTarget = 0;  // 1 once DoIt has put fCopy in fTarget's place

 protected:
  // The gesture turns out to have nothing to do: it is switched off and the
  // copy it made goes.
  void Deactivate();
  // Puts fCopy in fTarget's place, or back on undo, at the end of the list.
  void Exchange(bool selectRestored);
};
