#pragma once
// Journals and saved sketches: sketch-replay scripts whose header (the kind of
// file, the pictures and their pixel hashes) sits in comment lines, so that
// sketch-replay runs them unchanged. Reading one keeps what can be replayed
// whole and says where and why the rest was left out.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "PngFile.h"
#include "Script.h"

// The first line of each kind of file.
inline constexpr std::string_view kJournalMarker = "# sketch-studio journal 1";
inline constexpr std::string_view kSketchMarker = "# sketch-studio sketch 1";
// Goes before each document line: "# picture HASH".
inline constexpr std::string_view kPictureComment = "# picture ";
inline std::string PictureComment(const std::string& hash) { return std::string(kPictureComment) + hash; }

// FNV-1a (64 bits) of the width and height (4 bytes each, little-endian) and
// the RGB bytes, as 16 lower-case hex digits.
std::string PictureHash(const RgbImage& picture);

// Whether `text` begins with the marker line.
bool BeginsWith(std::string_view text, std::string_view marker);

struct JournalRead {
  // Every whole line kept, without its end of line; commands come from these.
  std::vector<std::string> lines;
  std::vector<ScriptCommand> commands;
  // The hash the header gives for the picture of the document line at that
  // line number.
  std::map<int, std::string> pictureHashes;
  // What was left out, each naming its line and the reason.
  std::vector<std::string> problems;
};

// Whole lines only (a last line without its end of line is cut off), up to the
// first line that does not parse, and whole steps only: a gesture whose
// release never came, and dialog answers whose command never came, are left
// out at the end.
JournalRead ReadJournal(std::string_view text);
