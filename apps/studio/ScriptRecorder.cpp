#include "ScriptRecorder.h"

#include <filesystem>
#include <system_error>

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::uintmax_t SizeOf(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

std::string ScriptRecorder::Open(const std::string& path, const std::vector<std::string>& first) {
  fFile.close();
  fFile.clear();
  fFile.open(path, std::ios::binary | std::ios::trunc);
  if (!fFile) return path + ": cannot be written";
  fFilePath = path;
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
  fJournalPath = path;
  fJournal << marker << "\n" << fSession << std::flush;
  if (!fJournal) {
    fJournal.close();
    return path + ": cannot be written";
  }
  return {};
}

void ScriptRecorder::Write(const std::string& lines) {
  // A press, or a menu command after its dialog's answers, begins a step that
  // the host may drop; its moves and release belong to it.
  if (StartsWith(lines, "press ") || StartsWith(lines, "menu ") || StartsWith(lines, "answer ")) {
    fStep = {true, fSession.size(), fJournal.is_open() ? SizeOf(fJournalPath) : 0,
             fFile.is_open() ? SizeOf(fFilePath) : 0};
  } else if (!StartsWith(lines, "move ") && !StartsWith(lines, "release ")) {
    fStep.valid = false;
  }
  fSession += lines;
  // Flushed to the system at once: a process killed later loses none of it.
  if (fJournal.is_open() && !(fJournal << lines << std::flush)) {
    fJournal.close();
    fJournalFailed = true;
  }
  if (fFile.is_open()) fFile << lines << std::flush;
}

void ScriptRecorder::CutBack(std::ofstream& out, const std::string& path, std::uintmax_t size) {
  out.close();
  std::error_code error;
  std::filesystem::resize_file(path, size, error);
  out.clear();
  out.open(path, std::ios::binary | std::ios::app);
}

void ScriptRecorder::DropStep() {
  if (!std::exchange(fStep.valid, false)) return;
  fSession.resize(fStep.session);
  if (fJournal.is_open()) {
    CutBack(fJournal, fJournalPath, fStep.journal);
    if (!fJournal) fJournalFailed = true;
  }
  if (fFile.is_open()) CutBack(fFile, fFilePath, fStep.file);
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
