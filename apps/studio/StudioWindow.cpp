#include "StudioWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QCloseEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "DocumentView.h"
#include "ModulePictures.h"
#include "OsAfxWin.h"
#include "OsMenu.h"
#include "OsPlatformHost.h"
#include "OsResources.h"
#include "ToolPalette.h"

namespace {

const char kTitle[] = "Sketch Studio";

QString ReadoutText(const Host& host) {
  QStringList parts;
  if (host.fReadoutPoint) parts << QString("X %1  Y %2").arg(host.fReadoutPoint->x).arg(host.fReadoutPoint->y);
  if (host.fReadoutSize) parts << QString("W %1  H %2").arg(host.fReadoutSize->cx).arg(host.fReadoutSize->cy);
  if (host.fReadoutRect) {
    const OsImgRect& r = *host.fReadoutRect;
    parts << QString("(%1, %2) - (%3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
  }
  return parts.join("    ");
}

}  // namespace

StudioWindow::StudioWindow(const QString& picture, const std::string& modulePath) {
  AfxGetApp()->m_pszAppName = kTitle;
  setWindowTitle(kTitle);
  fDialogs = std::make_unique<StudioDialogs>(this, fHost.fMessages);

  fView = new DocumentView(fHost, [this](bool ok) { Changed(ok); });
  auto* scroll = new QScrollArea;
  scroll->setWidget(fView);
  scroll->setAlignment(Qt::AlignCenter);
  scroll->setBackgroundRole(QPalette::Dark);
  fPalette = new ToolPalette(fHost, [this](const auto& call) { CallModule(call); });
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  fTabs = new QTabBar;
  fTabs->setObjectName("documents");
  fTabs->setExpanding(false);
  connect(fTabs, &QTabBar::currentChanged, this, [this](int index) {
    const auto& docs = fHost.Documents();
    if (fSyncingTabs || index < 0 || index >= static_cast<int>(docs.size())) return;
    HostDocument* doc = docs[static_cast<std::size_t>(index)].get();
    if (doc == fHost.Active()) return;
    bool ok = true;
    try {
      fHost.Activate(*doc);
    } catch (const CMemoryException&) {
      ok = false;
    }
    Changed(ok);
  });
  auto* documents = new QVBoxLayout;
  documents->setSpacing(0);
  documents->addWidget(fTabs);
  documents->addWidget(scroll, 1);
  layout->addWidget(fPalette);
  layout->addLayout(documents, 1);
  setCentralWidget(central);
  fReadout = new QLabel;
  fReadout->setObjectName("readout");
  fReadout->setMinimumWidth(360);
  statusBar()->addPermanentWidget(fReadout);

  try {
    fLoadError = fHost.Load(modulePath);
  } catch (const CMemoryException&) {
    fLoadError = "out of memory while loading the module";
  }
  BuildMenus();
  fPalette->Build();
  if (!picture.isEmpty() && OpenPicture(picture)) return;
  Open(DefaultPicture(), "default");
}

StudioWindow::~StudioWindow() {
  fClosing = true;
  // The view and the palette talk to the host: they go first. The module goes
  // while the window that shows its dialogs still exists.
  delete takeCentralWidget();
  fHost.Unload();
}

void StudioWindow::BuildMenus() {
  menuBar()->clear();
  fEntries.clear();
  HMENU bar = fHost.MenuBar();
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(OsGetMenuText(bar, i)));
    connect(menu, &QMenu::aboutToShow, this, [this] { RefreshMenus(); });
    if (HMENU sub = GetSubMenu(bar, i)) FillMenu(menu, sub);
  }
  if (QAction* undo = Action(kCommandUndo)) undo->setShortcut(QKeySequence::Undo);
  if (QAction* redo = Action(kCommandRedo)) redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  RefreshMenus();
}

void StudioWindow::FillMenu(QMenu* into, HMENU from) {
  for (int i = 0; i < GetMenuItemCount(from); ++i) {
    const QString text = QString::fromStdString(OsGetMenuText(from, i));
    if (HMENU sub = GetSubMenu(from, i)) {
      FillMenu(into->addMenu(text), sub);
      continue;
    }
    const UINT id = GetMenuItemID(from, i);
    if (id == static_cast<UINT>(-1) || id == 0) {
      into->addSeparator();
      continue;
    }
    QAction* action = into->addAction(text);
    const int command = static_cast<int>(id);
    connect(action, &QAction::triggered, this, [this, command] { Command(command); });
    fEntries.push_back({action, from, i, command});
  }
}

QAction* StudioWindow::Action(int command) const {
  for (const MenuEntry& e : fEntries) {
    if (e.command == command) return e.action;
  }
  return nullptr;
}

void StudioWindow::RefreshMenus() {
  if (fHost.Module() != nullptr) {
    try {
      fHost.Module()->DoSetupMenus();
    } catch (const CMemoryException&) {
      // The menus keep the states they had.
    }
  }
  const HostDocument* doc = fHost.Active();
  for (const MenuEntry& e : fEntries) {
    bool enabled = !OsIsMenuItemGrayed(e.menu, e.position);
    if (e.command == kCommandUndo) enabled = doc != nullptr && doc->history.CanUndo();
    if (e.command == kCommandRedo) enabled = doc != nullptr && doc->history.CanRedo();
    if (e.command == kCommandClose) enabled = doc != nullptr;
    e.action->setEnabled(enabled);
  }
}

void StudioWindow::Command(int command) {
  switch (command) {
    case kCommandOpen: {
      const QString path = QFileDialog::getOpenFileName(this, tr("Open a picture"), QString(),
                                                        tr("Pictures (*.png *.jpg *.jpeg *.bmp)"));
      if (!path.isEmpty()) OpenPicture(path);
      return;
    }
    case kCommandClose:
      if (HostDocument* doc = fHost.Active(); doc != nullptr && MayDiscard({doc})) {
        try {
          fHost.Close(*doc);
        } catch (const CMemoryException&) {
          // Closing goes on: the next document is shown as it can be.
        }
      }
      Changed(true);
      return;
    case kCommandExit:
      close();
      return;
    case kCommandUndo:
      fHost.Undo();
      Changed(true);
      return;
    case kCommandRedo:
      fHost.Redo();
      Changed(true);
      return;
    default:
      Changed(fHost.MenuCommand(command));
  }
}

void StudioWindow::CallModule(const std::function<void(BModuleInterface&)>& call) {
  BModuleInterface* module = fHost.Module();
  if (module == nullptr) return;
  bool ok = true;
  try {
    call(*module);
  } catch (const CMemoryException&) {
    ok = false;
  }
  Changed(ok);
}

bool StudioWindow::OpenPicture(const QString& path) {
  QImageReader reader(path);
  const QSize size = reader.size();
  QString reason;
  RgbImage picture;
  if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)) {
    reason = tr("the picture is %1 x %2 pixels; at most %3 on a side can be opened")
                 .arg(size.width()).arg(size.height()).arg(kMaxPictureSide);
  } else if (const QImage image = reader.read(); image.isNull()) {
    reason = reader.errorString();
  } else if (!ToRgbImage(image, picture)) {
    reason = tr("the picture is too large");
  }
  if (!reason.isEmpty()) {
    QMessageBox::critical(this, kTitle, tr("%1 cannot be opened: %2").arg(QDir::toNativeSeparators(path), reason));
    return false;
  }
  Open(std::move(picture), QFileInfo(path).fileName().toStdString());
  return true;
}

void StudioWindow::Open(RgbImage picture, const std::string& name) {
  try {
    fHost.OpenDocument(name, std::move(picture));
  } catch (const CMemoryException&) {
    QMessageBox::critical(this, kTitle, tr("There is not enough memory to open %1.").arg(QString::fromStdString(name)));
  }
  Changed(true);
}

bool StudioWindow::MayDiscard(const std::vector<HostDocument*>& documents) {
  QStringList changed;
  for (const HostDocument* doc : documents) {
    if (doc->history.CanUndo() || doc->history.CanRedo()) changed << QString::fromStdString(doc->document.fName);
  }
  if (changed.isEmpty()) return true;
  return QMessageBox::question(this, kTitle,
                               tr("The sketch over %1 has not been saved. Discard it?").arg(changed.join(", ")),
                               QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Discard;
}

void StudioWindow::closeEvent(QCloseEvent* event) {
  std::vector<HostDocument*> all;
  for (const auto& doc : fHost.Documents()) all.push_back(doc.get());
  if (MayDiscard(all)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void StudioWindow::SyncTabs() {
  fSyncingTabs = true;
  const auto& docs = fHost.Documents();
  while (fTabs->count() > static_cast<int>(docs.size())) fTabs->removeTab(fTabs->count() - 1);
  for (std::size_t i = 0; i < docs.size(); ++i) {
    const QString name = QString::fromStdString(docs[i]->document.fName);
    if (static_cast<int>(i) < fTabs->count()) {
      fTabs->setTabText(static_cast<int>(i), name);
    } else {
      fTabs->addTab(name);
    }
    if (docs[i].get() == fHost.Active()) fTabs->setCurrentIndex(static_cast<int>(i));
  }
  fSyncingTabs = false;
  const HostDocument* active = fHost.Active();
  setWindowTitle(active != nullptr ? QString("%1 - %2").arg(QString::fromStdString(active->document.fName), kTitle)
                                   : QString(kTitle));
}

void StudioWindow::Changed(bool ok) {
  if (fClosing) return;
  if (!ok) statusBar()->showMessage(tr("Out of memory: the last step was dropped."), 5000);
  if (OsGetBeeps().size() > fBeepsHeard) QApplication::beep();
  fBeepsHeard = OsGetBeeps().size();
  SyncTabs();
  fView->Refresh();
  fPalette->Refresh();
  RefreshMenus();
  UpdateReadout();
  UpdateCursor();
}

void StudioWindow::UpdateReadout() { fReadout->setText(ReadoutText(fHost)); }

void StudioWindow::UpdateCursor() {
  BModuleInterface* module = fHost.Module();
  if (module == nullptr) return;
  try {
    module->DoSetCursor({0, 0}, nullptr);
  } catch (const CMemoryException&) {
    return;
  }
  if (const OsCursorResource* cursor = OsFindCursor(nullptr, OsGetShownCursorId())) {
    fView->setCursor(CursorFromResource(*cursor));
  } else {
    fView->unsetCursor();
  }
}
