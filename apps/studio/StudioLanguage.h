#pragma once
// The studio speaks the person's language: its own texts and Qt's (the
// buttons of its message boxes and file dialogs) in the locale's language when
// it has them, English otherwise. The module's texts are the module's.

#include <QLocale>

class QCoreApplication;

// Installs the translations for `locale` into the application; false when the
// studio has none for its language (English is the studio's own).
bool InstallTranslations(QCoreApplication& app, const QLocale& locale);
