#pragma once
// Trackers driven by hand, step by step as the host's tracking loop drives
// them, over the figure fixture's container and view, now with a document. The
// view is the active view, so every update request repaints: the repaint keeps
// the raster as it was shown and clears it, as the host's does. The read-out
// records what the trackers report.

#include <cstdint>
#include <string>
#include <vector>

#include "BCommand.h"
#include "BDocument.h"
#include "BHostServices.h"
#include "OsRuntime.h"
#include "OsWindows.h"
#include "model/FigureFixture.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"

// The host's coordinate read-out; a null report is counted as a clear.
struct RecordingReadOut : BHostServices {
  void ReportPoint(const OsImgPoint* p) override { p ? fPoints.push_back(*p) : void(++fPointClears); }
  void ReportSize(const OsImgSize* s) override { s ? fSizes.push_back(*s) : void(++fSizeClears); }
  void ReportRect(const OsImgRect* r) override { r ? fRects.push_back(*r) : void(++fRectClears); }
  std::vector<OsImgPoint> fPoints;
  std::vector<OsImgSize> fSizes;
  std::vector<OsImgRect> fRects;
  int fPointClears = 0, fSizeClears = 0, fRectClears = 0;
};

// One gesture as the host's loop runs it: each step TrackConstrain, TrackMouse,
// TrackFeedback (show 1). It starts at the anchor the initialiser left; moved
// is 1 for the press and the release and, for a move, whether the constrained
// point differs from the previous one (TrackConstrain is told whether the raw
// one did). Each step returns what TrackMouse returned.
class Gesture {
 public:
  explicit Gesture(BTracker& t) : fTracker(t), fAnchor(t.GetAnchor()), fPrevious(fAnchor) {}

  BTracker* Press() { return Step(kTrackBegin, fAnchor); }
  BTracker* MoveTo(int x, int y) { return Step(kTrackContinue, {x, y}); }
  BTracker* Release(int x, int y) { return Step(kTrackEnd, {x, y}); }
  BTracker* Release() { return Step(kTrackEnd, fPrevious); }  // where the mouse is

  const OsImgPoint& Anchor() const { return fAnchor; }
  // Every step's next point after TrackConstrain.
  const std::vector<OsImgPoint>& Constrained() const { return fConstrained; }

 private:
  BTracker* Step(int phase, OsImgPoint next) {
    OsImgPoint anchor = fAnchor, previous = fPrevious;
    fTracker.TrackConstrain(phase, anchor, previous, next, phase != kTrackContinue || !(next == previous));
    fConstrained.push_back(next);
    fPrevious = next;
    const int moved = phase != kTrackContinue || !(next == previous) ? 1 : 0;
    BTracker* goesOn = fTracker.TrackMouse(phase, anchor, previous, next, moved);
    fTracker.TrackFeedback(phase, anchor, previous, next, moved, 1);
    return goesOn;
  }

  BTracker& fTracker;
  OsImgPoint fAnchor, fPrevious;
  std::vector<OsImgPoint> fConstrained;
};

class TrackerFixture : public FigureFixture {
 protected:
  void SetUp() override {
    FigureFixture::SetUp();
    UseScreen(64, 48);
    fView.OsSetDocument(&fDocument);
    fView.OsSetRepaint([this](BView&) { Repaint(); });
    fSaved = {gActiveView, gModuleInterface.fHostServices, gCurrentTool};
    gActiveView = &fView;
    gModuleInterface.fHostServices = &fReadOut;
    OsReleaseAllKeys();
  }
  void TearDown() override {
    OsFailAllocationsAfter(-1);
    OsReleaseAllKeys();
    gActiveView = fSaved.view;
    gModuleInterface.fHostServices = fSaved.services;
    gCurrentTool = fSaved.tool;
    FigureFixture::TearDown();
  }

  static void SetShift(bool down) { OsSetKeyDown(VK_SHIFT, down); }

  // The container's figure at a 0-based index, or null.
  TDShape* At(int index) const { return dynamic_cast<TDShape*>(fContainer.GetItemFromIndex(index + 1)); }
  int Count() const { return fContainer.GetCount(); }
  // How many entries of the list (the container by default) hold the object.
  static int Occurrences(const BList& list, const CObject* object) {
    int n = 0;
    for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) n += list.GetNext(pos) == object;
    return n;
  }
  int Occurrences(const CObject* object) const { return Occurrences(fContainer, object); }
  // Every figure's fSelected, in order: "10" for two figures, the first selected.
  std::string Selection() const { return Selection(fContainer); }
  static std::string Selection(const BList& list) {
    std::string out;
    for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) {
      const auto* s = dynamic_cast<const TDShape*>(list.GetNext(pos));
      out += s != nullptr && s->fSelected != 0 ? '1' : '0';
    }
    return out;
  }

  void Repaint() {
    ++fRepaints;
    fShown = Art();
    ClearRaster();
  }
  // Whether the last repaint showed ink at the view pixel.
  bool ShownInk(int x, int y) const {
    const auto at = static_cast<std::size_t>(y) * static_cast<std::size_t>(Size().cx + 1) + x;
    return at < fShown.size() && fShown[at] == '#';
  }

  BDocument fDocument;
  RecordingReadOut fReadOut;
  int fRepaints = 0;
  std::string fShown;

 private:
  struct {
    BView* view;
    BHostServices* services;
    std::int16_t tool;
  } fSaved{};
};
