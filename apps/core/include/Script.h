#pragma once
// Replay scripts: the parsed form of what a person did, one command a line.
//
// The whole script is parsed before anything runs, so that a typing mistake on
// line 300 does not leave half a run's output behind. Everything that can be
// known without running the module is checked here: command words, the number
// of arguments, keywords, number syntax, ranges and file extensions. What only
// the run can know (whether a named document exists, whether a file can be
// read) is left to the runner, which reports it at the columns recorded here.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

enum class ScriptOp {
  // set-up
  Screen,   // ints = {W, H}
  Profile,  // words = {KEY, VALUE}; KEY is never empty, VALUE may be
  Load,     // no arguments
  Unload,   // no arguments
  // documents and views
  Document,  // words = {NAME} or {NAME, FILE}; ints = {} or {W, H}
  Activate,  // words = {NAME}
  Close,     // words = {NAME}
  View,      // ints = {W, H}
  Zoom,      // reals = {Z} or {Z, OX, OY}
  Grid,      // words = {"on"|"off"}; ints = {} or {SIZE} (only after "on");
             // an omitted SIZE stays omitted, the runner applies its default
  Repaint,   // no arguments
  // module, tools and options
  Mode,          // words = {"on"|"off"}
  Tool,          // ints = {N}
  ToolsOff,      // no arguments ("tools off")
  Apex,          // ints = {N}
  Palette,       // ints = {I, R, G, B}
  PaletteIndex,  // ints = {I}
  Display,       // words = {"black"|"transparent"|"inverted"|"palette"|"show"|"hide"}
  // input
  Key,           // words = {"down"|"up", "shift"|"ctrl"|"alt"|"space"}
  Press,         // ints = {X, Y}
  Move,          // ints = {X, Y}
  Release,       // ints = {X, Y}
  Cancel,        // no arguments
  Click,         // ints = {X, Y}
  Drag,          // ints = {X0, Y0, X1, Y1, N}; N is 4 when the line leaves it out
  Menu,          // ints = {N}
  AnswerScale,   // words = {TEXT, "ok"|"cancel"}; TEXT may be empty
  AnswerRotate,  // words = {TEXT, "cw"|"ccw", "ok"|"cancel"}; TEXT may be empty
  Undo,          // no arguments
  Redo,          // no arguments
  Replicate,     // ints = {KIND, X, Y}
  // output
  Snapshot,  // words = {FILE}, ending in .png
  Dump,      // words = {FILE}, ending in .json
  Region,    // words = {FILE}, ending in .png
  Trace,     // words = {FILE}, ending in .json
};

// One line of a script. Arguments are kept by type, each list in the order the
// line gives them; the keyword words that pick the op ("off" of "tools off",
// "scale" and "rotate" of "answer") are not repeated as arguments. Every integer
// has already been checked against its range, and every range lies within
// 32 bits, so a runner may narrow them to int. Reals are the floats the host
// takes, read from the text as a float reads it.
struct ScriptCommand {
  ScriptOp op = ScriptOp::Load;
  int line = 0;    // 1-based
  int column = 0;  // 1-based column of the command's first word

  std::vector<std::int64_t> ints;
  std::vector<float> reals;
  std::vector<std::string> words;  // quotes removed, escapes resolved

  // The 1-based column of each value above, list for list, so that a runner can
  // point at the argument that failed. 0 marks a value the line left out and
  // the parser filled in (the move count of drag).
  std::vector<int> intColumns;
  std::vector<int> realColumns;
  std::vector<int> wordColumns;
};

// What a line says: the op and its arguments, the signs of zeros included;
// where it was read (line and columns) does not count.
bool operator==(const ScriptCommand& a, const ScriptCommand& b);

// A command as a host makes it to be written, not read: no line or columns.
ScriptCommand MakeCommand(ScriptOp op, std::vector<std::int64_t> ints = {}, std::vector<std::string> words = {},
                          std::vector<float> reals = {});

// The line that reads back as `c` (ParseScript(FormatCommand(c)) gives c), with
// no end of line: the command word, then the words, the integers and the reals
// in their order, every real as the shortest text that reads back as the same
// float, and a word in quotes when bare it would read as something else. The
// words must be text a script can hold: UTF-8 without control characters.
std::string FormatCommand(const ScriptCommand& c);

// The first error in a script. Columns count bytes from 1, a tab as one; an
// argument that is missing is reported one past the line's last character.
struct ScriptError {
  int line = 0;
  int column = 0;
  std::string message;  // e.g. "expected on or off, found 'maybe'"
};

// Either every command of the script or the first error; never both.
struct ParseResult {
  std::variant<std::vector<ScriptCommand>, ScriptError> value;

  bool ok() const { return std::holds_alternative<std::vector<ScriptCommand>>(value); }
  // Only when ok().
  const std::vector<ScriptCommand>& commands() const { return std::get<std::vector<ScriptCommand>>(value); }
  // Only when !ok().
  const ScriptError& error() const { return std::get<ScriptError>(value); }
};

// Parses a whole script. Lines end in LF or CRLF; a UTF-8 byte-order mark at the
// very start is skipped and does not count towards columns.
ParseResult ParseScript(std::string_view text);

// "line L, column C: message".
std::string FormatError(const ScriptError& error);

// The command word(s) of an op as a script spells them: "palette-index",
// "tools off", "answer rotate".
const char* ScriptOpName(ScriptOp op);

// Every op, in the order of the enumeration.
const std::vector<ScriptOp>& AllScriptOps();

// What --help prints: the command line, the exit codes and every command with its
// arguments.
std::string UsageText();
