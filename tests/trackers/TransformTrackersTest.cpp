// Turning and stretching the selection with the mouse, driven step by step as
// the host's loop drives it. The expected floats were worked out apart from the
// code, with every 32-bit store emulated; the replays turn and scale whole
// gestures through the tools (Shift's diagonal included), undone and redone.

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

// At zoom 2 scrolled to (4, 6) the press is half an image pixel past (20, 10)
// and the move past (10, 20), which the whole points drop: a quarter turn
// about the centre, shown as it turns.
TEST_F(TransformTrackersTest, RotationTurnsBySweepBetweenWholeImagePoints) {
  SetZoom(2, 4, 6);
  Selected({{20, 10}, {20, 14}});
  TDCRotate t;
  Start(t, {33, 9});
  Gesture g(t);
  g.Press();
  g.MoveTo(13, 29);
  EXPECT_EQ(Path(0), "open (9.999947,20) (5.999947,19.999979)");
  EXPECT_TRUE(ShownInk(8, 27));
}

TEST_F(TransformTrackersTest, NothingSelectedTurnsNothing) {
  Polyline({{12, 14}, {16, 18}});
  TDCRotate rotate;
  Start(rotate, {14, 12});
  Run(rotate, {{3, 20}});
  rotate.UndoIt();
  EXPECT_EQ(Path(0), "open (12,14) (16,18)");
}

}  // namespace
