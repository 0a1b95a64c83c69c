#include "HostDump.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "BAnt.h"
#include "BList.h"
#include "BRegion.h"
#include "Files.h"
#include "OsMenu.h"
#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "module/CSketchDocument.h"
#include "module/CSketchInterface.h"

namespace {

const char kClipSymbol[] = "_ZN16TObjectContainer14fClipContainerE";
const char kTraceSymbol[] = "_ZN16TObjectContainer12GetTraceListEPP10OsImgPointPi";

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
  out.reserve(labels.size());
  for (int label : labels) out.emplace_back(label);
  return out;
}

Json Ants(const Host& host) {
  const HostDocument* doc = host.Active();
  const BAnt* ants = doc != nullptr ? doc->view.fShownAnt : nullptr;
  return Json::Object{{"shown", ants != nullptr}, {"rect", ants != nullptr ? Rect(ants->GetRect()) : Json()}};
}

}  // namespace

TObjectContainer* SketchOf(const BDocument& document) {
  BModuleDocument* m = document.GetModuleDocument(Host::kModuleId);
  if (m == nullptr || std::string(m->GetRuntimeClass()->m_lpszClassName) != "CSketchDocument") return nullptr;
  return static_cast<CSketchDocument*>(m)->fContainer;
}

unsigned LoadedCursorId(const Host& host) {
  const auto* ui = static_cast<const CSketchInterface*>(host.Module());
  return ui != nullptr && ui->fCursor != nullptr ? OsCursorResourceId(ui->fCursor) : 0;
}

Json DumpHostState(Host& host) {
  BModuleInterface* module = host.Module();
  const auto* ui = static_cast<const CSketchInterface*>(module);
  const ModuleLoader& loader = host.Loader();
  const auto* currentTool = static_cast<const std::int16_t*>(loader.Symbol("gCurrentTool"));
  const auto* apex = static_cast<const int*>(loader.Symbol("gPolygonApex"));
  BList* const* clip = static_cast<BList* const*>(loader.Symbol(kClipSymbol));

  bool pasteEnabled = false;
  if (module != nullptr) {
    host.CallModule([](BModuleInterface& m) { m.DoSetupMenus(); });
    for (int k = 0, n = GetMenuItemCount(host.MenuBar()); k < n; ++k) {
      HMENU sub = GetSubMenu(host.MenuBar(), k);
      for (int j = 0; j < GetMenuItemCount(sub); ++j) {
        if (GetMenuItemID(sub, j) == ID_EDIT_PASTE) pasteEnabled = !OsIsMenuItemGrayed(sub, j);
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
  for (const std::string& m : host.fMessages) messages.push_back(m);

  Json::Array documents;
  if (module != nullptr) {
    for (const auto& doc : host.Documents()) {
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
          {"active", doc.get() == host.Active()},
          {"zoom", Json::Array{z.fZoomX, z.fZoomY, z.fOriginX, z.fOriginY}},
          {"figures", Figures(sketch)},
          {"actArea", sketch != nullptr ? Rect(sketch->fActArea) : Json()},
          {"center", sketch != nullptr ? Json(Json::Array{sketch->fCenter.x, sketch->fCenter.y}) : Json()},
          {"centerShown", sketch != nullptr ? Json(sketch->fCenterShown) : Json()},
          {"drawing", drawing >= 0 ? Json(drawing) : Json()},
          {"history",
           Json::Object{{"undo", Labels(doc->history.UndoLabels())}, {"redo", Labels(doc->history.RedoLabels())}}},
      });
    }
  }

  const auto readout = [](const auto& v, auto toJson) { return v ? toJson(*v) : Json(); };
  return Json::Object{
      {"identify", module != nullptr ? Json(host.Identification()) : Json()},
      {"tool", module != nullptr ? Json(int{module->fCurrentTool}) : Json()},
      {"currentTool", currentTool != nullptr ? Json(int{*currentTool}) : Json()},
      {"lastMouseTool", module != nullptr ? Json(ui->fLastMouseTool) : Json()},
      {"zoomState", module != nullptr ? Json(int{module->fZoomState}) : Json()},
      {"dispColor", module != nullptr ? Json(module->fDispColor) : Json()},
      {"dispSwitch", module != nullptr ? Json(module->fDispSwitch) : Json()},
      {"paletteIndex", module != nullptr ? Json(module->fPaletteIndex) : Json()},
      {"polygonApex", apex != nullptr ? Json(*apex) : Json()},
      {"cursor", LoadedCursorId(host) != 0 ? Json(LoadedCursorId(host)) : Json()},
      {"pasteEnabled", pasteEnabled},
      {"menuBar", MenuItems(host.MenuBar())},
      {"readout",
       Json::Object{
           {"point", readout(host.fReadoutPoint,
                             [](const OsImgPoint& p) {
                               return Json(Json::Array{p.x, p.y});
                             })},
           {"size", readout(host.fReadoutSize,
                            [](const OsImgSize& s) {
                              return Json(Json::Array{s.cx, s.cy});
                            })},
           {"rect", readout(host.fReadoutRect, [](const OsImgRect& r) { return Rect(r); })},
       }},
      {"ants", Ants(host)},
      {"messages", std::move(messages)},
      {"beeps", std::move(beeps)},
      {"profile", std::move(profile)},
      {"clipboard", Figures(clip != nullptr ? *clip : nullptr)},
      {"documents", std::move(documents)},
  };
}

std::string WriteRegionMask(const Host& host, HostDocument& doc, const std::string& path) {
  auto calc = reinterpret_cast<int (*)(BRegion*, BDocument*)>(host.Loader().Symbol("SketchCalcActRegion"));
  BRegion region;
  region.IRegion();
  if (calc != nullptr) calc(&region, &doc.document);
  const int w = doc.picture.width, h = doc.picture.height;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h, 0);
  for (const OsImgRect& r : region.GetRects()) {
    for (int y = std::max(0, r.top); y < std::min(h, r.bottom); ++y) {
      for (int x = std::max(0, r.left); x < std::min(w, r.right); ++x) mask[static_cast<std::size_t>(y) * w + x] = 255;
    }
  }
  return WriteGreyPng(path, w, h, mask);
}

std::string WriteTextFile(const std::string& path, std::string_view text) { return ReplaceFile(path, text); }

std::string WriteTraceList(const Host& host, HostDocument& doc, const std::string& path) {
  using TraceFn = bool (*)(TObjectContainer*, OsImgPoint**, int*);
  auto trace = reinterpret_cast<TraceFn>(host.Loader().Symbol(kTraceSymbol));
  TObjectContainer* sketch = SketchOf(doc.document);
  OsImgPoint* points = nullptr;
  int count = 0;
  const bool ok = trace != nullptr && sketch != nullptr && trace(sketch, &points, &count);
  const std::unique_ptr<OsImgPoint, decltype(&OsFree)> owned(points, &OsFree);
  if (!ok || count <= 0) return ReplaceFile(path, Json(Json::Object{{"ok", ok}, {"points", Json::Array{}}}).Write());
  // A trace at a tiny zoom runs to hundreds of millions of points: the points
  // go out in pieces, laid out as the JSON writer lays out a list of pairs.
  ReplacingFile file(path);
  std::string piece = "{\n  \"ok\": true,\n  \"points\": [\n";
  for (int k = 0; k < count; ++k) {
    piece +=
        "    [" + std::to_string(points[k].x) + ", " + std::to_string(points[k].y) + (k + 1 < count ? "],\n" : "]\n");
    if (piece.size() >= 1 << 16) {
      file.Write(piece);
      piece.clear();
    }
  }
  file.Write(piece + "  ]\n}\n");
  return file.Commit();
}
