#include "ScriptRecorder.h"

#include <filesystem>
#include <system_error>

namespace {

std::uintmax_t SizeOf(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

bool IsAnswer(ScriptOp op) { return op == ScriptOp::AnswerScale || op == ScriptOp::AnswerRotate; }

// The commands the host may drop for want of memory, each with what follows
// it up to the next step: a gesture ends with its release.
bool BeginsStep(ScriptOp op) {
  switch (op) {
    case ScriptOp::Press:
    case ScriptOp::Click:
    case ScriptOp::Drag:
    case ScriptOp::Menu:
    case ScriptOp::Replicate:
    case ScriptOp::AnswerScale:
    case ScriptOp::AnswerRotate: return true;
    default: return false;
  }
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

void ScriptRecorder::Write(const std::string& line, ScriptOp op) {
  // A step runs from the command that begins it to the next one; the moves,
  // release or cancel of a gesture, and the command after a dialog's answers,
  // are part of it. Anything else ends it: what comes after is no longer the host's to
  // drop with it.
  const bool continues =
      op == ScriptOp::Move || op == ScriptOp::Release || op == ScriptOp::Cancel || (fAfterAnswer && BeginsStep(op));
  if (!continues && BeginsStep(op)) {
    fStep = {true, fSession.size(), fJournal.is_open() ? SizeOf(fJournalPath) : 0,
             fFile.is_open() ? SizeOf(fFilePath) : 0};
  } else if (!continues) {
    fStep.valid = false;
  }
  fAfterAnswer = IsAnswer(op);
  Write(line + "\n");
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

void ScriptRecorder::CutBack(std::ofstream& out, const std::string& path, std::uintmax_t size) {
  out.close();
  std::error_code error;
  std::filesystem::resize_file(path, size, error);
  out.clear();
  out.open(path, std::ios::binary | std::ios::app);
}

void ScriptRecorder::DropStep() {
  fAfterAnswer = false;
  if (!std::exchange(fStep.valid, false)) return;
  fSession.resize(fStep.session);
  if (fJournal.is_open()) {
    CutBack(fJournal, fJournalPath, fStep.journal);
    if (!fJournal) fJournalFailed = true;
  }
  if (fFile.is_open()) CutBack(fFile, fFilePath, fStep.file);
}

void ScriptRecorder::Record(const ScriptCommand& command) {
  if (fHeld) {
    fPending.push_back(command);
    return;
  }
  Write(FormatCommand(command), command.op);
}

void ScriptRecorder::Comment(const std::string& line) {
  fStep.valid = false;
  fAfterAnswer = false;
  Write(line + "\n");
}

void ScriptRecorder::Release(const ScriptCommand& command) {
  fHeld = false;
  for (const ScriptCommand& answer : fPending) Write(FormatCommand(answer), answer.op);
  fPending.clear();
  Write(FormatCommand(command), command.op);
}
