#pragma once
// What leaves the studio besides the screen: the recording of what the person
// does, as a sketch-replay script, and the exports of the active document.
// Either one tells the person, over the window, what went wrong.

#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Host.h"
#include "ScriptRecorder.h"

class QAction;
class QMenu;
class QWidget;
class StudioSettings;
class ToolPalette;

// Whether a person is there to answer a box: not for a played script, a dump
// or a run without a screen, which would otherwise wait for ever. Set once for
// the process, before the window is made: the window's first picture opens
// while it is made. A person is there unless told otherwise.
void SetAttended(bool attended);
bool Attended();
// Warns of `text`: in a box over `window` when a person is there to close it,
// otherwise on standard error and in the window's status bar.
void Warn(QWidget* window, const QString& title, const QString& text);

// The picture as the studio's own PNG copy in `folder`, named after its pixels:
// its name goes into `path`. A copy already there is used only when it reads
// back as these very pixels: one cut short by a full disk, or changed since,
// is written again. A copy is written whole under another name, then renamed,
// so that none is ever seen half written. Empty on success, otherwise why not.
std::string KeepPictureCopy(const QString& folder, const RgbImage& picture, std::string& path);

class SessionOutput {
 public:
  // Pictures that sketch-replay cannot read are written into `pictureFolder`
  // for the journal (and beside a recording, for the recording).
  SessionOutput(QWidget* window, Host& host, const char* title, QString pictureFolder);

  // Takes every line of the session; writes it when recording or journalling.
  ScriptRecorder& Script() { return fRecorder; }
  // The session starts: the screen and the profile the module was loaded with.
  void BeginSession();
  // From now on the session is journalled at `path`, from its start. Empty on
  // success, otherwise why not.
  std::string StartJournal(const std::string& path);
  const std::string& JournalPath() const { return fJournalPath; }
  // The session as a sketch to be saved at `path`: its pictures named
  // relative to the sketch's folder, the studio's own copies of pictures
  // copied beside it. Empty with `error` set when a copy cannot be made.
  std::string SketchText(const QString& path, std::string& error) const;
  // The picture as the studio's own PNG copy (KeepPictureCopy) at `path`;
  // empty on success, otherwise why not.
  std::string KeepPicture(const RgbImage& picture, std::string& path) const {
    return KeepPictureCopy(fPictureFolder, picture, path);
  }
  // A document a replay opened from `pngPath`, already in the session.
  void Adopt(const HostDocument& doc, const std::string& pngPath);
  // Every document is going: none is known any more.
  void ForgetAll() { fSources.clear(); }
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
  // The zoom command for a view: zoom and origin.
  static ScriptCommand ZoomCommand(float zoom, float originX, float originY);

  // Runs `write`, which returns what went wrong, if anything; false (the
  // person told why) when nothing was written.
  bool Export(const QString& path, const std::function<std::string()>& write);
  // The File menu's exports and Record..., before `before`; their dialogs
  // start where each was last used.
  void AddEntries(QMenu* file, QAction* before, const ToolPalette& palette, StudioSettings& settings);

 private:
  std::vector<ScriptCommand> SetUp() const;
  // The document, and its view when not as opened; its picture's hash goes
  // before them as a comment.
  std::vector<ScriptCommand> DocumentCommands(const HostDocument& doc);
  // The file a replay reads the picture from, written first when needed.
  std::string PictureFile(const HostDocument& doc);

  QWidget* fWindow;
  Host& fHost;
  QString fTitle;
  ScriptRecorder fRecorder;
  std::string fRecordPath;
  std::string fJournalPath;
  QString fPictureFolder;
  int fPicturesWritten = 0;
  std::map<const HostDocument*, std::string> fSources;
  std::map<std::string, std::string> fLoadedProfile;
};
