#include "EditRun.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "BList.h"
#include "Host.h"
#include "HostDump.h"
#include "commands/TDMCClear.h"
#include "commands/TDMCCopy.h"
#include "commands/TDMCCut.h"
#include "commands/TDMCPaste.h"
#include "commands/TDMFlip.h"
#include "commands/TDMRotate.h"
#include "commands/TDMScale.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "model/TDUnit.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCDAncer.h"
#include "trackers/TDCDLine.h"
#include "trackers/TDCDirect.h"
#include "trackers/TDCDragBase.h"
#include "trackers/TDCEAncer.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCJoin.h"
#include "trackers/TDCPens.h"
#include "trackers/TDCPointCopy.h"
#include "trackers/TDCRotate.h"
#include "trackers/TDCScale.h"
#include "trackers/TDCScissor.h"
#include "trackers/TDCSelect.h"

namespace {

const char kClipSymbol[] = "_ZN16TObjectContainer14fClipContainerE";

const char* ClassOf(const CObject* object) { return object->GetRuntimeClass()->m_lpszClassName; }

// Who holds each figure: a document's list, the clipboard, or a history step.
class Holdings {
 public:
  // A second holder is a breach; the first one found is kept.
  void Hold(const CObject* figure, const std::string& holder) {
    if (!fError.empty()) return;
    if (figure == nullptr) {
      fError = holder + " holds an empty entry";
      return;
    }
    auto [it, fresh] = fHolder.emplace(figure, holder);
    if (!fresh) {
      fError = "a " + std::string(ClassOf(figure)) + " is held by " + it->second + " and by " + holder;
      return;
    }
    // Each figure owns its vertices: one shared would be freed twice.
    const BList& units = static_cast<const TDShape*>(figure)->fUnits;
    for (BPosition pos = units.GetHeadPosition(); pos != nullptr;) {
      const CObject* unit = units.GetNext(pos);
      if (unit != nullptr && !fUnits.insert(unit).second)
        fError = "a vertex of a figure of " + holder + " is in another figure";
    }
  }
  void HoldList(const BList* list, const std::string& holder) {
    if (list == nullptr) return;
    for (BPosition pos = list->GetHeadPosition(); pos != nullptr;) Hold(list->GetNext(pos), holder);
  }
  void Fail(const std::string& error) {
    if (fError.empty()) fError = error;
  }
  const std::string& Error() const { return fError; }

 private:
  std::unordered_map<const CObject*, std::string> fHolder;
  std::unordered_set<const CObject*> fUnits;
  std::string fError;
};

template <typename Step>
void HoldSnapshot(const BCommand& step, const std::string& holder, Holdings& out) {
  out.HoldList(static_cast<const Step&>(step).fSnapshot, holder + " (snapshot)");
}

// The figures a step keeps out of its document while it is done or undone. A
// step of a kind not listed here is a breach, so that a new kind of step cannot
// go unchecked.
void HoldStep(const BCommand& step, bool done, const std::string& holder, Holdings& out) {
  const std::string kind = ClassOf(&step);
  const auto flagIs = [&](int flag, int want, const char* name) {
    if (flag != want)
      out.Fail(holder + " has " + name + " " + std::to_string(flag) + (done ? " while done" : " while undone"));
  };
  static const std::map<std::string, void (*)(const BCommand&, const std::string&, Holdings&)> kSnapshots{
      {"TDCSelect", HoldSnapshot<TDCSelect>}, {"TDCScale", HoldSnapshot<TDCScale>},
      {"TDCRotate", HoldSnapshot<TDCRotate>}, {"TDMCPaste", HoldSnapshot<TDMCPaste>},
      {"TDMHFlip", HoldSnapshot<TDMHFlip>},   {"TDMVFlip", HoldSnapshot<TDMVFlip>},
      {"TDMRotate", HoldSnapshot<TDMRotate>}, {"TDMScale", HoldSnapshot<TDMScale>},
      {"TDMCClear", HoldSnapshot<TDMCClear>}};
  if (const auto snapshot = kSnapshots.find(kind); snapshot != kSnapshots.end()) {
    snapshot->second(step, holder, out);
  } else if (kind == "TDCGrow") {
    const auto& s = static_cast<const TDCGrow&>(step);
    flagIs(s.fOwnsTarget, done ? 0 : 1, "fOwnsTarget");
    if (s.fOwnsTarget) out.Hold(s.fTarget, holder + " (its figure)");
  } else if (kind == "TDCAddPt" || kind == "TDCDelPt") {
    // Undo and redo exchange the two: fTarget is always the one out.
    const auto& s = static_cast<const TDCPointCopy&>(step);
    flagIs(s.fOwnsTarget, 1, "fOwnsTarget");
    out.Hold(s.fTarget, holder + " (figure out)");
  } else if (kind == "TDCJoin") {
    const auto& s = static_cast<const TDCJoin&>(step);
    flagIs(s.fUndone, done ? 0 : 1, "fUndone");
    if (done) {
      out.Hold(s.fFirst, holder + " (first)");
      if (s.fSecond != nullptr) out.Hold(s.fSecond, holder + " (second)");
    } else {
      out.Hold(s.fJoined, holder + " (joined)");
    }
  } else if (kind == "TDCScissor") {
    const auto& s = static_cast<const TDCScissor&>(step);
    flagIs(s.fUndone, done ? 0 : 1, "fUndone");
    if (s.fCopy != nullptr) out.Hold(s.fCopy, holder + " (copy)");
    if (done) {
      out.Hold(s.fTarget, holder + " (cut figure)");
    } else {
      out.Hold(s.fPart1, holder + " (first piece)");
      if (s.fPart2 != nullptr) out.Hold(s.fPart2, holder + " (second piece)");
    }
  } else if (kind == "TDCDLine") {
    // Undo and redo exchange the figure and its changed copy and swap the two
    // pointers: fShape is always the one out. (The one in may have gone on to
    // a later step's snapshot, so it need not be in the list.)
    const auto& s = static_cast<const TDCDLine&>(step);
    if (s.fCopy != nullptr) out.Hold(s.fShape, holder + " (figure out)");
  } else if (kind == "TDCEAncer") {
    out.Hold(static_cast<const TDCEAncer&>(step).fOriginal, holder + " (figure out)");
  } else if (kind == "TDCPens") {
    // The same exchange; no figure is out while a new figure is in.
    const auto& s = static_cast<const TDCPens&>(step);
    if (s.fTarget != nullptr) out.Hold(s.fTarget, holder + " (figure out)");
  } else if (kind == "TDCDirect" || kind == "TDCEdit") {
    if (const TDCDCommand* sub = static_cast<const TDCPointDispatch&>(step).fSub)
      HoldStep(*sub, done, holder + " via", out);
  } else if (kind == "TDCDAncer") {
    out.HoldList(static_cast<const TDCDAncer&>(step).fSaved, holder + " (saved)");
  } else if (kind == "TDCDrag" || kind == "TDCClone") {
    out.HoldList(static_cast<const TDCDragBase&>(step).fSaved, holder + " (saved)");
  } else if (kind == "TDMCCopy") {
    out.HoldList(static_cast<const TDMCCopy&>(step).fSavedClip, holder + " (clipboard before)");
  } else if (kind == "TDMCCut") {
    const auto& s = static_cast<const TDMCCut&>(step);
    out.HoldList(s.fRemoved, holder + " (removed)");
    out.HoldList(s.fSavedClip, holder + " (clipboard before)");
    out.HoldList(s.fCut, holder + " (what it cut)");
  } else if (kind != "TDCDDrec1" && kind != "TDCDDrec2" && kind != "TDCEDrec1" && kind != "TDCEDrec2" &&
             kind != "TDCCenter") {
    out.Fail(holder + " is a step of unknown kind " + kind);
  }
}

}  // namespace

std::string FigureText(const TDShape& shape, bool marks) {
  std::string s = std::string(ClassOf(&shape)) + " open " + std::to_string(shape.fOpen);
  const OsImgRect& b = shape.fBounds;
  if (marks) {
    s += " selected " + std::to_string(shape.fSelected) + " busy " + std::to_string(shape.fBusy) + " bounds " +
         std::to_string(b.left) + " " + std::to_string(b.top) + " " + std::to_string(b.right) + " " +
         std::to_string(b.bottom);
  }
  for (BPosition pos = shape.fUnits.GetHeadPosition(); pos != nullptr;) {
    const auto* u = static_cast<const TDUnit*>(shape.fUnits.GetNext(pos));
    if (u == nullptr) {
      s += " [no vertex]";  // a hole in the vertex list
      continue;
    }
    s += " [";
    for (float v :
         {u->fAnchor.x, u->fAnchor.y, u->fDirection1.x, u->fDirection1.y, u->fDirection2.x, u->fDirection2.y}) {
      // Every bit: a NaN by its payload.
      char text[32];
      s += std::isnan(v) ? "nan" + std::to_string(std::bit_cast<std::uint32_t>(v))
                         : std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
      s += ",";
    }
    s += " s" + std::to_string(u->fSteps) + " sm" + std::to_string(u->fSmooth);
    if (marks) s += " " + std::to_string(u->fState) + "/" + std::to_string(u->fSelected);
    s += "]";
  }
  return s;
}

std::string CheckOwnership(Host& host) {
  Holdings holdings;
  for (const auto& doc : host.Documents()) {
    const TObjectContainer* sketch = SketchOf(doc->document);
    const std::string name = "document " + doc->document.fName;
    holdings.HoldList(sketch, name);
    bool drawingIn = false;
    for (BPosition pos = sketch != nullptr ? sketch->GetHeadPosition() : nullptr; pos != nullptr;) {
      const auto* figure = static_cast<const TDShape*>(sketch->GetNext(pos));
      drawingIn = drawingIn || figure == sketch->fDrawing;
      if (figure != nullptr && figure->fContainer != sketch)
        holdings.Fail("a figure of " + name + " names another container");
    }
    if (sketch != nullptr && sketch->fDrawing != nullptr && !drawingIn)
      holdings.Fail("the figure under construction of " + name + " is not in its list");
    // Only a click-by-click figure can take the next press's vertex (a
    // two-vertex multi-line closed on itself is one still).
    if (const TDShape* drawing = sketch != nullptr ? sketch->fDrawing : nullptr;
        drawing != nullptr && std::string(ClassOf(drawing)) != "TDMuLine" && std::string(ClassOf(drawing)) != "TDPen") {
      holdings.Fail("the figure under construction of " + name + " is a " + ClassOf(drawing));
    }
  }
  if (host.IsLoaded()) {
    BList* const* clip = static_cast<BList* const*>(host.Loader().Symbol(kClipSymbol));
    if (clip != nullptr) holdings.HoldList(*clip, "the clipboard");
  }
  for (const auto& doc : host.Documents()) {
    const BHistory& history = doc->history;
    for (int k = 0; k < history.StepCount(); ++k) {
      const std::string holder = "step " + std::to_string(k) + " of document " + doc->document.fName;
      HoldStep(*history.Step(k), k < history.Position(), holder, holdings);
    }
  }
  return holdings.Error();
}
