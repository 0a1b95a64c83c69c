#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "PngFile.h"
#include "Preflight.h"
#include "Replay.h"

namespace {

namespace fs = std::filesystem;

class CheckBeforeRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(fDir / "folder.json");
    fs::current_path(fDir);
    std::ofstream("file.png") << "x";
    ASSERT_EQ(WritePng("pic.png", RgbImage(2, 2)), "");
    ASSERT_EQ(mkfifo("fifo.json", 0600), 0);
    fs::create_symlink("loop.json", "loop.json");
  }
  void TearDown() override {
    fs::current_path(fHome);
    fs::remove_all(fDir);
  }

  // The options of a row; every member has a value, so a row names only its own.
  struct Options {
    std::string image = {}, out = {}, dump = {}, svg = {}, modulePath = SKETCH_MODULE_PATH;
  };
  static std::string Check(const std::string& script, const Options& o) {
    const ReplayError e = CheckBeforeRun(ParseScript(script).commands(), {o.image, o.out, o.dump, o.svg, o.modulePath});
    return std::to_string(e.code) + " " + e.message;
  }

  const fs::path fHome = fs::current_path();
  const fs::path fDir = fs::temp_directory_path() / ("sketch-preflight-" + std::to_string(::getpid()));
};

TEST_F(CheckBeforeRunTest, RefusesTheFirstProblemBeforeAnythingRuns) {
  const std::string unused = "2 --image pic.png is not used: the script opens every document it needs itself";
  const std::string notModule = "1 libc.so.6: not a module (its entry point or exports are missing)";
  const struct {
    const char* script;
    Options options;
    std::string result;
  } table[] = {
      // Documents followed as the host will open and close them; the first
      // command that needs one opens "main".
      {"click 1 1\ndocument main", {}, "2 line 2, column 10: a document named 'main' is already open"},
      {"document a\nclose a\nclick 1 1\nactivate main\nclose main", {}, "0 "},
      {"document a\ndocument b\nclose b\nactivate b", {}, "2 line 4, column 10: no document named 'b'"},
      {"tool 4\nactivate main", {}, "2 line 2, column 10: no document named 'main'"},
      {"click 1 1\nunload\nclose main", {}, "2 line 3, column 7: no document named 'main'"},
      // Every picture is read, unless the script wrote it earlier.
      {"snapshot a.png\ndocument b ./a.png", {}, "0 "},
      {"document b a.png\nsnapshot a.png", {}, "1 line 1, column 12: a.png: cannot open the file"},
      {"dump a.png.json\ndocument b a.png", {}, "1 line 2, column 12: a.png: cannot open the file"},
      {"tool 4\nclick 1 1", {.image = "missing.png"}, "1 missing.png: cannot open the file"},
      {"document a\nclose a", {.image = "missing.png", .out = "o.png"}, "1 missing.png: cannot open the file"},
      // A picture given for the first document must be used; the snapshot of
      // --out opens one at the end.
      {"click 1 1", {.image = "pic.png"}, "0 "},
      {"document a\nclick 1 1", {.image = "pic.png"}, unused},
      // Every output must be creatable: an existing file is overwritten, a
      // FIFO would block the write, and a link loop has no file at its end.
      {"trace folder.json", {}, "1 line 1, column 7: folder.json: cannot be written (is a directory)"},
      {"region file.png/r.png",
       {},
       "1 line 1, column 8: file.png/r.png: cannot be written ('file.png' is not a folder)"},
      {"snapshot file.png", {}, "0 "},
      {"dump fifo.json", {}, "1 line 1, column 6: fifo.json: cannot be written (is not a regular file)"},
      {"dump loop.json", {}, "1 line 1, column 6: loop.json: cannot be written (" + std::string(strerror(ELOOP)) + ")"},
      // The module must load when the script needs it, and only then.
      {"screen 10 10\nprofile a b\npalette 1 2 3 4\nanswer scale 5 ok\ncancel\ndump d.json\nunload",
       {.modulePath = "libc.so.6"},
       "0 "},
      {"load", {.modulePath = "libc.so.6"}, notModule},
      {"", {.out = "out.png", .modulePath = "libc.so.6"}, notModule},
  };
  for (const auto& row : table) EXPECT_EQ(Check(row.script, row.options), row.result) << row.script;
}

// A driver that runs lines without that check (a sketch reopened in the
// desktop host) still meets the document rules, at the line that breaks them.
TEST(ReplayExecute, RefusesDocumentNamesAtTheLineThatBreaksThem) {
  ReplayOptions options;
  options.modulePath = SKETCH_MODULE_PATH;
  Replay replay(options);
  const auto run = [&replay](const char* line) {
    const ReplayError e = replay.Execute(ParseScript(line).commands().at(0));
    return std::to_string(e.code) + " " + e.message;
  };
  EXPECT_EQ(run("document a 4 3"), "0 ");
  EXPECT_EQ(run("  document a 4 3"), "2 line 1, column 3: a document named 'a' is already open");
  EXPECT_EQ(run("activate b"), "2 line 1, column 1: no document named 'b'");
  replay.GetHost().Unload();
}

}  // namespace
