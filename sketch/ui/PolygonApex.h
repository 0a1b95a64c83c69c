#pragma once
// The vertex count of the next polygon: published by the polygon option palette,
// read by the grow tracker when it begins a polygon. 3 until the palette applies
// another count.

extern int gPolygonApex;
