// A gesture from the host's side: what the tracking loop calls, performs, keeps or
// destroys; undo and redo step by step are in the replay scripts' histories.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BHistory.h"
#include "BTrackingLoop.h"
#include "BView.h"
#include "BZoom.h"
#include "TFWCommands.h"

namespace {

// "C" constrain, "M" mouse, "F" feedback, each with phase, anchor, previous, next
// and moved; "D" DoIt; "U" UndoIt; "X" destroyed.
using Log = std::vector<std::string>;

std::string Kinds(const Log& log) {
  std::string s;
  for (const std::string& c : log) s += c[0];
  return s;
}

// Keeps next on the anchor's row; throws from its call number fThrowAt on, and
// names no tracker to go on with at phase fHandOverAt.
class Recorder : public BTracker {
 public:
  Recorder(Log* log, OsImgPoint anchor, int canUndo = 1) : fLog(log) {
    ITracker(7, nullptr, canUndo, 1, nullptr, nullptr, anchor);
  }
  ~Recorder() override { fLog->push_back("X"); }
  void TrackConstrain(int phase, const OsImgPoint& a, const OsImgPoint& p, OsImgPoint& n, int moved) override {
    Note('C', phase, a, p, n, moved);
    n.y = a.y;
  }
  BTracker* TrackMouse(int phase, OsImgPoint& a, OsImgPoint& p, OsImgPoint& n, int moved) override {
    Note('M', phase, a, p, n, moved);
    return phase == fHandOverAt ? nullptr : this;
  }
  void TrackFeedback(int phase, const OsImgPoint& a, const OsImgPoint& p, const OsImgPoint& n, int moved,
                     int show) override {
    Note('F', phase, a, p, n, moved * show);
  }
  void DoIt() override { Note('D'); }
  void UndoIt() override { Note('U'); }

  int fThrowAt = -1, fHandOverAt = -1;

 private:
  void Note(char what, int phase = 0, OsImgPoint a = {}, OsImgPoint p = {}, OsImgPoint n = {}, int moved = 0) {
    if (fCalls++ == fThrowAt) AfxThrowMemoryException();
    std::ostringstream s;
    s << what;
    if (what != 'D' && what != 'U') {
      s << phase << ' ' << a.x << ',' << a.y << ' ' << p.x << ',' << p.y << ' ' << n.x << ',' << n.y << ' ' << moved;
    }
    fLog->push_back(s.str());
  }
  Log* fLog;
  int fCalls = 0;
};

TEST(BTrackingLoop, DrivesAGestureStepByStepToAKeptStep) {
  Log log;
  BHistory history;
  BTrackingLoop loop;
  auto* tracker = new Recorder(&log, {10, 10});
  EXPECT_TRUE(loop.Begin(tracker, {3, 4}));  // the gesture starts at the tracker's anchor
  EXPECT_TRUE(loop.Move({15, 12}));
  EXPECT_TRUE(loop.Move({15, 30}));  // constrained back onto previous
  EXPECT_TRUE(loop.End({15, 99}, &history));
  EXPECT_FALSE(loop.IsTracking());
  EXPECT_EQ(log, (Log{"C0 10,10 10,10 10,10 1", "M0 10,10 10,10 10,10 1", "F0 10,10 10,10 10,10 1",
                      "C1 10,10 10,10 15,12 1", "M1 10,10 10,10 15,10 1", "F1 10,10 10,10 15,10 1",
                      "C1 10,10 15,10 15,30 1", "M1 10,10 15,10 15,10 0", "F1 10,10 15,10 15,10 0",
                      "C2 10,10 15,10 15,99 1", "M2 10,10 15,10 15,10 1", "F2 10,10 15,10 15,10 1", "D"}));
  EXPECT_EQ(history.UndoLabels(), (std::vector<int>{7}));

  // A new gesture drops the one still running; without a history it is performed
  // and destroyed. Nothing to drive, or no gesture, is no failure.
  log.clear();
  loop.Begin(new Recorder(&log, {}));
  loop.Begin(new Recorder(&log, {}));
  loop.End({});
  EXPECT_EQ(Kinds(log), "CMFXCMFCMFDX");
  EXPECT_TRUE(loop.Move({9, 9}) && loop.Begin(nullptr));
}

TEST(BTrackingLoop, AMemoryExceptionAtAnyCallDropsTheGesture) {
  const std::string all = "CMFCMFCMFCMFD";  // press, two moves, release, DoIt
  for (int at = 0; at <= static_cast<int>(all.size()); ++at) {
    SCOPED_TRACE(at);
    Log log;
    BHistory history;
    BTrackingLoop loop;
    auto* tracker = new Recorder(&log, {});
    tracker->fThrowAt = at;
    const std::vector<bool> results{loop.Begin(tracker), loop.Move({1, 0}), loop.Move({2, 0}),
                                    loop.End({3, 0}, &history)};
    const bool thrown = at < static_cast<int>(all.size());
    std::vector<bool> expected(4, true);
    if (thrown) expected[static_cast<std::size_t>(std::min(at / 3, 3))] = false;
    EXPECT_EQ(results, expected);
    EXPECT_EQ(Kinds(log), thrown ? all.substr(0, static_cast<std::size_t>(at)) + "X" : all);
    EXPECT_FALSE(loop.IsTracking());
    EXPECT_EQ(history.CanUndo(), !thrown);
  }
}

// Escape mid-gesture ends at the last step's point, performs and undoes what can
// be undone, and leaves the redo list; out of memory while undoing, the gesture
// is kept as done where there is a history to keep it.
TEST(BTrackingLoop, CancelEndsTheGestureWhereItIsWithoutAStep) {
  Log log, redone;
  BHistory history;
  BTrackingLoop loop;
  EXPECT_TRUE(loop.Cancel(&history));  // no gesture, nothing to do
  loop.Begin(new Recorder(&redone, {}));
  loop.End({}, &history);
  history.Undo();

  loop.Begin(new Recorder(&log, {10, 10}));
  loop.Move({15, 12});
  EXPECT_TRUE(loop.Cancel(&history));
  EXPECT_EQ(Log(log.begin() + 6, log.end()),
            (Log{"C2 10,10 15,10 15,10 1", "M2 10,10 15,10 15,10 1", "F2 10,10 15,10 15,10 1", "D", "U", "X"}));
  EXPECT_FALSE(loop.IsTracking());

  struct Case {
    int canUndo, handOverAt, throwAt;
    bool withHistory, result;
    const char* kinds;
    std::vector<int> undo;
  };
  const Case cases[] = {
      {0, -1, -1, true, true, "CMFCMFX", {}},     // cannot be undone: no end step
      {1, 2, -1, true, true, "CMFCMFCMX", {}},    // ends with no tracker to perform
      {1, -1, 8, true, false, "CMFCMFCMX", {}},   // no memory in the end step
      {1, -1, 9, true, false, "CMFCMFCMFX", {}},  // nor to perform it
      {1, -1, 10, false, false, "CMFCMFCMFDX", {}},
      {1, -1, 10, true, false, "CMFCMFCMFD", {7}},  // kept: the redo list goes, as after any step
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kinds);
    log.clear();
    auto* tracker = new Recorder(&log, {}, c.canUndo);
    tracker->fHandOverAt = c.handOverAt;
    tracker->fThrowAt = c.throwAt;
    loop.Begin(tracker);
    loop.Move({3, 0});
    EXPECT_EQ(loop.Cancel(c.withHistory ? &history : nullptr), c.result);
    EXPECT_FALSE(loop.IsTracking());
    EXPECT_EQ(Kinds(log), c.kinds);
    EXPECT_EQ(std::tuple(history.UndoLabels(), history.RedoLabels()),
              std::tuple(c.undo, c.undo.empty() ? std::vector<int>{7} : std::vector<int>{}));
  }
}

TEST(BTracker, SnapsToTheNearestGridMultiple) {
  BView view;
  const std::tuple<int, OsImgPoint, OsImgPoint> cases[] = {{8, {-4, -3}, {-8, 0}},
                                                           {8, {12, -12}, {16, -16}},
                                                           {8, {INT_MAX, INT_MIN}, {INT_MAX, INT_MIN}},
                                                           {3, {INT_MIN, 5}, {INT_MIN, 6}},
                                                           {0, {3, 4}, {3, 4}}};
  for (auto [grid, p, snapped] : cases) {
    view.fGridSize = grid;
    BTracker().GridMouse(&view, p);
    EXPECT_EQ(p, snapped) << grid;
  }
  OsImgPoint p{3, 4};
  BTracker().GridMouse(p);  // no view, no grid
  EXPECT_EQ(p, (OsImgPoint{3, 4}));
}

// Equal zooms and the zoom tool are in the replay scripts.
TEST(HostTrackers, TheHandMovesTheOriginPerAxis) {
  BView view;
  BHistory history;
  BTrackingLoop loop;
  int repaints = 0;
  view.OsSetRepaint([&](BView&) { ++repaints; });
  view.GetZoom() = BZoom(2.0f, 4.0f, 0.0f, 0.0f);
  auto* hand = new TFWCScroll;
  OsImgPoint press{};
  hand->IFWCommand(5, nullptr, nullptr, &view, press);
  loop.Begin(hand);
  loop.Move({10, 0});
  loop.Move({10, 0});  // not moved: not repainted
  EXPECT_TRUE(loop.End({12, -6}, &history));
  const BZoom& z = view.GetZoom();
  EXPECT_EQ((std::vector<float>{z.fZoomX, z.fZoomY, z.fOriginX, z.fOriginY}), (std::vector<float>{2, 4, -6, 1.5f}));
  EXPECT_EQ(repaints, 2);
  EXPECT_FALSE(history.CanUndo());
  view.RedrawWindow(nullptr, nullptr, BView::RDW_INVALIDATE);  // only a redraw asked for at once repaints
  EXPECT_EQ(repaints, 2);
}

TEST(OsTruncToInt, SaturatesAsDoTheZoomsConversions) {
  for (auto [d, i] : {std::pair{2147483647.9, INT_MAX}, {2147483648.0, INT_MAX}, {-2147483648.9, INT_MIN}})
    EXPECT_EQ(OsTruncToInt(d), i) << d;
  OsImgPoint p{INT_MAX, INT_MIN}, q{5, 0};
  BZoom(0.0625f, 0.0625f, 0.0f, 0.0f).GPtoLP(p);
  BZoom(0.0f, 0.0f, 0.0f, 0.0f).GPtoLP(q);  // 5 / 0 = inf, 0 / 0 = NaN
  EXPECT_EQ(p, (OsImgPoint{INT_MAX, INT_MIN}));
  EXPECT_EQ(q, (OsImgPoint{INT_MAX, 0}));
}

}  // namespace
