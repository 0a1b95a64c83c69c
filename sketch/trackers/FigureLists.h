#pragma once
// Moving figures between a document's container, the module clipboard and the
// lists that trackers and commands keep for undo: without destroying them, and
// without losing one when memory runs out.

#include <initializer_list>
#include <utility>

#include "BList.h"

class BView;
class TDShape;
class TObjectContainer;

// Swaps what two lists hold, each keeping the other's order. False, with
// nothing changed, when the entries for the difference in length cannot be
// made.
bool ExchangeItems(BList& a, BList& b);
// Several exchanges that happen together or not at all.
bool ExchangeItems(std::initializer_list<std::pair<BList*, BList*>> pairs);

// The 1-based place of `item` in `list`; 0 for none or not there.
int IndexOf(const BList& list, const CObject* item);

// Which figures AppendCopies copies.
enum class Figures { kAll, kSelected, kUnselected };

// Appends a copy of each chosen figure of `from` to `into`, in order. Raises
// the memory exception, with `into` as it was, when not every copy or entry can
// be made: a figure without its copy would be lost.
void AppendCopies(const BList& from, BList& into, Figures which);

// The figures of one state of a container that undo and redo exchange with the
// container's, and which of them was under construction when the state left the
// container (its 1-based place; 0 for none). Places, not the figures, are what
// the two states share: a pen press or its undo moves the figure under
// construction to the end of whichever list is in the container at the time.
class FigureSnapshot : public BList {
 public:
  int fDrawing = 0;
};

// A copy of every figure of the container, in order, in a new list that
// remembers where the figure under construction is. Raises the memory
// exception with nothing left behind.
FigureSnapshot* CopyFigures(const TObjectContainer& container);

// Puts each copy in its original's entry; afterwards `copies` lists the
// originals. Both lists must be as long; nothing is allocated. A figure under
// construction goes on as its copy.
void PutInPlace(TObjectContainer& container, BList& copies);

// The state before a change that undo brings back: copies take the places of
// the container's figures, and the figures themselves, in order, are returned in
// a new list. Raises the memory exception with nothing changed.
FigureSnapshot* TakeSnapshot(TObjectContainer& container);

// Undo and redo of a change kept as a snapshot: the figures of the container and
// of the snapshot change places, and those now in the container are drawn.
// Raises the memory exception, with nothing changed, when the entries for the
// difference in length cannot be made, so that the history stays where it is.
// A figure under construction goes on as the one that was under construction
// when the incoming figures left the container, if any.
void SwapSnapshot(TObjectContainer& container, FigureSnapshot& snapshot, BView* view);

// Gives the copy `to` the selection of `from`: the figure's flag and each
// vertex's marker state. Vertex counts must match.
void CopySelection(const TDShape& from, TDShape& to);
