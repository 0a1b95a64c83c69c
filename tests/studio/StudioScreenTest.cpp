// Two device pixels a point: the view's pixels are the screen's; the grid is over the view, not in it.

#include <QApplication>
#include <QInputDialog>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include "DocumentView.h"
#include "HostDump.h"
#include "StudioWindow.h"
#include "ToolPalette.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "module/SketchTools.h"

class StudioScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fWindow = new StudioWindow({}, SKETCH_MODULE_PATH);
    fWindow->resize(700, 500);
    fWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(fWindow));
    QCOMPARE(fWindow->View()->devicePixelRatioF(), 2.0);
    QTest::mouseClick(fWindow->Palette()->ModeButton(), Qt::LeftButton);
  }
  void cleanupTestCase() { delete fWindow; }

  void TheViewIsInDevicePixels() {
    DocumentView* view = fWindow->View();
    const HostDocument& doc = *fWindow->GetHost().Active();
    QCOMPARE(doc.frame.width, 2 * view->width());
    QCOMPARE(doc.frame.height, 2 * view->height());
    QTest::mouseClick(fWindow->Palette()->ToolButton(kToolRectangle), Qt::LeftButton);
    QTest::mousePress(view, Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(view, {40, 30});
    QTest::mouseRelease(view, Qt::LeftButton, {}, {40, 30});
    const TObjectContainer* sketch = SketchOf(doc.document);
    QCOMPARE(sketch->GetCount(), 1);
    // The right button is no left one.
    QTest::mousePress(view, Qt::RightButton, {}, {60, 60});
    QTest::mouseRelease(view, Qt::RightButton, {}, {90, 90});
    QVERIFY(!fWindow->GetHost().IsTracking());
    QCOMPARE(sketch->GetCount(), 1);
    const auto* rectangle = static_cast<const TDShape*>(sketch->GetItem(sketch->GetHeadPosition()));
    const auto& b = rectangle->fBounds;
    QCOMPARE(QList<int>({b.left, b.top, b.right, b.bottom}), QList<int>({20, 20, 81, 61}));
  }

  void TheGridIsDrawnOverTheViewOnly() {
    DocumentView* view = fWindow->View();
    const HostDocument& doc = *fWindow->GetHost().Active();
    const std::vector<std::uint8_t> frame = doc.frame.pixels;
    const QImage plain = view->grab().toImage();
    fWindow->SetGrid(true, 16);
    QCOMPARE(doc.frame.pixels, frame);
    const QImage gridded = view->grab().toImage();
    QVERIFY(gridded != plain);
    fWindow->SetGrid(false, 0);
    QCOMPARE(view->grab().toImage(), plain);
    // Lines closer than a few pixels would only grey the view: none.
    fWindow->SetGrid(true, 1);
    QCOMPARE(view->grab().toImage(), plain);
    // View > Grid Spacing... asks for the spacing and turns the grid on.
    QTimer::singleShot(0, this, [] {
      if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
        dialog->setIntValue(12);
        dialog->accept();
      }
    });
    fWindow->findChild<QAction*>("gridSpacing")->trigger();
    QVERIFY(doc.view.fGridOn && doc.view.fGridSize == 12);
    fWindow->SetGrid(false, 0);
  }

  void ThePaletteKeepsItsWidth() {
    ToolPalette* palette = fWindow->Palette();
    const int width = palette->width();
    // The polygon's count shows only with its tool.
    QVERIFY(!palette->ApexSlider()->isVisible());
    QTest::mouseClick(palette->ToolButton(kToolPolygon), Qt::LeftButton);
    QVERIFY(palette->ApexSlider()->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(palette->width(), width);
  }

 private:
  StudioWindow* fWindow = nullptr;
};

int main(int argc, char** argv) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  StudioScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "StudioScreenTest.moc"
