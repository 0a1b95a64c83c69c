#pragma once
// What a script will need, known before it runs: a script that would fail on
// line 300 must fail before line 1 writes anything.

#include <string>
#include <vector>

#include "Script.h"

struct ReplayOptions;
struct ReplayError;

// The module is loaded, and a document opened, before a command that needs them.
bool NeedsModule(ScriptOp op);
bool NeedsDocument(ScriptOp op);

// Names every document the script opens, activates and closes, in the order it
// runs; reads every picture it opens unless an earlier line writes that file;
// sees that every output can be created and, when the script needs the
// module, that the module loads. The first problem, or no error.
ReplayError CheckBeforeRun(const std::vector<ScriptCommand>& commands, const ReplayOptions& options);

// Whether `path` can be created or overwritten, without touching it: empty, or
// the reason it cannot.
std::string CannotCreate(const std::string& path);
