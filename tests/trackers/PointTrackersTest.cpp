// The add-point and delete-point trackers, pressed as their tool handlers press
// them. The replays add and delete points end to end; here is what they cannot
// see: which objects the figures are across undo and redo, presses that must
// change nothing, and running out of memory at every allocation.

#include <memory>
#include <string>
#include <utility>
#include <vector>

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
  // Pressed and released where the tool handler would have started it.
  std::unique_ptr<TDCAddPt> Add(OsImgPoint p) {
    auto t = StartAdd(Hit(p), p);
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

// ---- Presses that change nothing ----

// Presses with nothing to change: add point on the last anchor of an open
// figure, which starts no segment; delete point on a segment or a handle, where
// the press turns the gesture inactive without a repaint; delete point on a
// figure's only vertex (which no press can hit), which is never deleted. None
// of them is a step: undo, redo and destruction leave the document alone.
TEST_F(PointTrackersTest, PressesWithNothingToChangeAreNoStep) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  Unit(*f, 1)->Set3(24, 4, 34, 4, 14, 10);
  TDShape* lone = Polyline({{40, 30}});
  auto added = Add({24, 20});
  ExpectNoStep(std::move(added), Document());  // the destruction must not free the figure
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
  auto t = StartDel(Record(lone, 0, TDCheck::kAnchor));
  Run(*t, {});
  ExpectNoStep(std::move(t), before);
}

// ---- Delete point ----

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

}  // namespace
