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
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "HostDump.h"
#include "OsPlatformHost.h"
#include "Preflight.h"
#include "ScriptPlayer.h"
#include "SketchJournal.h"
#include "StudioLanguage.h"
#include "StudioWindow.h"

namespace {

const char kTitle[] = "Sketch Studio";
// Kept journals beyond these, the oldest first, are removed.
constexpr int kKeptJournals = 10;

const char kUsage[] =
    "usage: sketch-studio [PICTURE] [--record SCRIPT] [--recover=yes|no] [--dump FILE.json]\n"
    "       sketch-studio [PICTURE] [--record SCRIPT] [--recover=yes|no] --play SCRIPT [--quit]\n"
    "  PICTURE           a PNG, JPEG or BMP file; without one the built-in picture\n"
    "  --record SCRIPT   write what the person does as a sketch-replay script\n"
    "  --recover=yes|no  the answer to the offer to recover the journal of a run\n"
    "                    that did not end cleanly (otherwise the person is asked;\n"
    "                    with --play, no)\n"
    "  --dump FILE.json  write the state after start-up (and recovery), then quit\n"
    "  --play SCRIPT     run a sketch-replay script in the window, every line as\n"
    "                    sketch-replay runs it, from a session started as\n"
    "                    sketch-replay starts one (PICTURE is its --image); what a\n"
    "                    person does comes as the person's input; files are read\n"
    "                    and written relative to the script's folder; prints\n"
    "                    'played LINE' after each line\n"
    "  --quit            after the last line, quit with sketch-replay's exit status\n"
    "                    (without a display, on Qt's offscreen platform)\n";

int Usage() {
  std::cerr << kUsage;
  return kExitScript;
}

bool HasSteps(const JournalRead& read) {
  for (const ScriptCommand& c : read.commands) {
    if (c.op != ScriptOp::Screen && c.op != ScriptOp::Profile && c.op != ScriptOp::Document && c.op != ScriptOp::View &&
        c.op != ScriptOp::Activate) {
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

// Only the newest kept journals stay: their names sort as they were kept.
void RemoveOldJournals(const QString& folder) {
  const QStringList kept = QDir(folder).entryList({"recovered-*.txt"}, QDir::Files, QDir::Name | QDir::Reversed);
  for (const QString& old : kept.mid(kKeptJournals)) QFile::remove(folder + "/" + old);
}

// A journal left by a run that did not end cleanly: moved aside (never
// written over), then offered. `answer` is "yes", "no" or empty (ask).
// Whether it was replayed.
bool Recover(StudioWindow& window, const QString& journal, const QString& answer) {
  const StudioWindow::SessionFile file = StudioWindow::ReadSessionFile(journal);
  if (!file.error.empty() || !HasSteps(file.read)) {
    QFile::remove(journal);
    return false;
  }
  const QString folder = QFileInfo(journal).absolutePath();
  const QString kept = folder + "/recovered-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss-zzz") + ".txt";
  if (!QFile::rename(journal, kept)) {
    std::cerr << "sketch-studio: " << journal.toStdString() << ": cannot be moved aside; it is not recovered\n";
    return false;
  }
  RemoveOldJournals(folder);
  bool yes = answer == "yes";
  if (answer.isEmpty()) {
    QString text = QObject::tr("Sketch Studio did not end cleanly last time. Recover the sketch it was drawing?");
    std::vector<std::string> pictures = file.changed;
    for (const auto& missing : file.missing) pictures.push_back(missing.reason);
    if (!pictures.empty()) text += "\n\n" + Lines(pictures) + ".";
    if (!file.read.problems.empty()) text += "\n\n" + QObject::tr("Left out:") + "\n" + Lines(file.read.problems);
    text += "\n\n" + QObject::tr("The journal is kept as %1; File > Open Sketch opens it (Recovered journals).")
                         .arg(QDir::toNativeSeparators(kept));
    yes = QMessageBox::question(&window, kTitle, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
          QMessageBox::Yes;
  }
  if (!yes) return false;
  const std::vector<std::string> problems = window.ReplaySession(file);
  for (const std::string& p : problems)
    std::cerr << "sketch-studio: recovered " << kept.toStdString() << ": " << p << "\n";
  if (!problems.empty()) {
    window.statusBar()->showMessage(QObject::tr("Recovered, but not all: %1").arg(Lines(problems)));
    if (answer.isEmpty()) {
      QMessageBox::warning(&window, kTitle,
                           QObject::tr("Not all of the journal could be recovered:\n%1").arg(Lines(problems)));
    }
  }
  return true;
}

// What --play reads: the script, as sketch-replay reads it. The error as
// sketch-replay words it, with its exit status.
ReplayError ReadPlay(const QString& path, std::vector<ScriptCommand>& commands) {
  return ReadScript(path.toStdString(), commands);
}

// The picture given with --play, as the PNG file sketch-replay's --image
// names: a picture of another kind is written as PNG into `pictures`.
ReplayError PlayPicture(const QString& picture, const QString& pictures, std::string& png) {
  if (picture.isEmpty() || QFileInfo(picture).suffix().compare("png", Qt::CaseInsensitive) == 0) {
    png = picture.isEmpty() ? std::string() : QFileInfo(picture).absoluteFilePath().toStdString();
    return {};
  }
  RgbImage pixels;
  if (const QString reason = StudioWindow::ReadPicture(picture, pixels); !reason.isEmpty()) {
    return {kExitFile, picture.toStdString() + ": " + reason.toStdString()};
  }
  QDir().mkpath(pictures);
  png = (pictures + "/" + QString::fromStdString(PictureHash(pixels)) + ".png").toStdString();
  if (std::string error = WritePng(png, pixels); !error.empty()) return {kExitFile, error};
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  // A script played to its end needs no screen: without a display the window
  // goes to Qt's offscreen platform.
  bool quit = false;
  for (int k = 1; k < argc; ++k) quit = quit || std::string(argv[k]) == "--quit";
  if (quit && std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(kTitle);
  InstallTranslations(app, QLocale());
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
    } else if (args[k] == "--quit") {
      quit = true;
    } else if (args[k].startsWith("-") || !picture.isEmpty()) {
      return Usage();
    } else {
      picture = args[k];
    }
  }
  // A played script writes its own dumps; quitting is for a played script.
  if ((quit && play.isEmpty()) || (!dump.isEmpty() && !play.isEmpty())) return Usage();

  const QString profile = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/sketch-studio.ini";
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);

  const bool forPlay = !play.isEmpty();
  std::vector<ScriptCommand> toPlay;
  ReplayOptions playOptions;
  if (forPlay) {
    // What the command line names is where it was named; the script's own
    // files are beside it.
    if (!record.isEmpty()) record = QFileInfo(record).absoluteFilePath();
    ReplayError error = ReadPlay(play, toPlay);
    if (error.code == kExitOk) error = PlayPicture(picture, data + "/pictures", playOptions.image);
    if (error.code == kExitOk && !QDir::setCurrent(QFileInfo(play).absolutePath())) {
      error = {kExitFile, QFileInfo(play).absolutePath().toStdString() + ": cannot be entered"};
    }
    if (error.code == kExitOk) {
      error = CheckBeforeRun(toPlay, playOptions);
      if (error.code == kExitScript) error.message = play.toStdString() + ": " + error.message;
    }
    if (error.code != kExitOk) {
      std::cerr << "sketch-studio: " << error.message << "\n";
      return error.code;
    }
    if (recover.isEmpty()) recover = "no";
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    // The module sizes its raster after the screen it is shown on.
    OsSetScreenSize(screen->size().width(), screen->size().height());
  }
  auto window = std::make_unique<StudioWindow>(forPlay ? QString() : picture, playOptions.modulePath,
                                               forPlay ? QString() : profile, data, forPlay);
  if (!window->LoadError().empty()) {
    QMessageBox::critical(
        nullptr, kTitle,
        QObject::tr("The sketch module cannot be loaded: %1").arg(QString::fromStdString(window->LoadError())));
    return 1;
  }
  if (!window->Settings().RestoreGeometry(*window)) window->resize(1000, 700);
  window->show();
  // Whether the picture named opened, to be opened again over a recovered
  // session, which replaces it.
  const bool pictureOpened =
      !forPlay && !picture.isEmpty() && window->GetHost().Find(QFileInfo(picture).fileName().toStdString()) != nullptr;

  // One studio at a time keeps the journal; the lock of one that died is
  // stale, and its journal is then offered.
  QLockFile lock(data + "/journal.lock");
  lock.setStaleLockTime(0);
  const QString journal = data + "/journal.txt";
  // A lock just left by a killed studio can look held for a moment after
  // it died; a second's retries let it be found stale.
  const bool journalled = lock.tryLock(1000);
  if (journalled) {
    if (QFile::exists(journal) && Recover(*window, journal, recover) && pictureOpened) window->OpenPicture(picture);
    if (const std::string error = window->StartJournal(journal.toStdString()); !error.empty()) {
      QMessageBox::warning(
          window.get(), kTitle,
          QObject::tr("Work is not journalled, and a crash would lose it: %1").arg(QString::fromStdString(error)));
    }
  } else {
    std::cerr << "sketch-studio: "
              << (lock.error() == QLockFile::LockFailedError ? std::string("another sketch-studio keeps the journal")
                                                             : (data + "/journal.lock: cannot be made").toStdString())
              << "; this one keeps none\n";
    window->statusBar()->showMessage(
        QObject::tr("Another Sketch Studio keeps the journal: a crash would lose this work."));
  }
  if (!record.isEmpty()) {
    if (const std::string error = window->StartRecording(record.toStdString()); !error.empty()) {
      QMessageBox::critical(nullptr, kTitle, QObject::tr("Cannot record: %1").arg(QString::fromStdString(error)));
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
  if (forPlay) {
    auto* player = new ScriptPlayer(*window, std::move(toPlay), playOptions);
    StudioWindow* shown = window.get();
    player->OnFinished([shown, quit, play](const ReplayError& error) {
      if (error.code != kExitOk) {
        std::cerr << "sketch-studio: " << (error.code == kExitScript ? play.toStdString() + ": " : std::string())
                  << error.message << "\n";
      }
      if (quit) {
        QApplication::exit(error.code);
        return;
      }
      if (error.code != kExitOk) {
        shown->statusBar()->showMessage(
            QObject::tr("The script stopped: %1").arg(QString::fromStdString(error.message)));
      }
      shown->EnsureSession();
    });
    player->Start();
  }
  const int status = QApplication::exec();
  window.reset();
  // Ended cleanly: nothing to recover next time.
  if (journalled) QFile::remove(journal);
  return status;
}
