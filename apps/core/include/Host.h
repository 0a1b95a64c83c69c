#pragma once
// The replacement editor that runs the module: its documents and views, their
// painting, the menu bar, the colour table, the key state, the coordinate
// read-out and the message boxes. It drives the module only through the
// interface object and what the module exports.
//
// No call lets the module's memory exception out. A call that runs module code
// returns false when memory ran out there: what the call was doing was dropped
// whole (a gesture from its press, a command with what it posted, a repaint
// left as far as it got) and host and module are as consistent as before it.
// docs/host-calls.md says why.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BCommand.h"
#include "BDocument.h"
#include "BHistory.h"
#include "BHostServices.h"
#include "BModuleInterface.h"
#include "BTrackingLoop.h"
#include "BView.h"
#include "HostDialogs.h"
#include "ModuleLoader.h"
#include "PngFile.h"

struct HostDocument {
  explicit HostDocument(const std::string& name) : document(name) {}
  BDocument document;
  RgbImage picture;
  BView view;
  RgbImage frame;  // the view's pixels as last painted
  // Last, so that it goes first: its steps hold the module's objects.
  BHistory history;
};

class Host final : public BHostContext, public BHostServices, public BColorService {
 public:
  static constexpr int kModuleId = 1;
  static constexpr std::array<std::uint8_t, 3> kOutsideColour{96, 96, 96};

  Host();
  ~Host() override;

  // The module: entry, identification, IModuleInterface, palettes, menu.
  // Empty when it loaded, otherwise why not.
  std::string Load(const std::string& path = ModuleLoader::DefaultPath());
  // WritePreferences, ResetModuleMenu, documents destroyed, library unloaded;
  // unloaded even when it returns false (preferences left partly written).
  bool Unload();
  bool IsLoaded() const { return fLoader.IsLoaded(); }
  BModuleInterface* Module() const { return fLoader.Interface(); }
  const ModuleLoader& Loader() const { return fLoader; }
  const std::string& Identification() const { return fIdentification; }

  // Documents, each with one view the size of its picture at 1:1. Opening one
  // makes it active; null, with nothing opened, when memory ran out.
  HostDocument* OpenDocument(const std::string& name, RgbImage picture);
  HostDocument* Find(const std::string& name) const;
  HostDocument* Active() const { return fActive; }
  const std::vector<std::unique_ptr<HostDocument>>& Documents() const { return fDocuments; }
  bool Activate(HostDocument& doc);
  bool Close(HostDocument& doc);

  bool SetViewSize(HostDocument& doc, int width, int height);
  bool SetZoom(HostDocument& doc, float zoom, float originX, float originY);
  // The picture, scaled from the view's origin, then the sketch over it.
  bool Repaint(HostDocument& doc);
  // Frame pixel (x, y) takes picture pixel (trunc(x / zoom x + origin x),
  // trunc(y / zoom y + origin y)), or kOutsideColour where that is off the picture.
  static void PaintPicture(const RgbImage& picture, const BZoom& zoom, RgbImage& frame);

  bool Key(int virtualKey, bool down);

  // The left button, as the window system reports it over the active view.
  // A press while the button is held is ignored.
  bool Press(OsImgPoint point);
  bool Move(OsImgPoint point);
  bool Release(OsImgPoint point);
  // Escape while the button is held: the gesture ends where it is and leaves
  // no step (BTrackingLoop::Cancel); the figures are as before the press, the
  // selection as the press left it, the redo list stays, and the active view
  // is repainted. The read-out no longer shows the gesture's size or
  // rectangle. Outside a gesture nothing is done.
  bool Cancel();
  bool IsTracking() const { return fLoop.IsTracking(); }
  // The active document's history; with nothing to undo or redo, nothing is done.
  bool Undo();
  bool Redo();
  // A menu command, and the host's replay of an arrow (0) or white-arrow (1)
  // press; what the module posts runs at once. Ignored while the button is
  // held.
  bool MenuCommand(int command);
  bool Replicate(int kind, OsImgPoint point);
  // Any other call into the module (tools, mode, options, menus, cursor); what
  // it posts runs afterwards. Without a module, nothing is called.
  bool CallModule(const std::function<void(BModuleInterface&)>& call);
  void SetPaletteEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b);

  HMENU MenuBar() const { return fMenuBar; }

  // What the user will do in the next dialog made from that template.
  void QueueAnswer(unsigned dialogTemplate, DialogAnswer answer) { fDialogs.Queue(dialogTemplate, std::move(answer)); }

  // BHostContext
  BView* GetCurrentView() override;
  void ActivateModule(BModuleInterface* module) override;
  void RedrawCurrentView() override;
  void PostCommand(BCommand* command) override;
  // BHostServices
  void ReportPoint(const OsImgPoint* point) override;
  void ReportSize(const OsImgSize* size) override;
  void ReportRect(const OsImgRect* rect) override;
  // BColorService
  OsImgPaletteEntry GetPaletteEntry(int index) override;

  std::optional<OsImgPoint> fReadoutPoint;
  std::optional<OsImgSize> fReadoutSize;
  std::optional<OsImgRect> fReadoutRect;
  std::vector<std::string> fMessages;
  // Where the dashes of the marching ants start along their outline, 0 to 7;
  // a desktop host advances it while they are shown so that they march.
  int fAntPhase = 0;
  HostDialogs fDialogs{fMessages};  // after fMessages, which it writes to

 private:
  void BuildMenuBar();
  void DestroyDocuments();
  void AttachModuleDocument(HostDocument& doc);
  // After loading: IModuleInterface, the palettes, the menu, the documents.
  void SetUpModule();
  // Runs what the module posted during a handler: a tracker starts its gesture,
  // other commands are performed and kept.
  bool RunPosted();
  static void DrawAnts(RgbImage& frame, const OsImgRect& rect, int phase);
  void DropPosted();
  void Paint(HostDocument& doc);

  ModuleLoader fLoader;
  std::string fIdentification;
  BModuleInterfaces fLinks;
  std::vector<std::unique_ptr<HostDocument>> fDocuments;
  HostDocument* fActive = nullptr;
  HMENU fMenuBar = nullptr;
  CWnd fMainWindow;
  CWnd fPaletteFrame;
  CWnd fOptionFrame;
  std::array<OsImgPaletteEntry, 256> fPalette;
  std::vector<std::unique_ptr<BCommand>> fPosted;
  BTrackingLoop fLoop;
  OsImgPoint fLastPoint{};  // of the gesture under way, view pixels
};
