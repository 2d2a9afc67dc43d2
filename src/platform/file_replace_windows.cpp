#include <windows.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/file_replace.h"
#include "platform/files.h"

namespace corvane::platform {
namespace {

namespace fs = std::filesystem;

// The system's words for an error (files.h): the C library's where the error has a portable
// meaning ("No such file or directory", "Permission denied"), as the other systems say it.
std::string Reason(DWORD error) {
  return System_Error_Text(static_cast<long>(error));
}

std::string Reason(const std::error_code& code) {
  if (code.category() == std::system_category()) return Reason(static_cast<DWORD>(code.value()));
  const std::error_condition portable = code.default_error_condition();
  return portable.category() == std::generic_category() ? portable.message() : code.message();
}

// A name nobody else is likely to pick at the same moment: the process, a counter and the time.
fs::path Temporary_Name(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%lu.%u.%lx.tmp",
                static_cast<unsigned long>(GetCurrentProcessId()), counter.fetch_add(1),
                static_cast<unsigned long>(GetTickCount() & 0xFFFFFFu));
  fs::path name = target.filename();
  name += suffix;
  fs::path hidden(L".");
  hidden += name;  // wide throughout: a name outside Latin-1 stays whole
  return target.parent_path() / hidden;
}

bool Write_All(HANDLE file, std::string_view data) {
  while (!data.empty()) {
    const DWORD chunk = data.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(data.size());
    DWORD written = 0;
    if (!WriteFile(file, data.data(), chunk, &written, nullptr)) return false;
    data.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool Replace_File_Contents(const std::string& path, std::string_view data, std::string* reason) {
  auto fail = [&](std::string text) {
    if (reason != nullptr) *reason = std::move(text);
    return false;
  };
  // Arguments arrive in the ANSI code page. ReplaceFileW wants a full path: a bare name fails
  // under some systems ("Not a directory").
  std::error_code ec;
  fs::path target = fs::absolute(File_Path(path), ec);
  if (ec) return fail(Reason(ec));
  fs::file_status status = fs::symlink_status(target, ec);
  if (!ec && fs::is_symlink(status)) {
    // A link is followed to the file it names, which is replaced; the link stays.
    target = fs::weakly_canonical(target, ec);
    if (ec) return fail(Reason(ec));
    status = fs::symlink_status(target, ec);
  }
  const bool exists = !ec && fs::exists(status);
  if (ec && ec != std::errc::no_such_file_or_directory) return fail(Reason(ec));
  if (exists && !fs::is_regular_file(status)) return fail("not a regular file");
  if (exists) {
    // A file the user may not write is not replaced behind their back.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      return fail(Reason(ERROR_ACCESS_DENIED));
    }
  }

  fs::path temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = Temporary_Name(target);
    // CREATE_NEW: never open a file that someone else put there.
    file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
      return fail(Reason(GetLastError()));
    }
  }
  if (file == INVALID_HANDLE_VALUE) return fail(Reason(ERROR_FILE_EXISTS));

  auto abandon = [&](DWORD error) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DeleteFileW(temp.c_str());
    return fail(Reason(error));
  };
  if (!Write_All(file, data)) return abandon(GetLastError());
  if (!FlushFileBuffers(file)) return abandon(GetLastError());
  const BOOL closed = CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
  if (!closed) return abandon(GetLastError());
  // ReplaceFile keeps the target's attributes and permissions; a new file takes the folder's.
  const BOOL moved = exists ? ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                            : MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!moved) return abandon(GetLastError());
  return true;
}

}  // namespace corvane::platform
