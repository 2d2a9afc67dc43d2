#include <windows.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/files.h"

namespace corvane::platform {

std::filesystem::path File_Path(const std::string& name) {
  if (name.empty()) return {};
  const int size = static_cast<int>(name.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
  if (wide <= 0) return std::filesystem::path(name);
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.data(), size, text.data(), wide);
  return std::filesystem::path(text);
}

std::string System_Error_Text(long code) {
  switch (code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return std::string(kInUse);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::strerror(ENOSPC);
    default:
      break;
  }
  const std::error_code error(static_cast<int>(code), std::system_category());
  const std::error_condition portable = error.default_error_condition();
  if (portable.category() == std::generic_category()) return portable.message();
  return error.message();
}

}  // namespace corvane::platform
