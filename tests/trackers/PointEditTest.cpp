// The white arrow and the edit-point tool, and add and delete point for the
// bounds. The replays drag anchors, segments and handles end to end (Shift,
// the grid and the read-out included); here are the arithmetic that would
// break silently, what a gesture shows while it runs, and the bounds of what
// the point tools reshape. Undo without memory is in the allocation sweep's
// point-editing session.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TrackerFixture.h"
#include "model/TDCheck.h"
#include "trackers/TDCAddPt.h"
#include "trackers/TDCDDrec.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TDCDirect.h"

namespace {

enum Tool { kWhiteArrow, kEditPoint, kAddPoint, kDeletePoint };

class PointEditTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fView.GetWindow()->OsPlace(0, 0, 64, 48);
  }
  // A figure of one smooth vertex with handles between two corners, straight
  // outside: (0,20) -> (20,20) with handles (26,12) and (14,28) -> (40,20).
  TDShape* Curve() {
    auto* s = new TDShape;
    s->SetContainer(&fContainer);
    s->AddUnit(0, 20, 0, 20, 0, 20, 0, 0, 20, TDUnit::kHidden);
    s->AddUnit(20, 20, 26, 12, 14, 28, 1, 0, 20, TDUnit::kHidden);
    s->AddUnit(40, 20, 40, 20, 40, 20, 0, 0, 20, TDUnit::kHidden);
    s->CalcBounds(s->fBounds);
    fContainer.AddObject(s);
    return s;
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
  // Every figure's bounds, whatever the drawing order.
  std::vector<std::string> Bounds() const {
    std::vector<std::string> out;
    for (int i = 0; i < Count(); ++i) {
      const OsImgRect& b = At(i)->fBounds;
      out.push_back(std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
                    std::to_string(b.bottom));
    }
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST(PointEditRules, TheDiagonalKeepsTheLargerOffsetAndItsSide) {
  struct Case {
    OsImgPoint next, want;
  };
  const OsImgPoint anchor{100, 100};
  for (const Case& c : std::vector<Case>{
           {{110, 104}, {110, 110}},  // wider: y follows
           {{97, 107}, {93, 107}},    // taller: x follows, to the left
           {{110, 96}, {110, 90}},    // upwards
           {{105, 105}, {105, 105}},  // already diagonal
           {{95, 105}, {95, 105}},
           {{100, 106}, {94, 106}},  // no x offset counts as leftwards
           {{106, 100}, {106, 94}},  // nor a y offset as downwards
       }) {
    OsImgPoint next = c.next;
    TDCBase::KeepOnDiagonal(anchor, next);
    EXPECT_EQ(next, c.want) << c.next.x << "," << c.next.y;
  }
  OsImgPoint far{100, INT32_MAX};
  TDCBase::KeepOnDiagonal({0, INT32_MAX - 2}, far);
  EXPECT_EQ(far, (OsImgPoint{100, INT32_MAX}));
}

// Handle 2 turns to stay opposite handle 1 and keeps its length, from a handle
// 1 exactly 0.1 off the anchor on (the replays drag it within 0.1).
TEST(PointEditRules, OppositeHandleTurnsKeepingItsLength) {
  TDUnit u;
  u.Set3(10, 10, 13, 14, 10, 40);  // handle 2 is 30 long; handle 1 points (3,4)
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "-8,-14");
  u.Set3(0, 0, 0.1f, 0, 0, 40);  // at 0.1 a direction is taken
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "-40,0");
}

// Each point tool pressed through the hit test. While the gesture runs the
// raster holds what it changes; the repaint skips a figure whose bounds miss
// the view, so whatever a point tool reshapes has its bounds recomputed at
// every step of the drag and when it is done, and undo and redo bring back the
// bounds of either side.
TEST_F(PointEditTest, GesturesShowWhatTheyEditAndKeepTheBoundsOfWhatTheyReshape) {
  struct Case {
    const char* worker;  // the tracker the press must reach
    Tool tool;
    OsImgPoint press;
    Points moves;
    std::function<void()> figures;
    Points ink;  // shown after the last move; what such a row drags need not move the bounds
  };
  const auto corner = [&] { Polyline({{2, 2}, {20, 2}, {20, 8}}); };
  const auto farCorner = [&] { Polyline({{44, 30}, {60, 30}, {60, 44}}); };
  const auto straight = [&] { Polyline({{4, 4}, {20, 4}, {36, 4}}); };
  const auto bent = [&] { Unit(*Polyline({{44, 4}, {56, 4}}), 0)->fDirection1.Set(48, 1); };
  // Turned upright, the line keeps the bounds it had lying down.
  const auto turned = [&] { Polyline({{4, 4}, {36, 4}})->Rotate(1.0, 0.0, 20, 4); };
  const auto curve = [&] { Curve(); };
  const auto pickedCurve = [&] { Pick(Curve(), {1}); };
  const auto picked = [&] { Pick(Curve(), {1}), Polyline({{2, 40}, {12, 40}}); };
  const auto pickedLine = [&] { Pick(Polyline({{4, 4}, {12, 4}}), {0}); };
  const auto pickedPair = [&] { pickedLine(), Pick(Polyline({{4, 30}, {20, 30}}), {0}); };
  const Case cases[] = {
      {"TDCDAncer", kWhiteArrow, {4, 4}, {{4, 10}, {2, 16}}, pickedPair, {}},
      {"TDCDAncer", kWhiteArrow, {4, 4}, {{8, 30}}, pickedLine, {{8, 30}, {10, 17}}},    // the marker, on its segment
      {"TDCDLine", kWhiteArrow, {11, 2}, {{11, 20}}, corner, {}},                        // a straight segment
      {"TDCDLine", kWhiteArrow, {52, 30}, {{52, 34}}, farCorner, {{52, 34}, {44, 34}}},  // and both its ends
      {"TDCDLine", kWhiteArrow, {8, 23}, {{8, 30}}, curve, {}},                          // a curved one
      {"TDCDLine", kWhiteArrow, {50, 4}, {{50, 6}}, bent, {{44, 6}, {58, 6}}},  // both ends, one with the segment
      {"TDCDDrec1", kWhiteArrow, {26, 12}, {{30, 2}}, picked, {}},
      {"TDCDDrec1", kWhiteArrow, {26, 12}, {{30, 8}}, pickedCurve, {{30, 8}, {25, 14}}},  // its box, the line to it
      {"TDCDDrec2", kWhiteArrow, {14, 28}, {{10, 40}}, picked, {}},
      {"TDCEAncer", kEditPoint, {20, 4}, {{28, 14}}, straight, {}},
      {"TDCEAncer", kEditPoint, {21, 21}, {}, curve, {}},  // the click alone puts the handles on the press
      {"TDCEDrec1", kEditPoint, {26, 12}, {{30, 2}}, picked, {}},
      {"TDCEDrec1", kEditPoint, {26, 12}, {{34, 4}}, pickedCurve, {{34, 4}}},
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
    const std::vector<std::string> before = Bounds();
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
    const std::vector<std::string> after = Bounds();
    EXPECT_TRUE(after != before || !c.ink.empty()) << "the bounds did not move";
    t->UndoIt();
    EXPECT_EQ(Bounds(), before);
    t->RedoIt();
    EXPECT_EQ(Bounds(), after);
    EXPECT_EQ(StaleBounds(), "");
  }
}

}  // namespace
