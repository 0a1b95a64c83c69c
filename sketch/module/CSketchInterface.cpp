#include "module/CSketchInterface.h"

#include <cstdio>
#include <new>

#include "BView.h"
#include "OsResources.h"
#include "TFWCommands.h"
#include "container/TObjectContainer.h"
#include "container/TSketchMemo.h"
#include "module/CSketchDocument.h"
#include "raster/SketchDisplay.h"
#include "raster/SketchRaster.h"
#include "resources/SketchResources.h"
#include "ui/CPolygonOptionView.h"

std::int16_t gCurrentTool = -1;

namespace {

constexpr const char* kSection = "Sketch";
constexpr const char* kToolKey = "CurrentTool";

// The zoom tool's cursor shows which way a click would zoom; 0 for a state
// that has no cursor.
unsigned ZoomCursor(unsigned neutral, int zoomState) {
  switch (zoomState) {
    case TFWCZoom::kZoomNone: return neutral;
    case TFWCZoom::kZoomIn: return IDCUR_MAGNIFIER_PLUS;
    case TFWCZoom::kZoomOut: return IDCUR_MAGNIFIER_MINUS;
    default: return 0;
  }
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

BModuleInterface& SketchInterface() { return gModuleInterface; }

void SketchRestorePress(TObjectContainer& container) { gModuleInterface.RestorePress(container); }

CSketchInterface::CSketchInterface() : fLastMouseTool(gCurrentTool) {
  fPaletteDescription.modeButtonBitmaps[0] = IDB_MODE_BUTTON;
  fPaletteDescription.modeButtonBitmaps[1] = IDB_MODE_BUTTON_SELECTED;
  fPaletteDescription.modeButtonWidth = kModeButtonSize;
  fPaletteDescription.modeButtonHeight = kModeButtonSize;
  fPaletteDescription.modeButtonBits = 8;
  fPaletteDescription.toolBitmaps[0] = IDB_TOOL_PALETTE;
  fPaletteDescription.toolBitmaps[1] = IDB_TOOL_PALETTE_SELECTED;
  fPaletteDescription.toolPaletteWidth = kToolPaletteWidth;
  fPaletteDescription.toolPaletteHeight = kToolPaletteHeight;
  fPaletteDescription.toolPaletteBits = 8;
  fPaletteDescription.columns = kToolColumns;
  fPaletteDescription.rows = kToolRows;
  fPaletteDescription.tools = kToolButtons;
  fPaletteDescription.flag = 1;
  fCurrentTool = kToolRectangle;
  fDispColor = ID_DISPLAY_INVERTED;
  fDispSwitch = ID_DISPLAY_SHOW;
  if (TObjectContainer::fClipContainer == nullptr) TObjectContainer::fClipContainer = new (std::nothrow) BList;
}

CSketchInterface::~CSketchInterface() {
  if (fCursor != nullptr) {
    DestroyCursor(fCursor);
    fCursor = nullptr;
  }
  if (TObjectContainer::fClipContainer != nullptr) {
    TObjectContainer::fClipContainer->DeleteAll();
    delete TObjectContainer::fClipContainer;
    TObjectContainer::fClipContainer = nullptr;
  }
  SketchDeleteRaster();
  DestroyPaletteWindows();
}

BView* CSketchInterface::CurrentView() const {
  return fHostContext != nullptr ? fHostContext->GetCurrentView() : nullptr;
}

TObjectContainer* CSketchInterface::ContainerOf(BView* view) const {
  if (view == nullptr || view->GetDocument() == nullptr) return nullptr;
  auto* sketch = dynamic_cast<CSketchDocument*>(view->GetDocument()->GetModuleDocument(fModuleID));
  return sketch != nullptr ? sketch->fContainer : nullptr;
}

void CSketchInterface::IModuleInterface(BModuleInterfaces* interfaces) {
  BModuleInterface::IModuleInterface(interfaces);
  if (fInterfaces != nullptr) fHostContext = fInterfaces->fHostContext;
  DestroyPaletteWindows();
  // The raster stays allocated even when its pixels could not be: then the
  // preferences are not read and the tool stays as constructed.
  if (SketchCreateRaster() != 0) ReadPreferences();
}

void CSketchInterface::InitFloatingPalettes(CWnd* frame, RECT frameRect, CWnd* optionParent, RECT optionRect) {
  BModuleInterface::InitFloatingPalettes(frame, frameRect, optionParent, optionRect);
  // The option set owns the palette from here on; the module keeps no pointer.
  if (auto* palette = new (std::nothrow) CPolygonOptionView(optionParent)) {
    palette->IToolOptionView(this);
    fToolOption.AddView(palette);
  }
  fToolOption.ReadPreferences(kSection);
}

int CSketchInterface::DoModeChange(int on) {
  if (fToolPalette != nullptr) {
    CWnd* parent = CWnd::FromHandle(fToolPalette->GetParent());
    const UINT keep = SWP_NOSIZE | SWP_NOZORDER;
    if (on) {
      fToolPalette->SetWindowPos(nullptr, fPaletteMargin[0], fPaletteMargin[1], 0, 0, keep | SWP_SHOWWINDOW);
    } else {
      fToolPalette->SetWindowPos(nullptr, -999, fPaletteMargin[1], 0, 0, keep | SWP_HIDEWINDOW);
    }
    if (on && parent != nullptr) {
      RECT palette, window, client;
      fToolPalette->GetClientRect(&palette);
      parent->GetWindowRect(&window);
      parent->GetClientRect(&client);
      const int width =
          palette.right + fPaletteMargin[0] + fPaletteMargin[2] + ((window.right - window.left) - client.right);
      const int height =
          palette.bottom + fPaletteMargin[1] + fPaletteMargin[3] + ((window.bottom - window.top) - client.bottom);
      parent->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
  }
  if (on && fHostContext != nullptr) fHostContext->ActivateModule(this);
  DoToolChange(fCurrentTool, on);
  BModuleInterface::DoModeChange(on);
  return 1;
}

int CSketchInterface::DoToolChange(short tool, int on) {
  if (on == 0) {
    fToolOption.ShowView(-1);
    return 1;
  }
  if (IsTransformTool(gCurrentTool) && !IsTransformTool(tool) && gActiveView != nullptr) {
    if (TObjectContainer* c = ContainerOf(gActiveView)) c->DrawCenter(0);
  }
  const SketchTool* row = FindSketchTool(tool);
  const int option = row != nullptr ? row->optionPalette : -1;
  if (IsTransformTool(tool) && gActiveView != nullptr && !IsTransformTool(gCurrentTool)) {
    if (TObjectContainer* c = ContainerOf(gActiveView)) {
      c->CalcActArea();
      c->DrawCenter(1);
    }
  }
  fCurrentTool = tool;
  gCurrentTool = tool;
  LoadModuleCursor(tool);
  fToolOption.ShowView(option);
  if (TObjectContainer* c = ContainerOf(CurrentView())) c->Terminate();
  SketchUpdateView(gActiveView, 0);
  return 1;
}

short CSketchInterface::CheckKey(const OsImgPoint&, char* zoomState) {
  const bool alt = KeyDown(VK_MENU), space = KeyDown(VK_SPACE), ctrl = KeyDown(VK_CONTROL);
  using Zoom = TFWCZoom;
  fZoomState = Zoom::kZoomNone;
  int temporary = -1;
  if (space && ctrl) {
    temporary = kToolZoom;
    fZoomState = alt ? Zoom::kZoomOut : Zoom::kZoomIn;
  } else if (space && alt) {
    temporary = kToolZoom;
    fZoomState = Zoom::kZoomOut;
  } else if (space) {
    temporary = kToolHand;
  }
  if (zoomState != nullptr) *zoomState = static_cast<char>(fZoomState);
  const short tool = temporary >= 0 ? SetTempTool(static_cast<short>(temporary)) : ResetTempTool();
  fCurrentTool = tool;
  if (tool == kToolZoom) {
    if (BView* view = CurrentView()) {
      const float z = view->GetZoom().fZoomX;
      if (fZoomState == Zoom::kZoomNone) {
        if (!alt && z < Zoom::kMaxZoom) fZoomState = Zoom::kZoomIn;
        if (alt && z > Zoom::kMinZoom) fZoomState = Zoom::kZoomOut;
      } else if (fZoomState == Zoom::kZoomIn && z >= Zoom::kMaxZoom) {
        fZoomState = Zoom::kZoomNone;
      } else if (fZoomState == Zoom::kZoomOut && z <= Zoom::kMinZoom) {
        fZoomState = Zoom::kZoomNone;
      }
    }
  }
  return tool;
}

void CSketchInterface::DoKeyEvent(int key, int keyData, int down) {
  // The modifier keys pick temporary tools: the cursor follows them at once,
  // on the way down and on the way up.
  if (down == 0 && keyData >= 0) return;
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_SPACE) DoSetCursor({0, 0}, nullptr);
}

void CSketchInterface::DoSetCursor(OsImgPoint, void*) {
  const DWORD pos = GetMessagePos();
  const OsImgPoint point{static_cast<std::int32_t>(pos & 0xFFFF), static_cast<std::int32_t>(pos >> 16)};
  const short tool = CheckKey(point, nullptr);
  if (tool >= 0) LoadModuleCursor(tool);
  if (fCursor != nullptr) ::SetCursor(fCursor);
}

void CSketchInterface::LoadModuleCursor(int tool) {
  if (fCursor != nullptr) DestroyCursor(fCursor);
  fCursor = nullptr;
  const SketchTool* row = FindSketchTool(tool);
  if (row == nullptr) return;
  const unsigned cursor = tool == kToolZoom ? ZoomCursor(row->cursor, fZoomState) : row->cursor;
  if (cursor != 0) fCursor = LoadCursor(SketchInstance(), cursor);
}

int CSketchInterface::SetModuleMenu(HMENU menuBar) {
  HMENU menu = LoadMenu(SketchInstance(), IDR_SKETCH_MENU);
  if (menu == nullptr) return 1;
  // The display pop-ups belong to the host's own menus.
  for (int i = 0; i < 3; ++i) DeleteMenu(menu, 3, MF_BYPOSITION);
  // Sixteen characters of title, in UTF-8 up to four bytes each.
  char title[16 * 4];
  LoadString(SketchInstance(), IDS_SKETCH_MENU, title, sizeof title);
  if (!InsertMenu(menuBar, static_cast<UINT>(FindModuleMenuPosition(menuBar)), MF_BYPOSITION | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(menu), title)) {
    DestroyMenu(menu);
  }
  return 1;
}

int CSketchInterface::ResetModuleMenu(HMENU menuBar) {
  DeleteMenu(menuBar, static_cast<UINT>(FindModuleMenuPosition(menuBar)), MF_BYPOSITION);
  return 1;
}

void CSketchInterface::DoSetupMenus() {
  BModuleInterface::DoSetupMenus();
  CWnd* main = AfxGetMainWnd();
  HMENU menu = main != nullptr ? main->GetMenu() : nullptr;
  if (menu == nullptr) return;
  EnableMenuItem(menu, ID_EDIT_COPY, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(menu, ID_EDIT_CUT, MF_BYCOMMAND | MF_ENABLED);
  // Ours, beside the standard ones: enabled as Cut is, whatever is selected.
  EnableMenuItem(menu, ID_EDIT_CLEAR, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(menu, ID_EDIT_SELECT_ALL, MF_BYCOMMAND | MF_ENABLED);
  const BList* clip = TObjectContainer::fClipContainer;
  const bool empty = clip != nullptr && clip->GetCount() == 0;
  EnableMenuItem(menu, ID_EDIT_PASTE, MF_BYCOMMAND | (empty ? MF_GRAYED : MF_ENABLED));
}

void CSketchInterface::ReadPreferences() {
  const CString text = AfxGetApp()->GetProfileString(kSection, kToolKey, "");
  short tool = 0;
  if (std::sscanf(text, "%hd", &tool) == 1) fCurrentTool = tool;
}

void CSketchInterface::WritePreferences() {
  CString text;
  text.Format("%d", fCurrentTool);
  AfxGetApp()->WriteProfileString(kSection, kToolKey, text);
  fToolOption.WritePreferences(kSection);
}

BModuleDocument* CSketchInterface::CreateModuleDocument(BDocument*) { return new (std::nothrow) CSketchDocument; }

void CSketchInterface::SetActiveView(BView* view) {
  gActiveView = view;
  if (view == nullptr) return;
  TObjectContainer* c = ContainerOf(view);
  if (c != nullptr) {
    c->AttachView(view);
    if (IsTransformTool(fCurrentTool)) c->DrawCenter(1);
  }
  SketchUpdateView(gActiveView, 0);
}

void CSketchInterface::RepaintRequest(CDC* dc, BView* view) {
  BView* const activeView = gActiveView;
  CDC* const repaintDC = gRepaintDC;
  gActiveView = view;
  gRepaintDC = dc;
  SketchMarkDirty();
  RECT client;
  if (view != nullptr) view->GetWindow()->GetClientRect(&client);
  // The raster is screen-sized and shared by every view: what was drawn since the
  // last composition may lie beyond this view's client area, and must not be
  // left behind for a larger view to show.
  const OsImgRect drawn = gSketchDirtyRect;
  gSketchDirtyRect = {0, 0, client.right, client.bottom};
  SketchUpdateView(view, 1);
  if (view != nullptr) SketchClearRect(gSketchRaster, drawn);
  gActiveView = activeView;
  gRepaintDC = repaintDC;
}
