// The panel is built from its layout table; the option tables bind its fields and ticks to the
// texts a run reads.
#include "ui/more_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <iterator>

#include "sprocket/numbers.h"

namespace toothwright {
namespace {

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

// The word a tooth-form or thickness field takes for the chain standard's value.
constexpr const char* kStandardWord = "ANSI";

// A panel field typed in a line of its own, or in the editable line of a list to pick from.
QLineEdit* OptionEdit(const QWidget* panel, const char* name) {
  const QString object_name = QString::fromLatin1(name);
  if (auto* list = panel->findChild<QComboBox*>(object_name, Qt::FindDirectChildrenOnly)) {
    return list->lineEdit();
  }
  return panel->findChild<QLineEdit*>(object_name, Qt::FindDirectChildrenOnly);
}

}  // namespace

MorePanel::MorePanel(QWidget* window, FocusOrder& focus_order) : QWidget(window) {
  setObjectName("MorePanel");
  setGeometry(TwipsToPixels(kClientWidthTwips, 0, kMorePanelWidthTwips, kClientHeightTwips));
  hide();
  PlaceControls(MorePanelControls(), this, kClientWidthTwips, focus_order);
  BindOptions();
  SetTips();
  connect(FindControl<QPushButton>(this, "CmdSeatClearanceANSI"), &QPushButton::clicked, this,
          &MorePanel::CmdSeatClearanceANSI_Click);
  connect(FindControl<QPushButton>(this, "CmdTipDiameterANSI"), &QPushButton::clicked, this,
          &MorePanel::CmdTipDiameterANSI_Click);
  connect(FindControl<QPushButton>(this, "CmdThicknessANSI"), &QPushButton::clicked, this,
          &MorePanel::CmdThicknessANSI_Click);
}

void MorePanel::BindOptions() {
  // The direction is typed or picked; a pick leaves the list as it is.
  auto* directions = FindControl<QComboBox>(this, "cboDirection");
  directions->setEditable(true);
  directions->setInsertPolicy(QComboBox::NoInsert);
  directions->addItems(kDirections);
  for (size_t i = 0; i < kOptionFieldCount; ++i) {
    ui_.options[i] = OptionEdit(this, kOptionFields[i].name);
    Q_ASSERT_X(ui_.options[i] != nullptr, "BindOptions", kOptionFields[i].name);
    ui_.options[i]->setToolTip(QString::fromUtf8(kOptionFields[i].tip));
  }
  directions->setToolTip(directions->lineEdit()->toolTip());
  for (size_t i = 0; i < kOptionTickCount; ++i) {
    ui_.ticks[i] = FindControl<QCheckBox>(this, kOptionTicks[i].name);
    if (kOptionTicks[i].tip != nullptr) {
      ui_.ticks[i]->setToolTip(QString::fromUtf8(kOptionTicks[i].tip));
    }
  }
  ui_.txtToolDiameter = FindControl<QLineEdit>(this, "txtToolDiameter");
  ui_.CmdOpenDesign = FindControl<QPushButton>(this, "CmdOpenDesign");
  ui_.CmdSaveDesign = FindControl<QPushButton>(this, "CmdSaveDesign");
}

void MorePanel::SetTips() {
  FindControl<QPushButton>(this, "CmdOpenDesign")
      ->setToolTip(tr("Fills every field from a design file (Ctrl+O)"));
  FindControl<QPushButton>(this, "CmdSaveDesign")
      ->setToolTip(tr("Saves every field as typed in a design file (Ctrl+Shift+S)"));
  FindControl<QPushButton>(this, "CmdSeatClearanceANSI")
      ->setToolTip(tr("Seat clearance of the chain standard"));
  FindControl<QPushButton>(this, "CmdTipDiameterANSI")
      ->setToolTip(tr("Outside diameter of the chain standard"));
  FindControl<QPushButton>(this, "CmdThicknessANSI")
      ->setToolTip(tr("Tooth width of the chain standard"));
  FindControl<QCheckBox>(this, "CheckShowToolpath")
      ->setToolTip(tr("Draws the last run's toolpath over the picture; changes no output"));
  FindControl<QPushButton>(this, "CmdToolpathSave")
      ->setToolTip(tr("Saves the toolpath over the part, to scale, as SVG"));
  // The tick boxes have no caption of their own; the label beside each names it for assistive
  // tools.
  NameByLabel(this, "CheckProgramEnd", "LabelProgramEnd");
  NameByLabel(this, "CheckToothChamfer", "LabelToothChamfer");
  NameByLabel(this, "CheckPreamble", "LabelPreamble");
  NameByLabel(this, "CheckShowToolpath", "LabelShowToolpath");
  NameByLabel(this, "CheckDxfUnits", "LabelDxfUnits");
  NameByLabel(this, "CheckDxfPolyline", "LabelDxfPolyline");
}

void MorePanel::SetOpen(bool open) {
  open_ = open;
  setVisible(open);
}

int MorePanel::OptionsInForce() const {
  const auto filled =
      std::count_if(ui_.options.begin(), ui_.options.end(),
                    [](const QLineEdit* field) { return !IsBlank(field->text().toStdString()); });
  const auto ticked = std::count_if(ui_.ticks.begin(), ui_.ticks.end(),
                                    [](const QCheckBox* tick) { return tick->isChecked(); });
  return static_cast<int>(filled + ticked);
}

void MorePanel::ReadInto(FieldTexts& fields) const {
  for (size_t i = 0; i < kOptionFieldCount; ++i) {
    fields.*(kOptionFields[i].text) = ui_.options[i]->text().toStdString();
  }
  for (size_t i = 0; i < kOptionTickCount; ++i) {
    fields.*(kOptionTicks[i].ticked) = ui_.ticks[i]->isChecked();
  }
}

QLineEdit* MorePanel::FieldEdit(std::string FieldTexts::*text) const {
  for (size_t i = 0; i < kOptionFieldCount; ++i) {
    if (kOptionFields[i].text == text) return ui_.options[i];
  }
  return nullptr;
}

QCheckBox* MorePanel::TickBox(bool FieldTexts::*ticked) const {
  for (size_t i = 0; i < kOptionTickCount; ++i) {
    if (kOptionTicks[i].ticked == ticked) return ui_.ticks[i];
  }
  return nullptr;
}

void MorePanel::CmdSeatClearanceANSI_Click() {
  FindControl<QLineEdit>(this, "txtSeatClearance")->setText(QString::fromLatin1(kStandardWord));
}

void MorePanel::CmdTipDiameterANSI_Click() {
  FindControl<QLineEdit>(this, "txtTipDiameter")->setText(QString::fromLatin1(kStandardWord));
}

void MorePanel::CmdThicknessANSI_Click() {
  FindControl<QLineEdit>(this, "txtThickness")->setText(QString::fromLatin1(kStandardWord));
}

}  // namespace toothwright
