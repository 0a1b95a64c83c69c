#include "ScriptPlayer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "DocumentView.h"
#include "ScriptKeys.h"
#include "StudioWindow.h"
#include "ToolPalette.h"

namespace {

void Mouse(QWidget* view, QEvent::Type type, OsImgPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF at(p.x, p.y);
  QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

void Key(QWidget* view, bool down, const std::string& name) {
  int key = Qt::Key_Space;
  switch (ScriptKeyCode(name)) {
    case VK_SHIFT: key = Qt::Key_Shift; break;
    case VK_CONTROL: key = Qt::Key_Control; break;
    case VK_MENU: key = Qt::Key_Alt; break;
    default: break;
  }
  QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

void KeyPress(QWidget* view, int key) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(view, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(view, &up);
}

std::string Absolute(const std::string& path) {
  return path.empty() ? path : QDir().absoluteFilePath(QString::fromStdString(path)).toStdString();
}

// What the journal and a recording keep of the lines the runner plays: not
// what writes files or loads the module, which a saved sketch may not hold;
// a document goes in with its picture's hash.
bool Recorded(ScriptOp op) {
  switch (op) {
    case ScriptOp::Load:
    case ScriptOp::Unload:
    case ScriptOp::Document:
    case ScriptOp::Snapshot:
    case ScriptOp::Dump:
    case ScriptOp::Region:
    case ScriptOp::Trace: return false;
    default: return true;
  }
}

}  // namespace

ScriptPlayer::ScriptPlayer(StudioWindow& window, std::vector<ScriptCommand> commands, ReplayOptions options)
    : QObject(&window),
      fWindow(window),
      fCommands(std::move(commands)),
      fOptions(std::move(options)),
      fReplay(fOptions, window.GetHost()) {}

void ScriptPlayer::Start() {
  fWindow.SetPlaying(true);
  QTimer::singleShot(0, this, [this] { Step(); });
}

void ScriptPlayer::Step() {
  ReplayError error;
  if (fNext < fCommands.size()) {
    const ScriptCommand& c = fCommands[fNext++];
    error = Play(c);
    if (error.code == kExitOk) {
      std::printf("played %d\n", c.line);
      std::fflush(stdout);
      QTimer::singleShot(0, this, [this] { Step(); });
      return;
    }
  }
  fWindow.SetPlaying(false);
  if (fFinished) fFinished(error);
}

ReplayError ScriptPlayer::Play(const ScriptCommand& c) {
  Host& host = fWindow.GetHost();
  SessionOutput& output = fWindow.Output();
  const bool wasLoaded = host.IsLoaded();
  HostDocument* const wasActive = host.Active();
  if (ReplayError e = fReplay.Prepare(c); e.code != kExitOk) return e;
  // A command that needs a document opens "main" when there is none.
  if (host.Active() != wasActive) Adopt(*host.Active(), fOptions.image);
  if (host.IsLoaded() != wasLoaded || host.Active() != wasActive) fWindow.Changed(true);
  if (PlayAsInput(c)) return {};

  // The runner destroys what it closes: the session lets go of it first.
  if (c.op == ScriptOp::Close) {
    if (HostDocument* doc = host.Find(c.words[0])) output.Closed(*doc);
  } else if (c.op == ScriptOp::Unload) {
    output.ForgetAll();
  }
  if (ReplayError e = fReplay.Execute(c); e.code != kExitOk) return e;
  if (c.op == ScriptOp::Document) {
    if (HostDocument* doc = host.Find(c.words[0])) Adopt(*doc, c.words.size() == 2 ? c.words[1] : std::string());
  } else if (Recorded(c.op)) {
    output.Script().Record(c);
  }
  // A line the session does not keep (a document that could not open) has no
  // step to take back out of it.
  fWindow.Changed(!(Recorded(c.op) && fReplay.StepDropped()));
  return {};
}

void ScriptPlayer::Adopt(HostDocument& doc, const std::string& picture) {
  fWindow.Output().Opened(doc, Absolute(picture));
}

bool ScriptPlayer::PlayAsInput(const ScriptCommand& c) {
  const auto i = [&c](std::size_t k) { return static_cast<int>(c.ints[k]); };
  QWidget* view = fWindow.View();
  switch (c.op) {
    case ScriptOp::Key: Key(view, c.words[0] == "down", c.words[1]); return true;
    case ScriptOp::Press:
      Mouse(view, QEvent::MouseButtonPress, {i(0), i(1)}, Qt::LeftButton, Qt::LeftButton);
      return true;
    case ScriptOp::Move: Mouse(view, QEvent::MouseMove, {i(0), i(1)}, Qt::NoButton, Qt::LeftButton); return true;
    case ScriptOp::Release:
      Mouse(view, QEvent::MouseButtonRelease, {i(0), i(1)}, Qt::LeftButton, Qt::NoButton);
      return true;
    case ScriptOp::Cancel:
      // Escape: outside a gesture the view passes it by, as the runner does.
      KeyPress(view, Qt::Key_Escape);
      return true;
    case ScriptOp::Click:
      Mouse(view, QEvent::MouseButtonPress, {i(0), i(1)}, Qt::LeftButton, Qt::LeftButton);
      Mouse(view, QEvent::MouseButtonRelease, {i(0), i(1)}, Qt::LeftButton, Qt::NoButton);
      return true;
    case ScriptOp::Drag:
      Mouse(view, QEvent::MouseButtonPress, {i(0), i(1)}, Qt::LeftButton, Qt::LeftButton);
      for (int k = 1; k <= i(4); ++k) Mouse(view, QEvent::MouseMove, DragMove(c, k), Qt::NoButton, Qt::LeftButton);
      Mouse(view, QEvent::MouseButtonRelease, {i(2), i(3)}, Qt::LeftButton, Qt::NoButton);
      // The pointer is over the view when the button comes up: the window
      // system asks for the cursor again.
      fWindow.AskCursor();
      return true;
    case ScriptOp::Tool: {
      QToolButton* button = fWindow.Palette()->ToolButton(i(0));
      if (button == nullptr || !button->isEnabled()) return false;
      button->click();
      return true;
    }
    case ScriptOp::Mode: {
      // A click changes the mode; the mode it is already in is the runner's.
      QToolButton* button = fWindow.Palette()->ModeButton();
      if (button == nullptr || !button->isEnabled() || button->isChecked() == (c.words[0] == "on")) return false;
      button->click();
      return true;
    }
    case ScriptOp::Menu:
      if (!fWindow.ModuleTakesEntry(i(0))) return false;
      fWindow.Action(i(0))->trigger();
      return true;
    case ScriptOp::Undo:
    case ScriptOp::Redo: {
      QAction* action = fWindow.Action(c.op == ScriptOp::Undo ? ID_EDIT_UNDO : ID_EDIT_REDO);
      if (action == nullptr || !action->isEnabled()) return false;
      action->trigger();
      return true;
    }
    default: return false;
  }
}
