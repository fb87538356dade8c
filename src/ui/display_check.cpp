// The check looks only at the environment; whether the named display answers is left to
// the toolkit.
#include "ui/display_check.h"

namespace toothwright {
namespace {

bool Set(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

bool DisplayNamed(const char* display, const char* wayland_display, const char* qpa_platform) {
  return Set(display) || Set(wayland_display) || Set(qpa_platform);
}

}  // namespace toothwright
