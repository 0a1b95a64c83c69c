// The three kinds that are closed from the start. Every Track call re-places all
// vertices from the press point and the current point; the phase does not matter.

#include <cmath>

#include "model/Segment.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"

IMPLEMENT_DYNAMIC(TDOval, TDShape)
IMPLEMENT_DYNAMIC(TDRectangle, TDShape)
IMPLEMENT_DYNAMIC(TDPolygon, TDShape)

namespace {

// The shared beginning: `count` straight, selected vertices at the press point.
bool BeginClosed(TDShape& shape, TObjectContainer* container, int x, int y, int count) {
  shape.SetContainer(container);
  const TDFloatPoint p(x, y, shape.ViewZoom());
  for (int i = 0; i < count; ++i) {
    if (shape.AddUnit(p.x, p.y, p.x, p.y, p.x, p.y, 1, 0, 0, TDUnit::kFilled) == nullptr) return false;
  }
  shape.fOpen = 0;
  shape.fSelected = 1;
  shape.SetBusy(1);
  return true;
}

TDUnit* UnitAt(const TDShape& shape, int index) {
  return static_cast<TDUnit*>(shape.fUnits.GetItemFromIndex(index + 1));
}

}  // namespace

bool TDOval::Begin(TObjectContainer* container, int x, int y) { return BeginClosed(*this, container, x, y, 4); }

int TDOval::Track(int, OsImgPoint* press, OsImgPoint* current) {
  if (press == nullptr || current == nullptr || fUnits.GetCount() != 4) return 0;
  const BZoom* zoom = ViewZoom();
  const TDFloatPoint p0(press->x, press->y, zoom), p1(current->x, current->y, zoom);
  const float x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y;
  const float dx = Narrow(static_cast<double>(x1) - x0);
  const float dy = Narrow(static_cast<double>(y1) - y0);
  const float rx = Narrow(std::fabs(dx) * 0.5);
  const float ry = Narrow(std::fabs(dy) * 0.5);
  // The usual circle approximation, as a 32-bit constant.
  constexpr float kKappa = 0.552285f;
  const float kx = Narrow(static_cast<double>(rx) * kKappa);
  const float ky = Narrow(static_cast<double>(ry) * kKappa);
  const float sx = dx <= 0.0f ? -1.0f : 1.0f;
  const float sy = dy <= 0.0f ? -1.0f : 1.0f;
  const float hx = Narrow(static_cast<double>(kx) * sx);
  const float hy = Narrow(static_cast<double>(ky) * sy);
  const float cx = Narrow(x0 + static_cast<double>(rx) * sx);
  const float cy = Narrow(y0 + static_cast<double>(ry) * sy);
  const auto plus = [](float a, float b) { return Narrow(static_cast<double>(a) + b); };
  const auto minus = [](float a, float b) { return Narrow(static_cast<double>(a) - b); };

  TDUnit* v1 = UnitAt(*this, 0);
  TDUnit* v2 = UnitAt(*this, 1);
  TDUnit* v3 = UnitAt(*this, 2);
  TDUnit* v4 = UnitAt(*this, 3);
  v1->Set3(x0, cy, x0, minus(cy, hy), x0, plus(cy, hy));
  v2->Set3(cx, y0, plus(cx, hx), y0, minus(cx, hx), y0);
  // Vertex 2's steps are taken against vertex 3 as it stood before this call,
  // and the other three vertices follow vertex 2's count.
  const int steps = UpdateSteps(v2, kStepsOutgoing);
  const float y3 = Narrow(y1 - static_cast<double>(ry) * sy);
  v3->Set3(x1, y3, x1, plus(y3, hy), x1, minus(y3, hy));
  const float x4 = Narrow(x1 - static_cast<double>(rx) * sx);
  v4->Set3(x4, y1, minus(x4, hx), y1, plus(x4, hx), y1);
  const auto narrowed = static_cast<std::uint8_t>(steps);
  v3->fSteps = narrowed;
  v4->fSteps = narrowed;
  v1->fSteps = narrowed;
  return 1;
}

bool TDRectangle::Begin(TObjectContainer* container, int x, int y) { return BeginClosed(*this, container, x, y, 4); }

int TDRectangle::Track(int, OsImgPoint*, OsImgPoint* current) {
  if (current == nullptr || fUnits.GetCount() != 4) return 0;
  const OsImgPoint c = TDFloatPoint(current->x, current->y, ViewZoom()).ToImgPoint();
  // The corners beside the press point keep their 16-bit heritage.
  UnitAt(*this, 1)->SetAllX(static_cast<std::int16_t>(c.x));
  UnitAt(*this, 2)->SetAllInt(c.x, c.y);
  UnitAt(*this, 3)->SetAllY(static_cast<std::int16_t>(c.y));
  return 1;
}

bool TDPolygon::Begin(TObjectContainer* container, int x, int y, int count) {
  fCount = count < 3 ? 3 : count;
  return BeginClosed(*this, container, x, y, fCount);
}

int TDPolygon::Track(int, OsImgPoint* press, OsImgPoint* current) {
  if (press == nullptr || current == nullptr) return 0;
  const BZoom* zoom = ViewZoom();
  const OsImgPoint c = TDFloatPoint(press->x, press->y, zoom).ToImgPoint();
  const OsImgPoint m = TDFloatPoint(current->x, current->y, zoom).ToImgPoint();
  const double dx = static_cast<double>(m.x) - c.x, dy = static_cast<double>(m.y) - c.y;
  int i = 0;
  for (BPosition pos = fUnits.GetHeadPosition(); pos != nullptr; pos = fUnits.GetNextPosition(pos), ++i) {
    // 6.28318, not 2 pi to full precision: the vertices land where they always have.
    const double theta = i * 6.28318 / fCount;
    const double s = std::sin(theta), co = std::cos(theta);
    static_cast<TDUnit*>(fUnits.GetItem(pos))->SetAll(Narrow(c.x + dx * co + dy * s), Narrow(c.y + dy * co - dx * s));
  }
  return 1;
}
