// Entry point of toothwright: checks for a display, then opens the window.
#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "ui/display_check.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace {

// Exit status when there is no display to open the window on.
constexpr int kExitNoDisplay = 1;

}  // namespace

int main(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  if (!toothwright::DisplayNamed(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                 std::getenv("QT_QPA_PLATFORM"))) {
    std::fputs(toothwright::kNoDisplayHint, stderr);
    return kExitNoDisplay;
  }
#endif
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(toothwright::kLayoutStyle)));
  toothwright::MainWindow window;
  window.show();
  return app.exec();
}
