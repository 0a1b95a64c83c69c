#include "Script.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

#include "Utf8.h"

namespace {

// ---------------------------------------------------------------------------
// The command table: names for ScriptOpName, lookup, and the --help list.

struct OpInfo {
  ScriptOp op;
  const char* name;
  const char* args;
  const char* help;
};

constexpr std::array kOps{
    OpInfo{ScriptOp::Screen, "screen", "W H", "screen size (1..16384; default 1024 768)"},
    OpInfo{ScriptOp::Profile, "profile", "KEY VALUE", "a preference in section Sketch, before load"},
    OpInfo{ScriptOp::Load, "load", "", "load the module (else when first needed)"},
    OpInfo{ScriptOp::Unload, "unload", "", "unload the module (else at the end)"},
    OpInfo{ScriptOp::Document, "document", "NAME [W H | FILE.png]", "new active document: white W x H or FILE"},
    OpInfo{ScriptOp::Activate, "activate", "NAME", "make that document's view the active view"},
    OpInfo{ScriptOp::Close, "close", "NAME", "destroy the document and its sketch"},
    OpInfo{ScriptOp::View, "view", "W H", "client size of the active view (1..16384)"},
    OpInfo{ScriptOp::Zoom, "zoom", "Z [OX OY]", "zoom 0 < Z <= 1000, origin in image units"},
    OpInfo{ScriptOp::Grid, "grid", "on [SIZE] | off", "grid switch, spacing 1..65535 (default 8)"},
    OpInfo{ScriptOp::Repaint, "repaint", "", "the host repaints the active view"},
    OpInfo{ScriptOp::Mode, "mode", "on|off", "the module's mode change"},
    OpInfo{ScriptOp::Tool, "tool", "N", "the user picks tool N (-32768..32767)"},
    OpInfo{ScriptOp::ToolsOff, "tools off", "", "the module's tools go out of use"},
    OpInfo{ScriptOp::Apex, "apex", "N", "set the polygon palette's scroll-bar control to N (-32768..32767)"},
    OpInfo{ScriptOp::Palette, "palette", "I R G B", "colour table entry I = R G B (all 0..255)"},
    OpInfo{ScriptOp::PaletteIndex, "palette-index", "I", "the module's palette index (0..255)"},
    OpInfo{ScriptOp::Display, "display", "black|transparent|inverted|palette|show|hide",
           "the host's display commands; repaints"},
    OpInfo{ScriptOp::Key, "key", "down|up shift|ctrl|alt|space", "key state; also sent as a key event"},
    OpInfo{ScriptOp::Press, "press", "X Y", "left button down at view pixel X Y"},
    OpInfo{ScriptOp::Move, "move", "X Y", "the mouse moves with the button held"},
    OpInfo{ScriptOp::Release, "release", "X Y", "left button up"},
    OpInfo{ScriptOp::Cancel, "cancel", "", "Escape with the button held: the gesture ends, no step kept"},
    OpInfo{ScriptOp::Click, "click", "X Y", "press and release at one point"},
    OpInfo{ScriptOp::Drag, "drag", "X0 Y0 X1 Y1 [N]", "press, N moves (1..100000, default 4), release"},
    OpInfo{ScriptOp::Menu, "menu", "N", "menu command N (0..65535), e.g. 57634 copy"},
    OpInfo{ScriptOp::AnswerScale, "answer scale", "TEXT ok|cancel", "queue an answer for the next scale dialog"},
    OpInfo{ScriptOp::AnswerRotate, "answer rotate", "TEXT cw|ccw ok|cancel", "the same for the rotate dialog"},
    OpInfo{ScriptOp::Undo, "undo", "", "undo in the active document"},
    OpInfo{ScriptOp::Redo, "redo", "", "redo in the active document"},
    OpInfo{ScriptOp::Replicate, "replicate", "KIND X Y", "the command replicater"},
    OpInfo{ScriptOp::Snapshot, "snapshot", "FILE.png", "the active view's pixels as last painted"},
    OpInfo{ScriptOp::Dump, "dump", "FILE.json", "the state of host, module and documents"},
    OpInfo{ScriptOp::Region, "region", "FILE.png", "the active document's active region, a mask"},
    OpInfo{ScriptOp::Trace, "trace", "FILE.json", "the active document's trace list"},
};

// ScriptOpName indexes the table by op, so the table must follow the enumeration.
constexpr bool TableFollowsEnum() {
  for (std::size_t i = 0; i < kOps.size(); ++i) {
    if (static_cast<std::size_t>(kOps[i].op) != i) return false;
  }
  return kOps.back().op == ScriptOp::Trace;
}
static_assert(TableFollowsEnum(), "kOps must list every ScriptOp in enumeration order");

// ---------------------------------------------------------------------------
// Lexing, one line at a time.

constexpr int kMinInt32 = INT32_MIN;
constexpr int kMaxInt32 = INT32_MAX;

int ToColumn(std::size_t offset) {
  return offset >= static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(offset) + 1;
}

// Raised inside a line and turned into a ScriptError by ParseScript, which knows
// the line number.
struct Failure {
  int column;
  std::string message;
};

struct Token {
  std::string text;  // quotes removed, escapes resolved
  int column = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && c != '\t') || u == 0x7f;
}

// How an offending word is shown in a message: quoted, and cut short so that a
// runaway line does not become a runaway message.
std::string Shown(std::string_view text) {
  constexpr std::size_t kMax = 40;
  if (text.size() <= kMax) return "'" + std::string(text) + "'";
  std::size_t cut = kMax;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80) --cut;  // whole UTF-8 characters
  return "'" + std::string(text.substr(0, cut)) + "...'";
}

std::string Hex(std::uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xf];
  return text;
}

[[noreturn]] void FailControl(std::string_view line, std::size_t at) {
  throw Failure{ToColumn(at),
                "expected printable text, found control character 0x" + Hex(static_cast<unsigned char>(line[at]), 2)};
}

// The length of the character at `at`, which must be well-formed UTF-8 and,
// outside quotes, visible: a no-break space or a byte-order mark inside a
// command would otherwise make "tool 4" look like an unknown word.
std::size_t CheckedCharacter(std::string_view line, std::size_t at, bool quoted) {
  if (static_cast<unsigned char>(line[at]) < 0x80) return 1;
  const Utf8Char ch = DecodeUtf8(line, at);
  if (ch.length == 0) {
    throw Failure{ToColumn(at),
                  "expected UTF-8 text, found the byte 0x" + Hex(static_cast<unsigned char>(line[at]), 2)};
  }
  if (!quoted && IsInvisibleCharacter(ch.code)) {
    throw Failure{ToColumn(at), "expected a blank or a visible character, found the invisible character U+" +
                                    Hex(ch.code, ch.code > 0xffff ? 6 : 4)};
  }
  return ch.length;
}

// Hands out the words of one line as they are asked for. Lexing lazily keeps the
// reported error the first one on the line: "jump "abc" is an unknown command,
// not an unterminated quote.
class Words {
 public:
  explicit Words(std::string_view line) : line_(line) {}

  // One past the line's last character: where a missing word is reported.
  int EndColumn() const { return ToColumn(line_.size()); }

  std::optional<Token> Next() {
    while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
    if (pos_ == line_.size() || line_[pos_] == '#') {
      pos_ = line_.size();
      return std::nullopt;
    }
    return line_[pos_] == '"' ? Quoted() : Bare();
  }

 private:
  Token Quoted() {
    const std::size_t open = pos_++;
    Token token{{}, ToColumn(open)};
    for (;;) {
      if (pos_ == line_.size()) throw Failure{token.column, "unterminated quoted text"};
      const char c = line_[pos_];
      if (c == '"') break;
      if (IsControl(c)) FailControl(line_, pos_);
      if (c == '\\') {
        Escape(token);
        continue;
      }
      const std::size_t length = CheckedCharacter(line_, pos_, true);
      token.text += line_.substr(pos_, length);
      pos_ += length;
    }
    ++pos_;  // the closing quote
    // "a"b would otherwise read as one word or two depending on who reads it.
    if (pos_ < line_.size() && !IsBlank(line_[pos_]) && line_[pos_] != '#') {
      if (IsControl(line_[pos_])) FailControl(line_, pos_);
      const std::size_t length = CheckedCharacter(line_, pos_, false);
      throw Failure{ToColumn(pos_), "expected a blank after quoted text, found " + Shown(line_.substr(pos_, length))};
    }
    return token;
  }

  // A backslash in quoted text and what follows it: a quote, a backslash, a
  // line feed (n), a carriage return (r), or any byte as two hexadecimal
  // digits (xHH), so that a name holding anything at all can be written.
  void Escape(Token& token) {
    if (pos_ + 1 == line_.size()) throw Failure{token.column, "unterminated quoted text"};
    const char escaped = line_[pos_ + 1];
    switch (escaped) {
      case '"':
      case '\\': token.text += escaped; break;
      case 'n': token.text += '\n'; break;
      case 'r': token.text += '\r'; break;
      case 'x': {
        const int high = pos_ + 2 < line_.size() ? HexDigit(line_[pos_ + 2]) : -1;
        const int low = pos_ + 3 < line_.size() ? HexDigit(line_[pos_ + 3]) : -1;
        if (high < 0 || low < 0) {
          throw Failure{ToColumn(pos_), "expected two hexadecimal digits after \\x in quoted text, found " +
                                            Shown(line_.substr(pos_, 4))};
        }
        token.text += static_cast<char>(high * 16 + low);
        pos_ += 4;
        return;
      }
      default:
        if (IsControl(escaped)) FailControl(line_, pos_ + 1);
        throw Failure{ToColumn(pos_),
                      "expected \\\", \\\\, \\n, \\r or \\xHH after a backslash in quoted text, found " +
                          Shown(line_.substr(pos_, 2))};
    }
    pos_ += 2;
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  Token Bare() {
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !IsBlank(line_[pos_]) && line_[pos_] != '#') {
      if (line_[pos_] == '"') {
        throw Failure{ToColumn(pos_),
                      "expected a blank before quoted text, found " + Shown(line_.substr(start, pos_ + 1 - start))};
      }
      if (IsControl(line_[pos_])) FailControl(line_, pos_);
      pos_ += CheckedCharacter(line_, pos_, false);
    }
    return Token{std::string(line_.substr(start, pos_ - start)), ToColumn(start)};
  }

  std::string_view line_;
  std::size_t pos_ = 0;
};

// ---------------------------------------------------------------------------
// Numbers.

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal integer with an optional sign; nullopt when it is not one or does
// not fit 64 bits (which every caller's range rejects anyway).
std::optional<std::int64_t> ToInteger(std::string_view s) {
  std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  if (i == s.size()) return std::nullopt;
  if (!std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.end(), IsDigit)) return std::nullopt;
  if (s[0] == '+') s.remove_prefix(1);  // from_chars takes only '-'
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// A decimal float: [sign] (digits [. [digits]] | . digits) [(e|E) [sign] digits].
// The grammar is checked first because from_chars would also take "inf", "nan"
// and a prefix of anything. A value too small for a double reads as zero; one
// too large for it is nullopt.
std::optional<double> ToReal(std::string_view s) {
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t mantissa = i;
  std::size_t intDigits = 0;
  std::size_t fracDigits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++intDigits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return std::nullopt;
  const std::size_t mantissaEnd = i;
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    const bool negativeExponent = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i == s.size()) return std::nullopt;
    for (; i < s.size(); ++i) {
      if (!IsDigit(s[i])) return std::nullopt;
      exponent = std::min(exponent * 10 + (s[i] - '0'), 100000LL);  // far past any double
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return std::nullopt;

  const std::string_view digits = s[0] == '+' ? s.substr(1) : s;
  double value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (end != digits.data() + digits.size()) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Out of range either way; tell underflow from overflow by the decimal
    // exponent of the leading significant digit.
    long long lead = 0;
    bool found = false;
    long long position = static_cast<long long>(intDigits) - 1;
    for (std::size_t k = mantissa; k < mantissaEnd && !found; ++k) {
      if (s[k] == '.') continue;
      if (s[k] != '0') {
        lead = position;
        found = true;
      }
      --position;
    }
    if (!found || lead + exponent < 0) return negative ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The float nearest the text, rounded once as a float reader rounds it (not
// through a double), so that the shortest text of a float reads back as that
// float; nullopt when it is too large for one. `value` is the same text as a
// finite double, which tells a value too small for a float (it becomes a zero)
// from one too large.
std::optional<float> ToFloat(std::string_view s, double value) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  float narrow = 0.0f;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), narrow);
  if (ec == std::errc::result_out_of_range) {
    if (std::fabs(value) >= 1.0) return std::nullopt;
    return std::signbit(value) ? -0.0f : 0.0f;
  }
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(narrow)) return std::nullopt;
  return narrow;
}

bool LooksNumeric(std::string_view s) {
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
  return !s.empty() && IsDigit(s[0]);
}

// ---------------------------------------------------------------------------
// Words with a meaning.

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A file name with something before the extension, which is matched without
// regard to case.
bool IsFileName(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  const std::string_view tail = name.substr(name.size() - extension.size());
  for (std::size_t i = 0; i < extension.size(); ++i) {
    if (Lower(tail[i]) != extension[i]) return false;
  }
  const char before = name[name.size() - extension.size() - 1];
  return before != '/' && before != '\\';
}

std::string Choices(std::initializer_list<const char*> choices) {
  std::string text;
  std::size_t i = 0;
  for (const char* choice : choices) {
    if (i > 0) text += (i + 1 == choices.size()) ? " or " : ", ";
    text += choice;
    ++i;
  }
  return text;
}

std::string IntegerRange(std::int64_t lo, std::int64_t hi) {
  return "an integer from " + std::to_string(lo) + " to " + std::to_string(hi);
}

// Reads the arguments of one command into it, failing at the first one that is
// wrong.
class LineParser {
 public:
  LineParser(Words& words, ScriptCommand& command) : words_(words), command_(command) {}

  [[noreturn]] void Fail(const Token& found, const std::string& expected) const {
    throw Failure{found.column, "expected " + expected + ", found " + Shown(found.text)};
  }

  Token Require(const std::string& expected) {
    std::optional<Token> token = words_.Next();
    if (!token) throw Failure{words_.EndColumn(), "expected " + expected + ", found end of line"};
    return std::move(*token);
  }

  void IntFrom(const Token& token, std::int64_t lo, std::int64_t hi) {
    const std::optional<std::int64_t> value = ToInteger(token.text);
    if (!value || *value < lo || *value > hi) Fail(token, IntegerRange(lo, hi));
    command_.ints.push_back(*value);
    command_.intColumns.push_back(token.column);
  }

  void Int(std::int64_t lo, std::int64_t hi) { IntFrom(Require(IntegerRange(lo, hi)), lo, hi); }

  void Coordinates(int count) {
    for (int i = 0; i < count; ++i) Int(kMinInt32, kMaxInt32);
  }

  // Reals become floats: a value a float cannot hold (beyond its range, or so
  // small that it becomes 0 where 0 is excluded) is refused, not silently
  // turned into an infinity or a zero.
  void RealFrom(const Token& token, double lowExclusive, double hi, const std::string& expected) {
    const std::optional<double> value = ToReal(token.text);
    if (!value || !(*value > lowExclusive) || !(*value <= hi)) Fail(token, expected);
    const std::optional<float> narrow = ToFloat(token.text, *value);
    if (!narrow || (lowExclusive >= 0.0 && !(*narrow > 0.0f))) Fail(token, expected);
    command_.reals.push_back(*narrow);
    command_.realColumns.push_back(token.column);
  }

  void AddWord(Token token) {
    command_.words.push_back(std::move(token.text));
    command_.wordColumns.push_back(token.column);
  }

  // Any word; empty only where the command allows it ("" for a cleared value).
  void Word(const std::string& expected, bool mayBeEmpty) {
    Token token = Require(expected);
    if (token.text.empty() && !mayBeEmpty) Fail(token, expected);
    AddWord(std::move(token));
  }

  // One of a fixed set of keywords, spelt exactly.
  std::string Keyword(std::initializer_list<const char*> choices) {
    const std::string expected = Choices(choices);
    Token token = Require(expected);
    if (std::none_of(choices.begin(), choices.end(), [&](const char* c) { return token.text == c; })) {
      Fail(token, expected);
    }
    std::string text = token.text;
    AddWord(std::move(token));
    return text;
  }

  void FileFrom(Token token, std::string_view extension) {
    if (!IsFileName(token.text, extension)) Fail(token, FileExpected(extension));
    AddWord(std::move(token));
  }

  void File(std::string_view extension) { FileFrom(Require(FileExpected(extension)), extension); }

  void End() {
    if (std::optional<Token> extra = words_.Next()) Fail(*extra, "end of line");
  }

  Words& words() { return words_; }

 private:
  static std::string FileExpected(std::string_view extension) {
    return "a file name ending in " + std::string(extension);
  }

  Words& words_;
  ScriptCommand& command_;
};

constexpr std::int64_t kMaxSize = 16384;

void ParseArguments(LineParser& p, ScriptCommand& c) {
  switch (c.op) {
    case ScriptOp::Screen:
    case ScriptOp::View:
      p.Int(1, kMaxSize);
      p.Int(1, kMaxSize);
      break;
    case ScriptOp::Profile:
      p.Word("a profile key", false);
      p.Word("a profile value", true);
      break;
    case ScriptOp::Load:
    case ScriptOp::Unload:
    case ScriptOp::Repaint:
    case ScriptOp::ToolsOff:
    case ScriptOp::Cancel:
    case ScriptOp::Undo:
    case ScriptOp::Redo: break;
    case ScriptOp::Document: {
      p.Word("a document name", false);
      std::optional<Token> next = p.words().Next();
      if (!next) break;
      if (IsFileName(next->text, ".png")) {
        p.FileFrom(std::move(*next), ".png");
      } else if (LooksNumeric(next->text)) {
        p.IntFrom(*next, 1, kMaxSize);
        p.Int(1, kMaxSize);
      } else {
        p.Fail(*next, "a file name ending in .png or " + IntegerRange(1, kMaxSize));
      }
      break;
    }
    case ScriptOp::Activate:
    case ScriptOp::Close: p.Word("a document name", false); break;
    case ScriptOp::Zoom: {
      p.RealFrom(p.Require("a number greater than 0 and at most 1000"), 0.0, 1000.0,
                 "a number greater than 0 and at most 1000");
      // The origin comes in pairs or not at all.
      if (std::optional<Token> ox = p.words().Next()) {
        constexpr double inf = std::numeric_limits<double>::infinity();
        p.RealFrom(*ox, -inf, inf, "a number a float can hold");
        p.RealFrom(p.Require("a number a float can hold"), -inf, inf, "a number a float can hold");
      }
      break;
    }
    case ScriptOp::Grid:
      if (p.Keyword({"on", "off"}) == "on") {
        if (std::optional<Token> size = p.words().Next()) p.IntFrom(*size, 1, 65535);
      }
      break;
    case ScriptOp::Mode: p.Keyword({"on", "off"}); break;
    case ScriptOp::Tool: p.Int(-32768, 32767); break;
    case ScriptOp::Apex:
      // The palette reads the control's value as a 16-bit number: a wider one
      // would come out as another count.
      p.Int(-32768, 32767);
      break;
    case ScriptOp::Palette:
      for (int i = 0; i < 4; ++i) p.Int(0, 255);
      break;
    case ScriptOp::PaletteIndex: p.Int(0, 255); break;
    case ScriptOp::Display: p.Keyword({"black", "transparent", "inverted", "palette", "show", "hide"}); break;
    case ScriptOp::Key:
      p.Keyword({"down", "up"});
      p.Keyword({"shift", "ctrl", "alt", "space"});
      break;
    case ScriptOp::Press:
    case ScriptOp::Move:
    case ScriptOp::Release:
    case ScriptOp::Click: p.Coordinates(2); break;
    case ScriptOp::Drag:
      p.Coordinates(4);
      if (std::optional<Token> steps = p.words().Next()) {
        p.IntFrom(*steps, 1, 100000);
      } else {
        c.ints.push_back(4);
        c.intColumns.push_back(0);
      }
      break;
    case ScriptOp::Menu: p.Int(0, 65535); break;
    case ScriptOp::AnswerScale:
      p.Word("the text typed into the dialog", true);
      p.Keyword({"ok", "cancel"});
      break;
    case ScriptOp::AnswerRotate:
      p.Word("the text typed into the dialog", true);
      p.Keyword({"cw", "ccw"});
      p.Keyword({"ok", "cancel"});
      break;
    case ScriptOp::Replicate: p.Coordinates(3); break;
    case ScriptOp::Snapshot:
    case ScriptOp::Region: p.File(".png"); break;
    case ScriptOp::Dump:
    case ScriptOp::Trace: p.File(".json"); break;
  }
  p.End();
}

// The op a line's first word (and, for "tools" and "answer", its second) names.
ScriptOp ParseOp(LineParser& p, const Token& first) {
  if (first.text == "tools") {
    const Token off = p.Require("off");
    if (off.text != "off") p.Fail(off, "off");
    return ScriptOp::ToolsOff;
  }
  if (first.text == "answer") {
    const Token kind = p.Require("scale or rotate");
    if (kind.text == "scale") return ScriptOp::AnswerScale;
    if (kind.text == "rotate") return ScriptOp::AnswerRotate;
    p.Fail(kind, "scale or rotate");
  }
  for (const OpInfo& info : kOps) {
    if (first.text == info.name) return info.op;
  }
  throw Failure{first.column, "unknown command " + Shown(first.text)};
}

std::optional<ScriptCommand> ParseLine(std::string_view line, int number) {
  Words words(line);
  std::optional<Token> first = words.Next();
  if (!first) return std::nullopt;
  ScriptCommand command;
  command.line = number;
  command.column = first->column;
  LineParser parser(words, command);
  command.op = ParseOp(parser, *first);
  ParseArguments(parser, command);
  return command;
}

}  // namespace

ParseResult ParseScript(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

  std::vector<ScriptCommand> commands;
  int number = 0;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number < INT_MAX) ++number;
    try {
      if (std::optional<ScriptCommand> command = ParseLine(line, number)) {
        commands.push_back(std::move(*command));
      }
    } catch (Failure& failure) {
      return ParseResult{ScriptError{number, failure.column, std::move(failure.message)}};
    }
  }
  return ParseResult{std::move(commands)};
}

bool operator==(const ScriptCommand& a, const ScriptCommand& b) {
  if (a.op != b.op || a.ints != b.ints || a.words != b.words || a.reals.size() != b.reals.size()) return false;
  for (std::size_t i = 0; i < a.reals.size(); ++i) {
    if (std::bit_cast<std::uint32_t>(a.reals[i]) != std::bit_cast<std::uint32_t>(b.reals[i])) return false;
  }
  return true;
}

ScriptCommand MakeCommand(ScriptOp op, std::vector<std::int64_t> ints, std::vector<std::string> words,
                          std::vector<float> reals) {
  ScriptCommand c;
  c.op = op;
  c.ints = std::move(ints);
  c.words = std::move(words);
  c.reals = std::move(reals);
  c.intColumns.assign(c.ints.size(), 0);
  c.wordColumns.assign(c.words.size(), 0);
  c.realColumns.assign(c.reals.size(), 0);
  return c;
}

namespace {

// Bare, a word reads back as itself unless it is empty, holds a blank, a quote,
// a backslash or a comment sign, a control character or a byte that is no
// UTF-8, or a character the parser refuses outside quotes because it cannot be
// seen.
bool NeedsQuotes(std::string_view word) {
  if (word.empty()) return true;
  for (std::size_t at = 0; at < word.size();) {
    const char c = word[at];
    if (IsBlank(c) || c == '"' || c == '\\' || c == '#' || IsControl(c)) return true;
    const Utf8Char ch = DecodeUtf8(word, at);
    if (ch.length == 0) return true;
    if (IsInvisibleCharacter(ch.code)) return true;
    at += ch.length;
  }
  return false;
}

std::string WordText(const std::string& word) {
  if (!NeedsQuotes(word)) return word;
  std::string quoted = "\"";
  for (std::size_t at = 0; at < word.size();) {
    const char c = word[at];
    const Utf8Char ch = DecodeUtf8(word, at);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (IsControl(c) || ch.length == 0) {
      quoted += "\\x" + Hex(static_cast<unsigned char>(c), 2);
    } else {
      quoted += word.substr(at, ch.length);
      at += ch.length;
      continue;
    }
    ++at;
  }
  return quoted + "\"";
}

std::string FloatText(float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

}  // namespace

std::string FormatCommand(const ScriptCommand& c) {
  // Every command's arguments read words first, then integers, then reals.
  std::string line = ScriptOpName(c.op);
  // Appended piece by piece: GCC 12 at -O3 warns falsely of overlap on
  // " " + temporary.
  for (const std::string& word : c.words) line.append(" ").append(WordText(word));
  for (const std::int64_t value : c.ints) line.append(" ").append(std::to_string(value));
  for (const float value : c.reals) line.append(" ").append(FloatText(value));
  return line;
}

std::string FormatError(const ScriptError& error) {
  return "line " + std::to_string(error.line) + ", column " + std::to_string(error.column) + ": " + error.message;
}

const char* ScriptOpName(ScriptOp op) {
  const auto index = static_cast<std::size_t>(op);
  return index < kOps.size() ? kOps[index].name : "?";
}

const std::vector<ScriptOp>& AllScriptOps() {
  static const std::vector<ScriptOp> ops = [] {
    std::vector<ScriptOp> all;
    for (const OpInfo& info : kOps) all.push_back(info.op);
    return all;
  }();
  return ops;
}

std::string UsageText() {
  std::string text =
      "usage: sketch-replay [--image FILE.png] [--out FILE.png] [--dump FILE.json] [--svg FILE.svg]\n"
      "                     SCRIPT|-\n"
      "\n"
      "Replays a script of user input against the Sketch module, without a screen.\n"
      "\n"
      "  --image FILE.png   the picture of \"main\", opened when a command needs a\n"
      "                     document and none is open (else the built-in picture);\n"
      "                     an error when the script never opens \"main\" so\n"
      "  --out FILE.png     a snapshot taken after the last line\n"
      "  --dump FILE.json   a dump taken after the last line\n"
      "  --svg FILE.svg     the active document's figures as SVG after the last line\n"
      "  SCRIPT|-           the script file, or - for standard input\n"
      "  --help             this text\n"
      "  --version          the version\n"
      "\n"
      "Exit status: 0 on success, 2 on a script error (nothing is run or written),\n"
      "1 when a file cannot be read or written, the module cannot be loaded, or\n"
      "memory runs out. The whole script is checked before anything runs: syntax,\n"
      "ranges, document names, the pictures it opens (unless an earlier line writes\n"
      "them), its outputs and the module. An option given twice is an error.\n"
      "Each output replaces its file (at the end of a chain of links) only once it\n"
      "is written whole; a script, picture or module that is not a regular file is\n"
      "refused before it is read.\n"
      "\n"
      "Script: UTF-8, one command per line; # starts a comment; words are separated\n"
      "by blanks; \"quoted text\" is one word and may hold blanks, \\\", \\\\, \\n, \\r\n"
      "and \\xHH (any byte).\n"
      "Outside quotes an invisible character (U+00A0, U+FEFF, ...) is an error.\n"
      "Numbers are decimal; mouse coordinates are view pixels. A 16-bit picture is\n"
      "read as encoded like an 8-bit one.\n"
      "\n"
      "Commands:\n";
  // A synopsis too long for the first column puts its help on the next line.
  constexpr std::size_t kWidth = 30;
  for (const OpInfo& info : kOps) {
    std::string synopsis = info.name;
    if (*info.args != '\0') synopsis += std::string(" ") + info.args;
    if (synopsis.size() > kWidth) {
      synopsis += "\n" + std::string(2 + kWidth, ' ');
    } else {
      synopsis.resize(kWidth, ' ');
    }
    text += "  " + synopsis + "  " + info.help + "\n";
  }
  return text;
}
