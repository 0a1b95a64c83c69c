#include "EditRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <sstream>

#include "BHistory.h"
#include "BList.h"
#include "HostDump.h"
#include "OsAfx.h"
#include "OsAfxWin.h"
#include "OsPlatformHost.h"
#include "Replay.h"
#include "ScriptKeys.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "model/TDUnit.h"

namespace {

// Numbers for the generator, from a seed or from a fuzzer's bytes. A seed feeds
// an engine whose output the standard fixes, mapped to a range by our own
// arithmetic so that every library gives the same.
class ByteSource {
 public:
  explicit ByteSource(std::uint64_t seed) : fEngine(seed) {}
  ByteSource(const std::uint8_t* data, std::size_t size) : fBytes(true), fData(data), fSize(size) {}
  // A number in [0, n); 0 when n is 0.
  std::uint32_t Below(std::uint32_t n) {
    if (!fBytes) return n == 0 ? 0 : static_cast<std::uint32_t>(fEngine() % n);
    if (n <= 1) return 0;
    std::uint32_t v = Byte();
    if (n > 256) v = v << 8 | Byte();
    return v % n;
  }
  bool Exhausted() const { return fBytes && fAt >= fSize; }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<std::uint32_t>(high - low + 1))); }

 private:
  std::uint32_t Byte() { return fAt < fSize ? fData[fAt++] : 0; }
  std::mt19937_64 fEngine;
  bool fBytes = false;
  const std::uint8_t* fData = nullptr;
  std::size_t fSize = 0;
  std::size_t fAt = 0;
};

// What undo must bring back of the container's figures, in drawing order.
using Shapes = std::vector<std::string>;
Shapes ShapesOf(const TObjectContainer* container) {
  Shapes shapes;
  for (BPosition pos = container != nullptr ? container->GetHeadPosition() : nullptr; pos != nullptr;) {
    const CObject* item = container->GetNext(pos);
    shapes.push_back(item != nullptr ? FigureText(*static_cast<const TDShape*>(item), false) : "(empty entry)");
  }
  return shapes;
}

// Where two captures first differ, for a failure message; empty when equal.
std::string DescribeDifference(const Shapes& want, const Shapes& got) {
  for (std::size_t k = 0; k < std::min(want.size(), got.size()); ++k) {
    if (want[k] != got[k]) return "figure " + std::to_string(k) + " is " + got[k] + "\n  want " + want[k];
  }
  if (want.size() == got.size()) return {};
  return std::to_string(got.size()) + " figures, want " + std::to_string(want.size());
}

struct Tracked {
  std::vector<Shapes> states;  // the figures at each history position, 0 .. StepCount
  std::vector<const BCommand*> steps;
  int position = 0;
};

std::vector<const BCommand*> StepsOf(const BHistory& history) {
  std::vector<const BCommand*> steps;
  for (int k = 0; k < history.StepCount(); ++k) steps.push_back(history.Step(k));
  return steps;
}

// Steps that put a changed figure at the end of the drawing order put it back
// there on undo: undo and redo bring back the figures in an order of their own.
Shapes Sorted(Shapes shapes) {
  std::sort(shapes.begin(), shapes.end());
  return shapes;
}

// The host and the module with the checker around them.
class EditSession {
 public:
  explicit EditSession(const EditRunConfig& config)
      : fReplay(ReplayOptions{{}, {}, {}, config.modulePath}), fTamper(config.tamper) {
    ResetPlatform();
  }

  Host& GetHost() { return fReplay.GetHost(); }

  std::optional<EditFailure> Apply(const EditEvent& event, std::size_t index) {
    for (const std::string& line : event.lines) {
      if (auto failure = Line(line)) {
        failure->event = index;
        failure->message = "'" + line + "': " + failure->message;
        return failure;
      }
    }
    return std::nullopt;
  }

 private:
  std::optional<EditFailure> Line(const std::string& line) {
    const ParseResult parsed = ParseScript(line);
    if (!parsed.ok()) return EditFailure{0, "script", FormatError(parsed.error())};
    Host& host = GetHost();
    for (const ScriptCommand& command : parsed.commands()) {
      const std::string activeBefore = host.Active() != nullptr ? host.Active()->document.fName : "";
      const bool trackingBefore = host.IsTracking();
      try {
        if (ReplayError e = fReplay.Execute(command); e.code != kExitOk) return EditFailure{0, "runner", e.message};
      } catch (const CMemoryException&) {
        return EditFailure{0, "memory", "the memory exception reached the host"};
      }
      if (fTamper) fTamper(host, line);
      if (auto failure = Check(command.op, activeBefore, trackingBefore)) return failure;
    }
    return std::nullopt;
  }

  std::optional<EditFailure> Check(ScriptOp op, const std::string& activeBefore, bool trackingBefore) {
    Host& host = GetHost();
    if (std::string error = CheckOwnership(host); !error.empty()) return EditFailure{0, "ownership", error};
    const bool tracking = host.IsTracking();
    const bool documents = op == ScriptOp::Document || op == ScriptOp::Activate || op == ScriptOp::Close;
    const bool history = op == ScriptOp::Undo || op == ScriptOp::Redo || op == ScriptOp::Cancel;
    std::map<std::string, Tracked> now;
    for (const auto& doc : host.Documents()) {
      const std::string& name = doc->document.fName;
      Tracked cur{{}, StepsOf(doc->history), doc->history.Position()};
      const Shapes figures = ShapesOf(SketchOf(doc->document));
      const auto found = fTracked.find(name);
      if (found == fTracked.end()) {
        if (!cur.steps.empty()) return EditFailure{0, "history", "a new document " + name + " has a history"};
        cur.states.push_back(figures);
        now.emplace(name, std::move(cur));
        continue;
      }
      Tracked& was = found->second;
      // Switching documents mid-gesture ends the gesture in the one it began in.
      const bool active = name == activeBefore && (!documents || trackingBefore);
      cur.states = std::move(was.states);
      // A cancelled gesture leaves the history as it was, and the figures as
      // its undo brings them back.
      if (!active || history) {
        if (cur.steps != was.steps)
          return EditFailure{0, "history",
                             "the steps of " + name + " changed" +
                                 (active ? std::string(" by ") + ScriptOpName(op) : " while it was not in use")};
        int want = was.position;
        if (active && !trackingBefore && op == ScriptOp::Undo && want > 0) --want;
        if (active && !trackingBefore && op == ScriptOp::Redo && want < static_cast<int>(was.steps.size())) ++want;
        if (cur.position != want) {
          return EditFailure{0, "history",
                             name + " is at step " + std::to_string(cur.position) + ", want " + std::to_string(want)};
        }
        Shapes& expected = cur.states[static_cast<std::size_t>(cur.position)];
        // Undo and redo wait for the button while a gesture owns the figures.
        // Which figures they leave selected is the steps' own business; the
        // figures themselves must come back bit for bit.
        if (!tracking && (!documents || cur.position != was.position)) {
          if (std::string diff = DescribeDifference(Sorted(expected), Sorted(figures)); !diff.empty()) {
            return EditFailure{0, history ? ScriptOpName(op) : "untouched",
                               name + " at step " + std::to_string(cur.position) + ": " + diff};
          }
        }
        // Undo brings them back in the order they are in now.
        if (!tracking) expected = figures;
      } else if (cur.steps == was.steps && cur.position == was.position) {
        // No new step: only what is selected or shown may have changed. Mid-
        // gesture the figures are the gesture's; undo brings back those before it.
        const Shapes& before = cur.states[static_cast<std::size_t>(cur.position)];
        if (std::string diff = DescribeDifference(before, figures); !tracking && !diff.empty())
          return EditFailure{0, "unrecorded", name + " changed without a step: " + diff};
      } else {
        // One new step after those undo could reach; the redo branch and, at the
        // limit, the oldest step are gone.
        const std::ptrdiff_t dropped = was.position == BHistory::kLimit ? 1 : 0;
        const std::vector<const BCommand*> kept(was.steps.begin() + dropped, was.steps.begin() + was.position);
        const bool oneNew = cur.steps.size() == kept.size() + 1 && cur.position == static_cast<int>(cur.steps.size()) &&
                            std::equal(kept.begin(), kept.end(), cur.steps.begin()) &&
                            std::find(was.steps.begin(), was.steps.end(), cur.steps.back()) == was.steps.end();
        if (!oneNew) {
          return EditFailure{0, "history",
                             name + " went from step " + std::to_string(was.position) + " of " +
                                 std::to_string(was.steps.size()) + " to step " + std::to_string(cur.position) +
                                 " of " + std::to_string(cur.steps.size())};
        }
        cur.states.resize(static_cast<std::size_t>(was.position) + 1);
        cur.states.erase(cur.states.begin(), cur.states.begin() + dropped);
        cur.states.push_back(figures);
      }
      now.emplace(name, std::move(cur));
    }
    fTracked = std::move(now);
    return std::nullopt;
  }

  Replay fReplay;
  std::function<void(Host&, const std::string&)> fTamper;
  std::map<std::string, Tracked> fTracked;
};

// What a person does next, from the numbers and the state the host is in.
class EventGenerator {
 public:
  EventGenerator(ByteSource& bytes, Host& host, int roundTripEvery)
      : fBytes(bytes), fHost(host), fRoundTripEvery(roundTripEvery) {}

  EditEvent Next(std::size_t index) {
    if (index == 0)
      return {{"document d0 " + std::to_string(fBytes.Between(48, 200)) + " " + std::to_string(fBytes.Between(48, 160)),
               "mode on"}};
    if (fRoundTripEvery > 0 && index % static_cast<std::size_t>(fRoundTripEvery) == 0 && !fHost.IsTracking()) {
      return RoundTrip();
    }
    if (fHost.IsTracking()) {
      const std::uint32_t r = fBytes.Below(10);
      if (r < 6) return {{"move " + Point()}};
      if (r < 9) return {{"release " + Point()}};
      // Escape, or now and then what the host holds off until the button is up.
      if (fBytes.Chance(40)) return {{"cancel"}};
    }
    // Out of a hundred.
    const std::uint32_t r = fBytes.Below(100);
    if (r < 9) return {{"tool " + std::to_string(fBytes.Below(18))}};
    if (r < 14) return {{"press " + Point()}};
    if (r < 18) return {{"move " + Point()}};
    if (r < 22) return {{"release " + Point()}};
    if (r < 34) return {{"click " + Point()}};
    if (r < 50) return Drag();
    if (r < 57) return Key();
    if (r < 69) return Menu();
    if (r < 82) return {{"undo"}};
    if (r < 86) return {{"redo"}};
    if (r < 89) return Documents();
    if (r < 92) return Zoom();
    if (r < 96) return Settings();
    if (r < 98) return {{"replicate " + std::to_string(fBytes.Below(3)) + " " + Point()}};
    return {{"cancel"}};
  }

  // Every step of the active document undone and redone again.
  EditEvent RoundTrip() {
    EditEvent e;
    const HostDocument* doc = fHost.Active();
    const int steps = doc != nullptr ? doc->history.Position() : 0;
    for (int k = 0; k < steps; ++k) e.lines.push_back("undo");
    for (int k = 0; k < steps; ++k) e.lines.push_back("redo");
    if (e.lines.empty()) e.lines.push_back("redo");
    return e;
  }

 private:
  // A view point, mostly on or near what the figures offer to hit: vertices,
  // handles, segments, the rotation centre and the corners of the active area.
  std::string Point() {
    const HostDocument* doc = fHost.Active();
    const int w = doc != nullptr ? doc->frame.width : 160, h = doc != nullptr ? doc->frame.height : 120;
    std::vector<TDFloatPoint> targets;
    const TObjectContainer* sketch = doc != nullptr ? SketchOf(doc->document) : nullptr;
    if (sketch != nullptr && fBytes.Chance(80)) Targets(*sketch, targets);
    if (targets.empty()) {
      // Now and then beyond the view's edges.
      return std::to_string(fBytes.Between(-8, w + 8)) + " " + std::to_string(fBytes.Between(-8, h + 8));
    }
    const TDFloatPoint& p = targets[fBytes.Below(static_cast<std::uint32_t>(targets.size()))];
    const BZoom& z = doc->view.GetZoom();
    const auto toView = [](double v, float origin, float zoom) {
      const double d = (v - origin) * zoom;
      return std::isfinite(d) && std::fabs(d) < 1e6 ? static_cast<int>(d) : 0;
    };
    int x = toView(p.x, z.fOriginX, z.fZoomX), y = toView(p.y, z.fOriginY, z.fZoomY);
    if (fBytes.Chance(40)) {
      x += fBytes.Between(-3, 3);
      y += fBytes.Between(-3, 3);
    }
    return std::to_string(x) + " " + std::to_string(y);
  }

  static void Targets(const TObjectContainer& sketch, std::vector<TDFloatPoint>& out) {
    for (BPosition pos = sketch.GetHeadPosition(); pos != nullptr;) {
      const auto* shape = static_cast<const TDShape*>(sketch.GetNext(pos));
      if (shape == nullptr) continue;
      const TDUnit* first = nullptr;
      const TDUnit* last = nullptr;
      for (BPosition u = shape->fUnits.GetHeadPosition(); u != nullptr;) {
        const auto* unit = static_cast<const TDUnit*>(shape->fUnits.GetNext(u));
        if (unit == nullptr) continue;
        out.push_back(unit->fAnchor);
        out.push_back(unit->fDirection1);
        out.push_back(unit->fDirection2);
        if (last != nullptr) out.push_back(Middle(last->fAnchor, unit->fAnchor));
        if (first == nullptr) first = unit;
        last = unit;
      }
      if (!shape->fOpen && first != nullptr && first != last) out.push_back(Middle(last->fAnchor, first->fAnchor));
    }
    out.push_back(sketch.fCenter);
    const OsImgRect& a = sketch.fActArea;
    for (int k = 0; k < 4; ++k) {
      out.push_back(
          TDFloatPoint(static_cast<float>(k & 1 ? a.right : a.left), static_cast<float>(k & 2 ? a.bottom : a.top)));
    }
  }

  static TDFloatPoint Middle(const TDFloatPoint& a, const TDFloatPoint& b) {
    return TDFloatPoint(static_cast<float>((static_cast<double>(a.x) + b.x) / 2),
                        static_cast<float>((static_cast<double>(a.y) + b.y) / 2));
  }

  EditEvent Drag() {
    const std::string from = Point();
    std::string to;
    if (fBytes.Chance(30)) {
      to = Point();  // onto another vertex: joins, snapping, dragging onto figures
    } else {
      std::istringstream in(from);
      int x = 0, y = 0;
      in >> x >> y;
      const int reach = fBytes.Chance(80) ? 12 : 80;
      to = std::to_string(x + fBytes.Between(-reach, reach)) + " " + std::to_string(y + fBytes.Between(-reach, reach));
    }
    return {{"drag " + from + " " + to + " " + std::to_string(fBytes.Between(1, 4))}};
  }

  EditEvent Key() {
    const ScriptKey& key = kScriptKeys[fBytes.Below(4)];
    auto& down = fDown[static_cast<std::size_t>(&key - kScriptKeys)];
    down = !down;
    return {{std::string("key ") + (down ? "down " : "up ") + key.name}};
  }

  EditEvent Menu() {
    static constexpr std::array<int, 16> kCommands{1003, 5100, 5101,  5110,  5111,  5120,  5121,  5122,
                                                   5123, 5124, 57632, 57634, 57635, 57637, 57642, 4242};
    static constexpr std::array<const char*, 14> kScales{"",    "0",   "1",   "10",   "50",   "99",   "100",
                                                         "150", "200", "999", "1000", "1001", "9999", "12a"};
    static constexpr std::array<const char*, 11> kAngles{"",    "0",   "1",   "30",  "45",  "90",
                                                         "180", "359", "360", "361", "9999"};
    const int command = kCommands[fBytes.Below(kCommands.size())];
    EditEvent e;
    const int answers = command == 5100 || command == 5123 ? static_cast<int>(fBytes.Below(3)) : 0;
    for (int k = 0; k < answers; ++k) {
      const char* close = fBytes.Chance(80) ? " ok" : " cancel";
      if (command == 5100) {
        e.lines.push_back(std::string("answer scale \"") + kScales[fBytes.Below(kScales.size())] + "\"" + close);
      } else {
        e.lines.push_back(std::string("answer rotate \"") + kAngles[fBytes.Below(kAngles.size())] + "\"" +
                          (fBytes.Chance(50) ? " cw" : " ccw") + close);
      }
    }
    e.lines.push_back("menu " + std::to_string(command));
    return e;
  }

  EditEvent Documents() {
    const auto& docs = fHost.Documents();
    const std::uint32_t r = fBytes.Below(3);
    if (r == 0 && docs.size() < 3) {
      return {{"document d" + std::to_string(++fNamed) + " " + std::to_string(fBytes.Between(48, 200)) + " " +
               std::to_string(fBytes.Between(48, 160))}};
    }
    if (docs.empty()) return {{"undo"}};
    const std::string name = docs[fBytes.Below(static_cast<std::uint32_t>(docs.size()))]->document.fName;
    // The last document stays: without one the host would open its large default picture.
    if (r == 2 && docs.size() > 1) return {{"close " + name}};
    return {{"activate " + name}};
  }

  EditEvent Zoom() {
    static constexpr std::array<const char*, 8> kZooms{"0.25", "0.5", "1", "1", "1", "2", "3", "4"};
    const char* zoom = kZooms[fBytes.Below(kZooms.size())];
    const std::string half = fBytes.Chance(20) ? ".5" : "";
    return {{std::string("zoom ") + zoom + " " + std::to_string(fBytes.Between(-8, 24)) + half + " " +
             std::to_string(fBytes.Between(-8, 24))}};
  }

  EditEvent Settings() {
    static constexpr std::array<const char*, 6> kDisplay{"black", "transparent", "inverted", "palette", "show", "hide"};
    switch (fBytes.Below(7)) {
      case 0: return {{"apex " + std::to_string(fBytes.Between(-2, 20))}};
      case 1: return {{"palette-index " + std::to_string(fBytes.Below(256))}};
      case 2: return {{fBytes.Chance(50) ? "grid off" : "grid on " + std::to_string(1 << fBytes.Below(5))}};
      case 3: return {{std::string("display ") + kDisplay[fBytes.Below(kDisplay.size())]}};
      case 4: return {{fBytes.Chance(70) ? "mode on" : "mode off"}};
      case 5: return {{"tools off"}};
      default:
        return {{"view " + std::to_string(fBytes.Between(32, 240)) + " " + std::to_string(fBytes.Between(32, 180))}};
    }
  }

  ByteSource& fBytes;
  Host& fHost;
  int fRoundTripEvery;
  int fNamed = 0;
  std::array<bool, 4> fDown{};
};

// A child writes each event on a line, its lines apart by a record separator,
// then any failure.
constexpr char kLineBreak = '\x1e', kFailed = '\x01';

void Send(int fd, std::string text) {
  if (fd < 0) return;
  std::replace(text.begin(), text.end(), '\n', kLineBreak);
  WriteAll(fd, text + '\n');
}

EditRunResult Parse(const std::string& text) {
  EditRunResult result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::replace(line.begin(), line.end(), kLineBreak, '\n');
    const bool failed = line.rfind(kFailed, 0) == 0;
    std::istringstream part(line.substr(failed ? 1 : 0));
    if (failed) {
      EditFailure failure;
      part >> failure.event >> failure.kind;
      std::getline(part >> std::ws, failure.message, '\0');
      result.failure = failure;
    } else {
      EditEvent e;
      for (std::string l; std::getline(part, l);) e.lines.push_back(l);
      result.events.push_back(std::move(e));
    }
  }
  return result;
}

EditRunResult Run(ByteSource bytes, const EditRunConfig& config, int fd) {
  EditRunResult result;
  EditSession session(config);
  EventGenerator generator(bytes, session.GetHost(), config.roundTripEvery);
  // Each event goes to the parent before it runs, so that a crash in it shows.
  const auto apply = [&](EditEvent e) {
    Send(fd, ScriptOf({e}));
    result.events.push_back(std::move(e));
    result.failure = session.Apply(result.events.back(), result.events.size() - 1);
    return !result.failure;
  };
  for (std::size_t k = 0; k < static_cast<std::size_t>(config.events) && !bytes.Exhausted(); ++k) {
    if (!apply(generator.Next(k))) return result;
  }
  // Everything undone and redone once more at the end.
  if (!session.GetHost().IsTracking()) apply(generator.RoundTrip());
  return result;
}

// Sketch.MOD stays mapped once loaded, its globals carrying one run into the
// next: each run has its own process, where a crash or leak fails the last event.
EditRunResult Isolated(ByteSource bytes, const EditRunConfig& config) {
  if (!config.isolate) return Run(bytes, config, -1);
  const std::optional<ChildRun> child = InChild([&](int fd) {
    {
      const EditRunResult r = Run(bytes, config, fd);
      if (r.failure)
        Send(fd, kFailed + std::to_string(r.failure->event) + " " + r.failure->kind + " " + r.failure->message);
    }
    ::close(fd);
    std::exit(0);  // the leak check runs at exit
  });
  if (!child) return {{}, EditFailure{0, "process", "no child process"}};
  const int status = child->status;
  EditRunResult result = Parse(child->out);
  if (!result.failure && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
    const std::string how = WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                                : "status " + std::to_string(WEXITSTATUS(status));
    const std::size_t last = result.events.empty() ? 0 : result.events.size() - 1;
    result.failure = EditFailure{last, "crash", "the run ended with " + how + " (see its error output)"};
  }
  return result;
}

}  // namespace

void ResetPlatform() {
  OsReleaseAllKeys();
  AfxGetApp()->fProfile.clear();
  OsClearBeeps();
  OsSetScreenSize(1024, 768);
}

int EnvNumber(const char* name, int otherwise) {
  const char* text = std::getenv(name);
  const int value = text != nullptr ? std::atoi(text) : 0;
  return value > 0 ? value : otherwise;
}

EditRunResult RunSeed(std::uint64_t seed, const EditRunConfig& config) { return Isolated(ByteSource(seed), config); }

EditRunResult RunEditEvents(const std::uint8_t* data, std::size_t size, const EditRunConfig& config) {
  return Isolated(ByteSource(data, size), config);
}

std::optional<ChildRun> InChild(const std::function<void(int fd)>& body) {
  // What the parent has buffered would otherwise be written again by the child.
  std::fflush(nullptr);
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::close(fds[0]);
    body(fds[1]);
    ::_exit(0);
  }
  ::close(fds[1]);
  ChildRun run;
  char buffer[65536];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) run.out.append(buffer, static_cast<std::size_t>(n));
  ::close(fds[0]);
  ::waitpid(child, &run.status, 0);
  return run;
}

void WriteAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string ScriptOf(const std::vector<EditEvent>& events) {
  std::string script;
  for (const EditEvent& e : events) {
    for (const std::string& line : e.lines) script += line + "\n";
  }
  return script;
}
