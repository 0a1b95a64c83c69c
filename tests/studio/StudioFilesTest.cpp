// The studio's files as a person meets them, worked through the window's
// menus, keys and dialogs on the offscreen platform.

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

#include "DocumentView.h"
#include "HostDump.h"
#include "Modals.h"
#include "SketchJournal.h"
#include "StudioSupport.h"
#include "StudioWindow.h"
#include "ToolPalette.h"
#include "container/TObjectContainer.h"
#include "resources/SketchResources.h"

class StudioFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QDir(fDir).removeRecursively();
    QVERIFY(QDir().mkpath(fDir + "/profile") && QDir().mkpath(Data()));
    fWindow = new StudioWindow({}, SKETCH_MODULE_PATH, fDir + "/profile/sketch-studio.ini", Data());
    fWindow->resize(800, 600);
    fWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(fWindow));
    QTest::mouseClick(fWindow->Palette()->ModeButton(), Qt::LeftButton);
  }
  void cleanup() {
    delete fWindow;
    QDir(fDir).removeRecursively();
  }
  void TitleMarksChangesUntilSaved() {
    QCOMPARE(fWindow->windowTitle(), QString("[*]main - Sketch Studio"));
    QVERIFY(!fWindow->isWindowModified());
    Rectangle(0);
    ExpectAfter(Qt::CTRL | Qt::Key_Z, false);
    ExpectAfter(Qt::CTRL | Qt::Key_Y, true);

    fModals.Expect({Choose(fDir + "/first")});
    Key(Qt::CTRL | Qt::Key_S);
    QVERIFY(fModals.AllDone());
    QCOMPARE(fWindow->windowTitle(), QString("[*]first.sketch - Sketch Studio"));
    QVERIFY(!fWindow->isWindowModified());
    ExpectAfter(Qt::CTRL | Qt::Key_Z, true);
    ExpectAfter(Qt::CTRL | Qt::Key_Y, false);
    // The saved step given up for another: undoing does not bring it back.
    Key(Qt::CTRL | Qt::Key_Z);
    Rectangle(1);
    ExpectAfter(Qt::CTRL | Qt::Key_Z, true);

    // A hundred steps more push the oldest out: undoing all the way reaches the saved one.
    Key(Qt::CTRL | Qt::Key_Y);
    ExpectAfter(Qt::CTRL | Qt::Key_S, false);
    Host& host = fWindow->GetHost();
    for (int k = 0; k < BHistory::kLimit; ++k) {
      host.Press({10, 100});
      host.Release({40 + k, 140});
      fWindow->Changed(true);
    }
    for (int k = 0; k < BHistory::kLimit; ++k) fWindow->Action(ID_EDIT_UNDO)->trigger();
    QVERIFY(!host.Active()->history.CanUndo());
    QVERIFY(!fWindow->isWindowModified());
  }
  void SaveWritesTheSketchItCameFrom() {
    Rectangle(0);
    QCOMPARE(fWindow->SaveSketch(fDir + "/work.sketch"), std::string());
    Rectangle(1);
    // Saved where it came from, without asking.
    fModals.Expect({});
    ExpectAfter(Qt::CTRL | Qt::Key_S, false);
    QVERIFY(fModals.AllDone());
    QCOMPARE(StudioWindow::ReadSessionFile(fDir + "/work.sketch").read.lines.back(), std::string("release 61 50"));

    // Save As offers the sketch's own name, and the copy is the sketch from then on.
    QString offered;
    fModals.Expect({[&offered](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      offered = dialog->selectedFiles().value(0);
      Choose(QFileInfo(offered).path() + "/copy")(dialog);
    }});
    Key(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    QVERIFY(fModals.AllDone());
    QCOMPARE(offered, fDir + "/work.sketch");
    QVERIFY(QFile::exists(fDir + "/copy.sketch"));
    QCOMPARE(fWindow->windowTitle(), QString("[*]copy.sketch - Sketch Studio"));
  }
  void ClosingAsksToSaveDiscardOrCancel() {
    Rectangle(0);
    fModals.Expect({Click(QMessageBox::Cancel), Click(QMessageBox::Save), [](QWidget*) {}});
    Key(Qt::CTRL | Qt::Key_W);
    // Saving, with its dialog cancelled, keeps the document too.
    Key(Qt::CTRL | Qt::Key_W);
    QVERIFY(fModals.AllDone());
    QCOMPARE(fWindow->GetHost().Documents().size(), std::size_t{1});
    QCOMPARE(Figures(), 1);

    // A save that fails keeps it as well, the person told.
    QVERIFY(QDir().mkpath(fDir + "/gone"));
    QCOMPARE(fWindow->SaveSketch(fDir + "/gone/failed.sketch"), std::string());
    Rectangle(1);
    QVERIFY(QDir(fDir + "/gone").removeRecursively());
    fModals.Expect({Click(QMessageBox::Save), Click(QMessageBox::Ok)});
    Key(Qt::CTRL | Qt::Key_W);
    QVERIFY(fModals.AllDone());
    QCOMPARE(Figures(), 2);

    fModals.Expect({Choose(fDir + "/closed")});
    Key(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    // Right after a save, closing asks nothing.
    Key(Qt::CTRL | Qt::Key_W);
    QVERIFY(fModals.AllDone());
    QVERIFY(fWindow->GetHost().Documents().empty());
    QCOMPARE(StudioWindow::ReadSessionFile(fDir + "/closed.sketch").read.lines.back(), std::string("release 61 50"));

    // With changes since, Save writes them and the window goes.
    QVERIFY(SavePicture(fDir + "/white.png", {120, 90}));
    QVERIFY(fWindow->OpenPicture(fDir + "/white.png"));
    Rectangle(2);
    fModals.Expect({Click(QMessageBox::Save)});
    Key(Qt::CTRL | Qt::Key_Q);
    QVERIFY(fModals.AllDone());
    QVERIFY(!fWindow->isVisible());
    QCOMPARE(StudioWindow::ReadSessionFile(fDir + "/closed.sketch").read.lines.back(), std::string("release 62 50"));
  }
  void OpenRecentListsTheLastTenSketches() {
    QVERIFY(!RecentEntries().at(0)->isEnabled());
    for (int k = 1; k <= 11; ++k) {
      Rectangle(k);
      QCOMPARE(fWindow->SaveSketch(fDir + QString("/s%1.sketch").arg(k)), std::string());
    }
    QVERIFY(QFile::remove(fDir + "/s5.sketch"));
    const QList<QAction*> entries = RecentEntries();
    QCOMPARE(entries.size(), StudioSettings::kRecentCount);
    QCOMPARE(entries.first()->text(), QString("&1 s11.sketch"));
    QCOMPARE(entries.last()->text(), QString("1&0 s2.sketch"));
    QVERIFY(!entries[6]->isEnabled() && entries[5]->isEnabled());
    // Kept for the next run.
    QStringList expected;
    for (int k = 11; k >= 2; --k) expected << fDir + QString("/s%1.sketch").arg(k);
    QCOMPARE(StudioSettings(Settings()).Recent(), expected);
    // Without a profile (a played script), for this run only.
    StudioSettings memory;
    memory.AddRecent(expected[1]);
    memory.AddRecent(expected[0]);
    QCOMPARE(memory.Recent(), expected.mid(0, 2));

    entries[8]->trigger();
    QCOMPARE(fWindow->windowTitle(), QString("[*]s3.sketch - Sketch Studio"));
    QVERIFY(!fWindow->isWindowModified());
    QCOMPARE(Figures(), 3);
    QCOMPARE(RecentEntries().first()->text(), QString("&1 s3.sketch"));
  }
  // Exports and recordings get their extension, too.
  void DialogsAndTheWindowStartWhereTheyLastWere() {
    QVERIFY(QDir().mkpath(fDir + "/views") && QDir().mkpath(fDir + "/scripts"));
    fModals.Expect({Choose(fDir + "/views/view"), Choose(fDir + "/scripts/steps")});
    Trigger("exportView");
    Trigger("record");
    QVERIFY(fModals.AllDone());
    QVERIFY(QFile::exists(fDir + "/views/view.png"));
    QVERIFY(QFile::exists(fDir + "/scripts/steps.txt"));

    // Each dialog starts in its own last folder, in this run and the next.
    QString views;
    // Writing over a file is asked first.
    fModals.Expect({[&views](QWidget* modal) {
                      views = qobject_cast<QFileDialog*>(modal)->directory().path();
                      Choose("view")(modal);
                    },
                    Click(QMessageBox::Yes)});
    Trigger("exportView");
    QVERIFY(fModals.AllDone());
    QCOMPARE(views, fDir + "/views");
    QCOMPARE(StudioSettings(Settings()).Folder("record"), fDir + "/scripts");

    fWindow->setGeometry(40, 50, 640, 420);
    QTRY_COMPARE(fWindow->size(), QSize(640, 420));
    QVERIFY(fWindow->close());
    QWidget next;
    QVERIFY(StudioSettings(Settings()).RestoreGeometry(next));
    QCOMPARE(next.size(), QSize(640, 420));
    QVERIFY(!StudioSettings(fDir + "/none.ini").RestoreGeometry(next));
  }
  void MissingPictureIsLocatedBeforeTheSessionGoes() {
    QVERIFY(QDir().mkpath(fDir + "/moved"));
    QVERIFY(SavePicture(fDir + "/pic.png", {120, 90}, qRgb(200, 220, 240)));
    QVERIFY(SavePicture(fDir + "/moved/other.png", {120, 90}, qRgb(200, 220, 240), qRgb(0, 0, 1)));
    QVERIFY(fWindow->OpenPicture(fDir + "/pic.png"));
    Rectangle(0);
    QCOMPARE(fWindow->SaveSketch(fDir + "/pic.sketch"), std::string());
    QVERIFY(QFile::rename(fDir + "/pic.png", fDir + "/moved/pic.png"));
    Rectangle(1);
    Rectangle(2);

    // Cancelled: the session is as it was.
    QString title;
    fModals.Expect({Choose(fDir + "/pic.sketch"), [&title](QWidget* modal) {
                      title = modal->windowTitle();
                      QCOMPARE(modal->findChild<QLineEdit*>("fileNameEdit")->text(), QString("pic.png"));
                      static_cast<QDialog*>(modal)->reject();
                    }});
    Trigger("openSketch");
    QVERIFY(fModals.AllDone());
    QVERIFY(title.contains("pic.png"));
    QCOMPARE(fWindow->GetHost().Documents().size(), std::size_t{2});
    QCOMPARE(Figures(), 3);
    QVERIFY(fWindow->isWindowModified());

    // Another picture is told apart; the right one opens the sketch over it.
    QString told;
    fModals.Expect({Choose(fDir + "/pic.sketch"), Choose(fDir + "/moved/other.png"),
                    [&told](QWidget* modal) {
                      auto* box = qobject_cast<QMessageBox*>(modal);
                      told = box->text();
                      for (QAbstractButton* b : box->buttons()) {
                        if (b->text() == "Choose Another...") b->click();
                      }
                    },
                    Choose(fDir + "/moved/pic.png"), Click(QMessageBox::Discard)});
    Trigger("openSketch");
    QVERIFY(fModals.AllDone());
    QVERIFY(told.contains("other.png"));
    QCOMPARE(Figures(), 1);
    // Until saved, the sketch still names the picture where it was.
    QVERIFY(fWindow->isWindowModified());
    Key(Qt::CTRL | Qt::Key_S);
    QVERIFY(StudioWindow::ReadSessionFile(fDir + "/pic.sketch").missing.empty());
  }
  void OpenSketchOffersTheKeptJournals() {
    QVERIFY(SavePicture(fDir + "/base.png", {120, 90}));
    const QString journal = Data() + "/recovered-20250101-000000-000.txt";
    QVERIFY(Write(journal, "# sketch-studio journal 1\ndocument base " + fDir.toUtf8() +
                               "/base.png\nmode on\ntool 4\ndrag 9 9 50 40\n"));

    QStringList filters;
    QString folder;
    fModals.Expect({[&](QWidget* modal) {
                      auto* dialog = qobject_cast<QFileDialog*>(modal);
                      filters = dialog->nameFilters();
                      // Chosen as a person chooses it: the folder follows.
                      auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
                      types->setFocus();
                      QTest::keyClick(types, Qt::Key_Down);
                      folder = dialog->directory().path();
                      Choose(journal)(dialog);
                    },
                    Click(QMessageBox::Discard)});
    Rectangle(0);
    Key(Qt::CTRL | Qt::Key_O);
    QVERIFY(fModals.AllDone());
    QCOMPARE(filters.value(1), QString("Recovered journals (recovered-*.txt)"));
    QCOMPARE(folder, Data());
    // A journal is no sketch: it is not saved anywhere yet.
    QCOMPARE(fWindow->windowTitle(), QString("[*]base - Sketch Studio"));
    QVERIFY(fWindow->isWindowModified());
    QCOMPARE(Figures(), 1);
  }
  // A picture with transparent parts, not a PNG, shows over white as sketch-replay
  // shows its PNG twin (rgba.png of the png-kinds script), so a sketch over it reopens.
  void PicturesShowAsTheReplayShowsThem() {
    QImage rgba(3, 1, QImage::Format_ARGB32);
    rgba.setPixel(0, 0, qRgba(200, 100, 50, 255));
    rgba.setPixel(1, 0, qRgba(200, 100, 50, 0));
    rgba.setPixel(2, 0, qRgba(0, 100, 255, 128));
    QVERIFY(rgba.save(fDir + "/rgba.ico"));
    QVERIFY(fWindow->OpenPicture(fDir + "/rgba.ico"));
    const std::vector<std::uint8_t> shown{200, 100, 50, 255, 255, 255, 127, 177, 255};
    QCOMPARE(fWindow->GetHost().Active()->picture.pixels, shown);
    Rectangle(0);
    QCOMPARE(fWindow->SaveSketch(fDir + "/over.sketch"), std::string());
    const StudioWindow::SessionFile reopened = StudioWindow::ReadSessionFile(fDir + "/over.sketch");
    QVERIFY(reopened.missing.empty());
    QCOMPARE(reopened.changed, std::vector<std::string>());
  }

 private:
  void Rectangle(int k) {
    QTest::mouseClick(fWindow->Palette()->ToolButton(4), Qt::LeftButton);
    QTest::mousePress(fWindow->View(), Qt::LeftButton, {}, {10 + k, 10});
    QTest::mouseMove(fWindow->View(), {30 + k, 30});
    QTest::mouseRelease(fWindow->View(), Qt::LeftButton, {}, {60 + k, 50});
  }
  void Trigger(const char* name) { fWindow->findChild<QAction*>(name)->trigger(); }
  // The window is active again once a dialog went.
  void Key(QKeyCombination key) {
    fWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fWindow));
    QTest::keyClick(fWindow, key.key(), key.keyboardModifiers());
  }
  void ExpectAfter(QKeyCombination key, bool modified) {
    Key(key);
    QCOMPARE(fWindow->isWindowModified(), modified);
  }
  int Figures() const { return SketchOf(fWindow->GetHost().Active()->document)->GetCount(); }
  QString Settings() const { return fDir + "/profile/sketch-studio-settings.ini"; }
  QString Data() const { return fDir + "/data"; }
  // The entries of File > Open Recent, as the menu shows them.
  QList<QAction*> RecentEntries() {
    auto* menu = fWindow->findChild<QMenu*>("openRecent");
    emit menu->aboutToShow();
    return menu->actions();
  }

  StudioWindow* fWindow = nullptr;
  Modals fModals;
  QString fDir = QDir::tempPath() + QString("/studio-files-test-%1").arg(QCoreApplication::applicationPid());
};

QTEST_MAIN(StudioFilesTest)
#include "StudioFilesTest.moc"
