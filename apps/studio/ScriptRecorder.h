#pragma once
// Writes what the person does as a sketch-replay script, a command a line as it
// happens, so that a crash loses nothing already done. The session's lines are
// kept from its start (a saved sketch is made of them); a journal mirrors them
// all, a recording those since it began.

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Script.h"

class ScriptRecorder {
 public:
  // The recording: `first` lines go into it alone, then every line. Empty on
  // success, otherwise what went wrong, naming the file.
  std::string Open(const std::string& path, const std::vector<std::string>& first = {});
  bool IsOpen() const { return fFile.is_open(); }
  void Close() { fFile.close(); }
  // The journal: `marker`, then the session so far, then every line, each
  // flushed to the system as it is written (a process killed loses nothing
  // written). Empty on success, otherwise what went wrong.
  std::string OpenJournal(const std::string& path, const std::string& marker);
  bool HasJournal() const { return fJournal.is_open(); }
  // True once, after a line could not be written to the journal (a full
  // disk); the journal is closed then.
  bool JournalFailed() { return std::exchange(fJournalFailed, false); }

  // Every line of the session so far, each ending in a line feed.
  const std::string& Session() const { return fSession; }
  // The session starts over from `text` (whole lines), as after replaying it.
  void Restart(std::string text) { fSession = std::move(text); }

  void Record(const ScriptCommand& command);
  // A comment line, as it is: it begins with '#'.
  void Comment(const std::string& line);
  // The host dropped the step just written (a gesture from its press, a
  // command with its dialog's answers): its lines go from the session, the
  // journal and the recording, which would otherwise replay a step that never
  // happened. Other lines are kept.
  void DropStep();
  // A dialog's answers reach the script before the command that opened it,
  // which is recorded once it returns: Hold keeps them until Release.
  void Hold() { fHeld = true; }
  void Release(const ScriptCommand& command);

 private:
  void Write(const std::string& line, ScriptOp op);
  void Write(const std::string& lines);

  // Where the step being written began, in the session and in each file.
  struct StepStart {
    bool valid = false;
    std::size_t session = 0;
    std::uintmax_t journal = 0;
    std::uintmax_t file = 0;
  };
  static void CutBack(std::ofstream& out, const std::string& path, std::uintmax_t size);

  std::ofstream fFile;
  std::string fFilePath;
  std::ofstream fJournal;
  std::string fJournalPath;
  StepStart fStep;
  // Whether the last command written was a dialog's answer: answers and the
  // command after them make one step.
  bool fAfterAnswer = false;
  bool fJournalFailed = false;
  std::string fSession;
  bool fHeld = false;
  std::vector<ScriptCommand> fPending;
};
