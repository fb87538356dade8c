// toothwright-screenshot: renders the window after Go with chain "ANSI 40", 18 teeth, depth
// 0.125, feed 10 and the tool offset ticked into a PNG file, for the README.
// Runs without a desktop on the offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyleFactory>
#include <cstdio>

#include "ui/main_window.h"
#include "ui/qt_window_services.h"
#include "ui/window_layout.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitWriteFailed = 3;

template <typename Widget>
Widget* Control(const QWidget& window, const char* name) {
  return window.findChild<Widget*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: toothwright-screenshot OUTPUT.png\n", stderr);
    return kExitUsage;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(toothwright::kLayoutStyle)));
  // The picture shows the window as on a first run, whatever the last session left behind.
  toothwright::QtWindowServices services(nullptr, toothwright::PreferenceStore::Nowhere);
  toothwright::MainWindow window(&services);
  auto* chains = Control<QComboBox>(window, "Combo1");
  chains->setCurrentIndex(chains->findText("ANSI 40"));
  Control<QLineEdit>(window, "txtNumberofTeeth")->setText("18");
  Control<QLineEdit>(window, "txtCutDepth")->setText("0.125");
  Control<QLineEdit>(window, "txtFeedRate")->setText("10");
  Control<QCheckBox>(window, "Check1")->setChecked(true);
  window.show();
  Control<QPushButton>(window, "Command1")->click();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "toothwright-screenshot: could not write %s\n", argv[1]);
    return kExitWriteFailed;
  }
  return 0;
}
