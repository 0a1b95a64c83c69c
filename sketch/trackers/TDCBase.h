#pragma once
// The base of every mouse gesture of the module: a host tracker bound to the
// document's figure container, with grid snapping done in image coordinates
// and do-nothing defaults for the tracking steps.

#include <cstdint>

#include "BCommand.h"
#include "model/TDFloatPoint.h"
#include "module/SketchChanges.h"  // the number each tracker gives IDCBase

class BDocument;
class BView;
class TMarbleObject;
class TObjectContainer;

class TDCBase : public BTracker {
  DECLARE_DYNAMIC(TDCBase)

 public:
  // The shift-key axis lock of trackers that move a point.
  enum : std::uint8_t { kAxisFree = 0, kAxisXLocked = 1, kAxisYLocked = 2 };

  TDCBase() = default;
  ~TDCBase() override = default;

  // A gesture that turned out to hit nothing is no step of the history: undo
  // skips it and the redo branch survives it.
  int CanBeUndone() const override { return fActive != 0 ? BTracker::CanBeUndone() : 0; }
  void TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) override {}
  void TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) override {}
  BTracker* TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) override { return nullptr; }
  // Only while the view's grid is on: the point goes to image coordinates, the
  // host snaps it, and it comes back to view pixels.
  void IGridMouse(BView* view, OsImgPoint& p) override;
  void GridMouse(OsImgPoint& p) override;
  void GridMouse(BView* view, OsImgPoint& p) override;
  void EndGridMouse() override;

  virtual void IDCBase(int number, int canUndo, TObjectContainer* container, BView* view, BDocument* document,
                       OsImgPoint& anchor);

  // Outside the begin phase and while Shift is down, keeps next on the anchor's
  // row or column, chosen by the first such step from the movement so far (the
  // larger offset wins, equal offsets lock y) and kept until Shift is released.
  void ConstrainAxis(int phase, const OsImgPoint& anchor, OsImgPoint& next);

  // Shows a point of the tracker's view on the host's read-out, in image
  // coordinates, and with an anchor also the offset from it.
  void ReportPoint(const OsImgPoint& viewPoint, const OsImgPoint* anchor = nullptr) const;

  // A view point in image coordinates through the zoom of the container's view,
  // so that the geometry follows the mouse whatever the zoom and scrolling.
  TDFloatPoint ToImage(const OsImgPoint& p) const;

  // The feedback of gestures that change the selected figures as the mouse
  // moves: the point and its offset from the press go to the read-out, and each
  // moving step draws the selection.
  void ShowSelectionFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& next, int moved, int show);

  // Keeps next on the anchor's row when the movement is at least as wide as it
  // is high, otherwise on its column: the Shift rule of lines.
  static void KeepOnLargerAxis(const OsImgPoint& anchor, OsImgPoint& next);
  // Keeps next on a diagonal through the anchor, on the side the mouse is: the
  // larger offset is kept and the other takes its size with its own sign (a
  // zero offset counts as negative; equal offsets leave the point alone).
  static void KeepOnDiagonal(const OsImgPoint& anchor, OsImgPoint& next);

  TMarbleObject* fTarget = nullptr;
  TObjectContainer* fContainer = nullptr;
  int fActive = 1;
  std::uint8_t fAxis = kAxisFree;

 protected:
  // Opens a tracking phase that can run out of memory, after the phase's own
  // clean-up: when it does, the host drops the whole gesture, so what its
  // press changed before this tracker existed (the selection, the centre
  // mark) goes back as well.
  class PressGuard {
   public:
    explicit PressGuard(const TDCBase& tracker);
    ~PressGuard();
    PressGuard(const PressGuard&) = delete;
    PressGuard& operator=(const PressGuard&) = delete;

   private:
    TObjectContainer* fContainer;
    int fExceptions;
  };
};

// Trackers and commands ask for a repaint with this after every change.
void SketchRequestUpdate();
