#pragma once
// The integer line walk the hit tests, rectangle selection and tracing share.
// Unlike the raster's line it never visits the end point, so consecutive walks
// along a polyline visit every joint once; a walk of length 0 visits nothing.
//
// The error term is a 16-bit value, as the figures' hit tests have always used:
// on walks longer than 16383 pixels it wraps, and the walk wanders off its line.
// Two guards keep that from running away: walks longer than kMaxWalk pixels (far
// beyond any view of any picture) visit nothing, and a walk whose wrapped error
// term has spent kMaxSideSteps sideways steps (a sideways loop can cycle for
// ever) stops there.

#include <cstdint>

#include "OsImgTypes.h"

inline constexpr std::int64_t kMaxWalk = std::int64_t{1} << 22;
inline constexpr std::int64_t kMaxSideSteps = std::int64_t{1} << 24;

// Calls visit(x, y, i) for each pixel i = 0 .. n - 1 of the walk from (x0, y0)
// towards (x1, y1), until visit returns false. Returns n, the walk's length (0
// for a walk that is too long to take).
template <typename Visit>
std::int64_t LineWalk(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, Visit visit) {
  const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
  const std::int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  const bool yMajor = ay > ax;
  const std::int64_t n = yMajor ? ay : ax;
  const std::int64_t m = yMajor ? ax : ay;
  if (n == 0 || n > kMaxWalk) return 0;
  const std::int64_t sMajor = yMajor ? (dy > 0) - (dy < 0) : (dx > 0) - (dx < 0);
  const std::int64_t sMinor = yMajor ? (dx > 0) - (dx < 0) : (dy > 0) - (dy < 0);
  std::int64_t major = yMajor ? y0 : x0;
  std::int64_t minor = yMajor ? x0 : y0;
  const auto wrap = [](std::int64_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); };
  std::int16_t e = wrap(2 * m - n);
  std::int64_t sideSteps = 0;
  for (std::int64_t i = 0; i < n; ++i) {
    const std::int64_t x = yMajor ? minor : major;
    const std::int64_t y = yMajor ? major : minor;
    if (!visit(x, y, i)) return n;
    while (e > 0) {
      if (++sideSteps > kMaxSideSteps) return n;
      minor += sMinor;
      e = wrap(e - 2 * n);
    }
    major += sMajor;
    e = wrap(e + 2 * m);
  }
  return n;
}

// A rectangle of pixels, [left, right) x [top, bottom).
struct WalkBox {
  std::int64_t left, right, top, bottom;
};

// The index of the first pixel that LineWalk from (x0, y0) towards (x1, y1)
// visits inside `box`, or -1 when it visits none there; `length` (when not
// null) receives what LineWalk returns. The same answer as walking, found
// without visiting the pixels between: a click near a walk of millions of
// pixels costs no more than one near a short walk.
std::int64_t FirstWalkPixelIn(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, const WalkBox& box,
                              std::int64_t* length = nullptr);
