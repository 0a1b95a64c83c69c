// Presses and menu commands where the replays cannot reach: no current view,
// and no memory for the tracker or command where the sweeps do not go.

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BCommand.h"
#include "OsRuntime.h"
#include "container/ShapeWalk.h"
#include "model/TDUnit.h"
#include "module/ModuleFixture.h"
#include "resources/SketchResources.h"

namespace {

class ModuleMenu : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    Add(2, 2, 8, 6);
  }
};

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
  const std::string before = Unrecorded(c);
  int n = 0;
  for (bool done = false; !done; ++n) {
    OsFailAllocationsAfter(n);
    try {
      OsImgPoint at{44, 30};
      gModuleInterface.DoMouseCommandL(at, 0);
      done = true;
    } catch (const CMemoryException&) {
      EXPECT_EQ(Unrecorded(c), before) << "allocation " << n;
    }
    OsFailAllocationsAfter(-1);
  }
  EXPECT_GT(n, 1);
}

TEST_F(ModuleMenu, WithoutAViewNothingIsPostedAndRunningOutOfMemoryRaises) {
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

}  // namespace
