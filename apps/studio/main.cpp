// sketch-studio: a person sketches over a picture in a window.
//   sketch-studio [PICTURE] [--record SCRIPT]

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <iostream>

#include "OsPlatformHost.h"
#include "StudioWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Sketch Studio");
  QString picture, record;
  const QStringList args = QApplication::arguments();
  for (int k = 1; k < args.size(); ++k) {
    if (args[k] == "--record" && k + 1 < args.size()) {
      record = args[++k];
    } else if (args[k].startsWith("-") || !picture.isEmpty()) {
      std::cerr << "usage: sketch-studio [PICTURE] [--record SCRIPT]\n";
      return 2;
    } else {
      picture = args[k];
    }
  }
  // The module sizes its raster after the screen it is shown on.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    OsSetScreenSize(screen->size().width(), screen->size().height());
  }
  const QString profile =
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/sketch-studio.ini";
  StudioWindow window(picture, ModuleLoader::DefaultPath(), profile);
  if (!window.LoadError().empty()) {
    QMessageBox::critical(nullptr, "Sketch Studio",
                          QString::fromStdString("The sketch module cannot be loaded: " + window.LoadError()));
    return 1;
  }
  if (!record.isEmpty()) {
    if (const std::string error = window.StartRecording(record.toStdString()); !error.empty()) {
      QMessageBox::critical(nullptr, "Sketch Studio", QString::fromStdString("Cannot record: " + error));
      return 1;
    }
  }
  window.resize(1000, 700);
  window.show();
  return QApplication::exec();
}
