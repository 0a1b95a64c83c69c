// Turning and stretching the selection with the mouse, driven step by step as
// the host's loop drives it. The expected floats were worked out apart from the
// code, with every 32-bit store emulated; the replays cover the same gestures
// through the tools.

#include <string>

#include "TrackerFixture.h"
#include "trackers/TDCRotate.h"
#include "trackers/TDCScale.h"

namespace {

constexpr const char* kUntouched = "open (12,14) (16,18)";

class TransformTrackersTest : public TrackerFixture {
 protected:
  TDShape* Selected(std::initializer_list<TDFloatPoint> points) {
    TDShape* s = Polyline(points);
    s->SetSelect(1, 1, 0);
    return s;
  }
  std::string Path(int index) const { return PathText(*At(index)); }
  void Start(TDCRotate& t, OsImgPoint press) { t.IDCRotate(&fContainer, &fView, &fDocument, press); }
  void Start(TDCScale& t, OsImgPoint press) { t.IDCScale(&fContainer, &fView, &fDocument, press); }

  // A fresh selected figure transformed by a gesture given in image points: at
  // zoom 1 as they are, otherwise as the view points of a view scrolled to
  // (4, 6), `half` pixels further on.
  template <typename T>
  std::string Transformed(float zoom, OsImgPoint press, const Points& moves, int half = 0) {
    fContainer.DeleteAll();
    SetZoom(zoom, zoom == 1 ? 0.0f : 4.0f, zoom == 1 ? 0.0f : 6.0f);
    Selected({{12, 14}, {16, 18}});
    const auto view = [&](OsImgPoint p) {
      if (zoom == 1) return p;
      return OsImgPoint{static_cast<int>((p.x - 4) * zoom) + half, static_cast<int>((p.y - 6) * zoom) + half};
    };
    T t;
    Start(t, view(press));
    Points steps;
    for (const OsImgPoint& p : moves) steps.push_back(view(p));
    Run(t, steps);
    return Path(0);
  }
};

// Each step turns by the angle swept since the step before, so the second
// quarter turn starts from where the first left the mouse, and turns the
// already turned figure: two quarters come out a little short of a half turn.
TEST_F(TransformTrackersTest, RotationTurnsClockwiseByEachSweepAndUndoBringsBackTheVeryFigures) {
  fContainer.fCenter = {10, 10};
  TDShape* a = Selected({{20, 10}, {20, 14}});
  TDShape* b = Polyline({{2, 2}, {4, 2}});
  TDCRotate t;
  Start(t, {20, 10});
  EXPECT_EQ(t.GetChangeID(), TDCBase::kRotate);
  Gesture g(t);
  g.Press();
  g.MoveTo(10, 20);  // from the right of the centre to below it
  EXPECT_EQ(Path(0), "open (9.999947,20) (5.999947,19.999979)");
  g.MoveTo(0, 10);
  g.Release();
  t.DoIt();
  TDShape* turned = At(0);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(Path(0) + " | " + Path(1),
              "open (4.2426507e-10,9.999893) (4.2209977e-05,5.999894) | open (2,2) (4,2)");
    t.UndoIt();
    EXPECT_TRUE(Count() == 2 && At(0) == a && At(1) == b);
    EXPECT_EQ(Path(0), "open (20,10) (20,14)");
    t.RedoIt();
    EXPECT_TRUE(Count() == 2 && At(0) == turned && Occurrences(a) + Occurrences(b) == 0);
  }
}

// Every step starts again from the figures of the press: the second is not
// applied on top of the first.
TEST_F(TransformTrackersTest, ScalingStretchesEachAxisAsThePressPointMovesAndMirrorsAcrossTheCentre) {
  fContainer.fCenter = {10.25f, 9.75f};
  TDShape* a = Selected({{12, 14}, {16, 18}});
  Unit(*a, 0)->fDirection1 = {14, 16};
  Polyline({{2, 2}, {4, 2}});
  TDCScale t;
  Start(t, {14, 12});
  EXPECT_EQ(t.GetChangeID(), TDCBase::kScale);
  EXPECT_EQ(At(0)->fBusy * 2 + At(1)->fBusy, 2);  // the selection only
  Gesture g(t);
  g.Press();
  g.MoveTo(17, 3);  // 1.8 as wide; across the centre's row, 3 as high upside down
  EXPECT_EQ(Path(0), "open (13.4,-3 17,-9 13.4,-3) (20.6,-15)");
  g.MoveTo(6, 8);  // across both lines
  g.Release();
  t.DoIt();
  EXPECT_EQ(Path(0) + " | " + Path(1),
            "open (8.266666,6.4444447 6,4.888889 8.266666,6.4444447) (3.7333333,3.3333333) | open (2,2) (4,2)");
  EXPECT_EQ(At(0)->fBusy, 0);
  EXPECT_EQ(fReadOut.fSizeClears, 1);
  t.UndoIt();
  EXPECT_TRUE(Count() == 2 && At(0) == a);
  EXPECT_EQ(Path(0), "open (12,14 14,16 12,14) (16,18)");
}

TEST_F(TransformTrackersTest, PressLevelWithTheCentreKeepsThatAxisWhateverTheMouseDoes) {
  fContainer.fCenter = {10, 10};
  Selected({{12, 14}, {16, 18}});
  for (const auto& [press, scaled] : {std::pair{OsImgPoint{14, 10}, "open (14,14) (22,18)"},
                                      std::pair{OsImgPoint{10, 12}, "open (12,50) (16,90)"}}) {
    TDCScale t;
    Start(t, press);
    Run(t, {{18, 30}});
    EXPECT_EQ(Path(0), scaled);
    t.UndoIt();
  }
}

// The diagonal goes through the press point, so the two factors still differ.
// A step the diagonal holds in place scales nothing but is still reported.
TEST_F(TransformTrackersTest, ShiftHoldsTheMouseOnADiagonalThroughThePressNotTheCentre) {
  fContainer.fCenter = {10, 10};
  Selected({{12, 14}, {16, 18}});
  TDCScale t;
  Start(t, {14, 12});
  Gesture g(t);
  g.Press();
  SetShift(true);
  g.MoveTo(20, 13);  // wider than high: as far down as right
  EXPECT_EQ(Path(0), "open (15,26) (25,42)");
  g.MoveTo(10, 20);  // higher than wide: as far left as down
  g.MoveTo(7, 20);
  g.Release();
  EXPECT_EQ(g.fConstrained, (Points{{14, 12}, {20, 18}, {6, 20}, {6, 20}, {6, 20}}));
  EXPECT_EQ(Path(0), "open (8,30) (4,50)");
  EXPECT_EQ(fReadOut.fPoints, (Points{{14, 12}, {20, 18}, {6, 20}, {6, 20}}));
}

// Rotation truncates the previous point in image coordinates: the view points
// half an image pixel on must turn the figure exactly as the whole ones do.
TEST_F(TransformTrackersTest, ZoomedAndScrolledViewsTransformAsAtFullSize) {
  fContainer.fCenter = {10.5f, 9.5f};
  const std::string scaled = Transformed<TDCScale>(1, {14, 12}, {{18, 16}, {6, 8}});
  EXPECT_NE(scaled, kUntouched);
  EXPECT_EQ(Transformed<TDCScale>(2, {14, 12}, {{18, 16}, {6, 8}}), scaled);
  const std::string turned = Transformed<TDCRotate>(1, {16, 12}, {{10, 20}, {3, 11}});
  EXPECT_NE(turned, kUntouched);
  EXPECT_EQ(Transformed<TDCRotate>(2, {16, 12}, {{10, 20}, {3, 11}}, 1), turned);
}

TEST_F(TransformTrackersTest, NothingSelectedOrNoContainerChangesNothing) {
  fContainer.fCenter = {10, 10};
  TDShape* a = Polyline({{12, 14}, {16, 18}});
  TDCRotate rotate;
  TDCScale scale;
  Start(rotate, {14, 12});
  Run(rotate, {{3, 20}});
  Start(scale, {14, 12});
  Run(scale, {{3, 20}});
  EXPECT_EQ(Path(0), kUntouched);
  scale.UndoIt();
  rotate.UndoIt();
  EXPECT_TRUE(Count() == 1 && At(0) == a);

  const auto reports = fReadOut.fPoints.size();
  TDCRotate loneRotate;
  TDCScale loneScale;
  OsImgPoint p{14, 12};
  loneRotate.IDCRotate(nullptr, &fView, &fDocument, p);
  loneScale.IDCScale(nullptr, &fView, &fDocument, p);
  for (BTracker* t : std::initializer_list<BTracker*>{&loneRotate, &loneScale}) {
    Run(*t, {{3, 20}});
    t->UndoIt();
    t->RedoIt();
  }
  EXPECT_EQ(loneRotate.fActive + loneScale.fActive, 0);
  EXPECT_EQ(fReadOut.fPoints.size(), reports);
  EXPECT_TRUE(Count() == 1 && At(0) == a);
}

}  // namespace
