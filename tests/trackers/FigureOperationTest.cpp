// Join and scissors, pressed as their tools press them. The replays join
// straight lines (showing the line dragged) and cut straight segments, undone
// and redone, and the allocation sweep's point-editing session cuts without
// memory; here are curves joined backwards, a curved segment split, and a join
// running out of memory at every allocation.

#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "trackers/TDCJoin.h"
#include "trackers/TDCScissor.h"
#include "trackers/TrackerFixture.h"

namespace {

// A vertex: its anchor, and its handles when it has any.
struct V {
  V(float x, float y) : a(x, y), d1(a), d2(a) {}
  V(TDFloatPoint anchor, TDFloatPoint h1, TDFloatPoint h2) : a(anchor), d1(h1), d2(h2) {}
  TDFloatPoint a, d1, d2;
};

class FigureOperationTest : public TrackerFixture {
 protected:
  TDShape* Figure(std::initializer_list<V> vertices) {
    auto* s = new TDShape;
    s->SetContainer(&fContainer);
    for (const V& v : vertices) s->AddUnit(v.a.x, v.a.y, v.d1.x, v.d1.y, v.d2.x, v.d2.y, 0, 0, 0, 0);
    s->fOpen = 1;
    s->CalcBounds(s->fBounds);
    fContainer.AddObject(s);
    return s;
  }
  // As the tool presses: everything deselected, the press hit-tested, and a
  // tracker only on a hit; then dragged and released.
  std::unique_ptr<TDCJoin> Join(OsImgPoint from, OsImgPoint to) {
    fContainer.SelectAll(0);
    TDCheck check{.fFlags = 15, .fTolerance = 4.0f};
    if (fContainer.CheckDetail(from, &check, 0) != 1) return nullptr;
    auto t = std::make_unique<TDCJoin>();
    t->IDCJoin(&fContainer, &fView, &fDocument, from, &check);
    Gesture g(*t);
    g.Press();
    g.MoveTo(to.x, to.y);
    g.Release(to.x, to.y);
    return t;
  }
};

// A curve run backwards has its handles exchanged and its segment's steps
// recomputed (3 for this bulge). The releases are 3 pixels off the ends,
// inside their hit squares.
TEST_F(FigureOperationTest, JoinedCurvesRunFromThePressedEndToTheReleasedOne) {
  for (auto [from, to, path] :
       {std::tuple{OsImgPoint{20, 6}, OsImgPoint{7, 33},
                   "open (4,6 8,16 0,-4) (20,6 24,-4 16,16) (4,30 8,40 0,20) (20,30 24,20 16,40) "
                   "9/201 5/201 9/201 5/201"},
        {OsImgPoint{4, 6}, OsImgPoint{23, 27},
         "open (20,6 16,16 24,-4) (4,6 0,-4 8,16) (20,30 16,40 24,20) (4,30 0,20 8,40) "
         "3/201 9/201 3/201 9/201"}}) {
    fContainer.DeleteAll();
    for (float y : {6.0f, 30.0f}) {
      TDShape* s = Figure({{{4, y}, {8, y + 10}, {0, y - 10}}, {{20, y}, {24, y - 10}, {16, y + 10}}});
      Unit(*s, 0)->fSteps = 9;
      Unit(*s, 1)->fSteps = 5;
    }
    auto t = Join(from, to);
    t->DoIt();
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(PathText(*At(0)) + " " + Details(*At(0)), path);
  }
}

// Whichever allocation of the copies, the reversal or the merge fails, the
// memory exception comes before any change, and what was made is freed.
TEST_F(FigureOperationTest, AJoinOutOfMemoryAnywhereChangesNothing) {
  for (auto [from, to] : {std::pair{OsImgPoint{20, 6}, OsImgPoint{40, 30}},
                          {{4, 6}, {40, 30}},
                          {{4, 6}, {56, 30}},
                          {{20, 6}, {56, 30}},
                          {{4, 6}, {20, 6}}}) {
    TDShape* a = Figure({{4, 6}, {20, 6}});
    TDShape* b = Figure({{40, 30}, {56, 30}});
    std::unique_ptr<TDCJoin> t;
    EXPECT_GT(FailuresBeforeSuccess([&] { t->DoIt(); }, [&] { t = Join(from, to); }), 3);
    EXPECT_EQ(Count(), t->fSecond != nullptr ? 1 : 2);
    EXPECT_GT(FailuresBeforeSuccess([&] { t->UndoIt(); }), 0);
    EXPECT_GT(FailuresBeforeSuccess([&] { t->RedoIt(); }), 0);
    t->UndoIt();
    EXPECT_TRUE((At(0) == a && At(1) == b) || (At(0) == b && At(1) == a));
    fContainer.DeleteAll();
  }
}

// De Casteljau at the hit's parameter; the inserted vertex takes its segment's
// start's steps and state, and every piece vertex is smooth. One straight end
// does not make the segment straight.
TEST_F(FigureOperationTest, ASegmentCutSplitsTheCurveWhereItWasHit) {
  TDShape* s = Figure({{{4, 6}, {4, 22}, {4, 6}}, {{36, 22}, {36, 22}, {20, 22}}});
  TDShape* m = Figure({{{4, 40}, {4, 40}, {4, 40}}, {{36, 56}, {36, 56}, {20, 56}}});
  Unit(*s, 0)->fSteps = 7;
  const auto cut = [&](TDShape* f, OsImgPoint at) {
    f->SetSelect(1, 1, 0);
    auto t = std::make_unique<TDCScissor>();
    TDCheck check{.fShape = f, .fUnit = Unit(*f, 0), .fParam = 0.5f, .fResult = TDCheck::kSegment};
    t->IDCScissor(&fContainer, &fView, &fDocument, at, &check);
    return t;
  };
  auto t = cut(s, {14, 20});
  EXPECT_EQ(t->fCutIndex, 2);
  EXPECT_EQ(PathText(*t->fCopy) + " " + Details(*t->fCopy),
            "open (4,6 4,14 4,6) (14,20 20,22 8,18) (36,22 36,22 28,22) 1/201 1/211 0/201");
  Run(*t, {});
  EXPECT_EQ(Details(*t->fPart1) + " " + Details(*t->fPart2), "1/211 1/211 1/211 0/211");
  EXPECT_EQ(PathText(*cut(m, {14, 48})->fCopy), "open (4,40) (14,48 20,52 8,44) (36,56 36,56 28,56)");
}

}  // namespace
