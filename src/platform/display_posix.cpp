#include <cstdlib>

#include "platform/display.h"

namespace corvane::platform {

std::string Display_Name() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "";
}

}  // namespace corvane::platform
