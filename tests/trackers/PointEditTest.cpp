// The white arrow and the edit-point tool. The replays drag anchors, segments
// and handles end to end; here are which objects the figures are across undo,
// the arithmetic that would break silently, what a gesture shows and reports
// while it runs, the bounds of what the point tools reshape, presses that must
// do nothing, and running out of memory.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TrackerFixture.h"
#include "model/TDCheck.h"
#include "trackers/TDCAddPt.h"
#include "trackers/TDCDAncer.h"
#include "trackers/TDCDDrec.h"
#include "trackers/TDCDLine.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TDCDirect.h"
#include "trackers/TDCEAncer.h"
#include "trackers/TDCEDrec.h"

namespace {

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
  TDCheck Hit(OsImgPoint p) {
    TDCheck check;
    check.fFlags = 15;
    check.fTolerance = 4.0f;
    fContainer.CheckDetail(p, &check, 0);
    return check;
  }
  std::unique_ptr<TDCDirect> Direct(OsImgPoint p) {
    auto t = std::make_unique<TDCDirect>();
    TDCheck check = Hit(p);
    t->IDCDirect(&fContainer, &fView, &fDocument, p, &check);
    return t;
  }
  std::unique_ptr<TDCEdit> Edit(OsImgPoint p) {
    auto t = std::make_unique<TDCEdit>();
    TDCheck check = Hit(p);
    t->IDCEdit(&fContainer, &fView, &fDocument, p, &check);
    return t;
  }
  // Picks vertices as the point rectangle would.
  static void Pick(TDShape& s, std::initializer_list<int> indexes) {
    s.SetSelect(1, 1, 1);
    for (int i : indexes) s.SetUnitState(TDUnit::kBothHandles, Unit(s, i));
  }
  // The curve with its smooth vertex picked and a line under it.
  TDShape* CurveAndLine() {
    fContainer.DeleteAll();
    TDShape* s = Curve();
    Polyline({{2, 40}, {12, 40}});
    Pick(*s, {1});
    return s;
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

// ---- Constraints ----

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

// Handle 2 turns to stay opposite handle 1 and keeps its length; a handle 1
// that gives no direction leaves it alone.
TEST(PointEditRules, OppositeHandleTurnsKeepingItsLengthUnlessHandleOneIsOnTheAnchor) {
  TDUnit u;
  u.Set3(10, 10, 13, 14, 10, 40);  // handle 2 is 30 long; handle 1 points (3,4)
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "-8,-14");
  u.Set3(10, 10, 10.05f, 10.05f, 10, 40);  // within 0.1 of the anchor
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "10,40");
  u.Set3(0, 0, 0.1f, 0, 0, 40);  // at 0.1 a direction is taken
  TurnOppositeHandle(u);
  EXPECT_EQ(PointText(u.fDirection2), "-40,0");
}

// ---- White arrow ----

// A straight segment moves with the mouse, both ends with their handles, on a
// copy that goes to the end of the list; undo puts the figure back, also last.
TEST_F(PointEditTest, StraightSegmentMovesItsTwoVerticesOnACopyAtTheEnd) {
  SetZoom(2);
  TDShape* s = Polyline({{2, 2}, {10, 2}, {10, 8}});
  TDShape* other = Polyline({{20, 20}, {24, 20}});
  auto t = Direct({12, 4});
  auto* sub = dynamic_cast<TDCDLine*>(t->fSub);
  ASSERT_TRUE(sub != nullptr && sub->fSegmentKind == TDCDLine::kStraight);
  Run(*t, {{15, 8}, {18, 10}});
  EXPECT_TRUE(At(0) == other && At(1) != s);
  EXPECT_EQ(PathText(*At(1)), "open (5,5) (13,5) (10,8)");
  EXPECT_EQ(At(1)->fBusy, 0);  // no longer being worked on
  t->UndoIt();
  EXPECT_TRUE(At(0) == other && At(1) == s);
  EXPECT_EQ(PathText(*s), "open (2,2) (10,2) (10,8)");
  t->RedoIt();
  EXPECT_EQ(PathText(*At(1)), "open (5,5) (13,5) (10,8)");
}

// Pulled by its second handle, a smooth vertex puts the first one opposite;
// Shift keeps the handle on the axis of its larger movement.
TEST_F(PointEditTest, HandleTwoOfASmoothVertexPutsHandleOneOppositeAndShiftKeepsItsAxis) {
  TDShape* s = CurveAndLine();
  auto t = Direct({14, 28});
  ASSERT_NE(dynamic_cast<TDCDDrec2*>(t->fSub), nullptr);
  SetShift(true);
  Run(*t, {{10, 29}});
  SetShift(false);
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 30,12 10,28) (40,20)");
}

// ---- Edit point ----

// The press is snapped to the grid before the handles are pulled out of it.
TEST_F(PointEditTest, EditPointAndWhiteArrowSnapToTheGrid) {
  fView.fGridOn = true;  // spacing 8
  Polyline({{21, 21}, {40, 24}});
  auto t = Edit({22, 22});
  ASSERT_NE(dynamic_cast<TDCEAncer*>(t->fSub), nullptr);
  Run(*t, {});
  EXPECT_EQ(PathText(*At(0)), "open (21,21 24,24 24,24) (40,24)");
  // Undo brings back the figure as it was, and it reaches the screen.
  fShown.clear();
  t->UndoIt();
  EXPECT_EQ(PathText(*At(0)), "open (21,21) (40,24)");
  EXPECT_FALSE(fShown.empty());
  // The white arrow snaps the moves too.
  auto d = Direct({40, 24});
  Run(*d, {{45, 37}});
  EXPECT_EQ(PathText(*At(0)), "open (21,21) (48,40)");
}

// The edit-point tool keeps the figure busy while it moves a handle, moves it
// only when the mouse moves, and undo gives the vertex back its marker.
TEST_F(PointEditTest, EditedHandleStaysForAClickAndUndoRestoresItsMarker) {
  TDShape* s = Curve();
  Pick(*s, {});
  s->SetUnitState(TDUnit::kHandle1, Unit(*s, 1));
  auto t = Edit({27, 13});
  ASSERT_NE(dynamic_cast<TDCEDrec1*>(t->fSub), nullptr);
  EXPECT_EQ(s->fBusy, 1);
  Run(*t, {});
  EXPECT_EQ(s->fBusy, 0);
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 26,12 14,28) (40,20)");
  EXPECT_EQ(States(*s), "131");
  t->UndoIt();
  EXPECT_EQ(States(*s), "141");
}

// A handle moved with the edit-point tool reports nothing of its own: the
// read-out hears from the dispatcher, at the press and at every move.
TEST_F(PointEditTest, DispatcherReportsThePressAndEachMove) {
  TDShape* s = Curve();
  Pick(*s, {1});
  auto t = Edit({26, 12});
  Run(*t, {{30, 8}});
  EXPECT_EQ(fReadOut.fPoints, (Points{{26, 12}, {30, 8}}));
  ASSERT_EQ(fReadOut.fSizes.size(), 2u);
  EXPECT_EQ(fReadOut.fSizes[1].cx, 4);
  EXPECT_EQ(fReadOut.fSizes[1].cy, -4);
  EXPECT_EQ(fReadOut.fSizeClears, 1);  // when it is done
}

// Between repaints the raster holds what the gesture is changing: the picked
// vertices dragged, or the vertex whose handle moves, with its handles.
TEST_F(PointEditTest, FeedbackShowsWhatIsBeingEdited) {
  TDShape* a = Polyline({{4, 4}, {12, 4}});
  Pick(*a, {0});
  auto anchors = Direct({4, 4});
  Gesture g(*anchors);
  g.Press();
  g.MoveTo(8, 30);
  EXPECT_TRUE(ShownInk(8, 30));   // the moved anchor's marker
  EXPECT_TRUE(ShownInk(10, 17));  // on its segment
  g.Release();
  anchors->DoIt();

  TDShape* s = Curve();
  Pick(*s, {1});
  auto handle = Direct({26, 12});
  Gesture h(*handle);
  h.Press();
  h.MoveTo(30, 8);
  EXPECT_TRUE(ShownInk(30, 8));   // handle 1's box
  EXPECT_TRUE(ShownInk(25, 14));  // the line from the anchor to it
  h.Release();
  handle->DoIt();

  auto edit = Edit({30, 8});
  Gesture e(*edit);
  e.Press();
  e.MoveTo(34, 4);
  EXPECT_TRUE(ShownInk(34, 4));
  e.Release();
  edit->DoIt();

  Polyline({{44, 30}, {60, 30}, {60, 44}});
  auto segment = Direct({52, 30});
  Gesture d(*segment);
  d.Press();
  d.MoveTo(52, 34);
  EXPECT_TRUE(ShownInk(52, 34) && ShownInk(44, 34));  // the segment and both its ends
  d.Release();
  segment->DoIt();

  TDShape* bent = Polyline({{44, 4}, {56, 4}});
  Unit(*bent, 0)->fDirection1.Set(48, 1);
  auto curve = Direct({50, 4});
  ASSERT_NE(dynamic_cast<TDCDLine*>(curve->fSub), nullptr);
  Gesture c(*curve);
  c.Press();
  c.MoveTo(50, 6);
  EXPECT_TRUE(ShownInk(44, 6) && ShownInk(58, 6));  // both ends, the near one with the segment
}

// ---- Bounds ----

// The repaint skips a figure whose bounds miss the view: whatever a point tool
// reshapes has its bounds recomputed at every step of the drag and when the
// gesture is done, and undo and redo bring back the bounds of either side.
TEST_F(PointEditTest, ReshapedFiguresGetTheirBoundsAndUndoAndRedoExchangeThem) {
  enum Tool { kWhiteArrow, kEditPoint, kAddPoint, kDeletePoint };
  struct Case {
    const char* worker;  // the tracker the press must reach
    Tool tool;
    OsImgPoint press;
    Points moves;
    std::function<void()> figures;
  };
  const auto pickedPair = [&] {
    Pick(*Polyline({{4, 4}, {12, 4}}), {0});
    Pick(*Polyline({{4, 30}, {20, 30}}), {0});
  };
  const auto corner = [&] { Polyline({{2, 2}, {20, 2}, {20, 8}}); };
  const auto straight = [&] { Polyline({{4, 4}, {20, 4}, {36, 4}}); };
  // Turned upright, the line keeps the bounds it had lying down.
  const auto turned = [&] { Polyline({{4, 4}, {36, 4}})->Rotate(1.0, 0.0, 20, 4); };
  const auto curve = [&] { Curve(); };
  const auto picked = [&] { CurveAndLine(); };
  const Case cases[] = {
      {"TDCDAncer", kWhiteArrow, {4, 4}, {{4, 10}, {2, 16}}, pickedPair},
      {"TDCDLine", kWhiteArrow, {11, 2}, {{11, 20}}, corner},  // a straight segment
      {"TDCDLine", kWhiteArrow, {8, 23}, {{8, 30}}, curve},    // a curved one
      {"TDCDDrec1", kWhiteArrow, {26, 12}, {{30, 2}}, picked},
      {"TDCDDrec2", kWhiteArrow, {14, 28}, {{10, 40}}, picked},
      {"TDCEAncer", kEditPoint, {20, 4}, {{28, 14}}, straight},
      {"TDCEAncer", kEditPoint, {21, 21}, {}, curve},  // the click alone puts the handles on the press
      {"TDCEDrec1", kEditPoint, {26, 12}, {{30, 2}}, picked},
      {"TDCEDrec2", kEditPoint, {14, 28}, {{10, 40}}, picked},
      {"TDCAddPt", kAddPoint, {20, 4}, {}, turned},
      {"TDCDelPt", kDeletePoint, {20, 8}, {}, corner},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.worker) + " from " + std::to_string(c.press.x) + "," + std::to_string(c.press.y));
    fContainer.DeleteAll();
    c.figures();
    OsImgPoint press = c.press;
    TDCheck check = Hit(press);
    std::unique_ptr<TDCBase> t;
    if (c.tool == kWhiteArrow) t = Direct(press);
    if (c.tool == kEditPoint) t = Edit(press);
    if (c.tool == kAddPoint) {
      auto add = std::make_unique<TDCAddPt>();
      add->IDCAddPt(&fContainer, &fView, &fDocument, press, &check);
      t = std::move(add);
    }
    if (c.tool == kDeletePoint) {
      auto del = std::make_unique<TDCDelPt>();
      del->IDCDelPt(&fContainer, &fView, &fDocument, press, &check);
      t = std::move(del);
    }
    const auto* dispatch = dynamic_cast<const TDCPointDispatch*>(t.get());
    const CObject* worker = dispatch != nullptr ? dispatch->fSub : t.get();
    ASSERT_NE(worker, nullptr);
    EXPECT_STREQ(worker->GetRuntimeClass()->m_lpszClassName, c.worker);
    const std::vector<std::string> before = Bounds();
    Gesture g(*t);
    g.Press();
    for (const OsImgPoint& p : c.moves) {
      g.MoveTo(p.x, p.y);
      EXPECT_EQ(StaleBounds(), "") << "while dragged to " << p.x << "," << p.y;
    }
    g.Release();
    t->DoIt();
    EXPECT_EQ(StaleBounds(), "");
    const std::vector<std::string> after = Bounds();
    EXPECT_NE(after, before);
    t->UndoIt();
    EXPECT_EQ(Bounds(), before);
    t->RedoIt();
    EXPECT_EQ(Bounds(), after);
    EXPECT_EQ(StaleBounds(), "");
  }
}

// ---- Presses that do nothing, and memory ----

// A sub-tracker given no hit does nothing at any step and leaves nothing to
// free.
TEST_F(PointEditTest, SubTrackersWithoutAHitDoNothing) {
  TDShape* s = Curve();
  Pick(*s, {1});
  const std::string before = Document();
  std::vector<std::unique_ptr<TDCDCommand>> subs;
  OsImgPoint p{20, 20};
  auto add = [&](auto* sub, auto init) {
    subs.emplace_back(sub);
    (sub->*init)(&fContainer, &fView, &fDocument, p, nullptr);
  };
  add(new TDCDAncer, &TDCDAncer::IDCDAncer);
  add(new TDCDDrec1, &TDCDDrec1::IDCDDrec1);
  add(new TDCDDrec2, &TDCDDrec2::IDCDDrec2);
  add(new TDCDLine, &TDCDLine::IDCDLine);
  add(new TDCEAncer, &TDCEAncer::IDCEAncer);
  add(new TDCEDrec1, &TDCEDrec1::IDCEDrec1);
  add(new TDCEDrec2, &TDCEDrec2::IDCEDrec2);
  for (auto& sub : subs) {
    Gesture g(*sub);
    g.Press();
    g.MoveTo(30, 30);
    g.Release();
    sub->DoIt();
    sub->UndoIt();
    sub->RedoIt();
  }
  EXPECT_EQ(Document(), before);
}

// Undo that needs memory raises before it changes anything, and can be asked
// again.
TEST_F(PointEditTest, UndoWithoutMemoryChangesNothing) {
  TDShape* s = CurveAndLine();
  TDShape* line = At(1);
  auto handle = Edit({26, 12});
  Run(*handle, {{30, 8}});
  auto seg = Direct({7, 40});
  Run(*seg, {{9, 42}});
  const std::string after = Document();
  OsFailAllocationsAfter(0);
  EXPECT_THROW(seg->UndoIt(), CMemoryException);
  EXPECT_THROW(handle->UndoIt(), CMemoryException);
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(Document(), after);
  seg->UndoIt();
  handle->UndoIt();
  EXPECT_TRUE(At(0) == s && At(1) == line);
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 26,12 14,28) (40,20)");
}

}  // namespace
