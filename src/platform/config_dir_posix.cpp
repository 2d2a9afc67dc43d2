#include <cstdlib>

#include "platform/config_dir.h"

namespace corvane::platform {

std::string Config_Dir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/Corvane";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/Corvane";
  return "";
}

}  // namespace corvane::platform
