// sketch-studio: a person sketches over a picture in a window.

#include <QApplication>
#include <QMessageBox>

#include "StudioWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Sketch Studio");
  const QStringList args = QApplication::arguments();
  StudioWindow window(args.size() > 1 ? args[1] : QString());
  if (!window.LoadError().empty()) {
    QMessageBox::critical(nullptr, "Sketch Studio",
                          QString::fromStdString("The sketch module cannot be loaded: " + window.LoadError()));
    return 1;
  }
  window.resize(1000, 700);
  window.show();
  return QApplication::exec();
}
