// Join and scissors, pressed as their tools press them and driven as the host's
// loop drives them: what they make, what undo and redo bring back, the presses
// and releases that must do nothing, and running out of memory at every
// allocation. The replays show the same gestures end to end.

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "BHistory.h"
#include "trackers/TDCJoin.h"
#include "trackers/TDCScissor.h"
#include "trackers/TrackerFixture.h"

namespace {

// A figure made by the test, so that what a tracker destroys can be counted.
struct Counted : TDShape {
  ~Counted() override { ++gDestroyed; }
  static inline int gDestroyed = 0;
};

// A vertex: its anchor, and its handles when it has any.
struct V {
  V(float x, float y) : a(x, y), d1(a), d2(a) {}
  V(TDFloatPoint anchor, TDFloatPoint h1, TDFloatPoint h2) : a(anchor), d1(h1), d2(h2) {}
  TDFloatPoint a, d1, d2;
};

class FigureOperationTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    Counted::gDestroyed = 0;
  }
  TDShape* Figure(std::initializer_list<V> vertices, bool closed = false) {
    auto* s = new Counted;
    s->SetContainer(&fContainer);
    for (const V& v : vertices) s->AddUnit(v.a.x, v.a.y, v.d1.x, v.d1.y, v.d2.x, v.d2.y, 0, 0, 0, 0);
    s->fOpen = closed ? 0 : 1;
    s->CalcBounds(s->fBounds);
    fContainer.AddObject(s);
    return s;
  }
  // What the tool's press does: everything deselected, the press hit-tested,
  // and a tracker only on a hit.
  template <typename T>
  std::unique_ptr<T> Press(OsImgPoint p) {
    fContainer.SelectAll(0);
    TDCheck check;
    check.fFlags = 15;
    check.fTolerance = 4.0f;
    if (fContainer.CheckDetail(p, &check, 0) != 1) return nullptr;
    return Start<T>(p, check);
  }
  template <typename T>
  std::unique_ptr<T> Start(OsImgPoint p, TDCheck check) {
    auto t = std::make_unique<T>();
    if constexpr (std::is_same_v<T, TDCJoin>) t->IDCJoin(&fContainer, &fView, &fDocument, p, &check);
    else t->IDCScissor(&fContainer, &fView, &fDocument, p, &check);
    return t;
  }
  std::unique_ptr<TDCJoin> Join(OsImgPoint from, OsImgPoint to) {
    auto t = Press<TDCJoin>(from);
    Gesture g(*t);
    g.Press();
    g.MoveTo(to.x, to.y);
    g.Release(to.x, to.y);
    return t;
  }
  std::unique_ptr<TDCScissor> Cut(OsImgPoint at) {
    auto t = Press<TDCScissor>(at);
    Gesture g(*t);
    g.Press();
    g.Release();
    return t;
  }
  // Whether the step repainted the view with ink at the view pixel: it drew
  // there and asked for an update.
  template <typename Step>
  bool Redraws(Step step, int x, int y) {
    const int before = fRepaints;
    step();
    return fRepaints > before && ShownInk(x, y);
  }
  std::string Paths() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) out += (i ? " | " : "") + PathText(*At(i));
    return out;
  }
  // Undo, then redo, each first run out of memory at every allocation it makes;
  // each failure leaves the document as it was.
  template <typename T>
  void UndoAndRedoUnderFailures(T& t) {
    for (auto step : {&T::UndoIt, &T::RedoIt}) {
      const std::string before = Document();
      int n = 0;
      for (; RunsOutOfMemory(n, [&] { (t.*step)(); }); ++n) ASSERT_EQ(Document(), before) << n;
      EXPECT_GT(n, 0);
    }
  }
};

// ---- Join ----

// Two curved figures with stale steps: a reversed part gets its handles
// exchanged and the steps of its segment recomputed (3 for this bulge). The
// releases are up to 3 pixels off the ends, inside their hit squares.
class JoinEnds : public FigureOperationTest,
                 public ::testing::WithParamInterface<std::tuple<OsImgPoint, OsImgPoint, const char*>> {};

TEST_P(JoinEnds, TheJoinedPathRunsFromThePressedEndToTheReleasedOne) {
  const auto& [from, to, path] = GetParam();
  TDShape* a = Figure({{{4, 6}, {8, 16}, {0, -4}}, {{20, 6}, {24, -4}, {16, 16}}});
  TDShape* b = Figure({{{4, 30}, {8, 40}, {0, 20}}, {{20, 30}, {24, 20}, {16, 40}}});
  TDShape* c = Figure({{40, 40}, {56, 40}});
  for (TDShape* s : {a, b}) Unit(*s, 0)->fSteps = 9, Unit(*s, 1)->fSteps = 5;
  auto t = Join(from, to);
  EXPECT_TRUE(Redraws([&] { t->DoIt(); }, 12, 13));  // halfway along a's curve
  t->RedoIt();  // nothing undone: nothing to redo
  TDShape* joined = t->fJoined;
  ASSERT_TRUE(Count() == 2 && At(0) == c && At(1) == joined && joined->fContainer == &fContainer);
  EXPECT_EQ(PathText(*joined) + " " + Details(*joined), path);
  EXPECT_EQ(Selection(), "01");
  OsImgRect fresh;
  joined->CalcBounds(fresh);
  EXPECT_EQ(joined->fBounds, fresh);
  c->SetSelect(1, 1, 0);  // chosen since: undo shows only what it brings back selected
  EXPECT_TRUE(Redraws([&] { t->UndoIt(); }, 12, 13));
  t->UndoIt();  // already undone
  EXPECT_TRUE(Count() == 3 && At(0) == c && At(1) == a && At(2) == b);
  EXPECT_EQ(Selection() + States(*a) + States(*b), "0112222");
  EXPECT_TRUE(Redraws([&] { t->RedoIt(); }, 12, 13));
  EXPECT_TRUE(Count() == 2 && At(1) == joined && Selection() == "01" && States(*joined) == "2222");
  t.reset();
  EXPECT_EQ(Counted::gDestroyed, 2);
}

INSTANTIATE_TEST_SUITE_P(
    FourOrders, JoinEnds,
    ::testing::Values(
        std::tuple(OsImgPoint{20, 6}, OsImgPoint{7, 33},
                   "open (4,6 8,16 0,-4) (20,6 24,-4 16,16) (4,30 8,40 0,20) (20,30 24,20 16,40) "
                   "9/201 5/201 9/201 5/201"),
        std::tuple(OsImgPoint{4, 6}, OsImgPoint{1, 27},
                   "open (20,6 16,16 24,-4) (4,6 0,-4 8,16) (4,30 8,40 0,20) (20,30 24,20 16,40) "
                   "3/201 9/201 9/201 5/201"),
        std::tuple(OsImgPoint{4, 6}, OsImgPoint{23, 27},
                   "open (20,6 16,16 24,-4) (4,6 0,-4 8,16) (20,30 16,40 24,20) (4,30 0,20 8,40) "
                   "3/201 9/201 3/201 9/201"),
        std::tuple(OsImgPoint{20, 6}, OsImgPoint{20, 30},
                   "open (4,6 8,16 0,-4) (20,6 24,-4 16,16) (20,30 16,40 24,20) (4,30 0,20 8,40) "
                   "9/201 5/201 3/201 9/201")));

// A press off an end, or a release that finds no other end: no figure changes,
// and the gesture is no step of the history.
class JoinMisses : public FigureOperationTest,
                   public ::testing::WithParamInterface<std::tuple<OsImgPoint, OsImgPoint, const char*>> {};

// The selection is the hit tests': the press selects what it hit, and a
// release is hit-tested (selecting what it hit, or clearing the selection on a
// miss) only after a press on an end. DoIt still repaints, clearing the
// rubber line; undo and redo of the step, were it kept, would change nothing.
TEST_P(JoinMisses, ChangeNothingAndLeaveNothingToUndo) {
  const auto& [from, to, selection] = GetParam();
  Figure({{4, 6}, {20, 6}, {36, 6}});
  Figure({{4, 30}, {20, 30}, {20, 44}}, true);
  Figure({{40, 30}, {56, 30}});
  const std::string paths = Paths();
  auto t = Join(from, to);
  EXPECT_EQ(Paths(), paths);
  EXPECT_EQ(Selection(), selection);
  const std::string released = Document();
  const int repaints = fRepaints;
  t->DoIt();
  EXPECT_GT(fRepaints, repaints);
  t->UndoIt();
  t->RedoIt();
  EXPECT_EQ(Document(), released);
  BHistory history;
  history.Keep(t.release());
  EXPECT_FALSE(history.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    PressesAndReleases, JoinMisses,
    ::testing::Values(std::tuple(OsImgPoint{20, 6}, OsImgPoint{56, 30}, "100"),  // press: inner vertex
                      std::tuple(OsImgPoint{12, 6}, OsImgPoint{56, 30}, "100"),  // press: segment
                      std::tuple(OsImgPoint{4, 30}, OsImgPoint{56, 30}, "010"),  // press: closed figure
                      std::tuple(OsImgPoint{4, 6}, OsImgPoint{30, 20}, "000"),   // release: nothing
                      std::tuple(OsImgPoint{4, 6}, OsImgPoint{48, 30}, "101"),   // release: segment
                      std::tuple(OsImgPoint{4, 6}, OsImgPoint{20, 44}, "110"),   // release: closed figure
                      std::tuple(OsImgPoint{4, 6}, OsImgPoint{20, 6}, "100"),    // release: inner vertex
                      std::tuple(OsImgPoint{4, 6}, OsImgPoint{5, 7}, "100")));   // release: the same end

// Joining a figure's two ends closes it, pressed at either end. The release
// here lands on an equal figure under it, which the hit test finds first:
// what the user sees is one figure closed end to end, so the pressed one is
// closed and the other left alone; a release on the pressed end joins
// nothing. Undo brings back the very open figure; the tracker frees it when
// it goes redone, and not when it goes undone.
TEST_F(FigureOperationTest, JoiningTheEndsOfOneFigureClosesIt) {
  for (auto [end, from, to] : {std::tuple{0, OsImgPoint{4, 6}, OsImgPoint{20, 30}}, {2, {20, 30}, {4, 6}}}) {
    fContainer.DeleteAll();
    Counted::gDestroyed = 0;
    TDShape* under = Figure({{4, 6}, {20, 6}, {20, 30}});
    TDShape* pressed = Figure({{4, 6}, {20, 6}, {20, 30}});
    for (OsImgPoint release : {from, to}) {
      auto t = Start<TDCJoin>(from, Record(pressed, end, TDCheck::kAnchor));
      Gesture g(*t);
      g.Press();
      g.Release(release.x, release.y);
      t->DoIt();
      ASSERT_EQ(t->fActive, release == to ? 1 : 0);
      if (t->fActive == 0) continue;
      EXPECT_TRUE(t->fSecond == nullptr && Count() == 2 && At(0) == under && At(1) == t->fJoined);
      EXPECT_EQ(PathText(*At(1)) + " " + States(*At(1)), "closed (4,6) (20,6) (20,30) 222");
      t->UndoIt();
      EXPECT_TRUE(At(0) == under && At(1) == pressed && under->fOpen == 1 && pressed->fOpen == 1);
      if (end == 0) t->RedoIt();
      t.reset();
      EXPECT_EQ(Counted::gDestroyed, end == 0 ? 1 : 0);
    }
  }
}

// Whichever allocation of the copies, the reversal or the merge fails, the
// memory exception comes before any change, and what was made is freed.
TEST_F(FigureOperationTest, AJoinOutOfMemoryAnywhereChangesNothing) {
  for (auto [from, to] : {std::pair{OsImgPoint{20, 6}, OsImgPoint{40, 30}}, {{4, 6}, {40, 30}},
                          {{4, 6}, {56, 30}}, {{20, 6}, {56, 30}}, {{4, 6}, {20, 6}}}) {
    TDShape* a = Figure({{4, 6}, {20, 6}});
    TDShape* b = Figure({{40, 30}, {56, 30}});
    int n = 0;
    for (;; ++n) {
      auto t = Join(from, to);
      const std::string before = Document();
      if (!RunsOutOfMemory(n, [&] { t->DoIt(); })) {
        EXPECT_EQ(Count(), t->fSecond != nullptr ? 1 : 2);
        UndoAndRedoUnderFailures(*t);
        t->UndoIt();
        break;
      }
      ASSERT_EQ(Document(), before) << n;
    }
    EXPECT_GT(n, 3);
    EXPECT_TRUE(At(0) == a || At(1) == a);
    EXPECT_TRUE(At(0) == b || At(1) == b);
    fContainer.DeleteAll();
  }
}

// ---- Scissors ----

class ScissorCuts : public FigureOperationTest,
                    public ::testing::WithParamInterface<std::tuple<bool, OsImgPoint, const char*>> {};

// A cut vertex is in both pieces, or at both ends of the one piece; the pieces
// are selected and go to the end of the list, and undo puts the very figure back.
// A segment is cut where the walk along it first meets the press's hit square.
TEST_P(ScissorCuts, CutsThroughTheVertexPressedOrOneInsertedOnTheSegment) {
  const auto& [closed, at, paths] = GetParam();
  TDShape* other = Figure({{4, 44}, {20, 44}});
  TDShape* target = Figure({{4, 6}, {36, 6}, {36, 30}, {4, 30}}, closed);
  auto t = Cut(at);
  EXPECT_TRUE(Redraws([&] { t->DoIt(); }, 20, 30));  // on the bottom edge
  t->RedoIt();  // nothing undone: nothing to redo
  EXPECT_EQ(Paths(), paths);
  EXPECT_EQ(t->fPart1->fContainer, &fContainer);
  EXPECT_TRUE(At(0) == other && At(1) == t->fPart1 && (closed ? t->fPart2 == nullptr : At(2) == t->fPart2));
  EXPECT_EQ(Selection(), closed ? "01" : "011");
  EXPECT_TRUE(Redraws([&] { t->UndoIt(); }, 20, 30));
  t->UndoIt();  // already undone
  EXPECT_TRUE(Count() == 2 && At(1) == target);
  EXPECT_TRUE(Redraws([&] { t->RedoIt(); }, 20, 30));
  EXPECT_TRUE(At(1) == t->fPart1 && (closed || At(2) == t->fPart2));
  t.reset();
  EXPECT_EQ(Counted::gDestroyed, 1);
}

INSTANTIATE_TEST_SUITE_P(
    ClosedAndOpen, ScissorCuts,
    ::testing::Values(
        std::tuple(true, OsImgPoint{24, 6},
                   "open (4,44) (20,44) | open (20,6) (36,6) (36,30) (4,30) (4,6) (20,6)"),
        std::tuple(true, OsImgPoint{4, 18},  // the closing segment: the cut goes first in the list
                   "open (4,44) (20,44) | open (4,21) (4,6) (36,6) (36,30) (4,30) (4,21)"),
        std::tuple(true, OsImgPoint{36, 30},
                   "open (4,44) (20,44) | open (36,30) (4,30) (4,6) (36,6) (36,30)"),
        std::tuple(false, OsImgPoint{36, 22},
                   "open (4,44) (20,44) | open (4,6) (36,6) (36,18) | open (36,18) (36,30) (4,30)"),
        std::tuple(false, OsImgPoint{36, 6},
                   "open (4,44) (20,44) | open (4,6) (36,6) | open (36,6) (36,30) (4,30)")));

// The split keeps the curve: de Casteljau at the hit's parameter; the inserted
// vertex takes its segment's start's steps and state, and every piece vertex
// is smooth.
TEST_F(FigureOperationTest, ASegmentCutSplitsTheCurveWhereItWasHit) {
  TDShape* s = Figure({{{4, 6}, {4, 22}, {4, 6}}, {{36, 22}, {36, 22}, {20, 22}}});
  s->SetSelect(1, 1, 0);
  Unit(*s, 0)->fSteps = 7;
  auto t = Start<TDCScissor>({14, 20}, Record(s, 0, TDCheck::kSegment, 0.5f));
  EXPECT_EQ(t->fCutIndex, 2);
  EXPECT_EQ(PathText(*t->fCopy) + " " + Details(*t->fCopy),
            "open (4,6 4,14 4,6) (14,20 20,22 8,18) (36,22 36,22 28,22) 1/201 1/211 0/201");
  Run(*t, {});
  EXPECT_EQ(Details(*t->fPart1) + " " + Details(*t->fPart2), "1/211 1/211 1/211 0/211");
}

// Nothing to cut: a handle, or an end of an open figure. The press changes
// nothing, makes no copy and is no step of the history.
TEST_F(FigureOperationTest, HandlesAndTheEndsOfAnOpenFigureCutNothing) {
  TDShape* s = Figure({{{4, 6}, {8, 6}, {0, 6}}, {{20, 6}, {24, 6}, {16, 6}}, {36, 6}});
  const std::string paths = Paths();
  for (auto [kind, vertex] : {std::pair{int{TDCheck::kDirection1}, 1}, {TDCheck::kDirection2, 1},
                              {TDCheck::kAnchor, 0}, {TDCheck::kAnchor, 2}, {TDCheck::kNothing, 1}}) {
    TDCheck check = Record(s, vertex, kind);
    if (kind == TDCheck::kNothing) check.fShape = nullptr;
    auto t = Start<TDCScissor>({4, 6}, check);
    Run(*t, {});
    t->UndoIt();
    t->RedoIt();
    EXPECT_TRUE(t->fActive == 0 && t->fCopy == nullptr && t->CanBeUndone() == 0) << kind << vertex;
    EXPECT_EQ(Paths(), paths);
  }
  EXPECT_EQ(Counted::gDestroyed, 0);
}

// The copy is made at the press: running out of memory there raises the
// exception before the tracker is posted; in DoIt, before anything changes.
TEST_F(FigureOperationTest, ACutOutOfMemoryAnywhereChangesNothing) {
  for (auto [closed, at] : {std::pair{true, OsImgPoint{20, 6}}, {true, {36, 30}}, {false, {36, 18}},
                            {false, {36, 6}}}) {
    TDShape* s = Figure({{4, 6}, {36, 6}, {36, 30}, {4, 30}}, closed);
    s->SetSelect(1, 1, 0);  // as the press leaves it
    int n = 0, m = 0;
    for (;; ++n) {
      std::unique_ptr<TDCScissor> t;
      const std::string before = Document();
      if (RunsOutOfMemory(n, [&] { t = Cut(at); })) {
        ASSERT_EQ(Document(), before) << n;
        continue;
      }
      for (;; ++m) {
        const std::string pressed = Document();
        if (!RunsOutOfMemory(m, [&] { t->DoIt(); })) break;
        ASSERT_EQ(Document(), pressed) << m;
      }
      EXPECT_EQ(Count(), closed ? 1 : 2);
      UndoAndRedoUnderFailures(*t);
      t->UndoIt();
      break;
    }
    EXPECT_TRUE(n > 4 && m > 4 && At(0) == s);
    fContainer.DeleteAll();
  }
}

}  // namespace
