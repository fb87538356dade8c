// The window as laid out: every control of the layout table in place, of its kind, with its
// caption readable in full; the twip conversion; and the start-up check for a display.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>

#include "ui/display_check.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/window_layout.h"

namespace toothwright {

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void twipsToPixels_data();
  void twipsToPixels();
  void everyControlIsPlacedAsTheTableSays();
  void controlsAreOfTheirKind();
  void captionsAreNotClipped();
  void fontsAreTheInstalledSans();
  void displayNamed_data();
  void displayNamed();
  void withoutDisplayTheProgramExplains();
};

void LayoutTest::initTestCase() {
  // The style the program runs with, whatever the platform's default.
  QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(kLayoutStyle)));
  QCOMPARE(QApplication::style()->name().toLower(), "fusion");
}

void LayoutTest::twipsToPixels_data() {
  QTest::addColumn<QList<int>>("twips");
  QTest::addColumn<QRect>("pixels");
  QTest::newRow("window") << QList<int>{0, 0, 9735, 8490} << QRect(0, 0, 649, 566);
  QTest::newRow("Picture1") << QList<int>{480, 4260, 3795, 3795} << QRect(32, 284, 253, 253);
  // 2753 twips is 183.5 pixels: rounded edges, so the field beside it lines up.
  QTest::newRow("Label8") << QList<int>{360, 2753, 975, 255} << QRect(24, 184, 65, 17);
  QTest::newRow("txtCutDepth") << QList<int>{1320, 2738, 1095, 285} << QRect(88, 183, 73, 19);
  QTest::newRow("Shape1") << QList<int>{105, 675, 9255, 1575} << QRect(7, 45, 617, 105);
}

void LayoutTest::twipsToPixels() {
  QFETCH(QList<int>, twips);
  QFETCH(QRect, pixels);
  QCOMPARE(TwipsToPixels(twips[0], twips[1], twips[2], twips[3]), pixels);
}

void LayoutTest::everyControlIsPlacedAsTheTableSays() {
  MainWindow window;
  QCOMPARE(WindowControls().size(), size_t{38});
  for (const ControlLayout& row : WindowControls()) {
    const auto* control = window.findChild<QWidget*>(QString::fromLatin1(row.name));
    QVERIFY2(control != nullptr, row.name);
    QCOMPARE(control->geometry(), TwipsToPixels(row.left, row.top, row.width, row.height));
    QVERIFY2(window.rect().contains(control->geometry()), row.name);
  }
  QCOMPARE(FindControlLayout("CommonDialog1"), nullptr);  // no visible part
  QCOMPARE(FindControlLayout("txtDXF"), nullptr);         // never shown
}

void LayoutTest::controlsAreOfTheirKind() {
  MainWindow window;
  for (const ControlLayout& row : WindowControls()) {
    const QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(row.name));
    bool right_kind = false;
    switch (row.kind) {
      case ControlKind::Label: {
        const auto* label = qobject_cast<const QLabel*>(control);
        right_kind = label != nullptr && label->text() == QString::fromUtf8(row.caption) &&
                     (label->alignment() & Qt::AlignHCenter) ==
                         (row.centred ? Qt::AlignHCenter : Qt::Alignment());
        break;
      }
      case ControlKind::Button: {
        const auto* button = qobject_cast<const QPushButton*>(control);
        right_kind = button != nullptr && button->text() == QString::fromUtf8(row.caption);
        break;
      }
      case ControlKind::TextBox:
      case ControlKind::ResultBox: {
        const auto* field = qobject_cast<const QLineEdit*>(control);
        right_kind =
            field != nullptr && field->isReadOnly() == (row.kind == ControlKind::ResultBox);
        break;
      }
      case ControlKind::ChoiceList:
        right_kind = qobject_cast<const QComboBox*>(control) != nullptr;
        break;
      case ControlKind::CheckBox:
        right_kind = qobject_cast<const QCheckBox*>(control) != nullptr;
        break;
      case ControlKind::Frame:
        right_kind = qobject_cast<const QFrame*>(control) != nullptr;
        break;
      case ControlKind::Picture:
        right_kind = qobject_cast<const PictureBox*>(control) != nullptr;
        break;
      case ControlKind::CodeBox:
        right_kind = qobject_cast<const QPlainTextEdit*>(control) != nullptr;
        break;
    }
    QVERIFY2(right_kind, row.name);
    QCOMPARE(control->focusPolicy() != Qt::NoFocus, row.tab != kNoTab);
  }
}

void LayoutTest::captionsAreNotClipped() {
  MainWindow window;
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  for (const ControlLayout& row : WindowControls()) {
    const QString caption = QString::fromUtf8(row.caption);
    if (caption.isEmpty()) continue;
    const QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(row.name));
    const QFontMetrics metrics(control->font());
    QRect room = control->contentsRect();
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
      QStyleOptionButton option;
      option.initFrom(button);
      room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    const QString what = QString("%1: %2 of %3 x %4 pixels")
                             .arg(row.name)
                             .arg(metrics.horizontalAdvance(caption))
                             .arg(room.width())
                             .arg(room.height());
    QVERIFY2(metrics.horizontalAdvance(caption) <= room.width(), qPrintable(what));
    QVERIFY2(metrics.ascent() + metrics.descent() <= room.height(), qPrintable(what));
  }
}

void LayoutTest::fontsAreTheInstalledSans() {
  const QFontInfo body(FontFor(FontRole::Body));
  QCOMPARE(body.family(), "Liberation Sans");
  QCOMPARE(body.pixelSize(), 10);
  const QFontInfo title(FontFor(FontRole::Title));
  QVERIFY(title.italic());
  QVERIFY(title.bold());
  QCOMPARE(title.pixelSize(), 24);
  QVERIFY(QFontInfo(FontFor(FontRole::ZoneHeading)).bold());
}

void LayoutTest::displayNamed_data() {
  QTest::addColumn<QByteArray>("display");
  QTest::addColumn<QByteArray>("wayland");
  QTest::addColumn<QByteArray>("platform");
  QTest::addColumn<bool>("named");
  const QByteArray unset;  // a null array stands for an unset variable
  QTest::newRow("nothing set") << unset << unset << unset << false;
  QTest::newRow("all empty") << QByteArray("") << QByteArray("") << QByteArray("") << false;
  QTest::newRow("X11") << QByteArray(":0") << unset << unset << true;
  QTest::newRow("Wayland") << unset << QByteArray("wayland-0") << unset << true;
  QTest::newRow("platform chosen") << unset << unset << QByteArray("offscreen") << true;
}

void LayoutTest::displayNamed() {
  QFETCH(QByteArray, display);
  QFETCH(QByteArray, wayland);
  QFETCH(QByteArray, platform);
  QFETCH(bool, named);
  const auto value = [](const QByteArray& a) { return a.isNull() ? nullptr : a.constData(); };
  QCOMPARE(DisplayNamed(value(display), value(wayland), value(platform)), named);
}

void LayoutTest::withoutDisplayTheProgramExplains() {
  QProcess program;
  QProcessEnvironment environment;  // empty: no display of any kind
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(TOOTHWRIGHT_PATH), QStringList());
  QVERIFY(program.waitForFinished(10000));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QVERIFY(program.exitCode() != 0);
  const QString hint = QString::fromUtf8(program.readAllStandardError());
  QVERIFY2(hint.contains("desktop session") && hint.contains("toothwright-cli"), qPrintable(hint));
}

}  // namespace toothwright

QTEST_MAIN(toothwright::LayoutTest)
#include "layout_test.moc"
