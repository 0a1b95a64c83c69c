// Point editing where the replays do not look: arithmetic, feedback, bounds, identity, memory.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "TrackerFixture.h"
#include "model/TDCheck.h"
#include "trackers/TDCAddPt.h"
#include "trackers/TDCDDrec.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TDCDirect.h"
#include "trackers/TDCJoin.h"
#include "trackers/TDCScissor.h"

namespace {

enum Tool { kWhiteArrow, kEditPoint, kAddPoint, kDeletePoint };

class PointEditTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fView.GetWindow()->OsPlace(0, 0, 64, 48);
  }
  // Its middle vertex, the only smooth one, is a bulge drawn in 20 steps.
  TDShape* Bulge() {
    TDShape* s = Curve({{0, 20}, {{20, 20}, {26, 12}, {14, 28}}, {40, 20}});
    for (int i = 0; i < 3; ++i) Unit(*s, i)->fSteps = 20;
    Unit(*s, 1)->fSmooth = 1;
    s->CalcBounds(s->fBounds);
    return s;
  }
  // As the tool presses: all deselected, and a tracker only on a hit.
  std::unique_ptr<TDCJoin> Join(OsImgPoint from, OsImgPoint to) {
    fContainer.SelectAll(0);
    TDCheck check{.fFlags = 15, .fTolerance = 4.0f};
    if (fContainer.CheckDetail(from, &check, 0) != 1) return nullptr;
    auto t = std::make_unique<TDCJoin>();
    t->IDCJoin(&fContainer, &fView, &fDocument, from, &check);
    Drag(*t, {to});
    return t;
  }
  // Picks vertices as the point rectangle would.
  static TDShape* Pick(TDShape* s, std::initializer_list<int> indexes) {
    s->SetSelect(1, 1, 1);
    for (int i : indexes) s->SetUnitState(TDUnit::kBothHandles, Unit(*s, i));
    return s;
  }
  // The tool's tracker for a press at p, made from what the hit test finds.
  std::unique_ptr<TDCBase> Press(Tool tool, OsImgPoint p) {
    TDCheck check{.fFlags = 15, .fTolerance = 4.0f};
    fContainer.CheckDetail(p, &check, 0);
    if (tool == kWhiteArrow) return Made<TDCDirect>(&TDCDirect::IDCDirect, p, &check);
    if (tool == kEditPoint) return Made<TDCEdit>(&TDCEdit::IDCEdit, p, &check);
    if (tool == kAddPoint) return Made<TDCAddPt>(&TDCAddPt::IDCAddPt, p, &check);
    return Made<TDCDelPt>(&TDCDelPt::IDCDelPt, p, &check);
  }
  template <typename T, typename Init>
  std::unique_ptr<TDCBase> Made(Init init, OsImgPoint p, TDCheck* check) {
    auto t = std::make_unique<T>();
    (t.get()->*init)(&fContainer, &fView, &fDocument, p, check);
    return t;
  }
  // The tracker a dispatcher hands the gesture to, or the tracker itself.
  static std::string Worker(const TDCBase& t) {
    const auto* dispatch = dynamic_cast<const TDCPointDispatch*>(&t);
    const CObject* worker = dispatch != nullptr ? dispatch->fSub : &t;
    return worker != nullptr ? worker->GetRuntimeClass()->m_lpszClassName : "none";
  }
  // The figures whose bounds are not what CalcBounds makes of their vertices.
  std::string StaleBounds() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
      const std::unique_ptr<TDShape> copy(At(i)->Clone());
      OsImgRect fresh;
      copy->CalcBounds(fresh);
      if (!(fresh == At(i)->fBounds)) out += PathText(*At(i)) + "; ";
    }
    return out;
  }
  // Sorted: the drawing order may change.
  std::vector<std::tuple<int, int, int, int>> Bounds() const {
    std::vector<std::tuple<int, int, int, int>> out;
    for (int i = 0; i < Count(); ++i)
      out.emplace_back(At(i)->fBounds.left, At(i)->fBounds.top, At(i)->fBounds.right, At(i)->fBounds.bottom);
    std::ranges::sort(out);
    return out;
  }
};

TEST(PointEditRules, TheDiagonalKeepsTheLargerOffsetAndItsSide) {
  struct Case {
    OsImgPoint next, want;
  };
  const OsImgPoint anchor{100, 100};
  for (const Case& c : std::vector<Case>{
           {{97, 107}, {93, 107}},   // taller: x follows, to the left
           {{110, 96}, {110, 90}},   // wider: y follows, upwards
           {{95, 105}, {95, 105}},   // already diagonal
           {{100, 106}, {94, 106}},  // no x offset counts as leftwards
           {{106, 100}, {106, 94}},  // nor a y offset as downwards
       }) {
    OsImgPoint next = c.next;
    TDCBase::KeepOnDiagonal(anchor, next);
    EXPECT_EQ(next, c.want) << c.next.x << "," << c.next.y;
  }
  OsImgPoint far{100, INT32_MAX};  // and downwards
  TDCBase::KeepOnDiagonal({0, INT32_MAX - 2}, far);
  EXPECT_EQ(far, (OsImgPoint{100, INT32_MAX}));
}

// The replays drag handle 1 no nearer than 0.1 to its anchor, where a direction is still taken.
TEST(PointEditRules, OppositeHandleTurnsKeepingItsLength) {
  TDUnit u;
  u.Set3(10, 10, 13, 14, 10, 40);  // handle 2 is 30 long; handle 1 points (3,4)
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "-8,-14");
  u.Set3(0, 0, 0.1f, 0, 0, 40);
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "-40,0");
}

// The repaint skips a figure whose bounds miss the view, so what a point tool
// reshapes needs its bounds recomputed at every step, done, undone and redone.
TEST_F(PointEditTest, GesturesShowWhatTheyEditAndKeepTheBoundsOfWhatTheyReshape) {
  struct Case {
    const char* worker;  // the tracker the press must reach
    Tool tool;
    OsImgPoint press;
    Points moves;
    std::function<void()> figures;
    Points ink;  // shown after the last move
    bool boundsStay = false;
  };
  const auto corner = [&] { Polyline({{2, 2}, {20, 2}, {20, 8}}); };
  const auto farCorner = [&] { Polyline({{44, 30}, {60, 30}, {60, 44}}); };
  const auto straight = [&] { Polyline({{4, 4}, {20, 4}, {36, 4}}); };
  const auto bent = [&] { Unit(*Polyline({{44, 4}, {56, 4}}), 0)->fDirection1.Set(48, 1); };
  // Turned upright, the line keeps the bounds it had lying down.
  const auto turned = [&] { Polyline({{4, 4}, {36, 4}})->Rotate(1.0, 0.0, 20, 4); };
  const auto curve = [&] { Bulge(); };
  const auto picked = [&] { Pick(Bulge(), {1}), Polyline({{2, 40}, {12, 40}}); };
  const auto pickedPair = [&] { Pick(Polyline({{4, 4}, {12, 4}}), {0}), Pick(Polyline({{4, 30}, {20, 30}}), {0}); };
  const Case cases[] = {
      {"TDCDAncer", kWhiteArrow, {4, 4}, {{4, 10}, {8, 30}}, pickedPair, {{8, 30}, {10, 17}}},  // marker, segment
      {"TDCDLine", kWhiteArrow, {52, 30}, {{52, 34}}, farCorner, {{52, 34}, {44, 34}}},  // a straight one, both ends
      {"TDCDLine", kWhiteArrow, {8, 23}, {{8, 30}}, curve, {}},                          // a curved one
      {"TDCDLine", kWhiteArrow, {50, 4}, {{50, 6}}, bent, {{44, 6}, {58, 6}}, true},  // both ends, one with the segment
      {"TDCDDrec1", kWhiteArrow, {26, 12}, {{30, 8}}, picked, {{30, 8}, {25, 14}}},   // its box, the line to it
      {"TDCDDrec2", kWhiteArrow, {14, 28}, {{10, 40}}, picked, {}},
      {"TDCEAncer", kEditPoint, {20, 4}, {{28, 14}}, straight, {}},
      {"TDCEAncer", kEditPoint, {21, 21}, {}, curve, {}},  // the click alone puts the handles on the press
      {"TDCEDrec1", kEditPoint, {26, 12}, {{34, 4}}, picked, {{34, 4}}},
      {"TDCEDrec2", kEditPoint, {14, 28}, {{10, 40}}, picked, {}},
      {"TDCAddPt", kAddPoint, {20, 4}, {}, turned, {}},
      {"TDCDelPt", kDeletePoint, {20, 8}, {}, corner, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.worker) + " from " + std::to_string(c.press.x) + "," + std::to_string(c.press.y));
    fContainer.DeleteAll();
    c.figures();
    const std::unique_ptr<TDCBase> t = Press(c.tool, c.press);
    EXPECT_EQ(Worker(*t), c.worker);
    const auto before = Bounds();
    Gesture g(*t);
    g.Press();
    for (const OsImgPoint& p : c.moves) {
      g.MoveTo(p.x, p.y);
      EXPECT_EQ(StaleBounds(), "") << "while dragged to " << p.x << "," << p.y;
    }
    for (const OsImgPoint& p : c.ink) EXPECT_TRUE(ShownInk(p.x, p.y)) << p.x << "," << p.y;
    g.Release();
    t->DoIt();
    EXPECT_EQ(StaleBounds(), "");
    const auto after = Bounds();
    EXPECT_TRUE(after != before || c.boundsStay) << "the bounds did not move";
    t->UndoIt();
    EXPECT_EQ(Bounds(), before);
    t->RedoIt();
    EXPECT_EQ(Bounds(), after);
    EXPECT_EQ(StaleBounds(), "");
  }
}

// DoIt allocates the copy, each vertex and its entry, the new vertex and its
// entry. Undo and redo bring the figure back last in the drawing order.
TEST_F(PointEditTest, AddPointOutOfMemoryAnywhereInDoItChangesNothing) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  std::unique_ptr<TDCBase> t;
  const auto press = [&] {
    fContainer.SelectAll(0);
    t = Press(kAddPoint, {14, 4});
    Drag(*t);
  };
  EXPECT_EQ(FailuresBeforeSuccess([&] { t->DoIt(); }, press), 1 + 3 * 2 + 2);
  // The press's first pixel in the hit box is the 6th of the edge's 20: t = 0.3.
  TDShape* copy = At(2);
  EXPECT_EQ(PathText(*copy), "open (4,4) (10,4) (24,4) (24,20)");
  t->UndoIt();
  EXPECT_TRUE(At(0) == x && At(1) == y && At(2) == f && Count() == 3);
  EXPECT_EQ(Selection() + " " + States(*f), "000 000");
  t->RedoIt();
  EXPECT_TRUE(At(0) == x && At(1) == y && At(2) == copy && Count() == 3);
  EXPECT_EQ(Selection() + " " + States(*copy), "001 2222");
}

// Delete point needs memory only for the press's copy.
TEST_F(PointEditTest, DeletePointOutOfMemoryForTheCopyThrowsAtThePress) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  std::unique_ptr<TDCBase> t;
  const auto press = [&] {
    fContainer.SelectAll(0);
    t = Press(kDeletePoint, {24, 4});
  };
  press();  // selects the figure, as each press below does before its copy
  EXPECT_EQ(FailuresBeforeSuccess(press), 1 + 3 * 2);
  Drag(*t);
  OsFailAllocationsAfter(0);
  fShown.clear();
  t->DoIt();
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,20)");
  EXPECT_TRUE(ShownInk(14, 12));  // the new segment is on the screen
  t->UndoIt();
  EXPECT_EQ(At(0), f);
  t->RedoIt();
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,20)");
}

// Run backwards, a curve has its handles exchanged and its steps recomputed (3 for this bulge).
TEST_F(PointEditTest, JoinedCurvesRunFromThePressedEndToTheReleasedOne) {
  for (auto [from, to, path] :
       {std::tuple{OsImgPoint{20, 6}, OsImgPoint{7, 33},
                   "open (4,6 8,16 0,-4) (20,6 24,-4 16,16) (4,30 8,40 0,20) (20,30 24,20 16,40) "
                   "9/201 5/201 9/201 5/201"},
        {OsImgPoint{4, 6}, OsImgPoint{23, 27},
         "open (20,6 16,16 24,-4) (4,6 0,-4 8,16) (20,30 16,40 24,20) (4,30 0,20 8,40) "
         "3/201 9/201 3/201 9/201"}}) {
    fContainer.DeleteAll();
    for (float y : {6.0f, 30.0f}) {
      TDShape* s = Curve({{{4, y}, {8, y + 10}, {0, y - 10}}, {{20, y}, {24, y - 10}, {16, y + 10}}});
      Unit(*s, 0)->fSteps = 9;
      Unit(*s, 1)->fSteps = 5;
    }
    auto t = Join(from, to);
    t->DoIt();
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(PathText(*At(0)) + " " + Details(*At(0)), path);
  }
}

// Whichever allocation fails, the exception comes before any change.
TEST_F(PointEditTest, AJoinOutOfMemoryAnywhereChangesNothing) {
  // A head reversed and a tail copied, the other way round, and a figure closed on itself.
  for (auto [from, to] : {std::pair{OsImgPoint{4, 6}, OsImgPoint{40, 30}}, {{20, 6}, {56, 30}}, {{4, 6}, {20, 6}}}) {
    TDShape* a = Curve({{4, 6}, {20, 6}});
    TDShape* b = Curve({{40, 30}, {56, 30}});
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

// The inserted vertex takes its segment's start's steps and state; one
// straight end does not make the segment straight.
TEST_F(PointEditTest, ASegmentCutSplitsTheCurveWhereItWasHit) {
  TDShape* s = Curve({{{4, 6}, {4, 22}, {4, 6}}, {{36, 22}, {36, 22}, {20, 22}}});
  TDShape* m = Curve({{{4, 40}, {4, 40}, {4, 40}}, {{36, 56}, {36, 56}, {20, 56}}});
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
