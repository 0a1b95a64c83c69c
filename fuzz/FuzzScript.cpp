// The replay script parser on arbitrary bytes. Whatever it is given, it either
// returns commands whose values a runner can use as they are, or one error that
// points into the text; and a command written back as a line reads back the same.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "Script.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_script: %s: %s\n", what, detail.c_str());
  std::abort();
}

void Expect(bool holds, const char* what, const std::string& detail = {}) {
  if (!holds) Broken(what, detail);
}

std::string Describe(const ScriptCommand& c) {
  std::string text = std::string(ScriptOpName(c.op)) + " at line " + std::to_string(c.line) + ":";
  for (std::int64_t v : c.ints) text += " " + std::to_string(v);
  for (float v : c.reals) text += " " + std::to_string(v);
  for (const std::string& w : c.words) text += " '" + w + "'";
  return text;
}

bool IsOneOf(const std::string& word, std::initializer_list<const char*> choices) {
  for (const char* c : choices) {
    if (word == c) return true;
  }
  return false;
}

bool EndsWith(const std::string& word, std::string_view extension) {
  if (word.size() <= extension.size()) return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const char c = word[word.size() - extension.size() + i];
    if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != extension[i]) return false;
  }
  return true;
}

bool AllWithin(const ScriptCommand& c, std::size_t from, std::int64_t lo, std::int64_t hi) {
  for (std::size_t i = from; i < c.ints.size(); ++i) {
    if (c.ints[i] < lo || c.ints[i] > hi) return false;
  }
  return true;
}

// What each command promises its runner: how many values of each kind, and
// their ranges, as the usage text states them.
void CheckValues(const ScriptCommand& c) {
  const std::size_t ints = c.ints.size(), reals = c.reals.size(), words = c.words.size();
  constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
  bool ok = false;
  switch (c.op) {
    case ScriptOp::Screen:
    case ScriptOp::View: ok = ints == 2 && reals == 0 && words == 0 && AllWithin(c, 0, 1, 16384); break;
    case ScriptOp::Profile: ok = ints == 0 && reals == 0 && words == 2 && !c.words[0].empty(); break;
    case ScriptOp::Load:
    case ScriptOp::Unload:
    case ScriptOp::Repaint:
    case ScriptOp::ToolsOff:
    case ScriptOp::Cancel:
    case ScriptOp::Undo:
    case ScriptOp::Redo: ok = ints == 0 && reals == 0 && words == 0; break;
    case ScriptOp::Document:
      ok = reals == 0 && !c.words.empty() && !c.words[0].empty() &&
           ((words == 1 && ints == 0) || (words == 1 && ints == 2 && AllWithin(c, 0, 1, 16384)) ||
            (words == 2 && ints == 0 && EndsWith(c.words[1], ".png")));
      break;
    case ScriptOp::Activate:
    case ScriptOp::Close: ok = ints == 0 && reals == 0 && words == 1 && !c.words[0].empty(); break;
    case ScriptOp::Zoom: {
      ok = ints == 0 && words == 0 && (reals == 1 || reals == 3);
      if (!ok) break;
      ok = c.reals[0] <= 1000.0f && c.reals[0] > 0.0f;
      for (float r : c.reals) ok = ok && std::isfinite(r);
      break;
    }
    case ScriptOp::Grid:
      ok = reals == 0 && words == 1 &&
           ((c.words[0] == "off" && ints == 0) || (c.words[0] == "on" && ints <= 1 && AllWithin(c, 0, 1, 65535)));
      break;
    case ScriptOp::Mode: ok = ints == 0 && reals == 0 && words == 1 && IsOneOf(c.words[0], {"on", "off"}); break;
    case ScriptOp::Tool:
    case ScriptOp::Apex: ok = ints == 1 && reals == 0 && words == 0 && AllWithin(c, 0, -32768, 32767); break;
    case ScriptOp::Palette: ok = ints == 4 && reals == 0 && words == 0 && AllWithin(c, 0, 0, 255); break;
    case ScriptOp::PaletteIndex: ok = ints == 1 && reals == 0 && words == 0 && AllWithin(c, 0, 0, 255); break;
    case ScriptOp::Display:
      ok = ints == 0 && reals == 0 && words == 1 &&
           IsOneOf(c.words[0], {"black", "transparent", "inverted", "palette", "show", "hide"});
      break;
    case ScriptOp::Key:
      ok = ints == 0 && reals == 0 && words == 2 && IsOneOf(c.words[0], {"down", "up"}) &&
           IsOneOf(c.words[1], {"shift", "ctrl", "alt", "space"});
      break;
    case ScriptOp::Press:
    case ScriptOp::Move:
    case ScriptOp::Release:
    case ScriptOp::Click: ok = ints == 2 && reals == 0 && words == 0 && AllWithin(c, 0, kMin32, kMax32); break;
    case ScriptOp::Drag:
      ok = ints == 5 && reals == 0 && words == 0 && AllWithin(c, 0, kMin32, kMax32) && AllWithin(c, 4, 1, 100000);
      break;
    case ScriptOp::Menu: ok = ints == 1 && reals == 0 && words == 0 && AllWithin(c, 0, 0, 65535); break;
    case ScriptOp::AnswerScale:
      ok = ints == 0 && reals == 0 && words == 2 && IsOneOf(c.words[1], {"ok", "cancel"});
      break;
    case ScriptOp::AnswerRotate:
      ok = ints == 0 && reals == 0 && words == 3 && IsOneOf(c.words[1], {"cw", "ccw"}) &&
           IsOneOf(c.words[2], {"ok", "cancel"});
      break;
    case ScriptOp::Replicate: ok = ints == 3 && reals == 0 && words == 0 && AllWithin(c, 0, kMin32, kMax32); break;
    case ScriptOp::Snapshot:
    case ScriptOp::Region: ok = ints == 0 && reals == 0 && words == 1 && EndsWith(c.words[0], ".png"); break;
    case ScriptOp::Dump:
    case ScriptOp::Trace: ok = ints == 0 && reals == 0 && words == 1 && EndsWith(c.words[0], ".json"); break;
  }
  Expect(ok, "a command's values break what the parser promises", Describe(c));
  Expect(c.intColumns.size() == ints && c.realColumns.size() == reals && c.wordColumns.size() == words,
         "a value without its column", Describe(c));
}

// The lines of the text as the parser numbers them, without their ends.
std::vector<std::string_view> Lines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

bool InsideLine(const std::vector<std::string_view>& lines, int line, int column) {
  if (line < 1 || static_cast<std::size_t>(line) > lines.size()) return false;
  return column >= 1 && static_cast<std::size_t>(column) <= lines[static_cast<std::size_t>(line) - 1].size() + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParseResult result = ParseScript(text);
  const std::vector<std::string_view> lines = Lines(text);
  if (!result.ok()) {
    const ScriptError& error = result.error();
    Expect(InsideLine(lines, error.line, error.column), "an error points outside the text", FormatError(error));
    Expect(!error.message.empty(), "an error without a message", FormatError(error));
    return 0;
  }
  int previousLine = 0;
  for (const ScriptCommand& c : result.commands()) {
    Expect(c.line > previousLine && InsideLine(lines, c.line, c.column), "a command points outside the text",
           Describe(c));
    previousLine = c.line;
    CheckValues(c);
    const std::string line = FormatCommand(c);
    const ParseResult again = ParseScript(line);
    Expect(again.ok(), "a command written back does not read back",
           line + " -> " + (again.ok() ? "" : FormatError(again.error())));
    Expect(again.commands().size() == 1 && again.commands()[0] == c, "a command written back reads back as another",
           line);
  }
  return 0;
}
