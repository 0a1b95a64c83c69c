#include "ScriptRecorder.h"

std::string ScriptRecorder::Open(const std::string& path, const std::vector<std::string>& first) {
  fFile.close();
  fFile.clear();
  fFile.open(path, std::ios::binary | std::ios::trunc);
  if (!fFile) return path + ": cannot be written";
  fFile << "# recorded by sketch-studio\n";
  for (const std::string& line : first) fFile << line << "\n";
  fFile << std::flush;
  return {};
}

std::string ScriptRecorder::OpenJournal(const std::string& path, const std::string& marker) {
  fJournal.close();
  fJournal.clear();
  fJournal.open(path, std::ios::binary | std::ios::trunc);
  if (!fJournal) return path + ": cannot be written";
  fJournal << marker << "\n" << fSession << std::flush;
  if (!fJournal) {
    fJournal.close();
    return path + ": cannot be written";
  }
  return {};
}

void ScriptRecorder::Write(const std::string& lines) {
  fSession += lines;
  // Flushed to the system at once: a process killed later loses none of it.
  if (fJournal.is_open() && !(fJournal << lines << std::flush)) {
    fJournal.close();
    fJournalFailed = true;
  }
  if (fFile.is_open()) fFile << lines << std::flush;
}

void ScriptRecorder::Line(const std::string& line) {
  if (fHeld) {
    fPending += line + "\n";
    return;
  }
  Write(line + "\n");
}

void ScriptRecorder::Release(const std::string& command) {
  fHeld = false;
  Write(fPending + command + "\n");
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
