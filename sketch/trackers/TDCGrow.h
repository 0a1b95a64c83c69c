#pragma once
// Drawing a new figure by pressing and dragging: rectangle, oval, free line,
// line or polygon, by the current tool. The figure is shaped while the mouse
// moves and added to the container when the button is released; undo takes it
// out again and brings back the selection of before the press.

#include <cstdint>
#include <memory>

#include "trackers/TDCBase.h"

class TDShape;

class TDCGrow : public TDCBase {
  DECLARE_DYNAMIC(TDCGrow)

 public:
  TDCGrow() = default;
  TDCGrow(const TDCGrow&) = delete;
  TDCGrow& operator=(const TDCGrow&) = delete;
  // Destroys the figure while it is out of the container.
  ~TDCGrow() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  // Snaps to the grid after the press; with Shift the closed kinds become
  // square and the lines horizontal or vertical.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Begins the figure of gCurrentTool at the (snapped) press point. Without a
  // figure (another tool, or no memory for it) the tracker is inactive and the
  // container is left as it was.
  virtual void IDCGrow(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);

  TDShape* Figure() const;

  // The selection at the press, figure by figure in container order (1 for a
  // selected figure): all that undo brings back of the container as it was, so
  // a step keeps these bytes rather than a copy of every figure.
  std::unique_ptr<std::uint8_t[]> fWasSelected;
  int fFigureCount = 0;
  int fOwnsTarget = 1;  // 1 while fTarget is out of the container

 private:
  // Adds the figure to the container, selected: the first time after the
  // gesture, or again on redo. Raises the memory exception, with the sketch as
  // it was before the step, when the figure cannot be given an entry.
  void Put(bool first);
  // Selects again what was selected at the press.
  void RestoreSelection();
};
