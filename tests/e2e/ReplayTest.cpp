// Every script under scripts/, played by sketch-replay and by sketch-studio
// (--play, offscreen), must write what expected/<script>/ holds: text byte for
// byte, PNG pixel for pixel; exit-code, stderr.txt (a part of the error output)
// and arguments (replay-only options, skipped by the studio) when given.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Files.h"
#include "PngFile.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& p) {
  std::string text;
  ReadWholeFile(p.string(), text);
  return text;
}

std::vector<std::string> Scripts() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(SKETCH_E2E_DIR) / "scripts")) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void ExpectWhatWasCheckedByHand(const std::string& name, const fs::path& work,
                                const std::function<std::string(const fs::path& script)>& run) {
  const fs::path script = fs::path(SKETCH_E2E_DIR) / "scripts" / (name + ".txt");
  const fs::path expected = fs::path(SKETCH_E2E_DIR) / "expected" / name;
  const fs::path inputs = fs::path(SKETCH_E2E_DIR) / "scripts" / name;
  if (fs::exists(inputs)) fs::copy(inputs, work);

  const std::string command = "cd '" + work.string() + "' && " + run(script) + " 2> stderr.out";
  const int status = std::system(command.c_str());
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const int wanted = fs::exists(expected / "exit-code") ? std::stoi(ReadText(expected / "exit-code")) : 0;
  EXPECT_EQ(code, wanted) << ReadText(work / "stderr.out");

  for (const auto& entry : fs::directory_iterator(expected)) {
    const fs::path file = entry.path().filename();
    if (file == "exit-code" || file == "arguments") continue;
    if (file == "stderr.txt") {
      std::string want = ReadText(entry.path());
      while (!want.empty() && want.back() == '\n') want.pop_back();
      EXPECT_NE(ReadText(work / "stderr.out").find(want), std::string::npos) << ReadText(work / "stderr.out");
      continue;
    }
    ASSERT_TRUE(fs::exists(work / file)) << name << " did not write " << file;
    if (file.extension() == ".png") {
      RgbImage got, want;
      ASSERT_EQ(ReadPng((work / file).string(), got), "");
      ASSERT_EQ(ReadPng(entry.path().string(), want), "");
      EXPECT_TRUE(got.width == want.width && got.height == want.height && got.pixels == want.pixels)
          << file << " differs";
    } else {
      EXPECT_EQ(ReadText(work / file), ReadText(entry.path())) << file;
    }
  }
  // Nothing is written beyond what is expected, and a failed script writes nothing.
  for (const auto& entry : fs::directory_iterator(work)) {
    const fs::path file = entry.path().filename();
    EXPECT_TRUE(file == "stderr.out" || file == "script.txt" || fs::exists(inputs / file) ||
                fs::exists(expected / file))
        << "unexpected " << file;
  }
  fs::remove_all(work);
}

fs::path FreshFolder(const std::string& host, const std::string& name) {
  const fs::path folder =
      fs::temp_directory_path() / ("sketch-e2e-" + host + "-" + std::to_string(getpid()) + "-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

class Replay : public ::testing::TestWithParam<std::string> {};

TEST_P(Replay, WritesWhatWasCheckedByHand) {
  std::string options = ReadText(fs::path(SKETCH_E2E_DIR) / "expected" / GetParam() / "arguments");
  std::replace(options.begin(), options.end(), '\n', ' ');
  ExpectWhatWasCheckedByHand(GetParam(), FreshFolder("replay", GetParam()), [&](const fs::path& script) {
    return "'" SKETCH_REPLAY "' " + options + " '" + script.string() + "'";
  });
}

std::string ParamName(const ::testing::TestParamInfo<std::string>& info) {
  std::string n = info.param;
  for (char& c : n) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return n;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Replay, ::testing::ValuesIn(Scripts()), ParamName);

// Odd outputs and inputs; the time limit fails a run that would block for ever.
TEST(ReplayFiles, NoOddFileSpoilsAnOutputOrBlocksTheRun) {
  struct Case {
    const char* setUp;
    const char* run;
    int code;
    const char* error;
    const char* left;
  };
  const Case table[] = {
      // A link chain is written through, a picture to its last chunk; the links stay.
      {"echo old > real.png && ln -s real.png l1.png && ln -s l1.png l2.png && echo 'click 1 1' > s.txt",
       "$R --out l2.png s.txt", 0, "",
       "test -L l1.png && test -L l2.png && test \"$(tail -c 8 real.png | head -c 4)\" = IEND && test $(ls | wc -l) = "
       "4"},
      // The end of a chain in a missing folder is found before the first output.
      {"echo old > o.png && ln -s missing/x.svg l.svg && ln -s l.svg s.svg && echo 'click 1 1' > s.txt",
       "$R --out o.png --dump d.json --svg s.svg s.txt", 1,
       "sketch-replay: s.svg: cannot be written (the folder 'missing' does not exist)",
       "test \"$(cat o.png)\" = old && test ! -e d.json"},
      // A full disk leaves the old file whole and no piece of the new one.
      {"echo old > d.json && printf 'click 1 1\\ndump d.json\\n' > s.txt", "trap '' XFSZ; ulimit -f 1; $R s.txt", 1,
       "sketch-replay: d.json: cannot write (File too large)",
       "test \"$(cat d.json)\" = old && test $(ls | wc -l) = 2"},
      {"echo old > o.png && echo 'click 1 1' > s.txt", "trap '' XFSZ; ulimit -f 1; $R --out o.png s.txt", 1,
       "sketch-replay: o.png: cannot write (File too large)", "test \"$(cat o.png)\" = old && test $(ls | wc -l) = 2"},
      // A FIFO without a writer would block the open or the read.
      {"mkfifo s.txt", "$R s.txt", 1, "sketch-replay: s.txt: is not a regular file", "true"},
      {"mkfifo m.MOD && echo 'click 1 1' > s.txt", "SKETCH_MODULE=./m.MOD $R s.txt", 1,
       "sketch-replay: ./m.MOD: cannot load the module (not a regular file)", "true"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.setUp);
    const fs::path work = FreshFolder("files", "case");
    std::ofstream(work.string() + ".sh") << "R='" SKETCH_REPLAY "'\n" << c.run << "\n";
    const std::string command = "cd '" + work.string() + "' && " + c.setUp + " && timeout 60 sh '" + work.string() +
                                ".sh' 2> '" + work.string() + ".err'";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.code);
    const std::string error = ReadText(work.string() + ".err");
    EXPECT_EQ(error.find(c.error), 0u) << error;
    EXPECT_EQ(std::system(("cd '" + work.string() + "' && " + c.left).c_str()), 0) << c.left;
    for (const std::string& made : {work.string(), work.string() + ".sh", work.string() + ".err"}) fs::remove_all(made);
  }
}

#ifdef SKETCH_STUDIO
// The desktop host plays a copy of the script as a person's events; its
// journal and preferences go to a home of its own.
class StudioPlay : public ::testing::TestWithParam<std::string> {};

TEST_P(StudioPlay, WritesWhatWasCheckedByHand) {
  if (fs::exists(fs::path(SKETCH_E2E_DIR) / "expected" / GetParam() / "arguments")) GTEST_SKIP();
  const fs::path work = FreshFolder("studio", GetParam()), home = FreshFolder("studio-home", GetParam());
  ExpectWhatWasCheckedByHand(GetParam(), work, [&](const fs::path& script) {
    fs::copy_file(script, work / "script.txt");
    return "HOME='" + home.string() + "' XDG_DATA_HOME='" + home.string() + "/data' XDG_CONFIG_HOME='" + home.string() +
           "/config' XDG_RUNTIME_DIR='" + home.string() +
           "' QT_QPA_PLATFORM=offscreen '" SKETCH_STUDIO "' --play script.txt --quit > /dev/null";
  });
  fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(Scripts, StudioPlay, ::testing::ValuesIn(Scripts()), ParamName);
#endif

}  // namespace
