#include "SessionOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

#include "HostDump.h"
#include "OsAfxWin.h"
#include "Script.h"
#include "SketchJournal.h"
#include "StudioSettings.h"
#include "SvgExport.h"
#include "ToolPalette.h"
#include "resources/SketchResources.h"

namespace {

bool gAttended = true;

// Whether the file at `path` reads back as a picture with that hash.
bool Holds(const std::string& path, const std::string& hash) {
  RgbImage pixels;
  return ReadPng(path, pixels).empty() && PictureHash(pixels) == hash;
}

std::string CannotWrite(const std::string& path, int error) {
  return path + ": cannot write (" + std::strerror(error) + ")";
}

// The picture at `path`, whole or not at all: written under a name of its own
// beside it, on disk before it takes the name, so that a full disk or a crash
// leaves no part of a picture where a whole one is looked for.
std::string WriteWhole(const std::string& path, const RgbImage& picture) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return CannotWrite(path, errno);
  // As any new file would be, not private as a temporary one is: a copy
  // goes beside a saved sketch.
  const mode_t mask = umask(0);
  umask(mask);
  const bool shared = fchmod(fd, 0666 & ~mask) == 0;
  const int chmodError = errno;
  close(fd);
  std::string error = shared ? WritePng(temporary, picture) : CannotWrite(path, chmodError);
  if (error.rfind(temporary, 0) == 0) error = path + error.substr(temporary.size());
  if (error.empty()) {
    const int written = open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (written < 0 || fsync(written) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
      error = CannotWrite(path, errno);
    }
    if (written >= 0) close(written);
  }
  if (!error.empty()) unlink(temporary.c_str());
  return error;
}

}  // namespace

void SetAttended(bool attended) { gAttended = attended; }

bool Attended() { return gAttended; }

void Warn(QWidget* window, const QString& title, const QString& text) {
  if (gAttended) {
    QMessageBox::warning(window, title, text);
    return;
  }
  std::cerr << "sketch-studio: " << text.toStdString() << "\n";
  if (auto* main = qobject_cast<QMainWindow*>(window)) main->statusBar()->showMessage(text);
}

std::string KeepPictureCopy(const QString& folder, const RgbImage& picture, std::string& path) {
  QDir().mkpath(folder);
  const std::string hash = PictureHash(picture);
  path = (folder + "/" + QString::fromStdString(hash) + ".png").toStdString();
  // Named after its pixels, the built-in picture is written once, ever: as
  // long as that copy is whole.
  return Holds(path, hash) ? std::string() : WriteWhole(path, picture);
}

SessionOutput::SessionOutput(QWidget* window, Host& host, const char* title, QString pictureFolder)
    : fWindow(window), fHost(host), fTitle(title), fPictureFolder(std::move(pictureFolder)) {}

ScriptCommand SessionOutput::ZoomCommand(float zoom, float originX, float originY) {
  return MakeCommand(ScriptOp::Zoom, {}, {}, {zoom, originX, originY});
}

std::vector<ScriptCommand> SessionOutput::SetUp() const {
  std::vector<ScriptCommand> commands{
      MakeCommand(ScriptOp::Screen, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})};
  for (const auto& [key, value] : fLoadedProfile) commands.push_back(MakeCommand(ScriptOp::Profile, {}, {key, value}));
  return commands;
}

void SessionOutput::BeginSession() {
  fRecorder.Restart({});
  for (const ScriptCommand& c : SetUp()) fRecorder.Record(c);
}

std::string SessionOutput::Start(const std::string& path, const ToolPalette& palette) {
  for (const auto& doc : fHost.Documents()) {
    if (doc->history.CanUndo() || doc->history.CanRedo()) {
      return "a recording starts from pictures as they were opened; " + doc->document.fName +
             " has changes already (undo them, or close it, first)";
    }
  }
  const std::string previous = fRecordPath;
  fRecordPath = path;
  std::vector<std::string> first;
  for (const ScriptCommand& c : SetUp()) first.push_back(FormatCommand(c));
  for (const auto& doc : fHost.Documents()) {
    first.push_back(PictureComment(PictureHash(doc->picture)));
    for (const ScriptCommand& c : DocumentCommands(*doc)) first.push_back(FormatCommand(c));
  }
  if (fHost.Active() != nullptr) {
    first.push_back(FormatCommand(MakeCommand(ScriptOp::Activate, {}, {fHost.Active()->document.fName})));
  }
  // A replay starts as the studio did, with the mode off; the tool and the
  // polygon's count chosen since are set before the mode goes on.
  if (palette.ModeButton() != nullptr && palette.ModeButton()->isChecked()) {
    first.push_back(FormatCommand(MakeCommand(ScriptOp::Tool, {fHost.Module()->fCurrentTool})));
    if (const QSlider* apex = palette.ApexSlider())
      first.push_back(FormatCommand(MakeCommand(ScriptOp::Apex, {apex->value()})));
    first.push_back(FormatCommand(MakeCommand(ScriptOp::Mode, {}, {"on"})));
  }
  if (std::string error = fRecorder.Open(path, first); !error.empty()) {
    fRecordPath = previous;
    return error;
  }
  return {};
}

std::string SessionOutput::StartJournal(const std::string& path) {
  fJournalPath = path;
  return fRecorder.OpenJournal(path, std::string(kJournalMarker));
}

void SessionOutput::Opened(const HostDocument& doc, const std::string& pngPath) {
  fSources[&doc] = pngPath;
  fRecorder.Comment(PictureComment(PictureHash(doc.picture)));
  for (const ScriptCommand& c : DocumentCommands(doc)) fRecorder.Record(c);
}

std::string SessionOutput::PictureFile(const HostDocument& doc) {
  if (const std::string& source = fSources[&doc]; !source.empty()) return source;
  std::string file;
  std::string error;
  if (fRecorder.IsOpen()) {
    // A picture that sketch-replay cannot read goes beside the script as PNG.
    const QFileInfo script(QString::fromStdString(fRecordPath));
    file = (script.path() + "/" + script.completeBaseName()).toStdString() + "-" + std::to_string(++fPicturesWritten) +
           ".png";
    error = WriteWhole(file, doc.picture);
  } else {
    error = KeepPicture(doc.picture, file);
  }
  if (!error.empty()) {
    Warn(fWindow, fTitle, QObject::tr("The journal lacks a picture: %1").arg(QString::fromStdString(error)));
  } else {
    fSources[&doc] = file;
  }
  return file;
}

std::vector<ScriptCommand> SessionOutput::DocumentCommands(const HostDocument& doc) {
  std::vector<ScriptCommand> commands{MakeCommand(ScriptOp::Document, {}, {doc.document.fName, PictureFile(doc)})};
  if (doc.frame.width != doc.picture.width || doc.frame.height != doc.picture.height) {
    commands.push_back(MakeCommand(ScriptOp::View, {doc.frame.width, doc.frame.height}));
  }
  if (const BZoom& z = doc.view.GetZoom(); z.fZoomX != 1.0f || z.fOriginX != 0.0f || z.fOriginY != 0.0f) {
    commands.push_back(ZoomCommand(z.fZoomX, z.fOriginX, z.fOriginY));
  }
  return commands;
}

std::string SessionOutput::SketchText(const QString& path, std::string& error) const {
  const QFileInfo sketch(path);
  const QDir folder = sketch.absoluteDir();
  const QString ours = QDir(fPictureFolder).absolutePath() + "/";
  std::string text = std::string(kSketchMarker) + "\n";
  std::size_t from = 0;
  const std::string& session = fRecorder.Session();
  while (from < session.size()) {
    const std::size_t end = session.find('\n', from);
    std::string line = session.substr(from, end - from);
    from = end + 1;
    const ParseResult parsed = ParseScript(line);
    if (parsed.ok() && parsed.commands().size() == 1 && parsed.commands()[0].op == ScriptOp::Document &&
        parsed.commands()[0].words.size() == 2) {
      const ScriptCommand& c = parsed.commands()[0];
      QString picture = QFileInfo(QString::fromStdString(c.words[1])).absoluteFilePath();
      if (picture.startsWith(ours)) {
        // The studio's own copy goes with the sketch.
        const QString copy = folder.filePath(sketch.completeBaseName() + "-" + QFileInfo(picture).fileName());
        if (!QFileInfo::exists(copy) && !QFile::copy(picture, copy)) {
          error = copy.toStdString() + ": cannot be written";
          return {};
        }
        picture = copy;
      }
      line = FormatCommand(
          MakeCommand(ScriptOp::Document, {}, {c.words[0], folder.relativeFilePath(picture).toStdString()}));
    }
    text += line + "\n";
  }
  return text;
}

void SessionOutput::Adopt(const HostDocument& doc, const std::string& pngPath) { fSources[&doc] = pngPath; }

void SessionOutput::Answered(const CDialog& dialog, int button) {
  const OsDialogControl* value = dialog.OsFindControl(IDC_VALUE);
  const std::string text = value != nullptr ? value->text : std::string();
  const std::string close = button == IDOK ? "ok" : "cancel";
  if (dialog.OsTemplateId() == IDD_SCALE) {
    fRecorder.Record(MakeCommand(ScriptOp::AnswerScale, {}, {text, close}));
  } else if (dialog.OsTemplateId() == IDD_ROTATE) {
    const OsDialogControl* cw = dialog.OsFindControl(IDC_CLOCKWISE);
    fRecorder.Record(
        MakeCommand(ScriptOp::AnswerRotate, {}, {text, cw != nullptr && cw->checked ? "cw" : "ccw", close}));
  }
}

bool SessionOutput::Export(const QString& path, const std::function<std::string()>& write) {
  std::string error;
  try {
    error = write();
  } catch (const CMemoryException&) {
    error = path.toStdString() + ": not enough memory to write it";
  } catch (const std::bad_alloc&) {
    error = path.toStdString() + ": not enough memory to write it";
  }
  if (error.empty()) return true;
  QMessageBox::critical(fWindow, fTitle, QObject::tr("Nothing was exported: %1").arg(QString::fromStdString(error)));
  return false;
}

void SessionOutput::AddEntries(QMenu* file, QAction* before, const ToolPalette& palette, StudioSettings& settings) {
  const auto add = [this, file, before](const QString& text, const char* name, auto work) {
    auto* action = new QAction(text, file);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, fWindow, work);
    file->insertAction(before, action);
  };
  // Each export's dialog is its own: it starts where that export last went.
  const auto exporter = [this, &settings](const char* name, const QString& title, const QString& filter,
                                          const char* suffix, auto write) {
    return [this, &settings, name, title, filter, suffix, write] {
      HostDocument* doc = fHost.Active();
      if (doc == nullptr) return;
      const QString path = settings.AskToSave(fWindow, name, title, filter, suffix);
      if (!path.isEmpty()) Export(path, [&] { return write(*doc, path.toStdString()); });
    };
  };
  add(QObject::tr("Export View as PNG..."), "exportView",
      exporter("exportView", QObject::tr("Export the view"), QObject::tr("PNG (*.png)"), "png",
               [](HostDocument& doc, const std::string& path) { return WritePng(path, doc.frame); }));
  add(QObject::tr("Export Active Region as PNG Mask..."), "exportRegion",
      exporter("exportRegion", QObject::tr("Export the active region"), QObject::tr("PNG (*.png)"), "png",
               [this](HostDocument& doc, const std::string& path) { return WriteRegionMask(fHost, doc, path); }));
  add(QObject::tr("Export Trace as Points..."), "exportTrace",
      exporter("exportTrace", QObject::tr("Export the trace"), QObject::tr("JSON (*.json)"), "json",
               [this](HostDocument& doc, const std::string& path) { return WriteTraceList(fHost, doc, path); }));
  add(QObject::tr("Export Sketch as SVG..."), "exportSvg",
      exporter("exportSvg", QObject::tr("Export the sketch"), QObject::tr("SVG (*.svg)"), "svg",
               [this](HostDocument& doc, const std::string& path) { return WriteSvg(fHost, doc, path); }));
  add(QObject::tr("Record..."), "record", [this, &palette, &settings] {
    const QString path = settings.AskToSave(fWindow, "record", QObject::tr("Record into a replay script"),
                                            QObject::tr("Replay scripts (*.txt)"), "txt");
    if (path.isEmpty()) return;
    if (std::string error = Start(path.toStdString(), palette); !error.empty()) {
      QMessageBox::warning(fWindow, fTitle, QObject::tr("Cannot record: %1").arg(QString::fromStdString(error)));
    }
  });
  file->insertSeparator(before);
}
