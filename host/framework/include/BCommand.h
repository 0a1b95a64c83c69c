#pragma once
// Commands and trackers as the host runs them. A command is performed once
// (DoIt) and then kept in its document's history, which undoes and redoes it
// and finally destroys it. A tracker is a command the host first drives through
// a mouse gesture: per step TrackConstrain, TrackMouse, TrackFeedback, with the
// phases begin, continue and end.

#include "OsAfx.h"
#include "OsImgTypes.h"

class BDocument;
class BView;

enum TrackPhase : int { kTrackBegin = 0, kTrackContinue = 1, kTrackEnd = 2 };

class BCommand : public CObject {
  DECLARE_DYNAMIC(BCommand)

 public:
  BCommand() = default;
  ~BCommand() override = default;

  // Slots 5-7.
  virtual void DoIt() {}
  virtual void RedoIt() {}
  virtual void UndoIt() {}
  // Slots 8-12.
  virtual int CanBeUndone() const { return fCanUndo; }
  virtual int CausesChange() const { return fCausesChange; }
  virtual int GetChangeID() const { return fNumber; }
  virtual BDocument* GetHandler() const { return fHandler; }
  virtual BDocument* GetObjectToNotify() const { return fNotify; }

  void ICommand(int number, BDocument* handler, int canUndo, int causesChange, BDocument* notify);

 protected:
  int fNumber = 0;
  BDocument* fHandler = nullptr;
  int fCanUndo = 0;
  int fCausesChange = 0;
  BDocument* fNotify = nullptr;
};

class BTracker : public BCommand {
  DECLARE_DYNAMIC(BTracker)

 public:
  BTracker() = default;
  ~BTracker() override = default;

  // Slots 13-19. Points are view pixels.
  virtual void TrackConstrain(int /*phase*/, const OsImgPoint& /*anchor*/, const OsImgPoint& /*previous*/,
                              OsImgPoint& /*next*/, int /*moved*/) {}
  virtual void TrackFeedback(int /*phase*/, const OsImgPoint& /*anchor*/, const OsImgPoint& /*previous*/,
                             const OsImgPoint& /*next*/, int /*moved*/, int /*show*/) {}
  // The tracker that goes on with the gesture (normally this one); null ends it,
  // and the host destroys the tracker without performing it.
  virtual BTracker* TrackMouse(int /*phase*/, OsImgPoint& /*anchor*/, OsImgPoint& /*previous*/, OsImgPoint& /*next*/,
                               int /*moved*/) {
    return this;
  }
  // Grid snapping of image points: to the nearest multiple of the view's grid
  // spacing on each axis, halves away from zero.
  virtual void IGridMouse(BView* view, OsImgPoint& p);
  virtual void GridMouse(OsImgPoint& p);
  virtual void GridMouse(BView* view, OsImgPoint& p);
  virtual void EndGridMouse() {}

  void ITracker(int number, BDocument* handler, int canUndo, int causesChange, BDocument* notify, BView* view,
                const OsImgPoint& anchor);

  BView* GetView() const { return fView; }
  const OsImgPoint& GetAnchor() const { return fAnchor; }

  BView* fView = nullptr;
  OsImgPoint fAnchor;
  // Set by trackers that want every step of the gesture; the host drives every
  // tracker that way.
  int fEveryStep = 0;
};
