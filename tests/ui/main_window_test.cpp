// The window's behaviour through its controls: start-up, Go, chain picks, unit switches,
// Select All, the saves, the Info box, the More panel, design files and the preferences kept
// between sessions. Dialogs and preferences are scripted by FakeWindowServices.
#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <variant>

#include "design_file/design_file.h"
#include "fake_window_services.h"
#include "output/drawing_svg.h"
#include "output/drive_drawing.h"
#include "output/preview.h"
#include "run/run.h"
#include "sprocket/chain_sizes.h"
#include "support/ansi40_18_teeth.h"
#include "ui/picture_box.h"

#if defined(Q_OS_LINUX)
#include <sys/resource.h>

#include <csignal>
#endif

namespace toothwright {
namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The number of pixels of the picture in pure red, the preview's colour.
int RedPixels(const QImage& picture) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) == qRgb(255, 0, 0);
  }
  return count;
}

// The results a run without a window gives for the same texts.
RunResults ExpectedRun(const FieldTexts& fields) {
  return std::get<RunResults>(RunDesign(fields));
}

// The More panel's text fields, the run's text each fills, and whether a unit switch
// converts it: every length does; counts and the spindle speed do not.
struct PanelField {
  const char* name;
  std::string FieldTexts::*text;
  bool converts;
};
const PanelField kPanelFields[] = {
    {"txtSeatClearance", &FieldTexts::seat_clearance, true},
    {"txtTipDiameter", &FieldTexts::tip_diameter, true},
    {"txtToolDiameter", &FieldTexts::tool_diameter, true},
    {"txtDepthPerPass", &FieldTexts::depth_per_pass, true},
    {"txtTabs", &FieldTexts::tabs, false},
    {"txtTabWidth", &FieldTexts::tab_width, true},
    {"txtTabHeight", &FieldTexts::tab_height, true},
    {"txtSafeZ", &FieldTexts::safe_z, true},
    {"txtSpindle", &FieldTexts::spindle, false},
    {"txtBore", &FieldTexts::bore, true},
    {"txtKeywayWidth", &FieldTexts::keyway_width, true},
    {"txtKeywayDepth", &FieldTexts::keyway_depth, true},
    {"txtBoltHoles", &FieldTexts::bolt_holes, false},
    {"txtBoltHoleDiameter", &FieldTexts::bolt_hole_diameter, true},
    {"txtBoltCircle", &FieldTexts::bolt_circle, true},
    {"txtPlungeFeed", &FieldTexts::plunge_feed, true},
    {"txtRampAngle", &FieldTexts::ramp_angle, false},
    {"txtLeadIn", &FieldTexts::lead_in, true},
    {"cboDirection", &FieldTexts::direction, false},
    {"txtThickness", &FieldTexts::thickness, true},
    {"txtHubDiameter", &FieldTexts::hub_diameter, true},
    {"txtHubLength", &FieldTexts::hub_length, true},
    {"txtStrands", &FieldTexts::strands, false},
    {"txtMeshTolerance", &FieldTexts::mesh_tolerance, true},
};

// Designs that set every text field and tick between them, in both units.
struct DesignCase {
  const char* name;
  FieldTexts fields;
};
const DesignCase kDesigns[] = {
    {"plain", kAnsi40EighteenTeeth},
    {"tooth form, Metric",
     {.pitch = "12.7",
      .teeth = "25",
      .roller = "7.95",
      .units = "Metric",
      .depth = "6",
      .seat_clearance = "ANSI",
      .tip_diameter = "ANSI"}},
    {"machining with tabs",
     {.pitch = "0.5",
      .teeth = "18",
      .roller = "0.3125",
      .depth = "0.25",
      .feed = "10",
      .tool_diameter = "0.125",
      .depth_per_pass = "0.1",
      .tabs = "4",
      .tab_width = "0.2",
      .tab_height = "0.05",
      .safe_z = "0.5",
      .spindle = "12000",
      .program_end = true}},
    {"mounting, texts as typed",
     {.pitch = "0.50",
      .teeth = "1.8E1",
      .roller = "0.31250",
      .depth = "0.125",
      .bore = "1",
      .keyway_width = "0.25",
      .keyway_depth = "0.125",
      .bolt_holes = "4",
      .bolt_hole_diameter = "0.2",
      .bolt_circle = "1.6"}},
    // The chain list shows the file's chain without writing its sizes over "0.50".
    {"solid and program options, a chain",
     {.pitch = "0.50",
      .teeth = "18",
      .roller = "0.3125",
      .depth = "0.25",
      .feed = "10",
      .tool_diameter = "0.125",
      .thickness = "ANSI",
      .hub_diameter = "1.5",
      .hub_length = "0.5",
      .strands = "1",
      .mesh_tolerance = "0.001",
      .tooth_chamfer = true,
      .plunge_feed = "5",
      .ramp_angle = "5",
      .lead_in = "0.1",
      .direction = "climb",
      .preamble = true,
      .dxf_units = true,
      .dxf_polyline = true,
      .chain = "ANSI 40"}},
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startUpState();
  void focusOrderFollowsTheDesign();
  void controlsAcceptWhatTheyShould();
  void goWithEmptyFieldsChangesNothing();
  void failedCheckKeepsPreviousResults_data();
  void failedCheckKeepsPreviousResults();
  void refusalShowsTheRunsReason_data();
  void refusalShowsTheRunsReason();
  void ansi40EighteenTeeth();
  void driveWindowShowsEachGoAndSavesItsDrawings();
  void goClearsOutputsBeforeLettingEventsThrough();
  void goReadsFieldsAgainAfterPendingEvents();
  void nestedGoGivesTheSameResults();
  void secondGoGivesTheSameText();
  void chainPick_data();
  void chainPick();
  void unitRoundTrip();
  void unitPickedTwiceConvertsOnce();
  void unitSwitchKeepsFieldsItCannotConvert_data();
  void unitSwitchKeepsFieldsItCannotConvert();
  void selectAll();
  void selectAllOnEmptyBox();
  void saveGCodeWritesBoxTextAndLineBreak();
  void saveEmptyGCodeBoxWritesNothing();
  void extensionAddedToAnExistingNameAsksFirst();
  void saveDxfWritesDrawingAndLineBreak();
  void saveBeforeAnyRunWritesNothing_data();
  void saveBeforeAnyRunWritesNothing();
  void savedFilesEqualTheCommandLines();
  void cancelledSaveWritesNothing();
  void fileNameIsKeptAcrossBothSaves();
  void saveIntoMissingFolderIsReported();
  void failedSaveKeepsOldFile();
  void infoBox();
  void resultFieldsShowTheWholeNumber();
  void moreOpensAndClosesThePanel();
  void moreCountsOptionsInForce_data();
  void moreCountsOptionsInForce();
  void panelFieldsReachTheRun();
  void tipDiameterAndBoreShowInTheResults();
  void ansiButtonsFillTheWord();
  void unitSwitchConvertsPartLengths();
  void toolDiameterAndOffsetExcludeEachOther();
  void saveSvgWritesTheDocumentUnchanged();
  void unitSuffixesFollowTheUnits_data();
  void unitSuffixesFollowTheUnits();
  void unitSwitchConvertsEveryLength_data();
  void unitSwitchConvertsEveryLength();
  void anEditAfterASwitchIsTypedInTheNewUnit();
  void metricPartByKeyboardEqualsTheCommandLine();
  void changedSettingsDisableTheSaves_data();
  void changedSettingsDisableTheSaves();
  void savesProposeTheLastNameWithTheirOwnExtension_data();
  void savesProposeTheLastNameWithTheirOwnExtension();
  void shortcutKeys();
  void openDesignShowsItsFieldsAndGoGivesTheRun_data();
  void openDesignShowsItsFieldsAndGoGivesTheRun();
  void refusedDesignChangesNothing_data();
  void refusedDesignChangesNothing();
  void designWithTheFieldsShownStillCounts();
  void designWithOffsetAndToolDiameterStaysEditable();
  void designKeysWorkWithThePanelOpenOrClosed_data();
  void designKeysWorkWithThePanelOpenOrClosed();
  void preferencesComeBackInTheNextWindow();
  void titleNamesTheDesignAndItsChanges();

 private:
  template <typename Widget>
  Widget* Find(const char* name) const {
    return window_->findChild<Widget*>(QString::fromLatin1(name));
  }
  // A field by name; the direction's is the line of its list.
  QLineEdit* Field(const char* name) const {
    if (auto* list = Find<QComboBox>(name)) return list->lineEdit();
    return Find<QLineEdit>(name);
  }
  QPlainTextEdit* GCodeBox() const { return Find<QPlainTextEdit>("txtInfo"); }
  QImage Picture() const { return Find<PictureBox>("Picture1")->Picture(); }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  void Pick(const char* list, const QString& entry) {
    auto* combo = Find<QComboBox>(list);
    combo->setCurrentIndex(combo->findText(entry));
  }
  void Enter(const FieldTexts& fields) {
    Pick("ComboUnits", QString::fromStdString(fields.units));
    Field("txtPitch")->setText(QString::fromStdString(fields.pitch));
    Field("txtNumberofTeeth")->setText(QString::fromStdString(fields.teeth));
    Field("txtRollerDiameter")->setText(QString::fromStdString(fields.roller));
    Field("txtCutDepth")->setText(QString::fromStdString(fields.depth));
    Field("txtFeedRate")->setText(QString::fromStdString(fields.feed));
    Find<QCheckBox>("Check1")->setChecked(fields.offset);
  }
  QString SavePath(const char* name) const { return QDir(temp_->path()).filePath(name); }
  QString SavePath(const QString& name) const { return QDir(temp_->path()).filePath(name); }
  QString Suffix(const char* field) const {
    return Find<QLabel>(qPrintable(QString(field) + "Unit"))->text();
  }
  // Fills "name=text" entries, ticks "Check1" and "CheckProgramEnd", picks "units=Metric".
  void Apply(const QStringList& entries) {
    for (const QString& entry : entries) {
      const QString name = entry.section('=', 0, 0);
      const QString text = entry.section('=', 1);
      if (name == "units") {
        Pick("ComboUnits", text);
      } else if (name == "chain") {
        Pick("Combo1", text);
      } else if (name.startsWith("Check")) {
        Find<QCheckBox>(qPrintable(name))->toggle();
      } else if (name == "txtInfo") {
        GCodeBox()->setPlainText(text);
      } else {
        Field(qPrintable(name))->setText(text);
      }
    }
  }
  QStringList DisabledSaves() const {
    QStringList disabled;
    for (const QString& name : kAllSaves) {
      if (!Find<QPushButton>(qPrintable(name))->isEnabled()) disabled.append(name);
    }
    return disabled;
  }
  // Without the solid the model's save stays disabled whatever the results.
  const QStringList kAllSaves =
      QStringList{"CmdGCodeSave", "CmdDXFSave", "CmdSVGSave", "CmdToolpathSave", "CmdCutPathSave"} +
      (TOOTHWRIGHT_HAS_SOLID ? QStringList{"CmdModelSave"} : QStringList{});
  // Opens path by the panel's button.
  void OpenFile(const QString& path) {
    if (!Find<QWidget>("MorePanel")->isVisible()) Click("CmdMore");
    services_->open_answers = {path};
    Click("CmdOpenDesign");
  }
  void OpenDesignOf(const FieldTexts& fields, const char* name) {
    QVERIFY(WriteFile(SavePath(name), QByteArray::fromStdString(WriteDesignFile(fields))));
    OpenFile(SavePath(name));
  }
  // Another design, opened from "other.toothwright", with results for it.
  void ShowOtherResults() {
    FieldTexts other = kAnsi40EighteenTeeth;
    other.teeth = "30";
    OpenDesignOf(other, "other.toothwright");
    Click("Command1");
    QVERIFY(DisabledSaves().isEmpty());
  }

  std::unique_ptr<FakeWindowServices> services_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QTemporaryDir> temp_;
};

void MainWindowTest::init() {
  services_ = std::make_unique<FakeWindowServices>();
  window_ = std::make_unique<MainWindow>(services_.get());
  temp_ = std::make_unique<QTemporaryDir>();
  QVERIFY(temp_->isValid());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void MainWindowTest::cleanup() {
  window_.reset();
  services_.reset();
  temp_.reset();
}

void MainWindowTest::startUpState() {
  QCOMPARE(window_->objectName(), "fgfgfg");
  QCOMPARE(window_->windowTitle(), "Toothwright 2.0");
  QCOMPARE(window_->size(), QSize(649, 566));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());  // not resizable

  for (const char* name : {"txtPitch", "txtRollerDiameter", "txtNumberofTeeth", "txtCutDepth",
                           "txtFeedRate", "txtOutsideDiameter", "txtPitchDiameter"}) {
    QVERIFY2(Field(name)->text().isEmpty(), name);
  }
  QVERIFY(GCodeBox()->toPlainText().isEmpty());
  QVERIFY(!Find<QCheckBox>("Check1")->isChecked());

  auto* chains = Find<QComboBox>("Combo1");
  QCOMPARE(chains->count(), static_cast<int>(ChainSizeTable.size()) + 1);
  QCOMPARE(chains->itemText(0), "");
  QCOMPARE(chains->itemText(3), "ANSI 40");
  QCOMPARE(chains->itemText(14), "ANSI 240");  // the ANSI family, then the bicycle chains
  QCOMPARE(chains->itemText(22), "Bike 630");
  QCOMPARE(chains->itemText(34), "ISO 48B");
  QCOMPARE(chains->currentIndex(), -1);
  auto* units = Find<QComboBox>("ComboUnits");
  QCOMPARE(units->count(), 2);
  QCOMPARE(units->currentText(), "English");
  QCOMPARE(units->itemText(1), "Metric");
  QCOMPARE(window_->CurrentUnits(), "English");

  // The DXF store is a hidden object that starts empty.
  QObject* dxf = window_->findChild<QObject*>("txtDXF");
  QVERIFY(dxf != nullptr);
  QVERIFY(qobject_cast<QWidget*>(dxf) == nullptr);
  QVERIFY(window_->DxfText().isEmpty());

  QCOMPARE(RedPixels(Picture()), 0);
  QCOMPARE(Picture().size(), QSize(249, 249) * Picture().devicePixelRatio());
  QCOMPARE(window_->focusWidget(), Find<QWidget>("Combo1"));
  QVERIFY(services_->messages.isEmpty());

  QVERIFY(!Find<QWidget>("MorePanel")->isVisible());
}

void MainWindowTest::focusOrderFollowsTheDesign() {
  // In reading order: the inputs, Go, then the G-code and the saves; the results are left out.
  const QStringList expected = {
      "Combo1",         "ComboUnits",   "txtPitch",   "txtRollerDiameter", "txtNumberofTeeth",
      "txtCutDepth",    "txtFeedRate",  "Check1",     "Command1",          "txtInfo",
      "CmdSelectGCODE", "CmdGCodeSave", "CmdDXFSave", "CmdMore",           "CmdAbout"};
  // The chain from Combo1 round to Combo1 again, through the controls Tab reaches.
  const auto focus_chain = [&](int steps) {
    QStringList order;
    QWidget* widget = Find<QWidget>("Combo1");
    for (int step = 0; step <= steps; ++step) {
      order.append(widget->objectName());
      do {
        widget = widget->nextInFocusChain();
      } while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window_.get()) ||
               widget->objectName().isEmpty());
    }
    return order;
  };
  QCOMPARE(focus_chain(expected.size()), expected + QStringList{"Combo1"});

  // The open panel's groups follow Go, top to bottom; its row of buttons follows the saves.
  Click("CmdMore");
  const QStringList panel =
      QString(
          "txtSeatClearance CmdSeatClearanceANSI txtTipDiameter CmdTipDiameterANSI "
          "cboProcess txtToolDiameter txtDepthPerPass txtTabs txtTabWidth txtTabHeight txtSafeZ "
          "txtSpindle CheckProgramEnd txtPlungeFeed txtRampAngle txtLeadIn cboDirection "
          "CheckPreamble CheckShowToolpath txtThickness CmdThicknessANSI txtHubDiameter "
          "txtHubLength txtStrands txtMeshTolerance CheckToothChamfer txtBore txtKeywayWidth "
          "txtKeywayDepth txtBoltHoles txtBoltHoleDiameter txtBoltCircle txtKerf txtPower "
          "txtPasses txtPierceDelay txtPierceHeight txtCutHeight")
          .split(' ');
  const QStringList open =
      expected.mid(0, 9) + panel + expected.mid(9, 4) +
      QString(
          "CheckDxfUnits CheckDxfPolyline CmdOpenDesign CmdSaveDesign CmdSVGSave CmdToolpathSave "
          "CmdSolidView CmdModelSave CmdDrive CmdCutPathSave")
          .split(' ') +
      expected.mid(13);
  QCOMPARE(focus_chain(open.size()), open + QStringList{"Combo1"});

  // The results take the focus from a click only, to be selected and copied.
  for (const char* name :
       {"txtOutsideDiameter", "txtPitchDiameter", "txtCutLength", "txtCutTime"}) {
    QCOMPARE(Field(name)->focusPolicy(), Qt::ClickFocus);
  }
}

void MainWindowTest::controlsAcceptWhatTheyShould() {
  QVERIFY(Field("txtOutsideDiameter")->isReadOnly());
  QVERIFY(Field("txtPitchDiameter")->isReadOnly());
  QVERIFY(!Field("txtPitch")->isReadOnly());
  QVERIFY(!Find<QComboBox>("Combo1")->isEditable());
  QVERIFY(!Find<QComboBox>("ComboUnits")->isEditable());
  QVERIFY(!GCodeBox()->isReadOnly());
  QCOMPARE(GCodeBox()->lineWrapMode(), QPlainTextEdit::NoWrap);
  for (const char* name :
       {"Command1", "CmdAbout", "CmdSelectGCODE", "CmdGCodeSave", "CmdDXFSave"}) {
    auto* button = Find<QPushButton>(name);
    QVERIFY2(!button->isDefault() && !button->autoDefault(), name);
  }
  // Typing reaches the fields.
  QTest::keyClicks(Field("txtNumberofTeeth"), "18");
  QCOMPARE(Field("txtNumberofTeeth")->text(), "18");
}

void MainWindowTest::goWithEmptyFieldsChangesNothing() {
  Click("Command1");
  QCOMPARE(services_->messages, QStringList{"Not a valid value for pitch"});
  QCOMPARE(services_->pending_event_passes, 0);
  QVERIFY(Field("txtPitchDiameter")->text().isEmpty());
  QVERIFY(GCodeBox()->toPlainText().isEmpty());
  QCOMPARE(RedPixels(Picture()), 0);
}

void MainWindowTest::failedCheckKeepsPreviousResults_data() {
  QTest::addColumn<QStringList>("entered");  // "field=text" over ANSI 40, 18 teeth
  QTest::addColumn<QString>("message");
  QTest::newRow("pitch 0 with 2 teeth")
      << QStringList{"txtPitch=0", "txtNumberofTeeth=2"} << QString(kPitchMessage);
  QTest::newRow("pitch abc") << QStringList{"txtPitch=abc"} << QString(kPitchMessage);
  QTest::newRow("3 teeth") << QStringList{"txtNumberofTeeth=3"} << QString(kTeethMessage);
  QTest::newRow("roller 0") << QStringList{"txtRollerDiameter=0"} << QString(kRollerMessage);
  QTest::newRow("a More panel field")
      << QStringList{"txtSeatClearance=abc"} << QString(kSeatClearanceMessage);
}

void MainWindowTest::failedCheckKeepsPreviousResults() {
  QFETCH(QStringList, entered);
  QFETCH(QString, message);
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString gcode = GCodeBox()->toPlainText();
  const QString dxf = window_->DxfText();
  const QImage picture = Picture();
  services_->pending_event_passes = 0;

  for (const QString& entry : entered) {
    Field(qPrintable(entry.section('=', 0, 0)))->setText(entry.section('=', 1));
  }
  Click("Command1");
  QCOMPARE(services_->messages, QStringList{message});
  QCOMPARE(services_->pending_event_passes, 0);
  QCOMPARE(Field("txtPitchDiameter")->text(), "2.87938524157182");
  QCOMPARE(Field("txtOutsideDiameter")->text(), "3.30754316676291");
  QCOMPARE(GCodeBox()->toPlainText(), gcode);
  QCOMPARE(window_->DxfText(), dxf);
  QVERIFY(Picture() == picture);
}

void MainWindowTest::refusalShowsTheRunsReason_data() {
  QTest::addColumn<QStringList>("entered");  // over ANSI 40, 18 teeth without the offset
  QTest::addColumn<QString>("reason");
  QTest::newRow("tool too wide for the teeth")
      << QStringList{"txtToolDiameter=0.3124"} << "The largest tool that fits is 0.3121 in";
  QTest::newRow("tool too wide for the bolt holes")
      << QStringList{"txtToolDiameter=0.3124", "txtBore=1",      "txtKeywayWidth=0.25",
                     "txtKeywayDepth=0.125",   "txtBoltHoles=4", "txtBoltHoleDiameter=0.2",
                     "txtBoltCircle=1.6"}
      << "The largest tool that fits the bolt holes is 0.1996 in";
  // The switch back writes the tool as 0.312401574803150.
  QTest::newRow("tool typed in millimetres")
      << QStringList{"units=Metric", "txtToolDiameter=7.935", "units=English"}
      << "The largest tool that fits is 0.3121 in";
  QTest::newRow("hub in millimetres")
      << QStringList{"units=Metric", "txtThickness=7", "txtHubDiameter=70", "txtHubLength=10"}
      << "The hub (70 mm) must be at most 62.658 mm across to leave a wall inside the roller "
         "seats.";
}

// The window shows the reason of the run of the texts it shows, which the command line prints
// for the same texts: both call RunDesign.
void MainWindowTest::refusalShowsTheRunsReason() {
  QFETCH(QStringList, entered);
  QFETCH(QString, reason);
  Enter(kAnsi40EighteenTeeth);
  Find<QCheckBox>("Check1")->setChecked(false);
  Apply(entered);
  Click("Command1");
  QCOMPARE(services_->reasons, QStringList{reason});
  const auto run = RunDesign(window_->ReadFields());
  QVERIFY(std::holds_alternative<FieldError>(run));
  QCOMPARE(QString::fromStdString(std::get<FieldError>(run).reason), reason);
}

void MainWindowTest::ansi40EighteenTeeth() {
  Pick("Combo1", "ANSI 40");
  QTest::keyClicks(Field("txtNumberofTeeth"), "18");
  QTest::keyClicks(Field("txtCutDepth"), "0.125");
  QTest::keyClicks(Field("txtFeedRate"), "10");
  QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
  QVERIFY(Find<QCheckBox>("Check1")->isChecked());
  Click("Command1");

  QVERIFY(services_->messages.isEmpty());
  QCOMPARE(services_->pending_event_passes, 1);
  QCOMPARE(Field("txtPitchDiameter")->text(), "2.87938524157182");
  QCOMPARE(Field("txtOutsideDiameter")->text(), "3.30754316676291");
  // Shown from its start although wider than the field.
  QCOMPARE(Field("txtOutsideDiameter")->cursorPosition(), 0);

  const QStringList lines = GCodeBox()->toPlainText().split('\n');
  QCOMPARE(lines.size(), 64);  // 63 lines, each ending in a line break
  QCOMPARE(lines.last(), "");
  QCOMPARE(lines[0], "G20");
  QCOMPARE(lines[1], "G0 Z2.00");
  QCOMPARE(lines[2], "G0 X1.0042  Y0.4714");
  QCOMPARE(lines[3], "G42");
  QCOMPARE(lines[4], "G0 X1.2748  Y0.6277");
  QCOMPARE(lines[60], "G0 Z2.00");
  QCOMPARE(lines[61], "G0 X1.5454  Y0.7839");
  QCOMPARE(lines[62], "G40");

  const RunResults expected = ExpectedRun(kAnsi40EighteenTeeth);
  QCOMPARE(window_->DxfText(), QString::fromStdString(expected.dxf));
  QVERIFY(window_->DxfText().startsWith("0\r\nSECTION\r\n"));

  // The preview: red outlines on the window's background, nothing filled. The run records it on
  // a canvas of the picture box's size, so that replayed there it draws what the box would.
  QCOMPARE(Find<PictureBox>("Picture1")->OuterWidth(), kPictureOuterSize);
  QCOMPARE(Find<PictureBox>("Picture1")->OuterHeight(), kPictureOuterSize);
  const QImage picture = Picture();
  const qreal ratio = picture.devicePixelRatio();
  QVERIFY(RedPixels(picture) > 500 * ratio);
  const QPoint centre(qRound(126.5 * ratio), qRound(126.5 * ratio));  // 1897.5 twips
  QVERIFY(picture.pixel(centre) != qRgb(255, 0, 0));
  // The centre circle has the seat radius, 161.3 twips (10.75 pixels).
  bool circle_drawn = false;
  for (int dx = qRound(9 * ratio); dx <= qRound(13 * ratio); ++dx) {
    circle_drawn = circle_drawn || picture.pixel(centre + QPoint(dx, 0)) == qRgb(255, 0, 0);
  }
  QVERIFY(circle_drawn);
}

void MainWindowTest::goClearsOutputsBeforeLettingEventsThrough() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  bool checked = false;
  services_->on_pending_events = [&] {
    checked = true;
    QVERIFY(window_->DxfText().isEmpty());
    QVERIFY(GCodeBox()->toPlainText().isEmpty());
    QVERIFY(Field("txtOutsideDiameter")->text().isEmpty());
    QCOMPARE(RedPixels(Picture()), 0);
    // The pitch diameter is not cleared; the run overwrites it.
    QCOMPARE(Field("txtPitchDiameter")->text(), "2.87938524157182");
  };
  Click("Command1");
  QVERIFY(checked);
  QCOMPARE(services_->pending_event_passes, 2);
}

void MainWindowTest::goReadsFieldsAgainAfterPendingEvents() {
  Enter(kAnsi40EighteenTeeth);
  services_->on_pending_events = [&] { Field("txtNumberofTeeth")->setText("4"); };
  Click("Command1");
  QCOMPARE(Field("txtPitchDiameter")->text(), "0.707106781186548");

  // An edit that no longer passes the checks is reported; the outputs stay cleared.
  services_->on_pending_events = [&] { Field("txtNumberofTeeth")->setText("3"); };
  Click("Command1");
  QCOMPARE(services_->messages, QStringList{"Not a valid value for number of teeth"});
  QVERIFY(GCodeBox()->toPlainText().isEmpty());
  QVERIFY(window_->DxfText().isEmpty());
}

void MainWindowTest::nestedGoGivesTheSameResults() {
  Enter(kAnsi40EighteenTeeth);
  services_->on_pending_events = [&] {
    services_->on_pending_events = nullptr;  // the nested run lets events through undisturbed
    Click("Command1");
  };
  Click("Command1");
  QCOMPARE(services_->pending_event_passes, 2);
  const RunResults expected = ExpectedRun(kAnsi40EighteenTeeth);
  QCOMPARE(GCodeBox()->toPlainText().replace("\n", "\r\n"), QString::fromStdString(expected.gcode));
  QCOMPARE(window_->DxfText(), QString::fromStdString(expected.dxf));
  QCOMPARE(Field("txtOutsideDiameter")->text(), "3.30754316676291");
}

void MainWindowTest::secondGoGivesTheSameText() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString gcode = GCodeBox()->toPlainText();
  const QString dxf = window_->DxfText();
  const QImage picture = Picture();
  Click("Command1");
  QCOMPARE(GCodeBox()->toPlainText(), gcode);
  QCOMPARE(window_->DxfText(), dxf);
  QVERIFY(Picture() == picture);  // cleared before drawing: nothing left over
  QCOMPARE(Field("txtPitchDiameter")->text(), "2.87938524157182");
}

void MainWindowTest::chainPick_data() {
  QTest::addColumn<QString>("units");
  QTest::addColumn<QString>("chain");
  QTest::addColumn<QString>("pitch");
  QTest::addColumn<QString>("roller");
  QTest::newRow("ANSI 40 English") << "English"
                                   << "ANSI 40"
                                   << "0.5"
                                   << "0.3125";
  QTest::newRow("ANSI 40 Metric") << "Metric"
                                  << "ANSI 40"
                                  << "12.7"
                                  << "7.9375";
  QTest::newRow("ANSI 35 Metric") << "Metric"
                                  << "ANSI 35"
                                  << "9.525"
                                  << "5.08";
  QTest::newRow("ANSI 60 Metric") << "Metric"
                                  << "ANSI 60"
                                  << "19.05"
                                  << "11.90625";
  QTest::newRow("ANSI 41 Metric") << "Metric"
                                  << "ANSI 41"
                                  << "12.7"
                                  << "7.7724";
  QTest::newRow("Bike 630 English") << "English"
                                    << "Bike 630"
                                    << "0.75"
                                    << "0.46875";
  QTest::newRow("blank entry English") << "English"
                                       << ""
                                       << ""
                                       << "";
  QTest::newRow("blank entry Metric") << "Metric"
                                      << ""
                                      << ""
                                      << "";
}

void MainWindowTest::chainPick() {
  QFETCH(QString, units);
  QFETCH(QString, chain);
  QFETCH(QString, pitch);
  QFETCH(QString, roller);
  Pick("ComboUnits", units);
  Pick("Combo1", "Bike 428");  // something to replace
  Field("txtCutDepth")->setText("0.1");
  Pick("Combo1", chain);
  QCOMPARE(Field("txtPitch")->text(), pitch);
  QCOMPARE(Field("txtRollerDiameter")->text(), roller);
  QCOMPARE(Field("txtCutDepth")->text(), "0.1");
  QCOMPARE(window_->CurrentUnits(), units);  // a chain pick does not touch the unit
}

void MainWindowTest::unitRoundTrip() {
  Enter({.pitch = "0.5", .teeth = "18", .roller = "0.3125", .depth = "0.125", .feed = "10"});
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field("txtPitch")->text(), "12.7");
  QCOMPARE(Field("txtRollerDiameter")->text(), "7.9375");
  QCOMPARE(window_->CurrentUnits(), "Metric");
  // Depth and feed are lengths too; the tooth count is not.
  QCOMPARE(Field("txtCutDepth")->text(), "3.175");
  QCOMPARE(Field("txtFeedRate")->text(), "254");
  QCOMPARE(Field("txtNumberofTeeth")->text(), "18");
  Pick("ComboUnits", "English");
  QCOMPARE(Field("txtPitch")->text(), "0.5");
  QCOMPARE(Field("txtRollerDiameter")->text(), "0.3125");
  QCOMPARE(window_->CurrentUnits(), "English");
}

void MainWindowTest::unitPickedTwiceConvertsOnce() {
  Field("txtPitch")->setText("2");
  Field("txtRollerDiameter")->setText("1");
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field("txtPitch")->text(), "50.8");
  // The same pick again, whether or not the list reports it, finds the unit in force.
  Pick("ComboUnits", "Metric");
  window_->ComboUnits_Click();
  QCOMPARE(Field("txtPitch")->text(), "50.8");
  QCOMPARE(Field("txtRollerDiameter")->text(), "25.4");
}

void MainWindowTest::unitSwitchKeepsFieldsItCannotConvert_data() {
  QTest::addColumn<QString>("pitch");
  QTest::addColumn<QString>("pitch_after");
  QTest::newRow("empty") << ""
                         << "";
  QTest::newRow("with a unit") << "12 mm"
                               << "12 mm";
  QTest::newRow("product overflows") << "1e308"
                                     << "1e308";
  QTest::newRow("a number") << "1"
                            << "25.4";
}

void MainWindowTest::unitSwitchKeepsFieldsItCannotConvert() {
  QFETCH(QString, pitch);
  QFETCH(QString, pitch_after);
  Field("txtPitch")->setText(pitch);
  Field("txtRollerDiameter")->setText("0.5");
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field("txtPitch")->text(), pitch_after);
  QCOMPARE(Field("txtRollerDiameter")->text(), "12.7");  // the other field still converts
  QCOMPARE(window_->CurrentUnits(), "Metric");
}

void MainWindowTest::selectAll() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  Find<QWidget>("txtPitch")->setFocus();
  Click("CmdSelectGCODE");
  const QTextCursor cursor = GCodeBox()->textCursor();
  QCOMPARE(cursor.selectionStart(), 0);
  QCOMPARE(cursor.selectionEnd(), GCodeBox()->toPlainText().size());
  QCOMPARE(window_->focusWidget(), GCodeBox());
}

void MainWindowTest::selectAllOnEmptyBox() {
  Click("CmdSelectGCODE");
  QVERIFY(!GCodeBox()->textCursor().hasSelection());
  QCOMPARE(window_->focusWidget(), GCodeBox());
}

void MainWindowTest::saveGCodeWritesBoxTextAndLineBreak() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("sprocket.cam");
  services_->save_answers = {path};
  Click("CmdGCodeSave");
  const RunResults expected = ExpectedRun(kAnsi40EighteenTeeth);
  QCOMPARE(ReadFile(path), QByteArray::fromStdString(expected.gcode + "\r\n"));
  QCOMPARE(services_->requests.size(), 1);
  QCOMPARE(services_->requests[0].filters,
           QStringList({"Cam (*.cam)", "G-code (*.ngc *.nc *.tap *.gcode)", "All files (*)"}));
  QCOMPARE(services_->requests[0].selected_filter, "Cam (*.cam)");
  QCOMPARE(services_->requests[0].initial_folder, "c:\\temp");
  QVERIFY(services_->messages.isEmpty());

  // What is saved is what the box holds, edits included, as UTF-8.
  GCodeBox()->setPlainText("(Zahnrad \u00d8 3.3)\nG20\n");
  services_->save_answers = {path};
  Click("CmdGCodeSave");
  QCOMPARE(ReadFile(path), QByteArray("(Zahnrad \xc3\x98 3.3)\r\nG20\r\n\r\n"));
}

// Before Go there is no program: nothing is asked or written, and a file of that name keeps
// its bytes.
void MainWindowTest::saveEmptyGCodeBoxWritesNothing() {
  const QString path = SavePath("sprocket.cam");
  QVERIFY(WriteFile(path, "G20\r\n"));
  services_->save_answers = {path};
  Click("CmdGCodeSave");
  QCOMPARE(services_->messages, QStringList{kNothingToSaveMessage});
  QVERIFY(services_->requests.isEmpty());
  QCOMPARE(ReadFile(path), QByteArray("G20\r\n"));
}

// A name confirmed without its extension is written with it; when that file exists, which the
// dialog did not ask about, the window asks, and No keeps it.
void MainWindowTest::extensionAddedToAnExistingNameAsksFirst() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("part.cam");
  QVERIFY(WriteFile(path, "kept"));
  services_->save_answers = {SavePath("part"), SavePath("part")};
  services_->replace_answers = {false, true};
  Click("CmdGCodeSave");
  QCOMPARE(services_->replace_questions, QStringList{path});
  QCOMPARE(ReadFile(path), QByteArray("kept"));
  Click("CmdGCodeSave");
  QVERIFY(ReadFile(path).startsWith("G20"));
}

void MainWindowTest::saveDxfWritesDrawingAndLineBreak() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("sprocket.dxf");
  services_->save_answers = {path};
  Click("CmdDXFSave");
  const QByteArray bytes = ReadFile(path);
  QCOMPARE(bytes, QByteArray::fromStdString(ExpectedRun(kAnsi40EighteenTeeth).dxf + "\r\n"));
  QVERIFY(bytes.endsWith("EOF\r\n\r\n"));
  QCOMPARE(services_->requests[0].filters, QStringList{"Cad (*.dxf)"});
}

void MainWindowTest::saveBeforeAnyRunWritesNothing_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("message");
  QTest::newRow("DXF") << QString("CmdDXFSave") << "There is no DXF drawing yet: press Go first.";
  QTest::newRow("SVG") << QString("CmdSVGSave") << "There is no SVG drawing yet: press Go first.";
  QTest::newRow("toolpath") << QString("CmdToolpathSave")
                            << "There is no toolpath yet: press Go first.";
#if TOOTHWRIGHT_HAS_SOLID
  QTest::newRow("3-D model") << QString("CmdModelSave") << "There is no part yet: press Go first.";
#endif
}

void MainWindowTest::saveBeforeAnyRunWritesNothing() {
  QFETCH(QString, button);
  QFETCH(QString, message);
  services_->save_answers = {SavePath("early")};
  Click("CmdMore");
  Click(qPrintable(button));
  QCOMPARE(services_->messages, QStringList{message});
  QVERIFY(services_->requests.isEmpty());  // no dialog either
  QVERIFY(!QFile::exists(SavePath("early")));

  // Nor after a run that failed its checks.
  Click("Command1");
  Click(qPrintable(button));
  QCOMPARE(services_->messages.last(), message);
}

void MainWindowTest::savedFilesEqualTheCommandLines() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  services_->save_answers = {SavePath("window.cam"), SavePath("window.dxf")};
  Click("CmdGCodeSave");
  Click("CmdDXFSave");
  QProcess cli;
  cli.start(QStringLiteral(TOOTHWRIGHT_CLI_PATH),
            {"--pitch", "0.5", "--teeth", "18", "--roller", "0.3125", "--depth", "0.125", "--feed",
             "10", "--offset", "--gcode", SavePath("cli.cam"), "--dxf", SavePath("cli.dxf")});
  QVERIFY(cli.waitForFinished(10000));
  QCOMPARE(cli.exitCode(), 0);
  QCOMPARE(ReadFile(SavePath("window.cam")), ReadFile(SavePath("cli.cam")));
  QCOMPARE(ReadFile(SavePath("window.dxf")), ReadFile(SavePath("cli.dxf")));
}

void MainWindowTest::cancelledSaveWritesNothing() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("kept.cam");
  QVERIFY(WriteFile(path, "old"));
  services_->save_answers = {path};
  Click("CmdGCodeSave");
  QVERIFY(ReadFile(path) != "old");

  QVERIFY(WriteFile(path, "old"));
  services_->save_answers = {std::nullopt};
  Click("CmdGCodeSave");
  Click("CmdDXFSave");  // the script has run out: cancelled as well
  QCOMPARE(ReadFile(path), QByteArray("old"));
  QCOMPARE(services_->requests.size(), 3);
  QCOMPARE(services_->requests[2].file_name, SavePath("kept.dxf"));  // cancelling keeps the name
  QVERIFY(services_->messages.isEmpty());
}

void MainWindowTest::fileNameIsKeptAcrossBothSaves() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("first.cam");
  services_->save_answers = {path, std::nullopt};
  Click("CmdGCodeSave");
  Click("CmdDXFSave");
  QCOMPARE(services_->requests.size(), 2);
  QCOMPARE(services_->requests[0].file_name, "");
  // The drawing's dialog proposes the same folder and name with its own extension, so that
  // confirming it never writes the drawing into the program's file.
  QCOMPARE(services_->requests[1].file_name, SavePath("first.dxf"));
  QCOMPARE(services_->requests[1].selected_filter, "Cad (*.dxf)");
  QVERIFY(ReadFile(path).startsWith("G20"));
}

void MainWindowTest::saveIntoMissingFolderIsReported() {
  GCodeBox()->setPlainText("G20");
  const QString path = SavePath("no such folder/out.cam");
  services_->save_answers = {path};
  Click("CmdGCodeSave");
  QCOMPARE(services_->messages.size(), 1);
  QVERIFY2(services_->messages[0].contains(path), qPrintable(services_->messages[0]));
  QVERIFY(!QFile::exists(path));
}

void MainWindowTest::failedSaveKeepsOldFile() {
#if defined(Q_OS_LINUX)
  // A file size limit makes the write fail part-way, whoever runs the test.
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("old.dxf");
  const QByteArray old_content = "0\r\nSECTION\r\n";
  QVERIFY(WriteFile(path, old_content));
  rlimit saved{};
  QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const rlimit small{1024, saved.rlim_max};
  const auto saved_handler = std::signal(SIGXFSZ, SIG_IGN);
  QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
  services_->save_answers = {path};
  Click("CmdDXFSave");
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, saved_handler);
  QCOMPARE(ReadFile(path), old_content);
  QCOMPARE(services_->messages.size(), 1);
  QVERIFY(services_->messages[0].contains(path));
  QCOMPARE(QDir(temp_->path()).entryList(QDir::Files), QStringList{"old.dxf"});  // no leftovers
#else
  QSKIP("needs a file size limit");
#endif
}

void MainWindowTest::infoBox() {
  Click("CmdAbout");
  QCOMPARE(services_->messages.size(), 1);
  const QStringList lines = services_->messages[0].split("\r\n");
  QCOMPARE(lines.size(), 5);
  QCOMPARE(lines[0], "Toothwright Version 2.0");
  QCOMPARE(lines[1], "");
  QVERIFY(!lines[2].isEmpty());
  QCOMPARE(lines[3], "");
  // Run where it was built, the window names the source tree's README, which is there.
  const QString folder = lines[4].section(QStringLiteral("README.md in "), 1).section(',', 0, 0);
  QVERIFY2(QFileInfo(folder + "/README.md").isFile(), qPrintable(lines[4]));
  QVERIFY2(lines[4].contains("toothwright.1"), qPrintable(lines[4]));
  QVERIFY(!services_->messages[0].endsWith("\n"));
}

void MainWindowTest::resultFieldsShowTheWholeNumber() {
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  for (const auto& [name, text] : {std::pair{"txtOutsideDiameter", "3.30754316676291"},
                                   std::pair{"txtPitchDiameter", "2.87938524157182"}}) {
    // Wider than the field, which keeps its size: shown from its start, whole in the tip.
    QVERIFY2(Field(name)->fontMetrics().horizontalAdvance(text) > Field(name)->width(), name);
    QCOMPARE(Field(name)->cursorPosition(), 0);
    QCOMPARE(Field(name)->toolTip(), text);
  }
  // A cleared field has no tip left over.
  services_->on_pending_events = [&] { QVERIFY(Field("txtOutsideDiameter")->toolTip().isEmpty()); };
  Click("Command1");
}

void MainWindowTest::moreOpensAndClosesThePanel() {
  auto* more = Find<QPushButton>("CmdMore");
  Click("CmdMore");
  QVERIFY(Find<QWidget>("MorePanel")->isVisible() && more->isChecked());
  QCOMPARE(window_->size(), QSize(1338, 566));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  QCOMPARE(more->text(), QString::fromUtf8("Less \u25c2"));
  Click("CmdMore");
  QVERIFY(!Find<QWidget>("MorePanel")->isVisible() && !more->isChecked());
  QCOMPARE(window_->size(), QSize(649, 566));
}

void MainWindowTest::moreCountsOptionsInForce_data() {
  QTest::addColumn<QStringList>("filled");  // fields given a text, and "M2" for the tick
  QTest::addColumn<QString>("caption");
  QTest::newRow("none") << QStringList{} << QString::fromUtf8("More \u25b8");
  QTest::newRow("M2 alone") << QStringList{"M2"} << QString::fromUtf8("More (1) \u25b8");
  QTest::newRow("two fields") << QStringList{"txtTipDiameter", "txtBore"}
                              << QString::fromUtf8("More (2) \u25b8");
  // A field of blanks is off, as the run reads it.
  QTest::newRow("a blank is off") << QStringList{"txtSafeZ=  ", "M2"}
                                  << QString::fromUtf8("More (1) \u25b8");
  QTest::newRow("emptied again") << QStringList{"txtTabs", "txtTabs="}
                                 << QString::fromUtf8("More \u25b8");
  QTest::newRow("solid and program options")
      << QStringList{"txtThickness", "cboDirection", "CheckToothChamfer", "CheckDxfPolyline"}
      << QString::fromUtf8("More (4) \u25b8");
  // A view of the results, not an option of the run.
  QTest::newRow("the toolpath shown")
      << QStringList{"CheckShowToolpath"} << QString::fromUtf8("More \u25b8");
}

void MainWindowTest::moreCountsOptionsInForce() {
  QFETCH(QStringList, filled);
  QFETCH(QString, caption);
  for (const QString& entry : filled) {
    if (entry == "M2" || entry.startsWith("Check")) {
      Find<QCheckBox>(entry == "M2" ? "CheckProgramEnd" : qPrintable(entry))->setChecked(true);
      continue;
    }
    const QStringList parts = entry.split('=');
    Field(qPrintable(parts[0]))->setText(parts.size() > 1 ? parts[1] : "1");
  }
  QCOMPARE(Find<QPushButton>("CmdMore")->text(), caption);
  Click("CmdMore");
  Click("CmdMore");  // closed again, the count is back
  QCOMPARE(Find<QPushButton>("CmdMore")->text(), caption);
}

void MainWindowTest::panelFieldsReachTheRun() {
  // Each field gets a text of its own; the run reads each into its own member, as typed, with
  // the panel closed.
  int n = 0;
  for (const PanelField& field : kPanelFields) Field(field.name)->setText(QString(" %1x").arg(++n));
  Find<QCheckBox>("CheckProgramEnd")->setChecked(true);
  const FieldTexts fields = window_->ReadFields();
  n = 0;
  for (const PanelField& field : kPanelFields) {
    QCOMPARE(fields.*(field.text), QString(" %1x").arg(++n).toStdString());
  }
  QVERIFY(fields.program_end);
}

void MainWindowTest::tipDiameterAndBoreShowInTheResults() {
  Enter(kAnsi40EighteenTeeth);
  Field("txtTipDiameter")->setText("3.2");
  Click("Command1");
  QCOMPARE(Field("txtOutsideDiameter")->text(), "3.2");

  // A bore takes the place of the reference circle, and the caption says so.
  auto* caption = Find<QLabel>("Label15");
  const QString reference = caption->text();
  Field("txtBore")->setText("0.75");
  Click("Command1");
  QCOMPARE(caption->text(), QString::fromUtf8(kBoreCaption));
  Field("txtBore")->clear();
  Click("Command1");
  QCOMPARE(caption->text(), reference);
}

void MainWindowTest::ansiButtonsFillTheWord() {
  Field("txtSeatClearance")->setText("0.01");
  Click("CmdMore");
  Click("CmdSeatClearanceANSI");
  Click("CmdTipDiameterANSI");
  QCOMPARE(Field("txtSeatClearance")->text(), "ANSI");
  QCOMPARE(Field("txtTipDiameter")->text(), "ANSI");
}

void MainWindowTest::unitSwitchConvertsPartLengths() {
  for (const PanelField& field : kPanelFields) Field(field.name)->setText("1");
  Field("txtBore")->setText("1 in");  // not wholly a number: kept
  Pick("ComboUnits", "Metric");
  for (const PanelField& field : kPanelFields) {
    const QString expected = field.text == &FieldTexts::bore ? "1 in"
                             : field.converts                ? "25.4"
                                                             : "1";
    QCOMPARE(Field(field.name)->text(), expected);
  }
  Pick("ComboUnits", "English");
  for (const PanelField& field : kPanelFields) {
    QCOMPARE(Field(field.name)->text(), field.text == &FieldTexts::bore ? "1 in" : "1");
  }
}

void MainWindowTest::toolDiameterAndOffsetExcludeEachOther() {
  auto* offset = Find<QCheckBox>("Check1");
  auto* tool = Field("txtToolDiameter");
  Click("CmdMore");
  // Ticked, the offset leaves no room for a tool diameter.
  QTest::mouseClick(offset, Qt::LeftButton);
  QVERIFY(offset->isChecked());
  QVERIFY(!tool->isEnabled());
  QTest::mouseClick(offset, Qt::LeftButton);
  QVERIFY(tool->isEnabled());

  // A tool diameter, even one set while the box is ticked, unticks the offset and keeps it
  // unticked until the field is empty again.
  offset->setChecked(true);
  tool->setText("0.25");
  QVERIFY(!offset->isChecked());
  QVERIFY(!offset->isEnabled());
  QTest::mouseClick(offset, Qt::LeftButton);
  QVERIFY(!offset->isChecked());
  const FieldTexts fields = window_->ReadFields();
  QVERIFY(!fields.offset);
  QCOMPARE(fields.tool_diameter, "0.25");
  tool->clear();
  QVERIFY(offset->isEnabled());
  QVERIFY(!offset->isChecked());
}

void MainWindowTest::saveSvgWritesTheDocumentUnchanged() {
  const std::string svg = WriteDrawingSvg(std::get<Job>(MakeJob(kAnsi40EighteenTeeth)));
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString path = SavePath("sprocket.svg");
  services_->save_answers = {path};
  Click("CmdMore");
  Click("CmdSVGSave");
  QCOMPARE(ReadFile(path), QByteArray::fromStdString(svg));
  QCOMPARE(services_->requests[0].filters, QStringList{"SVG (*.svg)"});
}

void MainWindowTest::unitSuffixesFollowTheUnits_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("english");
  QTest::addColumn<QString>("metric");
  for (const char* name : {"txtPitch",        "txtRollerDiameter",
                           "txtCutDepth",     "txtSeatClearance",
                           "txtTipDiameter",  "txtToolDiameter",
                           "txtDepthPerPass", "txtTabWidth",
                           "txtTabHeight",    "txtSafeZ",
                           "txtBore",         "txtKeywayWidth",
                           "txtKeywayDepth",  "txtBoltHoleDiameter",
                           "txtBoltCircle",   "txtLeadIn",
                           "txtThickness",    "txtHubDiameter",
                           "txtHubLength",    "txtMeshTolerance"}) {
    QTest::newRow(name) << name << "in"
                        << "mm";
  }
  QTest::newRow("plunge feed") << "txtPlungeFeed"
                               << "in/min"
                               << "mm/min";
  QTest::newRow("ramp angle") << "txtRampAngle"
                              << "deg"
                              << "deg";
  QTest::newRow("feed") << "txtFeedRate"
                        << "in/min"
                        << "mm/min";
  QTest::newRow("spindle") << "txtSpindle"
                           << "rpm"
                           << "rpm";
}

void MainWindowTest::unitSuffixesFollowTheUnits() {
  QFETCH(QString, field);
  QFETCH(QString, english);
  QFETCH(QString, metric);
  Click("CmdMore");
  QLineEdit* edit = Field(qPrintable(field));
  const auto* suffix = Find<QLabel>(qPrintable(field + "Unit"));
  QCOMPARE(suffix->text(), english);
  QVERIFY(suffix->isVisible());
  // Inside the field and right of the room its text has, so that neither covers the other.
  QVERIFY(edit->rect().contains(suffix->geometry()));
  QVERIFY(suffix->fontMetrics().horizontalAdvance(metric) <= suffix->width());
  const int text_room_end = edit->width() - edit->textMargins().right() -
                            edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  const int widest_suffix_start =
      suffix->x() + suffix->width() - suffix->fontMetrics().horizontalAdvance(metric);
  QVERIFY2(text_room_end <= widest_suffix_start,
           qPrintable(QString("%1 > %2").arg(text_room_end).arg(widest_suffix_start)));
  Pick("ComboUnits", "Metric");
  QCOMPARE(suffix->text(), metric);
  Pick("ComboUnits", "English");
  QCOMPARE(suffix->text(), english);
}

void MainWindowTest::unitSwitchConvertsEveryLength_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");  // in inches
  QTest::addColumn<QString>("metric");
  const auto row = [](const char* name, const char* field, const char* typed, const char* metric) {
    QTest::newRow(name) << field << typed << metric;
  };
  row("pitch", "txtPitch", "0.5", "12.7");
  row("roller", "txtRollerDiameter", "0.3125", "7.9375");
  row("depth", "txtCutDepth", "0.25", "6.35");
  row("feed, per minute", "txtFeedRate", "30", "762");
  row("tool diameter", "txtToolDiameter", "0.125", "3.175");
  row("safe Z", "txtSafeZ", "0.2", "5.08");
  row("bore", "txtBore", "0.75", "19.05");
  row("plunge feed, per minute", "txtPlungeFeed", "5", "127");
  row("lead-in", "txtLeadIn", "0.1", "2.54");
  row("thickness", "txtThickness", "0.284625", "7.229475");
  row("hub diameter", "txtHubDiameter", "1.5", "38.1");
  row("hub length", "txtHubLength", "0.5", "12.7");
  row("mesh tolerance", "txtMeshTolerance", "0.0004", "0.01016");
  row("thickness ANSI", "txtThickness", "ANSI", "ANSI");
  // More digits than the converted text keeps: back in inches, the typed text again.
  row("many digits", "txtPitch", "0.123456789012345678", "3.13580244091358");
  row("1/3 inch", "txtBore", "0.333333333333333", "8.46666666666666");
  row("the word ANSI", "txtSeatClearance", "ANSI", "ANSI");
  row("a fraction", "txtToolDiameter", "1/8", "1/8");
  row("blanks", "txtSafeZ", "  ", "  ");
  // Counts and speeds are not lengths.
  row("teeth", "txtNumberofTeeth", "18", "18");
  row("tabs", "txtTabs", "4", "4");
  row("bolt holes", "txtBoltHoles", "6", "6");
  row("spindle", "txtSpindle", "12000", "12000");
  row("ramp angle", "txtRampAngle", "5", "5");
  row("strands", "txtStrands", "2", "2");
  row("direction", "cboDirection", "climb", "climb");
}

void MainWindowTest::unitSwitchConvertsEveryLength() {
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, metric);
  QTest::keyClicks(Field(qPrintable(field)), typed);
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field(qPrintable(field))->text(), metric);
  Pick("ComboUnits", "English");
  QCOMPARE(Field(qPrintable(field))->text(), typed);
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field(qPrintable(field))->text(), metric);
}

void MainWindowTest::anEditAfterASwitchIsTypedInTheNewUnit() {
  Field("txtCutDepth")->setText("0.25");
  Pick("ComboUnits", "Metric");
  Field("txtCutDepth")->setText("6");
  Pick("ComboUnits", "English");
  QCOMPARE(Field("txtCutDepth")->text(), "0.236220472440945");
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field("txtCutDepth")->text(), "6");
  // A chain picked in millimetres is typed in millimetres.
  Pick("Combo1", "ANSI 35");
  Pick("ComboUnits", "English");
  QCOMPARE(Field("txtPitch")->text(), "0.375");
  Pick("ComboUnits", "Metric");
  QCOMPARE(Field("txtPitch")->text(), "9.525");
}

// Typed as a person would, switched to Metric, Go by Enter: the program is the command line's
// for the converted texts in millimetres. (The switch back is in the table above.)
void MainWindowTest::metricPartByKeyboardEqualsTheCommandLine() {
  Pick("Combo1", "ANSI 40");
  Click("CmdMore");
  for (const auto& [name, text] :
       {std::pair{"txtNumberofTeeth", "18"}, std::pair{"txtCutDepth", "0.25"},
        std::pair{"txtFeedRate", "30"}, std::pair{"txtToolDiameter", "0.125"},
        std::pair{"txtSafeZ", "0.2"}}) {
    QTest::keyClicks(Field(name), text);
  }
  Pick("ComboUnits", "Metric");
  const QStringList metric = {"12.7", "7.9375", "6.35", "762", "3.175", "5.08"};
  QStringList shown;
  for (const char* name : {"txtPitch", "txtRollerDiameter", "txtCutDepth", "txtFeedRate",
                           "txtToolDiameter", "txtSafeZ"}) {
    shown.append(Field(name)->text());
  }
  QCOMPARE(shown, metric);
  QTest::keyClick(Field("txtNumberofTeeth"), Qt::Key_Return);
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  QCOMPARE(Suffix("txtOutsideDiameter"), "mm");

  QProcess cli;
  cli.start(QStringLiteral(TOOTHWRIGHT_CLI_PATH),
            {"--pitch", metric[0], "--roller", metric[1], "--teeth", "18", "--depth", metric[2],
             "--feed", metric[3], "--tool-diameter", metric[4], "--safe-z", metric[5], "--units",
             "Metric", "--gcode", "-"});
  QVERIFY(cli.waitForFinished(10000));
  QCOMPARE(cli.exitCode(), 0);
  // The command line writes what Save G-Code would: the program and one more line break.
  QCOMPARE(GCodeBox()->toPlainText().replace("\n", "\r\n").toUtf8() + "\r\n",
           cli.readAllStandardOutput());
  QVERIFY(GCodeBox()->toPlainText().startsWith("G21\n"));
}

void MainWindowTest::changedSettingsDisableTheSaves_data() {
  QTest::addColumn<QStringList>("change");  // entries for Apply() after a run of ANSI 40
  QTest::addColumn<bool>("stale");
  QTest::newRow("teeth") << QStringList{"txtNumberofTeeth=19"} << true;
  QTest::newRow("the same text again") << QStringList{"txtNumberofTeeth=18"} << false;
  QTest::newRow("feed") << QStringList{"txtFeedRate=12"} << true;
  QTest::newRow("a panel field") << QStringList{"txtBore=0.75"} << true;
  QTest::newRow("the units") << QStringList{"units=Metric"} << true;
  QTest::newRow("another chain") << QStringList{"chain=ANSI 50"} << true;
  QTest::newRow("the offset tick") << QStringList{"Check1"} << true;
  QTest::newRow("the M2 tick") << QStringList{"CheckProgramEnd"} << true;
  QTest::newRow("the preamble tick") << QStringList{"CheckPreamble"} << true;
  QTest::newRow("a direction") << QStringList{"cboDirection=climb"} << true;
  QTest::newRow("the toolpath shown") << QStringList{"CheckShowToolpath"} << false;
  QTest::newRow("a refused Go") << QStringList{"txtPitch=abc", "go", "txtPitch=0.5"} << true;
  QTest::newRow("the G-code box edited") << QStringList{"txtInfo=G20"} << false;
}

void MainWindowTest::changedSettingsDisableTheSaves() {
  QFETCH(QStringList, change);
  QFETCH(bool, stale);
  Click("CmdMore");
  auto* note = Find<QLabel>("LabelResultsNote");
  // Before any run there is nothing to be stale.
  Apply({"txtNumberofTeeth=5"});
  QVERIFY(DisabledSaves().isEmpty());
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  QVERIFY(note->text().isEmpty());

  for (const QString& step : change) {
    if (step == "go") {
      Click("Command1");
    } else {
      Apply({step});
    }
  }
  const QString reason = "Results are for earlier settings: press Go";
  if (!stale) {
    QVERIFY(DisabledSaves().isEmpty());
    QVERIFY(note->text().isEmpty());
    return;
  }
  QCOMPARE(DisabledSaves(), kAllSaves);
  QCOMPARE(Find<QPushButton>("CmdDXFSave")->toolTip(), reason);
  QCOMPARE(note->text(), reason);
  QVERIFY(note->isVisible());
  // Nothing is saved, by the button or its key.
  services_->save_answers = {SavePath("stale.cam")};
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
  Click("CmdGCodeSave");
  QVERIFY(services_->requests.isEmpty());

  Click("Command1");
  QVERIFY(DisabledSaves().isEmpty());
  QVERIFY(note->text().isEmpty());
  QVERIFY(Find<QPushButton>("CmdDXFSave")->toolTip().isEmpty());
}

void MainWindowTest::savesProposeTheLastNameWithTheirOwnExtension_data() {
  QTest::addColumn<QString>("typed");        // the name confirmed in the G-code dialog
  QTest::addColumn<QString>("filter");       // the filter selected then; "" the proposed one
  QTest::addColumn<QString>("written");      // the G-code file written
  QTest::addColumn<QString>("next_gcode");   // the next G-code dialog's proposal
  QTest::addColumn<QString>("next_filter");  // ... and its selected filter
  QTest::addColumn<QString>("next_dxf");     // the DXF dialog's proposal
  const QString cam = "Cam (*.cam)";
  const QString gcode = "G-code (*.ngc *.nc *.tap *.gcode)";
  QTest::newRow("no extension") << "part"
                                << ""
                                << "part.cam"
                                << "part.cam" << cam << "part.dxf";
  QTest::newRow("G-code filter") << "part" << gcode << "part.ngc"
                                 << "part.ngc" << gcode << "part.dxf";
  QTest::newRow("an extension of the G-code filter") << "part.tap"
                                                     << ""
                                                     << "part.tap"
                                                     << "part.tap" << gcode << "part.dxf";
  QTest::newRow("all files") << "part"
                             << "All files (*)"
                             << "part"
                             << "part.cam" << cam << "part.dxf";
  QTest::newRow("dots in the name") << "ansi40.v2.cam"
                                    << ""
                                    << "ansi40.v2.cam"
                                    << "ansi40.v2.cam" << cam << "ansi40.v2.dxf";
  QTest::newRow("a file that exists") << "existing"
                                      << ""
                                      << "existing"
                                      << "existing.cam" << cam << "existing.dxf";
}

void MainWindowTest::savesProposeTheLastNameWithTheirOwnExtension() {
  QFETCH(QString, typed);
  QFETCH(QString, filter);
  QFETCH(QString, written);
  QFETCH(QString, next_gcode);
  QFETCH(QString, next_filter);
  QFETCH(QString, next_dxf);
  QVERIFY(WriteFile(SavePath("existing"), "old"));
  Enter(kAnsi40EighteenTeeth);
  Click("Command1");
  services_->save_answers = {SavePath(typed), std::nullopt, std::nullopt, std::nullopt};
  if (!filter.isEmpty()) services_->filter_answers = {filter};
  Click("CmdGCodeSave");
  QVERIFY(ReadFile(SavePath(written)).startsWith("G20"));
  // The note names the file written.
  QVERIFY2(Find<QLabel>("LabelResultsNote")->toolTip().endsWith(SavePath(written)),
           qPrintable(Find<QLabel>("LabelResultsNote")->toolTip()));

  Click("CmdGCodeSave");
  Click("CmdDXFSave");
  Click("CmdMore");
  Click("CmdSVGSave");
  Click("CmdSaveDesign");
  QCOMPARE(services_->requests.size(), 5);
  QCOMPARE(services_->requests[1].file_name, SavePath(next_gcode));
  QCOMPARE(services_->requests[1].selected_filter, next_filter);
  QCOMPARE(services_->requests[2].file_name, SavePath(next_dxf));
  QCOMPARE(services_->requests[3].file_name, SavePath(QString(next_dxf).replace(".dxf", ".svg")));
  QCOMPARE(services_->requests[4].file_name,
           SavePath(QString(next_dxf).replace(".dxf", ".toothwright")));
}

void MainWindowTest::shortcutKeys() {
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  Enter(kAnsi40EighteenTeeth);
  // Enter in a panel field presses Go too.
  QTest::keyClick(Field("txtBore"), Qt::Key_Enter);
  QCOMPARE(Field("txtPitchDiameter")->text(), "2.87938524157182");

  Field("txtCutDepth")->setFocus();
  QTest::keyClick(window_->focusWidget(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(services_->requests.size(), 1);
  QCOMPARE(services_->requests[0].selected_filter, "Cam (*.cam)");

  QTest::keyClick(window_->focusWidget(), Qt::Key_F1);
  QCOMPARE(services_->messages.size(), 1);
  QVERIFY(services_->messages[0].startsWith("Toothwright Version 2.0"));

  QTest::keyClick(window_->focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!window_->isVisible());
}

void MainWindowTest::openDesignShowsItsFieldsAndGoGivesTheRun_data() {
  QTest::addColumn<int>("design");
  for (const DesignCase& c : kDesigns) QTest::newRow(c.name) << static_cast<int>(&c - kDesigns);
}

void MainWindowTest::openDesignShowsItsFieldsAndGoGivesTheRun() {
  QFETCH(int, design);
  const FieldTexts& fields = kDesigns[design].fields;
  // Another design with results, a chain picked, Metric and the M2 tick as the file has it
  // not: the file's texts replace all of it, unconverted.
  ShowOtherResults();
  Apply({"chain=ANSI 50", "units=Metric"});
  Find<QCheckBox>("CheckProgramEnd")->setChecked(!fields.program_end);
  OpenDesignOf(fields, "part.toothwright");
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  QVERIFY(window_->ReadFields() == fields);
  QCOMPARE(window_->CurrentUnits(), QString::fromStdString(fields.units));
  QCOMPARE(Find<QComboBox>("Combo1")->currentText().toStdString(), fields.chain);
  QCOMPARE(DisabledSaves(), kAllSaves);
  // A switch there and back converts from the file's texts.
  auto* units = Find<QComboBox>("ComboUnits");
  units->setCurrentIndex(1 - units->currentIndex());
  units->setCurrentIndex(1 - units->currentIndex());
  QVERIFY(window_->ReadFields() == fields);

  // Saved while the results are stale, the note still says to press Go; the file reads back
  // the same.
  QCOMPARE(Find<QLabel>("LabelResultsNote")->text(), "Opened part.toothwright: press Go");
  services_->save_answers = {SavePath("saved")};
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(services_->requests.back().file_name, SavePath("part.toothwright"));
  QCOMPARE(Find<QLabel>("LabelResultsNote")->text(), "Opened part.toothwright: press Go");
  const auto read = ReadDesignFile(ReadFile(SavePath("saved.toothwright")).toStdString(), "");
  QVERIFY(std::holds_alternative<FieldTexts>(read) && std::get<FieldTexts>(read) == fields);

  Click("Command1");
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  const RunResults expected = ExpectedRun(fields);
  QCOMPARE(GCodeBox()->toPlainText().replace("\n", "\r\n").toStdString(), expected.gcode);
  QCOMPARE(window_->DxfText().toStdString(), expected.dxf);
  QCOMPARE(Field("txtOutsideDiameter")->text().toStdString(),
           expected.job.sprocket.outside_diameter_text);
}

void MainWindowTest::refusedDesignChangesNothing_data() {
  QTest::addColumn<QString>("name");      // in the scratch folder, or an absolute path
  QTest::addColumn<QByteArray>("bytes");  // written to name unless null
  QTest::addColumn<QString>("message");   // after "<path>: ", or whole with the path as %1
  const QByteArray start = "{\n  \"toothwright-design\": 1,\n";
  const QString large = "too large for a design file (more than 1 MiB)";
  QTest::newRow("newer version")
      << "new" << QByteArray("{\"toothwright-design\": 2}")
      << "made by a newer version of the program (design version 2; this one reads 1)";
  QTest::newRow("unknown key") << "key" << start + "  \"colour\": \"red\"\n}"
                               << "unknown key \"colour\"";
  QTest::newRow("teeth as a number") << "teeth" << start + "  \"teeth\": 18\n}"
                                     << "\"teeth\" must be a text, such as \"18\"";
  QTest::newRow("broken JSON") << "broken" << start + "  \"teeth\": \"18\",\n"
                               << "not a design file: invalid JSON at line 4";
  QTest::newRow("2 MiB") << "large" << start + QByteArray(2 << 20, ' ') + "\"pitch\": \"0.5\"}"
                         << large;
  // Endless: only its first bytes are ever read.
  QTest::newRow("a device without end") << "/dev/zero" << QByteArray() << large;
  QTest::newRow("missing") << "missing" << QByteArray()
                           << "The file %1 could not be opened: No such file or directory";
  QTest::newRow("a folder") << "." << QByteArray()
                            << "The file %1 could not be opened: it is a folder";
}

void MainWindowTest::refusedDesignChangesNothing() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, message);
  const QString path = name.startsWith('/') ? name : SavePath(name);
  if (!bytes.isNull()) QVERIFY(WriteFile(path, bytes));
  ShowOtherResults();
  const FieldTexts before = window_->ReadFields();
  OpenFile(path);
  QCOMPARE(services_->messages,
           QStringList{message.contains("%1") ? message.arg(path) : path + ": " + message});
  QVERIFY(window_->ReadFields() == before);
  QVERIFY(DisabledSaves().isEmpty());
  // The next save proposes the last design opened, not the refused file.
  Click("CmdSaveDesign");
  QCOMPARE(services_->requests.back().file_name, SavePath("other.toothwright"));
}

// A file holding what the window shows changes no field, yet it replaces what was typed.
void MainWindowTest::designWithTheFieldsShownStillCounts() {
  ShowOtherResults();
  OpenFile(SavePath("other.toothwright"));
  QCOMPARE(DisabledSaves(), kAllSaves);
  // "0.50" typed in inches shows as 12.7 mm; the Metric file's "12.7" is in millimetres.
  Apply({"txtPitch=0.50", "units=Metric"});
  QCOMPARE(Field("txtPitch")->text(), "12.7");
  OpenDesignOf({.pitch = "12.7", .units = "Metric"}, "metric.toothwright");
  Pick("ComboUnits", "English");
  QCOMPARE(Field("txtPitch")->text(), "0.5");
}

void MainWindowTest::designWithOffsetAndToolDiameterStaysEditable() {
  FieldTexts both = kAnsi40EighteenTeeth;
  both.tool_diameter = "0.125";
  OpenDesignOf(both, "both.toothwright");
  QVERIFY(window_->ReadFields() == both);
  QVERIFY(Find<QCheckBox>("Check1")->isEnabled() && Field("txtToolDiameter")->isEnabled());
  Click("Command1");
  QCOMPARE(services_->messages, QStringList{"Not a valid value for tool diameter"});
  QCOMPARE(window_->focusWidget(), Field("txtToolDiameter"));
}

void MainWindowTest::designKeysWorkWithThePanelOpenOrClosed_data() {
  QTest::addColumn<bool>("open");
  QTest::newRow("panel open") << true;
  QTest::newRow("panel closed") << false;
}

void MainWindowTest::designKeysWorkWithThePanelOpenOrClosed() {
  QFETCH(bool, open);
  if (open) Click("CmdMore");
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  Field("txtPitch")->setFocus();
  QTest::keyClick(window_->focusWidget(), Qt::Key_O, Qt::ControlModifier);
  QCOMPARE(services_->open_requests.size(), 1);
  QCOMPARE(services_->open_requests[0].filters,
           QStringList({"Toothwright design (*.toothwright)", "All files (*)"}));
  // A name typed without an extension gets the design's.
  Field("txtPitch")->setText("0.5");
  services_->save_answers = {SavePath("part")};
  QTest::keyClick(window_->focusWidget(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(services_->requests.size(), 1);
  QCOMPARE(services_->requests[0].filters, QStringList{"Toothwright design (*.toothwright)"});
  QVERIFY(ReadFile(SavePath("part.toothwright")).contains("\"pitch\": \"0.5\""));
  QCOMPARE(Find<QLabel>("LabelResultsNote")->toolTip(),
           "Saved " + QDir::toNativeSeparators(SavePath("part.toothwright")));
}

void MainWindowTest::preferencesComeBackInTheNextWindow() {
  Click("CmdMore");
  QCOMPARE(services_->preferences, (Preferences{.last_folder = QString(), .more_open = true}));
  services_->save_answers = {SavePath("kept")};
  Click("CmdSaveDesign");
  QCOMPARE(services_->preferences, (Preferences{.last_folder = temp_->path(), .more_open = true}));

  // The next session: the panel open, the dialogs in the folder, the fields empty.
  window_ = std::make_unique<MainWindow>(services_.get());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  QVERIFY(Find<QWidget>("MorePanel")->isVisible());
  QVERIFY(window_->ReadFields() == FieldTexts{});
  services_->requests.clear();
  Click("CmdSaveDesign");
  Click("CmdOpenDesign");
  QCOMPARE(services_->requests[0].initial_folder, temp_->path());
  QCOMPARE(services_->requests[0].file_name, QString());
  QCOMPARE(services_->open_requests.back().initial_folder, temp_->path());
  Click("CmdMore");
  QCOMPARE(services_->preferences, (Preferences{.last_folder = temp_->path(), .more_open = false}));
}

// The caption names the design file opened or saved, with an asterisk once a field differs
// from it; closing then asks whether to save there, and Cancel keeps the window open.
void MainWindowTest::titleNamesTheDesignAndItsChanges() {
  QCOMPARE(window_->windowTitle(), "Toothwright 2.0");
  OpenDesignOf(kAnsi40EighteenTeeth, "part.toothwright");
  QCOMPARE(window_->windowTitle(), "part.toothwright - Toothwright 2.0");
  Field("txtNumberofTeeth")->setText("19");
  QCOMPARE(window_->windowTitle(), "part.toothwright* - Toothwright 2.0");
  services_->save_answers = {SavePath("renamed")};
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(window_->windowTitle(), "renamed.toothwright - Toothwright 2.0");
  Field("txtNumberofTeeth")->setText("20");
  QVERIFY(!window_->close());  // the fake answers Cancel
  QCOMPARE(services_->close_questions, QStringList{"renamed.toothwright"});
  services_->close_answers = {CloseAnswer::Save};
  QVERIFY(window_->close());
  const auto read = ReadDesignFile(ReadFile(SavePath("renamed.toothwright")).toStdString(), "");
  QVERIFY(std::holds_alternative<FieldTexts>(read) && std::get<FieldTexts>(read).teeth == "20");
}

// The Drive window's fields reach the run and the design file; its figures and picture follow
// each Go, a refused drive field opens it, and its saves write what the command line writes.
void MainWindowTest::driveWindowShowsEachGoAndSavesItsDrawings() {
  Enter(kAnsi40EighteenTeeth);
  Click("CmdDrive");
  QVERIFY(window_->Drive().isVisible());
  window_->Drive().close();
  Field("txtDrivenTeeth")->setText("45");
  Field("txtCentreDistance")->setText("5");
  Click("Command1");
  QCOMPARE(services_->messages, QStringList{"Not a valid value for centre distance"});
  QVERIFY(window_->Drive().isVisible());
  Field("txtCentreDistance")->setText("20");
  Field("txtSpeed")->setText("500");
  Click("Command1");
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.driven_teeth = "45";
  fields.centre_distance = "20";
  fields.speed = "500";
  QCOMPARE(window_->ReadFields(), fields);
  const RunResults expected = ExpectedRun(fields);
  const Job& job = expected.job;
  QStringList lines;
  for (const std::string& line : DriveFigureLines(job.design, *job.design.drive, job.drive->slack))
    lines << QString::fromStdString(line);
  QCOMPARE(window_->Drive().FiguresText(), lines.join('\n'));
  QVERIFY(window_->Drive().Picture()->HasDrive());

  services_->save_answers = {SavePath("drive.svg"), SavePath("drive.dxf")};
  Click("CmdDrivePictureSave");
  Click("CmdDriveDrawingSave");
  QCOMPARE(ReadFile(SavePath("drive.svg")), QByteArray::fromStdString(WriteDriveSvg(job)));
  QCOMPARE(ReadFile(SavePath("drive.dxf")), QByteArray::fromStdString(WriteDriveDxf(job)));

  // Without driven teeth the window says what to give, and there is nothing to save.
  Field("txtDrivenTeeth")->clear();
  Field("txtCentreDistance")->clear();
  Field("txtSpeed")->clear();
  Click("Command1");
  QCOMPARE(window_->Drive().FiguresText(), QString(kNoDriveMessage));
  QVERIFY(!window_->Drive().Picture()->HasDrive());
  Click("CmdDrivePictureSave");
  QCOMPARE(services_->messages.last(), QString(kNoDriveDrawingMessage));
}

}  // namespace toothwright

QTEST_MAIN(toothwright::MainWindowTest)
#include "main_window_test.moc"
