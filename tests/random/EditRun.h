#pragma once
// Random editing runs: everything a person can do, generated from a seed or
// from bytes, run through the host and the loaded module as replay-script lines
// with the invariants checked after every line. A failing run names the event
// it failed at; its events are a script that sketch-replay runs as it is.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class Host;
class TDShape;

// One thing the person did: one or more script lines that belong together (a
// dialog's answer and the menu command that opens it).
struct EditEvent {
  std::vector<std::string> lines;
};

struct EditFailure {
  std::size_t event = 0;  // index of the event during which it failed
  std::string kind;       // the invariant
  std::string message;
};

struct EditRunResult {
  std::vector<EditEvent> events;  // as run, up to and including a failing one
  std::optional<EditFailure> failure;
};

struct EditRunConfig {
  std::string modulePath;
  int events = 2000;
  // How often every step of the history is undone and redone again.
  int roundTripEvery = 64;
  // Each run in a process of its own; a fuzzer that keeps one process for
  // many inputs turns it off and accepts what the module's globals carry over.
  bool isolate = true;
  // Called after each line has run and before it is checked: lets a test break
  // the state the way a faulty module would.
  std::function<void(Host&, const std::string& line)> tamper;
};

// Events from a fixed seed; the same seed gives the same run everywhere.
EditRunResult RunSeed(std::uint64_t seed, const EditRunConfig& config);

// Events from the bytes until they run out; for a structure-aware fuzzer.
EditRunResult RunEditEvents(const std::uint8_t* data, std::size_t size, const EditRunConfig& config);

// The events as a replay script, one line each.
std::string ScriptOf(const std::vector<EditEvent>& events);

// The variable's number, or `otherwise` when it holds none above 0.
int EnvNumber(const char* name, int otherwise);

// The keys, profile, beeps and screen of the platform as a fresh process has
// them, so that a session does not depend on the one before it.
void ResetPlatform();

// What body wrote on the descriptor in a forked child, and its wait status.
struct ChildRun {
  std::string out;
  int status = 0;
};
std::optional<ChildRun> InChild(const std::function<void(int fd)>& body);
void WriteAll(int fd, const std::string& text);

// What must hold after every input event (EditInvariants.cpp). The module's
// objects are read through their layout, as the hosts read them.

// A figure on one line, every float exactly: its class, whether it is open, and
// each vertex's points, steps and smoothness; with `marks`, also what selecting
// and the bounds make of it.
std::string FigureText(const TDShape& shape, bool marks);

// Every figure held by an open document, the clipboard or a step of a history
// is held once, and what a step holds agrees with whether it is done or undone.
// Empty when that holds, otherwise the first breach.
std::string CheckOwnership(Host& host);
