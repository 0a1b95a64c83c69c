#include "ScriptRecorder.h"

std::string ScriptRecorder::Open(const std::string& path) {
  fFile.close();
  fFile.clear();
  fFile.open(path, std::ios::binary | std::ios::trunc);
  if (!fFile) return path + ": cannot be written";
  fPath = path;
  fFile << "# recorded by sketch-studio\n" << std::flush;
  return {};
}

void ScriptRecorder::Line(const std::string& line) {
  if (!fFile.is_open()) return;
  if (fHeld) {
    fPending += line + "\n";
    return;
  }
  fFile << line << "\n" << std::flush;
}

void ScriptRecorder::Release(const std::string& command) {
  fHeld = false;
  if (!fFile.is_open()) return;
  fFile << fPending << command << "\n" << std::flush;
  fPending.clear();
}

std::string ScriptRecorder::Word(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t\"\\#") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}
