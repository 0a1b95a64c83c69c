#pragma once
// What the module's trackers, raster and dialogs take from the interface
// object, without the interface's own header: the tool in force, the state it
// shares with the host, the module's instance, and the way back from a press
// the host drops.

#include <cstdint>

#include "BModuleInterface.h"

class TObjectContainer;
struct OsModuleInstance;

// A copy of the current tool number (SketchTools.h), set by every tool change:
// the drawing trackers make the figure of the tool. -1 until the first change.
extern std::int16_t gCurrentTool;

// The interface object as its host base sees it: the host's read-out
// (fHostServices), colour service and display choices, the module's identifier.
BModuleInterface& SketchInterface();

// The module's instance, for its resources: null until the library is attached,
// which makes the lookups search every attached library.
OsModuleInstance* SketchInstance();

// A gesture that runs out of memory at any phase is dropped by the host, press
// and all: what the press changed in the container before its tracker existed
// goes back then.
void SketchRestorePress(TObjectContainer& container);
