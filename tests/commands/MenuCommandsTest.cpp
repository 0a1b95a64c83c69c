// The undoable menu commands on a small document: what each one changes, that
// undo and redo exchange the very figures rather than copies, and that running
// out of memory leaves the document and the clipboard as they were. Copy, its
// undo and redo are in the replay scripts (hostmod-copy).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
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
  TDShape* Selected(std::initializer_list<TDFloatPoint> points) {
    TDShape* s = Polyline(points);
    s->SetSelect(1, 1, 0);
    return s;
  }

  BList* fClip = nullptr;
};

// What the document and the clipboard show after a cut, its undo and its redo
// is in the replay scripts (clipboard); here, which objects they hold.
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
  // Redo brings back the very figures the cut left, whatever is selected by
  // then, so that later steps that refer to them still find them.
  b->SetSelect(0, 1, 0);
  At(0)->SetSelect(1, 1, 0);
  cut.RedoIt();
  EXPECT_EQ((std::vector<TDShape*>{At(0), At(1)}), left);
  EXPECT_EQ(cut.fRemoved->GetItemFromIndex(2), b);
}

// Run out of memory at any allocation, a cut or a paste, which the host then
// drops, leaves the document and the clipboard as they were: the very
// figures, not copies.
TEST_F(MenuCommands, CutOrPasteThatRunsOutOfMemoryChangesNothing) {
  Polyline({{2, 2}, {6, 2}});
  Selected({{10, 10}, {14, 10}});
  fClip->AddTail(At(1)->Clone());
  // Which objects the clipboard holds, and their paths.
  const auto clipboard = [this] {
    std::ostringstream out;
    for (int i = 1; i <= fClip->GetCount(); ++i) {
      const auto* s = static_cast<const TDShape*>(fClip->GetItemFromIndex(i));
      out << s << ' ' << PathText(*s) << '\n';
    }
    return out.str();
  };
  for (const bool cut : {true, false}) {
    SCOPED_TRACE(cut ? "cut" : "paste");
    const std::string before = clipboard();
    // The set-up runs again after each failure: there the clipboard must be as it was.
    const int failures = FailuresBeforeSuccess(
        [&] {
          TDMCCut cutting;
          TDMCPaste pasting;
          cut ? cutting.IDMCCut(&fContainer, &fView, &fDocument) : pasting.IDMCPaste(&fContainer, &fView, &fDocument);
          cut ? cutting.DoIt() : pasting.DoIt();
        },
        [&] { EXPECT_EQ(clipboard(), before); });
    EXPECT_GT(failures, 2);
    EXPECT_EQ(Count(), cut ? 1 : 2);
  }
}

// An area left from an earlier selection must not be the mirror's axis; what
// a transform changes is drawn for the next repaint.
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

// While the module has no clipboard (there was no memory for it), Cut and Copy
// change nothing. (For a view without a sketch the module posts no command.)
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

// Undo and redo of a snapshot go on with the figure that was under
// construction when the incoming figures left, wherever a pen press and its
// undo have moved it since; one finished in between stays finished.
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
