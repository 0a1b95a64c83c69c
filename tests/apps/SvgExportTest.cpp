// Every figure's curves are the replay script apps-svg-figures', the stroke
// in each display colour apps-svg-stroke-*'.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "Files.h"
#include "HostDump.h"
#include "Replay.h"
#include "SvgExport.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& p) {
  std::string text;
  ReadWholeFile(p.string(), text);
  return text;
}

class SvgExportTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(fDir); }
  void TearDown() override { fs::remove_all(fDir); }

  const fs::path fDir = fs::temp_directory_path() / ("sketch-svg-" + std::to_string(getpid()));
};

TEST_F(SvgExportTest, ACoordinateThatIsNotANumberKeepsThePreviousFile) {
  Replay replay({"", "", "", "", SKETCH_MODULE_PATH});
  const ParseResult script = ParseScript("document main 20 10\nmode on\ntool 4\ndrag 2 2 8 6");
  for (const ScriptCommand& c : script.commands()) ASSERT_EQ(replay.Execute(c).message, "");
  HostDocument& doc = *replay.GetHost().Active();
  const std::string file = (fDir / "kept.svg").string();
  ASSERT_EQ(WriteSvg(replay.GetHost(), doc, file), "");
  const std::string written = ReadText(file);
  const BList& figures = *SketchOf(doc.document);
  const BList& units = static_cast<TDShape*>(figures.GetItem(figures.GetHeadPosition()))->fUnits;
  static_cast<TDUnit*>(units.GetItem(units.GetTailPosition()))->fDirection2.x = NAN;
  EXPECT_EQ(WriteSvg(replay.GetHost(), doc, file),
            file + ": cannot write (figure 1 has a coordinate that is not a finite number)");
  EXPECT_EQ(ReadText(file), written);
}

// The files opened, for a host that reads and writes for hours.
std::size_t OpenDescriptors() {
  const auto all = fs::directory_iterator("/proc/self/fd");
  return static_cast<std::size_t>(std::distance(fs::begin(all), fs::end(all)));
}

TEST_F(SvgExportTest, ReplacingAFileLeavesTheOldOneWholeWhenItFails) {
  const std::size_t descriptors = OpenDescriptors();
  const fs::path file = fDir / "a.svg";
  const mode_t mask = umask(022);
  EXPECT_EQ(ReplaceFile(file.string(), "new"), "");
  EXPECT_EQ(umask(mask), 022u);  // the process's own mask is left as it was
  EXPECT_EQ(std::tuple(ReadText(file), fs::status(file).permissions()), std::tuple("new", fs::perms(0644)));
  fs::permissions(file, fs::perms(0600));
  EXPECT_EQ(ReplaceFile(file.string(), "replaced"), "");
  EXPECT_EQ(std::tuple(ReadText(file), fs::status(file).permissions()), std::tuple("replaced", fs::perms(0600)));

  fs::create_directories(fDir / "folder.svg" / "inside");
  for (const auto& [name, error] : {std::pair("folder.svg", EISDIR), std::pair("none/b.svg", ENOENT)}) {
    EXPECT_EQ(ReplaceFile((fDir / name).string(), "x"),
              (fDir / name).string() + ": cannot write (" + std::strerror(error) + ")");
  }
  std::vector<std::string> names;  // and nothing half-written beside them
  for (const auto& entry : fs::directory_iterator(fDir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.svg", "folder.svg"}));
  std::string bytes;
  // A regular file that cannot be read from the start.
  EXPECT_EQ(ReadWholeFile("/proc/self/mem", bytes), "/proc/self/mem: cannot read (" + std::string(strerror(EIO)) + ")");
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

}  // namespace
