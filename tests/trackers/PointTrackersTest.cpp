// The add-point and delete-point trackers, pressed as their tool handlers press
// them. The replays add and delete points end to end; here is what they cannot
// see: which objects the figures are across undo and redo, presses that must
// change nothing, and running out of memory at every allocation.

#include <memory>
#include <string>
#include <type_traits>
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
    TDCheck check{.fFlags = TDCheck::kSegments | TDCheck::kAnchor | TDCheck::kDirection1 | TDCheck::kDirection2,
                  .fTolerance = 4.0f};
    fContainer.CheckDetail(p, &check, 0);
    return check;
  }
  template <typename T>
  std::unique_ptr<T> Start(TDCheck check, OsImgPoint press = {0, 0}) {
    auto t = std::make_unique<T>();
    if constexpr (std::is_same_v<T, TDCAddPt>)
      t->IDCAddPt(&fContainer, &fView, &fDocument, press, &check);
    else
      t->IDCDelPt(&fContainer, &fView, &fDocument, press, &check);
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
};

// Out of memory at each allocation of DoIt in turn (the copy, each of its
// vertices and their entries, the new vertex and its entry): the memory
// exception, with the document as it was to the bit; the tracker, destroyed as
// the host drops the gesture, frees its copy and not the figure. Once done,
// undo and redo exchange the very figures, the one brought back last in the
// drawing order, only the one with the new point selected.
TEST_F(PointTrackersTest, AddPointOutOfMemoryAnywhereInDoItChangesNothing) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  const OsImgPoint press{14, 4};
  Hit(press);
  const std::string before = Document();
  int n = 0;
  std::unique_ptr<TDCAddPt> t;
  for (;; ++n) {
    t = Start<TDCAddPt>(Hit(press), press);
    Gesture g(*t);
    g.Press();
    g.Release();
    if (!RunsOutOfMemory(n, [&] { t->DoIt(); })) break;
    EXPECT_TRUE(Document() == before && t->fCopy == nullptr) << n;
    t.reset();
    EXPECT_EQ(Document(), before) << n;
  }
  EXPECT_EQ(n, 1 + 3 * 2 + 2);
  // The press's first pixel in the hit box is the 6th of the edge's 20: t = 0.3.
  TDShape* copy = At(2);
  EXPECT_EQ(PathText(*copy), "open (4,4) (10,4) (24,4) (24,20)");
  for (int round = 0; round < 2; ++round) {
    t->UndoIt();
    EXPECT_TRUE(At(0) == x && At(1) == y && At(2) == f && Occurrences(copy) == 0);
    EXPECT_EQ(Selection() + " " + States(*f), "000 000");
    t->RedoIt();
    EXPECT_TRUE(At(0) == x && At(1) == y && At(2) == copy && Occurrences(f) == 0);
    EXPECT_EQ(Selection() + " " + States(*copy), "001 2222");
  }
}

// Add point on the last anchor of an open figure, which starts no segment;
// delete point on a segment or a handle, where the press turns the gesture
// inactive without a repaint; delete point on a figure's only vertex (which no
// press can hit), which is never deleted.
TEST_F(PointTrackersTest, PressesWithNothingToChangeAreNoStep) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  Unit(*f, 1)->Set3(24, 4, 34, 4, 14, 10);
  TDShape* lone = Polyline({{40, 30}});
  auto added = Start<TDCAddPt>(Hit({24, 20}), {24, 20});
  Run(*added, {});
  ExpectNoStep(std::move(added), Document());  // the destruction must not free the figure
  const std::vector<TDCheck> checks{Hit({14, 4}), Record(f, 1, TDCheck::kDirection1),
                                    Record(f, 1, TDCheck::kDirection2)};
  ASSERT_EQ(checks[0].fResult, TDCheck::kSegment);
  const std::string before = Document();
  for (const TDCheck& check : checks) {
    auto t = Start<TDCDelPt>(check);
    EXPECT_TRUE(t->fTarget == nullptr && t->fCopy == nullptr && t->fActive == 1);
    Gesture g(*t);
    const int repaints = fRepaints;
    EXPECT_EQ(g.Press(), t.get());
    EXPECT_EQ(fRepaints, repaints);
    g.Release(30, 30);
    t->DoIt();
    ExpectNoStep(std::move(t), before);
  }
  auto t = Start<TDCDelPt>(Record(lone, 0, TDCheck::kAnchor));
  Run(*t, {});
  ExpectNoStep(std::move(t), before);
}

// Out of memory at each allocation of the press's copy in turn: the memory
// exception before the tracker holds anything of the document's, which its
// destruction then leaves alone. DoIt, undo and redo need no memory at all.
TEST_F(PointTrackersTest, DeletePointOutOfMemoryForTheCopyThrowsAtThePress) {
  TDShape* f = Polyline({{4, 4}, {24, 4}, {24, 20}});
  const OsImgPoint press{24, 4};
  Hit(press);
  const std::string before = Document();
  int n = 0;
  std::unique_ptr<TDCDelPt> t;
  for (;; ++n) {
    TDCheck check = Hit(press);
    OsImgPoint p = press;
    t = std::make_unique<TDCDelPt>();
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
