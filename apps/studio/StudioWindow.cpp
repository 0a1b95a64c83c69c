#include "StudioWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <iostream>

#include "DocumentView.h"
#include "Files.h"
#include "HostDump.h"
#include "ModulePictures.h"
#include "OsAfxWin.h"
#include "OsMenu.h"
#include "OsPlatformHost.h"
#include "OsResources.h"
#include "ToolPalette.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "module/SketchTools.h"
#include "resources/SketchResources.h"

namespace {

const char kTitle[] = "Sketch Studio";
const char kProfileSection[] = "Sketch";

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

// The host's own menus in the studio's language. The host's menu bar keeps
// the editor's own texts, which the module and the dumps see; a person reads
// these instead. Each pop-up is known by its first entry.
struct HostText {
  int command;
  const char* menu;  // for the pop-up that begins with the command
  const char* entry;
};
constexpr HostText kHostTexts[] = {
    {ID_FILE_OPEN, QT_TRANSLATE_NOOP("StudioWindow", "&File"), QT_TRANSLATE_NOOP("StudioWindow", "&Open Picture...")},
    {ID_FILE_CLOSE, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Close")},
    {ID_APP_EXIT, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Quit")},
    {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("StudioWindow", "&Edit"), QT_TRANSLATE_NOOP("StudioWindow", "&Undo")},
    {ID_EDIT_REDO, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Redo")},
    {ID_EDIT_CUT, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "Cu&t")},
    {ID_EDIT_COPY, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Copy")},
    {ID_EDIT_PASTE, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Paste")},
    {ID_DISPLAY_BLACK, QT_TRANSLATE_NOOP("StudioWindow", "&View"),
     QT_TRANSLATE_NOOP("StudioWindow", "Sketch in &Black")},
    {ID_DISPLAY_TRANSPARENT, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "Sketch &Transparent")},
    {ID_DISPLAY_INVERTED, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "Sketch &Inverted")},
    {ID_DISPLAY_PALETTE, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "Sketch in the &Palette Colour")},
    {ID_DISPLAY_SHOW, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Show the Sketch")},
    {ID_DISPLAY_HIDE, nullptr, QT_TRANSLATE_NOOP("StudioWindow", "&Hide the Sketch")},
    {ID_WINDOW_CASCADE, QT_TRANSLATE_NOOP("StudioWindow", "&Window"), QT_TRANSLATE_NOOP("StudioWindow", "&Tile")},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("StudioWindow", "&Help"),
     QT_TRANSLATE_NOOP("StudioWindow", "&About Sketch Studio")},
};

const HostText* FindHostText(int command) {
  for (const HostText& t : kHostTexts) {
    if (t.command == command) return &t;
  }
  return nullptr;
}

// An entry's text: the studio's for the host's own commands, the menu's own
// (the module's) for the rest.
QString EntryText(HMENU menu, int position) {
  const HostText* host = FindHostText(static_cast<int>(GetMenuItemID(menu, position)));
  return host != nullptr ? StudioWindow::tr(host->entry) : QString::fromStdString(OsGetMenuText(menu, position));
}

QString PopupTitle(HMENU bar, int position) {
  HMENU sub = GetSubMenu(bar, position);
  const HostText* host =
      sub != nullptr && GetMenuItemCount(sub) > 0 ? FindHostText(static_cast<int>(GetMenuItemID(sub, 0))) : nullptr;
  return host != nullptr && host->menu != nullptr ? StudioWindow::tr(host->menu)
                                                  : QString::fromStdString(OsGetMenuText(bar, position));
}

QString NamedStep(const QString& entry, const std::vector<int>& steps, bool last) {
  QString text = entry;
  if (steps.empty()) return text;
  // A step the studio has no name for leaves the entry's text as it is.
  if (const char* name = ChangeStepName(last ? steps.back() : steps.front())) {
    text += QString(" ") + QCoreApplication::translate("SketchChanges", name);
  }
  return text;
}

}  // namespace

StudioWindow::StudioWindow(const QString& picture, const std::string& modulePath, const QString& profilePath,
                           const QString& dataFolder, bool forPlay)
    : fModulePath(modulePath),
      fOutput(this, fHost, kTitle,
              (dataFolder.isEmpty() ? QDir::tempPath() + "/sketch-studio" : dataFolder) + "/pictures"),
      fProfilePath(profilePath),
      fSettings(profilePath.isEmpty() ? QString()
                                      : QFileInfo(profilePath).dir().filePath("sketch-studio-settings.ini")),
      fDataFolder(dataFolder.isEmpty() ? QDir::tempPath() + "/sketch-studio" : dataFolder) {
  AfxGetApp()->m_pszAppName = kTitle;
  setWindowTitle(kTitle);
  fDialogs = std::make_unique<StudioDialogs>(this, fHost.fMessages);

  fDialogs->OnAnswer([this](const CDialog& dialog, int button) { fOutput.Answered(dialog, button); });
  DocumentView::Handlers on;
  on.changed = [this](bool ok) { Changed(ok); };
  on.record = [this](const ScriptCommand& c) { fOutput.Script().Record(c); };
  on.askCursor = [this] { AskCursor(); };
  on.hover = [this](std::optional<OsImgPoint> at) { ShowPointer(at); };
  on.wheel = [this](const QWheelEvent& event, OsImgPoint at) { Wheel(event, at); };
  on.finishFigure = [this] { return FinishFigure(); };
  on.cancel = [this] {
    fOutput.Script().Record(MakeCommand(ScriptOp::Cancel));
    Changed(fHost.Cancel());
  };
  fView = new DocumentView(fHost, std::move(on));
  // The scroll bars move the view's origin over the picture, in picture pixels.
  auto* scroll = new QWidget;
  auto* grid = new QGridLayout(scroll);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  fHScroll = new QScrollBar(Qt::Horizontal);
  fVScroll = new QScrollBar(Qt::Vertical);
  fHScroll->setObjectName("hscroll");
  fVScroll->setObjectName("vscroll");
  grid->addWidget(fView, 0, 0);
  grid->addWidget(fVScroll, 0, 1);
  grid->addWidget(fHScroll, 1, 0);
  for (QScrollBar* bar : {fHScroll, fVScroll}) {
    connect(bar, &QScrollBar::valueChanged, this, [this] { Scrolled(); });
  }
  fPalette = new ToolPalette(fHost, [this](const auto& call, const ScriptCommand& command) {
    fOutput.Script().Record(command);
    Changed(fHost.CallModule(call));
  });
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
    fOutput.Script().Record(MakeCommand(ScriptOp::Activate, {}, {doc->document.fName}));
    Changed(fHost.Activate(*doc));
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
  fZoom = new QLabel;
  fZoom->setObjectName("zoom");
  fZoom->setMinimumWidth(60);
  for (QLabel* label : {fReadout, fZoom}) statusBar()->addPermanentWidget(label);

  if (forPlay) OsSetScreenSize(1024, 768);
  if (!fProfilePath.isEmpty() && !forPlay) {
    QSettings ini(fProfilePath, QSettings::IniFormat);
    for (const QString& section : ini.childGroups()) {
      ini.beginGroup(section);
      for (const QString& key : ini.childKeys()) {
        AfxGetApp()->WriteProfileString(section.toUtf8().constData(), key.toUtf8().constData(),
                                        ini.value(key).toString().toUtf8().constData());
      }
      ini.endGroup();
    }
  }
  const auto& profile = AfxGetApp()->fProfile;
  const auto section = profile.find(kProfileSection);
  fOutput.KeepLoadedProfile(section != profile.end() ? section->second : std::map<std::string, std::string>{});
  if (!forPlay) fLoadError = fHost.Load(modulePath);
  BuildMenus();
  fPalette->Build();
  // The marching ants march only while they are shown; a view without them
  // paints exactly as sketch-replay paints it.
  auto* ants = new QTimer(this);
  connect(ants, &QTimer::timeout, this, [this] {
    HostDocument* doc = fHost.Active();
    const bool shown = doc != nullptr && doc->view.fShownAnt != nullptr;
    if (fPlaying || (!shown && fHost.fAntPhase == 0)) return;
    fHost.fAntPhase = shown ? (fHost.fAntPhase + 1) % 8 : 0;
    if (doc != nullptr) fHost.Repaint(*doc);
    fView->update();
  });
  ants->start(120);
  // The keys that change the module's tools reach it through the view.
  fView->setFocus();
  fOutput.BeginSession();
  if (forPlay) return;
  if (!picture.isEmpty() && OpenPicture(picture)) return;
  Open(DefaultPicture(), "main", {});
}

void StudioWindow::EnsureSession() {
  if (!fHost.IsLoaded()) fLoadError = fHost.Load(fModulePath);
  if (fHost.IsLoaded() && fHost.Active() == nullptr) Open(DefaultPicture(), "main", {});
  Changed(true);
}

void StudioWindow::SetPlaying(bool playing) {
  fPlaying = playing;
  fView->SetFollowsWidget(!playing);
  OsSetUserInterface(playing ? static_cast<OsUserInterface*>(&fHost.fDialogs) : fDialogs.get());
}

StudioWindow::~StudioWindow() {
  fClosing = true;
  // The view and the palette talk to the host: they go first. The module goes
  // while the window that shows its dialogs still exists.
  delete takeCentralWidget();
  // What the module could not write for want of memory is not in the
  // profile; the rest is.
  fHost.Unload();
  if (fProfilePath.isEmpty() || fPlaying) return;
  QDir().mkpath(QFileInfo(fProfilePath).path());
  QSettings ini(fProfilePath, QSettings::IniFormat);
  for (const auto& [section, entries] : AfxGetApp()->fProfile) {
    ini.beginGroup(QString::fromStdString(section));
    for (const auto& [key, value] : entries) ini.setValue(QString::fromStdString(key), QString::fromStdString(value));
    ini.endGroup();
  }
  ini.sync();
  if (ini.status() != QSettings::NoError) {
    std::cerr << "sketch-studio: " << fProfilePath.toStdString() << ": the preferences cannot be written\n";
  }
}

void StudioWindow::BuildMenus() {
  menuBar()->clear();
  fEntries.clear();
  HMENU bar = fHost.MenuBar();
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    QMenu* menu = menuBar()->addMenu(PopupTitle(bar, i));
    connect(menu, &QMenu::aboutToShow, this, [this] { RefreshMenus(); });
    if (HMENU sub = GetSubMenu(bar, i)) FillMenu(menu, sub);
  }
  if (QAction* undo = Action(ID_EDIT_UNDO)) undo->setShortcut(QKeySequence::Undo);
  if (QAction* redo = Action(ID_EDIT_REDO)) redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  if (QAction* cut = Action(ID_EDIT_CUT)) cut->setShortcut(QKeySequence::Cut);
  if (QAction* copy = Action(ID_EDIT_COPY)) copy->setShortcut(QKeySequence::Copy);
  if (QAction* paste = Action(ID_EDIT_PASTE)) paste->setShortcut(QKeySequence::Paste);
  AddOwnEntries();
  fMenusHaveModule = fHost.IsLoaded();
  RefreshMenus();
}

void StudioWindow::FillMenu(QMenu* into, HMENU from) {
  for (int i = 0; i < GetMenuItemCount(from); ++i) {
    const QString text = EntryText(from, i);
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

bool StudioWindow::ModuleTakesEntry(int command) const {
  switch (command) {
    case ID_FILE_OPEN:
    case ID_FILE_CLOSE:
    case ID_APP_EXIT:
    case ID_APP_ABOUT:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO: return false;
    default: {
      const QAction* action = Action(command);
      return action != nullptr && action->isEnabled();
    }
  }
}

void StudioWindow::RefreshMenus() {
  // Without memory for it, the menus keep the states they had.
  fHost.CallModule([](BModuleInterface& module) { module.DoSetupMenus(); });
  const HostDocument* doc = fHost.Active();
  const TObjectContainer* sketch = doc != nullptr ? SketchOf(doc->document) : nullptr;
  if (fSelectAll != nullptr) fSelectAll->setEnabled(sketch != nullptr && sketch->GetCount() > 0);
  for (const MenuEntry& e : fEntries) {
    bool enabled = !OsIsMenuItemGrayed(e.menu, e.position);
    if (e.command == ID_EDIT_UNDO || e.command == ID_EDIT_REDO) {
      const bool undo = e.command == ID_EDIT_UNDO;
      std::vector<int> steps;
      if (doc != nullptr) steps = undo ? doc->history.UndoLabels() : doc->history.RedoLabels();
      enabled = !steps.empty();
      e.action->setText(NamedStep(EntryText(e.menu, e.position), steps, undo));
    }
    if (e.command == ID_FILE_CLOSE) enabled = doc != nullptr;
    e.action->setEnabled(enabled);
    // Delete follows Cut, as the module greys both on the selection.
    if (e.command == ID_EDIT_CUT && fDelete != nullptr) fDelete->setEnabled(enabled);
    // The display colour and switch in force carry a check mark.
    if (const BModuleInterface* module = fHost.Module();
        module != nullptr && e.command >= ID_DISPLAY_BLACK && e.command <= ID_DISPLAY_HIDE) {
      e.action->setCheckable(true);
      e.action->setChecked(e.command == module->fDispColor || e.command == module->fDispSwitch);
    }
  }
}

void StudioWindow::Command(int command) {
  switch (command) {
    case ID_FILE_OPEN: OpenPictureFile(); return;
    case ID_FILE_CLOSE: {
      bool ok = true;
      if (HostDocument* doc = fHost.Active(); doc != nullptr && MayDiscard({doc})) {
        fOutput.Script().Record(MakeCommand(ScriptOp::Close, {}, {doc->document.fName}));
        fOutput.Closed(*doc);
        ok = fHost.Close(*doc);
      }
      Changed(ok);
      return;
    }
    case ID_APP_EXIT: close(); return;
    case ID_APP_ABOUT: {
      // A box that sizes itself to its texts, the module's own name among them.
      QMessageBox about(this);
      about.setObjectName("about");
      about.setWindowTitle(tr("About %1").arg(kTitle));
      about.setIconPixmap(fPalette->ModeButton() != nullptr ? fPalette->ModeButton()->icon().pixmap(42, 42)
                                                            : QPixmap());
      about.setText(QString("<b>%1</b> %2").arg(kTitle, SKETCH_VERSION));
      about.setInformativeText(tr("A vector sketch over a picture.") + "\n\n" +
                               (fHost.IsLoaded() ? tr("Module: %1").arg(QString::fromStdString(fHost.Identification()))
                                                 : tr("No module is loaded.")));
      about.exec();
      return;
    }
    case ID_EDIT_UNDO:
      fOutput.Script().Record(MakeCommand(ScriptOp::Undo));
      Changed(fHost.Undo());
      return;
    case ID_EDIT_REDO:
      fOutput.Script().Record(MakeCommand(ScriptOp::Redo));
      Changed(fHost.Redo());
      return;
    default: {
      // The dialog's answers go into the script before the command.
      fOutput.Script().Hold();
      const bool ok = fHost.MenuCommand(command);
      fOutput.Script().Release(MakeCommand(ScriptOp::Menu, {command}));
      AskCursor();
      Changed(ok);
    }
  }
}

QString StudioWindow::ReadPicture(const QString& path, RgbImage& picture, bool* png) {
  const std::string file = QFile::encodeName(path).toStdString();
  // The caller names the file; the reason alone is said.
  const auto reason = [&file](const std::string& error) {
    return QString::fromStdString(error.rfind(file + ": ", 0) == 0 ? error.substr(file.size() + 2) : error);
  };
  std::string bytes;
  if (const std::string error = ReadWholeFile(file, bytes); !error.empty()) return reason(error);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const bool isPng = IsPng(data, bytes.size());
  if (png != nullptr) *png = isPng;
  if (isPng) return reason(ReadPng(data, bytes.size(), file, picture));
  QBuffer buffer;
  buffer.setData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)) {
    return tr("the picture is %1 x %2 pixels; at most %3 on a side can be opened")
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxPictureSide);
  }
  QImage image = reader.read();
  if (image.isNull()) return reader.errorString();
  if (!ToRgbImage(std::move(image), picture)) return tr("the picture is too large");
  return {};
}

void StudioWindow::AllowLargestPictures() {
  // Qt refuses pictures over 128 MB by default; the largest accepted one
  // takes four bytes a pixel in the formats its readers make.
  constexpr qint64 kBytes = qint64{kMaxPictureSide} * kMaxPictureSide * 4;
  QImageReader::setAllocationLimit(static_cast<int>(kBytes / (1024 * 1024)));
}

bool StudioWindow::OpenPicture(const QString& path) {
  RgbImage picture;
  bool png = false;
  if (const QString reason = ReadPicture(path, picture, &png); !reason.isEmpty()) {
    QMessageBox::critical(this, kTitle, tr("%1 cannot be opened: %2").arg(QDir::toNativeSeparators(path), reason));
    return false;
  }
  // sketch-replay reads a PNG where it is; a picture of another kind is kept
  // as a copy when the session is written.
  Open(std::move(picture), QFileInfo(path).fileName().toStdString(),
       png ? QFileInfo(path).absoluteFilePath().toStdString() : std::string());
  return true;
}

std::string StudioWindow::UniqueName(const std::string& name) const {
  std::string unique = name;
  for (int n = 2; fHost.Find(unique) != nullptr; ++n) unique = name + " (" + std::to_string(n) + ")";
  return unique;
}

void StudioWindow::Open(RgbImage picture, const std::string& wanted, const std::string& pngPath) {
  const std::string name = UniqueName(wanted);
  HostDocument* doc = fHost.OpenDocument(name, std::move(picture));
  if (doc != nullptr) {
    fOutput.Opened(*doc, pngPath);
  } else {
    // No step of the session's was dropped: the picture is just not open.
    QMessageBox::critical(this, kTitle, tr("There is not enough memory to open %1.").arg(QString::fromStdString(name)));
  }
  Changed(true);
}

bool StudioWindow::MayDiscard(const std::vector<HostDocument*>& documents) {
  QStringList changed;
  for (const HostDocument* doc : documents) {
    if (fUnsaved.Changed(*doc)) changed << QString::fromStdString(doc->document.fName);
  }
  if (changed.isEmpty()) return true;
  QMessageBox box(QMessageBox::Warning, kTitle,
                  fSketchPath.isEmpty()
                      ? tr("Save the sketch over %1 before closing?").arg(changed.join(", "))
                      : tr("Save the changes to %1 before closing?").arg(QFileInfo(fSketchPath).fileName()),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setInformativeText(tr("If you do not save, the changes are lost."));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveCurrent();
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

void StudioWindow::closeEvent(QCloseEvent* event) {
  std::vector<HostDocument*> all;
  for (const auto& doc : fHost.Documents()) all.push_back(doc.get());
  if (MayDiscard(all)) {
    fSettings.KeepGeometry(*this);
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
  const QString name = !fSketchPath.isEmpty() ? QFileInfo(fSketchPath).fileName()
                       : active != nullptr    ? QString::fromStdString(active->document.fName)
                                              : QString();
  // The marker goes before the name, where GIMP and Inkscape put it.
  setWindowTitle(name.isEmpty() ? QString("[*]%1").arg(kTitle) : QString("[*]%1 - %2").arg(name, kTitle));
  fUnsaved.Follow(fHost);
  setWindowModified(fUnsaved.AnyChanged());
}

void StudioWindow::Changed(bool ok) {
  if (fClosing) return;
  if (!ok) {
    fOutput.Script().DropStep();
    statusBar()->showMessage(tr("Out of memory: the last step was dropped."), 5000);
  }
  // A module loaded or unloaded since brings its menu and palette, or takes
  // them away.
  if (fHost.IsLoaded() != fMenusHaveModule) {
    BuildMenus();
    fPalette->Build();
  }
  if (fOutput.Script().JournalFailed()) {
    const QString why = tr("The journal cannot be written any more (%1): a crash would lose what is done from now on. "
                           "File > Save As keeps it.")
                            .arg(QString::fromStdString(fOutput.JournalPath()));
    KeepsNoJournal(why);
    if (Attended()) QTimer::singleShot(0, this, [this, why] { QMessageBox::warning(this, kTitle, why); });
  }
  if (OsGetBeeps().size() > fBeepsHeard) QApplication::beep();
  fBeepsHeard = OsGetBeeps().size();
  SyncTabs();
  if (fGrid != nullptr) fGrid->setChecked(fHost.Active() != nullptr && fHost.Active()->view.fGridOn);
  fView->Refresh();
  SyncScrollBars();
  fPalette->Refresh();
  RefreshMenus();
  UpdateReadout();
  UpdateZoomReadout();
  ShowCursor();
}

void StudioWindow::UpdateReadout() {
  // The module reports while a gesture runs; otherwise the pointer's place.
  if (fPointerAt && !fHost.IsTracking()) {
    fReadout->setText(tr("X %1  Y %2").arg(fPointerAt->x).arg(fPointerAt->y));
  } else {
    fReadout->setText(ReadoutText(fHost));
  }
}

void StudioWindow::AskCursor() {
  fHost.CallModule([](BModuleInterface& module) { module.DoSetCursor({0, 0}, nullptr); });
  ShowCursor();
}

void StudioWindow::ShowCursor() {
  // The cursor the module loaded: the one the window system shows as soon as
  // the pointer moves over the view.
  if (const OsCursorResource* cursor = OsFindCursor(nullptr, LoadedCursorId(fHost))) {
    fView->setCursor(CursorFromResource(*cursor));
  } else {
    fView->unsetCursor();
  }
}

std::string StudioWindow::StartRecording(const std::string& path) { return fOutput.Start(path, *fPalette); }

std::string StudioWindow::StartJournal(const std::string& path) {
  std::string error = fOutput.StartJournal(path);
  if (error.empty() && fNoJournal != nullptr) fNoJournal->hide();
  return error;
}

void StudioWindow::KeepsNoJournal(const QString& why) {
  // Other messages come and go in the status bar; this one stays beside
  // them, its reason under the pointer.
  if (fNoJournal == nullptr) {
    fNoJournal = new QLabel(tr("No journal"));
    fNoJournal->setObjectName("noJournal");
    statusBar()->insertPermanentWidget(0, fNoJournal);
  }
  fNoJournal->setToolTip(why);
  fNoJournal->show();
  statusBar()->showMessage(why);
}

bool StudioWindow::Export(const QString& path, const std::function<std::string()>& write) {
  return fOutput.Export(path, write);
}

void StudioWindow::AddOwnEntries() {
  const QList<QAction*> menus = menuBar()->actions();
  if (menus.size() < 3) return;
  QMenu* file = menus[0]->menu();
  QAction* exit = Action(ID_APP_EXIT);
  const auto add = [this](QMenu* menu, QAction* before, const QString& text, const char* name, auto work) {
    auto* action = new QAction(text, menu);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, work);
    menu->insertAction(before, action);
    return action;
  };
  QAction* open = Action(ID_FILE_OPEN);
  QAction* openSketch = add(file, exit, tr("Open Sketch..."), "openSketch", [this] { OpenSketchFile(); });
  // Ctrl+O opens what Ctrl+S saves, as in GIMP and Inkscape, unless the
  // picture's Open has it already.
  if (open == nullptr || open->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_O)) {
    openSketch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  }
  QMenu* recent = new QMenu(tr("Open Recent"), file);
  recent->setObjectName("openRecent");
  recent->setToolTipsVisible(true);
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecent(recent); });
  file->insertMenu(exit, recent);
  QAction* save = add(file, exit, tr("Save"), "save", [this] { SaveCurrent(); });
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAs = add(file, exit, tr("Save As..."), "saveAs", [this] { SaveSketchAs(); });
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  if (QAction* close = Action(ID_FILE_CLOSE)) close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  if (exit != nullptr) exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  file->insertSeparator(exit);
  fOutput.AddEntries(file, exit, *fPalette, fSettings);

  AddEditEntries(menus[1]->menu());
  AddViewEntries(menus[2]->menu());
}

void StudioWindow::AddEditEntries(QMenu* edit) {
  // The module's own commands on the editor's standard ids, which the host's
  // Edit menu does not carry: deleting the selection and selecting every
  // figure.
  edit->addSeparator();
  fDelete = edit->addAction(tr("Delete"));
  fDelete->setObjectName("delete");
  fDelete->setShortcuts({QKeySequence::Delete, QKeySequence(Qt::Key_Backspace)});
  connect(fDelete, &QAction::triggered, this, [this] { Command(ID_EDIT_CLEAR); });
  fSelectAll = edit->addAction(tr("Select All"));
  fSelectAll->setObjectName("selectAll");
  fSelectAll->setShortcut(QKeySequence::SelectAll);
  connect(fSelectAll, &QAction::triggered, this, [this] { Command(ID_EDIT_SELECT_ALL); });
}

bool StudioWindow::FinishFigure() {
  HostDocument* doc = fHost.Active();
  const TObjectContainer* sketch = doc != nullptr ? SketchOf(doc->document) : nullptr;
  if (sketch == nullptr || sketch->fDrawing == nullptr || fHost.IsTracking()) return false;
  // Only the tools that draw click by click, not the hand or zoom held over one.
  const short tool = fHost.Module()->fCurrentTool;
  if (tool != kToolPen && tool != kToolMultiLine) return false;
  fOutput.Script().Record(MakeCommand(ScriptOp::Tool, {tool}));
  Changed(fHost.CallModule([tool](BModuleInterface& module) { module.DoToolChange(tool, 1); }));
  return true;
}
