#pragma once
// Edit point on an anchor: two handles of equal length are pulled out of the
// vertex on opposite sides, and it becomes smooth. The edit is made on a copy
// that takes the figure's place in the list; undo and redo exchange the two in
// place.

#include "trackers/TDCDragBase.h"

class TDCEAncer final : public TDCDCommand {
  DECLARE_DYNAMIC(TDCEAncer)

 public:
  TDCEAncer() = default;
  TDCEAncer(const TDCEAncer&) = delete;
  TDCEAncer& operator=(const TDCEAncer&) = delete;
  // Deletes fOriginal, whichever figure is out of the list.
  ~TDCEAncer() override;

  void DoIt() override;
  void RedoIt() override { UndoIt(); }
  void UndoIt() override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Raises the memory exception, with nothing changed, when the figure cannot
  // be copied.
  virtual void IDCEAncer(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);

  TDShape* fOriginal = nullptr;
  int fUnitIndex = 0;  // of fUnit in its figure, from 1
};
