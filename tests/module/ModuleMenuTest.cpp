// Presses and menu commands where the replays cannot reach: no current view,
// and no memory for the tracker or command where the sweeps do not go. Then the
// sketch shown over the host's view; figures under a zoom and each display
// colour are in the replay scripts (select-drag, display, hostmod-region).

#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "BCommand.h"
#include "OsRuntime.h"
#include "container/ShapeWalk.h"
#include "model/TDLine.h"
#include "model/TDUnit.h"
#include "module/ModuleFixture.h"
#include "resources/SketchResources.h"

namespace {

// Which figures there are, and what no undo step records of them: selection, vertex states, bounds, the active
// area and its mark, the figure under construction.
std::string Unrecorded(const TObjectContainer& c) {
  std::ostringstream out;
  const OsImgRect& a = c.fActArea;
  out << a.left << ' ' << a.top << ' ' << a.right << ' ' << a.bottom << ' ' << c.fCenter.x << ' ' << c.fCenter.y << ' '
      << c.fCenterShown << ' ' << c.fDrawing << '\n';
  ForEachShape(c, [&](TDShape& s) {
    const OsImgRect& b = s.fBounds;
    out << &s << ' ' << s.fSelected << ' ' << b.left << ' ' << b.top << ' ' << b.right << ' ' << b.bottom << ':';
    for (BPosition pos = s.fUnits.GetHeadPosition(); pos != nullptr;) {
      const auto* u = static_cast<const TDUnit*>(s.fUnits.GetNext(pos));
      out << ' ' << u->fSelected << int{u->fState};
    }
    out << '\n';
  });
  return out.str();
}

class ModuleMenu : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    Add(2, 2, 8, 6);
  }
  // Presses at the point with allocations failing after the first 0, 1, 2, ...
  // until the press goes through: each press that runs out of memory must leave
  // what no undo step records as it was. How many ran out.
  int PressesOutOfMemoryChangeNothing(OsImgPoint at, bool replayed = false) {
    const std::string before = Unrecorded(*sketch->fContainer);
    int n = 0;
    for (bool done = false; !done; ++n) {
      OsFailAllocationsAfter(n);
      try {
        OsImgPoint point = at;
        replayed ? gModuleInterface.CommandReplicater(1, point) : gModuleInterface.DoMouseCommandL(point, 0);
        done = true;
      } catch (const CMemoryException&) {
        EXPECT_EQ(Unrecorded(*sketch->fContainer), before) << "allocation " << n;
      }
      OsFailAllocationsAfter(-1);
    }
    return n - 1;
  }
};

// A press of the other pen tool finishes the figure left open first, when the
// tool changed while another view was current. Run out of memory at whichever
// allocation, it leaves the sketch as it was, though the handlers select and
// hide the centre mark before their tracker exists.
TEST_F(ModuleMenu, APenPressThatFinishesTheOpenFigureAndRunsOutOfMemoryChangesNothing) {
  TObjectContainer& c = *sketch->fContainer;
  gModuleInterface.DoToolChange(kToolPen, 1);
  OsImgPoint start{40, 30};
  gModuleInterface.DoMouseCommandL(start, 0);
  ASSERT_TRUE(c.fDrawing != nullptr && viewPosts.size() == 1u);
  viewPosts[0]->DoIt();
  const std::unique_ptr<BCommand> pen = std::move(viewPosts[0]);
  viewPosts.clear();
  host.fView = nullptr;
  gModuleInterface.DoToolChange(kToolMultiLine, 1);
  host.fView = &view;
  c.fCenterShown = 1;
  EXPECT_GT(PressesOutOfMemoryChangeNothing({44, 30}), 0);
}

// So does a press the host replays, though the white arrow changes the
// selection before its tracker exists.
TEST_F(ModuleMenu, AReplayedPressThatRunsOutOfMemoryChangesNothing) {
  Add<TDLine>(10, 4, 15, 4, 0);
  sketch->fContainer->SelectAll(0);
  EXPECT_GT(PressesOutOfMemoryChangeNothing({12, 4}, true), 0);
  EXPECT_EQ(viewPosts.size(), 1u);  // the press picks the line and drags a copy of it
}

TEST_F(ModuleMenu, ACommandWithoutAViewOrMemoryPostsNothing) {
  host.fView = nullptr;
  const int commands[] = {ID_MIRROR_HORIZONTAL, ID_ROTATE_180, ID_EDIT_COPY,      ID_EDIT_CUT,
                          ID_EDIT_PASTE,        ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
  for (int command : commands) gModuleInterface.DoMenuCommand(command);
  EXPECT_TRUE(viewPosts.empty() && host.fPosts.empty());
  host.fView = &view;
  for (int command : {int{ID_MIRROR_HORIZONTAL}, int{ID_ROTATE_CLOCKWISE}, int{ID_EDIT_COPY}}) {
    OsFailAllocationsAfter(0);
    EXPECT_THROW(gModuleInterface.DoMenuCommand(command), CMemoryException) << command;
    OsFailAllocationsAfter(-1);
  }
  EXPECT_TRUE(viewPosts.empty());
}

// A picture opened without its sketch (there was no memory for it) takes no
// press of a sketch tool.
TEST_F(ModuleMenu, AViewWithoutASketchTakesNoPress) {
  BDocument bare;
  CSketchDocument unmade;
  OsFailAllocationsAfter(0);
  EXPECT_EQ(unmade.InitDocument(&bare), 0);
  OsFailAllocationsAfter(-1);
  BView other;
  other.OsSetDocument(&bare);
  other.OsSetPost([this](BCommand* c) { viewPosts.emplace_back(c); });
  host.fView = &other;
  for (const SketchTool& tool : kSketchTools) {
    if (tool.change == 0) continue;  // the view's own tools (hand, zoom) need no sketch
    gModuleInterface.DoToolChange(tool.number, 1);
    OsImgPoint at{2, 4};
    gModuleInterface.DoMouseCommandL(at, 0);
  }
  host.fView = &view;
  EXPECT_TRUE(viewPosts.empty());
}

using ModuleDisplay = ModuleFixture;

TEST_F(ModuleDisplay, UpdateRepaintsOnlyADirtyRaster) {
  SketchDrawPixel({3, 4});
  SketchDrawPixel({50, 30});  // beyond the view: not shown, but not kept either
  SketchUpdateView(&view, 0);
  EXPECT_EQ(Art(kInverted).substr(4 * 17, 17), "...#............\n");
  EXPECT_EQ(InkCount() + gSketchDirty, 0);  // the raster is empty and clean again
  SketchUpdateView(&view, 0);
  EXPECT_EQ(repaints, 1);
  // A view without a document has no figures to draw, but shows the raster.
  BView lone;
  lone.GetWindow()->OsPlace(0, 0, kViewW, kViewH);
  SketchDrawPixel({5, 1});
  Repaint(lone);
  EXPECT_EQ(Art(kInverted).substr(17, 17), ".....#..........\n");
}

// The host goes on drawing with its context after the sketch is laid over; any
// colour but inverted is painted through a colour table of the raster's own,
// which the raster must get back.
TEST_F(ModuleDisplay, ARepaintGivesBackTheColoursItBorrowed) {
  frame.assign(kViewW * kViewH, kBackground);
  for (const int colour : {ID_DISPLAY_INVERTED, ID_DISPLAY_PALETTE}) {
    SketchFillRect({2, 1, 5, 3});
    gModuleInterface.fDispColor = colour;
    CDC dc;
    dc.Attach(OsCreateBufferDC(frame.front().data(), kViewW, kViewH, kViewW * 3));
    dc.SetTextColor(RGB(10, 20, 30));
    dc.SetBkColor(RGB(40, 50, 60));
    gModuleInterface.RepaintRequest(&dc, &view);
    EXPECT_EQ(dc.SetTextColor(0), RGB(10, 20, 30)) << colour;
    EXPECT_EQ(dc.SetBkColor(0), RGB(40, 50, 60)) << colour;
    RGBQUAD table[2];
    ASSERT_EQ(gSketchRaster->GetColorTable(table, 2), 2);
    EXPECT_TRUE(table[0] == (RGBQUAD{0, 0, 0, 0}) && table[1] == (RGBQUAD{255, 255, 255, 0})) << colour;
  }
}

}  // namespace
