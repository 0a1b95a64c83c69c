#pragma once
// What the host hands a module when it sets it up: the context that knows the
// current view, the coordinate read-out and the colour table.

#include "OsImgTypes.h"

class BCommand;
class BModuleInterface;
class BView;

class BHostContext {
 public:
  virtual ~BHostContext() = default;
  // The view that receives the user's input, or null.
  virtual BView* GetCurrentView() = 0;
  // The module became the active mode.
  virtual void ActivateModule(BModuleInterface* module) = 0;
  // Repaint the current view (after a display setting changed).
  virtual void RedrawCurrentView() = 0;
  // A command for the current document, performed once the handler that posted
  // it returns; the host owns it from then on. A host without a history
  // destroys it.
  virtual void PostCommand(BCommand* command);
};

// The coordinate read-out in the status bar; a null argument clears that report.
class BHostServices {
 public:
  virtual ~BHostServices() = default;
  virtual void ReportPoint(const OsImgPoint* point) = 0;
  virtual void ReportSize(const OsImgSize* size) = 0;
  virtual void ReportRect(const OsImgRect* rect) = 0;
};

class BColorService {
 public:
  virtual ~BColorService() = default;
  virtual OsImgPaletteEntry GetPaletteEntry(int index) = 0;
};

// The host's link, as IModuleInterface receives it.
struct BModuleInterfaces {
  void* fApplication = nullptr;
  BHostContext* fHostContext = nullptr;
  BHostServices* fHostServices = nullptr;
  BColorService* fColorService = nullptr;
};
