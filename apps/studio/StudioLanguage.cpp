#include "StudioLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
  // Owned by the application, which keeps them for as long as it runs.
  auto* qt = new QTranslator(&app);
  if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  }
  auto* studio = new QTranslator(&app);
  if (!studio->load(locale, "sketch-studio", "_", ":/i18n")) {
    delete studio;
    return false;
  }
  QCoreApplication::installTranslator(studio);
  return true;
}
