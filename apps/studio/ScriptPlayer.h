#pragma once
// Plays a sketch-replay script in the window: every line sketch-replay runs,
// one each turn of the event loop. What a person does in the window (keys, the
// mouse, the palette's tools and mode, the menu entries that reach the module,
// undo and redo) comes as the person's own events, which the studio handles,
// journals and records as it does the person's; the rest, and whatever no
// person could do at that moment (a greyed entry, a tool without a button),
// goes through the runner sketch-replay runs scripts with, and is recorded
// here. After each command it prints "played LINE" on standard output, so
// that a watcher knows how far it got.

#include <QObject>
#include <functional>
#include <vector>

#include "Replay.h"
#include "Script.h"

class StudioWindow;

class ScriptPlayer final : public QObject {
 public:
  // `options` as sketch-replay's: the picture of the document "main" (empty:
  // the built-in picture) and the module; the window's host runs them.
  ScriptPlayer(StudioWindow& window, std::vector<ScriptCommand> commands, ReplayOptions options);
  // Runs once, after the last line (code 0) or at the command that failed,
  // with what sketch-replay would say.
  void OnFinished(std::function<void(const ReplayError&)> finished) { fFinished = std::move(finished); }
  void Start();

 private:
  void Step();
  ReplayError Play(const ScriptCommand& c);
  // False when the window gives a person no way to do it.
  bool PlayAsInput(const ScriptCommand& c);
  // The documents the runner opened, into the session.
  void Adopt(HostDocument& doc, const std::string& picture);

  StudioWindow& fWindow;
  std::vector<ScriptCommand> fCommands;
  std::size_t fNext = 0;
  ReplayOptions fOptions;
  Replay fReplay;
  std::function<void(const ReplayError&)> fFinished;
};
