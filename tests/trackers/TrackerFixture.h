#pragma once
// Trackers driven as the host's loop drives them; a repaint keeps what was shown.

#include <cstdint>
#include <functional>
#include <sstream>
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

using Points = std::vector<OsImgPoint>;

struct RecordingReadOut : BHostServices {
  void ReportPoint(const OsImgPoint* p) override { p ? fPoints.push_back(*p) : void(); }
  void ReportSize(const OsImgSize*) override {}
  void ReportRect(const OsImgRect*) override {}
  Points fPoints;
};

// One gesture from the anchor the initialiser left; each step returns what TrackMouse did.
class Gesture {
 public:
  explicit Gesture(BTracker& t) : fTracker(t), fAnchor(t.GetAnchor()), fPrevious(fAnchor) {}
  BTracker* Press() { return Step(kTrackBegin, fAnchor); }
  BTracker* MoveTo(int x, int y) { return Step(kTrackContinue, {x, y}); }
  BTracker* Release() { return Step(kTrackEnd, fPrevious); }  // where the mouse is

 private:
  BTracker* Step(int phase, OsImgPoint next) {
    OsImgPoint anchor = fAnchor, previous = fPrevious;
    const int moved = phase != kTrackContinue || !(next == previous) ? 1 : 0;
    fTracker.TrackConstrain(phase, anchor, previous, next, moved);
    fPrevious = next;
    const int movedAfter = phase != kTrackContinue || !(next == previous) ? 1 : 0;
    BTracker* goesOn = fTracker.TrackMouse(phase, anchor, previous, next, movedAfter);
    fTracker.TrackFeedback(phase, anchor, previous, next, movedAfter, 1);
    return goesOn;
  }
  BTracker& fTracker;
  OsImgPoint fAnchor, fPrevious;
};

// Whether the step ran out of memory with allocations failing after the first n.
template <typename Step>
bool RunsOutOfMemory(int n, Step step) {
  OsFailAllocationsAfter(n);
  bool threw = false;
  try {
    step();
  } catch (const CMemoryException&) {
    threw = true;
  }
  OsFailAllocationsAfter(-1);
  return threw;
}

// Steps, state, smooth and selection of every vertex: "20/201 0/211".
inline std::string Details(const TDShape& s) {
  std::string out;
  for (int i = 0; i < s.UnitCount(); ++i) {
    const TDUnit* u = Unit(s, i);
    out += (i ? " " : "") + std::to_string(u->fSteps) + "/" + std::to_string(u->fState) + std::to_string(u->fSmooth) +
           std::to_string(u->fSelected);
  }
  return out;
}

// Equal listings mean the very same figures, unchanged.
inline std::string Listing(const BList& list) {
  std::ostringstream out;
  for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) {
    const auto* s = static_cast<const TDShape*>(list.GetNext(pos));
    const OsImgRect& b = s->fBounds;
    out << s << ' ' << PathText(*s) << ' ' << s->fSelected << s->fBusy << ' ' << b.left << ',' << b.top << ','
        << b.right << ',' << b.bottom << ' ' << Details(*s) << '\n';
  }
  return out.str();
}

class TrackerFixture : public FigureFixture {
 protected:
  void SetUp() override {
    FigureFixture::SetUp();
    UseScreen(64, 48);
    fView.OsSetDocument(&fDocument);
    fView.OsSetRepaint([this](BView&) {
      ++fRepaints;
      fShown = Art();
      ClearRaster();
    });
    gActiveView = &fView;
    gModuleInterface.fHostServices = &fReadOut;
    OsReleaseAllKeys();
  }
  void TearDown() override {
    OsFailAllocationsAfter(-1);
    OsReleaseAllKeys();
    gActiveView = fSavedView;
    gModuleInterface.fHostServices = fSavedServices;
    gCurrentTool = fSavedTool;
    FigureFixture::TearDown();
  }
  // Pressed, moved to each point and released where the last move left it.
  static void Drag(BTracker& t, const Points& moves = {}) {
    Gesture g(t);
    EXPECT_EQ(g.Press(), &t);
    for (const OsImgPoint& p : moves) EXPECT_EQ(g.MoveTo(p.x, p.y), &t);
    EXPECT_EQ(g.Release(), &t);
  }
  static void Run(BTracker& t, const Points& moves) {
    Drag(t, moves);
    t.DoIt();
  }
  TDShape* Selected(std::initializer_list<TDFloatPoint> points) {
    TDShape* s = Polyline(points);
    s->SetSelect(1, 1, 0);
    return s;
  }
  TDShape* At(int index) const { return dynamic_cast<TDShape*>(fContainer.GetItemFromIndex(index + 1)); }
  std::string Path(int index) const { return PathText(*At(index)); }
  int Count() const { return fContainer.GetCount(); }
  std::string Document() const { return Listing(fContainer); }
  // Runs the step with allocations failing after 0, 1, 2... until it goes
  // through, each failure leaving the document as it was; how many failed.
  template <typename Step>
  int FailuresBeforeSuccess(
      Step step, const std::function<void()>& setUp = [] {}) {
    setUp();
    const std::string before = Document();
    int n = 0;
    for (; RunsOutOfMemory(n, step); ++n) {
      EXPECT_EQ(Document(), before) << n;
      setUp();
    }
    return n;
  }
  // "10": two figures, the first selected.
  std::string Selection() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) out += At(i)->fSelected != 0 ? '1' : '0';
    return out;
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
  BView* fSavedView = gActiveView;
  BHostServices* fSavedServices = gModuleInterface.fHostServices;
  std::int16_t fSavedTool = gCurrentTool;
};
