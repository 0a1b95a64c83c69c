// Under a Japanese locale the studio's own texts are Japanese; the module's menu is its own.

#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

#include "DocumentView.h"
#include "StudioLanguage.h"
#include "StudioWindow.h"
#include "ToolPalette.h"
#include "module/SketchTools.h"

namespace {

// Every entry's text, sub-menus included, with its menu bar's position.
void Collect(const QList<QAction*>& actions, int menu, QList<std::pair<int, QString>>& texts) {
  for (QAction* a : actions) {
    if (a->isSeparator()) continue;
    texts.append({menu, a->text()});
    if (a->menu() != nullptr) Collect(a->menu()->actions(), menu, texts);
  }
}

}  // namespace

class StudioLanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryTextOfTheStudiosOwnIsJapanese() {
    QVERIFY(InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::Japanese, QLocale::Japan)));
    StudioWindow window({}, SKETCH_MODULE_PATH);
    QCOMPARE(QString::fromStdString(window.LoadError()), QString());
    QList<std::pair<int, QString>> texts;
    const QList<QAction*> menus = window.menuBar()->actions();
    for (int i = 0; i < menus.size(); ++i) {
      texts.append({i, menus[i]->text()});
      Collect(menus[i]->menu()->actions(), i, texts);
    }
    // The module's menu comes before Window and Help and keeps its own texts.
    const int module = static_cast<int>(menus.size()) - 3;
    QCOMPARE(menus[module]->text(), QString("ｽｹｯﾁ(&D)"));
    // English would show a lower-case letter (the program's name aside).
    static const QRegularExpression english("[a-z]");
    for (const auto& [menu, text] : texts) {
      if (menu != module) QVERIFY2(!english.match(QString(text).remove("Sketch Studio")).hasMatch(), qPrintable(text));
    }
    QCOMPARE(window.Palette()->ToolButton(kToolRectangle)->toolTip(), QString("長方形 (R)"));
    QTest::mouseClick(window.Palette()->ModeButton(), Qt::LeftButton);
    QTest::mouseClick(window.Palette()->ToolButton(kToolRectangle), Qt::LeftButton);
    window.resize(600, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(window.View(), Qt::LeftButton, {}, {20, 20});
    QTest::mouseMove(window.View(), {60, 50});
    QTest::mouseRelease(window.View(), Qt::LeftButton, {}, {60, 50});
    window.RefreshMenus();
    QCOMPARE(window.Action(ID_EDIT_UNDO)->text(), QString("元に戻す(&U) 描画"));
  }
};

QTEST_MAIN(StudioLanguageTest)
#include "StudioLanguageTest.moc"
