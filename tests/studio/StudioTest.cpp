// The desktop host driven by real mouse and key events on the offscreen
// platform: its sketch must be the one sketch-replay makes of the recording.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include "DocumentView.h"
#include "HostDump.h"
#include "Modals.h"
#include "OsPlatformHost.h"
#include "OsResources.h"
#include "OsRuntime.h"
#include "StudioSupport.h"
#include "StudioWindow.h"
#include "ToolPalette.h"
#include "container/TObjectContainer.h"
#include "module/SketchTools.h"
#include "resources/SketchResources.h"

namespace {

int Count(Host& host) { return SketchOf(host.Active()->document)->GetCount(); }

std::string Sketch(Host& host) {
  return SketchPart(QByteArray::fromStdString(DumpHostState(host).Write())).toStdString();
}

}  // namespace

class StudioTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QDir(fDir).removeRecursively();
    QVERIFY(QDir().mkpath(fDir));
    fWindow = new StudioWindow({}, SKETCH_MODULE_PATH, fDir + "/profile/sketch-studio.ini");
    QCOMPARE(QString::fromStdString(fWindow->LoadError()), QString());
    QCOMPARE(fWindow->StartRecording((fDir + "/session.txt").toStdString()), std::string());
    fWindow->resize(900, 640);
    fWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(fWindow));
    QTest::mouseClick(fWindow->Palette()->ModeButton(), Qt::LeftButton);
    QVERIFY(fWindow->Palette()->ModeButton()->isChecked());
  }
  void cleanupTestCase() {
    delete fWindow;
    // The module's preferences outlive the window.
    QSettings ini(fDir + "/profile/sketch-studio.ini", QSettings::IniFormat);
    QCOMPARE(ini.value("Sketch/CurrentTool").toString(), QString("0"));
    QCOMPARE(ini.value("Sketch/PolygonOption-Apex").toString(), QString("6"));
    QDir(fDir).removeRecursively();
  }
  void UndoNamesTheStepAndScrollingMovesTheView() {
    Host& host = fWindow->GetHost();
    QAction* undo = fWindow->Action(ID_EDIT_UNDO);
    QAction* redo = fWindow->Action(ID_EDIT_REDO);
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QString("&Undo"));
    Tool(4);
    const OsCursorResource* cursor = OsFindCursor(nullptr, LoadedCursorId(host));
    QVERIFY(cursor != nullptr);
    QCOMPARE(fWindow->View()->cursor().hotSpot(), QPoint(cursor->hotX, cursor->hotY));
    Drag({20, 20}, {80, 60});
    Tool(5);
    Drag({120, 20}, {200, 100});
    Tool(0);
    Drag({20, 40}, {40, 80});  // the rectangle's left side, down and right

    QVERIFY(undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(UndoText(), QString("&Undo Move"));
    const std::string moved = Sketch(host);
    undo->trigger();
    QVERIFY(Sketch(host) != moved);
    QVERIFY(redo->isEnabled());
    QCOMPARE(redo->text(), QString("&Redo Move"));
    QCOMPARE(UndoText(), QString("&Undo Draw"));
    QTest::keyClick(fWindow, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Sketch(host), moved);

    QAction* black = fWindow->Action(ID_DISPLAY_BLACK);
    QVERIFY(!black->isChecked());
    black->trigger();
    QVERIFY(black->isChecked() && !fWindow->Action(ID_DISPLAY_INVERTED)->isChecked());
    fWindow->Action(ID_DISPLAY_INVERTED)->trigger();
    // The polygon's count the profile check at the end expects.
    Tool(kToolPolygon);
    fWindow->Palette()->ApexSlider()->setValue(6);

    // A window smaller than the picture: the scroll bar moves the view's origin.
    fWindow->resize(500, 400);
    QTRY_VERIFY(fWindow->View()->height() < 480);
    QCOMPARE(host.Active()->frame.height, fWindow->View()->height());
    auto* vscroll = fWindow->findChild<QScrollBar*>("vscroll");
    QCOMPARE(vscroll->maximum(), 480 - fWindow->View()->height());
    vscroll->setValue(30);
    QCOMPARE(host.Active()->view.GetZoom().fOriginY, 30.0f);
    ExpectReplayAgrees();
    fWindow->resize(900, 640);
  }
  void TypedAngleOutOfRangeIsRefusedInABox() {
    Host& host = fWindow->GetHost();
    QString boxText;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    const auto dialog = [&](QWidget* dialog) {
      auto* edit = dialog->findChild<QLineEdit*>(QString("control%1").arg(IDC_VALUE));
      auto* ok = dialog->findChild<QPushButton*>("control1");
      auto* clockwise = dialog->findChild<QRadioButton*>(QString("control%1").arg(IDC_CLOCKWISE));
      QVERIFY(edit != nullptr && ok != nullptr && clockwise != nullptr);
      QTest::keyClicks(edit, "3x61");  // the letter never reaches the model
      QCOMPARE(edit->text(), QString("361"));
      // Every control whole inside the dialog, none over another.
      const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      for (QWidget* c : controls) {
        QVERIFY2(dialog->rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (QWidget* other : controls) {
          QVERIFY2(c == other || !c->geometry().intersects(other->geometry()),
                   qPrintable(c->objectName() + " / " + other->objectName()));
        }
      }
      QTest::mouseClick(ok, Qt::LeftButton);
      QVERIFY(dialog->isVisible());  // still open for another answer
      edit->selectAll();
      QTest::keyClicks(edit, "90");
      QTest::mouseClick(clockwise, Qt::LeftButton);
      QTest::mouseClick(ok, Qt::LeftButton);
    };
    fModals.Expect({dialog, Told(boxText, &boxIcon)});
    fWindow->Action(ID_ROTATE_NUMERIC)->trigger();
    QVERIFY(fModals.AllDone());
    QCOMPARE(boxText, QString::fromUtf8(OsFindString(nullptr, IDS_BAD_ANGLE)));
    QCOMPARE(boxIcon, QMessageBox::Critical);
    // Turned as the menu's own quarter turn does.
    const std::string typed = Sketch(host);
    fWindow->Action(ID_EDIT_UNDO)->trigger();
    fWindow->Action(ID_ROTATE_CLOCKWISE)->trigger();
    const std::string item = Sketch(host);
    QCOMPARE(item.substr(0, item.find("\"history\"")), typed.substr(0, typed.find("\"history\"")));
  }
  void PicturesOpenInTabsSharingTheClipboard() {
    Host& host = fWindow->GetHost();
    auto* tabs = fWindow->findChild<QTabBar*>("documents");
    HostDocument* first = host.Active();
    ActivateWindow();
    QTest::keyClick(fWindow, Qt::Key_C, Qt::ControlModifier);  // the rotated rectangle is still selected
    OpenWhitePicture("small.bmp", {50, 40});
    QCOMPARE(tabs->count(), 2);
    ActivateWindow();
    QTest::keyClick(fWindow, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Count(host), 1);
    // Drawn on this view's grid: the replay must snap the same way.
    fWindow->findChild<QAction*>("grid")->trigger();
    QVERIFY(host.Active()->view.fGridOn);
    Tool(4);
    Drag({3, 5}, {29, 27});

    // A refused export or picture is named, and nothing open is lost.
    QString told;
    const QString nowhere = fDir + "/no-such-folder/view.png", missing = fDir + "/missing.png";
    fModals.Expect({Told(told)});
    QVERIFY(!fWindow->Export(nowhere, [&] { return WritePng(nowhere.toStdString(), host.Active()->frame); }));
    QVERIFY(told.contains(nowhere));
    fModals.Expect({Told(told)});
    QVERIFY(!fWindow->OpenPicture(missing));
    QVERIFY(told.contains(missing));
    QCOMPARE(tabs->count(), 2);

    tabs->setCurrentIndex(0);
    QCOMPARE(host.Active(), first);
    fModals.Expect({::Click(QMessageBox::Discard)});
    fWindow->Action(ID_FILE_CLOSE)->trigger();
    QCOMPARE(tabs->count(), 1);
    QVERIFY(host.Active() != first);
    QCOMPARE(fWindow->windowTitle(), QString("[*]small.bmp - Sketch Studio"));

    // A marquee's ants march while it is dragged, and stop with it.
    Tool(0);
    QTest::mousePress(fWindow->View(), Qt::LeftButton, {}, {45, 35});
    QTest::mouseMove(fWindow->View(), {1, 1});
    QVERIFY(host.Active()->view.fShownAnt != nullptr);
    const std::vector<std::uint8_t> still = host.Active()->frame.pixels;
    QTRY_VERIFY(host.fAntPhase != 0 && host.Active()->frame.pixels != still);
    QTest::mouseRelease(fWindow->View(), Qt::LeftButton, {}, {1, 1});
    QTRY_COMPARE(host.fAntPhase, 0);
    ExpectReplayAgrees();
  }
  // Wheel and zoom keys are recorded, so that the replay shows the same view.
  void NavigatesAsEditorsDo() {
    Host& host = fWindow->GetHost();
    DocumentView* view = fWindow->View();
    OpenWhitePicture("navigate.png", {300, 200});
    const auto zoom = [&host] { return host.Active()->view.GetZoom(); };
    const auto wheel = [view](QPoint at, int notches, Qt::KeyboardModifiers keys) {
      QWheelEvent event(at, view->mapToGlobal(at), {}, {0, notches * 120}, Qt::NoButton, keys, Qt::NoScrollPhase,
                        false);
      QApplication::sendEvent(view, &event);
    };
    const auto imageAt = [&host](QPoint p) {
      OsImgPoint i{p.x(), p.y()};
      host.Active()->view.GetEventHandler()->DPToIP(i);
      return QPoint(i.x, i.y);
    };
    fWindow->FitInWindow();
    const float fitted = zoom().fZoomX;
    const QPoint at(150, 100);
    const QPoint under = imageAt(at);
    wheel(at, 1, Qt::ControlModifier);
    QCOMPARE(zoom().fZoomX, 2 * fitted);
    QCOMPARE(imageAt(at), under);
    QCOMPARE(fWindow->findChild<QLabel*>("zoom")->text(), QString("%1%").arg(zoom().fZoomX * 100.0, 0, 'g', 4));

    // A notch scrolls some lines' worth of what the view shows.
    const BZoom before = zoom();
    const auto aNotch = [&](float moved, int pixels) {
      const float shown = pixels / zoom().fZoomX;
      return moved > 0.1f * shown && moved < 0.2f * shown;
    };
    wheel(at, -1, Qt::NoModifier);
    QVERIFY(aNotch(zoom().fOriginY - before.fOriginY, host.Active()->frame.height));
    QCOMPARE(zoom().fOriginX, before.fOriginX);
    wheel(at, -1, Qt::ShiftModifier);
    QVERIFY(aNotch(zoom().fOriginX - before.fOriginX, host.Active()->frame.width));

    QTest::mouseMove(view, {40, 30});
    QCOMPARE(fWindow->findChild<QLabel*>("readout")->text(),
             QString("X %1  Y %2").arg(imageAt({40, 30}).x()).arg(imageAt({40, 30}).y()));

    ActivateWindow();
    QTest::keyClick(fWindow, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(zoom().fZoomX, 4 * fitted);
    QTest::keyClick(fWindow, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(zoom().fZoomX, 2 * fitted);
    const QPoint centre(host.Active()->frame.width / 2, host.Active()->frame.height / 2);
    const QPoint middle = imageAt(centre);
    QTest::keyClick(fWindow, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(zoom().fZoomX, 1.0f);
    QCOMPARE(imageAt(centre), middle);
    // Fit in Window: the whole picture, in the middle.
    QTest::keyClick(fWindow, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(zoom().fZoomX, fitted);
    const QPoint topLeft(static_cast<int>(-zoom().fOriginX * fitted), static_cast<int>(-zoom().fOriginY * fitted));
    QVERIFY(topLeft.x() >= 0 && topLeft.y() >= 0);
    QVERIFY(std::abs(host.Active()->frame.width - 2 * topLeft.x() - static_cast<int>(300 * fitted)) <= 2);
    QVERIFY(std::abs(host.Active()->frame.height - 2 * topLeft.y() - static_cast<int>(200 * fitted)) <= 2);
    ExpectReplayAgrees();
  }
  // Keys as editors use them (Escape is the cancel of the replay scripts).
  void KeysAsEditorsUseThem() {
    Host& host = fWindow->GetHost();
    DocumentView* view = fWindow->View();
    OpenWhitePicture("keys.png", {400, 300});
    ActivateWindow();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_R);
    QCOMPARE(host.Module()->fCurrentTool, kToolRectangle);
    QVERIFY(fWindow->Palette()->ToolButton(kToolRectangle)->toolTip().endsWith("(R)"));
    Drag({10, 10}, {60, 40});
    Drag({100, 10}, {160, 40});

    QTest::keyClick(view, Qt::Key_V);
    Click({290, 190});
    Click({10, 25});  // the first rectangle alone, on its left side
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(UndoText(), QString("&Undo Delete"));
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(Count(host), 0);
    fWindow->Action(ID_EDIT_UNDO)->trigger();

    QTest::keyClick(view, Qt::Key_B);
    Click({30, 100});
    Click({80, 120});
    QTest::keyClick(view, Qt::Key_Return);  // else the next click goes on with it
    Click({30, 150});
    QTest::mouseDClick(view, Qt::LeftButton, {}, {80, 170});
    QVERIFY(SketchOf(host.Active()->document)->fDrawing == nullptr);
    QCOMPARE(Count(host), 3);
    QTest::keyClick(view, Qt::Key_V);
    ExpectReplayAgrees();
  }
  void SketchesSaveAndReopenAsTheReplayDoes() {
    Host& host = fWindow->GetHost();
    const std::string before = Sketch(host);
    const QString undoBefore = UndoText();
    ExpectSavedSketchReplays(fDir, "work.sketch");

    // Moved with its pictures, it reopens over a module loaded afresh.
    const QString moved = fDir + "/moved";
    QVERIFY(QDir().mkpath(moved));
    for (const QString& name : QDir(fDir).entryList({"work*", "*.png", "*.bmp"}, QDir::Files)) {
      QVERIFY(QFile::rename(fDir + "/" + name, moved + "/" + name));
    }
    const StudioWindow::SessionFile file = StudioWindow::ReadSessionFile(moved + "/work.sketch");
    QCOMPARE(file.error, std::string());
    QVERIFY(file.changed.empty());
    const qint64 recorded = QFileInfo(fDir + "/session.txt").size();
    QCOMPARE(fWindow->ReplaySession(file), std::vector<std::string>());
    QCOMPARE(Sketch(host), before);
    QCOMPARE(UndoText(), undoBefore);
    // The recording followed the session that was replaced: it ends.
    QVERIFY(fWindow->statusBar()->currentMessage().contains("recording ended"));
    QCOMPARE(fWindow->findChild<QTabBar*>("documents")->count(), static_cast<int>(host.Documents().size()));
    // What is done next goes on from there, and saves again.
    Tool(4);
    Drag({200, 150}, {260, 200});
    QCOMPARE(fWindow->SaveSketch(moved + "/again.sketch"), std::string());
    QCOMPARE(QFileInfo(fDir + "/session.txt").size(), recorded);

    // A picture changed since is told before anything is replayed.
    QVERIFY(SavePicture(moved + "/keys.png", {400, 300}, qRgb(1, 2, 3)));
    const StudioWindow::SessionFile changed = StudioWindow::ReadSessionFile(moved + "/again.sketch");
    QCOMPARE(changed.changed.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(changed.changed[0]).contains("keys.png"));
    Tool(0);
  }
  void DamagedSketchesReplayWhatIsWhole() {
    Host& host = fWindow->GetHost();
    const QString dir = fDir + "/moved";

    // A picture that is gone: what came before it is replayed, and nothing after.
    QVERIFY(Write(dir + "/missing.sketch",
                  "# sketch-studio sketch 1\nmode on\ndocument a keys.png\ntool 4\ndrag 10 10 60 50\n"
                  "document b gone.png\ndrag 20 20 50 50\n"));
    const std::vector<std::string> gone =
        fWindow->ReplaySession(StudioWindow::ReadSessionFile(dir + "/missing.sketch"));
    QCOMPARE(gone.size(), std::size_t{1});
    QVERIFY2(QString::fromStdString(gone[0]).startsWith("line 6: "), gone[0].c_str());
    QVERIFY(QString::fromStdString(gone[0]).contains("gone.png"));
    QVERIFY(host.Find("a") != nullptr && host.Find("b") == nullptr);
    QCOMPARE(SketchOf(host.Find("a")->document)->GetCount(), 1);

    // A sketch cannot make the studio write files or unload the module.
    QVERIFY(Write(dir + "/dumps.sketch",
                  "# sketch-studio sketch 1\ntool 4\ndump " + dir.toUtf8() + "/written.json\ntool 5\n"));
    const std::vector<std::string> refused =
        fWindow->ReplaySession(StudioWindow::ReadSessionFile(dir + "/dumps.sketch"));
    QCOMPARE(refused.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(refused[0]).startsWith("line 3: 'dump'"));
    QVERIFY(!QFile::exists(dir + "/written.json"));
    QCOMPARE(host.Module()->fCurrentTool, 4);

    // What the profile check at the end expects.
    QTest::mouseClick(fWindow->Palette()->ModeButton(), Qt::LeftButton);
    fWindow->Palette()->ApexSlider()->setValue(6);
    Tool(0);
  }
  void MemoryRunningOutDropsOnlyTheGesture() {
    Host& host = fWindow->GetHost();
    QCOMPARE(fWindow->ReplaySession(StudioWindow::ReadSessionFile(fDir + "/moved/again.sketch")),
             std::vector<std::string>());
    // Memory running out mid-gesture: nothing escapes into Qt, and earlier figures stay.
    const auto figures = [&host] {
      const std::string text = DumpHostState(host).Write();
      const std::size_t from = text.rfind("\"figures\"");
      return text.substr(from, text.find("\"history\"", from) - from);
    };
    const std::string kept = figures();
    const int count = Count(host);
    Tool(4);
    int told = 0;
    for (int allowed : {0, 1, 3, 8, 20, 60}) {
      fWindow->statusBar()->clearMessage();
      OsFailAllocationsAfter(allowed);
      Drag({300, 200}, {360, 240});
      OsFailAllocationsAfter(-1);
      if (Count(host) == count) {
        // The module gives some steps up quietly; the host's are told.
        told += fWindow->statusBar()->currentMessage().startsWith("Out of memory") ? 1 : 0;
      } else {
        fWindow->Action(ID_EDIT_UNDO)->trigger();
      }
      QCOMPARE(figures(), kept);
    }
    QVERIFY(told > 0);
    Drag({300, 200}, {360, 240});
    QCOMPARE(Count(host), count + 1);
    // The steps dropped are left out of the session, which replays as it stands.
    ExpectSavedSketchReplays(fDir + "/moved", "memory.sketch");
    Tool(0);
  }

 private:
  // press, four moves on the straight way, release: the replay's `drag`.
  void Drag(QPoint from, QPoint to) {
    DocumentView* view = fWindow->View();
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    for (int k = 1; k <= 4; ++k) QTest::mouseMove(view, from + (to - from) * k / 4);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
  }
  void Tool(int tool) { QTest::mouseClick(fWindow->Palette()->ToolButton(tool), Qt::LeftButton); }
  void Click(QPoint at) { QTest::mouseClick(fWindow->View(), Qt::LeftButton, {}, at); }
  void OpenWhitePicture(const QString& name, QSize size) {
    QVERIFY(SavePicture(fDir + "/" + name, size));
    QVERIFY(fWindow->OpenPicture(fDir + "/" + name));
  }
  void ActivateWindow() {
    fWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fWindow));
  }
  QString UndoText() const { return fWindow->Action(ID_EDIT_UNDO)->text(); }
  // sketch-replay in `dir`, the recording on its input, makes the studio's sketch silently.
  void ExpectReplayGives(const QString& dir, const QStringList& args) {
    QProcess replay;
    replay.setWorkingDirectory(dir);
    replay.start(SKETCH_REPLAY, QStringList{"--dump", "replayed.json"} + args);
    replay.write(Read(fDir + "/session.txt"));
    replay.closeWriteChannel();
    QVERIFY(replay.waitForFinished(60000));
    QCOMPARE(replay.readAllStandardError() + QByteArray::number(replay.exitCode()), QByteArray("0"));
    QCOMPARE(Sketch(fWindow->GetHost()), SketchPart(Read(dir + "/replayed.json")).toStdString());
  }
  void ExpectReplayAgrees() {
    ExpectReplayGives(fDir, {"--out", "replay.png", "-"});
    RgbImage pixels;
    QVERIFY(ReadPng((fDir + "/replay.png").toStdString(), pixels).empty());
    QVERIFY(pixels.pixels == fWindow->GetHost().Active()->frame.pixels);
  }
  void ExpectSavedSketchReplays(const QString& dir, const QString& name) {
    QCOMPARE(fWindow->SaveSketch(dir + "/" + name), std::string());
    ExpectReplayGives(dir, {name});
  }

  StudioWindow* fWindow = nullptr;
  Modals fModals;
  QString fDir = QDir::tempPath() + QString("/studio-test-%1").arg(QCoreApplication::applicationPid());
};

QTEST_MAIN(StudioTest)
#include "StudioTest.moc"
