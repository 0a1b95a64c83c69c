#pragma once
// White arrow on an anchor: every picked vertex of every selected figure follows
// the mouse. A press on an unpicked anchor picks it alone first. The whole
// container is kept as it was for undo.

#include "trackers/TDCDragBase.h"

class TDCDAncer final : public TDCDCommand {
  DECLARE_DYNAMIC(TDCDAncer)

 public:
  TDCDAncer() = default;
  TDCDAncer(const TDCDAncer&) = delete;
  TDCDAncer& operator=(const TDCDAncer&) = delete;
  ~TDCDAncer() override;

  void DoIt() override;
  void RedoIt() override { UndoIt(); }
  // Exchanges the container's figures with fSaved.
  void UndoIt() override;
  // The Shift axis lock.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Raises the memory exception, with nothing changed, when the figures cannot
  // all be copied for undo.
  virtual void IDCDAncer(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);

  FigureSnapshot* fSaved = nullptr;  // owned: the figures from before the drag
};
