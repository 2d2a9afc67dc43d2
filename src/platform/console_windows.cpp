#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/console.h"

namespace corvane::platform {

namespace {

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
constexpr DWORD ENABLE_VIRTUAL_TERMINAL_PROCESSING = 0x0004;
#endif

}  // namespace

void Prepare_Standard_Streams() {
  // Lines end with LF, as on Linux: the console shows them the same, and output redirected to a
  // file or a pipe is byte for byte the Linux program's.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

bool Stderr_Is_Terminal() {
  if (::_isatty(::_fileno(stderr)) == 0) return false;
  // The progress line redraws itself with "\r\033[K": only consoles that take terminal sequences
  // (Windows 10 and later) get it.
  HANDLE handle = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) return false;
  if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) return true;
  return ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

bool Is_Standard_Output(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION out{};
  HANDLE std_out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (std_out == INVALID_HANDLE_VALUE || std_out == nullptr ||
      !::GetFileInformationByHandle(std_out, &out)) {
    return false;  // a console or a pipe: no file that PATH could name
  }
  HANDLE named_handle = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (named_handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION named{};
  const bool known = ::GetFileInformationByHandle(named_handle, &named) != 0;
  ::CloseHandle(named_handle);
  return known && named.dwVolumeSerialNumber == out.dwVolumeSerialNumber &&
         named.nFileIndexHigh == out.nFileIndexHigh && named.nFileIndexLow == out.nFileIndexLow;
}

}  // namespace corvane::platform
