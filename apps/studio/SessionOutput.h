#pragma once
// What leaves the studio besides the screen: the recording of what the person
// does, as a sketch-replay script, and the exports of the active document.
// Either one tells the person, over the window, what went wrong.

#include <QString>
#include <functional>
#include <map>
#include <string>

#include "Host.h"
#include "ScriptRecorder.h"

class QAction;
class QMenu;
class QWidget;
class ToolPalette;

class SessionOutput {
 public:
  SessionOutput(QWidget* window, Host& host, const char* title);

  // Writes a line when recording; otherwise nothing.
  ScriptRecorder& Script() { return fRecorder; }
  // The module's section of the profile as the module read it at loading,
  // which a recording starts from.
  void KeepLoadedProfile(std::map<std::string, std::string> profile) { fLoadedProfile = std::move(profile); }

  // From now on, what the person does goes into a sketch-replay script at
  // `path`, starting from the open documents and the palette's state. Empty on
  // success, otherwise why not.
  std::string Start(const std::string& path, const ToolPalette& palette);
  // A document just opened; `pngPath` is the file a replay can read its
  // picture from, or empty.
  void Opened(const HostDocument& doc, const std::string& pngPath);
  void Closed(const HostDocument& doc) { fSources.erase(&doc); }
  // What the person answered a dialog, before the command that opened it.
  void Answered(const CDialog& dialog, int button);
  // The zoom line for a view: zoom and origin.
  static std::string ZoomLine(float zoom, float originX, float originY);

  // Runs `write`, which returns what went wrong, if anything; false (the
  // person told why) when nothing was written.
  bool Export(const QString& path, const std::function<std::string()>& write);
  // The File menu's exports and Record..., before `before`.
  void AddEntries(QMenu* file, QAction* before, const ToolPalette& palette);

 private:
  void Document(const HostDocument& doc);

  QWidget* fWindow;
  Host& fHost;
  QString fTitle;
  ScriptRecorder fRecorder;
  std::string fRecordPath;
  int fPicturesWritten = 0;
  std::map<const HostDocument*, std::string> fSources;
  std::map<std::string, std::string> fLoadedProfile;
};
