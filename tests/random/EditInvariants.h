#pragma once
// What must hold after every input event, whatever the person did: the figures
// of a sketch captured bit for bit, and the ownership of every figure the module
// holds (documents, clipboard, history steps). The module's objects are read
// through their layout and virtual functions, as the hosts read them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "OsImgTypes.h"

class BCommand;
class Host;
class TDShape;
class TObjectContainer;

struct UnitState {
  std::array<std::uint32_t, 6> bits{};  // anchor, first and second handle: x, y as float bits
  int steps = 0, state = 0, smooth = 0, selected = 0;
  auto operator<=>(const UnitState&) const = default;
};

struct FigureState {
  std::string kind;  // run-time class name
  int open = 0, selected = 0, busy = 0;
  std::array<int, 4> bounds{};
  std::vector<UnitState> units;
  bool operator==(const FigureState&) const = default;
};

struct SketchState {
  std::vector<FigureState> figures;  // in list order
  int drawing = -1;                  // index of the figure under construction
  bool operator==(const SketchState&) const = default;
};

FigureState CaptureFigure(const TDShape& shape);
SketchState CaptureSketch(const TObjectContainer* container);

// The figure on one line, every float exactly: two figures that differ in any
// bit read differently.
std::string Describe(const FigureState& figure);
std::string FloatText(float value);

// The capture without what selecting changes, nor the bounds.
SketchState ShapesOf(const SketchState& state);

// The figures in a fixed order of their own: steps that put a changed figure
// at the end of the drawing order put it back there on undo.
SketchState Unordered(SketchState state);

// Where two captures first differ, for a failure message; empty when equal.
std::string DescribeDifference(const SketchState& want, const SketchState& got);

// The white arrow, edit point, add point and delete point: the steps that keep
// the bounds of what they reshape on its vertices.
bool ReshapesPoints(const BCommand& step);

// The first figure of the container that is not among `before`'s shapes (one
// reshaped or put in since) and whose bounds are not what the module's own
// CalcBounds makes of its vertices; empty when there is none.
std::string StaleBounds(Host& host, TObjectContainer& container, const SketchState& before);

// Every figure held by an open document, the clipboard or a step of a history
// is held once, and what a step holds agrees with whether it is done or undone.
// Empty when that holds, otherwise the first breach.
std::string CheckOwnership(Host& host);
