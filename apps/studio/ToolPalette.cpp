#include "ToolPalette.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QShortcut>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "ModulePictures.h"
#include "OsResources.h"
#include "OsScrollControl.h"
#include "Replay.h"
#include "module/SketchTools.h"
#include "resources/SketchResources.h"

namespace {

QIcon TwoStateIcon(const QImage& normal, const QImage& selected) {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal, QIcon::Off);
  icon.addPixmap(QPixmap::fromImage(selected), QIcon::Normal, QIcon::On);
  return icon;
}

QToolButton* PictureButton(QWidget* parent, const QIcon& icon, QSize size) {
  auto* button = new QToolButton(parent);
  button->setCheckable(true);
  button->setIcon(icon);
  button->setIconSize(size);
  button->setFixedSize(size);
  // The pictures carry their own raised and pressed frames.
  button->setStyleSheet("QToolButton { border: none; padding: 0; }");
  return button;
}

}  // namespace

ToolPalette::ToolPalette(Host& host, Call call, QWidget* parent)
    : QWidget(parent), fHost(host), fCall(std::move(call)) {}

void ToolPalette::Build() {
  BModuleInterface* module = fHost.Module();
  if (module == nullptr || fMode != nullptr) return;
  const auto& d = module->fPaletteDescription;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(6);

  const QSize modeSize(d.modeButtonWidth, d.modeButtonHeight);
  fMode = PictureButton(this,
                        TwoStateIcon(BitmapImage(OsFindBitmap(nullptr, d.modeButtonBitmaps[0])),
                                     BitmapImage(OsFindBitmap(nullptr, d.modeButtonBitmaps[1]))),
                        modeSize);
  fMode->setObjectName("modeButton");
  fMode->setToolTip(tr("Sketch tools on or off"));
  connect(fMode, &QToolButton::clicked, this, [this](bool on) {
    fCall([on](BModuleInterface& m) { m.DoModeChange(on ? 1 : 0); },
          MakeCommand(ScriptOp::Mode, {}, {on ? "on" : "off"}));
  });
  layout->addWidget(fMode, 0, Qt::AlignHCenter);

  const QImage normal = BitmapImage(OsFindBitmap(nullptr, d.toolBitmaps[0]));
  const QImage selected = BitmapImage(OsFindBitmap(nullptr, d.toolBitmaps[1]));
  auto* grid = new QGridLayout;
  grid->setSpacing(0);
  const int cellHeight = d.rows > 0 ? d.toolPaletteHeight / d.rows : 0;
  for (int tool = 0; tool < d.tools && d.columns > 0; ++tool) {
    const int row = tool / d.columns, column = tool % d.columns;
    const int left = column * d.toolPaletteWidth / d.columns;
    const int right = (column + 1) * d.toolPaletteWidth / d.columns;
    const QRect cell(left, row * cellHeight, right - left, cellHeight);
    QToolButton* button = PictureButton(this, TwoStateIcon(normal.copy(cell), selected.copy(cell)), cell.size());
    button->setObjectName(QString("tool%1").arg(tool));
    connect(button, &QToolButton::clicked, this, [this, tool] {
      fCall([tool](BModuleInterface& m) { m.DoToolChange(static_cast<short>(tool), 1); },
            MakeCommand(ScriptOp::Tool, {tool}));
    });
    grid->addWidget(button, row, column);
    fTools.push_back(button);
    Describe(button, tool);
  }
  layout->addLayout(grid);

  fOption = new QWidget(this);
  // No wider than the tools: the palette, and the view beside it, keep their
  // places whichever tool is chosen.
  fOption->setFixedWidth(d.toolPaletteWidth);
  auto* option = new QVBoxLayout(fOption);
  option->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(fOption);
  caption->setObjectName("apexValue");
  option->addWidget(caption);
  fApex = new QSlider(Qt::Horizontal, fOption);
  fApex->setObjectName("apexSlider");
  option->addWidget(fApex);
  connect(fApex, &QSlider::valueChanged, this, [this](int value) {
    // The control tells the palette, which keeps the count within its range.
    fCall(
        [value](BModuleInterface& m) {
          if (OsScrollControl* control = PolygonApexControl(m)) control->SetValue(value);
        },
        MakeCommand(ScriptOp::Apex, {value}));
  });
  layout->addWidget(fOption);
  layout->addStretch(1);
  Refresh();
}

void ToolPalette::Describe(QToolButton* button, int tool) {
  // The module's own table of its tools: a name for people and a key.
  const auto* tools = static_cast<const SketchTool*>(fHost.Loader().Symbol("kSketchTools"));
  if (tools == nullptr || tool >= kToolCount) return;
  const SketchTool& row = tools[tool];
  QString name = QCoreApplication::translate("SketchTools", row.name);
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  if (row.shortcut == 0) {
    button->setToolTip(name);
    return;
  }
  const QKeySequence key(static_cast<int>(static_cast<unsigned char>(row.shortcut)));
  button->setToolTip(QString("%1 (%2)").arg(name, key.toString(QKeySequence::NativeText)));
  auto* shortcut = new QShortcut(key, window());
  connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
}

QToolButton* ToolPalette::ToolButton(int tool) const {
  return tool >= 0 && tool < static_cast<int>(fTools.size()) ? fTools[static_cast<std::size_t>(tool)] : nullptr;
}

void ToolPalette::Refresh() {
  BModuleInterface* module = fHost.Module();
  if (module == nullptr || fMode == nullptr) return;
  const bool on = module->fToolPalette != nullptr && module->fToolPalette->IsWindowVisible();
  fMode->setChecked(on);
  for (std::size_t t = 0; t < fTools.size(); ++t) {
    fTools[t]->setEnabled(on);
    fTools[t]->setChecked(static_cast<int>(t) == module->fCurrentTool);
  }
  OsScrollControl* control = PolygonApexControl(*module);
  const bool shown = control != nullptr && module->fToolOption.GetShownView() == IDD_POLYGON;
  fOption->setVisible(shown);
  if (control != nullptr) {
    const QSignalBlocker quiet(fApex);
    fApex->setRange(control->GetMin(), control->GetMax());
    fApex->setValue(control->GetValue());
    fOption->findChild<QLabel*>("apexValue")->setText(QString::number(control->GetValue()));
  }
}
