#pragma once
// The module's one interface object, through which the host drives it: set-up,
// the mode switch, tools and their cursors, temporary tools from the keyboard,
// the module menu and the edit commands, preferences, and the repaint.

#include <cstdint>
#include <memory>

#include "BModuleInterface.h"
#include "OsWindows.h"
#include "module/ModuleGlobals.h"
#include "module/SketchTools.h"

class BDocument;
class TObjectContainer;
class TSketchMemo;

class CSketchInterface : public BModuleInterface {
 public:
  CSketchInterface();
  ~CSketchInterface() override;

  void DoSetupMenus() override;
  void DoMenuCommand(int command) override;
  void CommandReplicater(int kind, OsImgPoint& point) override;
  void DoKeyEvent(int key, int keyData, int down) override;
  void DoMouseCommandL(OsImgPoint& point, int flags) override;
  void DoMouseCommandM(OsImgPoint&, int) override {}
  void DoMouseCommandR(OsImgPoint&, int) override {}
  void IModuleInterface(BModuleInterfaces* interfaces) override;
  int GetIdentifier() override { return 1; }
  void InitFloatingPalettes(CWnd* frame, RECT frameRect, CWnd* optionParent, RECT optionRect) override;
  int DoModeChange(int on) override;
  int DoToolChange(short tool, int on) override;
  void DoSetCursor(OsImgPoint point, void* region) override;
  void SetActiveView(BView* view) override;
  int SetModuleMenu(HMENU menuBar) override;
  int ResetModuleMenu(HMENU menuBar) override;
  void RepaintRequest(CDC* dc, BView* view) override;
  void ChangeViewSize(int, int) override {}
  void ReadPreferences() override;
  void WritePreferences() override;
  void LoadModuleCursor(int tool) override;
  short CheckKey(const OsImgPoint& point, char* zoomState) override;
  BModuleDocument* CreateModuleDocument(BDocument* document) override;

  // What every handler looks up afresh: the host's current view, its document
  // and the document's figures.
  struct Press {
    BView* view = nullptr;
    BDocument* document = nullptr;
    TObjectContainer* container = nullptr;
  };
  Press Lookup() const;
  // Calls the press handler of the tool in force (kSketchTools) for a press in
  // the view.
  void Dispatch(const Press& press, OsImgPoint& point, int flags);

  // The tool handlers of the left button, one or more tools' each (kSketchTools).
  void DMFD_Arrow(OsImgPoint& point, int flags);
  void DMFD_WhiteArrow(OsImgPoint& point, int flags);
  void DMFP_Hand(OsImgPoint& point, int flags);
  void DMFP_Zoom(OsImgPoint& point, int flags);
  void DMFD_Grow(OsImgPoint& point, int flags);
  void DMFD_Pens(OsImgPoint& point, int flags);
  void DMFD_Scissor(OsImgPoint& point, int flags);
  void DMFD_Join(OsImgPoint& point, int flags);
  void DMFD_AddPt(OsImgPoint& point, int flags);
  void DMFD_DelPt(OsImgPoint& point, int flags);
  void DMFD_EditPt(OsImgPoint& point, int flags);
  void DMFD_Scale(OsImgPoint& point, int flags);
  void DMFD_Rotate(OsImgPoint& point, int flags);

  // The menu command handlers.
  void DMC_ScaleNum(int percent);
  void DMC_RotateNum(int degrees);
  void DMC_Rotate(int command);
  void DMC_HVFlip(int command);
  void DMC_Cut();
  void DMC_Copy();
  void DMC_Paste();
  void DMC_Clear();
  void DMC_SelectAll();
  void DMC_DrawSketch() {}

  static bool IsTransformTool(int tool) { return tool == kToolScale || tool == kToolRotate; }

  // The container of the sketch of a view's document, or null.
  TObjectContainer* ContainerOf(BView* view) const;
  BView* CurrentView() const;

  // SketchRestorePress (ModuleGlobals.h), from the memo of the last press,
  // which the next press replaces.
  void RestorePress(TObjectContainer& container);

  int fLastMouseTool;
  HCURSOR fCursor = nullptr;
  std::unique_ptr<TSketchMemo> fPressMemo;

 private:
  // Runs a press's handler, keeping the memo that RestorePress brings back.
  template <typename Handle>
  void Pressed(const Press& press, Handle handle);
  void StartSelect(const Press& p, OsImgPoint& point, int mode);
  void StartClone(const Press& p, OsImgPoint& point);
};

// The interface object itself, exported under its plain name.
extern "C" CSketchInterface gModuleInterface;
