#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PngFile.h"
#include "Preflight.h"
#include "Replay.h"

namespace {

namespace fs = std::filesystem;

class CheckBeforeRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fDir = fs::temp_directory_path() / ("sketch-preflight-" + std::to_string(::getpid()));
    fs::create_directories(fDir / "folder.json");
    fOptions.modulePath = SKETCH_MODULE_PATH;
  }
  void TearDown() override { fs::remove_all(fDir); }

  // The script's file names are taken in the scratch folder.
  std::string Check(std::string script) {
    for (std::size_t at = script.find('@'); at != std::string::npos; at = script.find('@')) {
      script.replace(at, 1, fDir.string() + "/");
    }
    const ParseResult parsed = ParseScript(script);
    if (!parsed.ok()) return "parse: " + FormatError(parsed.error());
    const ReplayError e = CheckBeforeRun(parsed.commands(), fOptions);
    std::string message = e.message;
    for (std::size_t at = message.find(fDir.string() + "/"); at != std::string::npos;
         at = message.find(fDir.string() + "/")) {
      message.replace(at, fDir.string().size() + 1, "@");
    }
    return std::to_string(e.code) + " " + message;
  }

  fs::path fDir;
  ReplayOptions fOptions;
};

TEST_F(CheckBeforeRunTest, FollowsTheDocumentsAsTheHostWillOpenAndCloseThem) {
  const std::vector<std::pair<std::string, std::string>> table = {
      {"dump @early.json\nactivate nowhere", "2 line 2, column 10: no document named 'nowhere'"},
      {"document a\ndocument a 5 5", "2 line 2, column 10: a document named 'a' is already open"},
      // The first command that needs a document opens "main".
      {"click 1 1\ndocument main", "2 line 2, column 10: a document named 'main' is already open"},
      {"document a\nclose a\nclick 1 1\nactivate main\nclose main", "0 "},
      {"document a\ndocument b\nclose b\nactivate b", "2 line 4, column 10: no document named 'b'"},
      {"tool 4\nactivate main", "2 line 2, column 10: no document named 'main'"},
      {"cancel\nactivate main", "2 line 2, column 10: no document named 'main'"},
      {"click 1 1\nunload\nclose main", "2 line 3, column 7: no document named 'main'"},
  };
  for (const auto& [script, result] : table) EXPECT_EQ(Check(script), result) << script;
}

TEST_F(CheckBeforeRunTest, ReadsEveryPictureUnlessTheScriptWroteItEarlier) {
  EXPECT_EQ(Check("snapshot @a.png\ndocument b @./a.png"), "0 ");
  EXPECT_EQ(Check("region @a.png\ndocument b @a.png"), "0 ");
  EXPECT_EQ(Check("document b @a.png\nsnapshot @a.png"), "1 line 1, column 12: @a.png: cannot open the file");
  EXPECT_EQ(Check("dump @a.png.json\ndocument b @a.png"), "1 line 2, column 12: @a.png: cannot open the file");
  fOptions.image = (fDir / "missing.png").string();
  EXPECT_EQ(Check("tool 4\nclick 1 1"), "1 @missing.png: cannot open the file");
  fOptions.out = (fDir / "out.png").string();
  EXPECT_EQ(Check("document a\nclose a"), "1 @missing.png: cannot open the file");
  fOptions.out.clear();
  fOptions.svg = (fDir / "out.svg").string();
  EXPECT_EQ(Check("document a\nclose a"), "1 @missing.png: cannot open the file");
}

TEST_F(CheckBeforeRunTest, APictureGivenForTheFirstDocumentMustBeUsed) {
  ASSERT_EQ(WritePng((fDir / "pic.png").string(), RgbImage(2, 2)), "");
  fOptions.image = (fDir / "pic.png").string();
  const std::string unused = "2 --image @pic.png is not used: the script opens every document it needs itself";
  const std::vector<std::pair<std::string, std::string>> table = {
      {"click 1 1", "0 "},
      {"document a\nclick 1 1", unused},
      {"dump @d.json", unused},
      {"document a\nclose a\nclick 1 1", "0 "},
  };
  for (const auto& [script, result] : table) EXPECT_EQ(Check(script), result) << script;
  fOptions.out = (fDir / "out.png").string();  // the snapshot at the end opens one
  EXPECT_EQ(Check("dump @d.json"), "0 ");
}

TEST_F(CheckBeforeRunTest, EveryOutputMustBeCreatable) {
  EXPECT_EQ(Check("dump @early.json\nsnapshot @nowhere/x.png"),
            "1 line 2, column 10: @nowhere/x.png: cannot be written (the folder '@nowhere' does not exist)");
  EXPECT_EQ(Check("trace @folder.json"), "1 line 1, column 7: @folder.json: cannot be written (is a directory)");
  std::ofstream(fDir / "file.png") << "x";
  EXPECT_EQ(Check("region @file.png/r.png"),
            "1 line 1, column 8: @file.png/r.png: cannot be written ('@file.png' is not a folder)");
  EXPECT_EQ(Check("snapshot @file.png"), "0 ");  // an existing file is overwritten
  // A FIFO would block the write, and a link loop has no file at its end.
  ASSERT_EQ(mkfifo((fDir / "fifo.json").c_str(), 0600), 0);
  EXPECT_EQ(Check("dump @fifo.json"), "1 line 1, column 6: @fifo.json: cannot be written (is not a regular file)");
  fs::create_symlink("loop.json", fDir / "loop.json");
  EXPECT_EQ(Check("dump @loop.json"),
            "1 line 1, column 6: @loop.json: cannot be written (" + std::string(std::strerror(ELOOP)) + ")");
  fOptions.dump = (fDir / "folder.json").string();
  EXPECT_EQ(Check("undo"), "1 @folder.json: cannot be written (is a directory)");
  fOptions.dump.clear();
  fOptions.svg = (fDir / "nowhere" / "x.svg").string();
  EXPECT_EQ(Check("undo"), "1 @nowhere/x.svg: cannot be written (the folder '@nowhere' does not exist)");
}

TEST_F(CheckBeforeRunTest, TheModuleMustLoadWhenTheScriptNeedsIt) {
  fOptions.modulePath = "libc.so.6";
  EXPECT_EQ(Check("screen 10 10\nprofile a b\npalette 1 2 3 4\nanswer scale 5 ok\ncancel\ndump @d.json\nunload"), "0 ");
  EXPECT_EQ(Check("load"), "1 libc.so.6: not a module (its entry point or exports are missing)");
  EXPECT_EQ(Check("key down shift"), "1 libc.so.6: not a module (its entry point or exports are missing)");
  fOptions.out = (fDir / "out.png").string();
  EXPECT_EQ(Check(""), "1 libc.so.6: not a module (its entry point or exports are missing)");
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
  EXPECT_EQ(run("close b"), "2 line 1, column 1: no document named 'b'");
  replay.GetHost().Unload();
}

}  // namespace
