#include "SketchJournal.h"

#include <algorithm>
#include <cstdint>

std::string PictureHash(const RgbImage& picture) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  const auto add = [&hash](std::uint8_t byte) {
    hash ^= byte;
    hash *= 0x100000001b3ULL;
  };
  for (const int side : {picture.width, picture.height}) {
    for (int shift = 0; shift < 32; shift += 8)
      add(static_cast<std::uint8_t>(static_cast<std::uint32_t>(side) >> shift));
  }
  for (const std::uint8_t byte : picture.pixels) add(byte);
  static const char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<std::size_t>(i)] = kDigits[hash & 15];
  return text;
}

bool BeginsWith(std::string_view text, std::string_view marker) {
  if (text.substr(0, marker.size()) != marker) return false;
  const std::string_view rest = text.substr(marker.size());
  return rest.empty() || rest[0] == '\n' || rest.substr(0, 2) == "\r\n";
}

JournalRead ReadJournal(std::string_view text) {
  JournalRead read;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) {
      // Power went while the line was being written: what it was cannot be known.
      read.problems.push_back("line " + std::to_string(read.lines.size() + 1) +
                              " is cut off (it has no end of line) and was left out");
      break;
    }
    read.lines.emplace_back(text.substr(from, end - from));
    from = end + 1;
  }

  std::string whole;
  for (const std::string& line : read.lines) whole += line + "\n";
  ParseResult parsed = ParseScript(whole);
  if (!parsed.ok()) {
    const ScriptError error = parsed.error();
    read.problems.push_back(FormatError(error) + "; lines " + std::to_string(error.line) + " to " +
                            std::to_string(read.lines.size()) + " were left out");
    read.lines.resize(std::min(read.lines.size(), static_cast<std::size_t>(std::max(0, error.line - 1))));
    whole.clear();
    for (const std::string& line : read.lines) whole += line + "\n";
    parsed = ParseScript(whole);
  }
  // A line that parses alone parses in any prefix: nothing in a line depends
  // on the lines before it.
  if (parsed.ok()) read.commands = parsed.commands();

  // Whole steps only: the person's last gesture may have been under way.
  std::size_t keep = read.commands.size();
  int openPress = -1;
  for (std::size_t k = 0; k < read.commands.size(); ++k) {
    const ScriptOp op = read.commands[k].op;
    if (op == ScriptOp::Press) openPress = static_cast<int>(k);
    if (op == ScriptOp::Release || op == ScriptOp::Cancel) openPress = -1;
  }
  if (openPress >= 0) {
    keep = static_cast<std::size_t>(openPress);
    read.problems.push_back("line " + std::to_string(read.commands[keep].line) +
                            ": the gesture begun there never ended and was left out");
  }
  std::size_t answers = keep;
  while (answers > 0 && (read.commands[answers - 1].op == ScriptOp::AnswerScale ||
                         read.commands[answers - 1].op == ScriptOp::AnswerRotate)) {
    --answers;
  }
  if (answers < keep) {
    read.problems.push_back("line " + std::to_string(read.commands[answers].line) +
                            ": dialog answers without their command were left out");
    keep = answers;
  }
  if (keep < read.commands.size()) {
    read.lines.resize(static_cast<std::size_t>(read.commands[keep].line - 1));
    read.commands.resize(keep);
  }

  std::string pending;
  std::size_t next = 0;
  for (std::size_t k = 0; k < read.lines.size(); ++k) {
    const std::string& line = read.lines[k];
    const int number = static_cast<int>(k) + 1;
    if (line.compare(0, kPictureComment.size(), kPictureComment) == 0) pending = line.substr(kPictureComment.size());
    while (next < read.commands.size() && read.commands[next].line < number) ++next;
    if (next < read.commands.size() && read.commands[next].line == number &&
        read.commands[next].op == ScriptOp::Document) {
      if (!pending.empty()) read.pictureHashes[number] = pending;
      pending.clear();
    }
  }
  return read;
}
