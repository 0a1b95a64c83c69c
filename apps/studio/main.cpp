// sketch-studio: a person sketches over a picture in a window.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
// How the name of a kept journal the studio could not read ends.
const char kUnread[] = "-unread";

const char kUsage[] =
    "usage: sketch-studio [PICTURE|SKETCH] [--record SCRIPT] [--recover=yes|no] [--dump FILE.json]\n"
    "       sketch-studio [PICTURE] [--record SCRIPT] [--recover=yes|no] --play SCRIPT [--quit]\n"
    "       sketch-studio --help | --version\n"
    "  PICTURE           a PNG, JPEG or BMP file; without one the built-in picture\n"
    "  SKETCH            a .sketch file saved by sketch-studio, opened with its picture\n"
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

int Usage(const std::string& problem = {}) {
  if (!problem.empty()) std::cerr << "sketch-studio: " << problem << "\n";
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

// Only the newest kept journals stay, their names sorting as they were kept;
// those the studio could not read stay all, for a person to look into.
void RemoveOldJournals(const QString& folder) {
  QStringList kept = QDir(folder).entryList({"recovered-*.txt"}, QDir::Files, QDir::Name | QDir::Reversed);
  kept.removeIf([](const QString& name) { return name.endsWith(QString(kUnread) + ".txt"); });
  for (const QString& old : kept.mid(kKeptJournals)) QFile::remove(folder + "/" + old);
}

// Said on standard error and in the status bar: for the record, not to be
// answered.
void Say(StudioWindow& window, const QString& text) {
  std::cerr << "sketch-studio: " << text.toStdString() << "\n";
  window.statusBar()->showMessage(text);
}

// The journal moved to a name of its own beside it, never over a file
// already there (kept journals are never written over); `ending` goes before
// the extension. The name it took, or empty with `error` set.
QString MoveAside(const QString& journal, const QString& ending, QString& error) {
  const QString stem =
      QFileInfo(journal).absolutePath() + "/recovered-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss-zzz");
  const QByteArray from = QFile::encodeName(journal);
  for (int k = 1; k <= 100; ++k) {
    const QString kept = stem + (k > 1 ? QString("-%1").arg(k) : QString()) + ending + ".txt";
    const QByteArray to = QFile::encodeName(kept);
    int moved = renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (moved != 0 && (errno == EINVAL || errno == ENOSYS)) {
      // A file system that cannot rename without replacing: a second name,
      // which a file already there refuses, then the first name goes.
      moved = link(from.constData(), to.constData());
      if (moved == 0 && unlink(from.constData()) != 0) {
        const int reason = errno;
        unlink(to.constData());
        errno = reason;
        moved = -1;
      }
    }
    if (moved == 0) return kept;
    if (errno != EEXIST) {
      error = QString::fromLocal8Bit(std::strerror(errno));
      return {};
    }
  }
  error = QString::fromLocal8Bit(std::strerror(EEXIST));
  return {};
}

// What became of a journal left by a run that did not end cleanly.
enum class Left {
  Gone,      // there was none, nothing in it to recover, or it was moved aside
  Replayed,  // moved aside, and its session is the window's
  InPlace,   // it could not be moved aside: it stays where it is
};

// The journal is moved aside (never written over), then offered; one the
// studio cannot use is moved aside all the same and said to be, with why.
// `answer` is "yes", "no" or empty (ask; no when nobody is there to answer).
// Left in place, `why` says so.
Left Recover(StudioWindow& window, const QString& journal, QString answer, QString& why) {
  struct stat status {};
  if (lstat(QFile::encodeName(journal).constData(), &status) != 0) return Left::Gone;
  StudioWindow::SessionFile file;
  QString unusable;
  try {
    file = StudioWindow::ReadSessionFile(journal);
    if (!file.error.empty()) {
      unusable = QString::fromStdString(file.error);
    } else if (!file.journal) {
      unusable = QObject::tr("its first line is not \"%1\"").arg(QString::fromUtf8(kJournalMarker));
    } else if (!HasSteps(file.read)) {
      // Nothing done, nothing to lose.
      if (file.read.problems.empty()) {
        QFile::remove(journal);
        return Left::Gone;
      }
      unusable = Lines(file.read.problems);
    }
  } catch (const std::bad_alloc&) {
    unusable = QObject::tr("there is not enough memory to read it");
  }
  QString error;
  const QString kept = MoveAside(journal, unusable.isEmpty() ? QString() : kUnread, error);
  if (kept.isEmpty()) {
    why = QObject::tr(
              "The journal of the last run cannot be moved aside (%1: %2), so it is left as it is and this "
              "run keeps no journal: a crash would lose this work.")
              .arg(QDir::toNativeSeparators(journal), error);
    return Left::InPlace;
  }
  RemoveOldJournals(QFileInfo(journal).absolutePath());
  if (!unusable.isEmpty()) {
    Warn(&window, kTitle,
         QObject::tr("The journal of the last run cannot be recovered: %1.\n\nIt is kept as %2.")
             .arg(unusable, QDir::toNativeSeparators(kept)));
    return Left::Gone;
  }
  if (answer.isEmpty() && !Attended()) answer = "no";
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
  } else if (!yes) {
    Say(window, QObject::tr("The journal of the last run was not recovered; it is kept as %1.")
                    .arg(QDir::toNativeSeparators(kept)));
  }
  if (!yes) return Left::Gone;
  std::vector<std::string> problems;
  try {
    problems = window.ReplaySession(file);
  } catch (const std::bad_alloc&) {
    problems.push_back(QObject::tr("there was not enough memory to recover it all").toStdString());
  }
  // Pictures that changed were named in the question; told again, as when
  // nobody was asked.
  std::vector<std::string> notes = file.changed;
  notes.insert(notes.end(), problems.begin(), problems.end());
  for (const std::string& note : notes) {
    std::cerr << "sketch-studio: recovered " << kept.toStdString() << ": " << note << "\n";
  }
  if (!problems.empty()) {
    window.statusBar()->showMessage(QObject::tr("Recovered, but not all: %1").arg(Lines(notes)));
    if (answer.isEmpty()) {
      QMessageBox::warning(&window, kTitle,
                           QObject::tr("Not all of the journal could be recovered:\n%1").arg(Lines(problems)));
    }
  } else if (!notes.empty()) {
    window.statusBar()->showMessage(QObject::tr("Recovered over pictures that have changed: %1").arg(Lines(notes)));
  }
  return Left::Replayed;
}

// One studio at a time keeps the journal. The lock is the system's (flock),
// which goes with the process however it ends: a lock file left behind,
// empty or naming a process long gone, keeps no later studio out. The file
// names its owner's process for a person who wonders which.
struct JournalLock {
  int fd = -1;    // open while the lock is held
  QString owner;  // the process that holds it, when another does
  QString error;  // why the lock cannot be taken, when it cannot
};

JournalLock LockJournal(const QString& path) {
  JournalLock lock;
  const QByteArray name = QFile::encodeName(path);
  const int fd = open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    lock.error = QDir::toNativeSeparators(path) + ": " + QString::fromLocal8Bit(std::strerror(errno));
    return lock;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) {
      char pid[32];
      const ssize_t n = pread(fd, pid, sizeof pid, 0);
      lock.owner = QString::fromLatin1(pid, n > 0 ? static_cast<int>(n) : 0).trimmed();
      if (lock.owner.isEmpty()) lock.owner = "?";
    } else {
      lock.error = QDir::toNativeSeparators(path) + ": " + QString::fromLocal8Bit(std::strerror(errno));
    }
    close(fd);
    return lock;
  }
  const std::string pid = std::to_string(getpid()) + "\n";
  // The pid is for people: the lock holds without it.
  const bool named = ftruncate(fd, 0) == 0 && pwrite(fd, pid.data(), pid.size(), 0) > 0;
  static_cast<void>(named);
  lock.fd = fd;
  return lock;
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
  if (std::string error = KeepPictureCopy(pictures, pixels, png); !error.empty()) return {kExitFile, error};
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
  StudioWindow::AllowLargestPictures();
  QApplication::setApplicationName(kTitle);
  InstallTranslations(app, QLocale());
  QApplication::setApplicationVersion(SKETCH_VERSION);
  QCommandLineParser parser;
  // Usage errors and --help print the program's own text.
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  const QCommandLineOption helpOption("help"), versionOption("version"), quitOption("quit");
  const QCommandLineOption recordOption("record", {}, "SCRIPT"), playOption("play", {}, "SCRIPT"),
      dumpOption("dump", {}, "FILE.json"), recoverOption("recover", {}, "yes|no");
  parser.addOptions({helpOption, versionOption, quitOption, recordOption, playOption, dumpOption, recoverOption});
  if (!parser.parse(QApplication::arguments())) {
    return Usage(parser.errorText().toStdString());
  }
  if (parser.isSet(helpOption)) {
    std::cout << kUsage;
    return 0;
  }
  if (parser.isSet(versionOption)) {
    std::cout << "sketch-studio " << SKETCH_VERSION << "\n";
    return 0;
  }
  for (const QCommandLineOption* once : {&recordOption, &playOption, &dumpOption, &recoverOption}) {
    if (parser.values(*once).size() > 1) {
      return Usage("--" + once->names()[0].toStdString() + " is given twice");
    }
  }
  const QString play = parser.value(playOption), dump = parser.value(dumpOption);
  QString record = parser.value(recordOption);
  QString recover = parser.value(recoverOption);
  quit = parser.isSet(quitOption);
  if (parser.isSet(recoverOption) && recover != "yes" && recover != "no") return Usage("--recover takes yes or no");
  if (parser.positionalArguments().size() > 1) return Usage("only one picture or sketch can be opened");
  // A sketch given opens as File > Open Sketch would; anything else is a picture.
  QString picture = parser.positionalArguments().value(0), sketch;
  if (picture.endsWith(".sketch", Qt::CaseInsensitive)) std::swap(picture, sketch);
  // A played script writes its own dumps; quitting is for a played script.
  if (quit && play.isEmpty()) return Usage("--quit goes with --play");
  if (!dump.isEmpty() && !play.isEmpty()) return Usage("--dump cannot go with --play: the script writes its own");
  if (!sketch.isEmpty() && !play.isEmpty()) return Usage("a sketch cannot be opened with --play");

  const QString profile = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/sketch-studio.ini";
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const bool haveData = QDir().mkpath(data);
  // A played script, a dump and a run without a screen have nobody to close
  // a box: they would wait for ever.
  SetAttended(play.isEmpty() && dump.isEmpty() && QGuiApplication::platformName() != "offscreen");

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
    Warn(nullptr, kTitle,
         QObject::tr("The sketch module cannot be loaded: %1").arg(QString::fromStdString(window->LoadError())));
    return 1;
  }
  if (!window->Settings().RestoreGeometry(*window)) window->resize(1000, 700);
  window->show();
  // Whether the picture named opened, to be opened again over a recovered
  // session, which replaces it.
  const bool pictureOpened =
      !forPlay && !picture.isEmpty() && window->GetHost().Find(QFileInfo(picture).fileName().toStdString()) != nullptr;

  const QString journal = data + "/journal.txt";
  const JournalLock lock = haveData ? LockJournal(data + "/journal.lock") : JournalLock{};
  bool journalled = false;
  QString noJournal;
  if (lock.fd >= 0) {
    const Left left = Recover(*window, journal, recover, noJournal);
    if (left == Left::Replayed && pictureOpened) window->OpenPicture(picture);
    if (left != Left::InPlace) {
      if (const std::string error = window->StartJournal(journal.toStdString()); !error.empty()) {
        noJournal =
            QObject::tr("Work is not journalled, and a crash would lose it: %1").arg(QString::fromStdString(error));
      } else {
        journalled = true;
      }
    }
  } else if (!lock.owner.isEmpty()) {
    noJournal = QObject::tr("Another Sketch Studio (process %1) keeps the journal: a crash would lose this work.")
                    .arg(lock.owner);
  } else {
    noJournal = QObject::tr("Sketch Studio keeps no journal (%1): a crash would lose this work.")
                    .arg(haveData ? lock.error : QObject::tr("%1 cannot be made").arg(QDir::toNativeSeparators(data)));
  }
  if (!journalled) {
    std::cerr << "sketch-studio: " << noJournal.toStdString() << "\n";
    window->KeepsNoJournal(noJournal);
  }
  if (!sketch.isEmpty()) window->OpenSketchAt(sketch);
  if (!record.isEmpty()) {
    if (const std::string error = window->StartRecording(record.toStdString()); !error.empty()) {
      Warn(nullptr, kTitle, QObject::tr("Cannot record: %1").arg(QString::fromStdString(error)));
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
