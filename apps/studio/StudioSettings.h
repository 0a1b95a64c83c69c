#pragma once
// What the studio remembers of the person's way of working from one run to
// the next: the sketches last saved or opened, the folder each file dialog was
// last used in, and where the window was. It lives in an INI file of its own
// beside the module's profile, which the window writes back whole when it
// goes and would otherwise write these back as they were at the start.

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

class QFileDialog;
class QSettings;
class QWidget;

class StudioSettings {
 public:
  static constexpr int kRecentCount = 10;

  // `path`: the INI file; empty keeps everything in memory, for this run.
  explicit StudioSettings(const QString& path = {});
  ~StudioSettings();

  // Absolute paths, newest first, at most kRecentCount.
  QStringList Recent() const;
  void AddRecent(const QString& path);

  // The folder the dialog called `dialog` was last used in, or empty.
  QString Folder(const QString& dialog) const;
  void KeepFolder(const QString& dialog, const QString& file);

  void KeepGeometry(const QWidget& window);
  // False when none was kept or it no longer fits a screen.
  bool RestoreGeometry(QWidget& window) const;

  // Runs `dialog` (opened in Folder(name), or wherever the caller chose) and
  // keeps the folder of the file chosen; that file, or empty. A file to save
  // gets the dialog's default suffix when none was typed, whatever the
  // platform's own dialog did with it.
  QString Ask(QFileDialog& dialog, const QString& name);
  // A file to write, asked from the folder that dialog was last used in; the
  // dialog asks before replacing a file.
  QString AskToSave(QWidget* parent, const QString& name, const QString& title, const QString& filter,
                    const QString& suffix);

 private:
  QVariant Value(const QString& key) const;
  void SetValue(const QString& key, const QVariant& value);

  std::unique_ptr<QSettings> fIni;
  QVariantMap fMemory;
};
