// The add-point and delete-point trackers, pressed as their tool handlers press
// them: what the copy of the figure becomes, where it goes, what undo and redo
// bring back, the presses that find nothing to do, figures deleted down to one
// vertex, and running out of memory at every allocation. The replays add and
// delete points end to end; here are the exact numbers and the edges.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "BHistory.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDMuLine.h"
#include "model/TDRectangle.h"
#include "module/ModuleFixture.h"
#include "trackers/TDCAddPt.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TrackerFixture.h"

namespace {

// Everything of a figure that a dump shows, exactly.
std::string Describe(const TDShape& s) {
  std::string out = std::string(s.GetRuntimeClass()->m_lpszClassName) + (s.fOpen ? " open" : " closed") +
                    " sel " + std::to_string(s.fSelected) + " busy " + std::to_string(s.fBusy) + " [" +
                    std::to_string(s.fBounds.left) + " " + std::to_string(s.fBounds.top) + " " +
                    std::to_string(s.fBounds.right) + " " + std::to_string(s.fBounds.bottom) + "]";
  for (int i = 0; i < s.UnitCount(); ++i) {
    const TDUnit* u = Unit(s, i);
    out += " (" + PointText(u->fAnchor) + " " + PointText(u->fDirection1) + " " + PointText(u->fDirection2) +
           " s" + std::to_string(u->fSteps) + " m" + std::to_string(u->fSmooth) + " st" +
           std::to_string(u->fState) + " " + std::to_string(u->fSelected) + ")";
  }
  return out;
}

// The figures of a list, each as which object it is and all of it.
std::string Listing(const BList& list) {
  std::string out;
  for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) {
    const CObject* item = list.GetNext(pos);
    out += std::to_string(reinterpret_cast<std::uintptr_t>(item)) + " " +
           Describe(*static_cast<const TDShape*>(item)) + "\n";
  }
  return out;
}

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
  // A record of a segment hit at t, or of a vertex part, made by hand.
  static TDCheck Record(TDShape* s, int unit, int result, float t = 0.0f) {
    TDCheck check;
    check.fShape = s;
    check.fUnit = Unit(*s, unit);
    check.fResult = result;
    check.fParam = t;
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
  std::string Document() const { return Listing(fContainer); }
  std::vector<const CObject*> Order() const {
    std::vector<const CObject*> out;
    for (int i = 0; i < Count(); ++i) out.push_back(At(i));
    return out;
  }
};

// ---- Add point ----

// Halfway along a straight top edge: the new anchor is midway, the edge's two
// vertices keep their points, and the new vertex has smooth 1 with the steps
// and state of the edge's start vertex.
TEST_F(PointTrackersTest, AddPointHalfwayOnAStraightSegmentPutsTheAnchorMidwayAndKeepsTheShape) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}, {4, 20}}, true);
  Unit(*f, 0)->fSteps = 7;
  Unit(*f, 0)->fSmooth = 0;
  Unit(*f, 0)->SetState(TDUnit::kBothHandles);
  auto t = StartAdd(Record(f, 0, TDCheck::kSegment, 0.5f));
  Run(*t, {{30, 30}});
  ASSERT_EQ(Count(), 1);
  TDShape* copy = At(0);
  EXPECT_TRUE(copy != f && t->fCopy == copy && t->fTarget == f);
  EXPECT_EQ(PathText(*copy), "closed (4,4) (14,4) (24,4) (24,20) (4,20)");
  EXPECT_EQ(PathText(*f), "closed (4,4) (24,4) (24,20) (4,20)");
  const TDUnit* added = Unit(*copy, 1);
  EXPECT_EQ(std::vector<int>({added->fSmooth, added->fSteps, added->fState, added->fSelected}),
            std::vector<int>({1, 7, TDUnit::kBothHandles, 1}));
  EXPECT_EQ(Unit(*copy, 0)->fSmooth, 0);
}

// A curve split at t = 0.5 by de Casteljau, in exact numbers: the handles of
// the split segment's ends are shortened, the new vertex gets the two middle
// points as its handles, and the steps of both halves are recomputed.
TEST_F(PointTrackersTest, AddPointOnACurveSplitsItByDeCasteljau) {
  auto* f = new TDShape;
  f->SetContainer(&fContainer);
  f->AddUnit(8, 4, 8, 36, 8, 4, 1, 0, 20, TDUnit::kFilled);
  f->AddUnit(40, 4, 40, 4, 40, 36, 1, 0, 20, TDUnit::kFilled);
  f->AddUnit(56, 4, 56, 4, 56, 4, 1, 0, 0, TDUnit::kFilled);
  fContainer.AddObject(f);
  const TDFloatPoint middle = BezierPoint(*Unit(*f, 0), *Unit(*f, 1), 0.5f);
  auto t = StartAdd(Record(f, 0, TDCheck::kSegment, 0.5f));
  Run(*t, {});
  EXPECT_EQ(PathText(*At(0)), "open (8,4 8,20 8,4) (24,28 32,28 16,28) (40,4 40,4 40,20) (56,4)");
  EXPECT_EQ(PointText(middle), "24,28");  // on the curve as it was
  EXPECT_EQ(std::vector<int>({Unit(*At(0), 0)->fSteps, Unit(*At(0), 1)->fSteps, Unit(*At(0), 2)->fSteps}),
            std::vector<int>({2, 2, 20}));
}

// The segment from the last vertex back to the first: the new vertex goes to
// the front of the list.
TEST_F(PointTrackersTest, AddPointOnTheClosingSegmentInsertsAtTheFrontOfTheList) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}}, true);
  auto t = StartAdd(Record(f, 2, TDCheck::kSegment, 0.5f));
  Run(*t, {});
  EXPECT_EQ(PathText(*At(0)), "closed (14,12) (4,4) (24,4) (24,20)");
}

// The last anchor of an open figure starts no segment: nothing to split. The
// figure stays in the container untouched, nothing is copied or freed, and the
// gesture is no undoable step.
TEST_F(PointTrackersTest, AddPointOnTheLastVertexOfAnOpenFigureChangesNothingAndIsNoStep) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  auto t = Add({24, 20});
  const std::string after = Document();
  EXPECT_EQ(t->fTarget, f);
  EXPECT_TRUE(t->fActive == 0 && t->CanBeUndone() == 0 && t->fCopy == nullptr && t->fOwnsTarget == 0);
  t->UndoIt();
  t->RedoIt();
  EXPECT_EQ(Document(), after);
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,4) (24,20)");
  t.reset();  // must not free the figure in the container
  EXPECT_EQ(Document(), after);
}

// The figure under construction is finished when it leaves the container, so
// that nothing goes on building a figure that is not shown.
TEST_F(PointTrackersTest, AddPointOnTheFigureUnderConstructionFinishesIt) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  fContainer.fDrawing = f;
  auto t = Add({14, 4});
  EXPECT_EQ(fContainer.fDrawing, nullptr);
  t->UndoIt();
  EXPECT_EQ(At(0), f);
}

// Add point does not snap: the press point and the steps stay where they are.
TEST_F(PointTrackersTest, AddPointDoesNotSnapToTheGrid) {
  TDShape* f = Polyline({{4, 4}, {24, 4}});
  fView.fGridOn = true;
  TDCheck check = Record(f, 0, TDCheck::kSegment, 0.5f);
  OsImgPoint press{13, 5};
  TDCAddPt t;
  t.IDCAddPt(&fContainer, &fView, &fDocument, press, &check);
  EXPECT_EQ(t.GetAnchor(), (OsImgPoint{13, 5}));
  Gesture g(t);
  g.Press();
  g.MoveTo(17, 9);
  g.Release();
  EXPECT_EQ(g.fConstrained, (Points{{13, 5}, {17, 9}, {17, 9}}));
}

// Undo and redo exchange the very figures: the one brought back is always
// last in the drawing order. The figure with the new point keeps the press's
// selection; the figure as it was comes back unselected.
TEST_F(PointTrackersTest, AddPointUndoAndRedoExchangeTheVeryFiguresLastInOrder) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  auto t = Add({14, 4});
  TDShape* copy = t->fCopy;
  EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, copy}));
  EXPECT_EQ(Selection(), "001");
  EXPECT_EQ(States(*copy), "2222");
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
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  const OsImgPoint press{14, 4};
  Hit(press);
  const std::string before = Document();
  int n = 0;
  for (;; ++n) {
    auto t = StartAdd(Hit(press), press);
    Gesture g(*t);
    g.Press();
    g.Release();
    ASSERT_EQ(Document(), before);
    OsFailAllocationsAfter(n);
    bool threw = false;
    try {
      t->DoIt();
    } catch (const CMemoryException&) {
      threw = true;
    }
    OsFailAllocationsAfter(-1);
    if (!threw) break;
    EXPECT_EQ(Document(), before) << n;
    EXPECT_EQ(t->fCopy, nullptr) << n;
    t.reset();
    EXPECT_EQ(Document(), before) << n;
    EXPECT_EQ(At(1), f);
  }
  // The figure, three vertices with an entry each, the new vertex and its entry.
  EXPECT_EQ(n, 1 + 3 * 2 + 2);
  EXPECT_EQ(PathText(*At(1)), "open (4,4) (10,4) (24,4) (24,20)");
}

// ---- Delete point ----

TEST_F(PointTrackersTest, DeletePointRemovesTheVertexFromACopyOfTheOpenFigure) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}, {44, 20}});
  auto t = Del({24, 5});
  ASSERT_EQ(Count(), 1);
  EXPECT_TRUE(At(0) == t->fCopy && t->fTarget == f && Occurrences(f) == 0);
  EXPECT_EQ(PathText(*At(0)), "open (4,4) (24,20) (44,20)");
  EXPECT_EQ(PathText(*f), "open (4,4) (24,4) (24,20) (44,20)");
  Del({4, 4});
  EXPECT_EQ(PathText(*At(0)), "open (24,20) (44,20)");
}

// Undo brings the figure back selected, redo the copy as it was; the figure
// brought back is always last in the drawing order.
TEST_F(PointTrackersTest, DeletePointUndoAndRedoExchangeTheVeryFiguresAndUndoSelects) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}}, true);
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  auto t = Del({24, 20});
  TDShape* copy = t->fCopy;
  EXPECT_EQ(Order(), (std::vector<const CObject*>{x, y, copy}));
  EXPECT_EQ(Selection(), "001");
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

// Segment and handle hits: the figure is hit (and selected by the check) but
// there is no vertex to delete. The press turns the gesture inactive; undo and
// redo of it change nothing; a history does not keep it, so that an earlier
// step stays the next to undo and the redo branch survives.
TEST_F(PointTrackersTest, DeletePointOnASegmentOrAHandleChangesNothingAndIsNoStep) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  Unit(*f, 1)->Set3(24, 4, 34, 4, 14, 10);
  BHistory history;
  auto deleted = Del({24, 20});
  TDShape* copy = deleted->fCopy;
  history.Keep(deleted.release());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(At(0), f);
  const std::string before = Document();
  for (const TDCheck& check : {Hit({14, 4}), Record(f, 1, TDCheck::kDirection1), Record(f, 1, TDCheck::kDirection2)}) {
    auto t = StartDel(check);
    EXPECT_TRUE(t->fTarget == nullptr && t->fCopy == nullptr && t->fActive == 1);
    Gesture g(*t);
    const int repaints = fRepaints;
    EXPECT_EQ(g.Press(), t.get());
    EXPECT_EQ(fRepaints, repaints);
    g.MoveTo(30, 30);
    g.Release();
    t->DoIt();
    EXPECT_TRUE(t->fActive == 0 && t->CanBeUndone() == 0);
    t->UndoIt();
    t->RedoIt();
    EXPECT_EQ(Document(), before);
    history.Keep(t.release());
    EXPECT_EQ(history.UndoLabels(), std::vector<int>{});
    EXPECT_EQ(history.RedoLabels(), std::vector<int>{TDCBase::kDeletePoint});
  }
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(At(0), copy);
}

TEST_F(PointTrackersTest, DeletePointSnapsThePressAndTheDragToTheGrid) {
  Polyline({{8, 8}, {24, 8}});
  fView.fGridOn = true;  // spacing 8
  OsImgPoint press{9, 7};
  TDCheck check = Hit(press);
  TDCDelPt t;
  t.IDCDelPt(&fContainer, &fView, &fDocument, press, &check);
  EXPECT_EQ(press, (OsImgPoint{8, 8}));
  OsImgPoint anchor = press, previous = press, next = press;
  t.TrackMouse(kTrackBegin, anchor, previous, next, 1);
  EXPECT_EQ(next, (OsImgPoint{8, 8}));
  next = {13, 19};
  t.TrackMouse(kTrackContinue, anchor, previous, next, 1);
  EXPECT_EQ(next, (OsImgPoint{16, 16}));
  next = {21, 3};
  t.TrackMouse(kTrackEnd, anchor, previous, next, 1);
  EXPECT_EQ(next, (OsImgPoint{24, 0}));
  t.DoIt();
  EXPECT_EQ(PathText(*At(0)), "open (24,8)");
}

// Deleted down to one vertex, open and closed: the figure is drawn (its marker
// only), never hit nor picked by a rectangle, bounds to nothing, and every
// container operation of the other tools goes over it; its last vertex cannot
// be pressed, so the tool can go no further.
TEST_F(PointTrackersTest, DeletePointDownToOneVertexLeavesAFigureEverythingHandles) {
  for (const bool closed : {false, true}) {
    fContainer.DeleteAll();
    Polyline({{4, 4}, {24, 4}, {24, 20}}, closed);
    std::vector<std::unique_ptr<TDCDelPt>> steps;
    steps.push_back(Del({24, 20}));
    steps.push_back(Del({4, 4}));
    TDShape* s = At(0);
    ASSERT_EQ(PathText(*s), std::string(closed ? "closed" : "open") + " (24,4)");
    EXPECT_EQ(Selection() + " " + States(*s), "1 2");
    ClearRaster();
    EXPECT_TRUE(s->DrawAll());
    EXPECT_EQ(InkCount(), 25);  // the filled marker box
    EXPECT_TRUE(s->Draw(TDShape::kDrawPath, 1, nullptr, 0));
    fContainer.Draw({0, 0, 64, 48});
    fContainer.ActiveDraw();
    OsImgRect bounds;
    s->CalcBounds(bounds);
    EXPECT_EQ(bounds, TDShape::kNoBounds);
    TDCheck check = Hit({24, 4});
    EXPECT_EQ(check.fResult, TDCheck::kNothing);
    EXPECT_EQ(fContainer.Check({24, 4}, 0), 0);
    fContainer.SelectInRect({0, 0, 64, 48}, 0);
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
  const std::string before = Document();
  auto t = StartDel(Record(f, 0, TDCheck::kAnchor));
  Run(*t, {});
  EXPECT_TRUE(t->fActive == 0 && t->CanBeUndone() == 0 && t->fCopy == nullptr);
  t->UndoIt();
  EXPECT_EQ(Document(), before);
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
    OsFailAllocationsAfter(n);
    bool threw = false;
    try {
      t->IDCDelPt(&fContainer, &fView, &fDocument, p, &check);
    } catch (const CMemoryException&) {
      threw = true;
    }
    OsFailAllocationsAfter(-1);
    if (!threw) break;
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
  std::string Figures() const { return Listing(*container()); }
  TObjectContainer* container() const { return sketch->fContainer; }
  std::vector<std::unique_ptr<BCommand>> posted;
};

// Every allocation of a point tool's press in turn fails: for add point the
// tracker only (the copy is DoIt's, above), for delete point the tracker and
// then each of its copy's. Each raises the memory exception with nothing
// posted and the figures as they were (the press's own deselection and hit
// selection aside, which a warm-up press has already made); the dispatch
// destroys the tracker, which leaves the figure alone. The press after that
// works.
TEST_F(PointToolPresses, PressesOutOfMemoryPostNothingAndLeakNothing) {
  Rect(2, 1, 12, 6);
  for (const auto& [tool, press, allocations] : {std::tuple{12, OsImgPoint{7, 1}, 1},
                                                 // the tracker, the copy, its vertices and entries
                                                 std::tuple{13, OsImgPoint{12, 6}, 1 + 1 + 4 * 2}}) {
    gModuleInterface.DoToolChange(static_cast<short>(tool), 1);
    OsImgPoint p = press;
    gModuleInterface.DoMouseCommandL(p, 0);
    posted.clear();  // dropped unperformed, as a host drops a second gesture
    const std::string before = Figures();
    int n = 0;
    for (;; ++n) {
      p = press;
      OsFailAllocationsAfter(n);
      bool threw = false;
      try {
        gModuleInterface.DoMouseCommandL(p, 0);
      } catch (const CMemoryException&) {
        threw = true;
      }
      OsFailAllocationsAfter(-1);
      if (!threw) break;
      EXPECT_TRUE(posted.empty()) << tool << " " << n;
      EXPECT_EQ(Figures(), before) << tool << " " << n;
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
