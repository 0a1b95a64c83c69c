#pragma once
// Edit point on a handle: the vertex becomes a corner and the handle moves
// alone. Undo exchanges the whole vertex, and the figure's bounds, with those
// saved.

#include <cstdint>

#include "model/TDFloatPoint.h"
#include "trackers/TDCDragBase.h"

class TDCEDrec : public TDCDCommand {
 public:
  TDCEDrec() = default;
  TDCEDrec(const TDCEDrec&) = delete;
  TDCEDrec& operator=(const TDCEDrec&) = delete;
  ~TDCEDrec() override;

  void DoIt() override;
  void RedoIt() override { UndoIt(); }
  void UndoIt() override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  TDUnit* fSavedUnit = nullptr;  // owned: the vertex before the edit, or the one undone
  // The moving handle also sets the steps of the segment into the vertex, which
  // belong to its predecessor: exchanged with this on undo and redo.
  std::uint8_t fSavedPreviousSteps = 0;
  // The figure's bounds, which follow the handle: exchanged the same way.
  OsImgRect fSavedBounds{};

 protected:
  // Raises the memory exception, with nothing changed, when the vertex cannot
  // be copied.
  void Begin(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, TDCheck* check);
  virtual TDFloatPoint& Handle() = 0;
  // Handle 1's tracker brings the view forward at every step.
  virtual bool FocusesEveryStep() const { return false; }
};

class TDCEDrec1 final : public TDCEDrec {
  DECLARE_DYNAMIC(TDCEDrec1)

 public:
  virtual void IDCEDrec1(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);

 protected:
  TDFloatPoint& Handle() override;
  bool FocusesEveryStep() const override { return true; }
};

class TDCEDrec2 final : public TDCEDrec {
  DECLARE_DYNAMIC(TDCEDrec2)

 public:
  virtual void IDCEDrec2(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         TDCheck* check);

 protected:
  TDFloatPoint& Handle() override;
};
