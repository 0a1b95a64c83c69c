#pragma once
// The figures of one document's sketch, oldest first, and everything that works
// on many of them at once: drawing, click and rectangle selection, dragging,
// deleting and cloning the selection, the active area with its rotation-centre
// mark, the active region handed to the host, and the selection's pixel trace.
//
// The container owns its figures. The static fClipContainer is the module
// clipboard, shared by every document.

#include "BList.h"
#include "BRegion.h"
#include "model/TDFloatPoint.h"

class BView;
class TDShape;
class TMarbleObject;
struct TDCheck;

class TObjectContainer : public BList {
  DECLARE_DYNAMIC(TObjectContainer)

 public:
  // Click modes of Check: a plain click, a toggling click; any other value adds.
  enum { kClickReplace = 0, kClickToggle = 1, kClickAdd = 2 };

  TObjectContainer();
  ~TObjectContainer() override = default;  // BList destroys the figures

  virtual void IObjectContainer();
  virtual void AttachView(BView* view) { fView = view; }
  // Appends; false (and the object still the caller's) when no entry can be made.
  virtual bool AddObject(TMarbleObject* object);
  // Takes the object out of the list without destroying it: its entry is emptied
  // first, then deleted. False when it is not in the list. A figure under
  // construction that leaves is no longer under construction.
  bool TakeOut(TMarbleObject* object);
  // Takes `out` out and puts `in` at the end of the drawing order without
  // allocating, so that it cannot fail halfway: each entry from `out`'s on takes
  // its successor's object, and the last entry takes `in`. False, with nothing
  // changed, when `out` is not in the list. A figure under construction that
  // leaves is no longer under construction.
  bool ReplaceAtEnd(TMarbleObject* out, TMarbleObject* in);
  // Moves the last figure back to the 1-based place, the figures from there on
  // one place later, without allocating: what ReplaceAtEnd did, undone.
  void MoveLastTo(int place);
  virtual void SelectAll(int select);
  virtual BView* GetView() const { return fView; }
  virtual void Draw(const OsImgRect& rect);
  virtual void ActiveDraw();
  virtual void SelectInRect(OsImgRect rect, int mode);
  virtual void DragSelected(short unused, OsImgPoint delta);
  virtual void CloneSelected(BList* into);
  virtual void DeleteSelected(BList* into);
  virtual int Check(OsImgPoint point, int mode);
  virtual int CheckDetail(OsImgPoint point, TDCheck* check, int keep);

  int CalcActArea();
  bool CheckCenter(OsImgPoint point) const;
  int DrawCenter(int show);
  // A new container with a clone of every figure (figures that cannot be cloned
  // are left out), no view; the clones still name this container. Null when the
  // container itself cannot be allocated.
  TObjectContainer* Clone() const;
  void Terminate() { fDrawing = nullptr; }
  int CalcActRgn();
  void SetBusy(int flag);
  bool GetTraceList(OsImgPoint** list, int* count);

  // Whether the bounds a of a figure meet the update rectangle b, with empty
  // rectangles one pixel wide and figures touching side by side counting.
  static bool BoundsMeet(OsImgRect a, OsImgRect b);

  BView* fView = nullptr;
  OsImgRect fActArea{};
  TDFloatPoint fCenter;
  TDShape* fDrawing = nullptr;  // the click-by-click figure under construction
  int fCenterShown = 0;
  BRegion fActRegion;

  static BList* fClipContainer;

 private:
  BZoom Zoom() const;
  void DrawCenterMark() const;
};
