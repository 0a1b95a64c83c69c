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

// The script at `path` ("-": standard input), read whole and parsed, as both
// hosts take one: a file that is not regular is refused before anything is
// read from it. On failure the error (1 for the file, memory included, 2 for
// the script's text) names the file.
ReplayError ReadScript(const std::string& path, std::vector<ScriptCommand>& commands);

// Names every document the script opens, activates and closes, in the order it
// runs; reads every picture it opens unless an earlier line writes that file;
// sees that --image is used, that every output can replace its file and, when
// the script needs the module, that the module loads. The first problem, or no
// error.
ReplayError CheckBeforeRun(const std::vector<ScriptCommand>& commands, const ReplayOptions& options);
