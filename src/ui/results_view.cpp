// The results of a run shown in the window, and whether they still match the fields.
#include "ui/results_view.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>
#include <variant>

#include "output/preview.h"
#include "output/recording_canvas.h"
#include "output/toolpath_contours.h"
#include "output/toolpath_style.h"
#include "ui/controls.h"
#include "ui/picture_box.h"
#include "ui/text_store.h"
#include "ui/unit_switch.h"

namespace toothwright {
namespace {

// A run's texts use CR LF; the text box keeps lines with LF alone and would turn each CR
// into a line break of its own.
QString ToBoxText(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString FromBoxText(QString text) {
  return text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

}  // namespace

ResultsView::ResultsView(QWidget* window, QWidget* panel) : QObject(window) {
  ui_.txtOutsideDiameter = FindControl<QLineEdit>(window, "txtOutsideDiameter");
  ui_.txtPitchDiameter = FindControl<QLineEdit>(window, "txtPitchDiameter");
  ui_.Picture1 = FindControl<PictureBox>(window, "Picture1");
  ui_.Label15 = FindControl<QLabel>(window, "Label15");
  ui_.LabelResultsNote = FindControl<QLabel>(window, "LabelResultsNote");
  ui_.txtInfo = FindControl<QPlainTextEdit>(window, "txtInfo");
  ui_.CmdSelectGCODE = FindControl<QPushButton>(window, "CmdSelectGCODE");
  ui_.CmdGCodeSave = FindControl<QPushButton>(window, "CmdGCodeSave");
  ui_.CmdDXFSave = FindControl<QPushButton>(window, "CmdDXFSave");
  ui_.CheckShowToolpath = FindControl<QCheckBox>(panel, "CheckShowToolpath");
  ui_.txtCutLength = FindControl<QLineEdit>(panel, "txtCutLength");
  ui_.txtCutTime = FindControl<QLineEdit>(panel, "txtCutTime");
  ui_.CmdSVGSave = FindControl<QPushButton>(panel, "CmdSVGSave");
  ui_.CmdToolpathSave = FindControl<QPushButton>(panel, "CmdToolpathSave");
  ui_.CmdModelSave = FindControl<QPushButton>(panel, "CmdModelSave");
  ui_.CmdCutPathSave = FindControl<QPushButton>(panel, "CmdCutPathSave");
  for (QLineEdit* result : {ui_.txtOutsideDiameter, ui_.txtPitchDiameter}) {
    result_suffixes_.push_back(AttachUnitSuffix(result, OptionKind::Length));
  }
  ui_.txtDXF = new TextStore(window);
  ui_.txtDXF->setObjectName("txtDXF");
  ui_.txtSVG = new TextStore(window);
  ui_.txtSVG->setObjectName("txtSVG");
  // A view of the last run: redrawn at once, and the results stay current.
  connect(ui_.CheckShowToolpath, &QCheckBox::toggled, this, &ResultsView::CheckShowToolpath_Click);
  connect(ui_.CmdSelectGCODE, &QPushButton::clicked, this, &ResultsView::CmdSelectGCODE_Click);
  // A result wider than its field is shown whole in the field's tip.
  for (QLineEdit* result :
       {ui_.txtOutsideDiameter, ui_.txtPitchDiameter, ui_.txtCutLength, ui_.txtCutTime}) {
    connect(result, &QLineEdit::textChanged, result, &QWidget::setToolTip);
  }
}

ResultsView::~ResultsView() = default;

QString ResultsView::GCodeText() const {
  return FromBoxText(ui_.txtInfo->toPlainText());
}

QString ResultsView::DxfText() const {
  return ui_.txtDXF->text();
}

QString ResultsView::SvgText() const {
  return ui_.txtSVG->text();
}

void ResultsView::Clear() {
  ui_.txtDXF->setText(QString());
  ui_.txtSVG->setText(QString());
  ui_.txtInfo->clear();
  ui_.Picture1->Clear();
  ui_.txtOutsideDiameter->clear();
  ui_.txtCutLength->clear();
  ui_.txtCutTime->clear();
  last_run_.reset();
}

void ResultsView::ShowRun(RunResults run) {
  // Kept for the saves and for redrawing the picture.
  last_run_ = std::make_unique<LastRun>(std::move(run));
  const RunResults& r = *last_run_;
  SetFieldText(ui_.txtPitchDiameter, r.job.sprocket.pitch_diameter_text);
  SetFieldText(ui_.txtOutsideDiameter, r.job.sprocket.outside_diameter_text);
  // Recorded on a canvas of the picture box's size, the calls draw what drawing on it would.
  ReplayPreviewCalls(r.preview, *ui_.Picture1);
  ui_.txtInfo->setPlainText(ToBoxText(r.gcode));
  ui_.txtDXF->setText(QString::fromStdString(r.dxf));
  ui_.txtSVG->setText(QString::fromStdString(r.drawing_svg));
  // The toolpath and the figures come from the run, not from the box, which the person may
  // edit.
  ShowProgramResults();
  ShowResultsCurrent();
}

void ResultsView::ShowProgramResults() {
  SetFieldText(ui_.txtCutLength, last_run_->cut_length);
  SetFieldText(ui_.txtCutTime, last_run_->cut_time);
  DrawToolpathIfShown();
}

void ResultsView::DrawToolpathIfShown() {
  const LastRun& run = *last_run_;
  const bool shown = ui_.CheckShowToolpath->isChecked();
  if (shown) ReplayPreviewCalls(run.toolpath, *ui_.Picture1);
  // The caption says what the picture holds: a toolpath the controller still offsets, else a
  // bore in place of the centre circle, which every output holds.
  const char* caption = FindControlLayout("Label15")->caption;
  if (shown && Compensated(run.job.moves)) {
    caption = kCompensationCaption;
  } else if (run.job.sprocket.mounting.bore) {
    caption = kBoreCaption;
  }
  ui_.Label15->setText(QString::fromUtf8(caption));
}

void ResultsView::CheckShowToolpath_Click() {
  if (!last_run_) return;
  ReplayPreviewCalls(last_run_->preview, *ui_.Picture1);
  DrawToolpathIfShown();
}

void ResultsView::CmdSelectGCODE_Click() {
  ui_.txtInfo->selectAll();
  ui_.txtInfo->setFocus();
}

std::vector<QPushButton*> ResultsView::ResultSaves() const {
  std::vector<QPushButton*> saves = {ui_.CmdGCodeSave, ui_.CmdDXFSave, ui_.CmdSVGSave,
                                     ui_.CmdToolpathSave, ui_.CmdCutPathSave};
  // Without the solid the model's save stays disabled with a tip saying why.
  if (TOOTHWRIGHT_HAS_SOLID) saves.push_back(ui_.CmdModelSave);
  return saves;
}

void ResultsView::MarkResultsStale() {
  if (!has_results_ || results_stale_) return;
  results_stale_ = true;
  for (QPushButton* save : ResultSaves()) {
    save->setEnabled(false);
    save->setToolTip(QString::fromUtf8(kStaleResultsMessage));
  }
  ShowNote(QString::fromUtf8(kStaleResultsMessage));
}

void ResultsView::ShowResultsCurrent() {
  has_results_ = true;
  results_stale_ = false;
  for (QPushButton* save : ResultSaves()) {
    save->setEnabled(true);
    save->setToolTip(QString());
  }
  ShowNote(QString());
  // The run read the fields in its unit.
  for (QLabel* suffix : result_suffixes_) {
    suffix->setText(
        QString::fromLatin1(UnitSuffix(OptionKind::Length, last_run_->job.design.unit)));
  }
}

void ResultsView::ShowNote(const QString& text) {
  QLabel* note = ui_.LabelResultsNote;
  note->setText(note->fontMetrics().elidedText(text, Qt::ElideMiddle, note->width()));
  note->setToolTip(text);
}

}  // namespace toothwright
