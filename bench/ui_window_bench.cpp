// The window's own costs, on the offscreen platform unless another is chosen: a click on Go
// until every field and the picture are updated and painted, for 18 and 10000 teeth; the
// picture redrawn with the toolpath over it, at 120 teeth (within 50 ms); and building the
// window until it is shown and painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <utility>

#include "ui/main_window.h"
#include "ui/qt_window_services.h"

namespace {

template <typename Widget>
Widget* Control(const QWidget& window, const char* name) {
  return window.findChild<Widget*>(QString::fromLatin1(name));
}

// Lets the window handle its events until it is on the screen and painted.
void ShowAndPaint(QWidget& window) {
  window.show();
  while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
    QApplication::processEvents();
  }
  QApplication::processEvents();
}

void BM_GoToEverythingUpdated(benchmark::State& state) {
  // The window starts as on a first run, whatever the last session left in the settings.
  toothwright::QtWindowServices services(nullptr, toothwright::PreferenceStore::Nowhere);
  toothwright::MainWindow window(&services);
  auto* chains = Control<QComboBox>(window, "Combo1");
  chains->setCurrentIndex(chains->findText("ANSI 40"));
  Control<QLineEdit>(window, "txtNumberofTeeth")->setText(QString::number(state.range(0)));
  Control<QLineEdit>(window, "txtCutDepth")->setText("0.125");
  Control<QLineEdit>(window, "txtFeedRate")->setText("10");
  Control<QCheckBox>(window, "Check1")->setChecked(true);
  ShowAndPaint(window);
  auto* go = Control<QPushButton>(window, "Command1");
  for (auto _ : state) {
    go->click();
    QApplication::processEvents();  // the updated fields and picture are painted
  }
}
BENCHMARK(BM_GoToEverythingUpdated)->Arg(18)->Arg(10000)->Unit(benchmark::kMillisecond);

// The picture of a machined part (cutter path, passes, tabs) redrawn with "Show Toolpath"
// ticked, until painted: what the tick costs when it is set.
void BM_ShowToolpathRedraw(benchmark::State& state) {
  toothwright::QtWindowServices services(nullptr, toothwright::PreferenceStore::Nowhere);
  toothwright::MainWindow window(&services);
  auto* chains = Control<QComboBox>(window, "Combo1");
  chains->setCurrentIndex(chains->findText("ANSI 40"));
  for (const auto& [name, text] :
       {std::pair{"txtNumberofTeeth", "120"}, std::pair{"txtCutDepth", "0.25"},
        std::pair{"txtFeedRate", "10"}, std::pair{"txtToolDiameter", "0.125"},
        std::pair{"txtDepthPerPass", "0.1"}, std::pair{"txtTabs", "4"},
        std::pair{"txtTabWidth", "0.2"}, std::pair{"txtTabHeight", "0.05"}}) {
    Control<QLineEdit>(window, name)->setText(QString::fromLatin1(text));
  }
  ShowAndPaint(window);
  Control<QPushButton>(window, "Command1")->click();
  Control<QCheckBox>(window, "CheckShowToolpath")->setChecked(true);
  for (auto _ : state) {
    window.Results().CheckShowToolpath_Click();
    QApplication::processEvents();  // the picture is painted
  }
}
BENCHMARK(BM_ShowToolpathRedraw)->Unit(benchmark::kMillisecond);

void BM_StartUpToWindowShown(benchmark::State& state) {
  toothwright::QtWindowServices services(nullptr, toothwright::PreferenceStore::Nowhere);
  for (auto _ : state) {
    toothwright::MainWindow window(&services);
    ShowAndPaint(window);
  }
}
BENCHMARK(BM_StartUpToWindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
