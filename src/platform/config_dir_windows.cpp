#include <cstdlib>

#include "platform/config_dir.h"

namespace corvane::platform {

std::string Config_Dir() {
  const char* appdata = std::getenv("APPDATA");
  if (appdata != nullptr && appdata[0] != '\0') return std::string(appdata) + "\\Corvane";
  return "";
}

}  // namespace corvane::platform
