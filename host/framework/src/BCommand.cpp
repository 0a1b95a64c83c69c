#include "BCommand.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "BView.h"

IMPLEMENT_DYNAMIC(BCommand, CObject)
IMPLEMENT_DYNAMIC(BTracker, BCommand)

namespace {

// The nearest multiple of size, halves away from zero. Worked in 64 bits on the
// magnitude so that both signs round alike; a multiple beyond the 32-bit range
// saturates, as the host's conversions do.
std::int32_t SnapToGrid(std::int32_t v, std::int64_t size) {
  const std::int64_t magnitude = v < 0 ? -static_cast<std::int64_t>(v) : v;
  const std::int64_t rest = magnitude % size;
  const std::int64_t snapped = magnitude - rest + (2 * rest >= size ? size : 0);
  const std::int64_t result = v < 0 ? -snapped : snapped;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(result, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

void Snap(const BView* view, OsImgPoint& p) {
  if (view == nullptr || view->fGridSize < 1) return;
  p = {SnapToGrid(p.x, view->fGridSize), SnapToGrid(p.y, view->fGridSize)};
}

}  // namespace

void BCommand::ICommand(int number, BDocument* handler, int canUndo, int causesChange, BDocument* notify) {
  fNumber = number;
  fHandler = handler;
  fCanUndo = canUndo;
  fCausesChange = causesChange;
  fNotify = notify;
}

void BTracker::ITracker(int number, BDocument* handler, int canUndo, int causesChange, BDocument* notify, BView* view,
                        const OsImgPoint& anchor) {
  ICommand(number, handler, canUndo, causesChange, notify);
  fView = view;
  fAnchor = anchor;
}

void BTracker::IGridMouse(BView* view, OsImgPoint& p) { Snap(view, p); }

void BTracker::GridMouse(OsImgPoint& p) { Snap(fView, p); }

void BTracker::GridMouse(BView* view, OsImgPoint& p) { Snap(view, p); }
