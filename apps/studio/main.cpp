// sketch-studio: a person sketches over a picture in a window.

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "HostDump.h"
#include "OsPlatformHost.h"
#include "ScriptPlayer.h"
#include "StudioWindow.h"

namespace {

const char kTitle[] = "Sketch Studio";

const char kUsage[] =
    "usage: sketch-studio [PICTURE] [--record SCRIPT] [--recover=yes|no] [--play SCRIPT] [--dump FILE.json]\n"
    "  PICTURE           a PNG, JPEG or BMP file; without one the built-in picture\n"
    "  --record SCRIPT   write what the person does as a sketch-replay script\n"
    "  --recover=yes|no  the answer to the offer to recover the journal of a run\n"
    "                    that did not end cleanly (otherwise the person is asked)\n"
    "  --play SCRIPT     play the script's tool, mode, key, mouse, menu, undo and\n"
    "                    redo lines as the person's input, printing 'played LINE'\n"
    "                    after each\n"
    "  --dump FILE.json  write the state after start-up (and recovery), then quit\n";

bool HasSteps(const JournalRead& read) {
  for (const ScriptCommand& c : read.commands) {
    if (c.op != ScriptOp::Screen && c.op != ScriptOp::Profile && c.op != ScriptOp::Document &&
        c.op != ScriptOp::View && c.op != ScriptOp::Activate) {
      return true;
    }
  }
  return false;
}

QString Lines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& l : lines) list << QString::fromStdString(l);
  return list.join("\n");
}

// A journal left by a run that did not end cleanly: moved aside (never
// written over), then offered. `answer` is "yes", "no" or empty (ask).
void Recover(StudioWindow& window, const QString& journal, const QString& answer) {
  const StudioWindow::SessionFile file = StudioWindow::ReadSessionFile(journal);
  if (!file.error.empty() || !HasSteps(file.read)) {
    QFile::remove(journal);
    return;
  }
  const QString kept = QFileInfo(journal).absolutePath() + "/recovered-" +
                       QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss-zzz") + ".txt";
  if (!QFile::rename(journal, kept)) {
    std::cerr << "sketch-studio: " << journal.toStdString() << ": cannot be moved aside; it is not recovered\n";
    return;
  }
  bool yes = answer == "yes";
  if (answer.isEmpty()) {
    QString text = QObject::tr("Sketch Studio did not end cleanly last time. Recover the sketch it was drawing?");
    if (!file.changed.empty()) text += "\n\n" + Lines(file.changed) + ".";
    if (!file.read.problems.empty()) text += "\n\n" + QObject::tr("Left out:") + "\n" + Lines(file.read.problems);
    text += "\n\n" + QObject::tr("The journal is kept as %1; File > Open Sketch opens it.").arg(QDir::toNativeSeparators(kept));
    yes = QMessageBox::question(&window, kTitle, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
          QMessageBox::Yes;
  }
  if (!yes) return;
  const std::vector<std::string> problems = window.ReplaySession(file);
  for (const std::string& p : problems) std::cerr << "sketch-studio: recovered " << kept.toStdString() << ": " << p << "\n";
  if (!problems.empty()) {
    window.statusBar()->showMessage(QObject::tr("Recovered, but not all: %1").arg(Lines(problems)));
    if (answer.isEmpty()) {
      QMessageBox::warning(&window, kTitle, QObject::tr("Not all of the journal could be recovered:\n%1").arg(Lines(problems)));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kTitle);
  QString picture, record, recover, play, dump;
  const QStringList args = QApplication::arguments();
  for (int k = 1; k < args.size(); ++k) {
    if (args[k] == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (args[k] == "--record" && k + 1 < args.size()) {
      record = args[++k];
    } else if (args[k] == "--play" && k + 1 < args.size()) {
      play = args[++k];
    } else if (args[k] == "--dump" && k + 1 < args.size()) {
      dump = args[++k];
    } else if (args[k] == "--recover=yes" || args[k] == "--recover=no") {
      recover = args[k].mid(10);
    } else if (args[k].startsWith("-") || !picture.isEmpty()) {
      std::cerr << kUsage;
      return 2;
    } else {
      picture = args[k];
    }
  }
  std::vector<ScriptCommand> toPlay;
  if (!play.isEmpty()) {
    std::ifstream in(play.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const ParseResult parsed = ParseScript(text.str());
    if (!in || !parsed.ok()) {
      std::cerr << "sketch-studio: " << play.toStdString() << ": "
                << (!in ? std::string("cannot be read") : FormatError(parsed.error())) << "\n";
      return 2;
    }
    if (const ScriptCommand* c = ScriptPlayer::Unplayable(parsed.commands())) {
      std::cerr << "sketch-studio: " << play.toStdString() << ": line " << c->line << ": '" << ScriptOpName(c->op)
                << "' cannot be played\n";
      return 2;
    }
    toPlay = parsed.commands();
  }
  // The module sizes its raster after the screen it is shown on.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    OsSetScreenSize(screen->size().width(), screen->size().height());
  }
  const QString profile =
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/sketch-studio.ini";
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);
  auto window = std::make_unique<StudioWindow>(picture, ModuleLoader::DefaultPath(), profile, data);
  if (!window->LoadError().empty()) {
    QMessageBox::critical(nullptr, kTitle,
                          QString::fromStdString("The sketch module cannot be loaded: " + window->LoadError()));
    return 1;
  }
  window->resize(1000, 700);
  window->show();

  // One studio at a time keeps the journal; the lock of one that died is
  // stale, and its journal is then offered.
  QLockFile lock(data + "/journal.lock");
  lock.setStaleLockTime(0);
  const QString journal = data + "/journal.txt";
  // A lock just left by a killed studio can look held for a moment after
  // it died; a second's retries let it be found stale.
  const bool journalled = lock.tryLock(1000);
  if (journalled) {
    if (QFile::exists(journal)) Recover(*window, journal, recover);
    if (const std::string error = window->StartJournal(journal.toStdString()); !error.empty()) {
      QMessageBox::warning(window.get(), kTitle,
                           QString::fromStdString("Work is not journalled, and a crash would lose it: " + error));
    }
  } else {
    std::cerr << "sketch-studio: " << (lock.error() == QLockFile::LockFailedError
                                           ? std::string("another sketch-studio keeps the journal")
                                           : (data + "/journal.lock: cannot be made").toStdString())
              << "; this one keeps none\n";
    window->statusBar()->showMessage(QObject::tr("Another Sketch Studio keeps the journal: a crash would lose this work."));
  }
  if (!record.isEmpty()) {
    if (const std::string error = window->StartRecording(record.toStdString()); !error.empty()) {
      QMessageBox::critical(nullptr, kTitle, QString::fromStdString("Cannot record: " + error));
      return 1;
    }
  }
  if (!dump.isEmpty()) {
    const std::string error = WriteTextFile(dump.toStdString(), DumpHostState(window->GetHost()).Write());
    if (!error.empty()) std::cerr << "sketch-studio: " << error << "\n";
    window.reset();
    if (journalled) QFile::remove(journal);
    return error.empty() ? 0 : 1;
  }
  if (!toPlay.empty()) (new ScriptPlayer(*window, std::move(toPlay)))->Start();
  const int status = QApplication::exec();
  window.reset();
  // Ended cleanly: nothing to recover next time.
  if (journalled) QFile::remove(journal);
  return status;
}
