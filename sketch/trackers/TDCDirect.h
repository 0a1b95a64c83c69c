#pragma once
// The white arrow and the edit-point tool pressed on a figure. The press is
// hit-tested by the tool's handler; the dispatcher looks at what was hit (a
// segment, an anchor or a handle) and makes the sub-tracker that does the work.
// The dispatcher is what the host drives and keeps in its history; every step,
// DoIt, UndoIt and RedoIt goes on to the sub-tracker.

#include "trackers/TDCBase.h"

class TDCDCommand;
struct TDCheck;

// What the two dispatchers share.
class TDCPointDispatch : public TDCBase {
 public:
  TDCPointDispatch() = default;
  TDCPointDispatch(const TDCPointDispatch&) = delete;
  TDCPointDispatch& operator=(const TDCPointDispatch&) = delete;
  // The sub-tracker holds whatever figures are out of the container, so it goes
  // with the dispatcher even when the gesture was switched off.
  ~TDCPointDispatch() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  // The sub-tracker's feedback, then the point and the offset on the read-out.
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;

  TDCDCommand* fSub = nullptr;  // owned; null when the hit needs none

 protected:
  // Makes the sub-tracker of class T and initialises it from the hit; running
  // out of memory raises the memory exception.
  template <typename T>
  void StartSub(void (T::*init)(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*),
                TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, TDCheck* check);
};

// White arrow: segments, anchors and both handles, with the white arrow's own
// constraints.
class TDCDirect final : public TDCPointDispatch {
  DECLARE_DYNAMIC(TDCDirect)

 public:
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCDirect(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);
};

// Edit point: anchors and handles, with the grid and, under Shift, the
// 45-degree rule.
class TDCEdit final : public TDCPointDispatch {
  DECLARE_DYNAMIC(TDCEdit)

 public:
  void UndoIt() override;
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCEdit(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                       TDCheck* check);
};
