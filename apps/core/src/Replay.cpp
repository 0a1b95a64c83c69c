#include "Replay.h"

#include <cstdlib>
#include <fstream>

#include "BList.h"
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

namespace {

constexpr int kApexControl = 2005;  // the scroll bar of the polygon palette

ReplayError Fail(int code, const ScriptCommand& c, const std::string& message) {
  return {code, "line " + std::to_string(c.line) + ", column " + std::to_string(c.column) + ": " + message};
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
  if (ReplayError e = CheckBeforeRun(commands, fOptions); e.code != kExitOk) return e;
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
    if (!fOptions.svg.empty()) {
      if (ReplayError e = WriteSketchSvg(fOptions.svg); e.code != kExitOk) return e;
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
  if (NeedsModule(c.op)) {
    if (ReplayError e = EnsureModule(); e.code != kExitOk) return e;
  }
  if (NeedsDocument(c.op)) {
    if (ReplayError e = EnsureDocument(doc); e.code != kExitOk) return e;
  }
  BModuleInterface* module = fHost.Module();
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
        if (view->fDialogId != IDD_POLYGON) continue;
        if (OsScrollControl* control = OsFindScrollControl(view.get(), kApexControl)) control->SetValue(i(0));
      }
      return {};
    case ScriptOp::Display:
      fHost.MenuCommand(DisplayCommand(c.words[0]));
      return {};
    case ScriptOp::Key:
      fHost.Key(ScriptKeyCode(c.words[1]), c.words[0] == "down");
      return {};
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
