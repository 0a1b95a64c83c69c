#include "module/SketchTools.h"

#include "module/CSketchInterface.h"
#include "module/SketchChanges.h"
#include "resources/SketchResources.h"

namespace {

using M = CSketchInterface;
constexpr int kNoPalette = -1;

}  // namespace

constexpr SketchTool kSketchTools[kToolCount] = {
    {kToolArrow, SKETCH_TEXT("SketchTools", "Select"), IDCUR_SOLID_ARROW, kChangeDrag, kNoPalette, &M::DMFD_Arrow, 'V'},
    {kToolWhiteArrow, SKETCH_TEXT("SketchTools", "Direct select"), IDCUR_HOLLOW_ARROW, kChangeMovePoint, kNoPalette,
     &M::DMFD_WhiteArrow, 'A'},
    {kToolHand, SKETCH_TEXT("SketchTools", "Hand"), IDCUR_HAND, 0, kNoPalette, &M::DMFP_Hand, 'H'},
    {kToolZoom, SKETCH_TEXT("SketchTools", "Zoom"), IDCUR_MAGNIFIER, 0, kNoPalette, &M::DMFP_Zoom, 'Z'},
    {kToolRectangle, SKETCH_TEXT("SketchTools", "Rectangle"), IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow,
     'R'},
    {kToolOval, SKETCH_TEXT("SketchTools", "Ellipse"), IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow, 'E'},
    {kToolFreeLine, SKETCH_TEXT("SketchTools", "Freehand"), IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow,
     'P'},
    {kToolPen, SKETCH_TEXT("SketchTools", "Pen"), IDCUR_CROSS_HAIR, kChangePen, kNoPalette, &M::DMFD_Pens, 'B'},
    {kToolLine, SKETCH_TEXT("SketchTools", "Line"), IDCUR_CROSS_HAIR, kChangeDraw, kNoPalette, &M::DMFD_Grow, 'L'},
    {kToolMultiLine, SKETCH_TEXT("SketchTools", "Polyline"), IDCUR_CROSS_HAIR, kChangePen, kNoPalette, &M::DMFD_Pens,
     'Y'},
    {kToolScissors, SKETCH_TEXT("SketchTools", "Scissors"), IDCUR_CROSS_HAIR, kChangeScissor, kNoPalette,
     &M::DMFD_Scissor, 'C'},
    {kToolJoin, SKETCH_TEXT("SketchTools", "Join"), IDCUR_CROSS_HAIR, kChangeJoin, kNoPalette, &M::DMFD_Join, 'J'},
    {kToolAddPoint, SKETCH_TEXT("SketchTools", "Add point"), IDCUR_CROSS_HAIR, kChangeAddPoint, kNoPalette,
     &M::DMFD_AddPt, '+'},
    {kToolDeletePoint, SKETCH_TEXT("SketchTools", "Delete point"), IDCUR_CROSS_HAIR, kChangeDeletePoint, kNoPalette,
     &M::DMFD_DelPt, '-'},
    {kToolPolygon, SKETCH_TEXT("SketchTools", "Polygon"), IDCUR_CROSS_HAIR, kChangeDraw, IDD_POLYGON, &M::DMFD_Grow,
     '*'},
    {kToolEditPoint, SKETCH_TEXT("SketchTools", "Convert point"), IDCUR_CROSS_HAIR, kChangeEditPoint, kNoPalette,
     &M::DMFD_EditPt, 'N'},
    {kToolScale, SKETCH_TEXT("SketchTools", "Scale"), IDCUR_CROSS_HAIR, kChangeMouseScale, kNoPalette, &M::DMFD_Scale,
     0},
    {kToolRotate, SKETCH_TEXT("SketchTools", "Rotate"), IDCUR_CROSS_HAIR, kChangeMouseRotate, kNoPalette,
     &M::DMFD_Rotate, 0},
};

// A row out of place would hand a tool another's handler.
static_assert([] {
  for (int i = 0; i < kToolCount; ++i) {
    if (kSketchTools[i].number != i) return false;
  }
  return true;
}());

// A key given twice would choose one of its tools and never the other.
static_assert([] {
  for (int i = 0; i < kToolCount; ++i) {
    for (int j = i + 1; j < kToolCount; ++j) {
      if (kSketchTools[i].shortcut != 0 && kSketchTools[i].shortcut == kSketchTools[j].shortcut) return false;
    }
  }
  return true;
}());

const SketchTool* FindSketchTool(int tool) { return tool >= 0 && tool < kToolCount ? &kSketchTools[tool] : nullptr; }
