#include <windows.h>

#include "platform/files.h"
#include "platform/input_file.h"

namespace corvane::platform {

std::unique_ptr<InputFile> InputFile::Open(const std::string& name, StopCheck stop,
                                           std::string* reason) {
  HANDLE file =
      CreateFileW(File_Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = System_Error_Text(static_cast<long>(GetLastError()));
    return nullptr;
  }
  return std::unique_ptr<InputFile>(
      new InputFile(reinterpret_cast<std::intptr_t>(file), std::move(stop)));
}

InputFile::~InputFile() {
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

long InputFile::Fill() {
  DWORD n = 0;
  if (ReadFile(reinterpret_cast<HANDLE>(handle_), buffer_, sizeof buffer_, &n, nullptr)) {
    return static_cast<long>(n);
  }
  const DWORD error = GetLastError();
  if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF) {
    failure_ = System_Error_Text(static_cast<long>(error));
  }
  return 0;
}

}  // namespace corvane::platform
