#pragma once
// Plays a sketch-replay script into the window as a person's input: mouse and
// key events sent to the view, palette buttons clicked, menu entries chosen,
// one command each turn of the event loop. The studio handles each as it
// would the person's own, journal included. After each command it prints
// "played LINE" on standard output, so that a watcher knows how far it got.

#include <QObject>
#include <vector>

#include "Script.h"

class StudioWindow;

class ScriptPlayer final : public QObject {
 public:
  // Which commands can be played; the first that cannot, or none.
  static const ScriptCommand* Unplayable(const std::vector<ScriptCommand>& commands);

  ScriptPlayer(StudioWindow& window, std::vector<ScriptCommand> commands);
  void Start();

 private:
  void Step();
  void Play(const ScriptCommand& c);

  StudioWindow& fWindow;
  std::vector<ScriptCommand> fCommands;
  std::size_t fNext = 0;
};
