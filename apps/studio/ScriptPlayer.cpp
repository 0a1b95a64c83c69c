#include "ScriptPlayer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "DocumentView.h"
#include "StudioWindow.h"
#include "ToolPalette.h"

namespace {

void Mouse(QWidget* view, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF at(x, y);
  QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

void Key(QWidget* view, bool down, const std::string& name) {
  const int key = name == "shift" ? Qt::Key_Shift : name == "ctrl" ? Qt::Key_Control : name == "alt" ? Qt::Key_Alt
                                                                                                     : Qt::Key_Space;
  QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

}  // namespace

const ScriptCommand* ScriptPlayer::Unplayable(const std::vector<ScriptCommand>& commands) {
  for (const ScriptCommand& c : commands) {
    switch (c.op) {
      case ScriptOp::Tool:
      case ScriptOp::Mode:
      case ScriptOp::Key:
      case ScriptOp::Press:
      case ScriptOp::Move:
      case ScriptOp::Release:
      case ScriptOp::Menu:
      case ScriptOp::Undo:
      case ScriptOp::Redo:
        break;
      default:
        return &c;
    }
  }
  return nullptr;
}

ScriptPlayer::ScriptPlayer(StudioWindow& window, std::vector<ScriptCommand> commands)
    : QObject(&window), fWindow(window), fCommands(std::move(commands)) {}

void ScriptPlayer::Start() { QTimer::singleShot(0, this, [this] { Step(); }); }

void ScriptPlayer::Step() {
  if (fNext >= fCommands.size()) return;
  const ScriptCommand& c = fCommands[fNext++];
  Play(c);
  std::printf("played %d\n", c.line);
  std::fflush(stdout);
  Start();
}

void ScriptPlayer::Play(const ScriptCommand& c) {
  const auto i = [&c](std::size_t k) { return static_cast<int>(c.ints[k]); };
  QWidget* view = fWindow.View();
  switch (c.op) {
    case ScriptOp::Tool:
      if (QToolButton* button = fWindow.Palette()->ToolButton(i(0))) button->click();
      return;
    case ScriptOp::Mode:
      if (fWindow.Palette()->ModeButton()->isChecked() != (c.words[0] == "on")) fWindow.Palette()->ModeButton()->click();
      return;
    case ScriptOp::Key:
      Key(view, c.words[0] == "down", c.words[1]);
      return;
    case ScriptOp::Press:
      Mouse(view, QEvent::MouseButtonPress, i(0), i(1), Qt::LeftButton, Qt::LeftButton);
      return;
    case ScriptOp::Move:
      Mouse(view, QEvent::MouseMove, i(0), i(1), Qt::NoButton, Qt::LeftButton);
      return;
    case ScriptOp::Release:
      Mouse(view, QEvent::MouseButtonRelease, i(0), i(1), Qt::LeftButton, Qt::NoButton);
      return;
    case ScriptOp::Menu:
      if (QAction* action = fWindow.Action(i(0))) action->trigger();
      return;
    case ScriptOp::Undo:
      fWindow.Action(StudioWindow::kCommandUndo)->trigger();
      return;
    case ScriptOp::Redo:
      fWindow.Action(StudioWindow::kCommandRedo)->trigger();
      return;
    default:
      return;
  }
}
