// Each save asks for a path and writes what the last run made; the design files hold the
// fields as typed.
#include "ui/window_saves.h"

#include <QDir>
#include <QPushButton>
#include <string_view>
#include <variant>

#include "design_file/design_file.h"
#include "output/cut_path.h"
#include "output/drive_drawing.h"
#include "ui/controls.h"
#include "ui/results_view.h"

#if TOOTHWRIGHT_HAS_SOLID
#include <QFileInfo>
#include <QKeySequence>
#include <QProgressDialog>
#include <QShortcut>

#include "solid/job_model.h"
#include "ui/model_build.h"
#endif

namespace toothwright {
namespace {

// The G-code and DXF texts already end in CR LF; their saved files get one more.
constexpr const char* kSavedLineBreak = "\r\n";

}  // namespace

WindowSaves::WindowSaves(QWidget* window, QWidget* panel, ResultsView& results,
                         WindowServices* services)
    : QObject(window), results_(results), services_(services) {
  connect(FindControl<QPushButton>(window, "CmdGCodeSave"), &QPushButton::clicked, this,
          &WindowSaves::CmdGCodeSave_Click);
  connect(FindControl<QPushButton>(window, "CmdDXFSave"), &QPushButton::clicked, this,
          &WindowSaves::CmdDXFSave_Click);
  connect(FindControl<QPushButton>(panel, "CmdSVGSave"), &QPushButton::clicked, this,
          &WindowSaves::CmdSVGSave_Click);
  connect(FindControl<QPushButton>(panel, "CmdToolpathSave"), &QPushButton::clicked, this,
          &WindowSaves::CmdToolpathSave_Click);
  connect(FindControl<QPushButton>(panel, "CmdCutPathSave"), &QPushButton::clicked, this,
          &WindowSaves::CmdCutPathSave_Click);
  auto* model_save = FindControl<QPushButton>(panel, "CmdModelSave");
  connect(model_save, &QPushButton::clicked, this, &WindowSaves::CmdModelSave_Click);
#if !TOOTHWRIGHT_HAS_SOLID
  model_save->setEnabled(false);
  model_save->setToolTip(QString::fromUtf8(kNoSolidMessage));
#endif
}

void WindowSaves::CmdGCodeSave_Click() {
  // Before Go the box is empty: saving it would replace a program with a bare line break.
  if (results_.GCodeText().isEmpty()) {
    services_->ShowMessage(QString::fromUtf8(kNothingToSaveMessage));
    return;
  }
  const std::optional<QString> path =
      SaveWithDialog(GCodeFilters(), GCodeFilterFor(gcode_extension_), gcode_extension_,
                     results_.GCodeText() + QLatin1String(kSavedLineBreak));
  if (path) gcode_extension_ = GCodeExtensionAfter(*path, gcode_extension_);
}

void WindowSaves::CmdDXFSave_Click() {
  if (results_.DxfText().isEmpty()) {
    services_->ShowMessage(QString::fromUtf8(kNoDrawingMessage));
    return;
  }
  const QString filter = QString::fromUtf8(kDxfFilter);
  SaveWithDialog({filter}, filter, QStringLiteral("dxf"),
                 results_.DxfText() + QLatin1String(kSavedLineBreak));
}

void WindowSaves::CmdSVGSave_Click() {
  if (results_.SvgText().isEmpty()) {
    services_->ShowMessage(QString::fromUtf8(kNoSvgMessage));
    return;
  }
  // The document is written as the run made it: its own line ends, nothing added.
  const QString filter = QString::fromUtf8(kSvgFilter);
  SaveWithDialog({filter}, filter, QStringLiteral("svg"), results_.SvgText());
}

void WindowSaves::CmdToolpathSave_Click() {
  const ResultsView::LastRun* last_run = results_.Last();
  if (!last_run) {
    services_->ShowMessage(QString::fromUtf8(kNoToolpathMessage));
    return;
  }
  const QString filter = QString::fromUtf8(kSvgFilter);
  SaveWithDialog({filter}, filter, QString::fromLatin1(kToolpathExtension),
                 QString::fromStdString(last_run->toolpath_svg));
}

void WindowSaves::CmdDrivePictureSave_Click() {
  SaveDriveDrawing(kSvgFilter, "svg", WriteDriveSvg);
}

void WindowSaves::CmdDriveDrawingSave_Click() {
  SaveDriveDrawing(kDxfFilter, "dxf", WriteDriveDxf);
}

// The drive's drawings are written from the last run, as the run's own drawings are.
void WindowSaves::SaveDriveDrawing(const char* filter, const char* extension,
                                   std::string (*write)(const Job&)) {
  const ResultsView::LastRun* last_run = results_.Last();
  if (!last_run || !last_run->job.drive || results_.Stale()) {
    services_->ShowMessage(QString::fromUtf8(kNoDriveDrawingMessage));
    return;
  }
  const QString selected = QString::fromUtf8(filter);
  SaveWithDialog({selected}, selected, QString::fromLatin1(extension),
                 QString::fromStdString(write(last_run->job)));
}

void WindowSaves::CmdModelSave_Click() {
#if TOOTHWRIGHT_HAS_SOLID
  const ResultsView::LastRun* last_run = results_.Last();
  if (!last_run) {
    services_->ShowMessage(QString::fromUtf8(kNoModelMessage));
    return;
  }
  const QStringList filters = ModelFilters();
  const std::optional<SaveChoice> choice =
      AskSave(filters, filters.front(), FilterExtensions(filters.front()).front());
  if (!choice) return;
  // The format is the one the file's name or the filter confirmed names.
  const qsizetype format = filters.indexOf(ModelFilterFor(choice->path, choice->filter));
  const ModelFormats formats{.step = format == 0, .stl = format == 1, .three_mf = format == 2};
  // One build at a time: one still stopping after Cancel is waited for.
  delete model_build_;
  auto* window = static_cast<QWidget*>(parent());
  auto* build =
      new ModelBuild(last_run->job, formats, QFileInfo(choice->path).fileName(), window, this);
  model_build_ = build;
  // The dialog blocks the window meanwhile; Info's key still works over it.
  connect(new QShortcut(QKeySequence(Qt::Key_F1), build->Dialog()), &QShortcut::activated,
          FindControl<QPushButton>(window, "CmdAbout"), &QPushButton::click);
  connect(build, &ModelBuild::Finished, this,
          [this, build, path = choice->path, formats](const ModelBuild::Result& result) {
            build->deleteLater();
            const ModelsWritten& files = result.written;
            // Cancelled: nothing is written.
            if (std::holds_alternative<ModelsStopped>(files)) return;
            if (const auto* error = std::get_if<FieldError>(&files)) {
              emit Refused(*error);
              return;
            }
            if (const auto* missing = std::get_if<ModelsUnavailable>(&files)) {
              services_->ShowMessage(QString::fromStdString(missing->message));
              return;
            }
            const ModelFiles& written = std::get<ModelFiles>(files);
            const std::optional<std::string>& bytes =
                formats.step ? written.step : (formats.stl ? written.stl : written.three_mf);
            Q_ASSERT(bytes.has_value());  // every filter offered names one of the formats
            ReportSave(path, services_->WriteBinaryFile(path, QByteArray::fromStdString(*bytes)));
          });
#endif
}

void WindowSaves::CmdCutPathSave_Click() {
  const ResultsView::LastRun* last_run = results_.Last();
  if (!last_run) {
    services_->ShowMessage(QString::fromUtf8(kNothingToSaveMessage));
    return;
  }
  if (!HasCutPath(last_run->job)) {
    services_->ShowMessage(QString::fromUtf8(kNoCutPathMessage));
    return;
  }
  const QString dxf = QString::fromUtf8(kDxfFilter);
  const QStringList filters = {dxf, QString::fromUtf8(kSvgFilter)};
  const std::optional<SaveChoice> choice =
      AskSave(filters, dxf, QString::fromLatin1(kCutPathDxfExtension));
  if (!choice) return;
  // The format is the one the file's name or the filter confirmed names; either is written as
  // the command line's --cut-path-dxf or --cut-path-svg writes it.
  const bool svg = FilterForPath(filters, choice->path, choice->filter) != dxf;
  const std::string text = svg ? WriteCutPathSvg(last_run->job) : WriteCutPathDxf(last_run->job);
  ReportSave(choice->path, services_->WriteTextFile(choice->path, QString::fromStdString(text)));
}

std::optional<QString> WindowSaves::AskDesignPath() {
  const QString filter = QString::fromUtf8(kDesignFilter);
  const std::optional<QString> path = services_->AskOpenPath(
      {.filters = {filter, QString::fromUtf8(kAllFilesFilter)}, .initial_folder = StartFolder()});
  if (!path || path->isEmpty()) return std::nullopt;
  return path;
}

std::optional<FieldTexts> WindowSaves::ReadDesign(const QString& path) {
  // One byte more than a design file may hold is enough to refuse a larger file unread.
  const auto bytes = services_->ReadFileStart(path, static_cast<qint64>(kLargestDesignFile) + 1);
  if (const auto* reason = std::get_if<QString>(&bytes)) {
    services_->ShowMessage(tr("The file %1 could not be opened: %2").arg(path, *reason));
    return std::nullopt;
  }
  const QByteArray& text = std::get<QByteArray>(bytes);
  auto read = ReadDesignFile(std::string_view(text.constData(), static_cast<size_t>(text.size())),
                             QDir::toNativeSeparators(path).toStdString());
  if (const auto* error = std::get_if<DesignFileError>(&read)) {
    services_->ShowMessage(QString::fromStdString(error->message));
    return std::nullopt;
  }
  last_save_ = LastSaveOf(path);
  emit LastFolderChanged();
  return std::get<FieldTexts>(std::move(read));
}

std::optional<QString> WindowSaves::SaveDesign(const FieldTexts& fields) {
  const QString filter = QString::fromUtf8(kDesignFilter);
  const std::optional<SaveChoice> choice =
      AskSave({filter}, filter, FilterExtensions(filter).front());
  if (!choice || !SaveDesignTo(choice->path, fields)) return std::nullopt;
  return choice->path;
}

bool WindowSaves::SaveDesignTo(const QString& path, const FieldTexts& fields) {
  return ReportSave(
      path, services_->WriteTextFile(path, QString::fromStdString(WriteDesignFile(fields))));
}

QString WindowSaves::StartFolder() const {
  return last_save_.folder.isEmpty() ? QString::fromUtf8(kSaveFolder) : last_save_.folder;
}

std::optional<QString> WindowSaves::SaveWithDialog(const QStringList& filters,
                                                   const QString& selected_filter,
                                                   const QString& extension, const QString& text) {
  const std::optional<SaveChoice> choice = AskSave(filters, selected_filter, extension);
  if (!choice) return std::nullopt;
  ReportSave(choice->path, services_->WriteTextFile(choice->path, text));
  return choice->path;
}

std::optional<SaveChoice> WindowSaves::AskSave(const QStringList& filters,
                                               const QString& selected_filter,
                                               const QString& extension) {
  const SaveRequest request{.filters = filters,
                            .selected_filter = selected_filter,
                            .initial_folder = StartFolder(),
                            .file_name = ProposedPath(last_save_, extension)};
  const std::optional<SaveChoice> choice = services_->AskSavePath(request);
  if (!choice || choice->path.isEmpty()) return std::nullopt;
  const QString path = WithExtension(choice->path, choice->filter);
  // The dialog asked about the name it returned; a desktop's own dialog may not have asked
  // about the one with the extension added.
  if (path != choice->path && QFileInfo::exists(path) && !services_->ConfirmReplace(path)) {
    return std::nullopt;
  }
  last_save_ = LastSaveOf(path);
  emit LastFolderChanged();
  return SaveChoice{path, choice->filter};
}

bool WindowSaves::ReportSave(const QString& path, const std::optional<QString>& failure) {
  if (failure) {
    services_->ShowMessage(tr("The file %1 could not be saved: %2").arg(path, *failure));
    return false;
  }
  // A design saved while the results are stale leaves the note saying so.
  if (!results_.Stale()) results_.ShowNote(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
  return true;
}

}  // namespace toothwright
