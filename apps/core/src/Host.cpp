#include "Host.h"

#include <algorithm>
#include <cstring>

#include "BAnt.h"
#include "HostCommands.h"
#include "OsAfxWin.h"
#include "OsPlatformHost.h"
#include "TFWCommands.h"

namespace {

// The host's own menus. The module's menu goes before the last two (Window and
// Help); the display commands live in the View menu, since the module leaves
// them to the host.
struct MenuSpec {
  const char* text;
  UINT id;
};

void AddPopup(HMENU bar, const char* title, std::initializer_list<MenuSpec> items) {
  HMENU popup = CreateMenu();
  for (const MenuSpec& item : items) {
    if (item.text == nullptr) {
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenu(popup, MF_STRING, item.id, item.text);
    }
  }
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
}

// Runs module code: false when it ran out of memory.
template <typename Work>
bool Guarded(Work&& work) {
  try {
    work();
    return true;
  } catch (const CMemoryException&) {
    return false;
  }
}

}  // namespace

Host::Host() {
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(255 - i);
    fPalette[static_cast<std::size_t>(i)] = {v, v, v};
  }
  fLinks.fHostContext = this;
  fLinks.fHostServices = this;
  fLinks.fColorService = this;
  BuildMenuBar();
  fMainWindow.OsSetMenu(fMenuBar);
  fMainWindow.OsPlace(0, 0, 1024, 768, 4, 4);
  fPaletteFrame.OsPlace(900, 100, 60, 180, 3, 12);
  fOptionFrame.OsPlace(900, 320, 120, 60, 3, 12);
  AfxGetApp()->m_pMainWnd = &fMainWindow;
}

Host::~Host() {
  Unload();
  DestroyDocuments();
  AfxGetApp()->m_pMainWnd = nullptr;
  DestroyMenu(fMenuBar);
}

void Host::BuildMenuBar() {
  fMenuBar = CreateMenu();
  AddPopup(fMenuBar, "ﾌｧｲﾙ(&F)",
           {{"開く(&O)...", ID_FILE_OPEN}, {"閉じる(&C)", ID_FILE_CLOSE}, {nullptr, 0}, {"終了(&X)", ID_APP_EXIT}});
  AddPopup(fMenuBar, "編集(&E)",
           {{"元に戻す(&U)", ID_EDIT_UNDO},
            {"やり直し(&R)", ID_EDIT_REDO},
            {nullptr, 0},
            {"切り取り(&T)", ID_EDIT_CUT},
            {"ｺﾋﾟｰ(&C)", ID_EDIT_COPY},
            {"貼り付け(&P)", ID_EDIT_PASTE}});
  AddPopup(fMenuBar, "表示(&V)",
           {{"黒色(&B)", ID_DISPLAY_BLACK},
            {"透過色(&T)", ID_DISPLAY_TRANSPARENT},
            {"反転色(&R)", ID_DISPLAY_INVERTED},
            {"ﾊﾟﾚｯﾄ色(&P)", ID_DISPLAY_PALETTE},
            {nullptr, 0},
            {"表示(&S)", ID_DISPLAY_SHOW},
            {"非表示(&H)", ID_DISPLAY_HIDE}});
  AddPopup(fMenuBar, "ｳｨﾝﾄﾞｳ(&W)", {{"並べて表示(&T)", ID_WINDOW_CASCADE}});
  AddPopup(fMenuBar, "ﾍﾙﾌﾟ(&H)", {{"ﾊﾞｰｼﾞｮﾝ情報(&A)", ID_APP_ABOUT}});
}

std::string Host::Load(const std::string& path) {
  if (IsLoaded()) return {};
  if (std::string error = fLoader.Load(path); !error.empty()) return error;
  fIdentification = fLoader.Identify();
  if (!Guarded([this] { SetUpModule(); })) {
    Unload();
    return "out of memory while loading the module";
  }
  return {};
}

void Host::SetUpModule() {
  BModuleInterface* module = Module();
  module->IModuleInterface(&fLinks);
  // The host makes the module's tool palette and mode button from its
  // description; the interface owns them from then on.
  auto* palette = new CWnd;
  const auto& d = module->fPaletteDescription;
  palette->OsPlace(-999, 0, d.toolPaletteWidth, d.toolPaletteHeight);
  palette->OsSetParent(&fPaletteFrame);
  module->fToolPalette = palette;
  auto* button = new CWnd;
  button->OsPlace(0, 0, d.modeButtonWidth, d.modeButtonHeight);
  module->fModeButton = button;
  RECT frame, option;
  fPaletteFrame.GetClientRect(&frame);
  fOptionFrame.GetClientRect(&option);
  module->InitFloatingPalettes(&fPaletteFrame, frame, &fOptionFrame, option);
  module->SetModuleMenu(fMenuBar);
  for (auto& doc : fDocuments) AttachModuleDocument(*doc);
  if (fActive != nullptr) module->SetActiveView(&fActive->view);
}

bool Host::Unload() {
  if (!IsLoaded()) return true;
  BModuleInterface* module = Module();
  // Each part goes on when one before it ran out of memory: the module must go.
  bool ok = Guarded([module] { module->WritePreferences(); });
  ok = Guarded([this, module] { module->ResetModuleMenu(fMenuBar); }) && ok;
  ok = Guarded([module] { module->SetActiveView(nullptr); }) && ok;
  DestroyDocuments();
  fLoader.Unload();
  return ok;
}

void Host::DestroyDocuments() {
  fLoop.Abandon();
  DropPosted();
  fActive = nullptr;
  fDocuments.clear();
}

void Host::AttachModuleDocument(HostDocument& doc) {
  BModuleInterface* module = Module();
  if (module == nullptr || doc.document.GetModuleDocument(kModuleId) != nullptr) return;
  BModuleDocument* sketch = module->CreateModuleDocument(&doc.document);
  if (sketch == nullptr) return;
  doc.document.SetModuleDocument(kModuleId, sketch);
  sketch->InitDocument(&doc.document);
}

HostDocument* Host::OpenDocument(const std::string& name, RgbImage picture) {
  auto doc = std::make_unique<HostDocument>(name);
  doc->picture = std::move(picture);
  doc->view.OsSetDocument(&doc->document);
  doc->view.OsSetRepaint([this, raw = doc.get()](BView&) { Repaint(*raw); });
  doc->view.OsSetPost([this](BCommand* command) { PostCommand(command); });
  HostDocument* raw = doc.get();
  fDocuments.push_back(std::move(doc));
  SetViewSize(*raw, raw->picture.width, raw->picture.height);
  // Without its sketch the document is no document of the module's: it goes
  // again before the module is told of its view.
  if (!Guarded([this, raw] { AttachModuleDocument(*raw); })) {
    fDocuments.pop_back();
    return nullptr;
  }
  Activate(*raw);
  return raw;
}

HostDocument* Host::Find(const std::string& name) const {
  for (const auto& doc : fDocuments) {
    if (doc->document.fName == name) return doc.get();
  }
  return nullptr;
}

bool Host::Activate(HostDocument& doc) {
  bool ok = true;
  // A gesture belongs to the document it began in: switching away ends it
  // there at the last point, as a window that loses the mouse capture does,
  // rather than letting its release land in the other document's history.
  if (fActive != nullptr && fActive != &doc && fLoop.IsTracking()) ok = fLoop.End(fLastPoint, &fActive->history);
  fActive = &doc;
  ok = CallModule([&doc](BModuleInterface& module) { module.SetActiveView(&doc.view); }) && ok;
  return Repaint(doc) && ok;
}

bool Host::Close(HostDocument& doc) {
  bool ok = true;
  const bool wasActive = fActive == &doc;
  if (wasActive) {
    fLoop.Abandon();
    fActive = nullptr;
    ok = CallModule([](BModuleInterface& module) { module.SetActiveView(nullptr); });
  }
  fDocuments.erase(
      std::remove_if(fDocuments.begin(), fDocuments.end(), [&doc](const auto& d) { return d.get() == &doc; }),
      fDocuments.end());
  if (wasActive && !fDocuments.empty()) ok = Activate(*fDocuments.back()) && ok;
  return ok;
}

bool Host::SetViewSize(HostDocument& doc, int width, int height) {
  doc.view.GetWindow()->OsPlace(0, 0, width, height);
  doc.frame = RgbImage(width, height);
  return Repaint(doc);
}

bool Host::SetZoom(HostDocument& doc, float zoom, float originX, float originY) {
  doc.view.GetZoom() = BZoom(zoom, zoom, originX, originY);
  return Repaint(doc);
}

void Host::PaintPicture(const RgbImage& picture, const BZoom& z, RgbImage& frame) {
  if (frame.width <= 0 || frame.height <= 0) return;
  const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
  // The same for every row: stretches of frame columns that show consecutive
  // picture columns (one stretch per row at zoom 1), and columns off the
  // picture (from -1).
  struct Stretch {
    int x, from, count;
  };
  std::vector<Stretch> stretches;
  for (int x = 0; x < frame.width; ++x) {
    int ix = OsTruncToInt(x / static_cast<double>(z.fZoomX) + z.fOriginX);
    if (ix < 0 || ix >= picture.width) ix = -1;
    if (!stretches.empty()) {
      Stretch& last = stretches.back();
      if ((ix >= 0 && last.from >= 0 && ix == last.from + last.count) || (ix < 0 && last.from < 0)) {
        ++last.count;
        continue;
      }
    }
    stretches.push_back({x, ix, 1});
  }
  int previous = -1;
  for (int y = 0; y < frame.height; ++y) {
    std::uint8_t* out = frame.At(0, y);
    const int iy = OsTruncToInt(y / static_cast<double>(z.fZoomY) + z.fOriginY);
    const bool inside = iy >= 0 && iy < picture.height;
    // Rows that show the same picture row are the same row.
    if (y > 0 && inside && iy == previous) {
      std::memcpy(out, out - rowBytes, rowBytes);
      continue;
    }
    previous = inside ? iy : -1;
    for (const Stretch& s : stretches) {
      std::uint8_t* to = out + static_cast<std::size_t>(s.x) * 3;
      if (inside && s.from >= 0) {
        std::memcpy(to, picture.At(s.from, iy), static_cast<std::size_t>(s.count) * 3);
      } else {
        for (int k = 0; k < s.count; ++k) std::copy_n(kOutsideColour.data(), 3, to + k * 3);
      }
    }
  }
}

bool Host::Repaint(HostDocument& doc) {
  return Guarded([this, &doc] { Paint(doc); });
}

void Host::Paint(HostDocument& doc) {
  RgbImage& frame = doc.frame;
  PaintPicture(doc.picture, doc.view.GetZoom(), frame);
  BModuleInterface* module = Module();
  if (module == nullptr) return;
  {
    CDC dc;
    dc.Attach(OsCreateBufferDC(frame.pixels.data(), frame.width, frame.height, frame.width * 3));
    module->RepaintRequest(&dc, &doc.view);
  }
  if (const BAnt* ants = doc.view.fShownAnt) {
    OsImgRect r = ants->GetRect();
    doc.view.GetEventHandler()->IPToDP(r);
    DrawAnts(frame, r, fAntPhase);
  }
}

void Host::DrawAnts(RgbImage& frame, const OsImgRect& r, int phase) {
  // Four pixels black, four white, along the outline of the rectangle.
  const auto put = [&frame, phase](long long x, long long y, long long step) {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return;
    const std::uint8_t v = ((step + phase) / 4) % 2 == 0 ? 0 : 255;
    std::uint8_t* px = frame.At(static_cast<int>(x), static_cast<int>(y));
    px[0] = px[1] = px[2] = v;
  };
  const long long l = r.left, t = r.top, rr = r.right, b = r.bottom;
  long long step = 0;
  for (long long x = std::max<long long>(l, -1); x <= std::min<long long>(rr, frame.width); ++x, ++step) {
    put(x, t, step);
    put(x, b, step);
  }
  step = 0;
  for (long long y = std::max<long long>(t, -1); y <= std::min<long long>(b, frame.height); ++y, ++step) {
    put(l, y, step);
    put(rr, y, step);
  }
}

bool Host::Key(int virtualKey, bool down) {
  OsSetKeyDown(virtualKey, down);
  // Bit 31 of the key data marks the key going up.
  const int data = down ? 0 : static_cast<int>(0x80000000u);
  return CallModule([=](BModuleInterface& module) { module.DoKeyEvent(virtualKey, data, down ? 1 : 0); });
}

bool Host::MenuCommand(int command) {
  // While the button is held the gesture has the input to itself.
  if (fLoop.IsTracking()) return true;
  return CallModule([command](BModuleInterface& module) { module.DoMenuCommand(command); });
}

bool Host::Replicate(int kind, OsImgPoint point) {
  if (fLoop.IsTracking()) return true;
  return CallModule([kind, &point](BModuleInterface& module) { module.CommandReplicater(kind, point); });
}

void Host::SetPaletteEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  if (index >= 0 && index < 256) fPalette[static_cast<std::size_t>(index)] = {r, g, b};
}

BView* Host::GetCurrentView() { return fActive != nullptr ? &fActive->view : nullptr; }

void Host::ActivateModule(BModuleInterface*) {}

void Host::RedrawCurrentView() {
  if (fActive != nullptr) Repaint(*fActive);
}

void Host::ReportPoint(const OsImgPoint* point) {
  fReadoutPoint = point != nullptr ? std::optional(*point) : std::nullopt;
}

void Host::ReportSize(const OsImgSize* size) { fReadoutSize = size != nullptr ? std::optional(*size) : std::nullopt; }

void Host::ReportRect(const OsImgRect* rect) { fReadoutRect = rect != nullptr ? std::optional(*rect) : std::nullopt; }

OsImgPaletteEntry Host::GetPaletteEntry(int index) {
  return fPalette[static_cast<std::size_t>(std::clamp(index, 0, 255))];
}

void Host::PostCommand(BCommand* command) {
  if (command != nullptr) fPosted.emplace_back(command);
}

void Host::DropPosted() { fPosted.clear(); }

bool Host::RunPosted() {
  std::vector<std::unique_ptr<BCommand>> posted;
  posted.swap(fPosted);
  for (auto& command : posted) {
    if (command->IsKindOf(RUNTIME_CLASS(BTracker))) {
      if (fLoop.IsTracking()) continue;  // one gesture at a time; the extra one is dropped
      auto* tracker = static_cast<BTracker*>(command.release());
      if (auto* zoom = dynamic_cast<TFWCZoom*>(tracker); zoom != nullptr && Module() != nullptr) {
        zoom->fZoomState = Module()->fZoomState;
      }
      if (!fLoop.Begin(tracker)) return false;
    } else if (fActive != nullptr) {
      try {
        fActive->history.Perform(command.release());
      } catch (const CMemoryException&) {
        return false;
      }
    }
  }
  return true;
}

bool Host::CallModule(const std::function<void(BModuleInterface&)>& call) {
  BModuleInterface* module = Module();
  if (module == nullptr) return true;
  try {
    call(*module);
  } catch (const CMemoryException&) {
    DropPosted();
    return false;
  }
  return RunPosted();
}

bool Host::Press(OsImgPoint point) {
  fLastPoint = point;
  if (fLoop.IsTracking()) return true;
  return CallModule([&point](BModuleInterface& module) { module.DoMouseCommandL(point, 0); });
}

bool Host::Move(OsImgPoint point) {
  if (!fLoop.IsTracking()) return true;
  fLastPoint = point;
  return fLoop.Move(point);
}

bool Host::Release(OsImgPoint point) {
  if (!fLoop.IsTracking()) return true;
  return fLoop.End(point, fActive != nullptr ? &fActive->history : nullptr);
}

bool Host::Cancel() {
  if (!fLoop.IsTracking()) return true;
  const bool ok = fLoop.Cancel(fActive != nullptr ? &fActive->history : nullptr);
  fReadoutSize.reset();
  fReadoutRect.reset();
  // A tracker dropped unperformed asks for no repaint: its feedback, the
  // ants among it, would stay on the screen.
  return (fActive == nullptr || Repaint(*fActive)) && ok;
}

bool Host::Undo() {
  if (fActive == nullptr || fLoop.IsTracking()) return true;
  return Guarded([this] { fActive->history.Undo(); });
}

bool Host::Redo() {
  if (fActive == nullptr || fLoop.IsTracking()) return true;
  return Guarded([this] { fActive->history.Redo(); });
}
