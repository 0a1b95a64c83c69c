// The journal reader on damaged input: a journal cut at every byte keeps
// exactly the whole steps before the cut and says where it was cut; a line
// that does not parse stops the reading there. The recorder takes a dropped
// step back out. A picture copy the journal names is whole.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Script.h"
#include "ScriptRecorder.h"
#include "SessionOutput.h"
#include "SketchJournal.h"

namespace {

// A small journal, each line marked with whether the work is whole after it.
struct JournalLine {
  const char* text;
  bool whole;
};
const JournalLine kJournal[] = {
    {"# sketch-studio journal 1", true},
    {"screen 800 600", true},
    {"# picture 0123456789abcdef", true},
    {"document main \"my picture.png\"", true},
    {"tool 4", true},
    {"press 10 10", false},
    {"move 20 20", false},
    {"release 30 30", true},
    {"answer scale 150 ok", false},
    {"menu 5121", true},
    {"# a comment between steps", true},
    {"press 40 40", false},
    {"move 50 50", false},
    {"cancel", true},
    {"undo", true},
};

TEST(ReadJournal, KeepsTheWholeStepsOfEveryPrefix) {
  std::string text;
  std::vector<std::size_t> ends;
  for (const JournalLine& line : kJournal) {
    text += std::string(line.text) + "\n";
    ends.push_back(text.size());
  }
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    SCOPED_TRACE("cut after byte " + std::to_string(cut));
    const JournalRead read = ReadJournal(std::string_view(text).substr(0, cut));
    std::size_t complete = 0;
    while (complete < ends.size() && ends[complete] <= cut) ++complete;
    std::size_t whole = complete;
    while (whole > 0 && !kJournal[whole - 1].whole) --whole;
    ASSERT_EQ(read.lines.size(), whole);
    std::size_t commands = 0;
    for (std::size_t k = 0; k < whole; ++k) {
      EXPECT_EQ(read.lines[k], kJournal[k].text);
      commands += kJournal[k].text[0] == '#' ? 0 : 1;
    }
    EXPECT_EQ(read.commands.size(), commands);
    const bool partial = complete == 0 ? cut > 0 : ends[complete - 1] != cut;
    EXPECT_EQ(read.problems.empty(), !partial && whole == complete);
    if (partial) {
      EXPECT_EQ(read.problems[0].rfind("line " + std::to_string(complete + 1) + " is cut off", 0), 0u)
          << read.problems[0];
    }
    if (whole < complete) {
      EXPECT_NE(read.problems.back().find("line " + std::to_string(whole + 1) + ":"), std::string::npos)
          << read.problems.back();
    }
    // The picture's hash belongs to the document line after it.
    EXPECT_EQ(read.pictureHashes.size(), whole >= 4 ? 1u : 0u);
    if (whole >= 4) {
      EXPECT_EQ(read.pictureHashes.at(4), "0123456789abcdef");
    }
  }
}

// A line that does not parse stops the reading there; a step begun and never
// ended is left out, at the end or before a later one.
TEST(ReadJournal, SaysWhereTheWholeStepsEnd) {
  const struct {
    const char* text;
    std::size_t commands;
    const char* problem;  // how it begins
    const char* also;     // and what else it says
  } cases[] = {
      {"screen 800 600\ntool 4\nclick 1 1\ntool four\nundo\nredo\n", 3,
       "line 4, column 6: ", "lines 4 to 6 were left out"},
      {"press 1 1\nmove 2 2\n", 0, "line 1: the gesture begun there never ended", ""},
      {"tool 4\nanswer rotate 90 cw ok\n", 1, "line 2: dialog answers without their command", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const JournalRead read = ReadJournal(c.text);
    EXPECT_EQ(read.commands.size(), c.commands);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].rfind(c.problem, 0), 0u) << read.problems[0];
    EXPECT_NE(read.problems[0].find(c.also), std::string::npos) << read.problems[0];
  }
}

TEST(PictureHash, TellsPicturesApartBySizeAndByEachByte) {
  RgbImage wide(2, 1), tall(1, 2);
  EXPECT_EQ(PictureHash(wide), PictureHash(RgbImage(2, 1)));
  EXPECT_NE(PictureHash(wide), PictureHash(tall));
  for (std::size_t k = 0; k < wide.pixels.size(); ++k) {
    RgbImage changed = wide;
    changed.pixels[k] = 1;
    EXPECT_NE(PictureHash(changed), PictureHash(wide)) << k;
  }
}

TEST(BeginsWith, WantsTheMarkerAsAWholeLine) {
  EXPECT_TRUE(BeginsWith("# sketch-studio sketch 1\ntool 4\n", kSketchMarker));
  EXPECT_TRUE(BeginsWith("# sketch-studio sketch 1\r\n", kSketchMarker));
  EXPECT_TRUE(BeginsWith("# sketch-studio sketch 1", kSketchMarker));
  EXPECT_FALSE(BeginsWith("# sketch-studio sketch 12\n", kSketchMarker));
  EXPECT_FALSE(BeginsWith("tool 4\n# sketch-studio sketch 1\n", kSketchMarker));
  EXPECT_FALSE(BeginsWith("# sketch-studio journal 1\n", kSketchMarker));
}

ScriptCommand Command(const char* line) { return ParseScript(line).commands().at(0); }

// A step the host dropped leaves the session and the journal: a gesture from
// its press, a menu command with its answers (held for it, or written before
// it as a script plays them); a key or a tool stays.
TEST(ScriptRecorder, DropsTheStepJustWrittenFromTheSessionAndTheJournal) {
  const std::string path = ::testing::TempDir() + "recorder-journal.txt";
  ScriptRecorder recorder;
  ASSERT_EQ(recorder.OpenJournal(path, "# marker"), "");
  const auto record = [&recorder](const char* line) { recorder.Record(Command(line)); };
  record("tool 4");
  record("press 1 1");
  record("move 2 2");
  recorder.DropStep();
  record("key down shift");
  recorder.DropStep();
  recorder.Hold();
  record("answer scale 150 ok");
  recorder.Release(Command("menu 5100"));
  recorder.DropStep();
  recorder.DropStep();  // once only
  record("answer rotate 1 cw cancel");
  record("answer rotate 90 cw ok");
  record("menu 5123");
  recorder.DropStep();
  record("press 3 3");
  recorder.DropStep();
  // Moves that go on after a dropped press belong to no step; a later drop
  // leaves them.
  record("move 3 4");
  recorder.DropStep();
  recorder.Comment("# picture 0123456789abcdef");
  recorder.DropStep();
  record("press 3 3");
  record("release 4 4");
  const std::string kept = "tool 4\nkey down shift\nmove 3 4\n# picture 0123456789abcdef\npress 3 3\nrelease 4 4\n";
  EXPECT_EQ(recorder.Session(), kept);
  std::ifstream file(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "# marker\n" + kept);
  std::remove(path.c_str());
}

// A copy already there is used only when it holds the very pixels it is
// named after: one cut short by a full disk, holding others or no file at all
// is written again, never seen half written. A copy that cannot be written is
// said, with the system's reason, and leaves nothing behind.
TEST(KeepPictureCopy, UsesOnlyAWholeCopyOfThePicture) {
  namespace fs = std::filesystem;
  const fs::path folder = ::testing::TempDir() + "picture-copies";
  RgbImage picture(3, 2), other(3, 2);
  picture.pixels[4] = 200;
  const fs::path copy = folder / (PictureHash(picture) + ".png");
  const struct {
    const char* there;
    bool kept;            // the file there is the copy
    const char* failure;  // why no copy is written
  } cases[] = {
      {"nothing", false, nullptr},
      {"the copy", true, nullptr},
      {"the copy cut short", false, nullptr},
      {"other pixels", false, nullptr},
      {"a FIFO", false, nullptr},
      {"a folder", true, "Is a directory"},
      {"a file for the folder", true, "Not a directory"},
      {"no folder yet", false, nullptr},
  };
  // Written as any new file is, for others to read beside a saved sketch.
  const mode_t mask = umask(0);
  umask(mask);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.there);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string there = c.there;
    if (there == "the copy" || there == "the copy cut short" || there == "other pixels") {
      ASSERT_EQ(WritePng(copy.string(), there == "other pixels" ? other : picture), "");
    }
    if (there == "the copy cut short") fs::resize_file(copy, fs::file_size(copy) / 2);
    if (there == "a FIFO") {
      ASSERT_EQ(mkfifo(copy.c_str(), 0600), 0);
    }
    if (there == "a folder") fs::create_directory(copy);
    if (there == "a file for the folder" || there == "no folder yet") fs::remove(folder);
    if (there == "a file for the folder") std::ofstream(folder) << "x";
    struct stat before {};
    lstat(copy.c_str(), &before);

    std::string path;
    const std::string error = KeepPictureCopy(QString::fromStdString(folder.string()), picture, path);
    EXPECT_EQ(path, copy.string());
    if (c.failure == nullptr) {
      EXPECT_EQ(error, "");
      RgbImage back;
      ASSERT_EQ(ReadPng(path, back), "");
      EXPECT_EQ(PictureHash(back), PictureHash(picture));
      struct stat written {};
      ASSERT_EQ(stat(path.c_str(), &written), 0);
      EXPECT_EQ(written.st_mode & 0777, 0666 & ~mask);
    } else {
      EXPECT_EQ(error, copy.string() + ": cannot write (" + c.failure + ")");
    }
    struct stat after {};
    lstat(copy.c_str(), &after);
    EXPECT_EQ(after.st_ino == before.st_ino, c.kept);
    if (fs::is_directory(folder)) {
      EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
    }
  }
  fs::remove_all(folder);
}

}  // namespace
