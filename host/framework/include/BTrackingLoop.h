#pragma once
// The host's side of a mouse gesture: it owns the tracker a handler posted and
// drives it through the press, every move and the release, then performs it and
// hands it to the document's history. Points are view pixels.
//
// Every step calls TrackConstrain, TrackMouse and TrackFeedback in that order.
// The gesture starts at the tracker's own anchor, as its initialiser left it
// (possibly snapped), not at the press point; each later step's previous point
// is the step before's constrained next. moved is 1 for the press and the
// release; for a move it is 1 when the constrained next differs from previous
// (TrackConstrain itself is told whether the unconstrained point did).

#include <memory>

#include "BCommand.h"

class BHistory;

class BTrackingLoop {
 public:
  BTrackingLoop() = default;
  BTrackingLoop(const BTrackingLoop&) = delete;
  BTrackingLoop& operator=(const BTrackingLoop&) = delete;
  ~BTrackingLoop() = default;  // a gesture never released is dropped unperformed

  // Each returns false only when a memory exception from the tracker dropped the
  // gesture (the tracker is destroyed then); without a gesture they do nothing.
  // Begin takes ownership; a gesture still running is dropped first. The press
  // point is where the button went down; the gesture starts at the anchor the
  // tracker took from it, so a host may leave it out.
  bool Begin(BTracker* tracker, OsImgPoint press = {});
  bool Move(OsImgPoint point);
  // Performs the tracker and keeps it in history; without one, or when it
  // cannot be undone, it is destroyed.
  bool End(OsImgPoint release, BHistory* history = nullptr);
  // Drops the gesture without performing it.
  void Abandon() { fTracker.reset(); }
  // Escape while the button is held: the gesture ends where its last step left
  // it, so that nothing it changed while tracking stays. One that can be undone
  // is performed and undone, since only its undo knows what it changed, and is
  // destroyed without entering the history; one that cannot is destroyed
  // unperformed. False when memory ran out: before the tracker was performed,
  // the gesture is dropped as a failed release drops it; when undoing it, the
  // gesture stays performed and is kept in `history` as its release would have
  // kept it, the only state the figures are consistent with then.
  bool Cancel(BHistory* history = nullptr);

  bool IsTracking() const { return fTracker != nullptr; }
  BTracker* Current() const { return fTracker.get(); }

 private:
  bool Step(int phase, OsImgPoint next, BHistory* history);
  // The tracking calls of one step; afterwards fTracker is the tracker that
  // goes on, possibly none.
  void Track(int phase, OsImgPoint next);

  std::unique_ptr<BTracker> fTracker;
  OsImgPoint fAnchor;
  OsImgPoint fPrevious;
};
