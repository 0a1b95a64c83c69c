#pragma once
// The base of a module's interface object: the host drives a module through
// these virtual operations, in this slot order, and keeps the state a module
// shares with it in these members. A module overrides what it handles.

#include <cstdint>

#include "BHostServices.h"
#include "CToolOption.h"
#include "HostCommands.h"
#include "OsAfx.h"
#include "OsAfxWin.h"
#include "OsGdi.h"
#include "OsMenu.h"

class BCommand;
class BDocument;
class BModuleDocument;
class BView;

class BModuleInterface {
 public:
  BModuleInterface() = default;
  BModuleInterface(const BModuleInterface&) = delete;
  BModuleInterface& operator=(const BModuleInterface&) = delete;

  // 0
  virtual ~BModuleInterface();
  // 1-5: dependency bookkeeping, unused by the host's modules.
  virtual void* GetDependencySpace() { return nullptr; }
  virtual void Changed() {}
  virtual void DoUpdate() {}
  virtual void SetMark(int) {}
  virtual int IsMarked() { return 0; }
  // 6-9
  virtual const CRuntimeClass* GetRuntimeClass() const { return &classBModuleInterface; }
  // Hands a command to the host, which performs it once the handler returns.
  virtual void PostCommand(BCommand* command);
  virtual void DoMenuCommand(int command);
  virtual void DoSetupMenus() {}
  // 10-15
  virtual void DPToIP(OsImgSize&) {}
  virtual void DPToIP(OsImgRect&) {}
  virtual void DPToIP(OsImgPoint&) {}
  virtual void IPToDP(OsImgSize&) {}
  virtual void IPToDP(OsImgRect&) {}
  virtual void IPToDP(OsImgPoint&) {}
  // 16-20
  virtual int EvntWindowProc(UINT, std::uintptr_t, std::intptr_t) { return 0; }
  virtual void DoKeyEvent(int /*key*/, int /*keyData*/, int /*down*/) {}
  virtual void DoMouseCommandL(OsImgPoint& /*point*/, int /*flags*/) {}
  virtual void DoMouseCommandM(OsImgPoint& /*point*/, int /*flags*/) {}
  virtual void DoMouseCommandR(OsImgPoint& /*point*/, int /*flags*/) {}
  // 21-30
  virtual void Resize() {}
  virtual void UndoIt() {}
  virtual void RedoIt() {}
  virtual void CommandTerminate() {}
  virtual void TimerEvent() {}
  virtual void MouseEvent() {}
  virtual void MouseMove() {}
  virtual void MouseWheel() {}
  virtual void SetCursor() {}
  virtual void ICommandHandler() {}
  // 31-36
  virtual void IModuleInterface(BModuleInterfaces* interfaces);
  virtual int GetIdentifier() { return 0; }
  virtual int GetModuleParam() { return 0; }
  virtual int GetWaitStatus() { return 0; }
  virtual void SetWaitStatus(int) {}
  virtual CWnd* GetModeButton() { return fModeButton; }
  // 37-43
  virtual void InitFloatingPalettes(CWnd* frame, RECT frameRect, CWnd* optionParent, RECT optionRect);
  virtual int DoModeChange(int on);
  virtual int DoToolChange(short /*tool*/, int /*on*/) { return 1; }
  virtual void DoSetCursor(OsImgPoint /*point*/, void* /*region*/) {}
  virtual void SetActiveView(BView* /*view*/) {}
  virtual int SetModuleMenu(HMENU /*menuBar*/) { return 1; }
  virtual int ResetModuleMenu(HMENU /*menuBar*/) { return 1; }
  // 44-47
  virtual int FindModuleMenuPosition(HMENU menuBar);
  virtual int FindEditMenuPosition(HMENU /*menuBar*/) { return 1; }
  virtual int FindWindowMenuPosition(HMENU menuBar);
  virtual int FindMenuItem(HMENU, UINT) { return -1; }
  // 48-52
  virtual void RepaintRequest(CDC* /*dc*/, BView* /*view*/) {}
  virtual void ChangeViewSize(int, int) {}
  virtual void ReadPreferences() {}
  virtual void WritePreferences() {}
  virtual void SetColor(int) {}
  // 53-58
  virtual void LoadModuleCursor(int /*tool*/) {}
  virtual short CheckKey(const OsImgPoint& /*point*/, char* /*zoomState*/) { return fCurrentTool; }
  virtual BModuleDocument* CreateModuleDocument(BDocument* /*document*/) { return nullptr; }
  virtual void CommandReplicate() {}
  virtual void CommandReplicater(int /*kind*/, OsImgPoint& /*point*/) {}
  virtual void SetCurrentLayer(int) {}

  // A temporary tool (hand or zoom while keys are held): the first call
  // remembers the chosen tool; both return the tool now in force.
  short SetTempTool(short tool);
  short ResetTempTool();

  static const CRuntimeClass classBModuleInterface;

  // Shared with the host.
  std::int16_t fCurrentTool = 0;
  std::uint8_t fZoomState = 0;
  BModuleInterfaces* fInterfaces = nullptr;
  BHostContext* fHostContext = nullptr;
  int fModuleID = 0;
  BHostServices* fHostServices = nullptr;
  BColorService* fColorService = nullptr;
  CWnd* fToolPalette = nullptr;  // owned; made by the host from the description
  CWnd* fModeButton = nullptr;   // owned
  int fPaletteMargin[4] = {4, 4, 4, 4};
  CToolOption fToolOption;
  int fDispSwitch = ID_DISPLAY_SHOW;
  int fDispColor = ID_DISPLAY_INVERTED;
  int fPaletteIndex = 0;
  // Where the host's menu bar takes a module's menu: after the host's File, Edit
  // and View menus, before Window and Help.
  int fModuleMenuPosition = 3;

  // How the host builds the mode button and the tool palette.
  struct PaletteDescription {
    unsigned modeButtonBitmaps[2] = {0, 0};
    int modeButtonWidth = 0, modeButtonHeight = 0, modeButtonBits = 0;
    unsigned toolBitmaps[2] = {0, 0};
    int toolPaletteWidth = 0, toolPaletteHeight = 0, toolPaletteBits = 0;
    int columns = 0, rows = 0, tools = 0;
    int flag = 0;
  } fPaletteDescription;

 protected:
  // Destroys the tool palette and mode button windows when they exist.
  void DestroyPaletteWindows();

 private:
  bool fTempToolActive = false;
  std::int16_t fChosenTool = 0;
};
