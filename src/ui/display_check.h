// Whether the window can be opened at all, checked before the toolkit starts: without a
// display, or with one that does not answer, the toolkit would only abort with a message about
// its platform plugin. The check and its hint name the command-line program instead.
#pragma once

#include <QString>
#include <string>

namespace toothwright {

// The environment values that decide where the window opens; nullptr or "" means unset.
struct DisplayEnvironment {
  const char* display = nullptr;          // DISPLAY: an X server
  const char* wayland_display = nullptr;  // WAYLAND_DISPLAY: a compositor's socket, by name or path
  const char* runtime_dir = nullptr;      // XDG_RUNTIME_DIR: where a socket given by name lies
  const char* qpa_platform = nullptr;  // QT_QPA_PLATFORM: "name[:arguments]" entries split by ';'
};

// Connections that open and close at once; each says whether the server answered.
struct DisplayProbes {
  bool (*x_server)(const char* display);
  bool (*wayland)(const char* wayland_display, const char* runtime_dir);
};

// Opens a connection to the X server display with libxcb and closes it.
bool XServerAnswers(const char* display);
// Connects to the compositor's socket: wayland_display itself when it is an absolute path,
// else that name inside runtime_dir; false when runtime_dir is needed and unset.
bool WaylandAnswers(const char* wayland_display, const char* runtime_dir);

inline constexpr DisplayProbes kSystemDisplayProbes{XServerAnswers, WaylandAnswers};

enum class DisplayState {
  Opens,       // a named display answered, or a platform that needs none was chosen
  NoneNamed,   // neither DISPLAY, WAYLAND_DISPLAY nor QT_QPA_PLATFORM is set
  CannotOpen,  // something is named, but nothing the toolkit would use answered
};

// Where the window can open. A chosen platform other than "xcb" or "wayland" (offscreen, vnc,
// a frame buffer) is left to the toolkit; X and Wayland are probed only when they are named.
DisplayState CheckDisplay(const DisplayEnvironment& environment, const DisplayProbes& probes);

// What the program prints when the state is not Opens: the reason, then how to compute the
// sprocket without a window with cli_command. Ends in a line break.
std::string NoDisplayHint(DisplayState state, const DisplayEnvironment& environment,
                          const std::string& cli_command);

// How to start the command-line program from a shell: "toothwright-cli" when the program of
// that name found on PATH is the one in program_dir, or when program_dir has none; else its
// path in program_dir, in single quotes when the shell would split or expand it.
QString CliCommand(const QString& program_dir);

}  // namespace toothwright
