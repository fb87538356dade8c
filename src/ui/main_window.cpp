// The window is built from the layout table; the handlers read and write the controls and
// leave the computing to the core run and the output stages.
#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>
#include <variant>
#include <vector>

#include "output/pipeline.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/units.h"
#include "ui/picture_box.h"
#include "ui/qt_window_services.h"
#include "ui/text_store.h"
#include "ui/window_layout.h"

namespace toothwright {
namespace {

// The units list belongs to the window's design; Form_Load only selects its first entry.
const QStringList kUnitsList = {"English", "Metric"};

// The Info box: five lines, no line break after the last.
constexpr const char* kInfoText =
    "Toothwright Version 2.0\r\n"
    "\r\n"
    "Written by the Toothwright developers.\r\n"
    "\r\n"
    "See the README that comes with the program for how to use it.";

QWidget* CreateControl(const ControlLayout& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(QString::fromUtf8(row.caption), parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment((row.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      return label;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(QString::fromUtf8(row.caption), parent);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::TextBox:
      return new QLineEdit(parent);
    case ControlKind::ResultBox: {
      auto* field = new QLineEdit(parent);
      field->setReadOnly(true);
      field->setFocusPolicy(Qt::StrongFocus);
      return field;
    }
    case ControlKind::ChoiceList: {
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      return list;
    }
    case ControlKind::CheckBox:
      return new QCheckBox(parent);
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Plain);
      frame->setLineWidth(1);
      return frame;
    }
    case ControlKind::Picture: {
      auto* picture = new PictureBox(parent);
      picture->setFocusPolicy(Qt::StrongFocus);
      return picture;
    }
    case ControlKind::CodeBox: {
      auto* box = new QPlainTextEdit(parent);
      box->setLineWrapMode(QPlainTextEdit::NoWrap);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setTabChangesFocus(true);
      return box;
    }
  }
  return nullptr;
}

template <typename Widget>
Widget* FindControl(const QWidget* window, const char* name) {
  auto* control = window->findChild<Widget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT_X(control != nullptr, "FindControl", name);
  return control;
}

// A run's texts use CR LF; the text box keeps lines with LF alone and would turn each CR
// into a line break of its own.
QString ToBoxText(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString FromBoxText(QString text) {
  return text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

// A text the program writes into a field is shown from its start, as typed text would be,
// even when it is wider than the field.
void SetFieldText(QLineEdit* field, const std::string& text) {
  field->setText(QString::fromStdString(text));
  field->setCursorPosition(0);
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
  BuildControls();
  WireEvents();
  Form_Load();
  ui_.Combo1->setFocus();
}

MainWindow::~MainWindow() = default;

QString MainWindow::DxfText() const {
  return ui_.txtDXF->text();
}

void MainWindow::BuildControls() {
  std::vector<const ControlLayout*> focus_order;
  for (const ControlLayout& row : WindowControls()) {
    QWidget* control = CreateControl(row, this);
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(TwipsToPixels(row.left, row.top, row.width, row.height));
    if (row.font != FontRole::Body) control->setFont(FontFor(row.font));
    if (row.tab != kNoTab) focus_order.push_back(&row);
  }
  std::sort(focus_order.begin(), focus_order.end(),
            [](const ControlLayout* a, const ControlLayout* b) { return a->tab < b->tab; });
  for (size_t i = 1; i < focus_order.size(); ++i) {
    setTabOrder(FindControl<QWidget>(this, focus_order[i - 1]->name),
                FindControl<QWidget>(this, focus_order[i]->name));
  }

  ui_.Combo1 = FindControl<QComboBox>(this, "Combo1");
  ui_.txtPitch = FindControl<QLineEdit>(this, "txtPitch");
  ui_.txtRollerDiameter = FindControl<QLineEdit>(this, "txtRollerDiameter");
  ui_.ComboUnits = FindControl<QComboBox>(this, "ComboUnits");
  ui_.txtNumberofTeeth = FindControl<QLineEdit>(this, "txtNumberofTeeth");
  ui_.Command1 = FindControl<QPushButton>(this, "Command1");
  ui_.txtCutDepth = FindControl<QLineEdit>(this, "txtCutDepth");
  ui_.txtFeedRate = FindControl<QLineEdit>(this, "txtFeedRate");
  ui_.Check1 = FindControl<QCheckBox>(this, "Check1");
  ui_.txtOutsideDiameter = FindControl<QLineEdit>(this, "txtOutsideDiameter");
  ui_.txtPitchDiameter = FindControl<QLineEdit>(this, "txtPitchDiameter");
  ui_.Picture1 = FindControl<PictureBox>(this, "Picture1");
  ui_.txtInfo = FindControl<QPlainTextEdit>(this, "txtInfo");
  ui_.CmdSelectGCODE = FindControl<QPushButton>(this, "CmdSelectGCODE");
  ui_.CmdGCodeSave = FindControl<QPushButton>(this, "CmdGCodeSave");
  ui_.CmdDXFSave = FindControl<QPushButton>(this, "CmdDXFSave");
  ui_.CmdAbout = FindControl<QPushButton>(this, "CmdAbout");

  // The check box has no caption of its own; the label beside it names it for assistive tools.
  ui_.Check1->setAccessibleName(FindControl<QLabel>(this, "Label19")->text());

  // The feed is copied into every move line of the program, where a line break would start
  // lines of its own; the one-line field refuses a paste that holds one.
  ui_.txtFeedRate->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[^\r\n]*"), ui_.txtFeedRate));

  // Nothing is selected until Form_Load picks "English".
  const QSignalBlocker quiet(ui_.ComboUnits);
  ui_.ComboUnits->addItems(kUnitsList);
  ui_.ComboUnits->setCurrentIndex(-1);

  ui_.txtDXF = new TextStore(this);
  ui_.txtDXF->setObjectName("txtDXF");
}

void MainWindow::WireEvents() {
  // A list's click is any change of its selected entry, by the user or by code.
  connect(ui_.Combo1, &QComboBox::currentIndexChanged, this, &MainWindow::Combo1_Click);
  connect(ui_.ComboUnits, &QComboBox::currentIndexChanged, this, &MainWindow::ComboUnits_Click);
  connect(ui_.Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(ui_.CmdSelectGCODE, &QPushButton::clicked, this, &MainWindow::CmdSelectGCODE_Click);
  connect(ui_.CmdGCodeSave, &QPushButton::clicked, this, &MainWindow::CmdGCodeSave_Click);
  connect(ui_.CmdDXFSave, &QPushButton::clicked, this, &MainWindow::CmdDXFSave_Click);
  connect(ui_.CmdAbout, &QPushButton::clicked, this, &MainWindow::CmdAbout_Click);
}

FieldTexts MainWindow::ReadFields() const {
  return {.pitch = ui_.txtPitch->text().toStdString(),
          .teeth = ui_.txtNumberofTeeth->text().toStdString(),
          .roller = ui_.txtRollerDiameter->text().toStdString(),
          .units = ui_.ComboUnits->currentText().toStdString(),
          .depth = ui_.txtCutDepth->text().toStdString(),
          .feed = ui_.txtFeedRate->text().toStdString(),
          .offset = ui_.Check1->isChecked()};
}

void MainWindow::Form_Load() {
  {
    // Filling the list picks nothing and must not count as a pick.
    const QSignalBlocker quiet(ui_.Combo1);
    ui_.Combo1->addItem(QString());
    for (const ChainSize& row : ChainSizeTable) ui_.Combo1->addItem(QString::fromUtf8(row.name));
    ui_.Combo1->setCurrentIndex(-1);
  }
  current_units_ = kUnitsList.front();
  // Raises ComboUnits_Click, which finds the unit unchanged and converts nothing.
  ui_.ComboUnits->setCurrentIndex(0);
}

void MainWindow::Command1_Click() {
  if (const auto message = CheckFields(ReadFields())) {
    services_->ShowMessage(QString::fromStdString(message->text));
    return;
  }
  ui_.txtDXF->setText(QString());
  ui_.txtInfo->clear();
  ui_.Picture1->Clear();
  ui_.txtOutsideDiameter->clear();
  // The cleared fields repaint now; a second press of Go runs a whole run of its own here.
  services_->ProcessPendingEvents();

  // Whatever the pending events changed counts: the fields are read again.
  const FieldTexts fields = ReadFields();
  const auto run = RunSprocket(fields);
  if (const auto* message = std::get_if<ValidationMessage>(&run)) {
    services_->ShowMessage(QString::fromStdString(message->text));
    return;
  }
  const SprocketRun& sprocket = std::get<SprocketRun>(run);
  SetFieldText(ui_.txtPitchDiameter, sprocket.pitch_diameter_text);
  SetFieldText(ui_.txtOutsideDiameter, sprocket.outside_diameter_text);
  const StageTexts texts = RunStages(fields, sprocket, *ui_.Picture1);
  ui_.txtInfo->setPlainText(ToBoxText(texts.gcode));
  ui_.txtDXF->setText(QString::fromStdString(texts.dxf));
}

void MainWindow::Combo1_Click() {
  const QString name = ui_.Combo1->currentText();
  if (name.isEmpty()) {
    ui_.txtPitch->clear();
    ui_.txtRollerDiameter->clear();
    return;
  }
  const std::optional<ChainSize> row = FindChainSize(name.toStdString());
  if (!row) return;
  const LengthTexts texts =
      SetChainSize(row->pitch, row->roller, ui_.ComboUnits->currentText().toStdString());
  SetFieldText(ui_.txtPitch, texts.pitch);
  SetFieldText(ui_.txtRollerDiameter, texts.roller);
}

void MainWindow::ComboUnits_Click() {
  const QString units = ui_.ComboUnits->currentText();
  if (units == current_units_) return;
  current_units_ = units;
  ConvertLengthField(ui_.txtPitch, units);
  ConvertLengthField(ui_.txtRollerDiameter, units);
}

void MainWindow::ConvertLengthField(QLineEdit* field, const QString& units) {
  // A field that is not wholly a number, or whose product overflows, keeps its text.
  if (const auto converted = ConvertLengthText(field->text().toStdString(), units.toStdString())) {
    SetFieldText(field, *converted);
  }
}

void MainWindow::CmdSelectGCODE_Click() {
  ui_.txtInfo->selectAll();
  ui_.txtInfo->setFocus();
}

void MainWindow::CmdGCodeSave_Click() {
  SaveWithDialog(QString::fromUtf8(kGCodeFilter), FromBoxText(ui_.txtInfo->toPlainText()));
}

void MainWindow::CmdDXFSave_Click() {
  if (ui_.txtDXF->text().isEmpty()) {
    services_->ShowMessage(QString::fromUtf8(kNoDrawingMessage));
    return;
  }
  SaveWithDialog(QString::fromUtf8(kDxfFilter), ui_.txtDXF->text());
}

void MainWindow::CmdAbout_Click() {
  services_->ShowMessage(QString::fromUtf8(kInfoText));
}

void MainWindow::SaveWithDialog(const QString& filter, const QString& text) {
  save_dialog_.filter = filter;
  save_dialog_.initial_folder = QString::fromUtf8(kSaveFolder);
  const std::optional<QString> path = services_->AskSavePath(save_dialog_);
  if (!path || path->isEmpty()) return;
  save_dialog_.file_name = *path;
  // Both texts already end in CR LF; the saved file gets one more.
  if (const auto reason = services_->WriteTextFile(*path, text + QLatin1String("\r\n"))) {
    services_->ShowMessage(tr("The file %1 could not be saved: %2").arg(*path, *reason));
  }
}

}  // namespace toothwright
