// Turning and stretching the selection with the mouse, driven step by step as
// the host's loop drives it. The expected floats were worked out apart from the
// code, with every 32-bit store emulated; the replays cover the same gestures
// through the tools, scaling at zoom 2 among them.

#include <string>

#include "TrackerFixture.h"
#include "trackers/TDCRotate.h"
#include "trackers/TDCScale.h"

namespace {

class TransformTrackersTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fContainer.fCenter = {10, 10};
  }
  void Start(TDCRotate& t, OsImgPoint press) { t.IDCRotate(&fContainer, &fView, &fDocument, press); }
  void Start(TDCScale& t, OsImgPoint press) { t.IDCScale(&fContainer, &fView, &fDocument, press); }
};

// At zoom 2 scrolled to (4, 6), every view point below is half an image pixel
// past a whole one, which the previous point drops: the numbers are those of
// the whole points at 100 %. Each step turns by the angle swept since the one
// before and turns the already turned figure, so two quarters come out a little
// short of a half turn.
TEST_F(TransformTrackersTest, RotationTurnsClockwiseByEachSweepAndUndoBringsBackTheVeryFigures) {
  SetZoom(2, 4, 6);
  TDShape* a = Selected({{20, 10}, {20, 14}});
  TDShape* b = Polyline({{2, 2}, {4, 2}});
  TDCRotate t;
  Start(t, {33, 9});  // 20.5, 10.5
  Gesture g(t);
  g.Press();
  g.MoveTo(13, 29);  // 10.5, 20.5: from the right of the centre to below it
  EXPECT_EQ(Path(0), "open (9.999947,20) (5.999947,19.999979)");
  EXPECT_TRUE(ShownInk(8, 27));  // the turned figure is shown as it turns
  g.MoveTo(-7, 9);               // 0.5, 10.5
  g.Release();
  t.DoIt();
  TDShape* turned = At(0);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(Path(0) + " | " + Path(1), "open (4.2426507e-10,9.999893) (4.2209977e-05,5.999894) | open (2,2) (4,2)");
    t.UndoIt();
    EXPECT_TRUE(Count() == 2 && At(0) == a && At(1) == b);
    EXPECT_EQ(Path(0), "open (20,10) (20,14)");
    t.RedoIt();
    EXPECT_TRUE(Count() == 2 && At(0) == turned && Occurrences(a) + Occurrences(b) == 0);
  }
}

// The diagonal goes through the press point, so the two factors still differ.
// A step the diagonal holds in place scales nothing but is still reported.
// The grid snaps the press and each step first.
TEST_F(TransformTrackersTest, ShiftHoldsTheMouseOnADiagonalThroughThePressNotTheCentre) {
  Selected({{12, 14}, {16, 18}});
  Polyline({{2, 2}, {4, 2}});  // not selected: stays
  TDCScale t;
  Start(t, {14, 12});
  Gesture g(t);
  g.Press();
  SetShift(true);
  g.MoveTo(20, 13);  // wider than high: as far down as right
  EXPECT_EQ(Path(0), "open (15,26) (25,42)");
  EXPECT_EQ(At(0)->fBusy, 1);  // being worked on
  g.MoveTo(10, 20);            // higher than wide: as far left as down
  g.MoveTo(7, 20);
  g.Release();
  EXPECT_EQ(g.fConstrained, (Points{{14, 12}, {20, 18}, {6, 20}, {6, 20}, {6, 20}}));
  EXPECT_EQ(Path(0) + " | " + Path(1), "open (8,30) (4,50) | open (2,2) (4,2)");
  EXPECT_EQ(fReadOut.fPoints, (Points{{14, 12}, {20, 18}, {6, 20}, {6, 20}}));

  fView.fGridOn = true;  // spacing 8
  TDCScale scale;
  TDCRotate rotate;
  Start(scale, {13, 11});
  Start(rotate, {13, 11});
  Gesture s(scale), r(rotate);
  s.MoveTo(35, 13);
  r.MoveTo(3, 13);
  EXPECT_EQ(s.fConstrained, (Points{{32, 24}}));  // 16, 8 on the grid, then the diagonal
  EXPECT_EQ(r.fConstrained, (Points{{0, 16}}));
  // Only moves scale: a release away from the last one leaves the figures.
  const std::string moved = Path(0);
  s.Release(60, 60);
  EXPECT_EQ(Path(0), moved);
}

TEST_F(TransformTrackersTest, NothingSelectedOrNoContainerChangesNothing) {
  TDShape* a = Polyline({{12, 14}, {16, 18}});
  TDCRotate rotate, lone;
  Start(rotate, {14, 12});
  Run(rotate, {{3, 20}});
  EXPECT_EQ(Path(0), "open (12,14) (16,18)");
  OsImgPoint p{14, 12};
  lone.IDCRotate(nullptr, &fView, &fDocument, p);
  Run(lone, {{3, 20}});
  lone.UndoIt();
  rotate.UndoIt();
  EXPECT_TRUE(Count() == 1 && At(0) == a && lone.fActive == 0);
}

}  // namespace
