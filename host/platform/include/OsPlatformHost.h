#pragma once
// What a host application sets on the platform stand-in, so that the module sees
// the machine the host pretends to be.

#include <cstdint>
#include <vector>

// The screen size that GetSystemMetrics reports (default 1024 x 768). Values below
// 1 are kept as they are: a host that reports no screen gets a raster that cannot
// be created, as on a real machine without a display.
void OsSetScreenSize(int width, int height);

// Every MessageBeep argument since the last clear, in order.
const std::vector<unsigned>& OsGetBeeps();
void OsClearBeeps();

// Key state as GetKeyState reports it (virtual-key codes of OsWindows.h).
void OsSetKeyDown(int virtualKey, bool down);
void OsReleaseAllKeys();

// What GetMessagePos reports.
void OsSetMessagePos(int x, int y);

// The resource number of the cursor set last with SetCursor, or 0 when none (or
// when it was destroyed since); and how many loaded cursors are not destroyed.
unsigned OsGetShownCursorId();
// The resource number a loaded cursor was made from; 0 for null or a destroyed one.
unsigned OsCursorResourceId(const struct OsCursor* cursor);
int OsLiveCursorCount();

// A device context over a host's RGB frame buffer (3 bytes a pixel, rows
// top-down, `stride` bytes apart); the buffer must outlive it. Delete it with
// DeleteDC, or attach it to a CDC that is not destroyed with it (Detach first).
struct OsDC;
OsDC* OsCreateBufferDC(std::uint8_t* rgb, int width, int height, int stride);
