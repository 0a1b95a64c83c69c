#include "Preflight.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <set>
#include <variant>

#include "Files.h"
#include "PngFile.h"
#include "Replay.h"

namespace {

namespace fs = std::filesystem;

ReplayError At(int code, const ScriptCommand& c, std::size_t word, const std::string& message) {
  const int column = word < c.wordColumns.size() ? c.wordColumns[word] : c.column;
  return {code, "line " + std::to_string(c.line) + ", column " + std::to_string(column) + ": " + message};
}

// Two spellings of one file are one file.
std::string SameFile(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return (error ? fs::path(path) : absolute).lexically_normal().string();
}

bool WritesPicture(ScriptOp op) { return op == ScriptOp::Snapshot || op == ScriptOp::Region; }

bool WritesFile(ScriptOp op) { return WritesPicture(op) || op == ScriptOp::Dump || op == ScriptOp::Trace; }

}  // namespace

bool NeedsModule(ScriptOp op) {
  switch (op) {
    case ScriptOp::Screen:
    case ScriptOp::Profile:
    case ScriptOp::Unload:
    case ScriptOp::Palette:
    case ScriptOp::Dump:
    case ScriptOp::AnswerScale:
    case ScriptOp::AnswerRotate:
    // Without a gesture there is nothing to end, and a gesture has them both.
    case ScriptOp::Cancel: return false;
    default: return true;
  }
}

bool NeedsDocument(ScriptOp op) {
  switch (op) {
    case ScriptOp::View:
    case ScriptOp::Zoom:
    case ScriptOp::Grid:
    case ScriptOp::Repaint:
    case ScriptOp::Press:
    case ScriptOp::Move:
    case ScriptOp::Release:
    case ScriptOp::Click:
    case ScriptOp::Drag:
    case ScriptOp::Menu:
    case ScriptOp::Replicate:
    case ScriptOp::Undo:
    case ScriptOp::Redo:
    case ScriptOp::Snapshot:
    case ScriptOp::Region:
    case ScriptOp::Trace: return true;
    default: return false;
  }
}

ReplayError ReadScript(const std::string& path, std::vector<ScriptCommand>& commands) {
  std::string text;
  if (std::string error = path == "-" ? ReadStandardInput(text) : ReadWholeFile(path, text); !error.empty()) {
    return {kExitFile, error};
  }
  // A script of huge lines can be read and still not parsed.
  try {
    ParseResult parsed = ParseScript(text);
    if (!parsed.ok()) return {kExitScript, path + ": " + FormatError(parsed.error())};
    commands = std::move(std::get<std::vector<ScriptCommand>>(parsed.value));
  } catch (const std::bad_alloc&) {
    return {kExitFile, path + ": out of memory"};
  }
  return {};
}

ReplayError CheckBeforeRun(const std::vector<ScriptCommand>& commands, const ReplayOptions& options) {
  // Documents in the order the host keeps them: closing the active one
  // activates the last, so a document is active exactly when one is open, and
  // the first command that needs one opens "main".
  std::vector<std::string> open;
  std::set<std::string> written;
  bool needsModule = !options.out.empty() || !options.svg.empty();
  const auto openMain = [&] {
    if (open.empty()) open.push_back("main");
  };
  const auto readable = [&](const std::string& picture) -> std::string {
    if (written.count(SameFile(picture)) != 0) return {};
    RgbImage probe;
    return ReadPng(picture, probe);
  };
  bool imageUsed = false;
  const auto needMain = [&]() -> std::string {
    if (!open.empty() || options.image.empty()) return {};
    imageUsed = true;
    return readable(options.image);
  };

  for (const ScriptCommand& c : commands) {
    needsModule = needsModule || NeedsModule(c.op);
    if (NeedsDocument(c.op)) {
      if (std::string error = needMain(); !error.empty()) return {1, error};
      openMain();
    }
    if (WritesFile(c.op)) {
      if (std::string why = CannotReplace(c.words[0]); !why.empty()) {
        return At(1, c, 0, c.words[0] + ": cannot be written (" + why + ")");
      }
      if (WritesPicture(c.op)) written.insert(SameFile(c.words[0]));
    }
    const auto named = [&] { return std::find(open.begin(), open.end(), c.words[0]); };
    switch (c.op) {
      case ScriptOp::Document:
        if (named() != open.end()) return At(2, c, 0, "a document named '" + c.words[0] + "' is already open");
        if (c.words.size() == 2) {
          if (std::string error = readable(c.words[1]); !error.empty()) return At(1, c, 1, error);
        }
        open.push_back(c.words[0]);
        break;
      case ScriptOp::Activate:
      case ScriptOp::Close: {
        const auto it = named();
        if (it == open.end()) return At(2, c, 0, "no document named '" + c.words[0] + "'");
        if (c.op == ScriptOp::Close) open.erase(it);
        break;
      }
      case ScriptOp::Unload: open.clear(); break;
      default: break;
    }
  }
  for (const std::string* output : {&options.out, &options.dump, &options.svg}) {
    if (output->empty()) continue;
    if (std::string why = CannotReplace(*output); !why.empty())
      return {1, *output + ": cannot be written (" + why + ")"};
  }
  if (!options.out.empty() || !options.svg.empty()) {
    if (std::string error = needMain(); !error.empty()) return {1, error};
  }
  // A picture given for nothing means the script is not the one meant.
  if (!options.image.empty() && !imageUsed) {
    return {kExitScript, "--image " + options.image + " is not used: the script opens every document it needs itself"};
  }
  if (needsModule) {
    if (std::string error = ModuleLoader::Probe(options.modulePath); !error.empty()) return {1, error};
  }
  return {};
}
