// The add-point and delete-point trackers, pressed as their tool handlers press
// them. The replays add and delete points end to end, presses that change
// nothing included; here is what they cannot see: which objects the figures
// are across undo and redo, and running out of memory at every allocation.

#include <memory>
#include <string>
#include <type_traits>

#include "trackers/TDCAddPt.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TrackerFixture.h"

namespace {

class PointTrackersTest : public TrackerFixture {
 protected:
  // Pressed as the tool's handler presses: all deselected, then the
  // container's detailed check.
  template <typename T>
  std::unique_ptr<T> Start(OsImgPoint press) {
    fContainer.SelectAll(0);
    TDCheck check{.fFlags = 15, .fTolerance = 4.0f};
    fContainer.CheckDetail(press, &check, 0);
    auto t = std::make_unique<T>();
    if constexpr (std::is_same_v<T, TDCAddPt>)
      t->IDCAddPt(&fContainer, &fView, &fDocument, press, &check);
    else
      t->IDCDelPt(&fContainer, &fView, &fDocument, press, &check);
    return t;
  }
  TDShape* Corner() { return Polyline({{4, 4}, {24, 4}, {24, 20}}); }
};

// Out of memory at each allocation of DoIt in turn (the copy, each of its
// vertices and their entries, the new vertex and its entry): the memory
// exception, with the document as it was to the bit; the tracker, destroyed as
// the host drops the gesture, frees its copy and not the figure. Once done,
// undo and redo exchange the very figures, the one brought back last in the
// drawing order, only the one with the new point selected.
TEST_F(PointTrackersTest, AddPointOutOfMemoryAnywhereInDoItChangesNothing) {
  TDShape* x = Polyline({{2, 30}, {8, 30}});
  TDShape* f = Corner();
  TDShape* y = Polyline({{40, 30}, {50, 30}});
  std::unique_ptr<TDCAddPt> t;
  const auto press = [&] {
    t = Start<TDCAddPt>({14, 4});
    Gesture g(*t);
    g.Press();
    g.Release();
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

// Out of memory at each allocation of the press's copy in turn: the memory
// exception before the tracker holds anything of the document's, which its
// destruction then leaves alone. DoIt, undo and redo need no memory at all.
TEST_F(PointTrackersTest, DeletePointOutOfMemoryForTheCopyThrowsAtThePress) {
  TDShape* f = Corner();
  Start<TDCDelPt>({24, 4});  // selects the figure, as each press below does before its copy
  std::unique_ptr<TDCDelPt> t;
  EXPECT_EQ(FailuresBeforeSuccess([&] { t = Start<TDCDelPt>({24, 4}); }), 1 + 3 * 2);
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
