#pragma once
// Moving figures between a document's container, the module clipboard and the
// lists that trackers and commands keep for undo: without destroying them, and
// without losing one when memory runs out.

#include <initializer_list>
#include <utility>

class BList;
class BView;
class TDShape;
class TObjectContainer;

// Swaps what two lists hold, each keeping the other's order. False, with
// nothing changed, when the entries for the difference in length cannot be
// made.
bool ExchangeItems(BList& a, BList& b);
// Several exchanges that happen together or not at all.
bool ExchangeItems(std::initializer_list<std::pair<BList*, BList*>> pairs);

// Which figures AppendCopies copies.
enum class Figures { kAll, kSelected, kUnselected };

// Appends a copy of each chosen figure of `from` to `into`, in order. Raises
// the memory exception, with `into` as it was, when not every copy or entry can
// be made: a figure without its copy would be lost.
void AppendCopies(const BList& from, BList& into, Figures which);

// A copy of every figure of the container, in order, in a new list. Raises the
// memory exception with nothing left behind.
BList* CopyFigures(const TObjectContainer& container);

// Puts each copy in its original's entry; afterwards `copies` lists the
// originals. Both lists must be as long; nothing is allocated. A figure under
// construction goes on as its copy.
void PutInPlace(TObjectContainer& container, BList& copies);

// The state before a change that undo brings back: copies take the places of
// the container's figures, and the figures themselves, in order, are returned in
// a new list. Raises the memory exception with nothing changed.
BList* TakeSnapshot(TObjectContainer& container);

// Undo and redo of a change kept as a snapshot: the figures of the container and
// of the snapshot change places, and those now in the container are drawn.
// Raises the memory exception, with nothing changed, when the entries for the
// difference in length cannot be made, so that the history stays where it is.
// A figure under construction goes on as the figure that takes its place.
void SwapSnapshot(TObjectContainer& container, BList& snapshot, BView* view);

// Gives the copy `to` the selection of `from`: the figure's flag and each
// vertex's marker state. Vertex counts must match.
void CopySelection(const TDShape& from, TDShape& to);
