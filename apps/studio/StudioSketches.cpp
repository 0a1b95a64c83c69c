// The studio's sessions as files: a sketch saved and reopened, a journal
// recovered, the pictures they were drawn over found again. Either is
// replayed through the same runner as sketch-replay's, over a module loaded
// afresh, so that it comes back bit for bit.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <optional>

#include "Files.h"
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

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }
QString Native(const std::string& path) { return Native(QString::fromStdString(path)); }

// The window's texts are translated in QObject's context: it has no
// meta-object of its own.
const char kPictures[] = QT_TRANSLATE_NOOP("QObject", "Pictures (*.png *.jpg *.jpeg *.bmp)");

// Saves the session at `path`, telling the person how it went.
bool SaveTelling(StudioWindow& window, const QString& path) {
  if (const std::string error = window.SaveSketch(path); !error.empty()) {
    QMessageBox::critical(&window, kTitle,
                          QObject::tr("The sketch was not saved: %1").arg(QString::fromStdString(error)));
    return false;
  }
  window.statusBar()->showMessage(QObject::tr("Saved %1").arg(Native(path)), 5000);
  return true;
}

}  // namespace

StudioWindow::SessionFile StudioWindow::ReadSessionFile(const QString& path) {
  SessionFile file;
  file.path = QFileInfo(path).absoluteFilePath();
  // Not a FIFO or a device, which could block or never end; a file too
  // large for memory is said to be.
  std::string bytes;
  if (std::string error = ReadWholeFile(path.toStdString(), bytes); !error.empty()) {
    file.error = error;
    return file;
  }
  std::string_view text(bytes);
  // An editor may have saved it with a byte-order mark, which says nothing.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (!BeginsWith(text, kSketchMarker) && !BeginsWith(text, kJournalMarker)) {
    file.error = path.toStdString() + ": not a sketch or a journal (its first line is neither \"" +
                 std::string(kSketchMarker) + "\" nor \"" + std::string(kJournalMarker) + "\")";
    return file;
  }
  file.journal = BeginsWith(text, kJournalMarker);
  file.read = ReadJournal(text);
  file.folder = QFileInfo(path).absolutePath();
  for (const ScriptCommand& c : file.read.commands) {
    if (c.op != ScriptOp::Document || c.words.size() != 2) continue;
    const auto hash = file.read.pictureHashes.find(c.line);
    const bool hashed = hash != file.read.pictureHashes.end();
    const std::string picture = QDir(file.folder).absoluteFilePath(QString::fromStdString(c.words[1])).toStdString();
    RgbImage pixels;
    if (std::string error = ReadPng(picture, pixels); !error.empty()) {
      file.missing.push_back({c.line, picture, hashed ? hash->second : std::string(), error});
    } else if (hashed && PictureHash(pixels) != hash->second) {
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
    ++line;
    if (!MayReplay(c.op)) {
      problems.push_back(Where(c) + "'" + ScriptOpName(c.op) + "' has no place in a sketch; the rest was left out");
      break;
    }
    if (c.op == ScriptOp::Document && c.words.size() == 2) {
      const auto located = file.located.find(c.line);
      c.words[1] = located != file.located.end()
                       ? located->second
                       : QDir(file.folder).absoluteFilePath(QString::fromStdString(c.words[1])).toStdString();
    }
    const ReplayError error = replay.Execute(c);
    if (error.code != kExitOk) {
      // The runner names the line itself for what the script got wrong.
      problems.push_back((error.code == kExitScript ? std::string() : Where(c)) + error.message +
                         "; the rest was left out");
      break;
    }
    if (c.op == ScriptOp::Document && c.words.size() == 2) fOutput.Adopt(*fHost.Active(), c.words[1]);
    // Written as the journal writes every line, whatever the file's own
    // spelling of it.
    session += FormatCommand(c) + "\n";
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
  // Save writes back only a sketch that came back whole; until then, what
  // would be lost on closing is what the file does not hold.
  const bool whole = !file.journal && problems.empty() && !file.path.isEmpty();
  fSketchPath = whole ? file.path : QString();
  if (whole && file.located.empty()) {
    fUnsaved.Saved(fHost);
  } else {
    fUnsaved.Unsaved(fHost);
  }
  if (!file.journal && !file.path.isEmpty()) fSettings.AddRecent(file.path);
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
  fSketchPath = QFileInfo(path).absoluteFilePath();
  fUnsaved.Saved(fHost);
  fSettings.AddRecent(fSketchPath);
  SyncTabs();
  return {};
}

bool StudioWindow::SaveCurrent() {
  return fSketchPath.isEmpty() ? SaveSketchAs() : SaveTelling(*this, QString(fSketchPath));
}

bool StudioWindow::SaveSketchAs() {
  // Offered under its own name first, as GIMP and Inkscape do.
  QFileDialog dialog(this, tr("Save the sketch"), fSketchPath.isEmpty() ? fSettings.Folder("saveSketch") : fSketchPath,
                     tr("Sketches (*.sketch)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("sketch");
  const QString path = fSettings.Ask(dialog, "saveSketch");
  return !path.isEmpty() && SaveTelling(*this, path);
}

void StudioWindow::OpenPictureFile() {
  QFileDialog dialog(this, tr("Open a picture"), fSettings.Folder("openPicture"), tr(kPictures));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (const QString path = fSettings.Ask(dialog, "openPicture"); !path.isEmpty()) OpenPicture(path);
}

void StudioWindow::OpenSketchFile() {
  QFileDialog dialog(this, tr("Open a sketch"), fSettings.Folder("openSketch"));
  const QString journals = tr("Recovered journals (recovered-*.txt)");
  dialog.setNameFilters({tr("Sketches (*.sketch)"), journals});
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The kept journals lie in the studio's data folder, which few people
  // could find: their filter goes there.
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [this, &dialog, journals](const QString& filter) {
    if (filter == journals) dialog.setDirectory(fDataFolder);
  });
  if (const QString path = fSettings.Ask(dialog, "openSketch"); !path.isEmpty()) OpenSketchAt(path);
}

void StudioWindow::FillRecent(QMenu* menu) {
  menu->clear();
  const QStringList recent = fSettings.Recent();
  for (int k = 0; k < recent.size(); ++k) {
    const QString& path = recent[k];
    const QString name = QFileInfo(path).fileName().replace("&", "&&");
    QAction* entry = menu->addAction(k < 9 ? QString("&%1 %2").arg(k + 1).arg(name) : QString("1&0 %1").arg(name));
    entry->setToolTip(Native(path));
    entry->setStatusTip(Native(path));
    // A sketch that is gone stays in sight, greyed, until newer ones push it
    // out: the person sees it was moved rather than forgotten.
    entry->setEnabled(QFileInfo::exists(path));
    connect(entry, &QAction::triggered, this, [this, path] { OpenSketchAt(path); });
  }
  if (recent.isEmpty()) menu->addAction(tr("No sketches yet"))->setEnabled(false);
}

bool StudioWindow::LocatePictures(SessionFile& file) {
  const auto locate = [this](const MissingPicture& missing) -> std::optional<std::string> {
    const QFileInfo was(QString::fromStdString(missing.path));
    for (;;) {
      QFileDialog dialog(this,
                         was.exists() ? tr("Locate %1: it cannot be read").arg(was.fileName())
                                      : tr("Locate the missing picture %1").arg(was.fileName()),
                         was.dir().exists() ? was.absolutePath() : fSettings.Folder("locate"), tr(kPictures));
      dialog.setFileMode(QFileDialog::ExistingFile);
      dialog.selectFile(was.fileName());
      const QString chosen = fSettings.Ask(dialog, "locate");
      if (chosen.isEmpty()) return std::nullopt;
      RgbImage pixels;
      bool png = false;
      if (const QString reason = ReadPicture(chosen, pixels, &png); !reason.isEmpty()) {
        QMessageBox::critical(this, kTitle, tr("%1 cannot be opened: %2").arg(Native(chosen), reason));
        continue;
      }
      if (!missing.hash.empty() && PictureHash(pixels) != missing.hash) {
        QMessageBox box(QMessageBox::Question, kTitle,
                        tr("%1 is not the picture the sketch was drawn over: its pixels differ.").arg(Native(chosen)),
                        QMessageBox::Cancel, this);
        box.setInformativeText(tr("Replay the sketch over it as it is, or choose another picture?"));
        QPushButton* use = box.addButton(tr("Use This Picture"), QMessageBox::AcceptRole);
        QPushButton* again = box.addButton(tr("Choose Another..."), QMessageBox::ActionRole);
        box.setDefaultButton(again);
        box.exec();
        if (box.clickedButton() == again) continue;
        if (box.clickedButton() != use) return std::nullopt;
      }
      if (png) return QFileInfo(chosen).absoluteFilePath().toStdString();
      // A replay reads PNG only: another kind of picture goes in as the
      // studio's own copy, which a save copies beside the sketch.
      std::string copy;
      if (const std::string error = fOutput.KeepPicture(pixels, copy); !error.empty()) {
        QMessageBox::critical(this, kTitle, tr("%1 cannot be used: %2").arg(Native(chosen), Native(error)));
        continue;
      }
      return copy;
    }
  };
  // A picture opened more than once is asked for once.
  std::map<std::string, std::string> found;
  std::map<int, std::string> located;
  for (const MissingPicture& missing : file.missing) {
    auto at = found.find(missing.path);
    if (at == found.end()) {
      const std::optional<std::string> chosen = locate(missing);
      if (!chosen) return false;
      at = found.emplace(missing.path, *chosen).first;
    }
    located[missing.line] = at->second;
  }
  file.located = std::move(located);
  return true;
}

void StudioWindow::OpenSketchAt(const QString& path) {
  SessionFile file = ReadSessionFile(path);
  if (!file.error.empty()) {
    QMessageBox::critical(this, kTitle, tr("The sketch cannot be opened: %1").arg(QString::fromStdString(file.error)));
    return;
  }
  // Nothing of the session is given up before the sketch can be opened.
  if (!LocatePictures(file)) return;
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
  QMessageBox::warning(this, kTitle, tr("Not all of %1 could be read:\n%2").arg(Native(path), lines.join("\n")));
}
