#pragma once
// Runs a parsed replay script against the host and the loaded module, and writes
// what came of it: snapshots, dumps, regions and traces.

#include <memory>
#include <string>
#include <vector>

#include "Host.h"
#include "Json.h"
#include "Script.h"

struct ReplayOptions {
  std::string image;  // the first document's picture; empty: the built-in one
  std::string out;    // snapshot after the last line, or empty
  std::string dump;   // dump after the last line, or empty
  std::string svg;    // the active document's sketch as SVG after the last line, or empty
  std::string modulePath = ModuleLoader::DefaultPath();
};

class OsScrollControl;

// The polygon option palette's scroll-bar control, which the user sets the
// polygon's vertex count with; null when the module made no such palette.
OsScrollControl* PolygonApexControl(BModuleInterface& module);

// The k-th of a drag's N moves, from 1: on the straight way from its first
// point to its second, each coordinate truncated toward zero; the last one on
// the second point.
OsImgPoint DragMove(const ScriptCommand& drag, int k);

// Exit codes of sketch-replay.
enum : int { kExitOk = 0, kExitFile = 1, kExitScript = 2 };

struct ReplayError {
  int code = kExitOk;
  std::string message;
};

class Replay {
 public:
  explicit Replay(ReplayOptions options)
      : fOptions(std::move(options)), fOwnHost(std::make_unique<Host>()), fHost(*fOwnHost) {}
  // Drives a host that lives on after the replay (the desktop host reopening
  // a saved sketch).
  Replay(ReplayOptions options, Host& host) : fOptions(std::move(options)), fHost(host) {}

  // Checks the script, runs every command, writes the outputs, then unloads.
  ReplayError Run(const std::vector<ScriptCommand>& commands);

  // One command, as Run does it; for drivers that look at the host between
  // commands, and for a host that plays some commands its own way.
  ReplayError Execute(const ScriptCommand& c);
  // What Execute does first: the module loaded and a document opened when the
  // command needs them.
  ReplayError Prepare(const ScriptCommand& c);
  // Whether the host dropped the step of the command executed last.
  bool StepDropped() const { return fDropped; }
  Host& GetHost() { return fHost; }

 private:
  // The --out, --dump and --svg outputs, as after the last line.
  ReplayError WriteOutputs();
  ReplayError EnsureModule();
  ReplayError EnsureDocument(HostDocument*& doc);
  ReplayError Snapshot(const std::string& path);
  ReplayError WriteDump(const std::string& path);
  ReplayError WriteRegion(const std::string& path);
  ReplayError WriteTrace(const std::string& path);
  ReplayError WriteSketchSvg(const std::string& path);
  // A step the host dropped because the module ran out of memory is recorded
  // as a message: the person could go on.
  void Dropped(const ScriptCommand& c, bool ok);
  // After a change the host's cursor follows, as the window system asks it to.
  void UpdateCursor();

  ReplayOptions fOptions;
  std::unique_ptr<Host> fOwnHost;
  Host& fHost;
  bool fDropped = false;
};
