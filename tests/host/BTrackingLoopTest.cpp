// A gesture from the host's side: the tracking loop's calls into a tracker and
// what it performs, keeps or destroys; grid snapping; posting; the ants; and the
// hand and zoom trackers.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BAnt.h"
#include "BHistory.h"
#include "BTrackingLoop.h"
#include "BView.h"
#include "TFWCommands.h"

namespace {

// 'C' constrain, 'M' mouse, 'F' feedback with their arguments; 'D' DoIt, 'X' destroyed.
struct Call {
  char what;
  int phase = 0;
  OsImgPoint anchor = {}, previous = {}, next = {};
  int moved = 0;
  friend bool operator==(const Call&, const Call&) = default;
};

void PrintTo(const Call& c, std::ostream* os) {
  *os << c.what << c.phase << " a" << c.anchor.x << ',' << c.anchor.y << " p" << c.previous.x << ','
      << c.previous.y << " n" << c.next.x << ',' << c.next.y << " m" << c.moved;
}

using Log = std::vector<Call>;

std::string Kinds(const Log& log) {
  std::string s;
  for (const Call& c : log) s += c.what;
  return s;
}

// Keeps next on the anchor's row; throws from its call number fThrowAt on.
class Recorder : public BTracker {
 public:
  Recorder(Log* log, OsImgPoint anchor, int canUndo = 1) : fLog(log) {
    ITracker(7, nullptr, canUndo, 1, nullptr, nullptr, anchor);
  }
  ~Recorder() override { fLog->push_back({'X'}); }
  void TrackConstrain(int phase, const OsImgPoint& a, const OsImgPoint& p, OsImgPoint& n, int moved) override {
    Note({'C', phase, a, p, n, moved});
    n.y = a.y;
  }
  BTracker* TrackMouse(int phase, OsImgPoint& a, OsImgPoint& p, OsImgPoint& n, int moved) override {
    Note({'M', phase, a, p, n, moved});
    return phase == fHandOverAt ? fHandOverTo : this;
  }
  void TrackFeedback(int phase, const OsImgPoint& a, const OsImgPoint& p, const OsImgPoint& n, int moved,
                     int show) override {
    Note({'F', phase, a, p, n, moved * show});
  }
  void DoIt() override { Note({'D'}); }

  int fThrowAt = -1;
  int fHandOverAt = -1;
  BTracker* fHandOverTo = nullptr;

 private:
  void Note(const Call& c) {
    if (fCalls++ == fThrowAt) AfxThrowMemoryException();
    fLog->push_back(c);
  }
  Log* fLog;
  int fCalls = 0;
};

TEST(BTrackingLoop, DrivesPressMovesAndReleaseThenPerformsAndKeepsTheTracker) {
  Log log;
  BHistory history;
  BTrackingLoop loop;
  auto* tracker = new Recorder(&log, {10, 10});
  EXPECT_TRUE(loop.Begin(tracker, {3, 4}));  // the gesture starts at the tracker's anchor
  EXPECT_EQ(loop.Current(), tracker);
  EXPECT_TRUE(loop.Move({15, 12}));
  EXPECT_TRUE(loop.Move({15, 30}));  // constrained back onto previous
  EXPECT_TRUE(loop.IsTracking());
  EXPECT_TRUE(loop.End({15, 99}, &history));
  EXPECT_FALSE(loop.IsTracking());
  EXPECT_EQ(loop.Current(), nullptr);

  const OsImgPoint a{10, 10}, p{15, 10};
  EXPECT_EQ(log, (Log{{'C', 0, a, a, a, 1},         {'M', 0, a, a, a, 1}, {'F', 0, a, a, a, 1},
                      {'C', 1, a, a, {15, 12}, 1},  {'M', 1, a, a, p, 1}, {'F', 1, a, a, p, 1},
                      {'C', 1, a, p, {15, 30}, 1},  {'M', 1, a, p, p, 0}, {'F', 1, a, p, p, 0},
                      {'C', 2, a, p, {15, 99}, 1},  {'M', 2, a, p, p, 1}, {'F', 2, a, p, p, 1},
                      {'D'}}));
  EXPECT_EQ(history.UndoLabels(), (std::vector<int>{7}));

  // Without a history, or when it cannot be undone, it is performed and destroyed.
  log.clear();
  loop.Begin(new Recorder(&log, {}));
  loop.End({});
  loop.Begin(new Recorder(&log, {}, 0));
  loop.End({}, &history);
  EXPECT_EQ(Kinds(log), "CMFCMFDXCMFCMFDX");
  EXPECT_EQ(history.UndoLabels(), (std::vector<int>{7}));
}

TEST(BTrackingLoop, TrackMouseNamesTheTrackerThatGoesOnNullDestroysItUnperformed) {
  Log log, next;
  BHistory history;
  BTrackingLoop loop;
  auto* first = new Recorder(&log, {1, 1});
  auto* second = new Recorder(&next, {50, 50});
  first->fHandOverAt = 1;
  first->fHandOverTo = second;
  second->fHandOverAt = 2;  // hands over to null at the release
  loop.Begin(first);
  EXPECT_TRUE(loop.Move({4, 1}));
  EXPECT_EQ(Kinds(log), "CMFCMX");
  EXPECT_EQ(loop.Current(), second);
  // The newcomer gets this step's feedback and goes on from the loop's points.
  EXPECT_EQ(next, (Log{{'F', 1, {1, 1}, {1, 1}, {4, 1}, 1}}));
  EXPECT_TRUE(loop.End({6, 1}, &history));
  EXPECT_EQ(Kinds(next), "FCMX");
  EXPECT_EQ(next[2], (Call{'M', 2, {1, 1}, {4, 1}, {6, 1}, 1}));
  EXPECT_FALSE(loop.IsTracking());
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(loop.Move({9, 9}));  // nothing left to drive

  loop.Begin(new Recorder(&log, {}));
  loop.Abandon();
  EXPECT_FALSE(loop.IsTracking());
  EXPECT_EQ(Kinds(log), "CMFCMXCMFX");
}

TEST(BTrackingLoop, AMemoryExceptionAtAnyCallDropsTheGestureAndDestroysTheTracker) {
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

TEST(BTracker, SnapsImagePointsToTheNearestGridMultipleHalvesAwayFromZero) {
  BView view;
  BTracker tracker;
  tracker.ITracker(1, nullptr, 0, 0, nullptr, &view, {});
  auto snap = [&](OsImgPoint p) {
    OsImgPoint q = p, r = p;
    tracker.GridMouse(q);
    tracker.IGridMouse(&view, r);
    tracker.GridMouse(&view, p);
    EXPECT_EQ(q, p);
    EXPECT_EQ(r, p);
    return p;
  };
  EXPECT_EQ(snap({3, 4}), (OsImgPoint{0, 8}));
  EXPECT_EQ(snap({-4, -3}), (OsImgPoint{-8, 0}));
  EXPECT_EQ(snap({12, -12}), (OsImgPoint{16, -16}));
  EXPECT_EQ(snap({INT_MAX, INT_MIN}), (OsImgPoint{INT_MAX, INT_MIN}));
  view.fGridSize = 3;
  EXPECT_EQ(snap({INT_MIN, 5}), (OsImgPoint{INT_MIN, 6}));
  view.fGridSize = 0;
  EXPECT_EQ(snap({3, 4}), (OsImgPoint{3, 4}));
  OsImgPoint p{3, 4};
  BTracker unbound;
  unbound.GridMouse(p);
  unbound.GridMouse(nullptr, p);
  EXPECT_EQ(p, (OsImgPoint{3, 4}));
}

TEST(BEventHandler, PostCommandHandsTheCommandToTheHostOrDestroysIt) {
  Log log;
  BView view;
  view.GetEventHandler()->PostCommand(new Recorder(&log, {}));
  EXPECT_EQ(Kinds(log), "X");
  std::unique_ptr<BCommand> posted;
  view.OsSetPost([&](BCommand* c) { posted.reset(c); });
  auto* command = new Recorder(&log, {});
  view.GetEventHandler()->PostCommand(command);
  EXPECT_EQ(posted.get(), command);
  EXPECT_EQ(Kinds(log), "X");
}

TEST(BAnt, IsTheViewsShownAntWhileShownAndNoLonger) {
  BView view;
  auto* ant = new BAnt(&view);
  EXPECT_EQ(ant->IAnt(), 1);
  EXPECT_FALSE(ant->IsShown());
  EXPECT_EQ(ant->GetRect(), OsImgRect{});
  ant->SetRectAnt(30, 5, 10, 20);
  EXPECT_EQ(ant->GetRect(), (OsImgRect{10, 5, 30, 20}));
  ant->DrawAnt(1);
  EXPECT_TRUE(ant->IsShown());
  EXPECT_EQ(view.fShownAnt, ant);
  ant->DrawAnt(0);
  EXPECT_EQ(view.fShownAnt, nullptr);

  BAnt other(&view);
  other.DrawAnt(1);
  ant->DrawAnt(0);  // hiding an ant that is not the view's leaves the view's
  EXPECT_EQ(view.fShownAnt, &other);
  ant->DrawAnt(1);
  delete ant;
  EXPECT_EQ(view.fShownAnt, nullptr);
}

class HostTrackers : public ::testing::Test {
 protected:
  void SetUp() override { view.OsSetRepaint([this](BView&) { ++repaints; }); }
  template <typename T>
  T* Make() {
    OsImgPoint press{};
    auto* t = new T;
    t->IFWCommand(5, nullptr, nullptr, &view, press);
    return t;
  }

  BView view;
  BHistory history;
  BTrackingLoop loop;
  int repaints = 0;
};

TEST_F(HostTrackers, TheHandMovesTheOriginAgainstTheMouse) {
  view.GetZoom() = BZoom(2.0f, 4.0f, 0.0f, 0.0f);
  loop.Begin(Make<TFWCScroll>());
  loop.Move({10, 0});
  EXPECT_EQ(view.GetZoom().fOriginX, -5.0f);
  EXPECT_EQ(view.GetZoom().fOriginY, 0.0f);
  loop.Move({10, 0});
  EXPECT_TRUE(loop.End({12, -6}, &history));
  EXPECT_EQ(view.GetZoom().fOriginX, -6.0f);
  EXPECT_EQ(view.GetZoom().fOriginY, 1.5f);
  EXPECT_EQ(view.GetZoom().fZoomX, 2.0f);
  EXPECT_EQ(repaints, 2);
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(HostTrackers, TheZoomDoublesOrHalvesOnReleaseKeepingThePointUnderIt) {
  struct Case {
    std::uint8_t state;
    BZoom before;
    float zoomX, zoomY, originX, originY;
  };
  const Case cases[] = {
      {TFWCZoom::kZoomIn, BZoom(1, 1, 0, 0), 2, 2, 50, 25},
      {TFWCZoom::kZoomOut, BZoom(2, 2, 50, 25), 1, 1, 0, 0},
      {TFWCZoom::kZoomIn, BZoom(16, 8, 3, 4), 16, 16, 3, 4 + 50 / 8.0f - 50 / 16.0f},
      {TFWCZoom::kZoomOut, BZoom(0.0625f, 0.0625f, 3, 4), 0.0625f, 0.0625f, 3, 4},
      {TFWCZoom::kZoomNone, BZoom(1, 1, 3, 4), 1, 1, 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.state});
    view.GetZoom() = c.before;
    auto* zoom = Make<TFWCZoom>();
    zoom->fZoomState = c.state;
    loop.Begin(zoom);
    loop.Move({100, 50});
    EXPECT_EQ(view.GetZoom().fZoomX, c.before.fZoomX);  // only the release zooms
    EXPECT_TRUE(loop.End({100, 50}, &history));
    const BZoom& z = view.GetZoom();
    EXPECT_EQ((std::vector<float>{z.fZoomX, z.fZoomY, z.fOriginX, z.fOriginY}),
              (std::vector<float>{c.zoomX, c.zoomY, c.originX, c.originY}));
  }
  EXPECT_EQ(repaints, 3);
  EXPECT_FALSE(history.CanUndo());
}

}  // namespace
