// The desktop host killed (SIGKILL) at random points of a long piece of work
// played into it: the next start recovers the sketch that sketch-replay makes
// of the journal's whole steps, and those hold every step the host had
// finished before it died.

#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <random>

namespace {

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// The part of a dump that the figures decide.
QByteArray Sketch(const QByteArray& dump) { return dump.mid(dump.indexOf("\"clipboard\"")); }

// Drawing, moving, mirroring, undoing and redoing, one event a line.
QByteArray Work() {
  QByteArray text = "mode on\n";
  const auto line = [&text](const QString& l) { text += l.toUtf8() + "\n"; };
  for (int k = 0; k < 24; ++k) {
    const int x = 10 + (k % 4) * 75, y = 10 + (k / 4 % 3) * 70;
    line(QString("tool %1").arg(k % 3 == 0 ? 4 : k % 3 == 1 ? 5 : 8));
    line(QString("press %1 %2").arg(x).arg(y));
    for (int m = 1; m <= 4; ++m) line(QString("move %1 %2").arg(x + m * 10).arg(y + m * 8));
    line(QString("release %1 %2").arg(x + 40).arg(y + 32));
    if (k % 8 == 5) {
      line("key down shift");
      line(QString("press %1 %2").arg(x).arg(y + 40));
      line(QString("move %1 %2").arg(x + 30).arg(y + 45));
      line(QString("release %1 %2").arg(x + 30).arg(y + 45));
      line("key up shift");
    }
    if (k % 4 == 3) {
      line("tool 0");
      line(QString("press %1 %2").arg(x + 20).arg(y));
      line(QString("move %1 %2").arg(x + 25).arg(y + 5));
      line(QString("release %1 %2").arg(x + 30).arg(y + 10));
      line("menu 5110");
      line("undo");
      line("redo");
    }
  }
  return text;
}

class CrashRecovery : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fHome.isValid());
    fEnv.insert("HOME", fHome.path());
    fEnv.insert("XDG_DATA_HOME", fHome.path() + "/data");
    fEnv.insert("XDG_CONFIG_HOME", fHome.path() + "/config");
    fEnv.insert("XDG_RUNTIME_DIR", fHome.path());
    fEnv.insert("QT_QPA_PLATFORM", "offscreen");
  }

  // A small window and picture: each step repaints the view.
  QProcess* Studio(const QStringList& args) {
    auto* studio = new QProcess;
    studio->setProcessEnvironment(fEnv);
    studio->setWorkingDirectory(fHome.path());
    studio->start(SKETCH_STUDIO, QStringList{"-qwindowgeometry", "420x320"} + args);
    return studio;
  }

  QTemporaryDir fHome;
  QProcessEnvironment fEnv = QProcessEnvironment::systemEnvironment();
  QString Data() const { return fHome.path() + "/data/Sketch Studio"; }
};

TEST_F(CrashRecovery, LosesAtMostTheGestureInProgress) {
  const QByteArray work = Work();
  Write(fHome.path() + "/work.txt", work);
  QImage picture(320, 240, QImage::Format_RGB32);
  picture.fill(qRgb(200, 220, 240));
  ASSERT_TRUE(picture.save(fHome.path() + "/picture.png"));
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

    // The whole steps of the journal, found here without the studio's reader.
    const QByteArray journal = Read(Data() + "/journal.txt");
    ASSERT_TRUE(journal.startsWith("# sketch-studio journal 1\n"))
        << journal.left(200).toStdString() << studio->readAllStandardError().toStdString();
    // The picture given, its hash before it.
    EXPECT_TRUE(journal.contains("\n# picture ") && journal.contains("/picture.png\n"))
        << journal.left(400).toStdString();
    QList<QByteArray> lines = journal.left(journal.lastIndexOf('\n') + 1).split('\n');
    lines.removeLast();
    // After the set-up, the work as it was played, every line the studio had
    // taken before it said so included.
    const qsizetype start = lines.indexOf("mode on");
    ASSERT_GE(start, 0);
    // (The picture opens as the first gesture needs it, and the window fits
    // its view to its size once the script has played.)
    QList<QByteArray> journalled = lines.mid(start);
    journalled.removeIf([](const QByteArray& l) {
      return l.startsWith("view ") || l.startsWith("document ") || l.startsWith("# picture ");
    });
    EXPECT_GE(journalled.size(), played);
    EXPECT_EQ(journalled.join('\n').toStdString(), workLines.mid(0, journalled.size()).join('\n').toStdString());
    qsizetype open = -1;
    for (qsizetype k = 0; k < lines.size(); ++k) {
      if (lines[k].startsWith("press ")) open = k;
      if (lines[k].startsWith("release ")) open = -1;
    }
    if (open >= 0) lines.resize(open);
    Write(fHome.path() + "/whole.txt", lines.join('\n') + "\n");

    QProcess replay;
    replay.setWorkingDirectory(fHome.path());
    replay.start(SKETCH_REPLAY, {"--dump", "replayed.json", "whole.txt"});
    ASSERT_TRUE(replay.waitForFinished(60000));
    ASSERT_EQ(replay.exitCode(), 0) << replay.readAllStandardError().toStdString();

    std::unique_ptr<QProcess> recovered(Studio({"--recover=yes", "--dump", fHome.path() + "/recovered.json"}));
    ASSERT_TRUE(recovered->waitForFinished(60000));
    ASSERT_EQ(recovered->exitCode(), 0) << recovered->readAllStandardError().toStdString();
    const QByteArray expected = Sketch(Read(fHome.path() + "/replayed.json"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(Sketch(Read(fHome.path() + "/recovered.json")).toStdString(), expected.toStdString());

    // The journal recovered from is kept as it was; the clean end leaves no
    // journal to recover.
    const QStringList kept = QDir(Data()).entryList({"recovered-*.txt"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Read(Data() + "/" + kept[0]), journal);
    EXPECT_FALSE(QFile::exists(Data() + "/journal.txt"));
    QFile::remove(Data() + "/" + kept[0]);
  }
}

// A played script's input goes through the window as a person's would: the
// view takes a drag's press, moves and release, the palette a tool, the menu
// an entry; what no person could do there (a tool without a button, a dialog's
// answers, an undo with nothing to undo, the mode it is in already) goes
// through the runner. The recording shows which took each line.
TEST_F(CrashRecovery, PlayedInputGoesThroughTheWindow) {
  Write(fHome.path() + "/play.txt",
        "undo\nmode on\nmode on\ntool 4\ndrag 10 10 50 40 2\nclick 60 60\ntool 16\nmenu 5110\nundo\nredo\n"
        "key down shift\nkey up shift\nanswer scale 150 ok\nmenu 5100\nsnapshot view.png\n");
  std::unique_ptr<QProcess> studio(
      Studio({"--play", fHome.path() + "/play.txt", "--record", fHome.path() + "/recorded.txt", "--quit"}));
  ASSERT_TRUE(studio->waitForFinished(60000));
  ASSERT_EQ(studio->exitCode(), 0) << studio->readAllStandardError().toStdString();
  EXPECT_EQ(studio->readAllStandardOutput().count("played "), 15);
  EXPECT_TRUE(QFile::exists(fHome.path() + "/view.png"));
  QList<QByteArray> recorded = Read(fHome.path() + "/recorded.txt").split('\n');
  recorded.removeIf([](const QByteArray& l) { return l.startsWith("#") || l.startsWith("document ") || l.isEmpty(); });
  EXPECT_EQ(recorded.join('\n').toStdString(),
            "screen 1024 768\nundo\nmode on\nmode on\ntool 4\npress 10 10\nmove 30 25\nmove 50 40\n"
            "release 50 40\npress 60 60\nrelease 60 60\ntool 16\nmenu 5110\nundo\nredo\nkey down shift\n"
            "key up shift\nanswer scale 150 ok\nmenu 5100");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
