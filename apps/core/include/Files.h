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

// Empty when `path` can be opened as a regular file (after links), otherwise
// why not, naming the file. Opens nothing that could block.
std::string CheckRegularFile(const std::string& path);

// The file a write to `path` lands in: `path` itself, or the end of the chain
// of symbolic links it starts (relative links read from their own folder).
// A chain that loops or runs too long ends where it stopped.
std::string FinalTarget(const std::string& path);

// Replaces the contents of `path` with `text` through a new file in the same
// folder, flushed to disk, then renamed over it, so that a failure leaves the
// previous file whole and no partial one behind. A replaced file keeps its
// permissions. A link chain is followed: its final target is replaced and the
// links stay. Empty on success, otherwise what went wrong, naming the file and
// giving the system's reason.
std::string ReplaceFile(const std::string& path, std::string_view text);
