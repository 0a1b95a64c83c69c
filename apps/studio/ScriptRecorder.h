#pragma once
// Writes what the person does as a sketch-replay script, a line as it happens,
// so that a crash loses nothing already done.

#include <fstream>
#include <string>

class ScriptRecorder {
 public:
  // Empty on success, otherwise what went wrong, naming the file.
  std::string Open(const std::string& path);
  bool IsOpen() const { return fFile.is_open(); }
  void Line(const std::string& line);
  // A dialog's answers reach the script before the command that opened it,
  // which is written once it returns: Hold buffers them until Release.
  void Hold() { fHeld = true; }
  void Release(const std::string& command);

  // A word as the script reads it: quoted when empty or holding blanks, quotes
  // or backslashes.
  static std::string Word(const std::string& text);

 private:
  std::ofstream fFile;
  std::string fPath;
  bool fHeld = false;
  std::string fPending;
};
