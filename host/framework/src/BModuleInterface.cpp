#include "BModuleInterface.h"

#include "BCommand.h"

#include <algorithm>

const CRuntimeClass BModuleInterface::classBModuleInterface = {"BModuleInterface", nullptr};

BModuleInterface::~BModuleInterface() { DestroyPaletteWindows(); }

void BModuleInterface::DestroyPaletteWindows() {
  delete fToolPalette;
  fToolPalette = nullptr;
  delete fModeButton;
  fModeButton = nullptr;
}

void BHostContext::PostCommand(BCommand* command) { delete command; }

void BModuleInterface::PostCommand(BCommand* command) {
  if (fHostContext != nullptr) {
    fHostContext->PostCommand(command);
  } else {
    delete command;
  }
}

void BModuleInterface::DoMenuCommand(int command) {
  switch (command) {
    case ID_DISPLAY_BLACK:
    case ID_DISPLAY_TRANSPARENT:
    case ID_DISPLAY_INVERTED:
    case ID_DISPLAY_PALETTE: fDispColor = command; break;
    case ID_DISPLAY_SHOW:
    case ID_DISPLAY_HIDE: fDispSwitch = command; break;
    default: return;
  }
  if (fHostContext != nullptr) fHostContext->RedrawCurrentView();
}

void BModuleInterface::IModuleInterface(BModuleInterfaces* interfaces) {
  fInterfaces = interfaces;
  fModuleID = GetIdentifier();
  if (interfaces != nullptr) {
    fHostServices = interfaces->fHostServices;
    fColorService = interfaces->fColorService;
  }
}

void BModuleInterface::InitFloatingPalettes(CWnd*, RECT, CWnd*, RECT) {}

int BModuleInterface::DoModeChange(int) { return 1; }

int BModuleInterface::FindWindowMenuPosition(HMENU menuBar) {
  // The host's bar ends with its Window and Help menus.
  const int count = GetMenuItemCount(menuBar);
  return count >= 2 ? count - 2 : 0;
}

int BModuleInterface::FindModuleMenuPosition(HMENU menuBar) {
  // The same place before and after the module's menu is inserted there.
  return std::min(fModuleMenuPosition, std::max(0, GetMenuItemCount(menuBar)));
}

short BModuleInterface::SetTempTool(short tool) {
  if (!fTempToolActive) {
    fChosenTool = fCurrentTool;
    fTempToolActive = true;
  }
  return tool;
}

short BModuleInterface::ResetTempTool() {
  if (!fTempToolActive) return fCurrentTool;
  fTempToolActive = false;
  return fChosenTool;
}
