#pragma once
// The state of a host and its loaded module as one JSON value: what the headless
// host writes as a dump, and what the desktop host's checks compare with it. The
// module's figures are read through their layout and virtual functions only.

#include "Host.h"
#include "Json.h"

class TObjectContainer;

// Runs the module's DoSetupMenus first, as a menu about to open would, so that
// the paste entry's state is current.
Json DumpHostState(Host& host);

// The sketch of a document, or null when it has none from this module.
TObjectContainer* SketchOf(const BDocument& document);
