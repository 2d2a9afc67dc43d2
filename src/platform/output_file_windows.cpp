#include <windows.h>

#include "platform/files.h"
#include "platform/output_file.h"

namespace corvane::platform {

std::unique_ptr<OutputFile> OutputFile::Create(const std::string& name, const StopCheck&,
                                               bool* stopped, std::string* reason) {
  *stopped = false;
  HANDLE file = CreateFileW(File_Path(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = System_Error_Text(static_cast<long>(GetLastError()));
    return nullptr;
  }
  return std::unique_ptr<OutputFile>(new OutputFile(reinterpret_cast<std::intptr_t>(file)));
}

OutputFile::~OutputFile() {
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool OutputFile::Write(std::string_view data, std::string* reason) {
  while (!data.empty()) {
    const DWORD chunk = data.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(data.size());
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(handle_), data.data(), chunk, &written, nullptr)) {
      *reason = System_Error_Text(static_cast<long>(GetLastError()));
      return false;
    }
    data.remove_prefix(written);
  }
  return true;
}

}  // namespace corvane::platform
