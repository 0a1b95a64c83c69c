// The add-point and delete-point trackers, pressed as their tool handlers press
// them. The replays add and delete points end to end; here is what they cannot
// see: which objects the figures are across undo and redo, the exact split,
// the grid, presses that must change nothing, figures deleted down to one
// vertex, and running out of memory at every allocation.

#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "container/TObjectContainer.h"
#include "model/TDRectangle.h"
#include "module/ModuleFixture.h"
#include "trackers/TDCAddPt.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TrackerFixture.h"

namespace {

class PointTrackersTest : public TrackerFixture {
 protected:
  // The point tools' hit test of the press, as their handlers make it: all
  // deselected, then the container's detailed check.
  TDCheck Hit(OsImgPoint p) {
    fContainer.SelectAll(0);
    TDCheck check;
    check.fFlags = TDCheck::kSegments | TDCheck::kAnchor | TDCheck::kDirection1 | TDCheck::kDirection2;
    check.fTolerance = 4.0f;
    fContainer.CheckDetail(p, &check, 0);
    return check;
  }
  std::unique_ptr<TDCAddPt> StartAdd(TDCheck check, OsImgPoint press = {0, 0}) {
    auto t = std::make_unique<TDCAddPt>();
    t->IDCAddPt(&fContainer, &fView, &fDocument, press, &check);
    return t;
  }
  std::unique_ptr<TDCDelPt> StartDel(TDCheck check, OsImgPoint press = {0, 0}) {
    auto t = std::make_unique<TDCDelPt>();
    t->IDCDelPt(&fContainer, &fView, &fDocument, press, &check);
    return t;
  }
  // Pressed and released where the tool handler would have started them.
  std::unique_ptr<TDCAddPt> Add(OsImgPoint p) {
    auto t = StartAdd(Hit(p), p);
    Run(*t, {});
    return t;
  }
  std::unique_ptr<TDCDelPt> Del(OsImgPoint p) {
    auto t = StartDel(Hit(p), p);
    Run(*t, {});
    return t;
  }
  // A gesture that must be no step: inactive with nothing to undo, and its
  // undo, redo and destruction leave the document as it was.
  template <typename T>
  void ExpectNoStep(std::unique_ptr<T> t, const std::string& before) {
    EXPECT_TRUE(t->fActive == 0 && t->CanBeUndone() == 0 && t->fCopy == nullptr && t->fOwnsTarget == 0);
    t->UndoIt();
    t->RedoIt();
    t.reset();
    EXPECT_EQ(Document(), before);
  }
  std::vector<const CObject*> Order() const {
    std::vector<const CObject*> out;
    for (int i = 0; i < Count(); ++i) out.push_back(At(i));
    return out;
  }
};

// ---- Add point ----

// The new vertex has smooth 1 with the steps and state of its segment's start;
// on the closing segment it goes to the front of the list.
TEST_F(PointTrackersTest, AddPointOnAStraightSegmentGivesTheNewVertexItsStartsStepsAndState) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}, {4, 20}}, true);
  Unit(*f, 0)->fSteps = 7;
  Unit(*f, 0)->fSmooth = 0;
  Unit(*f, 0)->SetState(TDUnit::kBothHandles);
  auto t = StartAdd(Record(f, 0, TDCheck::kSegment, 0.5f));
  Run(*t, {{30, 30}});
  ASSERT_TRUE(Count() == 1 && At(0) == t->fCopy && t->fTarget == f);
  EXPECT_EQ(PathText(*At(0)), "closed (4,4) (14,4) (24,4) (24,20) (4,20)");
  EXPECT_EQ(Details(*At(0)), "7/301 7/311 0/010 0/010 0/010");
  auto closing = StartAdd(Record(At(0), 4, TDCheck::kSegment, 0.5f));
  Run(*closing, {});
  EXPECT_EQ(PathText(*At(0)), "closed (4,12) (4,4) (14,4) (24,4) (24,20) (4,20)");
}

// The last anchor of an open figure starts no segment: nothing to split. The
// figure stays in the container untouched, nothing is copied or freed, and the
// gesture is no undoable step.
TEST_F(PointTrackersTest, AddPointOnTheLastVertexOfAnOpenFigureChangesNothingAndIsNoStep) {
  Polyline({{4, 4}, {24, 4}, {24, 20}});
  auto t = Add({24, 20});
  ExpectNoStep(std::move(t), Document());  // the destruction must not free the figure
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,4) (24,20)");
}

// Add point does not snap: the press point and the steps stay where they are.
TEST_F(PointTrackersTest, AddPointDoesNotSnapToTheGrid) {
  TDShape* f = Polyline({{4, 4}, {24, 4}});
  fView.fGridOn = true;
  auto t = StartAdd(Record(f, 0, TDCheck::kSegment, 0.5f), {13, 5});
  EXPECT_EQ(t->GetAnchor(), (OsImgPoint{13, 5}));
  Gesture g(*t);
  g.Press();
  g.MoveTo(17, 9);
  g.Release();
  EXPECT_EQ(g.fConstrained, (Points{{13, 5}, {17, 9}, {17, 9}}));
}

// Undo and redo exchange the very figures: the one brought back is always
// last in the drawing order. The figure with the new point keeps the press's
// selection; the figure as it was comes back unselected. The figure under
// construction is finished as it leaves the container, so that nothing goes
// on building a figure that is not shown.
TEST_F(PointTrackersTest, AddPointUndoAndRedoExchangeTheVeryFiguresLastInOrder) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  fContainer.fDrawing = f;
  auto t = Add({14, 4});
  EXPECT_EQ(fContainer.fDrawing, nullptr);
  TDShape* copy = t->fCopy;
  EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, copy}));
  for (int round = 0; round < 3; ++round) {
    const int repaints = fRepaints;
    t->UndoIt();
    EXPECT_EQ(fRepaints, repaints + 1);
    EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, f}));
    EXPECT_TRUE(t->fTarget == copy && t->fCopy == f && Occurrences(copy) == 0);
    EXPECT_EQ(Selection() + " " + States(*f), "000 000");
    t->RedoIt();
    EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, copy}));
    EXPECT_TRUE(t->fTarget == f && t->fCopy == copy && Occurrences(f) == 0);
    EXPECT_EQ(Selection() + " " + States(*copy), "001 2222");
  }
  // The press's first pixel in the hit box is the 6th of the edge's 20: t = 0.3.
  EXPECT_EQ(PathText(*copy), "open (4,4) (10,4) (24,4) (24,20)");
}

// Out of memory at each allocation of DoIt in turn (the copy, each of its
// vertices and their entries, the new vertex and its entry): the memory
// exception, with the document as it was to the bit; the tracker, destroyed
// as the host drops the gesture, frees its copy and not the figure.
TEST_F(PointTrackersTest, AddPointOutOfMemoryAnywhereInDoItThrowsWithTheDocumentUntouched) {
  Polyline({{2, 30}, {8, 30}});
  Polyline({{4, 4}, {24, 4}, {24, 20}});
  const OsImgPoint press{14, 4};
  Hit(press);
  const std::string before = Document();
  int n = 0;
  for (;; ++n) {
    auto t = StartAdd(Hit(press), press);
    Gesture g(*t);
    g.Press();
    g.Release();
    if (!RunsOutOfMemory(n, [&] { t->DoIt(); })) break;
    EXPECT_EQ(Document(), before) << n;
    EXPECT_EQ(t->fCopy, nullptr) << n;
    t.reset();
    EXPECT_EQ(Document(), before) << n;
  }
  // The figure, three vertices with an entry each, the new vertex and its entry.
  EXPECT_EQ(n, 1 + 3 * 2 + 2);
  EXPECT_EQ(PathText(*At(1)), "open (4,4) (10,4) (24,4) (24,20)");
}

// ---- Delete point ----

// Undo brings the figure back selected, redo the copy as it was; the figure
// brought back is always last in the drawing order.
TEST_F(PointTrackersTest, DeletePointUndoAndRedoExchangeTheVeryFiguresAndUndoSelects) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}}, true);
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  auto t = Del({24, 20});
  TDShape* copy = t->fCopy;
  EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, copy}));
  EXPECT_EQ(PathText(*f), "closed (4,4) (24,4) (24,20)");
  f->SetSelect(0, 1, 0);  // nothing the user can do, but undo must select it
  for (int round = 0; round < 3; ++round) {
    t->UndoIt();
    EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, f}));
    EXPECT_TRUE(t->fTarget == copy && t->fCopy == f);
    EXPECT_EQ(Selection() + " " + States(*f), "001 222");
    t->RedoIt();
    EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, copy}));
    EXPECT_TRUE(t->fTarget == f && t->fCopy == copy);
    EXPECT_EQ(Selection() + " " + States(*copy), "001 22");
  }
}

// Segment and handle hits: the figure is hit but there is no vertex to
// delete. The press turns the gesture inactive without a repaint, and it is
// no step: undo and redo of it change nothing.
TEST_F(PointTrackersTest, DeletePointOnASegmentOrAHandleChangesNothingAndIsNoStep) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  Unit(*f, 1)->Set3(24, 4, 34, 4, 14, 10);
  const std::vector<TDCheck> checks{Hit({14, 4}), Record(f, 1, TDCheck::kDirection1),
                                    Record(f, 1, TDCheck::kDirection2)};
  ASSERT_EQ(checks[0].fResult, TDCheck::kSegment);
  const std::string before = Document();
  for (const TDCheck& check : checks) {
    auto t = StartDel(check);
    EXPECT_TRUE(t->fTarget == nullptr && t->fCopy == nullptr && t->fActive == 1);
    Gesture g(*t);
    const int repaints = fRepaints;
    EXPECT_EQ(g.Press(), t.get());
    EXPECT_EQ(fRepaints, repaints);
    g.Release(30, 30);
    t->DoIt();
    ExpectNoStep(std::move(t), before);
  }
}

TEST_F(PointTrackersTest, DeletePointSnapsThePressAndTheDragToTheGrid) {
  Polyline({{8, 8}, {24, 8}});
  fView.fGridOn = true;  // spacing 8
  OsImgPoint press{9, 7};
  TDCheck check = Hit(press);
  TDCDelPt t;
  t.IDCDelPt(&fContainer, &fView, &fDocument, press, &check);
  EXPECT_EQ(press, (OsImgPoint{8, 8}));
  OsImgPoint anchor = press, previous = press;
  for (auto [phase, next, snapped] : {std::tuple{kTrackBegin, press, press},
                                      {kTrackContinue, OsImgPoint{13, 19}, OsImgPoint{16, 16}},
                                      {kTrackEnd, OsImgPoint{21, 3}, OsImgPoint{24, 0}}}) {
    t.TrackMouse(phase, anchor, previous, next, 1);
    EXPECT_EQ(next, snapped) << phase;
  }
  t.DoIt();
  EXPECT_EQ(PathText(*At(0)), "open (24,8)");
}

// Deleted down to one vertex, open and closed: the figure is never hit nor
// picked by a rectangle, and every container operation of the other tools
// goes over it.
TEST_F(PointTrackersTest, DeletePointDownToOneVertexLeavesAFigureEverythingHandles) {
  for (const bool closed : {false, true}) {
    fContainer.DeleteAll();
    Polyline({{4, 4}, {24, 4}, {24, 20}}, closed);
    std::vector<std::unique_ptr<TDCDelPt>> steps;
    steps.push_back(Del({24, 20}));
    steps.push_back(Del({4, 4}));
    TDShape* s = At(0);
    ASSERT_EQ(PathText(*s), std::string(closed ? "closed" : "open") + " (24,4)");
    EXPECT_TRUE(s->Draw(TDShape::kDrawPath, 1, nullptr, 0));
    fContainer.Draw({0, 0, 64, 48});
    fContainer.ActiveDraw();
    EXPECT_EQ(Hit({24, 4}).fResult, TDCheck::kNothing);
    fContainer.SelectInRect({0, 0, 64, 48}, 1);
    EXPECT_EQ(Selection(), "0");
    fContainer.SelectAll(1);
    fContainer.CalcActArea();
    fContainer.CalcActRgn();
    OsImgPoint* trace = nullptr;
    int count = 0;
    fContainer.GetTraceList(&trace, &count);
    std::free(trace);
    fContainer.DragSelected(0, {2, 2});
    EXPECT_TRUE(s->Rotate(0.0, 1.0, 0, 0) && s->Scale(2.0, 0, 0));
    BList clones;
    fContainer.CloneSelected(&clones);
    ASSERT_EQ(clones.GetCount(), 1);
    EXPECT_EQ(PathText(*static_cast<TDShape*>(clones.GetItemFromIndex(1))), PathText(*s));
    // Back through both steps to the figure as it was.
    fContainer.SelectAll(0);
    steps[1]->UndoIt();
    steps[0]->UndoIt();
    EXPECT_EQ(At(0)->UnitCount(), 3);
  }
}

// A figure is never left without a vertex: its only vertex (which no press can
// hit) is not deleted, and such a gesture is no step.
TEST_F(PointTrackersTest, DeletePointNeverDeletesTheOnlyVertex) {
  TDShape* f = Polyline({{4, 4}});
  auto t = StartDel(Record(f, 0, TDCheck::kAnchor));
  Run(*t, {});
  ExpectNoStep(std::move(t), Document());
}

// Out of memory at each allocation of the press's copy in turn: the memory
// exception before the tracker holds anything of the document's, which its
// destruction then leaves alone. DoIt, undo and redo need no memory at all.
TEST_F(PointTrackersTest, DeletePointOutOfMemoryForTheCopyThrowsAtThePressWithTheDocumentUntouched) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  const OsImgPoint press{24, 4};
  Hit(press);
  const std::string before = Document();
  int n = 0;
  std::unique_ptr<TDCDelPt> t;
  for (;; ++n) {
    t = std::make_unique<TDCDelPt>();
    TDCheck check = Hit(press);
    OsImgPoint p = press;
    if (!RunsOutOfMemory(n, [&] { t->IDCDelPt(&fContainer, &fView, &fDocument, p, &check); })) break;
    EXPECT_TRUE(t->fTarget == nullptr && t->fCopy == nullptr) << n;
    t.reset();
    EXPECT_EQ(Document(), before) << n;
  }
  EXPECT_EQ(n, 1 + 3 * 2);  // the figure, and each vertex with its entry
  Gesture g(*t);
  g.Press();
  g.Release();
  OsFailAllocationsAfter(0);
  t->DoIt();
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,20)");
  t->UndoIt();
  EXPECT_EQ(At(0), f);
  t->RedoIt();
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,20)");
}

// ---- Through the module's press dispatch ----

class PointToolPresses : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    view.OsSetPost([this](BCommand* c) { posted.emplace_back(c); });
    gActiveView = &view;
  }
  void TearDown() override {
    OsFailAllocationsAfter(-1);
    posted.clear();
    ModuleFixture::TearDown();
  }
  TObjectContainer* container() const { return sketch->fContainer; }
  std::vector<std::unique_ptr<BCommand>> posted;
};

// Every allocation of a point tool's press in turn fails: the memo of the
// selection the press takes first (itself and two arrays), then for add point the tracker
// only (the copy is DoIt's, above), for delete point the tracker and then each
// of its copy's. Each raises the memory exception with nothing posted and the
// figures as they were; the dispatch destroys the tracker, which leaves the
// figure alone. The press after that works.
TEST_F(PointToolPresses, PressesOutOfMemoryPostNothingAndLeakNothing) {
  Rect(2, 1, 12, 6);
  for (const auto& [tool, press, allocations] : {std::tuple{12, OsImgPoint{7, 1}, 3 + 1},
                                                 // the memo, the tracker, the copy, its vertices and entries
                                                 std::tuple{13, OsImgPoint{12, 6}, 3 + 1 + 1 + 4 * 2}}) {
    gModuleInterface.DoToolChange(static_cast<short>(tool), 1);
    OsImgPoint p = press;
    gModuleInterface.DoMouseCommandL(p, 0);
    posted.clear();  // dropped unperformed, as a host drops a second gesture
    const std::string before = Listing(*container());
    int n = 0;
    for (;; ++n) {
      p = press;
      if (!RunsOutOfMemory(n, [&] { gModuleInterface.DoMouseCommandL(p, 0); })) break;
      EXPECT_TRUE(posted.empty()) << tool << " " << n;
      EXPECT_EQ(Listing(*container()), before) << tool << " " << n;
    }
    EXPECT_EQ(n, allocations) << tool;
    ASSERT_EQ(posted.size(), 1u);
    auto* t = dynamic_cast<TDCBase*>(posted[0].get());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetChangeID(), tool == 12 ? TDCBase::kAddPoint : TDCBase::kDeletePoint);
    EXPECT_EQ(t->fTarget, container()->GetItemFromIndex(1));
    posted.clear();
  }
}

}  // namespace
