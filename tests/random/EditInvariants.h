#pragma once
// What must hold after every input event, whatever the person did: the figures
// of a sketch read bit for bit, and the ownership of every figure the module
// holds (documents, clipboard, history steps). The module's objects are read
// through their layout and virtual functions, as the hosts read them.

#include <string>
#include <vector>

class Host;
class TDShape;
class TObjectContainer;

// A figure on one line, every float exactly: its class, whether it is open, and
// each vertex's points, steps and smoothness; with `marks`, also what selecting
// and the bounds make of it.
std::string FigureText(const TDShape& shape, bool marks);

// What undo must bring back of the container's figures, in drawing order, one
// line each, every float exactly: class, whether open, each vertex's points,
// steps and smoothness.
using Shapes = std::vector<std::string>;
Shapes ShapesOf(const TObjectContainer* container);

// Where two captures first differ, for a failure message; empty when equal.
std::string DescribeDifference(const Shapes& want, const Shapes& got);

// Every figure held by an open document, the clipboard or a step of a history
// is held once, and what a step holds agrees with whether it is done or undone.
// Empty when that holds, otherwise the first breach.
std::string CheckOwnership(Host& host);
