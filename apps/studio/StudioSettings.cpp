#include "StudioSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

StudioSettings::StudioSettings(const QString& path) {
  if (!path.isEmpty()) fIni = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

StudioSettings::~StudioSettings() = default;

QVariant StudioSettings::Value(const QString& key) const { return fIni ? fIni->value(key) : fMemory.value(key); }

void StudioSettings::SetValue(const QString& key, const QVariant& value) {
  if (!fIni) {
    fMemory[key] = value;
    return;
  }
  fIni->setValue(key, value);
  // Written at once: a studio that is killed keeps what it learnt.
  fIni->sync();
}

QStringList StudioSettings::Recent() const { return Value("Recent/files").toStringList(); }

void StudioSettings::AddRecent(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  QStringList recent = Recent();
  recent.removeAll(file);
  recent.prepend(file);
  SetValue("Recent/files", recent.mid(0, kRecentCount));
}

QString StudioSettings::Folder(const QString& dialog) const { return Value("Folders/" + dialog).toString(); }

void StudioSettings::KeepFolder(const QString& dialog, const QString& file) {
  SetValue("Folders/" + dialog, QFileInfo(file).absolutePath());
}

void StudioSettings::KeepGeometry(const QWidget& window) { SetValue("Window/geometry", window.saveGeometry()); }

bool StudioSettings::RestoreGeometry(QWidget& window) const {
  const QByteArray geometry = Value("Window/geometry").toByteArray();
  return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

QString StudioSettings::Ask(QFileDialog& dialog, const QString& name) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  QString file = dialog.selectedFiles().constFirst();
  if (dialog.acceptMode() == QFileDialog::AcceptSave && !dialog.defaultSuffix().isEmpty() &&
      QFileInfo(file).suffix().isEmpty()) {
    file += "." + dialog.defaultSuffix();
  }
  KeepFolder(name, file);
  return file;
}

QString StudioSettings::AskToSave(QWidget* parent, const QString& name, const QString& title, const QString& filter,
                                  const QString& suffix) {
  QFileDialog dialog(parent, title, Folder(name), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  return Ask(dialog, name);
}
