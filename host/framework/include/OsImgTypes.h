#pragma once
// The host's integer value types. Every field is a signed 32-bit integer;
// rectangles are right- and bottom-exclusive.

#include <cmath>
#include <cstdint>
#include <limits>

struct OsImgPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const OsImgPoint&, const OsImgPoint&) = default;
};

struct OsImgSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend bool operator==(const OsImgSize&, const OsImgSize&) = default;
};

struct OsImgRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const OsImgRect&, const OsImgRect&) = default;
};

struct OsImgPaletteEntry {
  std::uint8_t c1 = 0;
  std::uint8_t c2 = 0;
  std::uint8_t c3 = 0;
  friend bool operator==(const OsImgPaletteEntry&, const OsImgPaletteEntry&) = default;
};

// Truncation toward zero into 32 bits. Values beyond the range saturate and NaN
// becomes 0, so that a figure far outside the view, or a zoom of zero, gives a
// clipped coordinate instead of undefined behaviour.
inline std::int32_t OsTruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}
