#include "module/SketchTools.h"

#include "module/CSketchInterface.h"
#include "module/SketchChanges.h"
#include "resources/SketchResources.h"

namespace {

using M = CSketchInterface;
constexpr int kNoPalette = -1;

}  // namespace

constexpr SketchTool kSketchTools[kToolCount] = {
    {kToolArrow, "arrow", IDCUR_SOLID_ARROW, kChangeDrag, kNoPalette, &M::DMFD_Arrow, 0},
    {kToolWhiteArrow, "white arrow", IDCUR_HOLLOW_ARROW, kChangeMovePoint, kNoPalette, &M::DMFD_WhiteArrow, 0},
    {kToolHand, "hand", IDCUR_HAND, 0, kNoPalette, &M::DMFP_Hand, 0},
    {kToolZoom, "zoom", IDCUR_MAGNIFIER, 0, kNoPalette, &M::DMFP_Zoom, 0},
    {kToolRectangle, "rectangle", IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow, 0},
    {kToolOval, "oval", IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow, 0},
    {kToolFreeLine, "free line", IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow, 0},
    {kToolPen, "pen", IDCUR_CROSS_HAIR, kChangePen, kNoPalette, &M::DMFD_Pens, 0},
    {kToolLine, "line", IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow, 0},
    {kToolMultiLine, "multi-line", IDCUR_CROSS_HAIR, kChangePen, kNoPalette, &M::DMFD_Pens, 0},
    {kToolScissors, "scissors", IDCUR_CROSS_HAIR, kChangeScissor, kNoPalette, &M::DMFD_Scissor, 0},
    {kToolJoin, "join", IDCUR_CROSS_HAIR, kChangeJoin, kNoPalette, &M::DMFD_Join, 0},
    {kToolAddPoint, "add point", IDCUR_CROSS_HAIR, kChangeAddPoint, kNoPalette, &M::DMFD_AddPt, 0},
    {kToolDeletePoint, "delete point", IDCUR_CROSS_HAIR, kChangeDeletePoint, kNoPalette, &M::DMFD_DelPt, 0},
    {kToolPolygon, "polygon", IDCUR_CROSS_HAIR, kChangeDraw, IDD_POLYGON, &M::DMFD_Grow, 0},
    {kToolEditPoint, "edit point", IDCUR_CROSS_HAIR, kChangeEditPoint, kNoPalette, &M::DMFD_EditPt, 0},
    {kToolScale, "scale", IDCUR_CROSS_HAIR, kChangeMouseScale, kNoPalette, &M::DMFD_Scale, 0},
    {kToolRotate, "rotate", IDCUR_CROSS_HAIR, kChangeMouseRotate, kNoPalette, &M::DMFD_Rotate, 0},
};

// A row out of place would hand a tool another's handler.
static_assert([] {
  for (int i = 0; i < kToolCount; ++i) {
    if (kSketchTools[i].number != i) return false;
  }
  return true;
}());

const SketchTool* FindSketchTool(int tool) { return tool >= 0 && tool < kToolCount ? &kSketchTools[tool] : nullptr; }
