#pragma once
// One vertex of a path: its anchor, the control point shaping the segment to
// its successor (fDirection1) and the one shaping the segment from its
// predecessor (fDirection2). A control point on its anchor means no handle on
// that side.

#include <cstdint>

#include "model/TDFloatPoint.h"
#include "model/TMarbleObject.h"

class TDUnit : public TMarbleObject {
  DECLARE_DYNAMIC(TDUnit)

 public:
  // Marker states: what the user sees of the vertex.
  enum : std::uint8_t {
    kHidden = 0,
    kOutline = 1,      // point-editing mode, not picked
    kFilled = 2,       // vertex of a selected figure
    kBothHandles = 3,  // picked
    kHandle1 = 4,
    kHandle2 = 5,
    kCross = 6,  // free-hand sample
  };

  // A copy with the same container, points, flags, steps and state; null when it
  // cannot be allocated.
  virtual TDUnit* Clone() const;

  bool Set3(float ax, float ay, float d1x, float d1y, float d2x, float d2y);
  bool SetAll(float x, float y);
  bool SetAllInt(int x, int y);
  bool SetAllX(std::int16_t x);
  bool SetAllY(std::int16_t y);
  bool SetAllXFloat(float x);
  bool SetAllYFloat(float y);
  bool SetXs(float a, float d1, float d2);
  bool SetYs(float a, float d1, float d2);
  bool MoveInt(int dx, int dy);
  bool MoveFloat(float dx, float dy);
  // fSelected follows the state: 1 for the picked and filled states, 0 for the
  // others; a state beyond the table leaves it alone.
  bool SetState(std::uint8_t state);

  int fSelected = 0;
  std::uint8_t fSteps = 20;  // sub-segments towards the successor; 0 = straight
  int fSmooth = 1;
  std::uint8_t fState = kOutline;
  TDFloatPoint fAnchor;
  TDFloatPoint fDirection1;
  TDFloatPoint fDirection2;
};
