// The sketch as SVG: every figure's stored curves come back bit for bit, in the
// colour the display paints, and a failed write leaves the old file whole.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "Files.h"
#include "HostDump.h"
#include "Replay.h"
#include "SvgExport.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;  // a path: its commands, and its numbers as float bit patterns

std::string ReadText(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

std::string Bits(const std::string& number) {
  float value = 0.0f;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return error == std::errc() && end == number.data() + number.size() ? std::to_string(bits) : "bad " + number;
}

std::vector<Words> SvgPaths(const std::string& svg) {
  std::vector<Words> paths;
  const std::regex path("<path d=\"([^\"]*)\"");
  for (std::sregex_iterator it(svg.begin(), svg.end(), path), end; it != end; ++it) {
    std::istringstream data((*it)[1]);
    Words& words = paths.emplace_back();
    for (std::string w; data >> w;) words.push_back(w == "M" || w == "C" || w == "Z" ? w : Bits(w));
  }
  return paths;
}

// The documents' figures in the dump as paths: M, then for each segment A -> B
// C A.d1 B.d2 B.anchor, the closing one of a closed figure included, then Z.
std::vector<Words> DumpPaths(const std::string& dump) {
  const std::string text = std::regex_replace(dump.substr(dump.find("\"documents\"")), std::regex("\\s+"), " ");
  const std::regex unit(R"("anchor": \[(\S+), (\S+)\], "d1": \[(\S+), (\S+)\], "d2": \[(\S+), (\S+)\])");
  std::vector<Words> paths;
  for (std::size_t at = text.find("\"class\""); at != std::string::npos;) {
    const std::size_t next = text.find("\"class\"", at + 1);
    const std::string figure = text.substr(at, next - at);
    std::vector<std::array<std::string, 6>> v;  // anchor, d1, d2
    for (std::sregex_iterator it(figure.begin(), figure.end(), unit), end; it != end; ++it) {
      auto& u = v.emplace_back();
      for (int k = 0; k < 6; ++k) u[k] = Bits((*it)[k + 1]);
    }
    Words& words = paths.emplace_back();
    const auto segment = [&](const auto& a, const auto& b) {
      words.insert(words.end(), {"C", a[2], a[3], b[4], b[5], b[0], b[1]});
    };
    if (!v.empty()) words.insert(words.end(), {"M", v[0][0], v[0][1]});
    for (std::size_t k = 1; k < v.size(); ++k) segment(v[k - 1], v[k]);
    if (figure.find("\"open\": 0") != std::string::npos && !v.empty()) {
      segment(v.back(), v.front());
      words.push_back("Z");
    }
    at = next;
  }
  return paths;
}

class SvgExportTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(fDir); }
  void TearDown() override { fs::remove_all(fDir); }

  // Runs the script with --dump and --svg; the exit message, empty on success.
  std::string Run(const std::string& script) {
    ReplayOptions options = Options();
    options.dump = (fDir / "dump.json").string();
    options.svg = (fDir / "sketch.svg").string();
    return Replay(options).Run(ParseScript(script).commands()).message;
  }
  static ReplayOptions Options() {
    ReplayOptions options;
    options.modulePath = SKETCH_MODULE_PATH;
    return options;
  }

  const fs::path fDir = fs::temp_directory_path() / ("sketch-svg-" + std::to_string(getpid()));
};

TEST_F(SvgExportTest, EveryFigureIsItsStoredCurvesBitForBit) {
  ASSERT_EQ(Run("document main 300 200\nmode on\n"
                // rectangle, oval, free-hand stroke, line
                "tool 4\ndrag 10 10 60 40\ntool 5\ndrag 70 10 130 60\n"
                "tool 6\npress 10 80\nmove 30 70\nmove 50 95\nmove 70 75\nmove 90 100\nrelease 110 85\n"
                "tool 8\ndrag 80 80 150 120\n"
                // multi-lines, left open and closed on the first vertex
                "tool 9\nclick 160 10\nclick 200 50\nclick 240 20\ntool 0\n"
                "tool 9\nclick 160 100\nclick 200 140\nclick 240 110\nclick 161 101\n"
                // pen path with handles, polygon turned to fractions
                "tool 7\ndrag 20 150 40 130\ndrag 80 170 100 190\ntool 0\n"
                "tool 14\napex 5\ndrag 250 150 280 150\n"
                "tool 0\nclick 280 150\nanswer rotate 30 ccw ok\nmenu 5123\n"),
            "");
  const std::string svg = ReadText(fDir / "sketch.svg");
  EXPECT_NE(svg.find("width=\"300\" height=\"200\" viewBox=\"0 0 300 200\""), std::string::npos) << svg;
  const std::vector<Words> dumped = DumpPaths(ReadText(fDir / "dump.json"));
  ASSERT_EQ(dumped.size(), 8u);
  EXPECT_EQ(dumped[0].back(), "Z");  // closed figures and open ones, both
  EXPECT_NE(dumped[4].back(), "Z");
  EXPECT_EQ(SvgPaths(svg), dumped);
}

TEST_F(SvgExportTest, StrokeIsTheColourTheDisplayPaints) {
  const std::vector<std::pair<std::string, std::string>> table = {
      {"display black", "#010203"},
      {"display transparent", "#040506"},
      {"display palette", "#0708fa"},
      // The inverted display has no colour of its own: over a white page, black.
      {"display inverted", "#000000"},
  };
  for (const auto& [display, stroke] : table) {
    ASSERT_EQ(Run("palette 255 1 2 3\npalette 0 4 5 6\npalette 9 7 8 250\npalette-index 9\n" + display), "");
    EXPECT_NE(ReadText(fDir / "sketch.svg").find("stroke=\"" + stroke + "\""), std::string::npos) << display;
  }
}

TEST_F(SvgExportTest, ACoordinateThatIsNotANumberFailsAndKeepsThePreviousFile) {
  Replay replay(Options());
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
  // A link keeps pointing at the file it named, which now holds the text.
  fs::create_symlink("a.svg", fDir / "link.svg");
  EXPECT_EQ(ReplaceFile((fDir / "link.svg").string(), "linked"), "");
  EXPECT_EQ(std::tuple(fs::is_symlink(fDir / "link.svg"), ReadText(file)), std::tuple(true, "linked"));

  fs::create_directories(fDir / "folder.svg" / "inside");
  for (const auto& [name, error] : {std::pair("folder.svg", EISDIR), std::pair("none/b.svg", ENOENT)}) {
    EXPECT_EQ(ReplaceFile((fDir / name).string(), "x"),
              (fDir / name).string() + ": cannot write (" + std::strerror(error) + ")");
  }
  std::vector<std::string> names;  // and nothing half-written beside them
  for (const auto& entry : fs::directory_iterator(fDir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.svg", "folder.svg", "link.svg"}));
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(file.string(), bytes), "");
  EXPECT_NE(ReadWholeFile((fDir / "folder.svg").string(), bytes), "");
  // A regular file that cannot be read from the start.
  EXPECT_EQ(ReadWholeFile("/proc/self/mem", bytes), "/proc/self/mem: cannot read (" + std::string(strerror(EIO)) + ")");
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

}  // namespace
