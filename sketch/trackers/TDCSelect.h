#pragma once
// Dragging a selection rectangle from a press on empty space. The rectangle is
// shown as marching ants while the mouse is held and handed to the container's
// rectangle selection on release. Choosing is not an undoable step.

#include <cstdint>

#include "trackers/TDCBase.h"

class BAnt;

class TDCSelect : public TDCBase {
  DECLARE_DYNAMIC(TDCSelect)

 public:
  // How the rectangle selects: whole figures (toggled) or vertices (picked).
  enum : std::int32_t { kSelectFigures = 0, kSelectPoints = 1 };

  TDCSelect() = default;
  TDCSelect(const TDCSelect&) = delete;
  TDCSelect& operator=(const TDCSelect&) = delete;
  ~TDCSelect() override;

  void DoIt() override;
  void RedoIt() override { DoIt(); }
  // Never asked for by the history; puts back the selection the press found.
  void UndoIt() override;
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCSelect(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, int mode);

  // The corner stays within the view, the far edge included; view pixels.
  OsImgPoint fMinLimit{};
  OsImgPoint fMaxLimit{};
  // Set on release, normalised, view pixels.
  OsImgRect fRect{};
  std::int32_t fMode = kSelectFigures;
  TObjectContainer* fSnapshot = nullptr;  // owned
  BAnt* fAnts = nullptr;                  // owned
};
