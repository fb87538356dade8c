// Design files in the window: opening one shows its fields as written and Go then gives what a
// run without a window gives; Save Design writes what the reader reads back; a refused file
// changes nothing; the keys; the preferences kept between sessions.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <variant>

#include "design_file/design_file.h"
#include "fake_window_services.h"
#include "output/pipeline.h"
#include "support/ansi40_18_teeth.h"
#include "ui/main_window.h"

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

struct DesignCase {
  const char* name;
  FieldTexts fields;
};

// A spread of designs: every text field and tick is set in at least one.
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
};

}  // namespace

class DesignFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void openShowsTheFieldsAndGoGivesTheRun_data();
  void openShowsTheFieldsAndGoGivesTheRun();
  void refusedFileChangesNothing_data();
  void refusedFileChangesNothing();
  void offsetAndToolDiameterBothInAFileStayEditable();
  void fileWithTheFieldsShownStillCounts();
  void keysWorkWithThePanelOpenOrClosed_data();
  void keysWorkWithThePanelOpenOrClosed();
  void preferencesComeBackInTheNextWindow();

 private:
  template <typename Widget>
  Widget* Find(const char* name) const {
    return window_->findChild<Widget*>(QString::fromLatin1(name));
  }
  QLineEdit* Field(const char* name) const { return Find<QLineEdit>(name); }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QString Path(const QString& name) const { return QDir(temp_->path()).filePath(name); }
  QStringList DisabledSaves() const {
    QStringList disabled;
    for (const char* name : {"CmdGCodeSave", "CmdDXFSave", "CmdSVGSave"}) {
      if (!Find<QPushButton>(name)->isEnabled()) disabled.append(name);
    }
    return disabled;
  }
  // Opens the design at path through the button of the open panel.
  void Open(const QString& path) {
    services_->open_answers = {path};
    Click("CmdOpenDesign");
  }
  // Shows a design of another chain, in English, with results for it.
  void ShowOtherResults() {
    FieldTexts other = kAnsi40EighteenTeeth;
    other.teeth = "30";
    QVERIFY(
        WriteFile(Path("other.toothwright"), QByteArray::fromStdString(WriteDesignFile(other))));
    Open(Path("other.toothwright"));
    Click("Command1");
    QVERIFY(DisabledSaves().isEmpty());
  }

  std::unique_ptr<FakeWindowServices> services_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QTemporaryDir> temp_;
};

void DesignFilesTest::init() {
  services_ = std::make_unique<FakeWindowServices>();
  window_ = std::make_unique<MainWindow>(services_.get());
  temp_ = std::make_unique<QTemporaryDir>();
  QVERIFY(temp_->isValid());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  Click("CmdMore");
}

void DesignFilesTest::cleanup() {
  window_.reset();
  services_.reset();
  temp_.reset();
}

void DesignFilesTest::openShowsTheFieldsAndGoGivesTheRun_data() {
  QTest::addColumn<int>("design");
  for (const DesignCase& c : kDesigns) QTest::newRow(c.name) << static_cast<int>(&c - kDesigns);
}

void DesignFilesTest::openShowsTheFieldsAndGoGivesTheRun() {
  QFETCH(int, design);
  const FieldTexts& fields = kDesigns[design].fields;
  // Another design, with results, in the other units, with a chain picked and ticks that the
  // file unticks: the file's texts replace all of it unconverted.
  ShowOtherResults();
  Find<QComboBox>("Combo1")->setCurrentIndex(Find<QComboBox>("Combo1")->findText("ANSI 50"));
  Find<QComboBox>("ComboUnits")->setCurrentIndex(1);
  Find<QCheckBox>("CheckProgramEnd")->setChecked(!fields.program_end);
  const QString path = Path("part.toothwright");
  QVERIFY(WriteFile(path, QByteArray::fromStdString(WriteDesignFile(fields))));

  Open(path);
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  QVERIFY(window_->ReadFields() == fields);
  QCOMPARE(window_->CurrentUnits().toStdString(), fields.units);
  QCOMPARE(Find<QComboBox>("Combo1")->currentIndex(), -1);
  QCOMPARE(DisabledSaves(), QStringList({"CmdGCodeSave", "CmdDXFSave", "CmdSVGSave"}));

  // A switch there and back converts from the file's texts, as from texts typed in its units.
  auto* units = Find<QComboBox>("ComboUnits");
  units->setCurrentIndex(1 - units->currentIndex());
  units->setCurrentIndex(1 - units->currentIndex());
  QVERIFY(window_->ReadFields() == fields);

  // Saved while the results are stale: the note keeps saying so, and the file reads back.
  services_->save_answers = {Path("saved")};
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(services_->requests.back().file_name, path);
  QCOMPARE(Find<QLabel>("LabelResultsNote")->text(), kStaleResultsMessage);
  const auto read = ReadDesignFile(ReadFile(Path("saved.toothwright")).toStdString(), "saved");
  QVERIFY(std::holds_alternative<FieldTexts>(read) && std::get<FieldTexts>(read) == fields);

  Click("Command1");
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  const RunResults expected = std::get<RunResults>(Run(fields));
  QCOMPARE(Find<QPlainTextEdit>("txtInfo")->toPlainText().replace("\n", "\r\n").toStdString(),
           expected.gcode);
  QCOMPARE(window_->DxfText().toStdString(), expected.dxf);
  QCOMPARE(Field("txtOutsideDiameter")->text().toStdString(),
           expected.job.sprocket.outside_diameter_text);
}

void DesignFilesTest::refusedFileChangesNothing_data() {
  QTest::addColumn<QString>("name");      // in the scratch folder, or an absolute path
  QTest::addColumn<QByteArray>("bytes");  // written to name unless null
  QTest::addColumn<QString>("message");   // after "<path>: ", or whole when it has %1
  const QByteArray start = "{\n  \"toothwright-design\": 1,\n";
  QTest::newRow("newer version")
      << "new.toothwright" << QByteArray("{\"toothwright-design\": 2}")
      << "made by a newer version of the program (design version 2; this one reads 1)";
  QTest::newRow("unknown key") << "key.toothwright" << start + "  \"colour\": \"red\"\n}"
                               << "unknown key \"colour\"";
  QTest::newRow("teeth as a number") << "teeth.toothwright" << start + "  \"teeth\": 18\n}"
                                     << "\"teeth\" must be a text, such as \"18\"";
  QTest::newRow("broken JSON") << "broken.toothwright" << start + "  \"teeth\": \"18\",\n"
                               << "not a design file: invalid JSON at line 4";
  QTest::newRow("2 MiB") << "large.toothwright"
                         << start + QByteArray(2 * 1024 * 1024, ' ') + "\"pitch\": \"0.5\"}"
                         << "too large for a design file (more than 1 MiB)";
  // Endless: only its first bytes are ever read.
  QTest::newRow("a device without end")
      << "/dev/zero" << QByteArray() << "too large for a design file (more than 1 MiB)";
  QTest::newRow("missing") << "missing.toothwright" << QByteArray()
                           << "The file %1 could not be opened: No such file or directory";
  QTest::newRow("a folder") << "." << QByteArray()
                            << "The file %1 could not be opened: it is a folder";
}

void DesignFilesTest::refusedFileChangesNothing() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, message);
  const QString path = name.startsWith('/') ? name : Path(name);
  if (!bytes.isNull()) QVERIFY(WriteFile(path, bytes));
  ShowOtherResults();
  const FieldTexts before = window_->ReadFields();

  Open(path);
  QCOMPARE(services_->messages,
           QStringList{message.contains("%1") ? message.arg(path) : path + ": " + message});
  QVERIFY(window_->ReadFields() == before);
  QVERIFY(DisabledSaves().isEmpty());
  // The next save proposes the name of the last file opened, not of the refused one.
  services_->save_answers = {std::nullopt};
  Click("CmdSaveDesign");
  QCOMPARE(services_->requests.back().file_name, Path("other.toothwright"));
}

void DesignFilesTest::offsetAndToolDiameterBothInAFileStayEditable() {
  FieldTexts both = kAnsi40EighteenTeeth;
  both.tool_diameter = "0.125";
  QVERIFY(WriteFile(Path("both.toothwright"), QByteArray::fromStdString(WriteDesignFile(both))));
  Open(Path("both.toothwright"));
  QVERIFY(window_->ReadFields() == both);
  QVERIFY(Find<QCheckBox>("Check1")->isEnabled() && Field("txtToolDiameter")->isEnabled());
  Click("Command1");
  QCOMPARE(services_->messages, QStringList{"Not a valid value for tool diameter"});
  QCOMPARE(window_->focusWidget(), Field("txtToolDiameter"));
}

// A file holding exactly what the window shows changes no field, yet replaces what was typed.
void DesignFilesTest::fileWithTheFieldsShownStillCounts() {
  ShowOtherResults();
  Open(Path("other.toothwright"));
  QCOMPARE(DisabledSaves(), QStringList({"CmdGCodeSave", "CmdDXFSave", "CmdSVGSave"}));

  // "0.50" typed in inches shows as 12.7 mm; a Metric file's "12.7" was typed in millimetres.
  Field("txtPitch")->setText("0.50");
  Find<QComboBox>("ComboUnits")->setCurrentIndex(1);
  QCOMPARE(Field("txtPitch")->text(), "12.7");
  const FieldTexts metric{.pitch = "12.7", .units = "Metric"};
  QVERIFY(
      WriteFile(Path("metric.toothwright"), QByteArray::fromStdString(WriteDesignFile(metric))));
  Open(Path("metric.toothwright"));
  Find<QComboBox>("ComboUnits")->setCurrentIndex(0);
  QCOMPARE(Field("txtPitch")->text(), "0.5");
}

void DesignFilesTest::keysWorkWithThePanelOpenOrClosed_data() {
  QTest::addColumn<bool>("open");
  QTest::newRow("panel open") << true;
  QTest::newRow("panel closed") << false;
}

void DesignFilesTest::keysWorkWithThePanelOpenOrClosed() {
  QFETCH(bool, open);
  if (!open) Click("CmdMore");
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  Field("txtPitch")->setFocus();
  QTest::keyClick(window_->focusWidget(), Qt::Key_O, Qt::ControlModifier);
  QCOMPARE(services_->open_requests.size(), 1);
  QCOMPARE(services_->open_requests[0].filters,
           QStringList({"Toothwright design (*.toothwright)", "All files (*)"}));

  // A name typed without an extension gets the design's.
  Field("txtPitch")->setText("0.5");
  services_->save_answers = {Path("part")};
  QTest::keyClick(window_->focusWidget(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(services_->requests.size(), 1);
  QCOMPARE(services_->requests[0].filters, QStringList{"Toothwright design (*.toothwright)"});
  QVERIFY(ReadFile(Path("part.toothwright")).contains("\"pitch\": \"0.5\""));
  QCOMPARE(Find<QLabel>("LabelResultsNote")->toolTip(),
           "Saved " + QDir::toNativeSeparators(Path("part.toothwright")));
}

void DesignFilesTest::preferencesComeBackInTheNextWindow() {
  // The panel was opened in init(); a save keeps its folder.
  QCOMPARE(services_->preferences, (Preferences{.last_folder = QString(), .more_open = true}));
  services_->save_answers = {Path("kept")};
  Click("CmdSaveDesign");
  const Preferences kept{.last_folder = temp_->path(), .more_open = true};
  QCOMPARE(services_->preferences, kept);

  // The next session: the panel open, the dialogs in the folder, the fields empty.
  window_ = std::make_unique<MainWindow>(services_.get());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  QVERIFY(Find<QWidget>("MorePanel")->isVisibleTo(window_.get()));
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

}  // namespace toothwright

QTEST_MAIN(toothwright::DesignFilesTest)
#include "design_files_test.moc"
