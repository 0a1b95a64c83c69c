#include "Replay.h"

#include <cstdlib>
#include <fstream>

#include "BAnt.h"
#include "BList.h"
#include "OsAfxWin.h"
#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "OsScrollControl.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "module/CSketchDocument.h"
#include "module/CSketchInterface.h"
#include "resources/SketchResources.h"

// The host reads the module's classes through their layout and their virtual
// functions only, and reaches the rest through symbols the module exports; it
// links none of the module's code.

namespace {

constexpr int kApexControl = 2005;  // the scroll bar of the polygon palette
const char kClipSymbol[] = "_ZN16TObjectContainer14fClipContainerE";
const char kTraceSymbol[] = "_ZN16TObjectContainer12GetTraceListEPP10OsImgPointPi";

ReplayError Fail(int code, const ScriptCommand& c, const std::string& message) {
  return {code, "line " + std::to_string(c.line) + ", column " + std::to_string(c.column) + ": " + message};
}

Json Rect(const OsImgRect& r) { return Json::Array{r.left, r.top, r.right, r.bottom}; }

Json Figure(const TDShape& s) {
  Json::Array units;
  for (BPosition pos = s.fUnits.GetHeadPosition(); pos != nullptr;) {
    const auto* u = static_cast<const TDUnit*>(s.fUnits.GetNext(pos));
    units.push_back(Json::Object{
        {"anchor", Json::Array{u->fAnchor.x, u->fAnchor.y}},
        {"d1", Json::Array{u->fDirection1.x, u->fDirection1.y}},
        {"d2", Json::Array{u->fDirection2.x, u->fDirection2.y}},
        {"steps", int{u->fSteps}},
        {"state", int{u->fState}},
        {"smooth", u->fSmooth},
        {"selected", u->fSelected},
    });
  }
  return Json::Object{
      {"class", s.GetRuntimeClass()->m_lpszClassName},
      {"open", s.fOpen},
      {"selected", s.fSelected},
      {"busy", s.fBusy},
      {"bounds", Rect(s.fBounds)},
      {"units", std::move(units)},
  };
}

Json Figures(const BList* list) {
  Json::Array out;
  if (list == nullptr) return out;
  for (BPosition pos = list->GetHeadPosition(); pos != nullptr;) {
    const CObject* item = list->GetNext(pos);
    if (item != nullptr) out.push_back(Figure(*static_cast<const TDShape*>(item)));
  }
  return out;
}

TObjectContainer* SketchOf(const BDocument& document) {
  BModuleDocument* m = document.GetModuleDocument(Host::kModuleId);
  if (m == nullptr || std::string(m->GetRuntimeClass()->m_lpszClassName) != "CSketchDocument") return nullptr;
  return static_cast<CSketchDocument*>(m)->fContainer;
}

Json MenuItems(HMENU menu) {
  Json::Array items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    HMENU sub = GetSubMenu(menu, i);
    const UINT id = GetMenuItemID(menu, i);
    items.push_back(Json::Object{
        {"title", OsGetMenuText(menu, i)},
        {"id", sub != nullptr || id == static_cast<UINT>(-1) ? 0 : static_cast<int>(id)},
        {"items", sub != nullptr ? MenuItems(sub) : Json::Array{}},
    });
  }
  return items;
}

Json Labels(const std::vector<int>& labels) {
  Json::Array out;
  for (int label : labels) out.push_back(label);
  return out;
}

int VirtualKey(const std::string& name) {
  if (name == "shift") return VK_SHIFT;
  if (name == "ctrl") return VK_CONTROL;
  if (name == "alt") return VK_MENU;
  return VK_SPACE;
}

int DisplayCommand(const std::string& name) {
  if (name == "black") return 5130;
  if (name == "transparent") return 5131;
  if (name == "inverted") return 5132;
  if (name == "palette") return 5133;
  if (name == "show") return 5140;
  return 5141;
}

// What the user does in the dialog: the number typed, for rotating the
// direction clicked, then OK or Cancel.
DialogAnswer Answer(const ScriptCommand& c) {
  DialogAnswer answer{{DialogAction::Kind::Type, IDC_VALUE, c.words[0]}};
  if (c.op == ScriptOp::AnswerRotate) {
    const unsigned direction = c.words[1] == "cw" ? IDC_CLOCKWISE : IDC_COUNTERCLOCKWISE;
    answer.push_back({DialogAction::Kind::Click, static_cast<int>(direction), {}});
  }
  answer.push_back({DialogAction::Kind::Click, c.words.back() == "ok" ? IDOK : IDCANCEL, {}});
  return answer;
}

RgbImage WhitePicture(int width, int height) {
  RgbImage image(width, height);
  std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t{255});
  return image;
}

}  // namespace

ReplayError Replay::EnsureModule() {
  if (fHost.IsLoaded()) return {};
  if (std::string error = fHost.Load(fOptions.modulePath); !error.empty()) return {kExitFile, error};
  return {};
}

ReplayError Replay::EnsureDocument(HostDocument*& doc) {
  doc = fHost.Active();
  if (doc != nullptr) return {};
  RgbImage picture;
  if (fOptions.image.empty()) {
    picture = DefaultPicture();
  } else if (std::string error = ReadPng(fOptions.image, picture); !error.empty()) {
    return {kExitFile, error};
  }
  doc = fHost.OpenDocument("main", std::move(picture));
  return {};
}

void Replay::Dropped(const ScriptCommand& c, bool ok) {
  if (!ok) fHost.fMessages.push_back("line " + std::to_string(c.line) + ": out of memory, the step was dropped");
}

void Replay::UpdateCursor() {
  if (BModuleInterface* module = fHost.Module()) module->DoSetCursor({0, 0}, nullptr);
}

ReplayError Replay::Run(const std::vector<ScriptCommand>& commands) {
  // Every picture the run will open must be readable before anything runs, so
  // that a bad one leaves no half-written output behind.
  std::vector<std::string> pictures;
  if (!fOptions.image.empty()) pictures.push_back(fOptions.image);
  for (const ScriptCommand& c : commands) {
    if (c.op == ScriptOp::Document && c.words.size() == 2) pictures.push_back(c.words[1]);
  }
  for (const std::string& path : pictures) {
    RgbImage probe;
    if (std::string error = ReadPng(path, probe); !error.empty()) return {kExitFile, error};
  }
  try {
    for (const ScriptCommand& c : commands) {
      if (ReplayError e = Execute(c); e.code != kExitOk) return e;
    }
    if (!fOptions.out.empty()) {
      if (ReplayError e = Snapshot(fOptions.out); e.code != kExitOk) return e;
    }
    if (!fOptions.dump.empty()) {
      if (ReplayError e = WriteDump(fOptions.dump); e.code != kExitOk) return e;
    }
    fHost.Unload();
  } catch (const CMemoryException&) {
    return {kExitFile, "out of memory"};
  }
  return {};
}

ReplayError Replay::Execute(const ScriptCommand& c) {
  const auto i = [&c](std::size_t k) { return static_cast<int>(c.ints[k]); };
  HostDocument* doc = nullptr;
  switch (c.op) {
    case ScriptOp::Screen:
      OsSetScreenSize(i(0), i(1));
      return {};
    case ScriptOp::Profile:
      AfxGetApp()->WriteProfileString("Sketch", c.words[0].c_str(), c.words[1].c_str());
      return {};
    case ScriptOp::Load:
      return EnsureModule();
    case ScriptOp::Unload:
      fHost.Unload();
      return {};
    case ScriptOp::Palette:
      fHost.SetPaletteEntry(i(0), static_cast<std::uint8_t>(i(1)), static_cast<std::uint8_t>(i(2)),
                            static_cast<std::uint8_t>(i(3)));
      return {};
    case ScriptOp::Dump:
      return WriteDump(c.words[0]);
    case ScriptOp::AnswerScale:
      fHost.QueueAnswer(IDD_SCALE, Answer(c));
      return {};
    case ScriptOp::AnswerRotate:
      fHost.QueueAnswer(IDD_ROTATE, Answer(c));
      return {};
    default:
      break;
  }

  if (ReplayError e = EnsureModule(); e.code != kExitOk) return e;
  BModuleInterface* module = fHost.Module();
  switch (c.op) {
    case ScriptOp::Document: {
      if (fHost.Find(c.words[0]) != nullptr) return Fail(kExitScript, c, "a document named '" + c.words[0] + "' is already open");
      RgbImage picture;
      if (c.words.size() == 2) {
        if (std::string error = ReadPng(c.words[1], picture); !error.empty()) return {kExitFile, error};
      } else {
        picture = c.ints.empty() ? WhitePicture(640, 480) : WhitePicture(i(0), i(1));
      }
      fHost.OpenDocument(c.words[0], std::move(picture));
      return {};
    }
    case ScriptOp::Activate:
    case ScriptOp::Close: {
      HostDocument* named = fHost.Find(c.words[0]);
      if (named == nullptr) return Fail(kExitScript, c, "no document named '" + c.words[0] + "'");
      if (c.op == ScriptOp::Activate) {
        fHost.Activate(*named);
      } else {
        fHost.Close(*named);
      }
      return {};
    }
    case ScriptOp::Mode:
      module->DoModeChange(c.words[0] == "on" ? 1 : 0);
      return {};
    case ScriptOp::Tool:
      module->DoToolChange(static_cast<short>(i(0)), 1);
      return {};
    case ScriptOp::ToolsOff:
      module->DoToolChange(module->fCurrentTool, 0);
      return {};
    case ScriptOp::PaletteIndex:
      module->fPaletteIndex = i(0);
      return {};
    case ScriptOp::Apex:
      // The user sets the polygon palette's scroll bar; the control tells the
      // palette, which keeps the count within its range.
      for (const auto& view : module->fToolOption.GetViews()) {
        if (view->fDialogId != CSketchInterface::kPolygonOption) continue;
        if (OsScrollControl* control = OsFindScrollControl(view.get(), kApexControl)) control->SetValue(i(0));
      }
      return {};
    case ScriptOp::Display:
      fHost.MenuCommand(DisplayCommand(c.words[0]));
      return {};
    case ScriptOp::Key:
      fHost.Key(VirtualKey(c.words[1]), c.words[0] == "down");
      return {};
    default:
      break;
  }

  if (ReplayError e = EnsureDocument(doc); e.code != kExitOk) return e;
  switch (c.op) {
    case ScriptOp::View:
      fHost.SetViewSize(*doc, i(0), i(1));
      return {};
    case ScriptOp::Zoom: {
      const BZoom& z = doc->view.GetZoom();
      const float ox = c.reals.size() == 3 ? static_cast<float>(c.reals[1]) : z.fOriginX;
      const float oy = c.reals.size() == 3 ? static_cast<float>(c.reals[2]) : z.fOriginY;
      fHost.SetZoom(*doc, static_cast<float>(c.reals[0]), ox, oy);
      UpdateCursor();
      return {};
    }
    case ScriptOp::Grid:
      doc->view.fGridOn = c.words[0] == "on";
      if (!c.ints.empty()) doc->view.fGridSize = i(0);
      return {};
    case ScriptOp::Repaint:
      fHost.Repaint(*doc);
      return {};
    case ScriptOp::Press:
      Dropped(c, fHost.Press({i(0), i(1)}));
      return {};
    case ScriptOp::Move:
      Dropped(c, fHost.Move({i(0), i(1)}));
      UpdateCursor();
      return {};
    case ScriptOp::Release:
      Dropped(c, fHost.Release({i(0), i(1)}));
      return {};
    case ScriptOp::Click:
      Dropped(c, fHost.Press({i(0), i(1)}) && fHost.Release({i(0), i(1)}));
      return {};
    case ScriptOp::Drag: {
      // N moves on the straight way, each coordinate truncated toward zero, the
      // last one on the end point.
      const double x0 = i(0), y0 = i(1), x1 = i(2), y1 = i(3);
      const int n = i(4);
      bool ok = fHost.Press({i(0), i(1)});
      for (int k = 1; k <= n && ok; ++k) {
        const double f = static_cast<double>(k) / n;
        ok = fHost.Move({OsTruncToInt(x0 + (x1 - x0) * f), OsTruncToInt(y0 + (y1 - y0) * f)});
      }
      Dropped(c, ok && fHost.Release({i(2), i(3)}));
      UpdateCursor();
      return {};
    }
    case ScriptOp::Menu:
      Dropped(c, fHost.MenuCommand(i(0)));
      UpdateCursor();
      return {};
    case ScriptOp::Replicate:
      Dropped(c, fHost.Replicate(i(0), {i(1), i(2)}));
      return {};
    case ScriptOp::Undo:
      fHost.Undo();
      return {};
    case ScriptOp::Redo:
      fHost.Redo();
      return {};
    case ScriptOp::Snapshot:
      return Snapshot(c.words[0]);
    case ScriptOp::Region:
      return WriteRegion(c.words[0]);
    case ScriptOp::Trace:
      return WriteTrace(c.words[0]);
    default:
      return Fail(kExitScript, c, std::string("'") + ScriptOpName(c.op) + "' has no runner");
  }
}

ReplayError Replay::Snapshot(const std::string& path) {
  HostDocument* doc = nullptr;
  if (ReplayError e = EnsureModule(); e.code != kExitOk) return e;
  if (ReplayError e = EnsureDocument(doc); e.code != kExitOk) return e;
  if (std::string error = WritePng(path, doc->frame); !error.empty()) return {kExitFile, error};
  return {};
}

ReplayError Replay::WriteRegion(const std::string& path) {
  HostDocument* doc = fHost.Active();
  auto calc = reinterpret_cast<int (*)(BRegion*, BDocument*)>(fHost.Loader().Symbol("SketchCalcActRegion"));
  BRegion region;
  region.IRegion();
  if (calc != nullptr) calc(&region, &doc->document);
  const int w = doc->picture.width, h = doc->picture.height;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h, 0);
  for (const OsImgRect& r : region.GetRects()) {
    for (int y = std::max(0, r.top); y < std::min(h, r.bottom); ++y) {
      for (int x = std::max(0, r.left); x < std::min(w, r.right); ++x) mask[static_cast<std::size_t>(y) * w + x] = 255;
    }
  }
  if (std::string error = WriteGreyPng(path, w, h, mask); !error.empty()) return {kExitFile, error};
  return {};
}

ReplayError Replay::WriteTrace(const std::string& path) {
  HostDocument* doc = fHost.Active();
  using TraceFn = bool (*)(TObjectContainer*, OsImgPoint**, int*);
  auto trace = reinterpret_cast<TraceFn>(fHost.Loader().Symbol(kTraceSymbol));
  TObjectContainer* sketch = SketchOf(doc->document);
  OsImgPoint* points = nullptr;
  int count = 0;
  const bool ok = trace != nullptr && sketch != nullptr && trace(sketch, &points, &count);
  Json::Array list;
  for (int k = 0; ok && k < count; ++k) list.push_back(Json::Array{points[k].x, points[k].y});
  OsFree(points);
  std::ofstream file(path, std::ios::binary);
  file << Json(Json::Object{{"ok", ok}, {"points", std::move(list)}}).Write();
  if (!file) return {kExitFile, path + ": cannot write"};
  return {};
}

Json Replay::Ants() const {
  const HostDocument* doc = fHost.Active();
  const BAnt* ants = doc != nullptr ? doc->view.fShownAnt : nullptr;
  return Json::Object{{"shown", ants != nullptr}, {"rect", ants != nullptr ? Rect(ants->GetRect()) : Json()}};
}

Json Replay::DumpState() {
  BModuleInterface* module = fHost.Module();
  const auto* ui = static_cast<const CSketchInterface*>(module);
  const ModuleLoader& loader = fHost.Loader();
  const auto* currentTool = static_cast<const std::int16_t*>(loader.Symbol("gCurrentTool"));
  const auto* apex = static_cast<const int*>(loader.Symbol("gPolygonApex"));
  BList* const* clip = static_cast<BList* const*>(loader.Symbol(kClipSymbol));

  bool pasteEnabled = false;
  if (module != nullptr) {
    module->DoSetupMenus();
    for (int k = 0, n = GetMenuItemCount(fHost.MenuBar()); k < n; ++k) {
      HMENU sub = GetSubMenu(fHost.MenuBar(), k);
      for (int j = 0; j < GetMenuItemCount(sub); ++j) {
        if (GetMenuItemID(sub, j) == CSketchInterface::kCommandPaste) pasteEnabled = !OsIsMenuItemGrayed(sub, j);
      }
    }
  }

  Json::Object profile;
  for (const auto& [section, entries] : AfxGetApp()->fProfile) {
    Json::Object values;
    for (const auto& [key, value] : entries) values.emplace_back(key, value);
    profile.emplace_back(section, std::move(values));
  }
  Json::Array beeps;
  for (unsigned b : OsGetBeeps()) beeps.push_back(b);
  Json::Array messages;
  for (const std::string& m : fHost.fMessages) messages.push_back(m);

  Json::Array documents;
  if (module != nullptr) {
    for (const auto& doc : fHost.Documents()) {
      const TObjectContainer* sketch = SketchOf(doc->document);
      const BZoom& z = doc->view.GetZoom();
      int drawing = -1;
      if (sketch != nullptr && sketch->fDrawing != nullptr) {
        int index = 0;
        for (BPosition pos = sketch->GetHeadPosition(); pos != nullptr; ++index) {
          if (sketch->GetNext(pos) == sketch->fDrawing) drawing = index;
        }
      }
      documents.push_back(Json::Object{
          {"name", doc->document.fName},
          {"active", doc.get() == fHost.Active()},
          {"zoom", Json::Array{z.fZoomX, z.fZoomY, z.fOriginX, z.fOriginY}},
          {"figures", Figures(sketch)},
          {"actArea", sketch != nullptr ? Rect(sketch->fActArea) : Json()},
          {"center", sketch != nullptr ? Json(Json::Array{sketch->fCenter.x, sketch->fCenter.y}) : Json()},
          {"centerShown", sketch != nullptr ? Json(sketch->fCenterShown) : Json()},
          {"drawing", drawing >= 0 ? Json(drawing) : Json()},
          {"history", Json::Object{{"undo", Labels(doc->history.UndoLabels())},
                                   {"redo", Labels(doc->history.RedoLabels())}}},
      });
    }
  }

  const auto readout = [](const auto& v, auto toJson) { return v ? toJson(*v) : Json(); };
  return Json::Object{
      {"identify", module != nullptr ? Json(fHost.Identification()) : Json()},
      {"tool", module != nullptr ? Json(int{module->fCurrentTool}) : Json()},
      {"currentTool", currentTool != nullptr ? Json(int{*currentTool}) : Json()},
      {"lastMouseTool", module != nullptr ? Json(ui->fLastMouseTool) : Json()},
      {"zoomState", module != nullptr ? Json(int{module->fZoomState}) : Json()},
      {"dispColor", module != nullptr ? Json(module->fDispColor) : Json()},
      {"dispSwitch", module != nullptr ? Json(module->fDispSwitch) : Json()},
      {"paletteIndex", module != nullptr ? Json(module->fPaletteIndex) : Json()},
      {"polygonApex", apex != nullptr ? Json(*apex) : Json()},
      {"cursor", module != nullptr && ui->fCursor != nullptr ? Json(OsCursorResourceId(ui->fCursor)) : Json()},
      {"pasteEnabled", pasteEnabled},
      {"menuBar", MenuItems(fHost.MenuBar())},
      {"readout",
       Json::Object{
           {"point", readout(fHost.fReadoutPoint, [](const OsImgPoint& p) { return Json(Json::Array{p.x, p.y}); })},
           {"size", readout(fHost.fReadoutSize, [](const OsImgSize& s) { return Json(Json::Array{s.cx, s.cy}); })},
           {"rect", readout(fHost.fReadoutRect, [](const OsImgRect& r) { return Rect(r); })},
       }},
      {"ants", Ants()},
      {"messages", std::move(messages)},
      {"beeps", std::move(beeps)},
      {"profile", std::move(profile)},
      {"clipboard", Figures(clip != nullptr ? *clip : nullptr)},
      {"documents", std::move(documents)},
  };
}

ReplayError Replay::WriteDump(const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file << DumpState().Write();
  if (!file) return {kExitFile, path + ": cannot write"};
  return {};
}
