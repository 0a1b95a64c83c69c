#include "model/TDUnit.h"

#include <new>

IMPLEMENT_DYNAMIC(TMarbleObject, CObject)
IMPLEMENT_DYNAMIC(TDUnit, TMarbleObject)

TDUnit* TDUnit::Clone() const {
  TDUnit* copy = new (std::nothrow) TDUnit;
  if (copy == nullptr) return nullptr;
  copy->fContainer = fContainer;
  copy->fAnchor = fAnchor;
  copy->fDirection1 = fDirection1;
  copy->fDirection2 = fDirection2;
  copy->fSmooth = fSmooth;
  copy->fSelected = fSelected;
  copy->fSteps = fSteps;
  copy->fState = fState;
  return copy;
}

bool TDUnit::Set3(float ax, float ay, float d1x, float d1y, float d2x, float d2y) {
  fAnchor.Set(ax, ay);
  fDirection1.Set(d1x, d1y);
  fDirection2.Set(d2x, d2y);
  return true;
}

bool TDUnit::SetAll(float x, float y) { return Set3(x, y, x, y, x, y); }

bool TDUnit::SetAllInt(int x, int y) { return SetAll(static_cast<float>(x), static_cast<float>(y)); }

bool TDUnit::SetAllX(std::int16_t x) { return SetAllXFloat(static_cast<float>(x)); }
bool TDUnit::SetAllY(std::int16_t y) { return SetAllYFloat(static_cast<float>(y)); }

bool TDUnit::SetAllXFloat(float x) { return SetXs(x, x, x); }
bool TDUnit::SetAllYFloat(float y) { return SetYs(y, y, y); }

bool TDUnit::SetXs(float a, float d1, float d2) {
  fAnchor.x = a;
  fDirection1.x = d1;
  fDirection2.x = d2;
  return true;
}

bool TDUnit::SetYs(float a, float d1, float d2) {
  fAnchor.y = a;
  fDirection1.y = d1;
  fDirection2.y = d2;
  return true;
}

bool TDUnit::MoveInt(int dx, int dy) {
  fAnchor.OffsetInt(dx, dy);
  fDirection1.OffsetInt(dx, dy);
  fDirection2.OffsetInt(dx, dy);
  return true;
}

bool TDUnit::MoveFloat(float dx, float dy) {
  fAnchor.OffsetFloat(dx, dy);
  fDirection1.OffsetFloat(dx, dy);
  fDirection2.OffsetFloat(dx, dy);
  return true;
}

bool TDUnit::SetState(std::uint8_t state) {
  fState = state;
  if (state <= kCross) fSelected = (state >= kFilled && state <= kHandle2) ? 1 : 0;
  return true;
}
