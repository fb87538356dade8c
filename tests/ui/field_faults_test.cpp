// Bad field texts against Go, the unit switch and the chain pick: every kind of text a user
// can type or paste (nothing, blanks, letters, numbers beyond the double range, a negative
// zero, a huge number, digits and fractions outside ASCII) leaves the window consistent: the
// right message or no change, the previous results kept, and no infinity or NaN anywhere.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "fake_window_services.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace toothwright {
namespace {

struct BadText {
  const char* name;
  const char* text;    // UTF-8, as typed
  const char* plunge;  // the plunge line's number with the text as depth; nullptr: refused
                       // (a feed passes when blank or when this is above 0)
  const char* metric;  // a length field holding the text, after switching to Metric; back in
                       // English it holds the text as typed again
};

// Every text here fails the checks of pitch, number of teeth and roller diameter.
const BadText kBadTexts[] = {
    {"empty", "", "0", ""},
    {"blanks", "   ", "0", "   "},
    {"letters", "abc", nullptr, "abc"},
    {"infinity word", "inf", nullptr, "inf"},
    {"nan word", "nan", nullptr, "nan"},
    {"beyond the double range", "1e999", nullptr, "1e999"},
    {"below the double range", "1e-999", "0", "0"},
    {"negative zero", "-0", "0", "0"},
    // Too large to convert to millimetres, so it stays. As a depth it would be written with an
    // exponent, which a controller misreads.
    {"huge", "1e308", nullptr, "1e308"},
    {"vulgar fraction", "\u00bd", nullptr, "\u00bd"},
    {"Arabic-Indic digit", "\u0663", nullptr, "\u0663"},
    {"fullwidth digits", "\uff11\uff12", nullptr, "\uff11\uff12"},
};

// The diameters of ANSI 40, 18 teeth, which depth and feed do not change.
constexpr const char* kPitchDiameter = "2.87938524157182";
constexpr const char* kOutsideDiameter = "3.30754316676291";
// 3 * 18 + 9: with the rise, the entry point, "G42", the exit point and "G40".
constexpr int kAnsi40Lines = 63;
// After "G20", the rise, the entry point, "G42" and the rapid move.
constexpr int kPlungeLine = 5;

}  // namespace

class FieldFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void goOnBadText_data();
  void goOnBadText();
  void unitSwitchOnBadText_data();
  void unitSwitchOnBadText();
  void chainPickOverBadText_data();
  void chainPickOverBadText();
  void feedRefusesPastedLineBreaks_data();
  void feedRefusesPastedLineBreaks();

 private:
  QLineEdit* Field(const QString& name) const { return window_->findChild<QLineEdit*>(name); }
  QPlainTextEdit* GCodeBox() const { return window_->findChild<QPlainTextEdit*>("txtInfo"); }
  QImage Picture() const { return window_->findChild<PictureBox*>("Picture1")->Picture(); }
  void Pick(const char* list, const QString& entry) {
    auto* combo = window_->findChild<QComboBox*>(list);
    combo->setCurrentIndex(combo->findText(entry));
  }
  void Go() { QTest::mouseClick(window_->findChild<QWidget*>("Command1"), Qt::LeftButton); }
  void EnterAnsi40EighteenTeeth();
  QStringList AllFieldTexts() const;
  QString InfinityOrNaN(const QString& typed) const;

  std::unique_ptr<FakeWindowServices> services_;
  std::unique_ptr<MainWindow> window_;
};

void FieldFaultsTest::init() {
  services_ = std::make_unique<FakeWindowServices>();
  window_ = std::make_unique<MainWindow>(services_.get());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void FieldFaultsTest::cleanup() {
  window_.reset();
  services_.reset();
}

void FieldFaultsTest::EnterAnsi40EighteenTeeth() {
  Field("txtPitch")->setText("0.5");
  Field("txtNumberofTeeth")->setText("18");
  Field("txtRollerDiameter")->setText("0.3125");
  Field("txtCutDepth")->setText("0.125");
  Field("txtFeedRate")->setText("10");
  window_->findChild<QCheckBox*>("Check1")->setChecked(true);
}

// The texts of the window's single-line fields, in a fixed order.
QStringList FieldFaultsTest::AllFieldTexts() const {
  QStringList texts;
  for (const char* name : {"txtPitch", "txtRollerDiameter", "txtNumberofTeeth", "txtCutDepth",
                           "txtFeedRate", "txtPitchDiameter", "txtOutsideDiameter"}) {
    texts.append(Field(name)->text());
  }
  return texts;
}

// The first text of the window (fields, G-code, drawing) that holds an infinity or a NaN once
// the typed text is taken out of it; empty when there is none.
QString FieldFaultsTest::InfinityOrNaN(const QString& typed) const {
  QStringList texts = AllFieldTexts();
  texts << GCodeBox()->toPlainText() << window_->DxfText();
  for (QString text : texts) {
    if (!typed.isEmpty()) text.remove(typed);
    if (text.contains("inf", Qt::CaseInsensitive) || text.contains("nan", Qt::CaseInsensitive)) {
      return text.left(200);
    }
  }
  return QString();
}

void FieldFaultsTest::goOnBadText_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");      // empty when the run goes ahead
  QTest::addColumn<QString>("plunge_line");  // the G-code's plunge line when it does
  for (const BadText& bad : kBadTexts) {
    const QString text = QString::fromUtf8(bad.text);
    const auto row = [&](const char* field) -> QTestData& {
      return QTest::addRow("%s: %s", field, bad.name) << QString::fromLatin1(field) << text;
    };
    const QString none;
    row("txtPitch") << "Not a valid value for pitch" << none;
    row("txtNumberofTeeth") << "Not a valid value for number of teeth" << none;
    row("txtRollerDiameter") << "Not a valid value for roller diameter" << none;
    if (bad.plunge != nullptr) {
      row("txtCutDepth") << none << QStringLiteral("G1 Z-%1 F10").arg(bad.plunge);
    } else {
      row("txtCutDepth") << "Not a valid value for depth of cut" << none;
    }
    // A feed is blank or a plain number above 0, copied as typed; a blank one adds nothing to
    // the move lines.
    if (text.trimmed().isEmpty() || (bad.plunge != nullptr && bad.plunge != QString("0"))) {
      row("txtFeedRate") << none << "G1 Z-0.125" + (text.trimmed().isEmpty() ? none : " F" + text);
    } else {
      row("txtFeedRate") << "Not a valid value for feed rate" << none;
    }
  }
}

void FieldFaultsTest::goOnBadText() {
  QFETCH(QString, field);
  QFETCH(QString, text);
  QFETCH(QString, message);
  QFETCH(QString, plunge_line);
  EnterAnsi40EighteenTeeth();
  Go();
  QVERIFY(services_->messages.isEmpty());
  const QString gcode = GCodeBox()->toPlainText();
  const QString dxf = window_->DxfText();
  const QImage picture = Picture();
  services_->pending_event_passes = 0;

  Field(field)->setText(text);
  const QStringList typed_fields = AllFieldTexts();
  Go();
  QCOMPARE(Field(field)->text(), text);
  const QString stray = InfinityOrNaN(text);
  QVERIFY2(stray.isEmpty(), qPrintable(stray));
  if (!message.isEmpty()) {
    // Refused before anything was cleared: the previous results stay.
    QCOMPARE(services_->messages, QStringList{message});
    QVERIFY(!services_->reasons.value(0).isEmpty());
    // The refused field has the focus, its text selected to type over.
    QCOMPARE(window_->focusWidget(), Field(field));
    QCOMPARE(Field(field)->selectedText(), text);
    QCOMPARE(services_->pending_event_passes, 0);
    QCOMPARE(AllFieldTexts(), typed_fields);
    QCOMPARE(GCodeBox()->toPlainText(), gcode);
    QCOMPARE(window_->DxfText(), dxf);
    QVERIFY(Picture() == picture);
    return;
  }
  QVERIFY2(services_->messages.isEmpty(), qPrintable(services_->messages.join(" | ")));
  QCOMPARE(Field("txtPitchDiameter")->text(), kPitchDiameter);
  QCOMPARE(Field("txtOutsideDiameter")->text(), kOutsideDiameter);
  const QStringList lines = GCodeBox()->toPlainText().split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), kAnsi40Lines);
  QCOMPARE(lines[kPlungeLine], plunge_line);
  // Depth and feed reach the program only: the drawing and the picture are the same.
  QCOMPARE(window_->DxfText(), dxf);
  QVERIFY(Picture() == picture);
}

void FieldFaultsTest::unitSwitchOnBadText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("metric");
  for (const BadText& bad : kBadTexts) {
    QTest::newRow(bad.name) << QString::fromUtf8(bad.text) << QString::fromUtf8(bad.metric);
  }
}

// The length fields (depth and feed among them) hold the text; what cannot be converted stays
// as typed, the tooth count does not change, and switching back gives every typed text again.
void FieldFaultsTest::unitSwitchOnBadText() {
  QFETCH(QString, text);
  QFETCH(QString, metric);
  const char* lengths[] = {"txtPitch", "txtRollerDiameter", "txtCutDepth", "txtFeedRate"};
  Field("txtNumberofTeeth")->setText(text);
  for (const char* name : lengths) Field(name)->setText(text);
  Pick("ComboUnits", "Metric");
  QCOMPARE(window_->CurrentUnits(), "Metric");
  for (const char* name : lengths) QCOMPARE(Field(name)->text(), metric);
  QCOMPARE(Field("txtNumberofTeeth")->text(), text);
  QVERIFY2(InfinityOrNaN(text).isEmpty(), qPrintable(InfinityOrNaN(text)));

  Pick("ComboUnits", "English");
  QCOMPARE(window_->CurrentUnits(), "English");
  for (const char* name :
       {"txtPitch", "txtRollerDiameter", "txtNumberofTeeth", "txtCutDepth", "txtFeedRate"}) {
    QCOMPARE(Field(name)->text(), text);
  }
  QVERIFY2(InfinityOrNaN(text).isEmpty(), qPrintable(InfinityOrNaN(text)));
  QVERIFY(services_->messages.isEmpty());
}

void FieldFaultsTest::chainPickOverBadText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("units");
  QTest::addColumn<QString>("pitch");
  QTest::addColumn<QString>("roller");
  for (const BadText& bad : kBadTexts) {
    const QString text = QString::fromUtf8(bad.text);
    QTest::addRow("English, %s", bad.name) << text << "English"
                                           << "0.5"
                                           << "0.3125";
    QTest::addRow("Metric, %s", bad.name) << text << "Metric"
                                          << "12.7"
                                          << "7.9375";
  }
}

// A chain pick writes pitch and roller diameter whatever they held and leaves the other fields
// alone; Go then stops at the number of teeth; the blank entry empties both lengths.
void FieldFaultsTest::chainPickOverBadText() {
  QFETCH(QString, text);
  QFETCH(QString, units);
  QFETCH(QString, pitch);
  QFETCH(QString, roller);
  Pick("ComboUnits", units);
  for (const char* name :
       {"txtPitch", "txtRollerDiameter", "txtNumberofTeeth", "txtCutDepth", "txtFeedRate"}) {
    Field(name)->setText(text);
  }
  Pick("Combo1", "ANSI 40");
  QCOMPARE(Field("txtPitch")->text(), pitch);
  QCOMPARE(Field("txtRollerDiameter")->text(), roller);
  for (const char* name : {"txtNumberofTeeth", "txtCutDepth", "txtFeedRate"}) {
    QCOMPARE(Field(name)->text(), text);
  }
  QCOMPARE(window_->CurrentUnits(), units);

  Go();
  QCOMPARE(services_->messages, QStringList{"Not a valid value for number of teeth"});
  QVERIFY(Field("txtPitchDiameter")->text().isEmpty());
  QVERIFY(GCodeBox()->toPlainText().isEmpty());

  Pick("Combo1", "");
  QVERIFY(Field("txtPitch")->text().isEmpty());
  QVERIFY(Field("txtRollerDiameter")->text().isEmpty());
  QVERIFY2(InfinityOrNaN(text).isEmpty(), qPrintable(InfinityOrNaN(text)));
}

void FieldFaultsTest::feedRefusesPastedLineBreaks_data() {
  QTest::addColumn<QString>("pasted");
  QTest::newRow("line feed") << "12\nM30";
  QTest::newRow("CR LF") << "12\r\nM30";
  QTest::newRow("carriage return") << "12\rM30";
  QTest::newRow("trailing line feed") << "12\n";
}

// The feed is copied into every move line, where a line break would start lines of its own
// (a pasted "M30" would end the program after the first move). The one-line field refuses a
// paste that holds one; the program keeps one move per line.
void FieldFaultsTest::feedRefusesPastedLineBreaks() {
  QFETCH(QString, pasted);
  EnterAnsi40EighteenTeeth();
  QLineEdit* feed = Field("txtFeedRate");
  feed->selectAll();
  QGuiApplication::clipboard()->setText(pasted);
  feed->paste();
  QCOMPARE(feed->text(), "10");
  // A paste without a line break still goes in.
  QGuiApplication::clipboard()->setText("12");
  feed->paste();
  QCOMPARE(feed->text(), "12");

  Go();
  const QStringList lines = GCodeBox()->toPlainText().split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), kAnsi40Lines);
  QCOMPARE(lines[kPlungeLine], "G1 Z-0.125 F12");
}

}  // namespace toothwright

QTEST_MAIN(toothwright::FieldFaultsTest)
#include "field_faults_test.moc"
