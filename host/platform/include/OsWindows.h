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
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed && a.rgbReserved == b.rgbReserved;
}

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// The screen size as the host set it; 0 for any other metric.
int GetSystemMetrics(int nIndex);

// Recorded by the platform (OsGetBeeps) for the host to sound or show.
BOOL MessageBeep(unsigned type);

using UINT = unsigned;
using LONG = std::int32_t;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};

// Reasons a library's entry point is called for.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

// Keys the module asks about.
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_SPACE = 0x20;

// Bit 15 is set while the key is down.
short GetKeyState(int virtualKey);

// The screen position of the last message: x in the low 16 bits, y in the high.
DWORD GetMessagePos();

// The same name always gives the same number, from 0xC000 up.
UINT RegisterWindowMessage(const char* name);

// Cursors: a handle to a cursor loaded from a library's resources. The platform
// keeps the one set last for the host to show.
struct OsCursor;
using HCURSOR = OsCursor*;

struct OsModuleInstance;
HCURSOR LoadCursor(OsModuleInstance* instance, unsigned id);
BOOL DestroyCursor(HCURSOR cursor);
HCURSOR SetCursor(HCURSOR cursor);
