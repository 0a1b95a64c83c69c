#pragma once
// The module's face: its mode button, its tool palette cut from the module's
// bitmaps as the palette description says, and the polygon option palette's
// scroll-bar control as a slider, shown while the module shows that palette.

#include <QWidget>
#include <functional>
#include <vector>

#include "Host.h"
#include "Script.h"

class QSlider;
class QToolButton;

class ToolPalette final : public QWidget {
  Q_OBJECT

 public:
  // `call` records the command given, makes the call into the module through
  // the host, and brings the window up to date.
  using Call = std::function<void(const std::function<void(BModuleInterface&)>&, const ScriptCommand& command)>;
  ToolPalette(Host& host, Call call, QWidget* parent = nullptr);

  // Builds the buttons from the loaded module's description (nothing without one).
  void Build();
  // The chosen tool, the mode and the option palette as the module has them now.
  void Refresh();

  QToolButton* ModeButton() const { return fMode; }
  QToolButton* ToolButton(int tool) const;
  QSlider* ApexSlider() const { return fApex; }

 private:
  // The tool's name and key, from the module's table: the tooltip, and the
  // key that clicks the button anywhere in the window.
  void Describe(QToolButton* button, int tool);

  Host& fHost;
  Call fCall;
  QToolButton* fMode = nullptr;
  std::vector<QToolButton*> fTools;
  QWidget* fOption = nullptr;
  QSlider* fApex = nullptr;
};
