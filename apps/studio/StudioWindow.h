#pragma once
// The desktop host's main window: documents in tabs over the shared host
// engine, sharing the module's clipboard; the host's menu bar with the module's
// menu in it, the module's palette, and the coordinate read-out. Every call
// into the module goes through the host, which tells whether it was done;
// Changed is where a step the host dropped is told.

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "Host.h"
#include "HostCommands.h"
#include "SessionOutput.h"
#include "SketchJournal.h"
#include "StudioDialogs.h"
#include "StudioSettings.h"
#include "UnsavedChanges.h"

class DocumentView;
class QLabel;
class QMenu;
class QScrollBar;
class QWheelEvent;
class QTabBar;
class ToolPalette;

class StudioWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // Loads the module from `modulePath` and opens `picture`, or the built-in
  // picture when it is empty or cannot be opened (the person is told why).
  // The profile is read from the INI file `profilePath` before the module
  // loads and written back when the window goes; empty keeps it in memory.
  // What the studio remembers across runs (recent sketches, folders, the
  // window's place) goes beside the profile; with no profile, in memory.
  // Pictures that sketch-replay cannot read are copied into `dataFolder`'s
  // pictures folder for the journal, where kept journals also are; empty:
  // the system's temporary folder.
  // `forPlay`: the window starts as sketch-replay does, for a script to say
  // what comes: no module loaded, no document, the screen 1024 x 768.
  explicit StudioWindow(const QString& picture = {}, const std::string& modulePath = ModuleLoader::DefaultPath(),
                        const QString& profilePath = {}, const QString& dataFolder = {}, bool forPlay = false);
  ~StudioWindow() override;

  Host& GetHost() { return fHost; }
  DocumentView* View() const { return fView; }
  ToolPalette* Palette() const { return fPalette; }
  const std::string& ModulePath() const { return fModulePath; }
  // The menu entry of that command, or null.
  QAction* Action(int command) const;
  // Whether choosing the entry of that command hands it to the module as it
  // stands: there is one, it is enabled, and the window does not take the
  // command itself (open, close, undo...).
  bool ModuleTakesEntry(int command) const;
  // Empty when the module loaded, otherwise why not.
  const std::string& LoadError() const { return fLoadError; }

  // From now on, what the person does goes into a sketch-replay script at
  // `path`. Empty on success, otherwise why not.
  std::string StartRecording(const std::string& path);
  // From now on the session is journalled at `path`, from its start. Empty on
  // success, otherwise why not.
  std::string StartJournal(const std::string& path);
  SessionOutput& Output() { return fOutput; }
  // The window keeps no journal, for `why`: said in the status bar, and
  // shown there for as long as it lasts.
  void KeepsNoJournal(const QString& why);
  StudioSettings& Settings() { return fSettings; }

  // The session as a sketch file at `path`, replaced whole or left as it was;
  // on success it is the session's file from then on, saved as it is now.
  // Empty on success, otherwise why not.
  std::string SaveSketch(const QString& path);
  // A journal or a saved sketch read for replaying: `error` when it cannot be
  // read at all or is neither; `changed` names the pictures whose pixels are
  // not those the sketch was drawn over; `missing`, those that cannot be
  // read, which `located` may replace (by the line of their document).
  struct MissingPicture {
    int line;
    std::string path;  // absolute
    std::string hash;  // empty when the file gives none
    std::string reason;
  };
  struct SessionFile {
    std::string error;
    QString path;
    bool journal = false;
    JournalRead read;
    QString folder;  // relative picture paths start here
    std::vector<std::string> changed;
    std::vector<MissingPicture> missing;
    std::map<int, std::string> located;
  };
  static SessionFile ReadSessionFile(const QString& path);
  // Replaces the session with the one in `file`: every document closes, the
  // module is loaded afresh with the file's screen and profile, and the
  // file's steps are replayed. A sketch replayed whole is the session's file,
  // saved; a journal, or a sketch replayed in part or over pictures located
  // elsewhere, is not saved anywhere yet. What could not be replayed, each
  // naming its line and why; empty when all was.
  std::vector<std::string> ReplaySession(const SessionFile& file);

  // Runs `write`, which returns what went wrong, if anything; false (the
  // person told why) when nothing was written.
  bool Export(const QString& path, const std::function<std::string()>& write);
  // The active view's grid; a size of 0 keeps the spacing.
  void SetGrid(bool on, int size);
  // The active view's zoom and origin, as a person sets them: recorded.
  void ZoomTo(float zoom, float originX, float originY);
  // One step of the zoom tool about a view pixel (the view's centre when
  // none); Actual Size and Fit in Window keep the view's centre.
  void ZoomStep(bool in, std::optional<OsImgPoint> at);
  void ActualSize();
  void FitInWindow();
  // The wheel over the view: scrolls, sideways with Shift, zooms with Ctrl.
  void Wheel(const QWheelEvent& event, OsImgPoint at);
  // Ends the figure being drawn click by click, as picking its tool again
  // does; false when no such figure is under way.
  bool FinishFigure();

  // Opens the picture as another document, made active; false (the person
  // told why) when it cannot be read.
  bool OpenPicture(const QString& path);
  // Replaces the session with the sketch or journal at `path`, once its
  // missing pictures are located and the person agrees to give up changes.
  void OpenSketchAt(const QString& path);
  // A picture file as the host's pixels: empty when read, otherwise why not.
  // A PNG file (known by its contents) is read as sketch-replay reads it, and
  // `png` says whether it was one.
  static QString ReadPicture(const QString& path, RgbImage& picture, bool* png = nullptr);
  // Lets Qt's readers make pictures as large as ReadPicture accepts; once, at
  // start-up.
  static void AllowLargestPictures();
  // With the module loaded and a document open (the built-in picture), for
  // the person to go on with after a played script.
  void EnsureSession();
  // The module's view of which entries are greyed, brought into the menus.
  void RefreshMenus();
  // Menus, palette, read-out and cursor after an event; a step the host
  // dropped (`ok` false) is told, and taken out of the recording: it must be
  // the step recorded last.
  void Changed(bool ok);
  // The module sets its cursor, as the window system asks it to whenever the
  // mouse moves; the view shows it. Without memory for it the cursor stays.
  void AskCursor();
  // While a script plays, the view keeps the size the script gives it, the
  // ants do not march and the dialogs take the script's answers, as in
  // sketch-replay.
  void SetPlaying(bool playing);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct MenuEntry {
    QAction* action;
    HMENU menu;
    int position;
    int command;
  };

  void BuildMenus();
  void FillMenu(QMenu* into, HMENU from);
  void Command(int command);
  void ShowCursor();
  void UpdateReadout();
  // `pngPath`: the file a replay can read the picture from, or empty.
  void Open(RgbImage picture, const std::string& name, const std::string& pngPath);
  std::string UniqueName(const std::string& name) const;
  // The studio's own entries: sketches, exports and recording, editing, the
  // view's zoom and grid.
  void AddOwnEntries();
  void AddEditEntries(QMenu* edit);
  void AddViewEntries(QMenu* view);
  OsImgPoint ViewCentre() const;
  // The read-out shows the pointer's image coordinates while no gesture runs.
  void ShowPointer(std::optional<OsImgPoint> at);
  void UpdateZoomReadout();
  // True when none of them has changes not saved, or the person had them
  // saved, or agreed to lose them.
  bool MayDiscard(const std::vector<HostDocument*>& documents);
  // One tab a document, the active one current, and the title after it.
  void SyncTabs();
  // The scroll bars after the view's origin and zoom; and the origin after
  // the person moved a scroll bar.
  void SyncScrollBars();
  void Scrolled();
  // File ▸ Save, Save As, Open Sketch and Open Recent: false when nothing
  // was saved (the person was told why, or cancelled).
  bool SaveCurrent();
  bool SaveSketchAs();
  void OpenSketchFile();
  void FillRecent(QMenu* menu);
  // Asks where each missing picture is now; false, with `file` as it was,
  // when the person cancels.
  bool LocatePictures(SessionFile& file);
  // File ▸ Open, asking for the picture.
  void OpenPictureFile();

  Host fHost;
  std::unique_ptr<StudioDialogs> fDialogs;
  std::string fLoadError;
  std::string fModulePath;
  std::vector<MenuEntry> fEntries;
  DocumentView* fView = nullptr;
  ToolPalette* fPalette = nullptr;
  QLabel* fReadout = nullptr;
  // The pointer over the view, in image coordinates, for the read-out.
  std::optional<OsImgPoint> fPointerAt;
  QLabel* fZoom = nullptr;
  QLabel* fNoJournal = nullptr;
  QPoint fWheelRest;
  QAction* fDelete = nullptr;
  QAction* fSelectAll = nullptr;
  QTabBar* fTabs = nullptr;
  QAction* fGrid = nullptr;
  QScrollBar* fHScroll = nullptr;
  QScrollBar* fVScroll = nullptr;
  bool fSyncingScroll = false;
  bool fSyncingTabs = false;
  SessionOutput fOutput;
  QString fProfilePath;
  StudioSettings fSettings;
  QString fDataFolder;
  // The sketch file the session was last saved as or opened from, or empty.
  QString fSketchPath;
  UnsavedChanges fUnsaved;
  std::size_t fBeepsHeard = 0;
  bool fClosing = false;
  bool fPlaying = false;
  // Whether the menus were last built with the module's menu in them.
  bool fMenusHaveModule = false;
};
