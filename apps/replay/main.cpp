// sketch-replay: runs the module without a screen, from a script of what a
// person did, and writes what came of it.

#include <cctype>
#include <iostream>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "Preflight.h"
#include "Replay.h"
#include "Script.h"

namespace {

bool EndsWith(const std::string& s, const char* suffix) {
  const std::string tail(suffix);
  if (s.size() <= tail.size()) return false;
  std::string end = s.substr(s.size() - tail.size());
  for (char& ch : end) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return end == tail;
}

int Usage(const std::string& problem) {
  std::cerr << "sketch-replay: " << problem << "\n"
            << "usage: sketch-replay [--image FILE.png] [--out FILE.png] [--dump FILE.json] [--svg FILE.svg] SCRIPT|-\n"
            << "       sketch-replay --help\n";
  return kExitScript;
}

}  // namespace

int Main(int argc, char** argv) {
  ReplayOptions options;
  std::string scriptPath;
  std::set<std::string> given;
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    // Which of two values was meant cannot be guessed.
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0 && !given.insert(arg).second) {
      return Usage(arg + " is given twice");
    }
    const auto value = [&](const char* suffix, std::string& into) {
      if (k + 1 >= argc) return false;
      into = argv[++k];
      return EndsWith(into, suffix);
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << UsageText();
      return kExitOk;
    } else if (arg == "--image") {
      if (!value(".png", options.image)) return Usage("--image needs a file ending in .png");
    } else if (arg == "--out") {
      if (!value(".png", options.out)) return Usage("--out needs a file ending in .png");
    } else if (arg == "--dump") {
      if (!value(".json", options.dump)) return Usage("--dump needs a file ending in .json");
    } else if (arg == "--svg") {
      if (!value(".svg", options.svg)) return Usage("--svg needs a file ending in .svg");
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return Usage("unknown option " + arg);
    } else if (scriptPath.empty()) {
      scriptPath = arg;
    } else {
      return Usage("only one script can be replayed at a time");
    }
  }
  if (scriptPath.empty()) return Usage("no script given");

  std::vector<ScriptCommand> commands;
  if (const ReplayError e = ReadScript(scriptPath, commands); e.code != kExitOk) {
    std::cerr << "sketch-replay: " << e.message << "\n";
    return e.code;
  }
  Replay replay(options);
  const ReplayError result = replay.Run(commands);
  if (result.code != kExitOk) {
    std::cerr << "sketch-replay: " << (result.code == kExitScript ? scriptPath + ": " : std::string()) << result.message
              << "\n";
  }
  return result.code;
}

int main(int argc, char** argv) {
  // Memory can run out anywhere: in a huge document, a trace of millions of
  // points, the host's own lists. The run stops with its reason, not an abort.
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "sketch-replay: out of memory\n";
    return kExitFile;
  }
}
