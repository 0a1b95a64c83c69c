// The journal reader on damaged input, and the recorder taking a dropped step back out.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
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
  }
}

// A step begun and never ended is left out, at the end or before a later one.
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

// Pictures of one size are told apart by each byte, and by their shape.
TEST(PictureHash, TellsPicturesApartBySizeAndByEachByte) {
  RgbImage wide(2, 1);
  EXPECT_NE(PictureHash(wide), PictureHash(RgbImage(1, 2)));
  for (std::size_t k = 0; k < wide.pixels.size(); ++k) {
    RgbImage changed = wide;
    changed.pixels[k] = 1;
    EXPECT_NE(PictureHash(changed), PictureHash(wide)) << k;
  }
}

// A dropped step leaves the session and the journal once only; moves that go on
// after a dropped press belong to no step and stay.
TEST(ScriptRecorder, DropsTheStepJustWrittenFromTheSessionAndTheJournal) {
  const std::string path = ::testing::TempDir() + "recorder-journal.txt";
  ScriptRecorder recorder;
  ASSERT_EQ(recorder.OpenJournal(path, "# marker"), "");
  // "held C": the command the held answers go with.
  std::istringstream steps(
      "tool 4\npress 1 1\nmove 2 2\ndrop\nkey down shift\ndrop\nhold\nanswer scale 150 ok\nheld menu 5100\ndrop\n"
      "drop\nanswer rotate 1 cw cancel\nanswer rotate 90 cw ok\nmenu 5123\ndrop\npress 3 3\ndrop\nmove 3 4\ndrop\n"
      "# picture 0123456789abcdef\ndrop\npress 3 3\nrelease 4 4\n");
  for (std::string step; std::getline(steps, step);) {
    if (step == "drop") {
      recorder.DropStep();
    } else if (step == "hold") {
      recorder.Hold();
    } else if (step.starts_with("held ")) {
      recorder.Release(ParseScript(step.substr(5)).commands().at(0));
    } else if (step[0] == '#') {
      recorder.Comment(step);
    } else {
      recorder.Record(ParseScript(step).commands().at(0));
    }
  }
  const std::string kept = "tool 4\nkey down shift\nmove 3 4\n# picture 0123456789abcdef\npress 3 3\nrelease 4 4\n";
  EXPECT_EQ(recorder.Session(), kept);
  std::ifstream file(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "# marker\n" + kept);
  std::remove(path.c_str());
}

// A copy there is used only if it holds the pixels it is named after; others are rewritten whole.
TEST(KeepPictureCopy, UsesOnlyAWholeCopyOfThePicture) {
  namespace fs = std::filesystem;
  const fs::path folder = ::testing::TempDir() + "picture-copies";
  RgbImage picture(3, 2), other(3, 2);
  picture.pixels[4] = 200;
  const fs::path copy = folder / (PictureHash(picture) + ".png");
  // Written as any new file is, for others to read beside a saved sketch.
  const mode_t mask = umask(0);
  umask(mask);
  for (const std::string there :
       {"no folder yet", "the copy", "the copy cut short", "other pixels", "a FIFO", "a folder"}) {
    SCOPED_TRACE(there);
    fs::remove_all(folder);
    if (there != "no folder yet") fs::create_directories(folder);
    if (there == "the copy" || there == "the copy cut short" || there == "other pixels") {
      ASSERT_EQ(WritePng(copy.string(), there == "other pixels" ? other : picture), "");
    }
    if (there == "the copy cut short") fs::resize_file(copy, fs::file_size(copy) / 2);
    if (there == "a FIFO") {
      ASSERT_EQ(mkfifo(copy.c_str(), 0600), 0);
    }
    if (there == "a folder") fs::create_directory(copy);
    struct stat before {};
    lstat(copy.c_str(), &before);

    std::string path;
    const std::string error = KeepPictureCopy(QString::fromStdString(folder.string()), picture, path);
    EXPECT_EQ(path, copy.string());
    if (there == "a folder") {
      EXPECT_EQ(error, copy.string() + ": cannot write (Is a directory)");
    } else {
      EXPECT_EQ(error, "");
      RgbImage back;
      ASSERT_EQ(ReadPng(path, back), "");
      EXPECT_EQ(PictureHash(back), PictureHash(picture));
      struct stat written {};
      ASSERT_EQ(stat(path.c_str(), &written), 0);
      EXPECT_EQ(written.st_mode & 0777, 0666 & ~mask);
    }
    // Nothing half written is left beside it.
    struct stat after {};
    lstat(copy.c_str(), &after);
    EXPECT_EQ(after.st_ino == before.st_ino, there == "the copy" || there == "a folder");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
  }
  fs::remove_all(folder);
}

}  // namespace
