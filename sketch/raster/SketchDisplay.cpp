#include "raster/SketchDisplay.h"

#include "container/TObjectContainer.h"
#include "module/CSketchDocument.h"
#include "module/ModuleGlobals.h"
#include "raster/SketchRaster.h"

BView* gActiveView = nullptr;
CDC* gRepaintDC = nullptr;

namespace {

// The palette index each display colour blends in; the inverted display needs none.
int BlendIndex(int displayColor, COLORREF textColor) {
  switch (displayColor) {
    case ID_DISPLAY_BLACK: return 255;
    case ID_DISPLAY_TRANSPARENT: return 0;
    case ID_DISPLAY_PALETTE: return SketchInterface().fPaletteIndex;
    default: return static_cast<int>(textColor);
  }
}

TObjectContainer* ContainerOfDocument(BDocument* document) {
  if (document == nullptr) return nullptr;
  auto* sketch = dynamic_cast<CSketchDocument*>(document->GetModuleDocument(SketchInterface().fModuleID));
  return sketch != nullptr ? sketch->fContainer : nullptr;
}

}  // namespace

void SketchUpdateView(BView* view, int composite) {
  if (gSketchDirty == 0 || view == nullptr) return;
  if (composite == 0) {
    // The host repaints before this returns, and the repaint resets the dirty state.
    view->RedrawWindow(nullptr, nullptr, BView::RDW_INVALIDATE | BView::RDW_UPDATENOW);
    return;
  }
  if (TObjectContainer* container = ContainerOfDocument(view->GetDocument())) {
    OsImgRect r = gSketchDirtyRect;
    if (gActiveView != nullptr) gActiveView->GetEventHandler()->DPToIP(r);
    container->Draw(r);
  }
  SketchComposite(view, gSketchRaster);
  SketchClearRect(gSketchRaster, gSketchDirtyRect);
  SketchResetDirty();
}

void SketchComposite(BView*, DibImage* raster) {
  const BModuleInterface& module = SketchInterface();
  if (module.fDispSwitch == ID_DISPLAY_HIDE || raster == nullptr) return;
  CDC* dc = gRepaintDC;
  OsImgSize size;
  raster->GetSize(size);

  CDC memory;
  memory.Attach(CreateCompatibleDC(dc != nullptr ? dc->m_hDC : nullptr));
  HBITMAP old = memory.SelectObject(raster->GetBitmap());
  HDC attributes = dc != nullptr ? dc->m_hAttribDC : nullptr;
  const COLORREF text = GetTextColor(attributes);
  const COLORREF background = GetBkColor(attributes);

  if (module.fDispColor == ID_DISPLAY_INVERTED) {
    if (dc != nullptr) {
      dc->SetTextColor(RGB(255, 255, 255));
      dc->SetBkColor(RGB(0, 0, 0));
      dc->BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCINVERT);
    }
  } else {
    const int index = BlendIndex(module.fDispColor, text);
    // Black out the view under the ink, then paint the ink's colour into the
    // black through a colour table whose set entry is that colour.
    if (dc != nullptr) dc->BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCERASEAND);
    memory.SelectObject(old);
    RGBQUAD kept[2];
    raster->GetColorTable(kept, 2);
    RGBQUAD blend[2] = {{0, 0, 0, 0}, {0, 0, 0, 0}};
    if (module.fColorService != nullptr) {
      const OsImgPaletteEntry e = module.fColorService->GetPaletteEntry(index);
      blend[1] = {e.c3, e.c2, e.c1, 0};
    }
    raster->SetColorTable(blend, 2);
    memory.SelectObject(raster->GetBitmap());
    if (dc != nullptr) dc->BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCPAINT);
    memory.SelectObject(old);
    raster->SetColorTable(kept, 2);
    memory.SelectObject(raster->GetBitmap());
  }
  if (dc != nullptr) {
    dc->SetTextColor(text);
    dc->SetBkColor(background);
  }
  memory.SelectObject(old);
}

extern "C" int SketchCalcActRegion(BRegion* region, BDocument* document) {
  TObjectContainer* container = ContainerOfDocument(document);
  if (container == nullptr) return 1;
  BView* view = container->GetView();
  BZoom previous;
  if (view != nullptr) previous = view->GetZoom().SetZoom(BZoom());
  container->CalcActRgn();
  if (region != nullptr) region->CopyRegion(container->fActRegion);
  if (view != nullptr) view->GetZoom().SetZoom(previous);
  return 1;
}
