// Entry point of toothwright: reads the options, checks for a display, then opens the window
// and, when given one, the design file.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "ui/display_check.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace {

// Exit status when there is no display to open the window on.
constexpr int kExitNoDisplay = 1;
// Exit status for an option or argument the program does not take.
constexpr int kExitUsage = 2;

void ReportUsageError(const QString& error) {
  std::fprintf(stderr, "toothwright: %s\nTry 'toothwright --help' for more information.\n",
               qPrintable(error));
}

}  // namespace

int main(int argc, char** argv) {
  QString cli_command;
  QString design_path;  // the design file to open, "" for none
  {
    // The options are read before any display is needed, so that --help and --version answer
    // anywhere; the window's application comes only after the display check.
    const QCoreApplication reading(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("toothwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOOTHWRIGHT_VERSION));
    cli_command = toothwright::CliCommand(QCoreApplication::applicationDirPath());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Designs a roller-chain sprocket in a window: its G-code program, its DXF "
                       "drawing and a preview.\nThe same computation without a window: %1")
            .arg(cli_command));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A design file (.toothwright) to open."),
                                 QStringLiteral("[file]"));
    const QStringList arguments = QCoreApplication::arguments();
    if (!parser.parse(arguments)) {
      ReportUsageError(parser.errorText());
      return kExitUsage;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
      ReportUsageError(QStringLiteral("unexpected argument '%1'").arg(files[1]));
      return kExitUsage;
    }
    if (!files.isEmpty()) design_path = files.front();
    // Prints the help or the version and exits when one was asked for.
    parser.process(arguments);
  }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  const toothwright::DisplayEnvironment environment{
      .display = std::getenv("DISPLAY"),
      .wayland_display = std::getenv("WAYLAND_DISPLAY"),
      .runtime_dir = std::getenv("XDG_RUNTIME_DIR"),
      .qpa_platform = std::getenv("QT_QPA_PLATFORM")};
  const toothwright::DisplayState state =
      toothwright::CheckDisplay(environment, toothwright::kSystemDisplayProbes);
  if (state != toothwright::DisplayState::Opens) {
    std::fputs(toothwright::NoDisplayHint(state, environment, cli_command.toStdString()).c_str(),
               stderr);
    return kExitNoDisplay;
  }
#endif
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(toothwright::kLayoutStyle)));
  toothwright::MainWindow window;
  window.show();
  // Once the window is up, so that a file that cannot be read has its message over it.
  if (!design_path.isEmpty()) {
    QTimer::singleShot(0, &window, [&window, design_path] { window.OpenDesign(design_path); });
  }
  return app.exec();
}
