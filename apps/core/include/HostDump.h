#pragma once
// What a host writes about its loaded module: the state as one JSON value (the
// headless host's dump, which the desktop host's checks compare with), a
// document's active region and its trace. The module's figures are read
// through their layout and virtual functions only.

#include <string_view>

#include "Host.h"
#include "Json.h"

class TObjectContainer;

// Runs the module's DoSetupMenus first, as a menu about to open would, so that
// the paste entry's state is current.
Json DumpHostState(Host& host);

// The resource number of the cursor the module has loaded, the one it shows
// when the window system next asks; 0 without one.
unsigned LoadedCursorId(const Host& host);

// The sketch of a document, or null when it has none from this module.
TObjectContainer* SketchOf(const BDocument& document);

// The active region of the document (SketchCalcActRegion) as a grey PNG the
// size of its picture: 255 inside, 0 outside. Empty on success, otherwise what
// went wrong, naming the file.
std::string WriteRegionMask(const Host& host, HostDocument& doc, const std::string& path);

// Replaces `path` with `text` as ReplaceFile does: empty on success, otherwise
// what went wrong, naming the file and giving the system's reason.
std::string WriteTextFile(const std::string& path, std::string_view text);

// The document's trace (GetTraceList) as {"ok": …, "points": [[x, y], …]}.
std::string WriteTraceList(const Host& host, HostDocument& doc, const std::string& path);
