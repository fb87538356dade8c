// The check reads the environment and tries the named servers with short connections of its
// own, so that the toolkit is started only where its platform plugin can connect.
#include "ui/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cstring>
#include <string_view>

namespace toothwright {
namespace {

constexpr const char* kCliName = "toothwright-cli";

bool Set(const char* value) {
  return value != nullptr && *value != '\0';
}

// The platform name of one QT_QPA_PLATFORM entry, without its ":arguments".
std::string_view PlatformName(std::string_view entry) {
  return entry.substr(0, entry.find(':'));
}

bool PlatformOpens(std::string_view name, const DisplayEnvironment& environment,
                   const DisplayProbes& probes) {
  if (name == "xcb") return Set(environment.display) && probes.x_server(environment.display);
  if (name == "wayland" || name == "wayland-egl") {
    return Set(environment.wayland_display) &&
           probes.wayland(environment.wayland_display, environment.runtime_dir);
  }
  // Offscreen, VNC, frame buffers and the like draw without a desktop, or fail in ways the
  // user chose; an empty entry names nothing.
  return !name.empty();
}

// The values that named a display, for the message: `DISPLAY=":99"` and the like.
std::string NamedValues(const DisplayEnvironment& environment) {
  std::string text;
  const auto add = [&text](const char* variable, const char* value) {
    if (!Set(value)) return;
    if (!text.empty()) text += ", ";
    text += std::string(variable) + "=\"" + value + '"';
  };
  add("DISPLAY", environment.display);
  add("WAYLAND_DISPLAY", environment.wayland_display);
  add("QT_QPA_PLATFORM", environment.qpa_platform);
  return text;
}

// A path the shell takes as one word as it stands; anything else is single-quoted.
QString ShellWord(const QString& path) {
  static const QRegularExpression kPlainWord("^[A-Za-z0-9_./+,:@%=-]+$");
  if (kPlainWord.match(path).hasMatch()) return path;
  QString quoted = path;
  quoted.replace("'", "'\\''");
  return "'" + quoted + "'";
}

}  // namespace

bool XServerAnswers(const char* display) {
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  // xcb_connect never returns null: a failed connection is an object in an error state.
  const bool answered = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answered;
}

bool WaylandAnswers(const char* wayland_display, const char* runtime_dir) {
  if (!Set(wayland_display)) return false;
  std::string path = wayland_display;
  if (path.front() != '/') {
    if (!Set(runtime_dir)) return false;
    path = std::string(runtime_dir) + '/' + path;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int socket_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_fd < 0) return false;
  const bool answered =
      ::connect(socket_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(socket_fd);
  return answered;
}

DisplayState CheckDisplay(const DisplayEnvironment& environment, const DisplayProbes& probes) {
  if (Set(environment.qpa_platform)) {
    // The toolkit tries the entries in turn and takes the first that starts.
    std::string_view entries = environment.qpa_platform;
    while (true) {
      const size_t end = entries.find(';');
      if (PlatformOpens(PlatformName(entries.substr(0, end)), environment, probes)) {
        return DisplayState::Opens;
      }
      if (end == std::string_view::npos) return DisplayState::CannotOpen;
      entries.remove_prefix(end + 1);
    }
  }
  if (!Set(environment.display) && !Set(environment.wayland_display)) {
    return DisplayState::NoneNamed;
  }
  // Without a chosen platform the toolkit takes Wayland or X, whichever the session offers.
  if (PlatformOpens("xcb", environment, probes) || PlatformOpens("wayland", environment, probes)) {
    return DisplayState::Opens;
  }
  return DisplayState::CannotOpen;
}

std::string NoDisplayHint(DisplayState state, const DisplayEnvironment& environment,
                          const std::string& cli_command) {
  const std::string reason =
      state == DisplayState::NoneNamed
          ? "no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)"
          : "the display cannot be opened (" + NamedValues(environment) + ")";
  return "toothwright: " + reason +
         ".\n"
         "Start it from a desktop session, or compute the same sprocket without a window, e.g.\n"
         "  " +
         cli_command + " --chain \"ANSI 40\" --teeth 18\n";
}

QString CliCommand(const QString& program_dir) {
  const QFileInfo beside(QDir(program_dir).filePath(QString::fromLatin1(kCliName)));
  if (!beside.isExecutable()) return QString::fromLatin1(kCliName);
  const QString on_path = QStandardPaths::findExecutable(QString::fromLatin1(kCliName));
  if (!on_path.isEmpty() && QFileInfo(on_path).canonicalFilePath() == beside.canonicalFilePath()) {
    return QString::fromLatin1(kCliName);
  }
  return ShellWord(beside.absoluteFilePath());
}

}  // namespace toothwright
