#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Files.h"
#include "Script.h"

namespace {

using Words = std::vector<std::string>;

std::vector<ScriptCommand> ParseOk(std::string_view text) {
  const ParseResult result = ParseScript(text);
  if (!result.ok()) ADD_FAILURE() << FormatError(result.error());
  return result.ok() ? result.commands() : std::vector<ScriptCommand>{};
}

// The replays and written forms cover the ordinary spellings; these are the
// edges of ranges and the other spellings a script may use.
TEST(ParseScript, EdgesOfEachRangeAndOtherSpellingsReadAsTheirValues) {
  const std::vector<std::pair<std::string, ScriptCommand>> table = {
      {"profile CurrentTool \"\"", MakeCommand(ScriptOp::Profile, {}, {"CurrentTool", ""})},
      {"document b 1 16384", MakeCommand(ScriptOp::Document, {1, 16384}, {"b"})},
      {"view 320 +200", MakeCommand(ScriptOp::View, {320, 200})},
      {"zoom .5 -1e3 +2.", MakeCommand(ScriptOp::Zoom, {}, {}, {0.5f, -1000.0f, 2.0f})},
      // An origin may underflow to zero.
      {"zoom 1e-30 1e-400 -0", MakeCommand(ScriptOp::Zoom, {}, {}, {1e-30f, 0.0f, -0.0f})},
      {"grid on 65535", MakeCommand(ScriptOp::Grid, {65535}, {"on"})},
      {"tool -32768", MakeCommand(ScriptOp::Tool, {-32768})},
      {"palette 0 255 0 007", MakeCommand(ScriptOp::Palette, {0, 255, 0, 7})},
      {"release -0 5", MakeCommand(ScriptOp::Release, {0, 5})},
      {"drag 1 2 3 4 100000", MakeCommand(ScriptOp::Drag, {1, 2, 3, 4, 100000})},
      {"answer scale \"150 %\" cancel", MakeCommand(ScriptOp::AnswerScale, {}, {"150 %", "cancel"})},
  };
  for (const auto& [line, command] : table) {
    const std::vector<ScriptCommand> read = ParseOk("\n" + line);
    ASSERT_EQ(read.size(), 1u) << line;
    EXPECT_TRUE(read[0] == command) << line;
    EXPECT_EQ(std::tuple(read[0].line, read[0].column), std::tuple(2, 1)) << line;
  }
}

TEST(ParseScript, ReadsCommandsBetweenCommentsQuotesAndLineEnds) {
  const auto c = ParseOk(
      "\xEF\xBB\xBF# set-up\r\n\r\n   \t \n"
      "profile \"Last File\" \"C:\\\\pics\\\\a \\\"b\\\".png\"  # a comment\r\n"
      "profile k v#not part of the value\ndocument \"#1\"#comment\nundo");
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].line, 4);
  EXPECT_EQ(c[0].words, (Words{"Last File", "C:\\pics\\a \"b\".png"}));
  EXPECT_EQ(c[0].wordColumns, (std::vector<int>{9, 21}));
  // Quoted text may hold any character, the invisible ones included.
  EXPECT_EQ(ParseOk("document \"\xE7\x94\xBB\xC2\xA0\xF0\x9F\x96\x8C\"")[0].words[0],
            "\xE7\x94\xBB\xC2\xA0\xF0\x9F\x96\x8C");
  EXPECT_EQ(std::tuple(c[1].words, c[2].words, c[3].op, c[3].line),
            std::tuple(Words{"k", "v"}, Words{"#1"}, ScriptOp::Undo, 7));
  EXPECT_TRUE(ParseOk("\n\n# nothing\n").empty());
}

TEST(ParseScriptErrors, TheFirstMistakeIsReportedWithItsLineAndColumn) {
  const std::string longWord(60, 'w');
  const std::vector<std::pair<std::string, std::string>> table = {
      // Unknown commands and keywords not spelt exactly; a line is read only as
      // far as its first mistake.
      {"  Undo", "line 1, column 3: unknown command 'Undo'"},
      {"jump \"open", "line 1, column 1: unknown command 'jump'"},
      {"undo\n" + longWord, "line 2, column 1: unknown command '" + longWord.substr(0, 40) + "...'"},
      {"load\ntool 4\n\npress 1 2\nmove 3 1.0\nmenu -5\n",
       "line 5, column 8: expected an integer from -2147483648 to 2147483647, found '1.0'"},
      {"mode On", "line 1, column 6: expected on or off, found 'On'"},
      {"tools on", "line 1, column 7: expected off, found 'on'"},
      {"answer move 1 ok", "line 1, column 8: expected scale or rotate, found 'move'"},
      // Missing arguments, reported past the end of the line.
      {"load\nzoom 2 5 # x", "line 2, column 13: expected a number a float can hold, found end of line"},
      {"close \"\"", "line 1, column 7: expected a document name, found ''"},
      {"profile k#not a value\n", "line 1, column 22: expected a profile value, found end of line"},
      // Extra arguments, and numbers that are not.
      {"undo 7", "line 1, column 6: expected end of line, found '7'"},
      {"tool +", "line 1, column 6: expected an integer from -32768 to 32767, found '+'"},
      {"zoom nan", "line 1, column 6: expected a number greater than 0 and at most 1000, found 'nan'"},
      {"zoom 2 1e39 0", "line 1, column 8: expected a number a float can hold, found '1e39'"},
      {"zoom 1 0x1p3 2", "line 1, column 8: expected a number a float can hold, found '0x1p3'"},
      // Ranges, at both ends and beyond 64 bits.
      {"screen 0 1", "line 1, column 8: expected an integer from 1 to 16384, found '0'"},
      {"document a 16385 1", "line 1, column 12: expected an integer from 1 to 16384, found '16385'"},
      {"zoom 0", "line 1, column 6: expected a number greater than 0 and at most 1000, found '0'"},
      {"zoom 1000.0000001",
       "line 1, column 6: expected a number greater than 0 and at most 1000, found '1000.0000001'"},
      {"zoom 1e-400", "line 1, column 6: expected a number greater than 0 and at most 1000, found '1e-400'"},
      {"grid on 65536", "line 1, column 9: expected an integer from 1 to 65535, found '65536'"},
      {"drag 0 0 1 1 0", "line 1, column 14: expected an integer from 1 to 100000, found '0'"},
      {"click 0 -2147483649",
       "line 1, column 9: expected an integer from -2147483648 to 2147483647, found '-2147483649'"},
      {"replicate 18446744073709551617 0 0",
       "line 1, column 11: expected an integer from -2147483648 to 2147483647, found '18446744073709551617'"},
      // File names and quotes.
      {"snapshot a.bmp", "line 1, column 10: expected a file name ending in .png, found 'a.bmp'"},
      {"region out/.png", "line 1, column 8: expected a file name ending in .png, found 'out/.png'"},
      {"document a b.jpg",
       "line 1, column 12: expected a file name ending in .png or an integer from 1 to 16384, found 'b.jpg'"},
      {"activate \"main", "line 1, column 10: unterminated quoted text"},
      {"activate \"main\\", "line 1, column 10: unterminated quoted text"},
      {"activate \"a\\q\"",
       "line 1, column 12: expected \\\", \\\\, \\n, \\r or \\xHH after a backslash in quoted text, found '\\q'"},
      {"activate \"a\\x4\"",
       "line 1, column 12: expected two hexadecimal digits after \\x in quoted text, found '\\x4\"'"},
      {"activate \"a\"b", "line 1, column 13: expected a blank after quoted text, found 'b'"},
      {"activate a\"b c\"", "line 1, column 11: expected a blank before quoted text, found 'a\"'"},
      {"undo\rredo", "line 1, column 5: expected printable text, found control character 0x0D"},
      // Text that is not UTF-8, and characters that cannot be seen.
      {"activate \"caf\xE9\"", "line 1, column 14: expected UTF-8 text, found the byte 0xE9"},
      {"activate \"\xC0\xAF\"", "line 1, column 11: expected UTF-8 text, found the byte 0xC0"},      // overlong
      {"activate \"\xED\xA0\x80\"", "line 1, column 11: expected UTF-8 text, found the byte 0xED"},  // surrogate
      {"activate \"\xF4\x90\x80\x80\"", "line 1, column 11: expected UTF-8 text, found the byte 0xF4"},
      {"activate \"\xE6\x97", "line 1, column 11: expected UTF-8 text, found the byte 0xE6"},
      {"tool\u00A04",
       "line 1, column 5: expected a blank or a visible character, found the invisible character U+00A0"},
      {"undo\n\xEF\xBB\xBFredo",
       "line 2, column 1: expected a blank or a visible character, found the invisible character U+FEFF"},
  };
  for (const auto& [script, error] : table) {
    const ParseResult result = ParseScript(script);
    EXPECT_EQ(result.ok() ? "parsed" : FormatError(result.error()), error) << script;
  }
}

// Words quoted only where bare they would read otherwise, floats as their
// shortest exact text; every line of the replay scripts is written back as is.
TEST(FormatCommand, EveryCommandReadsBackAsWritten) {
  const float tiny = std::numeric_limits<float>::denorm_min();
  const float big = std::numeric_limits<float>::max();
  std::vector<std::pair<ScriptCommand, std::string>> table = {
      {MakeCommand(ScriptOp::Screen, {16384, 1}), "screen 16384 1"},
      {MakeCommand(ScriptOp::Profile, {}, {"Polygon Apex", "say \"hi\" \\ #1"}),
       "profile \"Polygon Apex\" \"say \\\"hi\\\" \\\\ #1\""},
      {MakeCommand(ScriptOp::Document, {640, 480}, {"写真"}), "document 写真 640 480"},
      {MakeCommand(ScriptOp::Document, {}, {"a\u00A0b", "my pictures/x.PNG"}),
       "document \"a\u00A0b\" \"my pictures/x.PNG\""},
      {MakeCommand(ScriptOp::Document, {}, {"#2"}), "document \"#2\""},
      // Any byte survives: line breaks, control characters, bytes that are no UTF-8.
      {MakeCommand(ScriptOp::Document, {}, {"a\nb\rc\x01\x7f\xff.png"}), "document \"a\\nb\\rc\\x01\\x7F\\xFF.png\""},
      {MakeCommand(ScriptOp::Activate, {}, {"tab\tname"}), "activate \"tab\tname\""},
      {MakeCommand(ScriptOp::Zoom, {}, {}, {1000.0f, -0.0f, 1.0f / 3.0f}), "zoom 1000 -0 0.33333334"},
      {MakeCommand(ScriptOp::Zoom, {}, {}, {tiny, big, -tiny}), "zoom 1e-45 3.4028235e+38 -1e-45"},
      {MakeCommand(ScriptOp::Zoom, {}, {}, {1e-30f, 16777216.0f, 16777218.0f}), "zoom 1e-30 16777216 16777218"},
      {MakeCommand(ScriptOp::ToolsOff), "tools off"},
      {MakeCommand(ScriptOp::Press, {-2147483648LL, 2147483647}), "press -2147483648 2147483647"},
  };
  // __FILE__ is absolute, or relative to the build folder (the one holding lib/).
  const std::filesystem::path here = std::filesystem::path(SKETCH_MODULE_PATH).parent_path().parent_path() / __FILE__;
  for (const auto& entry : std::filesystem::directory_iterator(here.parent_path() / "../e2e/scripts")) {
    std::string script;
    if (entry.path().extension() != ".txt") continue;  // the pictures some scripts read
    ASSERT_EQ(ReadWholeFile(entry.path().string(), script), "");
    std::vector<std::string> lines;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const ParseResult parsed = ParseScript(script);
    if (!parsed.ok()) continue;  // bad-command: a mistake on purpose
    for (const ScriptCommand& c : parsed.commands()) {
      // A drag's default number of moves is written out.
      const bool defaultMoves = c.op == ScriptOp::Drag && c.intColumns.back() == 0;
      table.emplace_back(c, lines.at(static_cast<std::size_t>(c.line) - 1) + (defaultMoves ? " 4" : ""));
    }
  }
  std::set<ScriptOp> covered;
  for (const auto& [command, line] : table) {
    covered.insert(command.op);
    EXPECT_EQ(FormatCommand(command), line);
    const std::vector<ScriptCommand> read = ParseOk(line);
    ASSERT_EQ(read.size(), 1u) << line;
    EXPECT_TRUE(read[0] == command) << line;
  }
  EXPECT_EQ(covered.size(), AllScriptOps().size());
  // The sign of a zero and a float's last bit are what a line says; where it
  // was read is not (the scripts' lines above).
  EXPECT_FALSE(MakeCommand(ScriptOp::Zoom, {}, {}, {0.0f}) == MakeCommand(ScriptOp::Zoom, {}, {}, {-0.0f}));
  EXPECT_FALSE(MakeCommand(ScriptOp::Zoom, {}, {}, {1.0f}) ==
               MakeCommand(ScriptOp::Zoom, {}, {}, {std::nextafter(1.0f, 2.0f)}));
  EXPECT_FALSE(MakeCommand(ScriptOp::Move, {1, 2}) == MakeCommand(ScriptOp::Press, {1, 2}));
}

TEST(ScriptText, ASynopsisTooLongForItsColumnPutsTheHelpBelow) {
  const std::string usage = UsageText();
  EXPECT_NE(usage.find("\n  drag X0 Y0 X1 Y1 [N] "), std::string::npos);
  EXPECT_NE(usage.find("\n  answer rotate TEXT cw|ccw ok|cancel\n"), std::string::npos);
}

}  // namespace
