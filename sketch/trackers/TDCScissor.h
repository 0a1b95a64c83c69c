#pragma once
// The scissors: a press on a segment or an anchor cuts the figure there. A
// closed figure becomes one open path starting and ending at the cut; an open
// one becomes two that share the cut vertex. Undo and redo exchange the pieces
// with the figure, and whichever side is out of the container goes with the
// tracker.
//
// A segment is cut where the press hit it, and a vertex is inserted there; an
// anchor is cut at that vertex itself, so that no second vertex lies under it
// to shadow the pieces' ends. An end of an open figure has nothing to cut off:
// that press does nothing.

#include <cstdint>

#include "trackers/TDCBase.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCScissor final : public TDCBase {
  DECLARE_DYNAMIC(TDCScissor)

 public:
  TDCScissor() = default;
  TDCScissor(const TDCScissor&) = delete;
  TDCScissor& operator=(const TDCScissor&) = delete;
  ~TDCScissor() override;

  // Running out of memory raises the memory exception before anything changes.
  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Prepares the cut on a copy of the figure; running out of memory for it
  // raises the memory exception.
  virtual void IDCScissor(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check);

  TDShape* Target() const;

  TDUnit* fUnit = nullptr;    // the vertex hit, or where the hit segment starts
  std::uint8_t fHitKind = 0;  // the hit's kind: segment, anchor or handle
  TDShape* fPart1 = nullptr;  // made by DoIt; null until then
  TDShape* fPart2 = nullptr;  // stays null when a closed figure is cut
  int fUndone = 0;
  int fCutIndex = 0;         // of the cut vertex in fCopy, from 1
  TDShape* fCopy = nullptr;  // owned; null when the press cuts nothing

 private:
  // Where the cut goes in fTarget: the position of the vertex it is made at or
  // after (from 1), or 0 when the press cuts nothing.
  int CutPosition() const;
  // A new figure of the container, open and without vertices; null when memory
  // runs out.
  TDShape* NewPiece() const;
};
