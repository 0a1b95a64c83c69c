// The studio's sessions as files: a sketch saved and reopened, a journal
// recovered. Either is replayed through the same runner as sketch-replay's,
// over a module loaded afresh, so that it comes back bit for bit.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStatusBar>

#include "OsAfxWin.h"
#include "OsPlatformHost.h"
#include "Replay.h"
#include "StudioWindow.h"

namespace {

const char kTitle[] = "Sketch Studio";

// What a sketch may hold: what the studio writes, and the gestures that a
// person writing one by hand would use. Nothing that writes files or unloads
// the module from under the window.
bool MayReplay(ScriptOp op) {
  switch (op) {
    case ScriptOp::Load:
    case ScriptOp::Unload:
    case ScriptOp::Snapshot:
    case ScriptOp::Dump:
    case ScriptOp::Region:
    case ScriptOp::Trace: return false;
    default: return true;
  }
}

std::string Where(const ScriptCommand& c) { return "line " + std::to_string(c.line) + ": "; }

}  // namespace

StudioWindow::SessionFile StudioWindow::ReadSessionFile(const QString& path) {
  SessionFile file;
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly)) {
    file.error = path.toStdString() + ": cannot be read (" + in.errorString().toStdString() + ")";
    return file;
  }
  const QByteArray bytes = in.readAll();
  const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (!BeginsWith(text, kSketchMarker) && !BeginsWith(text, kJournalMarker)) {
    file.error = path.toStdString() + ": not a sketch (its first line is not \"" + std::string(kSketchMarker) + "\")";
    return file;
  }
  file.read = ReadJournal(text);
  file.folder = QFileInfo(path).absolutePath();
  for (const ScriptCommand& c : file.read.commands) {
    if (c.op != ScriptOp::Document || c.words.size() != 2) continue;
    const auto hash = file.read.pictureHashes.find(c.line);
    if (hash == file.read.pictureHashes.end()) continue;
    const std::string picture = QDir(file.folder).absoluteFilePath(QString::fromStdString(c.words[1])).toStdString();
    RgbImage pixels;
    if (std::string error = ReadPng(picture, pixels); !error.empty()) {
      file.changed.push_back(error);
    } else if (PictureHash(pixels) != hash->second) {
      file.changed.push_back(picture + " has changed since the sketch was drawn over it");
    }
  }
  return file;
}

std::vector<std::string> StudioWindow::ReplaySession(const SessionFile& file) {
  std::vector<std::string> problems;
  // The module starts as it did for the session: its screen and its profile.
  std::size_t setUp = 0;
  OsSetScreenSize(1024, 768);
  auto& profile = AfxGetApp()->fProfile["Sketch"];
  fOutput.ForgetAll();
  // What the module could not write to the profile is replaced below anyway.
  fHost.Unload();
  profile.clear();
  const std::vector<ScriptCommand>& commands = file.read.commands;
  for (; setUp < commands.size(); ++setUp) {
    const ScriptCommand& c = commands[setUp];
    if (c.op == ScriptOp::Screen) {
      OsSetScreenSize(static_cast<int>(c.ints[0]), static_cast<int>(c.ints[1]));
    } else if (c.op == ScriptOp::Profile) {
      profile[c.words[0]] = c.words[1];
    } else {
      break;
    }
  }
  fOutput.KeepLoadedProfile(profile);
  fLoadError = fHost.Load(fModulePath);
  BuildMenus();

  // Dialogs take their answers from the file, as in sketch-replay.
  OsUserInterface* const dialogs = OsGetUserInterface();
  OsSetUserInterface(&fHost.fDialogs);
  ReplayOptions options;
  options.modulePath = fModulePath;
  Replay replay(options, fHost);
  std::size_t done = 0;
  std::string session;
  std::size_t line = 1;  // the marker is not part of the session
  for (; done < commands.size(); ++done) {
    ScriptCommand c = commands[done];
    for (; line < static_cast<std::size_t>(c.line - 1); ++line) session += file.read.lines[line] + "\n";
    std::string text = file.read.lines[line++];
    if (!MayReplay(c.op)) {
      problems.push_back(Where(c) + "'" + ScriptOpName(c.op) + "' has no place in a sketch; the rest was left out");
      break;
    }
    if (c.op == ScriptOp::Document && c.words.size() == 2) {
      c.words[1] = QDir(file.folder).absoluteFilePath(QString::fromStdString(c.words[1])).toStdString();
      text = FormatCommand(c);
    }
    const ReplayError error = replay.Execute(c);
    if (error.code != kExitOk) {
      // The runner names the line itself for what the script got wrong.
      problems.push_back((error.code == kExitScript ? std::string() : Where(c)) + error.message +
                         "; the rest was left out");
      break;
    }
    if (c.op == ScriptOp::Document && c.words.size() == 2) fOutput.Adopt(*fHost.Active(), c.words[1]);
    session += text + "\n";
  }
  // Comments after the last step go with it.
  if (done == commands.size()) {
    for (; line < file.read.lines.size(); ++line) session += file.read.lines[line] + "\n";
  }
  OsSetUserInterface(dialogs);
  // A recording follows one session; this one ends here.
  if (fOutput.Script().IsOpen()) {
    fOutput.Script().Close();
    statusBar()->showMessage(tr("The recording ended: another session was opened."), 5000);
  }
  fOutput.Script().Restart(session);
  if (!fOutput.JournalPath().empty()) {
    if (std::string error = fOutput.StartJournal(fOutput.JournalPath()); !error.empty()) problems.push_back(error);
  }
  problems.insert(problems.end(), file.read.problems.begin(), file.read.problems.end());
  Changed(true);
  return problems;
}

std::string StudioWindow::SaveSketch(const QString& path) {
  std::string error;
  const std::string text = fOutput.SketchText(path, error);
  if (!error.empty()) return error;
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !out.commit()) {
    return path.toStdString() + ": cannot be written (" + out.errorString().toStdString() + ")";
  }
  return {};
}

void StudioWindow::SaveSketchAs() {
  QString path = QFileDialog::getSaveFileName(this, tr("Save the sketch"), QString(), tr("Sketches (*.sketch)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".sketch";
  if (const std::string error = SaveSketch(path); !error.empty()) {
    QMessageBox::critical(this, kTitle, QString::fromStdString("The sketch was not saved: " + error));
  } else {
    statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 5000);
  }
}

void StudioWindow::OpenSketchFile() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Open a sketch"), QString(), tr("Sketches (*.sketch)"));
  if (path.isEmpty()) return;
  const SessionFile file = ReadSessionFile(path);
  if (!file.error.empty()) {
    QMessageBox::critical(this, kTitle, QString::fromStdString("The sketch cannot be opened: " + file.error));
    return;
  }
  std::vector<HostDocument*> all;
  for (const auto& doc : fHost.Documents()) all.push_back(doc.get());
  if (!MayDiscard(all)) return;
  if (!file.changed.empty()) {
    QStringList changed;
    for (const std::string& c : file.changed) changed << QString::fromStdString(c);
    if (QMessageBox::question(
            this, kTitle, tr("%1.\n\nReplay the sketch over the pictures as they are now?").arg(changed.join(".\n")),
            QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Yes) {
      return;
    }
  }
  const std::vector<std::string> problems = ReplaySession(file);
  if (problems.empty()) return;
  QStringList lines;
  for (const std::string& p : problems) lines << QString::fromStdString(p);
  QMessageBox::warning(this, kTitle,
                       tr("Not all of %1 could be read:\n%2").arg(QDir::toNativeSeparators(path), lines.join("\n")));
}
