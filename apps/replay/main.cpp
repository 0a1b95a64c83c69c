// sketch-replay: runs the module without a screen, from a script of what a
// person did, and writes what came of it.

#include <CLI/CLI.hpp>

#include <cctype>
#include <iostream>
#include <new>
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
            << "       sketch-replay --help | --version\n";
  return kExitScript;
}

}  // namespace

// The options as CLI11 reads them; what a person typed wrong is said in the
// program's own words, in the order the checks below take.
int ReadOptions(int argc, char** argv, ReplayOptions& options, std::string& scriptPath) {
  CLI::App app{"", "sketch-replay"};
  app.set_help_flag();
  bool help = false;
  app.add_flag("-h,--help", help);
  app.set_version_flag("--version", std::string("sketch-replay ") + SKETCH_VERSION);
  struct File {
    const char* option;
    const char* suffix;
    std::string* into;
    std::vector<std::string> given;
  };
  File files[] = {{"--image", ".png", &options.image, {}},
                  {"--out", ".png", &options.out, {}},
                  {"--dump", ".json", &options.dump, {}},
                  {"--svg", ".svg", &options.svg, {}}};
  for (File& file : files) {
    // Every occurrence is kept, and a missing value read as empty, so that the
    // checks below can name what is wrong.
    app.add_option(file.option, file.given)
        ->expected(0, 1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
  }
  std::vector<std::string> scripts;
  app.add_option("script", scripts);
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    return Usage(error.what());
  }
  if (help) {
    std::cout << UsageText();
    return kExitOk;
  }
  for (const File& file : files) {
    // Which of two values was meant cannot be guessed.
    if (file.given.size() > 1) return Usage(std::string(file.option) + " is given twice");
    if (file.given.size() == 1 && !EndsWith(file.given[0], file.suffix)) {
      return Usage(std::string(file.option) + " needs a file ending in " + file.suffix);
    }
    if (file.given.size() == 1) *file.into = file.given[0];
  }
  for (const std::string& extra : app.remaining()) {
    if (extra != "--") return Usage("unknown option " + extra);
  }
  if (scripts.size() > 1) return Usage("only one script can be replayed at a time");
  if (scripts.empty()) return Usage("no script given");
  scriptPath = scripts[0];
  return -1;
}

int Main(int argc, char** argv) {
  ReplayOptions options;
  std::string scriptPath;
  if (const int code = ReadOptions(argc, argv, options, scriptPath); code >= 0) return code;

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
