// The window as laid out: every control of the layout tables in place, of its kind, with its
// caption readable in full; the twip conversion; the program's options and the start-up check
// for a display.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "fake_window_services.h"
#include "output/preview.h"
#include "output/toolpath_style.h"
#include "ui/display_check.h"
#include "ui/main_window.h"
#include "ui/panel_layout.h"
#include "ui/picture_box.h"
#include "ui/window_layout.h"

namespace toothwright {
namespace {

// The rows of both tables, the More panel's last.
std::vector<ControlLayout> AllControls() {
  std::vector<ControlLayout> rows(WindowControls().begin(), WindowControls().end());
  const std::vector<ControlLayout> panel = MorePanelControls();
  rows.insert(rows.end(), panel.begin(), panel.end());
  return rows;
}

// Probes that answer for one name each.
bool XAnswers(const char* display) {
  return QByteArray(display) == ":0";
}
bool WaylandAnswersFor(const char* name, const char*) {
  return QByteArray(name) == "wayland-0";
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void twipsToPixels_data();
  void twipsToPixels();
  void everyControlIsPlacedAsTheTableSays();
  void controlsAreOfTheirKind();
  void captionsAreNotClipped();
  void pictureCaptionsFit();
  void fontsAreTheInstalledSans();
  void moreCaptionFitsWithTheLargestCount();
  void checkDisplay_data();
  void checkDisplay();
  void hintNamesWhatFailed();
  void cliCommand();
  void programWithoutDisplay_data();
  void programWithoutDisplay();
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
  FakeWindowServices services;
  MainWindow window(&services);
  QCOMPARE(WindowControls().size(), size_t{40});
  window.CmdMore_Click();  // open: the panel's controls lie inside the window too
  for (const ControlLayout& row : AllControls()) {
    const auto* control = window.findChild<QWidget*>(QString::fromStdString(row.name));
    QVERIFY2(control != nullptr, row.name.c_str());
    const QRect placed(control->mapTo(&window, QPoint(0, 0)), control->size());
    QCOMPARE(placed, TwipsToPixels(row.left, row.top, row.width, row.height));
    QVERIFY2(window.rect().contains(placed), row.name.c_str());
  }
  // The closed window keeps its controls; the panel's lie in the column right of it.
  for (const ControlLayout& row : WindowControls()) {
    QVERIFY2(row.left + row.width <= kClientWidthTwips, row.name.c_str());
  }
  for (const ControlLayout& row : MorePanelControls()) {
    QVERIFY2(row.left >= kClientWidthTwips &&
                 row.left + row.width <= kClientWidthTwips + kMorePanelWidthTwips,
             row.name.c_str());
  }
  // In the panel nothing lies over a control one works but a frame round it: it would hide
  // the control's clicks, or the control it. (The closed window keeps its captions as they
  // always stood.)
  const std::vector<ControlLayout> all = MorePanelControls();
  const auto passive = [](const ControlLayout& c) {
    return c.kind == ControlKind::Frame || c.kind == ControlKind::Label;
  };
  for (size_t a = 0; a < all.size(); ++a) {
    for (size_t b = a + 1; b < all.size(); ++b) {
      if (all[a].kind == ControlKind::Frame || all[b].kind == ControlKind::Frame ||
          (passive(all[a]) && passive(all[b]))) {
        continue;
      }
      const QRect first(all[a].left, all[a].top, all[a].width, all[a].height);
      const QRect second(all[b].left, all[b].top, all[b].width, all[b].height);
      QVERIFY2(!first.intersects(second), (all[a].name + " over " + all[b].name).c_str());
    }
  }
  QVERIFY(!FindControlLayout("CommonDialog1"));  // no visible part
  QVERIFY(!FindControlLayout("txtDXF"));         // never shown
  QVERIFY(!FindControlLayout("txtSVG"));
}

void LayoutTest::controlsAreOfTheirKind() {
  FakeWindowServices services;
  MainWindow window(&services);
  for (const ControlLayout& row : AllControls()) {
    const QWidget* control = window.findChild<QWidget*>(QString::fromStdString(row.name));
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
    QVERIFY2(right_kind, row.name.c_str());
    // Tab reaches exactly the controls with a place in the focus order.
    QCOMPARE((control->focusPolicy() & Qt::TabFocus) != 0, row.tab != kNoTab);
  }
}

void LayoutTest::captionsAreNotClipped() {
  FakeWindowServices services;
  MainWindow window(&services);
  window.CmdMore_Click();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  for (const ControlLayout& row : AllControls()) {
    const QString caption = QString::fromUtf8(row.caption);
    if (caption.isEmpty()) continue;
    const QWidget* control = window.findChild<QWidget*>(QString::fromStdString(row.name));
    const QFontMetrics metrics(control->font());
    QRect room = control->contentsRect();
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
      QStyleOptionButton option;
      option.initFrom(button);
      room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    const QString what = QString("%1: %2 of %3 x %4 pixels")
                             .arg(QString::fromStdString(row.name))
                             .arg(metrics.horizontalAdvance(caption))
                             .arg(room.width())
                             .arg(room.height());
    QVERIFY2(metrics.horizontalAdvance(caption) <= room.width(), qPrintable(what));
    QVERIFY2(metrics.ascent() + metrics.descent() <= room.height(), qPrintable(what));
  }
}

// The captions the picture's label takes in turn fit it as well as the layout's own.
void LayoutTest::pictureCaptionsFit() {
  FakeWindowServices services;
  MainWindow window(&services);
  const auto* label = window.findChild<QLabel*>("Label15");
  for (const char* caption : {kBoreCaption, kCompensationCaption}) {
    QVERIFY2(label->fontMetrics().horizontalAdvance(QString::fromUtf8(caption)) <=
                 label->contentsRect().width(),
             caption);
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

void LayoutTest::moreCaptionFitsWithTheLargestCount() {
  FakeWindowServices services;
  MainWindow window(&services);
  auto* more = window.findChild<QPushButton*>("CmdMore");
  for (auto* field : window.findChild<QWidget*>("MorePanel")->findChildren<QLineEdit*>()) {
    field->setText("1");
  }
  for (auto* tick : window.findChild<QWidget*>("MorePanel")->findChildren<QCheckBox*>()) {
    tick->setChecked(tick->objectName() != "CheckShowToolpath");
  }
  QCOMPARE(more->text(), QString::fromUtf8("More (36) \u25b8"));
  QStyleOptionButton option;
  option.initFrom(more);
  const QRect room = more->style()->subElementRect(QStyle::SE_PushButtonContents, &option, more);
  QVERIFY(QFontMetrics(more->font()).horizontalAdvance(more->text()) <= room.width());
}

void LayoutTest::checkDisplay_data() {
  QTest::addColumn<QByteArray>("display");
  QTest::addColumn<QByteArray>("wayland");
  QTest::addColumn<QByteArray>("platform");
  QTest::addColumn<int>("state");
  const QByteArray unset;  // a null array stands for an unset variable
  const int opens = static_cast<int>(DisplayState::Opens);
  const int none = static_cast<int>(DisplayState::NoneNamed);
  const int fails = static_cast<int>(DisplayState::CannotOpen);
  QTest::newRow("nothing set") << unset << unset << unset << none;
  QTest::newRow("all empty") << QByteArray("") << QByteArray("") << QByteArray("") << none;
  QTest::newRow("X answers") << QByteArray(":0") << unset << unset << opens;
  QTest::newRow("X silent") << QByteArray(":99") << unset << unset << fails;
  QTest::newRow("Wayland answers") << unset << QByteArray("wayland-0") << unset << opens;
  QTest::newRow("Wayland silent") << unset << QByteArray("wayland-9") << unset << fails;
  QTest::newRow("X silent, Wayland answers")
      << QByteArray(":99") << QByteArray("wayland-0") << unset << opens;
  QTest::newRow("offscreen chosen") << unset << unset << QByteArray("offscreen") << opens;
  QTest::newRow("xcb chosen, X silent")
      << QByteArray(":99") << QByteArray("wayland-0") << QByteArray("xcb") << fails;
  QTest::newRow("xcb chosen without DISPLAY") << unset << unset << QByteArray("xcb") << fails;
  QTest::newRow("fallback list") << QByteArray(":0") << unset << QByteArray("wayland;xcb") << opens;
  QTest::newRow("platform with arguments")
      << unset << unset << QByteArray("vnc:size=800x600") << opens;
  QTest::newRow("empty entries") << unset << unset << QByteArray(";") << fails;
}

void LayoutTest::checkDisplay() {
  QFETCH(QByteArray, display);
  QFETCH(QByteArray, wayland);
  QFETCH(QByteArray, platform);
  QFETCH(int, state);
  const auto value = [](const QByteArray& a) { return a.isNull() ? nullptr : a.constData(); };
  const DisplayEnvironment environment{.display = value(display),
                                       .wayland_display = value(wayland),
                                       .qpa_platform = value(platform)};
  QCOMPARE(static_cast<int>(CheckDisplay(environment, {XAnswers, WaylandAnswersFor})), state);
}

void LayoutTest::hintNamesWhatFailed() {
  const DisplayEnvironment environment{.display = ":99"};
  QCOMPARE(NoDisplayHint(DisplayState::CannotOpen, environment, "toothwright-cli"),
           "toothwright: the display cannot be opened (DISPLAY=\":99\").\n"
           "Start it from a desktop session, or compute the same sprocket without a window, e.g.\n"
           "  toothwright-cli --chain \"ANSI 40\" --teeth 18\n");
  QVERIFY(QString::fromStdString(NoDisplayHint(DisplayState::NoneNamed, {}, "x"))
              .startsWith("toothwright: no display to open the window on (DISPLAY and "));
  QVERIFY(!XServerAnswers(":99"));
  QVERIFY(!WaylandAnswers("wayland-99", "/nonexistent"));
  QVERIFY(!WaylandAnswers("wayland-0", nullptr));
}

void LayoutTest::cliCommand() {
  QTemporaryDir folder(QDir::tempPath() + "/with space XXXXXX");
  const QString beside = QDir(folder.path()).filePath("toothwright-cli");
  QFile program(beside);
  QVERIFY(program.open(QIODevice::WriteOnly));
  program.close();
  const QByteArray saved_path = qgetenv("PATH");
  qputenv("PATH", "/nonexistent");
  // Not executable yet: there is nothing to run beside the window's program.
  QCOMPARE(CliCommand(folder.path()), "toothwright-cli");
  QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
  QCOMPARE(CliCommand(folder.path()), "'" + beside + "'");
  qputenv("PATH", folder.path().toLocal8Bit());
  QCOMPARE(CliCommand(folder.path()), "toothwright-cli");
  qputenv("PATH", saved_path);
}

void LayoutTest::programWithoutDisplay_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("display");
  QTest::addColumn<int>("exit_code");
  QTest::addColumn<QString>("output");  // a part of standard output, then of standard error
  QTest::addColumn<QString>("error");
  QTest::newRow("--help") << QStringList{"--help"} << "" << 0 << "--version" << QString();
  QTest::newRow("--help names the design file")
      << QStringList{"--help"} << "" << 0 << "[file]" << QString();
  QTest::newRow("--version") << QStringList{"--version"} << "" << 0 << "toothwright 2.0"
                             << QString();
  QTest::newRow("no display") << QStringList{} << "" << 1 << QString()
                              << "are not set).\nStart it from a desktop session";
  QTest::newRow("display that does not answer")
      << QStringList{} << ":99" << 1 << QString()
      << "cannot be opened (DISPLAY=\":99\").\nStart it from a desktop session";
  QTest::newRow("unknown option") << QStringList{"--bogus"} << "" << 2 << QString()
                                  << "toothwright: Unknown option 'bogus'";
  QTest::newRow("a design file, display that does not answer")
      << QStringList{"part.toothwright"} << ":99" << 1 << QString()
      << "cannot be opened (DISPLAY=\":99\")";
  // One design file at most.
  QTest::newRow("two files") << QStringList{"a.toothwright", "b.toothwright"} << ":99" << 2
                             << QString() << "toothwright: unexpected argument 'b.toothwright'";
}

void LayoutTest::programWithoutDisplay() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, display);
  QFETCH(int, exit_code);
  QFETCH(QString, output);
  QFETCH(QString, error);
  QProcess program;
  QProcessEnvironment environment;  // nothing but the display, if any
  if (!display.isEmpty()) environment.insert("DISPLAY", display);
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(TOOTHWRIGHT_PATH), arguments);
  QVERIFY(program.waitForFinished(10000));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QCOMPARE(program.exitCode(), exit_code);
  const QString out = QString::fromUtf8(program.readAllStandardOutput());
  const QString err = QString::fromUtf8(program.readAllStandardError());
  QVERIFY2(out.contains(output), qPrintable(out));
  QVERIFY2(err.contains(error), qPrintable(err));
  // The hint names the command-line program where the build put it.
  if (exit_code == 1) QVERIFY2(err.contains(QFileInfo(TOOTHWRIGHT_PATH).path()), qPrintable(err));
}

}  // namespace toothwright

QTEST_MAIN(toothwright::LayoutTest)
#include "layout_test.moc"
