#include <cstring>

#include "platform/files.h"

namespace corvane::platform {

std::filesystem::path File_Path(const std::string& name) {
  return std::filesystem::path(name);
}

std::string System_Error_Text(long code) {
  return std::strerror(static_cast<int>(code));
}

}  // namespace corvane::platform
