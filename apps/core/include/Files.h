#pragma once
// Reading and replacing the files both hosts take and give, so that a FIFO or a
// device never blocks a run and a failed write never spoils an earlier file.

#include <string>
#include <string_view>

// Reads the whole of `path` into `bytes`. Only a regular file is read (a link
// is followed): a FIFO, a device or a folder is refused before anything is read
// from it, so that it can neither block nor feed endless data. Empty on
// success, otherwise what went wrong, naming the file; running out of memory
// is said as such. `bytes` is left as it was on failure.
std::string ReadWholeFile(const std::string& path, std::string& bytes);

// The same for standard input, to its end, whatever kind of file it is; "-"
// names it in messages. A closed standard input is an error, not an empty one.
std::string ReadStandardInput(std::string& bytes);

// Empty when `path` can be opened as a regular file (after links), otherwise
// why not, naming the file. Opens nothing that could block.
std::string CheckRegularFile(const std::string& path);

// The file a write to `path` lands in: `path` itself, or the end of the chain
// of symbolic links it starts (relative links read from their own folder).
// A chain that loops or runs too long ends where it stopped.
std::string FinalTarget(const std::string& path);

// Empty when a write to `path` can replace it as ReplaceFile does, otherwise
// why not, in a few words (the reason only, not the file): the final target is
// a folder or another file that is not regular, the links loop, its folder is
// missing, not a folder, or cannot be written to. Touches nothing.
std::string CannotReplace(const std::string& path);

// A file written in pieces that replaces `path` as ReplaceFile does, when
// Commit succeeds: until then the previous file stays as it was, and one
// dropped unfinished leaves nothing behind.
class ReplacingFile {
 public:
  explicit ReplacingFile(const std::string& path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // After the first failure nothing more is written; Ok says whether one came.
  void Write(std::string_view bytes);
  bool Ok() const { return fReason == 0; }
  // Flushes the new file to disk and renames it over the final target. Empty
  // on success, otherwise the first failure, naming the file and giving the
  // system's reason.
  std::string Commit();

 private:
  void Fail(int reason);

  std::string fPath;
  std::string fTarget;
  std::string fTemporary;
  int fFd = -1;
  int fReason = 0;
};

// Replaces the contents of `path` with `text` through a new file in the same
// folder, flushed to disk, then renamed over it, so that a failure leaves the
// previous file whole and no partial one behind. A replaced file keeps its
// permissions. A link chain is followed: its final target is replaced and the
// links stay. Empty on success, otherwise what went wrong, naming the file and
// giving the system's reason.
std::string ReplaceFile(const std::string& path, std::string_view text);
