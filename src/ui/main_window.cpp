// The window is built from the layout table; the handlers read and write the controls and
// leave the computing to the core run and the output stages.
#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <span>
#include <utility>
#include <variant>
#include <vector>

#include "design_file/design_file.h"
#include "output/cut_statistics.h"
#include "output/drawing_svg.h"
#include "output/pipeline.h"
#include "output/preview.h"
#include "output/toolpath_contours.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_style.h"
#include "output/toolpath_svg.h"
#include "sprocket/chain_sizes.h"
#include "numbers/numbers.h"
#include "ui/picture_box.h"
#include "ui/qt_window_services.h"
#include "ui/text_store.h"

#if TOOTHWRIGHT_HAS_SOLID
#include "solid/job_model.h"
#endif

namespace toothwright {

struct MainWindow::LastRun {
  Job job;
};

namespace {

// The units list belongs to the window's design; Form_Load only selects its first entry.
const QStringList kUnitsList = {"English", "Metric"};

// Where the package installs the README and the changelog.
constexpr const char* kPackageDocFolder = "/usr/share/doc/toothwright";

// The folder holding the installed README: beside the program's bin folder (the package's
// /usr/share/doc/toothwright, or the same under another install prefix), else the package's.
QString DocumentationFolder() {
  const QString beside =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/toothwright");
  return QFileInfo(beside + "/README.md").isFile() ? beside
                                                   : QString::fromLatin1(kPackageDocFolder);
}

// The Info box: five lines, no line break after the last.
QString InfoText() {
  return QStringLiteral(
             "Toothwright Version 2.0\r\n"
             "\r\n"
             "Written by the Toothwright developers.\r\n"
             "\r\n"
             "How to use it: README.md in %1, and man toothwright.")
      .arg(DocumentationFolder());
}

// The closed window's text fields: the run's text each one fills.
struct MainField {
  std::string FieldTexts::*text;
  const char* name;  // objectName in the window's layout table
};

const MainField kMainFields[] = {
    {&FieldTexts::pitch, "txtPitch"},         {&FieldTexts::roller, "txtRollerDiameter"},
    {&FieldTexts::teeth, "txtNumberofTeeth"}, {&FieldTexts::depth, "txtCutDepth"},
    {&FieldTexts::feed, "txtFeedRate"},
};

// The More panel's text fields: the run's text each one fills.
struct OptionField {
  const char* name;  // objectName in the panel's layout table
  std::string FieldTexts::*text;
  const char* tip;  // what the field means, shown when the pointer rests on it
};

const OptionField kOptionFields[] = {
    {"txtSeatClearance", &FieldTexts::seat_clearance,
     "Added to the roller radius for the seats: a length of 0 or more, or ANSI for the chain "
     "standard's seating curve"},
    {"txtTipDiameter", &FieldTexts::tip_diameter,
     "The teeth are topped at this diameter: a length, or ANSI for the standard's outside "
     "diameter"},
    {"txtToolDiameter", &FieldTexts::tool_diameter,
     "The program follows the cutter centre, offset by half this diameter, for controllers "
     "without cutter compensation; not together with the tool offset right code"},
    {"txtDepthPerPass", &FieldTexts::depth_per_pass,
     "The contour is cut in passes this much deeper each, down to the depth of cut"},
    {"txtTabs", &FieldTexts::tabs, "Number of holding tabs left on the contour"},
    {"txtTabWidth", &FieldTexts::tab_width, "Length of each tab along the path"},
    {"txtTabHeight", &FieldTexts::tab_height, "Height of each tab above the full depth"},
    {"txtSafeZ", &FieldTexts::safe_z, "Height of the first and last rapid moves"},
    {"txtSpindle", &FieldTexts::spindle, "Spindle speed, written after S as typed"},
    {"txtBore", &FieldTexts::bore, "Diameter of the bore about the centre"},
    {"txtKeywayWidth", &FieldTexts::keyway_width,
     "Width of the keyway in the bore's edge; needs a bore"},
    {"txtKeywayDepth", &FieldTexts::keyway_depth, "From the bore's edge to the keyway's far side"},
    {"txtBoltHoles", &FieldTexts::bolt_holes, "Number of holes on the bolt circle"},
    {"txtBoltHoleDiameter", &FieldTexts::bolt_hole_diameter, "Diameter of each bolt hole"},
    {"txtBoltCircle", &FieldTexts::bolt_circle,
     "Diameter of the circle through the bolt holes' centres"},
    {"txtPlungeFeed", &FieldTexts::plunge_feed,
     "Feed of every move down, written as typed; the cutting feed comes back on the next move "
     "across"},
    {"txtRampAngle", &FieldTexts::ramp_angle,
     "Degrees, 1 to 45: each pass goes down along its path at this angle instead of straight "
     "down"},
    {"txtLeadIn", &FieldTexts::lead_in,
     "With a tool diameter: radius of the arcs in the waste along which each contour is entered "
     "and left"},
    {"cboDirection", &FieldTexts::direction,
     "conventional (the default) or climb: the side of its path the cutter runs on"},
    {"txtThickness", &FieldTexts::thickness,
     "Width of one row of teeth: a length, or ANSI for the chain standard's width; every 3-D "
     "model needs it"},
    {"txtHubDiameter", &FieldTexts::hub_diameter,
     "Diameter of a plain hub on one side, bored through; with a hub length"},
    {"txtHubLength", &FieldTexts::hub_length, "How far the hub stands off the part's side"},
    {"txtStrands", &FieldTexts::strands,
     "Rows of teeth, 1 to 8, at the chain's transverse pitch; blank is 1"},
    {"txtMeshTolerance", &FieldTexts::mesh_tolerance,
     "Chord tolerance of the STL and 3MF mesh; blank is 0.0004 in or 0.01 mm"},
};
static_assert(std::size(kOptionFields) == kOptionFieldCount);

// The More panel's tick boxes: the run's tick each one sets.
struct OptionTick {
  const char* name;  // objectName in the panel's layout table
  bool FieldTexts::*ticked;
  const char* tip;
};

const OptionTick kOptionTicks[] = {
    {"CheckProgramEnd", &FieldTexts::program_end, nullptr},
    {"CheckToothChamfer", &FieldTexts::tooth_chamfer,
     "The teeth's sides get the chain standard's side profile in the 3-D model"},
    {"CheckPreamble", &FieldTexts::preamble,
     "The program starts with a comment naming the part, then G17 G90 G94"},
    {"CheckDxfUnits", &FieldTexts::dxf_units,
     "The DXF file states its unit, so that CAD programs import it at true size"},
    {"CheckDxfPolyline", &FieldTexts::dxf_polyline,
     "The DXF file draws each loop as one closed polyline with bulges"},
};
static_assert(std::size(kOptionTicks) == kOptionTickCount);

// The choices of the direction list; the blank first one leaves the default.
const QStringList kDirections = {QString(), QStringLiteral("conventional"),
                                 QStringLiteral("climb")};

// A panel field typed in a line of its own, or in the editable line of a list to pick from.
QLineEdit* OptionEdit(const QWidget* panel, const char* name) {
  const QString object_name = QString::fromLatin1(name);
  if (auto* list = panel->findChild<QComboBox*>(object_name, Qt::FindDirectChildrenOnly)) {
    return list->lineEdit();
  }
  return panel->findChild<QLineEdit*>(object_name, Qt::FindDirectChildrenOnly);
}

// Room between a unit suffix and the typed text, and between the suffix and the field's frame.
constexpr int kSuffixGapPixels = 2;
constexpr int kSuffixFramePixels = 3;

// The unit shown inside the right end of field, grey like a placeholder, with the field's text
// kept clear of it. The room fits the widest suffix of the unit, so that a switch moves nothing;
// clicks go through to the field.
QLabel* AttachUnitSuffix(QLineEdit* field, FieldUnit unit) {
  auto* suffix = new QLabel(field);
  suffix->setObjectName(field->objectName() + QLatin1String("Unit"));
  suffix->setTextFormat(Qt::PlainText);
  suffix->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  suffix->setAttribute(Qt::WA_TransparentForMouseEvents);
  suffix->setForegroundRole(QPalette::PlaceholderText);
  const int width =
      field->fontMetrics().horizontalAdvance(QString::fromLatin1(WidestUnitSuffix(unit)));
  suffix->setGeometry(field->width() - width - kSuffixFramePixels, 0, width, field->height());
  field->setTextMargins(0, 0, width + kSuffixGapPixels, 0);
  return suffix;
}

// The word a tooth-form or thickness field takes for the chain standard's value.
constexpr const char* kStandardWord = "ANSI";

// The G-code and DXF texts already end in CR LF; their saved files get one more.
constexpr const char* kSavedLineBreak = "\r\n";

// Where the More button sends the panel when pressed; while the panel is closed, how many
// options are in force, so that none is forgotten when a part is cut.
QString MoreCaption(bool open, int options) {
  if (open) return QString::fromUtf8("Less \u25c2");
  if (options == 0) return QString::fromUtf8("More \u25b8");
  return QString::fromUtf8("More (%1) \u25b8").arg(options);
}

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
      // A click gives the focus, so that the number can be selected and copied; Tab passes it.
      auto* field = new QLineEdit(parent);
      field->setReadOnly(true);
      field->setFocusPolicy(Qt::ClickFocus);
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
    case ControlKind::Picture:
      return new PictureBox(parent);
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
Widget* FindControl(const QWidget* parent, const char* name) {
  auto* control = parent->findChild<Widget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT_X(control != nullptr, "FindControl", name);
  return control;
}

// Creates the controls of a layout table as children of parent, whose top-left corner lies
// left_twips right of the client area's; adds those that take the focus to focus_order.
void PlaceControls(std::span<const ControlLayout> table, QWidget* parent, int left_twips,
                   std::vector<std::pair<int, QWidget*>>& focus_order) {
  for (const ControlLayout& row : table) {
    QWidget* control = CreateControl(row, parent);
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(TwipsToPixels(row.left - left_twips, row.top, row.width, row.height));
    if (row.font != FontRole::Body) control->setFont(FontFor(row.font));
    if (row.tab != kNoTab) focus_order.emplace_back(row.tab, control);
  }
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
  const Preferences kept = services_->LoadPreferences();
  last_save_.folder = kept.last_folder;
  if (kept.more_open) CmdMore_Click();
  ui_.Combo1->setFocus();
}

MainWindow::~MainWindow() = default;

QString MainWindow::DxfText() const {
  return ui_.txtDXF->text();
}

void MainWindow::BuildControls() {
  // The panel is one widget, so that opening and closing it shows or hides all of it and a
  // closed panel takes no place in the focus order.
  ui_.MorePanel = new QWidget(this);
  ui_.MorePanel->setObjectName("MorePanel");
  ui_.MorePanel->setGeometry(
      TwipsToPixels(kClientWidthTwips, 0, kMorePanelWidthTwips, kClientHeightTwips));
  ui_.MorePanel->hide();

  std::vector<std::pair<int, QWidget*>> focus_order;
  PlaceControls(WindowControls(), this, 0, focus_order);
  PlaceControls(MorePanelControls(), ui_.MorePanel, kClientWidthTwips, focus_order);
  std::sort(focus_order.begin(), focus_order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < focus_order.size(); ++i) {
    setTabOrder(focus_order[i - 1].second, focus_order[i].second);
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
  ui_.Label15 = FindControl<QLabel>(this, "Label15");
  ui_.LabelResultsNote = FindControl<QLabel>(this, "LabelResultsNote");
  ui_.txtInfo = FindControl<QPlainTextEdit>(this, "txtInfo");
  ui_.CmdSelectGCODE = FindControl<QPushButton>(this, "CmdSelectGCODE");
  ui_.CmdGCodeSave = FindControl<QPushButton>(this, "CmdGCodeSave");
  ui_.CmdDXFSave = FindControl<QPushButton>(this, "CmdDXFSave");
  ui_.CmdAbout = FindControl<QPushButton>(this, "CmdAbout");
  ui_.CmdMore = FindControl<QPushButton>(this, "CmdMore");
  // The pressed look tells an open panel.
  ui_.CmdMore->setCheckable(true);

  // The direction is typed or picked; a pick leaves the list as it is.
  auto* directions = FindControl<QComboBox>(ui_.MorePanel, "cboDirection");
  directions->setEditable(true);
  directions->setInsertPolicy(QComboBox::NoInsert);
  directions->addItems(kDirections);
  for (size_t i = 0; i < kOptionFieldCount; ++i) {
    ui_.options[i] = OptionEdit(ui_.MorePanel, kOptionFields[i].name);
    Q_ASSERT_X(ui_.options[i] != nullptr, "BuildControls", kOptionFields[i].name);
    ui_.options[i]->setToolTip(QString::fromUtf8(kOptionFields[i].tip));
  }
  directions->setToolTip(directions->lineEdit()->toolTip());
  for (size_t i = 0; i < kOptionTickCount; ++i) {
    ui_.ticks[i] = FindControl<QCheckBox>(ui_.MorePanel, kOptionTicks[i].name);
    if (kOptionTicks[i].tip != nullptr) {
      ui_.ticks[i]->setToolTip(QString::fromUtf8(kOptionTicks[i].tip));
    }
  }
  ui_.txtSeatClearance = FindControl<QLineEdit>(ui_.MorePanel, "txtSeatClearance");
  ui_.txtTipDiameter = FindControl<QLineEdit>(ui_.MorePanel, "txtTipDiameter");
  ui_.txtToolDiameter = FindControl<QLineEdit>(ui_.MorePanel, "txtToolDiameter");
  ui_.txtThickness = FindControl<QLineEdit>(ui_.MorePanel, "txtThickness");
  ui_.CmdSeatClearanceANSI = FindControl<QPushButton>(ui_.MorePanel, "CmdSeatClearanceANSI");
  ui_.CmdTipDiameterANSI = FindControl<QPushButton>(ui_.MorePanel, "CmdTipDiameterANSI");
  ui_.CmdThicknessANSI = FindControl<QPushButton>(ui_.MorePanel, "CmdThicknessANSI");
  ui_.CheckShowToolpath = FindControl<QCheckBox>(ui_.MorePanel, "CheckShowToolpath");
  ui_.txtCutLength = FindControl<QLineEdit>(ui_.MorePanel, "txtCutLength");
  ui_.txtCutTime = FindControl<QLineEdit>(ui_.MorePanel, "txtCutTime");
  ui_.CmdSVGSave = FindControl<QPushButton>(ui_.MorePanel, "CmdSVGSave");
  ui_.CmdToolpathSave = FindControl<QPushButton>(ui_.MorePanel, "CmdToolpathSave");
  ui_.CmdModelSave = FindControl<QPushButton>(ui_.MorePanel, "CmdModelSave");
  ui_.CmdOpenDesign = FindControl<QPushButton>(ui_.MorePanel, "CmdOpenDesign");
  ui_.CmdSaveDesign = FindControl<QPushButton>(ui_.MorePanel, "CmdSaveDesign");
  ui_.CmdOpenDesign->setToolTip(tr("Fills every field from a design file (Ctrl+O)"));
  ui_.CmdSaveDesign->setToolTip(tr("Saves every field as typed in a design file (Ctrl+Shift+S)"));
  ui_.CmdSeatClearanceANSI->setToolTip(tr("Seat clearance of the chain standard"));
  ui_.CmdTipDiameterANSI->setToolTip(tr("Outside diameter of the chain standard"));
  ui_.CmdThicknessANSI->setToolTip(tr("Tooth width of the chain standard"));
  ui_.CheckShowToolpath->setToolTip(
      tr("Draws the last run's toolpath over the picture; changes no output"));
  ui_.CmdToolpathSave->setToolTip(tr("Saves the toolpath over the part, to scale, as SVG"));
#if !TOOTHWRIGHT_HAS_SOLID
  ui_.CmdModelSave->setEnabled(false);
  ui_.CmdModelSave->setToolTip(QString::fromUtf8(kNoSolidMessage));
#endif
  // The tick boxes have no caption of their own; the label beside each names it for assistive
  // tools.
  const auto name_by_label = [this](const char* box, const char* label) {
    FindControl<QCheckBox>(ui_.MorePanel, box)
        ->setAccessibleName(FindControl<QLabel>(ui_.MorePanel, label)->text());
  };
  name_by_label("CheckProgramEnd", "LabelProgramEnd");
  name_by_label("CheckToothChamfer", "LabelToothChamfer");
  name_by_label("CheckPreamble", "LabelPreamble");
  name_by_label("CheckShowToolpath", "LabelShowToolpath");
  name_by_label("CheckDxfUnits", "LabelDxfUnits");
  name_by_label("CheckDxfPolyline", "LabelDxfPolyline");
  ui_.Check1->setToolTip(
      tr("Not together with a tool diameter, which makes the program follow the cutter centre"));

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

  for (const UnitField& row : UnitFields()) {
    QLineEdit* field = FieldEdit(row.text);
    unit_fields_.push_back({field, AttachUnitSuffix(field, row.unit), row.unit, TypedLength{}});
  }
  for (QLineEdit* result : {ui_.txtOutsideDiameter, ui_.txtPitchDiameter}) {
    result_suffixes_.push_back(AttachUnitSuffix(result, FieldUnit::Length));
  }

  ui_.txtDXF = new TextStore(this);
  ui_.txtDXF->setObjectName("txtDXF");
  ui_.txtSVG = new TextStore(this);
  ui_.txtSVG->setObjectName("txtSVG");
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
  connect(ui_.CmdMore, &QPushButton::clicked, this, &MainWindow::CmdMore_Click);
  connect(ui_.CmdSVGSave, &QPushButton::clicked, this, &MainWindow::CmdSVGSave_Click);
  connect(ui_.CmdOpenDesign, &QPushButton::clicked, this, &MainWindow::CmdOpenDesign_Click);
  connect(ui_.CmdSaveDesign, &QPushButton::clicked, this, &MainWindow::CmdSaveDesign_Click);
  connect(ui_.CmdSeatClearanceANSI, &QPushButton::clicked, this,
          &MainWindow::CmdSeatClearanceANSI_Click);
  connect(ui_.CmdTipDiameterANSI, &QPushButton::clicked, this,
          &MainWindow::CmdTipDiameterANSI_Click);
  connect(ui_.CmdThicknessANSI, &QPushButton::clicked, this, &MainWindow::CmdThicknessANSI_Click);
  connect(ui_.CmdToolpathSave, &QPushButton::clicked, this, &MainWindow::CmdToolpathSave_Click);
  connect(ui_.CmdModelSave, &QPushButton::clicked, this, &MainWindow::CmdModelSave_Click);
  // A view of the last run: redrawn at once, and the results stay current.
  connect(ui_.CheckShowToolpath, &QCheckBox::toggled, this, &MainWindow::CheckShowToolpath_Click);
  // Any change of the tick, by the user or by code, keeps the two exclusive.
  connect(ui_.Check1, &QCheckBox::toggled, this, &MainWindow::Check1_Click);
  connect(ui_.txtToolDiameter, &QLineEdit::textChanged, this, &MainWindow::txtToolDiameter_Change);
  for (QLineEdit* option : ui_.options) {
    connect(option, &QLineEdit::textChanged, this, &MainWindow::RefreshMoreCaption);
  }
  for (QCheckBox* tick : ui_.ticks) {
    connect(tick, &QCheckBox::toggled, this, &MainWindow::RefreshMoreCaption);
    connect(tick, &QCheckBox::toggled, this, &MainWindow::MarkResultsStale);
  }
  // Enter in any field presses Go. The results no longer match once a field, the units or a
  // tick box changes; the G-code box is the person's own to edit and does not count.
  for (const MainField& row : kMainFields) {
    connect(FieldEdit(row.text), &QLineEdit::returnPressed, ui_.Command1, &QPushButton::click);
    connect(FieldEdit(row.text), &QLineEdit::textChanged, this, &MainWindow::MarkResultsStale);
  }
  for (QLineEdit* option : ui_.options) {
    connect(option, &QLineEdit::returnPressed, ui_.Command1, &QPushButton::click);
    connect(option, &QLineEdit::textChanged, this, &MainWindow::MarkResultsStale);
  }
  connect(ui_.ComboUnits, &QComboBox::currentIndexChanged, this, &MainWindow::MarkResultsStale);
  // The chain picked is read too: it names the chain's width for a thickness of ANSI.
  connect(ui_.Combo1, &QComboBox::currentIndexChanged, this, &MainWindow::MarkResultsStale);
  connect(ui_.Check1, &QCheckBox::toggled, this, &MainWindow::MarkResultsStale);
  // A click on a disabled save does nothing, and neither does its key.
  const auto shortcut = [this](QKeySequence keys, auto slot_owner, auto slot) {
    connect(new QShortcut(keys, this), &QShortcut::activated, slot_owner, slot);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), ui_.CmdGCodeSave, &QPushButton::click);
  shortcut(QKeySequence(Qt::Key_F1), ui_.CmdAbout, &QPushButton::click);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
  // The design files' keys work with the panel closed too, where their buttons are hidden.
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this, &MainWindow::CmdOpenDesign_Click);
  shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, &MainWindow::CmdSaveDesign_Click);
  // A result wider than its field is shown whole in the field's tip.
  for (QLineEdit* result :
       {ui_.txtOutsideDiameter, ui_.txtPitchDiameter, ui_.txtCutLength, ui_.txtCutTime}) {
    connect(result, &QLineEdit::textChanged, result, &QWidget::setToolTip);
  }
}

FieldTexts MainWindow::ReadFields() const {
  FieldTexts fields{.pitch = ui_.txtPitch->text().toStdString(),
                    .teeth = ui_.txtNumberofTeeth->text().toStdString(),
                    .roller = ui_.txtRollerDiameter->text().toStdString(),
                    .units = ui_.ComboUnits->currentText().toStdString(),
                    .depth = ui_.txtCutDepth->text().toStdString(),
                    .feed = ui_.txtFeedRate->text().toStdString(),
                    .offset = ui_.Check1->isChecked(),
                    .chain = ui_.Combo1->currentText().toStdString()};
  // Read whether the panel is open or not: the count on its button shows what is in force.
  for (size_t i = 0; i < kOptionFieldCount; ++i) {
    fields.*(kOptionFields[i].text) = ui_.options[i]->text().toStdString();
  }
  for (size_t i = 0; i < kOptionTickCount; ++i) {
    fields.*(kOptionTicks[i].ticked) = ui_.ticks[i]->isChecked();
  }
  return fields;
}

QLineEdit* MainWindow::FieldEdit(std::string FieldTexts::*text) const {
  for (const MainField& row : kMainFields) {
    if (row.text == text) return FindControl<QLineEdit>(this, row.name);
  }
  for (size_t i = 0; i < kOptionFieldCount; ++i) {
    if (kOptionFields[i].text == text) return ui_.options[i];
  }
  return nullptr;
}

QCheckBox* MainWindow::TickBox(bool FieldTexts::*ticked) const {
  if (ticked == &FieldTexts::offset) return ui_.Check1;
  for (size_t i = 0; i < kOptionTickCount; ++i) {
    if (kOptionTicks[i].ticked == ticked) return ui_.ticks[i];
  }
  Q_ASSERT_X(false, "TickBox", "every tick of the design has its box");
  return nullptr;
}

int MainWindow::OptionsInForce() const {
  const auto filled =
      std::count_if(ui_.options.begin(), ui_.options.end(),
                    [](const QLineEdit* field) { return !IsBlank(field->text().toStdString()); });
  const auto ticked = std::count_if(ui_.ticks.begin(), ui_.ticks.end(),
                                    [](const QCheckBox* tick) { return tick->isChecked(); });
  return static_cast<int>(filled + ticked);
}

void MainWindow::RefreshMoreCaption() {
  ui_.CmdMore->setText(MoreCaption(more_open_, OptionsInForce()));
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
  RefreshUnitSuffixes();
}

void MainWindow::Command1_Click() {
  // Until this run succeeds, what the window shows is not the result of its fields.
  MarkResultsStale();
  const FieldTexts fields = ReadFields();
  auto job = MakeJob(fields);
  if (const auto* error = std::get_if<FieldError>(&job)) {
    ShowRefusal(*error);
    return;
  }
  ui_.txtDXF->setText(QString());
  ui_.txtSVG->setText(QString());
  ui_.txtInfo->clear();
  ui_.Picture1->Clear();
  ui_.txtOutsideDiameter->clear();
  ui_.txtCutLength->clear();
  ui_.txtCutTime->clear();
  last_run_.reset();
  // The cleared fields repaint now; a second press of Go runs a whole run of its own here.
  services_->ProcessPendingEvents();

  // Whatever the pending events changed counts: fields edited meanwhile are read and built anew.
  if (FieldTexts now = ReadFields(); now != fields) {
    job = MakeJob(now);
    if (const auto* error = std::get_if<FieldError>(&job)) {
      ShowRefusal(*error);
      return;
    }
  }
  // Kept for the saves made from the job and for redrawing the picture.
  auto run = std::make_unique<LastRun>(LastRun{.job = std::get<Job>(std::move(job))});
  const Job& built = run->job;
  const SprocketRun& sprocket = built.sprocket;
  SetFieldText(ui_.txtPitchDiameter, sprocket.pitch_diameter_text);
  SetFieldText(ui_.txtOutsideDiameter, sprocket.outside_diameter_text);
  const StageTexts texts = RunStages(built, *ui_.Picture1);
  ui_.txtInfo->setPlainText(ToBoxText(texts.gcode));
  ui_.txtDXF->setText(QString::fromStdString(texts.dxf));
  ui_.txtSVG->setText(QString::fromStdString(WriteDrawingSvg(built)));
  // The toolpath and the figures come from the job's moves, not from the box, which the
  // person may edit.
  last_run_ = std::move(run);
  ShowProgramResults();
  ShowResultsCurrent();
}

void MainWindow::ShowProgramResults() {
  const LastRun& run = *last_run_;
  const CutStatistics cut = MeasureCut(run.job.moves);
  SetFieldText(ui_.txtCutLength, FormatCutLength(cut.length, run.job.design.unit));
  SetFieldText(ui_.txtCutTime, FormatCutTime(cut.minutes));
  DrawToolpathIfShown();
}

void MainWindow::DrawToolpathIfShown() {
  const LastRun& run = *last_run_;
  const bool shown = ui_.CheckShowToolpath->isChecked();
  if (shown) DrawToolpath(run.job, *ui_.Picture1);
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

void MainWindow::CheckShowToolpath_Click() {
  if (!last_run_) return;
  DrawPreview(last_run_->job, *ui_.Picture1);
  DrawToolpathIfShown();
}

void MainWindow::ShowRefusal(const FieldError& error) {
  services_->ShowRefusal(QString::fromStdString(error.message),
                         QString::fromStdString(error.reason));
  // The field to change next has the focus, its text selected to type over.
  if (QLineEdit* field = FieldEdit(FieldOf(error.field).text)) {
    field->setFocus();
    field->selectAll();
  }
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
  const std::string from = current_units_.toStdString();
  current_units_ = units;
  // Each length is converted from its text as typed, so that switching back gives that text
  // again; a text that is not wholly a number (the word ANSI, "12 mm") stays as it is.
  for (UnitFieldState& state : unit_fields_) {
    if (!ConvertsWithUnits(state.unit)) continue;
    state.text =
        SwitchLengthUnits(state.text, state.field->text().toStdString(), from, units.toStdString());
    const QString shown = QString::fromStdString(state.text.shown);
    if (state.field->text() != shown) SetFieldText(state.field, state.text.shown);
  }
  RefreshUnitSuffixes();
}

void MainWindow::RefreshUnitSuffixes() {
  const std::string units = current_units_.toStdString();
  for (const UnitFieldState& state : unit_fields_) {
    const QString suffix = QString::fromLatin1(UnitSuffix(state.unit, units));
    state.suffix->setText(suffix);
    // Assistive tools read the unit with the field, which the drawn suffix does not tell them.
    state.field->setAccessibleDescription(suffix);
  }
}

std::vector<QPushButton*> MainWindow::ResultSaves() const {
  std::vector<QPushButton*> saves = {ui_.CmdGCodeSave, ui_.CmdDXFSave, ui_.CmdSVGSave,
                                     ui_.CmdToolpathSave};
  // Without the solid the model's save stays disabled with a tip saying why.
  if (TOOTHWRIGHT_HAS_SOLID) saves.push_back(ui_.CmdModelSave);
  return saves;
}

void MainWindow::MarkResultsStale() {
  if (!has_results_ || results_stale_) return;
  results_stale_ = true;
  for (QPushButton* save : ResultSaves()) {
    save->setEnabled(false);
    save->setToolTip(QString::fromUtf8(kStaleResultsMessage));
  }
  ShowNote(QString::fromUtf8(kStaleResultsMessage));
}

void MainWindow::ShowResultsCurrent() {
  has_results_ = true;
  results_stale_ = false;
  for (QPushButton* save : ResultSaves()) {
    save->setEnabled(true);
    save->setToolTip(QString());
  }
  ShowNote(QString());
  // The run read the fields in the unit now in force.
  for (QLabel* suffix : result_suffixes_) {
    suffix->setText(
        QString::fromLatin1(UnitSuffix(FieldUnit::Length, current_units_.toStdString())));
  }
}

void MainWindow::ShowNote(const QString& text) {
  QLabel* note = ui_.LabelResultsNote;
  note->setText(note->fontMetrics().elidedText(text, Qt::ElideMiddle, note->width()));
  note->setToolTip(text);
}

void MainWindow::CmdSelectGCODE_Click() {
  ui_.txtInfo->selectAll();
  ui_.txtInfo->setFocus();
}

void MainWindow::CmdGCodeSave_Click() {
  const std::optional<QString> path =
      SaveWithDialog(GCodeFilters(), GCodeFilterFor(gcode_extension_), gcode_extension_,
                     FromBoxText(ui_.txtInfo->toPlainText()) + QLatin1String(kSavedLineBreak));
  if (path) gcode_extension_ = GCodeExtensionAfter(*path, gcode_extension_);
}

void MainWindow::CmdDXFSave_Click() {
  if (ui_.txtDXF->text().isEmpty()) {
    services_->ShowMessage(QString::fromUtf8(kNoDrawingMessage));
    return;
  }
  const QString filter = QString::fromUtf8(kDxfFilter);
  SaveWithDialog({filter}, filter, QStringLiteral("dxf"),
                 ui_.txtDXF->text() + QLatin1String(kSavedLineBreak));
}

void MainWindow::CmdSVGSave_Click() {
  if (ui_.txtSVG->text().isEmpty()) {
    services_->ShowMessage(QString::fromUtf8(kNoSvgMessage));
    return;
  }
  // The document is written as the run made it: its own line ends, nothing added.
  const QString filter = QString::fromUtf8(kSvgFilter);
  SaveWithDialog({filter}, filter, QStringLiteral("svg"), ui_.txtSVG->text());
}

void MainWindow::CmdToolpathSave_Click() {
  if (!last_run_) {
    services_->ShowMessage(QString::fromUtf8(kNoToolpathMessage));
    return;
  }
  const QString filter = QString::fromUtf8(kSvgFilter);
  SaveWithDialog({filter}, filter, QString::fromLatin1(kToolpathExtension),
                 QString::fromStdString(WriteToolpathSvg(last_run_->job)));
}

void MainWindow::CmdModelSave_Click() {
#if TOOTHWRIGHT_HAS_SOLID
  if (!last_run_) {
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
  const auto files = WriteModels(last_run_->job, formats);
  if (const auto* error = std::get_if<FieldError>(&files)) {
    ShowRefusal(*error);
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
  ReportSave(choice->path,
             services_->WriteBinaryFile(choice->path, QByteArray::fromStdString(*bytes)));
#endif
}

void MainWindow::CmdMore_Click() {
  more_open_ = !more_open_;
  ui_.CmdMore->setChecked(more_open_);
  ui_.MorePanel->setVisible(more_open_);
  const int width = kClientWidthTwips + (more_open_ ? kMorePanelWidthTwips : 0);
  setFixedSize(TwipsToPixels(0, 0, width, kClientHeightTwips).size());
  RefreshMoreCaption();
  KeepPreferences();
}

void MainWindow::CmdOpenDesign_Click() {
  const QString filter = QString::fromUtf8(kDesignFilter);
  const std::optional<QString> path = services_->AskOpenPath(
      {.filters = {filter, QString::fromUtf8(kAllFilesFilter)}, .initial_folder = StartFolder()});
  if (path && !path->isEmpty()) OpenDesign(*path);
}

void MainWindow::CmdSaveDesign_Click() {
  // The fields as typed, whether Go has read them or not: a design is saved to be worked on.
  const QString filter = QString::fromUtf8(kDesignFilter);
  SaveWithDialog({filter}, filter, FilterExtensions(filter).front(),
                 QString::fromStdString(WriteDesignFile(ReadFields())));
}

void MainWindow::OpenDesign(const QString& path) {
  // One byte more than a design file may hold is enough to refuse a larger file unread.
  const auto bytes = services_->ReadFileStart(path, static_cast<qint64>(kLargestDesignFile) + 1);
  if (const auto* reason = std::get_if<QString>(&bytes)) {
    services_->ShowMessage(tr("The file %1 could not be opened: %2").arg(path, *reason));
    return;
  }
  const QByteArray& text = std::get<QByteArray>(bytes);
  const auto read =
      ReadDesignFile(std::string_view(text.constData(), static_cast<size_t>(text.size())),
                     QDir::toNativeSeparators(path).toStdString());
  if (const auto* error = std::get_if<DesignFileError>(&read)) {
    services_->ShowMessage(QString::fromStdString(error->message));
    return;
  }
  ShowDesign(std::get<FieldTexts>(read));
  last_save_ = LastSaveOf(path);
  KeepPreferences();
}

void MainWindow::ShowDesign(const FieldTexts& fields) {
  {
    // The file's lengths are in its own units already: the switch converts nothing. A chain
    // pick would write its pitch and roller over the file's, so the list shows the file's
    // chain without picking it; none when the file names no chain of the list.
    const QSignalBlocker quiet_units(ui_.ComboUnits);
    const QSignalBlocker quiet_chains(ui_.Combo1);
    const int units = ui_.ComboUnits->findText(QString::fromStdString(fields.units));
    Q_ASSERT(units >= 0);  // a design file holds one of the list's units
    ui_.ComboUnits->setCurrentIndex(units);
    ui_.Combo1->setCurrentIndex(
        fields.chain.empty() ? -1 : ui_.Combo1->findText(QString::fromStdString(fields.chain)));
  }
  current_units_ = ui_.ComboUnits->currentText();
  for (const TextField& row : kTextFields) {
    if (QLineEdit* field = FieldEdit(row.text)) SetFieldText(field, fields.*(row.text));
  }
  // A later switch converts each length from the file's text, as if typed in the file's units.
  for (UnitFieldState& state : unit_fields_) {
    const std::string shown = state.field->text().toStdString();
    state.text = TypedLength{shown, current_units_.toStdString(), shown};
  }
  // The ticks after the texts: a tool diameter unticks the offset as it is set.
  for (const TickField& row : kTickFields) {
    if (QCheckBox* box = TickBox(row.ticked)) box->setChecked(fields.*(row.ticked));
  }
  // A file may hold both, which the window never does: Go refuses the tool diameter, and both
  // stay editable so that either can be given up.
  if (fields.offset && !IsBlank(fields.tool_diameter)) {
    ui_.Check1->setEnabled(true);
    ui_.txtToolDiameter->setEnabled(true);
  }
  RefreshUnitSuffixes();
  MarkResultsStale();
}

QString MainWindow::StartFolder() const {
  return last_save_.folder.isEmpty() ? QString::fromUtf8(kSaveFolder) : last_save_.folder;
}

void MainWindow::KeepPreferences() {
  services_->SavePreferences({.last_folder = last_save_.folder, .more_open = more_open_});
}

void MainWindow::CmdSeatClearanceANSI_Click() {
  ui_.txtSeatClearance->setText(QString::fromLatin1(kStandardWord));
}

void MainWindow::CmdTipDiameterANSI_Click() {
  ui_.txtTipDiameter->setText(QString::fromLatin1(kStandardWord));
}

void MainWindow::CmdThicknessANSI_Click() {
  ui_.txtThickness->setText(QString::fromLatin1(kStandardWord));
}

void MainWindow::Check1_Click() {
  // Cutter compensation and a program along the cutter centre would offset the path twice.
  ui_.txtToolDiameter->setEnabled(!ui_.Check1->isChecked());
}

void MainWindow::txtToolDiameter_Change() {
  const bool given = !IsBlank(ui_.txtToolDiameter->text().toStdString());
  if (given) ui_.Check1->setChecked(false);
  ui_.Check1->setEnabled(!given);
}

void MainWindow::CmdAbout_Click() {
  services_->ShowMessage(InfoText());
}

std::optional<QString> MainWindow::SaveWithDialog(const QStringList& filters,
                                                  const QString& selected_filter,
                                                  const QString& extension, const QString& text) {
  const std::optional<SaveChoice> choice = AskSave(filters, selected_filter, extension);
  if (!choice) return std::nullopt;
  ReportSave(choice->path, services_->WriteTextFile(choice->path, text));
  return choice->path;
}

std::optional<SaveChoice> MainWindow::AskSave(const QStringList& filters,
                                              const QString& selected_filter,
                                              const QString& extension) {
  const SaveRequest request{.filters = filters,
                            .selected_filter = selected_filter,
                            .initial_folder = StartFolder(),
                            .file_name = ProposedPath(last_save_, extension)};
  const std::optional<SaveChoice> choice = services_->AskSavePath(request);
  if (!choice || choice->path.isEmpty()) return std::nullopt;
  const QString path = WithExtension(choice->path, choice->filter);
  last_save_ = LastSaveOf(path);
  KeepPreferences();
  return SaveChoice{path, choice->filter};
}

void MainWindow::ReportSave(const QString& path, const std::optional<QString>& failure) {
  if (failure) {
    services_->ShowMessage(tr("The file %1 could not be saved: %2").arg(path, *failure));
    return;
  }
  // A design saved while the results are stale leaves the note saying so.
  if (!results_stale_) ShowNote(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
}

}  // namespace toothwright
