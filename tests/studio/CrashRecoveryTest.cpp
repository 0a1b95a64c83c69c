// The desktop host killed (SIGKILL) while work is played into it, and the
// journals a start finds: what it recovers, keeps aside and says.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "StudioSupport.h"

namespace {

// Drawing (some under Shift), moving, mirroring, undoing and redoing, one event a line.
QByteArray Work() {
  QByteArray text = "mode on\n";
  const auto line = [&text](const QString& l) { text += l.toUtf8() + "\n"; };
  for (int k = 0; k < 24; ++k) {
    const int x = 10 + (k % 4) * 75, y = 10 + (k / 4 % 3) * 70;
    line(QString("tool %1").arg(k % 3 == 0 ? 4 : k % 3 == 1 ? 5 : 8));
    if (k % 8 == 5) line("key down shift");
    line(QString("press %1 %2").arg(x).arg(y));
    for (int m = 1; m <= 4; ++m) line(QString("move %1 %2").arg(x + m * 10).arg(y + m * 8));
    line(QString("release %1 %2").arg(x + 40).arg(y + 32));
    if (k % 8 == 5) line("key up shift");
    if (k % 4 == 3) {
      line(QString("tool 0\npress %1 %2\nmove %3 %4").arg(x + 20).arg(y).arg(x + 25).arg(y + 5));
      line(QString("release %1 %2\nmenu 5110\nundo\nredo").arg(x + 30).arg(y + 10));
    }
  }
  return text;
}

class CrashRecovery : public ::testing::Test {
 protected:
  // A studio started as a person starts it, its folders under fHome.
  CrashRecovery() {
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR"}) fEnv.insert(name, fHome.path());
    fEnv.insert("XDG_DATA_HOME", fHome.path() + "/data");
    fEnv.insert("XDG_CONFIG_HOME", fHome.path() + "/config");
  }
  // A small window, so each step repaints the view; `child` runs in the studio before it starts.
  QProcess* Studio(const QStringList& args, const std::function<void()>& child = {}) {
    auto* studio = new QProcess;
    studio->setProcessEnvironment(fEnv);
    studio->setWorkingDirectory(fHome.path());
    if (child) studio->setChildProcessModifier(child);
    studio->start(SKETCH_STUDIO, QStringList{"-qwindowgeometry", "420x320"} + args);
    return studio;
  }

  // What the studio, run to its end, said on standard error.
  std::string Run(const QStringList& args, const std::function<void()>& child = {}, int exit = 0) {
    std::unique_ptr<QProcess> studio(Studio(args, child));
    const bool ended = studio->waitForFinished(60000);
    const std::string said = studio->readAllStandardError().toStdString();
    EXPECT_TRUE(ended) << "the studio is still running";
    EXPECT_EQ(studio->exitCode(), exit) << said;
    return said;
  }

  QTemporaryDir fHome;
  QProcessEnvironment fEnv = QProcessEnvironment::systemEnvironment();
  QString Data() const { return fHome.path() + "/data/Sketch Studio"; }
};

TEST_F(CrashRecovery, LosesAtMostTheGestureInProgress) {
  const QByteArray work = Work();
  ASSERT_TRUE(Write(fHome.path() + "/work.txt", work));
  ASSERT_TRUE(SavePicture(fHome.path() + "/picture.png", {320, 240}, qRgb(200, 220, 240)));
  const QList<QByteArray> workLines = work.split('\n');
  // Killed inside a gesture, right after one, and anywhere.
  std::mt19937 random(20261206);
  for (const char* after : {"move ", "release ", ""}) {
    std::vector<int> candidates;
    for (int k = 0; k + 1 < workLines.size(); ++k) {
      if (workLines[k].startsWith(after)) candidates.push_back(k + 1);
    }
    const int killAt = candidates[std::uniform_int_distribution<std::size_t>(0, candidates.size() - 1)(random)];
    SCOPED_TRACE("killed after line " + std::to_string(killAt) + " was played");
    std::unique_ptr<QProcess> studio(Studio({fHome.path() + "/picture.png", "--play", fHome.path() + "/work.txt"}));
    ASSERT_TRUE(studio->waitForStarted(10000));
    int played = 0;
    while (played < killAt && studio->state() == QProcess::Running) {
      if (!studio->canReadLine() && !studio->waitForReadyRead(20000)) break;
      while (studio->canReadLine()) {
        const QByteArray l = studio->readLine().trimmed();
        if (l.startsWith("played ")) played = l.mid(7).toInt();
      }
    }
    ASSERT_GE(played, killAt);
    ::kill(static_cast<pid_t>(studio->processId()), SIGKILL);
    ASSERT_TRUE(studio->waitForFinished(10000));

    // Every line taken before it said so is journalled, the picture with its hash.
    const QByteArray journal = Read(Data() + "/journal.txt");
    EXPECT_TRUE(journal.contains("\n# picture ") && journal.contains("/picture.png\n"));
    QList<QByteArray> lines = journal.left(journal.lastIndexOf('\n') + 1).split('\n');
    lines.removeLast();
    QList<QByteArray> journalled = lines.mid(lines.indexOf("mode on"));
    journalled.removeIf([](const QByteArray& l) {
      return l.startsWith("view ") || l.startsWith("document ") || l.startsWith("# picture ");
    });
    EXPECT_GE(journalled.size(), played);
    EXPECT_EQ(journalled.join('\n').toStdString(), workLines.mid(0, journalled.size()).join('\n').toStdString());
    // Its whole steps, found here without the studio's reader.
    qsizetype open = -1;
    for (qsizetype k = 0; k < lines.size(); ++k) {
      if (lines[k].startsWith("press ")) open = k;
      if (lines[k].startsWith("release ")) open = -1;
    }
    if (open >= 0) lines.resize(open);
    ASSERT_TRUE(Write(fHome.path() + "/whole.txt", lines.join('\n') + "\n"));
    ASSERT_EQ(
        QProcess::execute(SKETCH_REPLAY, {"--dump", fHome.path() + "/replayed.json", fHome.path() + "/whole.txt"}), 0);
    Run({"--recover=yes", "--dump", fHome.path() + "/recovered.json"});
    const QByteArray expected = SketchPart(Read(fHome.path() + "/replayed.json"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(SketchPart(Read(fHome.path() + "/recovered.json")).toStdString(), expected.toStdString());
    ASSERT_TRUE(QDir(Data()).removeRecursively());
  }
}

const QByteArray kMarker = "# sketch-studio journal 1\n";
// A rectangle over the built-in picture.
const QByteArray kWork = "screen 800 600\nmode on\ntool 4\ndrag 9 9 50 40\n";

// A journal left is moved aside as it is (the ten newest readable ones stay); an unusable one is
// said, with why and where it is kept. Nothing blocks, and the picture named opens after it.
TEST_F(CrashRecovery, AJournalLeftBehindIsRecoveredOrKeptAndSaid) {
  ASSERT_TRUE(SavePicture(fHome.path() + "/pic.png", {8, 8}));
  ASSERT_TRUE(SavePicture(fHome.path() + "/named.png", {8, 8}, qRgb(255, 255, 255), qRgb(0, 0, 1)));
  ASSERT_EQ(mkfifo(QFile::encodeName(fHome.path() + "/fifo.png").constData(), 0600), 0);
  const QByteArray home = fHome.path().toUtf8();
  enum Kind { kBytes, kFifo, kTooLarge };
  const struct {
    const char* name;
    Kind kind;
    QByteArray journal;
    bool recovered;  // the rectangle is back
    bool unread;     // kept as a journal the studio could not read
    const char* said;
  } cases[] = {
      {"a byte-order mark", kBytes, "\xEF\xBB\xBF" + kMarker + kWork, true, false, ""},
      {"a damaged byte on line 2", kBytes, kMarker + "scr\xFF" + kWork.mid(3), false, true, "line 2, column 4: "},
      {"a first line of the marker's length", kBytes, QByteArray(25, '\0') + "\n" + kWork, false, true,
       "its first line is neither"},
      {"a newer kind", kBytes, "# sketch-studio journal 12\n" + kWork, false, true, "its first line is neither"},
      {"a sketch", kBytes, "# sketch-studio sketch 1\n" + kWork, false, true, "its first line is not \"# sketch"},
      {"a FIFO", kFifo, {}, false, true, "journal.txt: is not a regular file"},
      {"too large for memory", kTooLarge, kMarker + kWork, false, true, "journal.txt: too large to read into memory"},
      {"a picture that changed", kBytes,
       kMarker + "# picture 0123456789abcdef\ndocument main " + home + "/pic.png\n" + kWork, true, false,
       "pic.png has changed since"},
      {"a picture that is a FIFO", kBytes, kMarker + "document main " + home + "/fifo.png\n" + kWork, false, false,
       "fifo.png: is not a regular file"},
  };
  const QString journal = Data() + "/journal.txt";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(QDir(Data()).removeRecursively() && QDir().mkpath(Data()));
    for (int k = 10; k < 20; ++k) ASSERT_TRUE(Write(Data() + QString("/recovered-200001%1-000000-000.txt").arg(k), {}));
    std::function<void()> child;
    ASSERT_TRUE(c.kind == kFifo ? mkfifo(QFile::encodeName(journal).constData(), 0600) == 0
                                : Write(journal, c.journal));
    if (c.kind == kTooLarge) {
#if defined(__SANITIZE_ADDRESS__)
      continue;  // the sanitizer's own memory takes more than the limit
#endif
      // A gigabyte that takes no room on disk, over half a gigabyte of memory.
      ASSERT_TRUE(QFile::resize(journal, qint64{1} << 30));
      child = [] {
        const rlimit limit{rlim_t{512} << 20, rlim_t{512} << 20};
        setrlimit(RLIMIT_AS, &limit);
      };
    }
    const std::string said =
        Run({fHome.path() + "/named.png", "--recover=yes", "--dump", fHome.path() + "/dump.json"}, child);
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    const QByteArray state = Read(fHome.path() + "/dump.json");
    EXPECT_EQ(state.contains("TDRectangle"), c.recovered);
    EXPECT_TRUE(state.contains("\"name\": \"named.png\"") && state.count("\"figures\": []") == 1)
        << state.toStdString();
    const QStringList kept = QDir(Data()).entryList({"recovered-*"}, QDir::Files | QDir::System, QDir::Name);
    ASSERT_EQ(kept.size(), c.unread ? 11 : 10);
    EXPECT_EQ(kept.first(), QString("recovered-200001%1-000000-000.txt").arg(c.unread ? 10 : 11));
    const QString& left = kept.last();
    EXPECT_EQ(left.endsWith("-unread.txt"), c.unread) << left.toStdString();
    // Where it is kept goes with whatever is said of it.
    EXPECT_EQ(said.find(left.toStdString()) != std::string::npos, *c.said != '\0') << said;
    struct stat status {};
    ASSERT_EQ(lstat(QFile::encodeName(Data() + "/" + left).constData(), &status), 0);
    if (c.kind == kFifo) {
      EXPECT_TRUE(S_ISFIFO(status.st_mode));
    } else if (c.kind == kTooLarge) {
      EXPECT_EQ(status.st_size, off_t{1} << 30);
    } else {
      EXPECT_EQ(Read(Data() + "/" + left), c.journal);
    }
    EXPECT_FALSE(QFileInfo::exists(journal));
  }
}

// Only a live studio's lock keeps a later one from the journal; without a
// person to ask, the journal left is kept aside unreplayed.
TEST_F(CrashRecovery, OnlyALiveStudioKeepsAnotherFromTheJournal) {
  const QString journal = Data() + "/journal.txt";
  for (const char* lock : {"", "2147483646\n", "live"}) {
    SCOPED_TRACE(lock);
    ASSERT_TRUE(QDir(Data()).removeRecursively() && QDir().mkpath(Data()));
    ASSERT_TRUE(Write(Data() + "/journal.lock", lock));
    QByteArray left = kMarker + kWork;
    ASSERT_TRUE(Write(journal, left));
    std::unique_ptr<QProcess> live;
    if (std::string(lock) == "live") {
      live.reset(Studio({}));
      // Its own journal, once it has put the one left aside.
      const auto started = [&] { return (left = Read(journal)).startsWith(kMarker) && left != kMarker + kWork; };
      for (int k = 0; k < 300 && !started(); ++k) live->waitForFinished(100);
      ASSERT_TRUE(started());
    }
    const std::string said = Run({"--dump", fHome.path() + "/dump.json"});
    EXPECT_NE(
        said.find(live ? "Another Sketch Studio (process " + std::to_string(live->processId()) + ") keeps the journal"
                       : "The journal of the last run was not recovered; it is kept as "),
        std::string::npos)
        << said;
    EXPECT_FALSE(Read(fHome.path() + "/dump.json").contains("TDRectangle"));
    // The live studio's goes on growing as it fits its view to the window.
    const QByteArray now = Read(journal);
    EXPECT_TRUE(live ? now.startsWith(left) : now.isEmpty()) << now.toStdString();
    if (live) {
      ::kill(static_cast<pid_t>(live->processId()), SIGKILL);
      live->waitForFinished(10000);
    }
  }
}

// A studio that keeps no journal says so and goes on, with no box nobody could close.
TEST_F(CrashRecovery, WithoutAJournalTheStudioSaysSoAndGoesOn) {
  ASSERT_TRUE(Write(fHome.path() + "/file", {}));
  ASSERT_TRUE(Write(fHome.path() + "/click.txt", "click 1 1\n"));
  // A data folder where the journal's path fits and a kept journal's does not.
  QString deep = fHome.path() + "/deep";
  while (deep.size() + 200 < 4070 - 14) deep += "/" + QString(199, 'd');
  deep += "/" + QString(4070 - 14 - deep.size() - 1, 'd');
  ASSERT_TRUE(QDir().mkpath(deep + "/Sketch Studio"));
  ASSERT_TRUE(Write(deep + "/Sketch Studio/journal.txt", kMarker + kWork));
  ASSERT_TRUE(QDir().mkpath(fHome.path() + "/locked/Sketch Studio/journal.lock"));
  const struct {
    QString dataHome;
    QStringList args;
    const char* said;
  } cases[] = {
      {fHome.path() + "/file", {"--dump", fHome.path() + "/dump.json"}, "keeps no journal"},
      {fHome.path() + "/file", {"--play", fHome.path() + "/click.txt", "--quit"}, "keeps no journal"},
      {fHome.path() + "/locked", {"--dump", fHome.path() + "/dump.json"}, "journal.lock: Is a directory)"},
      {deep, {"--recover=yes", "--dump", fHome.path() + "/dump.json"}, "journal.txt: File name too long), so it is"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    fEnv.insert("XDG_DATA_HOME", c.dataHome);
    const std::string said = Run(c.args);
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
  }
  EXPECT_EQ(Read(deep + "/Sketch Studio/journal.txt"), kMarker + kWork);
}

// The largest picture accepted, past Qt's default limit, is played over; a FIFO is refused.
TEST_F(CrashRecovery, PlayedPicturesUpToTheLargestSize) {
  const int side = 16384;  // the largest the studio accepts
  ASSERT_TRUE(SavePicture(fHome.path() + "/large.jpg", {side, 2100}, qRgb(90, 160, 220)));
  ASSERT_EQ(mkfifo(QFile::encodeName(fHome.path() + "/fifo.jpg").constData(), 0600), 0);
  // One click: the script opens the picture as its first document.
  ASSERT_TRUE(Write(fHome.path() + "/click.txt", "click 1 1\n"));
  const QStringList play{"--play", fHome.path() + "/click.txt", "--quit"};
  Run(QStringList{fHome.path() + "/large.jpg"} + play);
  const std::string said = Run(QStringList{fHome.path() + "/fifo.jpg"} + play, {}, 1);  // a file it cannot use
  EXPECT_NE(said.find("sketch-studio: " + fHome.path().toStdString() + "/fifo.jpg: is not a regular file\n"),
            std::string::npos)
      << said;
  const QStringList copies = QDir(Data() + "/pictures").entryList({"*.png"}, QDir::Files);
  ASSERT_EQ(copies.size(), 1);
  QImageReader::setAllocationLimit(0);  // read whole, past Qt's own limit
  EXPECT_EQ(QImage(Data() + "/pictures/" + copies[0]).size(), QSize(side, 2100));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
