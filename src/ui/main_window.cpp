// The window is built from the layout tables and composed of its parts; its own handlers join
// them, and leave the computing to the core run and the output stages.
#include "ui/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <variant>

#include "numbers/numbers.h"
#include "numbers/units.h"
#include "run/run.h"
#include "sprocket/process_fields.h"
#include "ui/controls.h"
#include "ui/qt_window_services.h"
#include "ui/window_layout.h"

namespace toothwright {
namespace {

// What the window shows or saves of a run: the drawing and the toolpath to scale for their
// saves and the toolpath over the picture; the preview's documents are the CLI's alone.
constexpr RunProducts kWindowProducts{.drawing_svg = true,
                                      .preview_svg = false,
                                      .preview_ops = false,
                                      .toolpath = true,
                                      .toolpath_svg = true};

// Where the package installs the README and the changelog.
constexpr const char* kPackageDocFolder = "/usr/share/doc/toothwright";

// Where the documents are: the installed README beside the program's bin folder (the
// package's /usr/share/doc/toothwright, or the same under another install prefix) and the
// installed manual page; for the program run where it was built, the source tree's README and
// manual page; else the package's.
QString DocumentsLine() {
  const QString bin = QCoreApplication::applicationDirPath();
  const QString installed = QDir::cleanPath(bin + "/../share/doc/toothwright");
  const QString source = QString::fromUtf8(TOOTHWRIGHT_SOURCE_DIR);
  if (!QFileInfo(installed + "/README.md").isFile() &&
      QDir(bin) == QDir(QString::fromUtf8(TOOTHWRIGHT_BUILD_BIN_DIR)) &&
      QFileInfo(source + "/README.md").isFile()) {
    return QStringLiteral("How to use it: README.md in %1, and man -l %1/data/toothwright.1.")
        .arg(QDir::toNativeSeparators(source));
  }
  const QString folder = QFileInfo(installed + "/README.md").isFile()
                             ? installed
                             : QString::fromLatin1(kPackageDocFolder);
  return QStringLiteral("How to use it: README.md in %1, and man toothwright.").arg(folder);
}

// The Info box: five lines, no line break after the last.
QString InfoText() {
  return QStringLiteral(
             "Toothwright Version 2.0\r\n"
             "\r\n"
             "Written by the Toothwright developers.\r\n"
             "\r\n") +
         DocumentsLine();
}

// Where the More button sends the panel when pressed; while the panel is closed, how many
// options are in force, so that none is forgotten when a part is cut.
QString MoreCaption(bool open, int options) {
  if (open) return QString::fromUtf8("Less \u25c2");
  if (options == 0) return QString::fromUtf8("More \u25b8");
  return QString::fromUtf8("More (%1) \u25b8").arg(options);
}

}  // namespace

MainWindow::MainWindow(WindowServices* services, QWidget* parent)
    : QWidget(parent),
      own_services_(services ? nullptr : std::make_unique<QtWindowServices>(this)),
      services_(services ? services : own_services_.get()) {
  setObjectName("fgfgfg");
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(0, 0, kClientWidthTwips, kClientHeightTwips).size());
  setFont(FontFor(FontRole::Body));
  BuildParts();
  WireEvents();
  Form_Load();
  EnableFieldsOfProcess();
  const Preferences kept = services_->LoadPreferences();
  saves_->SetLastFolder(kept.last_folder);
  if (kept.more_open) CmdMore_Click();
  form_->ui().Combo1->setFocus();
}

MainWindow::~MainWindow() = default;

QString MainWindow::CurrentUnits() const {
  return QString::fromLatin1(UnitsText(units_.Current()));
}

QString MainWindow::DxfText() const {
  return results_->DxfText();
}

void MainWindow::BuildParts() {
  // The panel is created first, below the window's own controls.
  FocusOrder focus_order;
  panel_ = new MorePanel(this, focus_order);
  PlaceControls(WindowControls(), this, 0, focus_order);
  ChainFocus(std::move(focus_order));
  form_ = new MainForm(this);
  drive_ = new DriveWindow(this);
  // Every field whose option shows a unit gets its suffix.
  for (const OptionRow& row : kTextFields) {
    if (UnitSuffix(row.kind, LengthUnit::Inch) != nullptr)
      units_.Attach(FieldEdit(row.text), row.kind);
  }
  results_ = new ResultsView(this, panel_);
  saves_ = new WindowSaves(this, panel_, *results_, services_);
}

void MainWindow::WireEvents() {
  const MainForm::Controls& form = form_->ui();
  // A list's click is any change of its selected entry, by the user or by code.
  connect(form.Combo1, &QComboBox::currentIndexChanged, form_, &MainForm::Combo1_Click);
  connect(form.ComboUnits, &QComboBox::currentIndexChanged, this, &MainWindow::ComboUnits_Click);
  connect(form.Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(form.CmdAbout, &QPushButton::clicked, this, &MainWindow::CmdAbout_Click);
  connect(form.CmdMore, &QPushButton::clicked, this, &MainWindow::CmdMore_Click);
  connect(panel_->ui().CmdOpenDesign, &QPushButton::clicked, this,
          &MainWindow::CmdOpenDesign_Click);
  connect(panel_->ui().CmdSaveDesign, &QPushButton::clicked, this,
          &MainWindow::CmdSaveDesign_Click);
  auto* solid_view = FindControl<QPushButton>(panel_, "CmdSolidView");
  connect(solid_view, &QPushButton::clicked, this, &MainWindow::CmdSolidView_Click);
  // Without the solid there is nothing to view: the button stays disabled, saying why.
  if (!TOOTHWRIGHT_HAS_SOLID) {
    solid_view->setEnabled(false);
    solid_view->setToolTip(QString::fromUtf8(kNoSolidMessage));
  }
  connect(FindControl<QPushButton>(panel_, "CmdDrive"), &QPushButton::clicked, this,
          &MainWindow::CmdDrive_Click);
  connect(drive_->SavePictureButton(), &QPushButton::clicked, saves_,
          &WindowSaves::CmdDrivePictureSave_Click);
  connect(drive_->SaveDrawingButton(), &QPushButton::clicked, saves_,
          &WindowSaves::CmdDriveDrawingSave_Click);
  connect(saves_, &WindowSaves::LastFolderChanged, this, &MainWindow::KeepPreferences);
  connect(saves_, &WindowSaves::Refused, this, &MainWindow::ShowRefusal);
  // Any change of the tick, by the user or by code, keeps the two exclusive.
  connect(form.Check1, &QCheckBox::toggled, this, &MainWindow::Check1_Click);
  connect(panel_->ui().txtToolDiameter, &QLineEdit::textChanged, this,
          &MainWindow::txtToolDiameter_Change);
  // Typed or picked, the process's word changes the line of its list.
  connect(panel_->FieldEdit(&FieldTexts::process), &QLineEdit::textChanged, this,
          &MainWindow::cboProcess_Change);
  WireChangesAndEnter();
  WireShortcuts();
}

void MainWindow::WireChangesAndEnter() {
  for (const MorePanel::OptionField& option : panel_->ui().options) {
    connect(option.edit, &QLineEdit::textChanged, this, &MainWindow::RefreshMoreCaption);
  }
  for (const MorePanel::OptionTick& tick : panel_->ui().ticks) {
    connect(tick.box, &QCheckBox::toggled, this, &MainWindow::RefreshMoreCaption);
  }
  // Enter in any field presses Go.
  QPushButton* go = form_->ui().Command1;
  for (const MainForm::OptionField& field : form_->TextFields()) {
    connect(field.edit, &QLineEdit::returnPressed, go, &QPushButton::click);
  }
  for (const MorePanel::OptionField& option : panel_->ui().options) {
    connect(option.edit, &QLineEdit::returnPressed, go, &QPushButton::click);
  }
  connect(drive_, &DriveWindow::GoRequested, go, &QPushButton::click);
  // The results no longer match, and the fields may no longer be the design file's, once a
  // field, the units, the chain picked (it names the chain's width for a thickness of ANSI) or
  // a tick box changes; the G-code box is the person's own to edit and does not count.
  const auto on_every_change = [this](auto* receiver, auto slot) {
    for (const MainForm::OptionField& field : form_->TextFields()) {
      connect(field.edit, &QLineEdit::textChanged, receiver, slot);
    }
    for (const MorePanel::OptionField& option : panel_->ui().options) {
      connect(option.edit, &QLineEdit::textChanged, receiver, slot);
    }
    for (const MorePanel::OptionTick& tick : panel_->ui().ticks) {
      connect(tick.box, &QCheckBox::toggled, receiver, slot);
    }
    for (const DriveWindow::OptionField& field : drive_->Fields()) {
      connect(field.edit, &QLineEdit::textChanged, receiver, slot);
    }
    connect(form_->ui().ComboUnits, &QComboBox::currentIndexChanged, receiver, slot);
    connect(form_->ui().Combo1, &QComboBox::currentIndexChanged, receiver, slot);
    connect(form_->ui().Check1, &QCheckBox::toggled, receiver, slot);
  };
  on_every_change(results_, &ResultsView::MarkResultsStale);
  on_every_change(this, &MainWindow::RefreshTitle);
  on_every_change(drive_, &DriveWindow::MarkStale);
}

void MainWindow::WireShortcuts() {
  // A click on a disabled save does nothing, and neither does its key.
  const auto shortcut = [this](QKeySequence keys, auto slot_owner, auto slot) {
    connect(new QShortcut(keys, this), &QShortcut::activated, slot_owner, slot);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), FindControl<QPushButton>(this, "CmdGCodeSave"),
           &QPushButton::click);
  shortcut(QKeySequence(Qt::Key_F1), form_->ui().CmdAbout, &QPushButton::click);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
  // The design files' keys work with the panel closed too, where their buttons are hidden.
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this, &MainWindow::CmdOpenDesign_Click);
  shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, &MainWindow::CmdSaveDesign_Click);
}

FieldTexts MainWindow::ReadFields() const {
  FieldTexts fields;
  form_->ReadInto(fields);
  // Read whether the panel is open or not: the count on its button shows what is in force.
  panel_->ReadInto(fields);
  drive_->ReadInto(fields);
  return fields;
}

QLineEdit* MainWindow::FieldEdit(std::string FieldTexts::*text) const {
  if (QLineEdit* field = form_->FieldEdit(text)) return field;
  if (QLineEdit* field = drive_->FieldEdit(text)) return field;
  return panel_->FieldEdit(text);
}

QCheckBox* MainWindow::TickBox(bool FieldTexts::*ticked) const {
  if (ticked == &FieldTexts::offset) return form_->ui().Check1;
  QCheckBox* box = panel_->TickBox(ticked);
  Q_ASSERT_X(box != nullptr, "TickBox", "every tick of the design has its box");
  return box;
}

void MainWindow::RefreshMoreCaption() {
  form_->ui().CmdMore->setText(MoreCaption(panel_->IsOpen(), panel_->OptionsInForce()));
}

void MainWindow::Form_Load() {
  form_->LoadChains();
  units_.SetCurrent(UnitOf(UnitsList().front().toStdString()));
  // Raises ComboUnits_Click, which finds the unit unchanged and converts nothing.
  form_->ui().ComboUnits->setCurrentIndex(0);
  units_.RefreshSuffixes();
}

void MainWindow::Command1_Click() {
  // Until this run succeeds, what the window shows is not the result of its fields.
  results_->MarkResultsStale();
  const FieldTexts fields = ReadFields();
  auto run = RunDesign(fields, kWindowProducts);
  if (const auto* error = std::get_if<FieldError>(&run)) {
    ShowRefusal(*error);
    return;
  }
  results_->Clear();
  // The cleared fields repaint now; a second press of Go runs a whole run of its own here.
  services_->ProcessPendingEvents();

  // Whatever the pending events changed counts: fields edited meanwhile are read and run anew.
  if (FieldTexts now = ReadFields(); now != fields) {
    run = RunDesign(now, kWindowProducts);
    if (const auto* error = std::get_if<FieldError>(&run)) {
      ShowRefusal(*error);
      return;
    }
  }
  results_->ShowRun(std::get<RunResults>(std::move(run)));
  drive_->ShowRun(results_->Last()->job);
  if (solid_view_ && solid_view_->isVisible()) solid_view_->Show(results_->Last()->job);
}

void MainWindow::CmdSolidView_Click() {
  const ResultsView::LastRun* last_run = results_->Last();
  if (!last_run) {
    services_->ShowMessage(QString::fromUtf8(kNoModelMessage));
    return;
  }
  if (!solid_view_) solid_view_ = new SolidViewWindow(this);
  solid_view_->show();
  solid_view_->raise();
  solid_view_->Show(last_run->job);
}

void MainWindow::CmdDrive_Click() {
  drive_->show();
  drive_->raise();
  drive_->activateWindow();
}

void MainWindow::ShowRefusal(const FieldError& error) {
  // A drive's field is shown in its window.
  if (FieldOf(error.field).panel.group == PanelGroup::Drive) CmdDrive_Click();
  services_->ShowRefusal(QString::fromStdString(error.message),
                         QString::fromStdString(error.reason));
  // The field to change next has the focus, its text selected to type over. One the process
  // greys is enabled again, since the message asks to empty it; the next change of process
  // greys it anew.
  const OptionRow& row = FieldOf(error.field);
  findChild<QWidget*>(QString::fromLatin1(row.label))->setEnabled(true);
  QWidget* control = findChild<QWidget*>(QString::fromLatin1(row.control));
  control->setEnabled(true);
  if (row.text == nullptr) {
    control->setFocus();
  } else if (QLineEdit* field = FieldEdit(row.text)) {
    field->setFocus();
    field->selectAll();
  }
}

void MainWindow::ComboUnits_Click() {
  units_.Switch(UnitOf(form_->ui().ComboUnits->currentText().toStdString()));
}

void MainWindow::CmdMore_Click() {
  const bool open = !panel_->IsOpen();
  form_->ui().CmdMore->setChecked(open);
  panel_->SetOpen(open);
  const int width = kClientWidthTwips + (open ? kMorePanelWidthTwips : 0);
  setFixedSize(TwipsToPixels(0, 0, width, kClientHeightTwips).size());
  RefreshMoreCaption();
  KeepPreferences();
}

void MainWindow::CmdOpenDesign_Click() {
  if (const std::optional<QString> path = saves_->AskDesignPath()) OpenDesign(*path);
}

void MainWindow::CmdSaveDesign_Click() {
  // The fields as typed, whether Go has read them or not: a design is saved to be worked on.
  const FieldTexts fields = ReadFields();
  if (const std::optional<QString> path = saves_->SaveDesign(fields)) {
    design_file_ = DesignFile{*path, fields};
    RefreshTitle();
  }
}

void MainWindow::OpenDesign(const QString& path) {
  const std::optional<FieldTexts> fields = saves_->ReadDesign(path);
  if (!fields) return;
  ShowDesign(*fields);
  // As the window shows them, which is what later edits are held against.
  design_file_ = DesignFile{path, ReadFields()};
  RefreshTitle();
  results_->ShowNote(tr("Opened %1: press Go").arg(QFileInfo(path).fileName()));
}

void MainWindow::RefreshTitle() {
  const QString caption = QString::fromUtf8(kWindowCaption);
  if (!design_file_) {
    setWindowTitle(caption);
    return;
  }
  const bool changed = !(ReadFields() == design_file_->fields);
  setWindowTitle(QStringLiteral("%1%2 - %3")
                     .arg(QFileInfo(design_file_->path).fileName(),
                          changed ? QStringLiteral("*") : QString(), caption));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  const FieldTexts fields = ReadFields();
  if (design_file_ && !(fields == design_file_->fields)) {
    const QString name = QFileInfo(design_file_->path).fileName();
    const CloseAnswer answer = services_->AskSaveChanges(name);
    if (answer == CloseAnswer::Cancel ||
        (answer == CloseAnswer::Save && !saves_->SaveDesignTo(design_file_->path, fields))) {
      event->ignore();
      return;
    }
  }
  QWidget::closeEvent(event);
}

void MainWindow::ShowDesign(const FieldTexts& fields) {
  // The file's lengths are in its own units already: the switch converts nothing.
  form_->ShowUnitsAndChain(fields);
  units_.SetCurrent(UnitOf(fields.units));
  for (const OptionRow& row : kTextFields) {
    if (QLineEdit* field = FieldEdit(row.text)) SetFieldText(field, fields.*(row.text));
  }
  // A later switch converts each length from the file's text, as if typed in the file's units.
  units_.TakeShownAsTyped();
  // The ticks after the texts: a tool diameter unticks the offset as it is set.
  for (const OptionRow& row : kTickFields) {
    if (QCheckBox* box = TickBox(row.ticked)) box->setChecked(fields.*(row.ticked));
  }
  units_.RefreshSuffixes();
  results_->MarkResultsStale();
}

void MainWindow::KeepPreferences() {
  services_->SavePreferences({.last_folder = saves_->LastFolder(), .more_open = panel_->IsOpen()});
}

void MainWindow::Check1_Click() {
  EnableFieldsOfProcess();
}

void MainWindow::txtToolDiameter_Change() {
  if (!IsBlank(panel_->ui().txtToolDiameter->text().toStdString())) {
    form_->ui().Check1->setChecked(false);
  }
  EnableFieldsOfProcess();
}

void MainWindow::cboProcess_Change() {
  EnableFieldsOfProcess();
}

void MainWindow::EnableFieldsOfProcess() {
  const std::optional<Process> process =
      ReadProcess(panel_->FieldEdit(&FieldTexts::process)->text().toStdString());
  // Cutter compensation and a program along the cutter centre would offset the path twice: the
  // tick greys the empty field, a diameter the unticked box. A design file may hold both, which
  // the window never does: Go refuses the tool diameter, and both stay editable so that either
  // can be given up.
  const bool ticked = form_->ui().Check1->isChecked();
  const bool diameter = !IsBlank(panel_->ui().txtToolDiameter->text().toStdString());
  for (const OptionRow& row : kOptionRows) {
    bool enabled = !process || ProcessTakes(*process, row.field);
    if (row.field == Field::ToolDiameter) enabled = enabled && !(ticked && !diameter);
    if (row.field == Field::Offset) enabled = enabled && !(diameter && !ticked);
    findChild<QWidget*>(QString::fromLatin1(row.control))->setEnabled(enabled);
    findChild<QWidget*>(QString::fromLatin1(row.label))->setEnabled(enabled);
  }
}

void MainWindow::CmdAbout_Click() {
  services_->ShowMessage(InfoText());
}

}  // namespace toothwright
