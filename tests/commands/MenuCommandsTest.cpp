// Which objects the menu commands' undo and redo exchange, and memory running out.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "OsRuntime.h"
#include "commands/TDMCCopy.h"
#include "commands/TDMCCut.h"
#include "commands/TDMCPaste.h"
#include "commands/TDMFlip.h"
#include "commands/TDMRotate.h"
#include "commands/TDMScale.h"
#include "resources/SketchResources.h"
#include "trackers/TrackerFixture.h"

namespace {

class MenuCommands : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fClip = TObjectContainer::fClipContainer;
    fClip->DeleteAll();
  }
  void TearDown() override {
    fClip->DeleteAll();
    TrackerFixture::TearDown();
  }
  BList* fClip = nullptr;
};

TEST_F(MenuCommands, CutUndoAndRedoExchangeTheVeryFigures) {
  TDShape* a = Polyline({{2, 2}, {6, 2}});
  TDShape* b = Selected({{10, 10}, {14, 10}});
  TDShape* c = Polyline({{20, 2}, {22, 8}});
  fClip->AddTail(new TDShape);
  fContainer.fDrawing = c;
  TDMCCut cut;
  cut.IDMCCut(&fContainer, &fView, &fDocument);
  cut.DoIt();
  EXPECT_EQ(fContainer.fDrawing, nullptr);
  ASSERT_EQ(Count(), 2);
  EXPECT_TRUE(At(0) != a && At(1) != c);
  const std::vector<TDShape*> left{At(0), At(1)};
  cut.UndoIt();
  ASSERT_EQ(Count(), 3);
  EXPECT_EQ((std::vector<TDShape*>{At(0), At(1), At(2)}), (std::vector<TDShape*>{a, b, c}));
  // The clipboard holds a copy of its old figure: the saved one stays for redo.
  EXPECT_NE(fClip->GetItemFromIndex(1), cut.fSavedClip->GetItemFromIndex(1));
  // Later steps refer to the very figures the cut left, whatever is selected.
  b->SetSelect(0, 1, 0);
  At(0)->SetSelect(1, 1, 0);
  cut.RedoIt();
  EXPECT_EQ((std::vector<TDShape*>{At(0), At(1)}), left);
  EXPECT_EQ(cut.fRemoved->GetItemFromIndex(2), b);
}

// The host drops a cut or paste that ran out of memory: it must have changed nothing.
TEST_F(MenuCommands, CutOrPasteThatRunsOutOfMemoryChangesNothing) {
  Polyline({{2, 2}, {6, 2}});
  Selected({{10, 10}, {14, 10}});
  fClip->AddTail(At(1)->Clone());
  for (const bool cut : {true, false}) {
    SCOPED_TRACE(cut ? "cut" : "paste");
    const std::string before = Listing(*fClip);
    const int failures = FailuresBeforeSuccess(
        [&] {
          TDMCCut cutting;
          TDMCPaste pasting;
          cut ? cutting.IDMCCut(&fContainer, &fView, &fDocument) : pasting.IDMCPaste(&fContainer, &fView, &fDocument);
          cut ? cutting.DoIt() : pasting.DoIt();
        },
        [&] { EXPECT_EQ(Listing(*fClip), before); });
    EXPECT_GT(failures, 2);
    EXPECT_EQ(Count(), cut ? 1 : 2);
  }
}

// An area left from an earlier selection must not be the mirror's axis.
TEST_F(MenuCommands, ATransformRedrawsWhatItChangesAboutTheSelectionsOwnArea) {
  Selected({{2, 2}, {6, 4}});  // area {2, 2, 7, 5}
  fContainer.fActArea = {0, 0, 1, 1};
  TDMVFlip v;
  v.IDMVFlip(&fContainer, &fView, &fDocument);
  v.DoIt();
  EXPECT_EQ(Path(0), "open (2,4) (6,2)");
  fContainer.fActArea = {0, 0, 1, 1};
  TDMHFlip h;
  h.IDMHFlip(&fContainer, &fView, &fDocument);
  h.DoIt();
  EXPECT_EQ(Path(0), "open (6,4) (2,2)");
  fContainer.fCenter.Set(2.0f, 2.0f);
  TDMScale z;
  z.IDMScale(&fContainer, &fView, &fDocument, 2.0);
  fShown.clear();
  z.DoIt();
  EXPECT_EQ(Path(0), "open (10,6) (2,2)");
  EXPECT_TRUE(ShownInk(10, 6));
}

// Without memory for a clipboard at load, Cut and Copy change nothing.
TEST_F(MenuCommands, CutAndCopyWithoutAClipboardDoNothing) {
  Selected({{2, 2}, {6, 2}});
  TDShape* kept = At(0);
  TDMCCut cut;
  cut.IDMCCut(&fContainer, &fView, &fDocument);
  TDMCCopy copy;
  copy.IDMCCopy(&fContainer, &fDocument);
  BList* clip = std::exchange(TObjectContainer::fClipContainer, nullptr);
  for (BCommand* c : std::initializer_list<BCommand*>{&cut, &copy}) {
    c->DoIt();
    c->UndoIt();
    c->RedoIt();
  }
  TObjectContainer::fClipContainer = clip;
  EXPECT_EQ(std::tuple(fRepaints, Count(), At(0)), std::tuple(0, 1, kept));
}

TEST_F(MenuCommands, FiguresScaledPastTheFloatRangeKeepTheLargestFiniteCoordinates) {
  Selected({{10, 10}, {20, 10}});
  for (int i = 0; i < 3; ++i) {
    fContainer.CalcActArea();
    TDMScale huge;
    huge.IDMScale(&fContainer, &fView, &fDocument, 1e30);
    huge.DoIt();
    TDMRotate turn;
    turn.IDMRotate(&fContainer, &fView, &fDocument, ID_ROTATE_NUMERIC, 45);
    turn.DoIt();
    TDMHFlip mirror;
    mirror.IDMHFlip(&fContainer, &fView, &fDocument);
    mirror.DoIt();
  }
  const TDFloatPoint& p = Unit(*At(0), 0)->fAnchor;
  EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  EXPECT_EQ(std::fabs(Unit(*At(0), 1)->fAnchor.x), std::numeric_limits<float>::max());
}

// Undo and redo go on with the figure under construction wherever a pen press
// has moved it since; one finished in between stays finished.
TEST_F(MenuCommands, AFigureUnderConstructionGoesOnAsTheOneThatWasUnderConstruction) {
  Selected({{2, 2}, {6, 2}});
  TDShape* drawing = Polyline({{10, 10}, {14, 10}});
  Polyline({{20, 2}, {22, 8}});
  fContainer.fDrawing = drawing;
  TDMRotate turn;
  turn.IDMRotate(&fContainer, &fView, &fDocument, ID_ROTATE_180, 0);
  turn.DoIt();
  TDShape* turned = At(1);
  EXPECT_EQ(fContainer.fDrawing, turned);
  fContainer.ReplaceAtEnd(turned, turned);
  fContainer.fDrawing = turned;
  turn.UndoIt();
  EXPECT_EQ(fContainer.fDrawing, drawing);
  turn.RedoIt();
  EXPECT_EQ(fContainer.fDrawing, turned);
  fContainer.Terminate();
  turn.UndoIt();
  EXPECT_EQ(fContainer.fDrawing, nullptr);
}

}  // namespace
