#pragma once
// What must hold after every input event, whatever the person did: the figures
// of a sketch read bit for bit, and the ownership of every figure the module
// holds (documents, clipboard, history steps). The module's objects are read
// through their layout and virtual functions, as the hosts read them.

#include <string>
#include <vector>

class BCommand;
class Host;
class TDShape;
class TObjectContainer;

// What undo must bring back of a figure, on one line, every float exactly: its
// class, whether it is open, and each vertex's points, steps and smoothness.
std::string ShapeText(const TDShape& shape);
// The shape with what selecting and the bounds make of it.
std::string FigureText(const TDShape& shape);
std::string FloatText(float value);

// The shapes of the container's figures, in drawing order.
using Shapes = std::vector<std::string>;
Shapes ShapesOf(const TObjectContainer* container);

// Where two captures first differ, for a failure message; empty when equal.
std::string DescribeDifference(const Shapes& want, const Shapes& got);

// The white arrow, edit point, add point and delete point: the steps that keep
// the bounds of what they reshape on its vertices.
bool ReshapesPoints(const BCommand& step);

// The first figure of the container that is not among `before` (one reshaped
// or put in since) and whose bounds are not what the module's own CalcBounds
// makes of its vertices; empty when there is none.
std::string StaleBounds(Host& host, TObjectContainer& container, const Shapes& before);

// Every figure held by an open document, the clipboard or a step of a history
// is held once, and what a step holds agrees with whether it is done or undone.
// Empty when that holds, otherwise the first breach.
std::string CheckOwnership(Host& host);
