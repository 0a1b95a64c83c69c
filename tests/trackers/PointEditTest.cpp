// The white arrow and the edit-point tool: anchors, segments and handles dragged
// through the dispatchers, each undone and redone, and pressed with too little
// memory. The replays cover the gestures end to end; here are the arithmetic
// that would break silently and the failure paths.

#include <memory>
#include <string>
#include <vector>

#include "TrackerFixture.h"
#include "model/TDCheck.h"
#include "trackers/TDCDAncer.h"
#include "trackers/TDCDDrec.h"
#include "trackers/TDCDLine.h"
#include "trackers/TDCDirect.h"
#include "trackers/TDCEAncer.h"
#include "trackers/TDCEDrec.h"

namespace {

// A whole document as text: every figure's path, markers, selection and smooth
// flags, in list order.
std::string Document(const TObjectContainer& c) {
  std::string out;
  for (BPosition pos = c.GetHeadPosition(); pos != nullptr;) {
    const auto* s = static_cast<const TDShape*>(c.GetNext(pos));
    out += PathText(*s) + " [" + States(*s) + "] " + std::to_string(s->fSelected) + " smooth ";
    for (int i = 0; i < s->UnitCount(); ++i) out += std::to_string(Unit(*s, i)->fSmooth);
    out += "\n";
  }
  return out;
}

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
  TDCheck Hit(OsImgPoint p, int keep = 0) {
    TDCheck check;
    check.fFlags = 15;
    check.fTolerance = 4.0f;
    fContainer.CheckDetail(p, &check, keep);
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
  std::string Doc() const { return Document(fContainer); }
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
           {{100, 106}, {94, 106}},   // no x offset counts as leftwards
           {{106, 100}, {106, 94}},   // nor a y offset as downwards
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

// ---- White arrow: anchors ----

// Every picked vertex of both selected figures moves by the same image offset,
// half the view movement at zoom 2, on copies; undo brings the very figures back.
TEST_F(PointEditTest, PickedAnchorsOfTwoFiguresMoveTogetherAtZoomTwo) {
  SetZoom(2);
  TDShape* a = Polyline({{2, 2}, {6, 2}});
  TDShape* b = Polyline({{10, 10}, {14, 10}, {12, 16}});
  Pick(*a, {0});
  Pick(*b, {0, 2});
  auto t = Direct({20, 20});
  ASSERT_NE(dynamic_cast<TDCDAncer*>(t->fSub), nullptr);
  Run(*t, {{24, 21}, {30, 25}});
  EXPECT_EQ(Doc(),
            "open (7,4.5) (6,2) [31] 1 smooth 11\n"
            "open (15,12.5) (14,10) (17,18.5) [313] 1 smooth 111\n");
  EXPECT_TRUE(At(0) != a && At(1) != b);
  EXPECT_EQ(At(0)->fBusy + At(1)->fBusy, 0);
  t->UndoIt();
  EXPECT_TRUE(At(0) == a && At(1) == b);
  EXPECT_EQ(Doc(),
            "open (2,2) (6,2) [31] 1 smooth 11\n"
            "open (10,10) (14,10) (12,16) [313] 1 smooth 111\n");
  t->RedoIt();
  EXPECT_EQ(PathText(*At(1)), "open (15,12.5) (14,10) (17,18.5)");
}

TEST_F(PointEditTest, UnpickedAnchorIsPickedAloneAndMovesAloneUnderTheShiftLock) {
  TDShape* a = Polyline({{2, 2}, {6, 2}});
  TDShape* b = Polyline({{10, 10}, {20, 10}});
  Pick(*a, {0});
  Pick(*b, {0});
  auto t = Direct({20, 10});
  Gesture g(*t);
  g.Press();
  g.MoveTo(21, 11);
  SetShift(true);
  g.MoveTo(30, 13);  // wider than high: y stays on the press
  g.Release();
  t->DoIt();
  EXPECT_EQ(Doc(),
            "open (2,2) (6,2) [00] 0 smooth 11\n"
            "open (10,10) (30,10) [13] 1 smooth 11\n");
}

// ---- White arrow: handles ----

TEST_F(PointEditTest, HandleOneOfASmoothVertexTurnsHandleTwoKeepingItsLength) {
  TDShape* s = Curve();
  Pick(*s, {1});
  auto t = Direct({26, 12});
  ASSERT_NE(dynamic_cast<TDCDDrec1*>(t->fSub), nullptr);
  Run(*t, {{24, 23}});  // handle 1 now 5 long towards (4,3); handle 2 was 10 long
  EXPECT_EQ(PointText(Unit(*s, 1)->fDirection1), "24,23");
  EXPECT_EQ(PointText(Unit(*s, 1)->fDirection2), "12,14");
  t->UndoIt();
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 26,12 14,28) (40,20)");
  EXPECT_EQ(States(*s), "131");
  t->RedoIt();
  EXPECT_EQ(PointText(Unit(*s, 1)->fDirection1), "24,23");
}

TEST_F(PointEditTest, HandleOneBroughtOntoTheAnchorLeavesHandleTwo) {
  TDShape* s = Curve();
  Pick(*s, {1});
  auto t = Direct({26, 12});
  Run(*t, {{28, 26}, {20, 20}});
  // The step to (28,26) turned handle 2; the step onto the anchor did not.
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 20,20 12,14) (40,20)");
}

TEST_F(PointEditTest, HandleTwoOfASmoothVertexMirrorsHandleOneExactly) {
  TDShape* s = Curve();
  Pick(*s, {1});
  auto t = Direct({14, 28});
  ASSERT_NE(dynamic_cast<TDCDDrec2*>(t->fSub), nullptr);
  Run(*t, {{11, 23}});
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 29,17 11,23) (40,20)");
}

// After the edit-point tool has moved a handle the vertex is a corner, and the
// white arrow then moves either handle alone.
TEST_F(PointEditTest, EditedHandleMakesACornerWhoseHandlesMoveAlone) {
  TDShape* s = Curve();
  Pick(*s, {1});
  auto edit = Edit({26, 12});
  ASSERT_NE(dynamic_cast<TDCEDrec1*>(edit->fSub), nullptr);
  EXPECT_EQ(s->fBusy, 1);
  Run(*edit, {{30, 10}});
  EXPECT_EQ(s->fBusy, 0);
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 30,10 14,28) (40,20)");
  EXPECT_EQ(Unit(*s, 1)->fSmooth, 0);
  auto arrow = Direct({14, 28});
  Run(*arrow, {{10, 30}});
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 30,10 10,30) (40,20)");
  arrow->UndoIt();
  edit->UndoIt();
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 26,12 14,28) (40,20)");
  EXPECT_EQ(Unit(*s, 1)->fSmooth, 1);
  edit->RedoIt();
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 30,10 14,28) (40,20)");
  EXPECT_EQ(Unit(*s, 1)->fSmooth, 0);
}

// ---- White arrow: segments ----

// A straight segment moves with the mouse, both ends with their handles, on a
// copy that goes to the end of the list; undo puts the figure back, also last.
TEST_F(PointEditTest, StraightSegmentMovesItsTwoVerticesOnACopyAtTheEnd) {
  SetZoom(2);
  TDShape* s = Polyline({{2, 2}, {10, 2}, {10, 8}});
  TDShape* other = Polyline({{20, 20}, {24, 20}});
  auto t = Direct({12, 4});
  auto* sub = dynamic_cast<TDCDLine*>(t->fSub);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->fSegmentKind, TDCDLine::kStraight);
  EXPECT_EQ(States(*At(1)), "451");
  Run(*t, {{15, 8}, {18, 10}});
  EXPECT_TRUE(At(0) == other && At(1) != s);
  EXPECT_EQ(PathText(*At(1)), "open (5,5) (13,5) (10,8)");
  t->UndoIt();
  EXPECT_TRUE(At(0) == other && At(1) == s);
  EXPECT_EQ(PathText(*s), "open (2,2) (10,2) (10,8)");
  t->RedoIt();
  EXPECT_EQ(PathText(*At(1)), "open (5,5) (13,5) (10,8)");
}

// A curved segment is reshaped: each handle is stretched by how much nearer
// or farther the mouse is from the other anchor; from an anchor nothing moves.
TEST_F(PointEditTest, CurvedSegmentStretchesItsHandlesByTheMouseDistances) {
  auto* s = new TDShape;
  s->SetContainer(&fContainer);
  s->AddUnit(0, 0, 0, 12, 0, 0, 1, 0, 20, TDUnit::kHidden);
  s->AddUnit(24, 0, 24, 0, 24, 12, 1, 0, 20, TDUnit::kHidden);
  fContainer.AddObject(s);
  auto t = Direct({12, 9});  // the curve's middle
  auto* sub = dynamic_cast<TDCDLine*>(t->fSub);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->fSegmentKind, TDCDLine::kCurved);
  Gesture g(*t);
  g.Press();
  g.MoveTo(12, 16);  // 15 -> 20 from each anchor: both handles * 20/15
  EXPECT_EQ(PathText(*At(0)), "open (0,0 0,16 0,0) (24,0 24,0 24,16)");
  g.MoveTo(24, 0);   // onto anchor B: handle 1 collapses, handle 2 * 24/20
  g.MoveTo(30, 6);   // from an anchor no ratio is taken
  EXPECT_EQ(PointText(Unit(*At(0), 0)->fDirection1), "0,0");
  EXPECT_EQ(PointText(Unit(*At(0), 1)->fDirection2), "24,19.2");
  g.Release();
  t->DoIt();
  t->UndoIt();
  EXPECT_TRUE(At(0) == s);
}

// ---- Edit point ----

TEST_F(PointEditTest, EditPointPullsMirroredHandlesOutOfACornerOnACopyInPlace) {
  SetZoom(2);
  TDShape* a = Polyline({{2, 2}, {10, 2}, {10, 8}});
  TDShape* b = Polyline({{20, 20}, {24, 20}});
  Unit(*a, 1)->fSmooth = 0;
  auto click = Edit({20, 4});
  Run(*click, {});
  ASSERT_NE(At(0), a);
  EXPECT_EQ(Doc(),
            "open (2,2) (10,2) (10,8) [131] 1 smooth 111\n"
            "open (20,20) (24,20) [00] 0 smooth 11\n");
  click->UndoIt();
  EXPECT_TRUE(At(0) == a && At(1) == b);
  EXPECT_EQ(Unit(*a, 1)->fSmooth, 0);

  auto drag = Edit({20, 4});
  Gesture g(*drag);
  g.Press();
  g.MoveTo(30, 8);
  SetShift(true);
  g.MoveTo(30, 8);   // (10,4) on the diagonal: (10,10)
  g.Release();
  drag->DoIt();
  EXPECT_EQ(PathText(*At(0)), "open (2,2) (10,2 15,7 5,-3) (10,8)");
  EXPECT_EQ(g.fConstrained.back(), (OsImgPoint{30, 14}));
}

// The press is snapped to the grid before the handles are pulled out of it.
TEST_F(PointEditTest, EditPointSnapsThePressToTheGrid) {
  fView.fGridOn = true;  // spacing 8
  Polyline({{21, 21}, {40, 24}});
  auto t = Edit({22, 22});
  Run(*t, {});
  EXPECT_EQ(PathText(*At(0)), "open (21,21 24,24 24,24) (40,24)");
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
}

// The edit-point tool moves a handle only when the mouse moves, and undo gives
// the vertex back its marker as it was.
TEST_F(PointEditTest, EditedHandleStaysForAClickAndUndoRestoresItsMarker) {
  TDShape* s = Curve();
  Pick(*s, {});
  s->SetUnitState(TDUnit::kHandle1, Unit(*s, 1));
  auto t = Edit({27, 13});
  Run(*t, {});
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 26,12 14,28) (40,20)");
  EXPECT_EQ(States(*s), "131");
  t->UndoIt();
  EXPECT_EQ(States(*s), "141");
}

// A sub-tracker given no hit does nothing at any step and leaves nothing to
// free.
TEST_F(PointEditTest, SubTrackersWithoutAHitDoNothing) {
  TDShape* s = Curve();
  Pick(*s, {1});
  const std::string before = Doc();
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
  EXPECT_EQ(Doc(), before);
}

// ---- Failures ----

// A hit the tool does not take makes no sub-tracker, and the gesture is no step.
TEST_F(PointEditTest, EditPointOnASegmentDoesNothingAndIsNoStep) {
  Polyline({{2, 2}, {20, 2}});
  auto t = Edit({10, 2});
  EXPECT_EQ(t->fSub, nullptr);
  Run(*t, {{14, 6}});
  EXPECT_EQ(t->fActive, 0);
  EXPECT_EQ(t->CanBeUndone(), 0);
  t->UndoIt();
  EXPECT_EQ(PathText(*At(0)), "open (2,2) (20,2)");
}

// Each gesture that copies runs out of memory at every allocation in turn:
// the memory exception comes before anything changes, and nothing leaks.
TEST_F(PointEditTest, EveryCopyingGestureRaisesBeforeAnyChange) {
  TDShape* s = Curve();
  Polyline({{2, 40}, {12, 40}});
  Pick(*s, {1});
  struct Press {
    const char* what;
    OsImgPoint at;
    bool edit;
  };
  for (const Press& p : std::vector<Press>{{"anchors", {20, 20}, false},
                                           {"segment", {7, 40}, false},
                                           {"edit anchor", {20, 20}, true},
                                           {"edit handle", {26, 12}, true}}) {
    int n = 0;
    for (;; ++n) {
      // The handler's hit test selects what it hits before the tracker exists.
      OsImgPoint at = p.at;
      TDCheck check = Hit(at);
      const std::string before = Doc();
      OsFailAllocationsAfter(n);
      try {
        if (p.edit) {
          TDCEdit().IDCEdit(&fContainer, &fView, &fDocument, at, &check);
        } else {
          TDCDirect().IDCDirect(&fContainer, &fView, &fDocument, at, &check);
        }
        break;
      } catch (const CMemoryException&) {
        OsFailAllocationsAfter(-1);
        ASSERT_EQ(Doc(), before) << p.what << " " << n;
        ASSERT_EQ(At(0), s);
      }
    }
    OsFailAllocationsAfter(-1);
    EXPECT_GT(n, 0) << p.what;
    // Back to the document as it was, for the next kind of press.
    while (Count() > 0) fContainer.Delete(fContainer.GetHeadPosition());
    s = Curve();
    Polyline({{2, 40}, {12, 40}});
    Pick(*s, {1});
  }
}

// Undo that needs memory raises before it changes anything, and can be asked
// again.
TEST_F(PointEditTest, UndoWithoutMemoryChangesNothing) {
  TDShape* s = Curve();
  TDShape* line = Polyline({{2, 40}, {12, 40}});
  Pick(*s, {1});
  auto handle = Edit({26, 12});
  Run(*handle, {{30, 8}});
  auto seg = Direct({7, 40});
  Run(*seg, {{9, 42}});
  const std::string after = Doc();
  OsFailAllocationsAfter(0);
  EXPECT_THROW(seg->UndoIt(), CMemoryException);
  EXPECT_THROW(handle->UndoIt(), CMemoryException);
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(Doc(), after);
  seg->UndoIt();
  handle->UndoIt();
  EXPECT_TRUE(At(0) == s && At(1) == line);
  EXPECT_EQ(PathText(*s), "open (0,20) (20,20 26,12 14,28) (40,20)");
}

}  // namespace
