// The library's outer shell: its entry point, its identification, the exported
// interface object and the module-wide objects built when it is loaded.

#include <cstring>

#include "OsAfxWin.h"
#include "OsResources.h"
#include "module/CSketchInterface.h"
#include "raster/SketchRaster.h"
#include "resources/SketchResources.h"

#define SKETCH_EXPORT __attribute__((visibility("default")))

namespace {
AFX_EXTENSION_MODULE gSketchExtension;
char gIdentification[260];
constexpr char kIdentPrefix[] = "KWB:";
}  // namespace

OsModuleInstance* SketchInstance() { return gSketchExtension.hResource; }

// Static construction, in this order: the dirty rectangle, the interface, the
// palette's notification message.
static const bool gDirtyRectReset = (gSketchDirtyRect = OsImgRect{}, true);

extern "C" {
SKETCH_EXPORT CSketchInterface gModuleInterface;
}

UINT gScrollNotifyMsg = RegisterWindowMessage("PScrollBar_NotifyMessage");

extern "C" SKETCH_EXPORT BOOL DllMain(OsModuleInstance* instance, DWORD reason, void*) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      if (!AfxInitExtensionModule(gSketchExtension, instance)) return 0;
      // The library's resources travel with it, as a resource section would.
      OsAttachResources(instance, &kSketchResources);
      // The chain owns it: the class library frees it when the library ends.
      new CDynLinkLibrary(gSketchExtension);
      return 1;
    case DLL_PROCESS_DETACH:
      AfxTermExtensionModule(gSketchExtension);
      OsAttachResources(instance, nullptr);
      gSketchExtension.hModule = nullptr;
      gSketchExtension.hResource = nullptr;
      return 1;
    default: return 1;
  }
}

extern "C" SKETCH_EXPORT char* IdentifyModuleInterface() {
  std::memcpy(gIdentification, kIdentPrefix, sizeof kIdentPrefix);
  constexpr int kPrefix = sizeof kIdentPrefix - 1;
  LoadString(gSketchExtension.hResource, IDS_MODULE_NAME, gIdentification + kPrefix, 259 - kPrefix);
  return gIdentification;
}
