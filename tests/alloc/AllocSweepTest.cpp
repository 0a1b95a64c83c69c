// Every allocation an editing session makes, made to fail in turn: once only,
// and from then on until the step ends. The step must be dropped whole (the
// sketch bit for bit as before it) or done whole, and the rest must replay onto
// the sketch of a session without the dropped step. Nothing may leak.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <set>
#include <sstream>
#include <tuple>

#include <sys/wait.h>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include "EditRun.h"
#include "Files.h"
#include "HostDump.h"
#include "OsRuntime.h"
#include "Replay.h"
#include "Script.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

namespace fs = std::filesystem;

namespace {

enum class Failure { kOnce, kLasting };

// The menu commands that open a dialog first.
constexpr std::int64_t kScaleDialog = 5100, kRotateDialog = 5123;

// A command, or a gesture from its press to its release or cancel, which the
// host drops as a whole.
struct Step {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool freeHand = false;  // a stroke of the free-hand tool
  bool cancel = false;    // a gesture that ends in a cancel
};

std::vector<Step> StepsOf(const std::vector<ScriptCommand>& commands) {
  constexpr std::int64_t kFreeHand = 6;
  std::vector<Step> steps;
  std::int64_t tool = -1;
  for (std::size_t k = 0; k < commands.size();) {
    const ScriptCommand& c = commands[k];
    if (c.op == ScriptOp::Tool) tool = c.ints[0];
    std::size_t end = k + 1;
    if (c.op == ScriptOp::Press) {
      while (end < commands.size() && commands[end - 1].op != ScriptOp::Release &&
             commands[end - 1].op != ScriptOp::Cancel) {
        ++end;
      }
    }
    steps.push_back({k, end, tool == kFreeHand && (c.op == ScriptOp::Press || c.op == ScriptOp::Drag),
                     c.op == ScriptOp::Press && commands[end - 1].op == ScriptOp::Cancel});
    k = end;
  }
  return steps;
}

// A cancel that runs out of memory while undoing its gesture keeps the gesture
// performed, as its release would have: the step's lines with a release at the
// last point in place of the cancel.
std::vector<ScriptCommand> Released(const std::vector<ScriptCommand>& commands, Step step) {
  std::vector<ScriptCommand> lines(commands.begin() + static_cast<std::ptrdiff_t>(step.begin),
                                   commands.begin() + static_cast<std::ptrdiff_t>(step.end));
  std::vector<std::int64_t> last;
  for (const ScriptCommand& c : lines) {
    if (c.op == ScriptOp::Press || c.op == ScriptOp::Move) last = c.ints;
  }
  lines.back() = MakeCommand(ScriptOp::Release, last);
  return lines;
}

// What a dropped step must leave as it was (figures with their marks, tools,
// clipboard, histories), and the first invariant broken. Not the host's dump:
// it takes five times as long, and its read-out and cursor follow the pointer.
struct State {
  std::string text;
  std::string broken;
};

State ReadState(Host& host) {
  State state{{}, CheckOwnership(host)};
  std::ostringstream out;
  const auto figures = [&out](const BList* list, const CObject* drawing) {
    for (BPosition pos = list != nullptr ? list->GetHeadPosition() : nullptr; pos != nullptr;) {
      const CObject* f = list->GetNext(pos);
      if (f != nullptr)
        out << (f == drawing ? "  drawing " : "  ") << FigureText(*static_cast<const TDShape*>(f), true) << '\n';
    }
  };
  const ModuleLoader& loader = host.Loader();
  if (const BModuleInterface* module = host.Module()) {
    const auto* current = static_cast<const std::int16_t*>(loader.Symbol("gCurrentTool"));
    const auto* apex = static_cast<const int*>(loader.Symbol("gPolygonApex"));
    out << "tool " << module->fCurrentTool << ' ' << (current ? *current : -1) << " apex " << (apex ? *apex : -1)
        << '\n';
  }
  if (auto* const* clip = static_cast<BList* const*>(loader.Symbol("_ZN16TObjectContainer14fClipContainerE"))) {
    out << "clipboard\n";
    figures(*clip, nullptr);
  }
  for (const auto& doc : host.Documents()) {
    out << "document " << doc->document.fName << (doc.get() == host.Active() ? " active" : "");
    for (int label : doc->history.UndoLabels()) out << " u" << label;
    for (int label : doc->history.RedoLabels()) out << " r" << label;
    out << '\n';
    if (const TObjectContainer* sketch = SketchOf(doc->document)) {
      const OsImgRect& a = sketch->fActArea;
      out << "area " << a.left << ' ' << a.top << ' ' << a.right << ' ' << a.bottom << " centre "
          << std::setprecision(9) << sketch->fCenter.x << ' ' << sketch->fCenter.y << ' ' << sketch->fCenterShown
          << '\n';
      figures(sketch, sketch->fDrawing);
    }
  }
  state.text = out.str();
  return state;
}

// The first line where two states part, for the failure message.
std::string FirstDifference(const std::string& want, const std::string& got) {
  std::istringstream a(want), b(got);
  std::string la, lb;
  for (int line = 1;; ++line) {
    const bool more = static_cast<bool>(std::getline(a, la));
    if (!std::getline(b, lb) && !more) return "no difference";
    if (!more) la = "(end)";
    if (la != lb) return "state line " + std::to_string(line) + ": want '" + la + "', got '" + lb + "'";
  }
}

// One session of the host over a script, from a fresh platform.
Replay Session() {
  ResetPlatform();
  return Replay(ReplayOptions{{}, {}, {}, SKETCH_MODULE_PATH});
}

struct Outcome {
  bool dropped = false;  // the host said so
  std::string escaped;   // what got past the host, if anything did
};

Outcome Play(Replay& session, const std::vector<ScriptCommand>& commands, Step step) {
  Outcome outcome;
  try {
    for (std::size_t k = step.begin; k < step.end; ++k) {
      const ReplayError e = session.Execute(commands[k]);
      if (e.code != kExitOk) outcome.escaped = "the runner failed: " + e.message;
      outcome.dropped = outcome.dropped || session.StepDropped();
    }
  } catch (const CMemoryException&) {
    outcome.escaped = "the memory exception";
  } catch (const std::bad_alloc&) {
    outcome.escaped = "std::bad_alloc";
  }
  return outcome;
}

std::string LineOf(const std::vector<ScriptCommand>& commands, Step step) {
  const ScriptCommand& c = commands[step.begin];
  return "line " + std::to_string(c.line) + " (" + ScriptOpName(c.op) + ")";
}

class AllocSweep : public ::testing::TestWithParam<std::tuple<std::string, Failure>> {
 protected:
  void SetUp() override {
    const std::string path = std::string(SKETCH_ALLOC_SCRIPTS) + "/" + std::get<0>(GetParam()) + ".txt";
    std::string text;
    ASSERT_EQ(ReadWholeFile(path, text), "");
    const ParseResult parsed = ParseScript(text);
    ASSERT_TRUE(parsed.ok()) << path << ": " << FormatError(parsed.error());
    fCommands = parsed.commands();
    fSteps = StepsOf(fCommands);
  }

  void TearDown() override { OsFailAllocationsAfter(-1); }

  // The session without failures: each step's allocations and the state after it.
  void RunClean() {
    Replay session = Session();
    for (const Step& step : fSteps) {
      const long long before = OsAllocationsConsulted();
      const Outcome outcome = Play(session, fCommands, step);
      ASSERT_EQ(outcome.escaped, "") << LineOf(fCommands, step);
      ASSERT_FALSE(outcome.dropped) << LineOf(fCommands, step);
      fAllocations.push_back(OsAllocationsConsulted() - before);
      fAfter.push_back(ReadState(session.GetHost()));
      ASSERT_EQ(fAfter.back().broken, "") << LineOf(fCommands, step);
    }
  }

  // What `work` wrote in a child forked from the session as it stands, so that
  // every failure of a step shares the steps before it; or how the child died.
  static std::string Forked(const std::function<std::string()>& work) {
    const std::optional<ChildRun> child = InChild([&](int fd) {
      std::string out = work();
#ifdef __SANITIZE_ADDRESS__
      if (__lsan_do_recoverable_leak_check() != 0) out = "\1memory leaked";
#endif
      WriteAll(fd, out);
    });
    if (!child) return "\1no child process";
    if (WIFSIGNALED(child->status))
      return "\1the host crashed (signal " + std::to_string(WTERMSIG(child->status)) + ")";
    return child->out;
  }

  // In a child: fails allocation `nth` of step `failed` and replays the rest,
  // unless an earlier failure left the same state. "\1" and what is wrong, or
  // the state after the step.
  std::string Sweep(Replay& session, std::size_t failed, long long nth, const std::string& before) {
    const long long start = OsAllocationsConsulted();
    const bool once = std::get<1>(GetParam()) == Failure::kOnce;
    once ? OsFailOneAllocationAfter(static_cast<int>(nth)) : OsFailAllocationsAfter(static_cast<int>(nth));
    const Step& step = fSteps[failed];
    const Outcome outcome = Play(session, fCommands, step);
    OsFailAllocationsAfter(-1);
    if (OsAllocationsConsulted() - start <= nth) return "\1the step no longer reaches that allocation";
    // Opening a document is no step to drop: the picture may open without its
    // sketch, or the run ends; a run that goes on must replay soundly.
    const ScriptCommand& c = fCommands[step.begin];
    const bool opening = c.op == ScriptOp::Document;
    if (opening && !outcome.escaped.empty()) {
      const bool memory =
          outcome.escaped.find("memory") != std::string::npos || outcome.escaped.find("bad_alloc") != std::string::npos;
      if (!memory) return "\1the opening failed for another reason: " + outcome.escaped;
      session.GetHost().Unload();
      return {};
    }
    if (!outcome.escaped.empty()) return "\1" + outcome.escaped + " got past the host";
    const State after = ReadState(session.GetHost());
    if (!after.broken.empty()) return "\1" + after.broken;
    // A step that changes nothing even when it works (a key, a tool already
    // chosen) is done, not dropped: the rest goes on as after it.
    const bool done = !opening && after.text == fAfter[failed].text;
    // A cancel that ran out of memory undoing its gesture keeps it as its
    // release would have: the figures agree with nothing else then.
    const bool released = !opening && !done && step.cancel && after.text == fReleased;
    const bool unchanged = !opening && !done && after.text == before;
    if (!opening) {
      if (outcome.dropped && after.text != before && !released)
        return "\1the dropped step changed the sketch: " + FirstDifference(before, after.text);
      // Whoever replays or records the session learns of a step dropped, or
      // kept other than asked.
      if ((unchanged || released) && !outcome.dropped) return "\1the step was dropped without a word";
      // A free-hand stroke goes on without a sample that cannot be stored:
      // done, but not as without failures, so its rest only has to replay.
      const bool sampleLeftOut = !unchanged && !done && step.freeHand && once;
      if (!unchanged && !done && !sampleLeftOut && !released) {
        return "\1the step was left half done: " + FirstDifference(fAfter[failed].text, after.text) +
               "; before it: " + FirstDifference(before, after.text);
      }
    }
    // The session is deterministic: the rest is replayed once from each state.
    if (fReplayed.count(after.text) != 0) return after.text;
    for (std::size_t i = failed + 1; i < fSteps.size(); ++i) {
      const Outcome rest = Play(session, fCommands, fSteps[i]);
      if (!rest.escaped.empty() || rest.dropped) return "\1the rest did not replay at " + LineOf(fCommands, fSteps[i]);
    }
    const State end = ReadState(session.GetHost());
    if (!end.broken.empty()) return "\1at the end: " + end.broken;
    session.GetHost().Unload();
    // A dialog that was answered before its command failed has taken its
    // answer from the queue; leaving the step out would leave it there. The
    // other outcomes only have to replay soundly.
    const bool dialog = c.op == ScriptOp::Menu && (c.ints[0] == kScaleDialog || c.ints[0] == kRotateDialog);
    const std::string& want = unchanged ? fWithout : fAfter.back().text;
    if ((done || (unchanged && !dialog)) && end.text != want) {
      return std::string("\1the end differs from a session ") + (unchanged ? "without the step: " : "with it: ") +
             FirstDifference(want, end.text);
    }
    return after.text;
  }

  std::vector<ScriptCommand> fCommands;
  std::vector<Step> fSteps;
  std::vector<long long> fAllocations;
  std::vector<State> fAfter;
  std::set<std::string> fReplayed;  // states after the current step whose rest was replayed
  std::string fReleased;            // for a cancelled gesture, the state its release leaves
  std::string fWithout;             // the end of the session without the current step
};

TEST_P(AllocSweep, EachFailedAllocationDropsOrFinishesItsStepAndTheRestReplays) {
  // Every allocation, or with SKETCH_ALLOC_STRIDE=n every n-th from an offset
  // that moves on with each step, so that the steps together still meet early,
  // middle and late allocations: for the sanitizer build, where failures cost.
  const long long stride = EnvNumber("SKETCH_ALLOC_STRIDE", 1);
  ASSERT_NO_FATAL_FAILURE(RunClean());
  long long total = 0;
  std::set<std::string> kinds;
  Replay session = Session();
  for (std::size_t i = 0; i < fSteps.size(); ++i) {
    const std::string before = ReadState(session.GetHost()).text;
    const Step& step = fSteps[i];
    const ScriptOp op = fCommands[step.begin].op;
    const long long first = static_cast<long long>(i) % stride;
    // Set-up lines other than opening a document allocate nothing of the sketch's.
    const bool setUp = op == ScriptOp::Screen || op == ScriptOp::Profile || op == ScriptOp::Load;
    const bool swept = !setUp && first < fAllocations[i];
    fReplayed.clear();
    fReleased = !swept || !step.cancel ? "" : Forked([&] {
      const std::vector<ScriptCommand> lines = Released(fCommands, step);
      Play(session, lines, {0, lines.size()});
      return ReadState(session.GetHost()).text;
    });
    fWithout = !swept ? "" : Forked([&] {
      for (std::size_t k = i + 1; k < fSteps.size(); ++k) Play(session, fCommands, fSteps[k]);
      return ReadState(session.GetHost()).text;
    });
    for (long long nth = first; swept && nth < fAllocations[i]; nth += stride, ++total) {
      const std::string out = Forked([&] { return Sweep(session, i, nth, before); });
      if (out.empty() || out[0] != '\1') {
        fReplayed.insert(out);
        continue;
      }
      const std::string problem = out.substr(1);
      // The first of each kind says enough.
      if (kinds.insert(std::string(ScriptOpName(op)) + ": " + problem.substr(0, problem.find(':'))).second) {
        ADD_FAILURE() << LineOf(fCommands, step) << ", allocation " << nth + 1 << " of " << fAllocations[i] << ": "
                      << problem;
      }
    }
    const long long start = OsAllocationsConsulted();
    Play(session, fCommands, step);
    ASSERT_EQ(OsAllocationsConsulted() - start, fAllocations[i])
        << LineOf(fCommands, step) << " allocated differently than in the first session";
  }
  // A script that allocates nothing would pass without testing anything.
  EXPECT_GT(total, 0);
}

std::vector<std::string> Scripts() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(SKETCH_ALLOC_SCRIPTS)) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Scripts, AllocSweep,
                         ::testing::Combine(::testing::ValuesIn(Scripts()),
                                            ::testing::Values(Failure::kOnce, Failure::kLasting)),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param);
                           std::replace_if(
                               name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
                           return name + (std::get<1>(info.param) == Failure::kOnce ? "_once" : "_lasting");
                         });

}  // namespace
