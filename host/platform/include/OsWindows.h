#pragma once
// Stand-in for the handful of Windows types and calls the module makes. Only what
// the module's call sites need lives here; the host side of each call (setting
// what the platform reports) is in OsPlatformHost.h.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BOOL = int;

// A colour-table entry of a device-independent bitmap.
struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};

inline bool operator==(const RGBQUAD& a, const RGBQUAD& b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
         a.rgbReserved == b.rgbReserved;
}

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// The screen size as the host set it; 0 for any other metric.
int GetSystemMetrics(int nIndex);

// Recorded by the platform (OsGetBeeps) for the host to sound or show.
BOOL MessageBeep(unsigned type);
