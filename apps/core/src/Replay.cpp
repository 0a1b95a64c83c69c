#include "Replay.h"

#include <cstdlib>
#include <fstream>

#include "BList.h"
#include "HostCommands.h"
#include "HostDump.h"
#include "OsAfxWin.h"
#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "OsScrollControl.h"
#include "Preflight.h"
#include "ScriptKeys.h"
#include "SvgExport.h"
#include "container/TObjectContainer.h"
#include "module/CSketchInterface.h"
#include "resources/SketchResources.h"

// The host reads the module's classes through their layout and their virtual
// functions only, and reaches the rest through symbols the module exports; it
// links none of the module's code.

OsScrollControl* PolygonApexControl(BModuleInterface& module) {
  for (const auto& view : module.fToolOption.GetViews()) {
    if (view->fDialogId == IDD_POLYGON) return OsFindScrollControl(view.get(), IDC_VERTEX_COUNT);
  }
  return nullptr;
}

namespace {

ReplayError Fail(int code, const ScriptCommand& c, const std::string& message) {
  return {code, "line " + std::to_string(c.line) + ", column " + std::to_string(c.column) + ": " + message};
}

int DisplayCommand(const std::string& name) {
  if (name == "black") return ID_DISPLAY_BLACK;
  if (name == "transparent") return ID_DISPLAY_TRANSPARENT;
  if (name == "inverted") return ID_DISPLAY_INVERTED;
  if (name == "palette") return ID_DISPLAY_PALETTE;
  if (name == "show") return ID_DISPLAY_SHOW;
  return ID_DISPLAY_HIDE;
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
  if (doc == nullptr) return {kExitFile, "out of memory"};
  return {};
}

OsImgPoint DragMove(const ScriptCommand& drag, int k) {
  const double x0 = static_cast<double>(drag.ints[0]), y0 = static_cast<double>(drag.ints[1]);
  const double x1 = static_cast<double>(drag.ints[2]), y1 = static_cast<double>(drag.ints[3]);
  const double f = static_cast<double>(k) / static_cast<double>(drag.ints[4]);
  return {OsTruncToInt(x0 + (x1 - x0) * f), OsTruncToInt(y0 + (y1 - y0) * f)};
}

void Replay::Dropped(const ScriptCommand& c, bool ok) {
  fDropped = !ok;
  if (!ok) fHost.fMessages.push_back("line " + std::to_string(c.line) + ": out of memory, the step was dropped");
}

void Replay::UpdateCursor() {
  // Without memory for it the cursor stays as it was: no step is lost.
  fHost.CallModule([](BModuleInterface& module) { module.DoSetCursor({0, 0}, nullptr); });
}

ReplayError Replay::Run(const std::vector<ScriptCommand>& commands) {
  if (ReplayError e = CheckBeforeRun(commands, fOptions); e.code != kExitOk) return e;
  // The host keeps the module's memory exception in; this catches it where
  // the outputs call the module's exports themselves.
  try {
    for (const ScriptCommand& c : commands) {
      if (ReplayError e = Execute(c); e.code != kExitOk) return e;
    }
    if (ReplayError e = WriteOutputs(); e.code != kExitOk) return e;
  } catch (const CMemoryException&) {
    return {kExitFile, "out of memory"};
  }
  fHost.Unload();
  return {};
}

ReplayError Replay::WriteOutputs() {
  if (!fOptions.out.empty()) {
    if (ReplayError e = Snapshot(fOptions.out); e.code != kExitOk) return e;
  }
  if (!fOptions.dump.empty()) {
    if (ReplayError e = WriteDump(fOptions.dump); e.code != kExitOk) return e;
  }
  if (!fOptions.svg.empty()) {
    if (ReplayError e = WriteSketchSvg(fOptions.svg); e.code != kExitOk) return e;
  }
  return {};
}

ReplayError Replay::Prepare(const ScriptCommand& c) {
  if (NeedsModule(c.op)) {
    if (ReplayError e = EnsureModule(); e.code != kExitOk) return e;
  }
  HostDocument* doc = nullptr;
  if (NeedsDocument(c.op)) return EnsureDocument(doc);
  return {};
}

ReplayError Replay::Execute(const ScriptCommand& c) {
  const auto i = [&c](std::size_t k) { return static_cast<int>(c.ints[k]); };
  fDropped = false;
  if (ReplayError e = Prepare(c); e.code != kExitOk) return e;
  HostDocument* const doc = fHost.Active();
  switch (c.op) {
    case ScriptOp::Screen: OsSetScreenSize(i(0), i(1)); return {};
    case ScriptOp::Profile:
      AfxGetApp()->WriteProfileString("Sketch", c.words[0].c_str(), c.words[1].c_str());
      return {};
    case ScriptOp::Load: return EnsureModule();
    case ScriptOp::Unload: Dropped(c, fHost.Unload()); return {};
    case ScriptOp::Palette:
      fHost.SetPaletteEntry(i(0), static_cast<std::uint8_t>(i(1)), static_cast<std::uint8_t>(i(2)),
                            static_cast<std::uint8_t>(i(3)));
      return {};
    case ScriptOp::Dump: return WriteDump(c.words[0]);
    case ScriptOp::AnswerScale: fHost.QueueAnswer(IDD_SCALE, Answer(c)); return {};
    case ScriptOp::AnswerRotate: fHost.QueueAnswer(IDD_ROTATE, Answer(c)); return {};
    case ScriptOp::Document: {
      if (fHost.Find(c.words[0]) != nullptr)
        return Fail(kExitScript, c, "a document named '" + c.words[0] + "' is already open");
      RgbImage picture;
      if (c.words.size() == 2) {
        if (std::string error = ReadPng(c.words[1], picture); !error.empty()) return {kExitFile, error};
      } else {
        picture = c.ints.empty() ? WhitePicture(640, 480) : WhitePicture(i(0), i(1));
      }
      Dropped(c, fHost.OpenDocument(c.words[0], std::move(picture)) != nullptr);
      return {};
    }
    case ScriptOp::Activate:
    case ScriptOp::Close: {
      HostDocument* named = fHost.Find(c.words[0]);
      if (named == nullptr) return Fail(kExitScript, c, "no document named '" + c.words[0] + "'");
      Dropped(c, c.op == ScriptOp::Activate ? fHost.Activate(*named) : fHost.Close(*named));
      return {};
    }
    case ScriptOp::Mode:
      Dropped(c, fHost.CallModule([on = c.words[0] == "on"](BModuleInterface& m) { m.DoModeChange(on ? 1 : 0); }));
      return {};
    case ScriptOp::Tool:
      Dropped(c, fHost.CallModule([tool = i(0)](BModuleInterface& m) { m.DoToolChange(static_cast<short>(tool), 1); }));
      return {};
    case ScriptOp::ToolsOff:
      Dropped(c, fHost.CallModule([](BModuleInterface& m) { m.DoToolChange(m.fCurrentTool, 0); }));
      return {};
    case ScriptOp::PaletteIndex: fHost.Module()->fPaletteIndex = i(0); return {};
    case ScriptOp::Apex:
      // The user sets the polygon palette's scroll bar; the control tells the
      // palette, which keeps the count within its range.
      Dropped(c, fHost.CallModule([value = i(0)](BModuleInterface& m) {
        if (OsScrollControl* control = PolygonApexControl(m)) control->SetValue(value);
      }));
      return {};
    case ScriptOp::Display: Dropped(c, fHost.MenuCommand(DisplayCommand(c.words[0]))); return {};
    case ScriptOp::Key: Dropped(c, fHost.Key(ScriptKeyCode(c.words[1]), c.words[0] == "down")); return {};
    case ScriptOp::View: Dropped(c, fHost.SetViewSize(*doc, i(0), i(1))); return {};
    case ScriptOp::Zoom: {
      const BZoom& z = doc->view.GetZoom();
      const float ox = c.reals.size() == 3 ? c.reals[1] : z.fOriginX;
      const float oy = c.reals.size() == 3 ? c.reals[2] : z.fOriginY;
      Dropped(c, fHost.SetZoom(*doc, c.reals[0], ox, oy));
      UpdateCursor();
      return {};
    }
    case ScriptOp::Grid:
      doc->view.fGridOn = c.words[0] == "on";
      if (!c.ints.empty()) doc->view.fGridSize = i(0);
      return {};
    case ScriptOp::Repaint: Dropped(c, fHost.Repaint(*doc)); return {};
    case ScriptOp::Press: Dropped(c, fHost.Press({i(0), i(1)})); return {};
    case ScriptOp::Move:
      Dropped(c, fHost.Move({i(0), i(1)}));
      UpdateCursor();
      return {};
    case ScriptOp::Release: Dropped(c, fHost.Release({i(0), i(1)})); return {};
    case ScriptOp::Cancel: Dropped(c, fHost.Cancel()); return {};
    case ScriptOp::Click: Dropped(c, fHost.Press({i(0), i(1)}) && fHost.Release({i(0), i(1)})); return {};
    case ScriptOp::Drag: {
      bool ok = fHost.Press({i(0), i(1)});
      for (int k = 1; k <= i(4) && ok; ++k) ok = fHost.Move(DragMove(c, k));
      Dropped(c, ok && fHost.Release({i(2), i(3)}));
      UpdateCursor();
      return {};
    }
    case ScriptOp::Menu:
      Dropped(c, fHost.MenuCommand(i(0)));
      UpdateCursor();
      return {};
    case ScriptOp::Replicate: Dropped(c, fHost.Replicate(i(0), {i(1), i(2)})); return {};
    case ScriptOp::Undo: Dropped(c, fHost.Undo()); return {};
    case ScriptOp::Redo: Dropped(c, fHost.Redo()); return {};
    case ScriptOp::Snapshot: return Snapshot(c.words[0]);
    case ScriptOp::Region: return WriteRegion(c.words[0]);
    case ScriptOp::Trace: return WriteTrace(c.words[0]);
    default: return Fail(kExitScript, c, std::string("'") + ScriptOpName(c.op) + "' has no runner");
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
  if (std::string error = WriteRegionMask(fHost, *fHost.Active(), path); !error.empty()) return {kExitFile, error};
  return {};
}

ReplayError Replay::WriteTrace(const std::string& path) {
  if (std::string error = WriteTraceList(fHost, *fHost.Active(), path); !error.empty()) return {kExitFile, error};
  return {};
}

ReplayError Replay::WriteDump(const std::string& path) {
  if (std::string error = WriteTextFile(path, DumpHostState(fHost).Write()); !error.empty()) return {kExitFile, error};
  return {};
}

ReplayError Replay::WriteSketchSvg(const std::string& path) {
  HostDocument* doc = nullptr;
  if (ReplayError e = EnsureModule(); e.code != kExitOk) return e;
  if (ReplayError e = EnsureDocument(doc); e.code != kExitOk) return e;
  if (std::string error = WriteSvg(fHost, *doc, path); !error.empty()) return {kExitFile, error};
  return {};
}
