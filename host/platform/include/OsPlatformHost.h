#pragma once
// What a host application sets on the platform stand-in, so that the module sees
// the machine the host pretends to be.

#include <vector>

// The screen size that GetSystemMetrics reports (default 1024 x 768). Values below
// 1 are kept as they are: a host that reports no screen gets a raster that cannot
// be created, as on a real machine without a display.
void OsSetScreenSize(int width, int height);

// Every MessageBeep argument since the last clear, in order.
const std::vector<unsigned>& OsGetBeeps();
void OsClearBeeps();
