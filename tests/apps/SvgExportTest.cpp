// The sketch as SVG: every figure's stored curves come back bit for bit, in the
// colour the display paints, and a failed write leaves the old file whole.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "HostDump.h"
#include "Replay.h"
#include "SvgExport.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// A path as words: the commands, and each number as its float's bit pattern,
// so that a single changed bit shows.
using Words = std::vector<std::string>;

std::string Bits(std::string_view number) {
  float value = 0.0f;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return "bad number '" + std::string(number) + "'";
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return std::to_string(bits);
}

// The d attribute of every path, in order.
std::vector<Words> SvgPaths(const std::string& svg) {
  std::vector<Words> paths;
  for (std::size_t at = svg.find("<path d=\""); at != std::string::npos; at = svg.find("<path d=\"", at)) {
    at += 9;
    std::istringstream data(svg.substr(at, svg.find('"', at) - at));
    Words words;
    for (std::string word; data >> word;) words.push_back(word == "M" || word == "C" || word == "Z" ? word : Bits(word));
    paths.push_back(words);
  }
  return paths;
}

// Each figure of the dump's documents as the path its vertices make: the
// segment from A to B runs A's anchor, A's d1, B's d2, B's anchor.
std::vector<Words> DumpPaths(const std::string& dump) {
  struct Vertex {
    std::string anchor[2], d1[2], d2[2];
  };
  struct Figure {
    bool closed = false;
    std::vector<Vertex> vertices;
  };
  std::vector<Figure> figures;
  const std::string documents = dump.substr(dump.find("\"documents\""));
  const std::regex member("\"(class|open|anchor|d1|d2)\": (\\[([^,]+), ([^\\]]+)\\]|\\d+|\"[^\"]*\")");
  for (std::sregex_iterator it(documents.begin(), documents.end(), member), end; it != end; ++it) {
    const std::smatch& m = *it;
    const std::string key = m[1];
    if (key == "class") figures.emplace_back();
    if (key == "open") figures.back().closed = m[2] == "0";
    if (key == "anchor") figures.back().vertices.emplace_back();
    std::string* into = key == "anchor" ? figures.back().vertices.back().anchor
                        : key == "d1"   ? figures.back().vertices.back().d1
                        : key == "d2"   ? figures.back().vertices.back().d2
                                        : nullptr;
    if (into != nullptr) {
      into[0] = Bits(m[3].str());
      into[1] = Bits(m[4].str());
    }
  }
  std::vector<Words> paths;
  for (const Figure& f : figures) {
    Words words;
    const auto segment = [&words](const Vertex& a, const Vertex& b) {
      words.insert(words.end(), {"C", a.d1[0], a.d1[1], b.d2[0], b.d2[1], b.anchor[0], b.anchor[1]});
    };
    if (!f.vertices.empty()) words.insert(words.end(), {"M", f.vertices[0].anchor[0], f.vertices[0].anchor[1]});
    for (std::size_t k = 1; k < f.vertices.size(); ++k) segment(f.vertices[k - 1], f.vertices[k]);
    if (f.closed && !f.vertices.empty()) {
      segment(f.vertices.back(), f.vertices.front());
      words.push_back("Z");
    }
    paths.push_back(words);
  }
  return paths;
}

class SvgExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fDir = fs::temp_directory_path() / ("sketch-svg-" + std::to_string(::getpid()));
    fs::create_directories(fDir);
  }
  void TearDown() override { fs::remove_all(fDir); }

  // Runs the script with --dump and --svg; the exit message, empty on success.
  std::string Replay(const std::string& script) {
    ReplayOptions options;
    options.modulePath = SKETCH_MODULE_PATH;
    options.dump = (fDir / "dump.json").string();
    options.svg = (fDir / "sketch.svg").string();
    const ParseResult parsed = ParseScript(script);
    if (!parsed.ok()) return FormatError(parsed.error());
    ::Replay replay(options);
    return replay.Run(parsed.commands()).message;
  }

  fs::path fDir;
};

TEST_F(SvgExportTest, EveryFigureIsItsStoredCurvesBitForBit) {
  ASSERT_EQ(Replay("document main 300 200\n"
                   "palette 9 1 2 250\npalette-index 9\ndisplay palette\n"
                   "mode on\n"
                   // rectangle, oval, free-hand stroke, line
                   "tool 4\ndrag 10 10 60 40\n"
                   "tool 5\ndrag 70 10 130 60\n"
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
  EXPECT_NE(svg.find("stroke=\"#0102fa\""), std::string::npos) << svg;

  const std::vector<Words> dumped = DumpPaths(ReadText(fDir / "dump.json"));
  ASSERT_EQ(dumped.size(), 8u);
  // Both kinds are there: closed figures end in Z, open ones do not.
  EXPECT_EQ(dumped[0].back(), "Z");
  EXPECT_NE(dumped[4].back(), "Z");
  EXPECT_EQ(SvgPaths(svg), dumped);
}

TEST_F(SvgExportTest, StrokeIsTheColourTheDisplayPaints) {
  const std::string setup = "document main 8 8\npalette 255 1 2 3\npalette 0 4 5 6\n";
  const std::vector<std::pair<std::string, std::string>> table = {
      {"display black", "#010203"},
      {"display transparent", "#040506"},
      // The inverted display has no colour of its own: over a white page, black.
      {"display inverted", "#000000"},
  };
  for (const auto& [display, stroke] : table) {
    ASSERT_EQ(Replay(setup + display), "") << display;
    EXPECT_NE(ReadText(fDir / "sketch.svg").find("stroke=\"" + stroke + "\""), std::string::npos) << display;
  }
}

TEST(SvgText, WritesEachFigureAsItsPath) {
  SvgSketch sketch;
  sketch.width = 3;
  sketch.height = 2;
  sketch.stroke = {255, 0, 16};
  sketch.figures = {{false, {{{-0.0f, 0.1f}, {1e-7f, 2}, {0, 0}}, {{3, 1.5f}, {3, 1.5f}, {2.25f, 1}}}},
                    {true, {}}};
  EXPECT_EQ(WriteSvgText(sketch).text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"3\" height=\"2\" viewBox=\"0 0 3 2\">\n"
            "<g transform=\"translate(0.5 0.5)\" fill=\"none\" stroke=\"#ff0010\" stroke-width=\"1\">\n"
            "<path d=\"M -0 0.1 C 1e-07 2 2.25 1 3 1.5\"/>\n"
            "<path d=\"\"/>\n"
            "</g>\n</svg>\n");
}

TEST_F(SvgExportTest, ACoordinateThatIsNotANumberFailsAndKeepsThePreviousFile) {
  ReplayOptions options;
  options.modulePath = SKETCH_MODULE_PATH;
  ::Replay replay(options);
  const ParseResult script = ParseScript("document main 20 10\nmode on\ntool 4\ndrag 2 2 8 6");
  for (const ScriptCommand& c : script.commands()) {
    ASSERT_EQ(replay.Execute(c).message, "");
  }
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

TEST_F(SvgExportTest, ReplacingAFileLeavesTheOldOneWholeWhenItFails) {
  const fs::path file = fDir / "a.svg";
  std::ofstream(file) << "old";
  const mode_t mask = umask(022);
  EXPECT_EQ(ReplaceFile(file.string(), "new"), "");
  EXPECT_EQ(umask(mask), 022u);  // the process's own mask is left as it was
  EXPECT_EQ(ReadText(file), "new");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0644));

  // A link keeps pointing at the file it named, which now holds the text.
  fs::create_symlink("a.svg", fDir / "link.svg");
  EXPECT_EQ(ReplaceFile((fDir / "link.svg").string(), "through"), "");
  EXPECT_TRUE(fs::is_symlink(fDir / "link.svg"));
  EXPECT_EQ(ReadText(file), "through");

  fs::create_directories(fDir / "folder.svg" / "inside");
  EXPECT_EQ(ReplaceFile((fDir / "folder.svg").string(), "x"),
            (fDir / "folder.svg").string() + ": cannot write (" + std::strerror(EISDIR) + ")");
  EXPECT_EQ(ReplaceFile((fDir / "none" / "b.svg").string(), "x"),
            (fDir / "none" / "b.svg").string() + ": cannot write (" + std::strerror(ENOENT) + ")");
  // Nothing half-written is left beside them.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fDir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.svg", "folder.svg", "link.svg"}));
}

}  // namespace
