#include "BTrackingLoop.h"

#include "BHistory.h"

bool BTrackingLoop::Begin(BTracker* tracker, OsImgPoint /*press*/) {
  // The press point has already gone into the tracker's anchor through its
  // initialiser, which may have moved it onto the grid; the gesture starts there.
  if (tracker != fTracker.get()) fTracker.reset(tracker);
  if (!fTracker) return true;
  fAnchor = fTracker->GetAnchor();
  fPrevious = fAnchor;
  return Step(kTrackBegin, fAnchor, nullptr);
}

bool BTrackingLoop::Move(OsImgPoint point) { return !fTracker || Step(kTrackContinue, point, nullptr); }

bool BTrackingLoop::End(OsImgPoint release, BHistory* history) {
  return !fTracker || Step(kTrackEnd, release, history);
}

bool BTrackingLoop::Step(int phase, OsImgPoint next, BHistory* history) {
  try {
    Track(phase, next);
    if (phase == kTrackEnd && fTracker) {
      fTracker->DoIt();
      // Keep takes it either way and destroys what cannot be undone.
      if (history != nullptr) {
        history->Keep(fTracker.release());
      } else {
        fTracker.reset();
      }
    }
    return true;
  } catch (const CMemoryException&) {
    fTracker.reset();
    return false;
  }
}

void BTrackingLoop::Track(int phase, OsImgPoint next) {
  OsImgPoint anchor = fAnchor;
  OsImgPoint previous = fPrevious;
  const int moved = phase != kTrackContinue || !(next == previous) ? 1 : 0;
  fTracker->TrackConstrain(phase, anchor, previous, next, moved);
  // TrackMouse may change its arguments for this step's feedback; the gesture
  // goes on from the constrained point.
  fPrevious = next;
  const int constrainedMoved = phase != kTrackContinue || !(next == previous) ? 1 : 0;
  BTracker* goesOn = fTracker->TrackMouse(phase, anchor, previous, next, constrainedMoved);
  if (goesOn != fTracker.get()) {
    fTracker.reset(goesOn);
    if (!fTracker) return;
  }
  fTracker->TrackFeedback(phase, anchor, previous, next, constrainedMoved, 1);
}

bool BTrackingLoop::Cancel(BHistory* history) {
  if (!fTracker) return true;
  // What cannot be undone has changed nothing that undo would take back (the
  // hand's scrolling is no step either), and its end step may still act, as
  // the zoom tool's zooms: it goes without one.
  if (fTracker->CanBeUndone() == 0) {
    fTracker.reset();
    return true;
  }
  try {
    Track(kTrackEnd, fPrevious);
    if (!fTracker || fTracker->CanBeUndone() == 0) {
      fTracker.reset();
      return true;
    }
    fTracker->DoIt();
  } catch (const CMemoryException&) {
    fTracker.reset();
    return false;
  }
  try {
    fTracker->UndoIt();
  } catch (const CMemoryException&) {
    if (history != nullptr) {
      history->Keep(fTracker.release());
    } else {
      fTracker.reset();
    }
    return false;
  }
  fTracker.reset();
  return true;
}
