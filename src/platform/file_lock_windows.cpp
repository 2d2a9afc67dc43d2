#include <windows.h>

#include "platform/file_lock.h"
#include "platform/files.h"

namespace corvane::platform {

namespace {

// The byte locked: far past any state file's end, so that the lock (which Windows enforces on
// the bytes it covers) never stands in the way of reading or replacing the file itself.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

class WindowsLock final : public FileLock {
 public:
  explicit WindowsLock(HANDLE file) : file_(file) {}
  ~WindowsLock() override { CloseHandle(file_); }  // closing releases the lock

 private:
  HANDLE file_;
};

bool Same_File(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  return GetFileInformationByHandle(a, &ia) && GetFileInformationByHandle(b, &ib) &&
         ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

}  // namespace

LockResult Lock_File(const std::string& name) {
  LockResult r;
  const std::filesystem::path path = File_Path(name);
  constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  for (int attempt = 0; attempt < 20; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, kShare, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      r.reason = System_Error_Text(static_cast<long>(error));
      r.in_use = r.reason == kInUse;
      return r;
    }
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    OVERLAPPED where{};
    where.OffsetHigh = kLockOffsetHigh;
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where)) {
      const DWORD error = GetLastError();
      CloseHandle(file);
      r.in_use = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING;
      r.reason = r.in_use ? std::string(kInUse) : System_Error_Text(static_cast<long>(error));
      return r;
    }
    // Still the file at that name? A run that just ended may have replaced it.
    HANDLE named = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShare, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool same = named != INVALID_HANDLE_VALUE && Same_File(file, named);
    if (named != INVALID_HANDLE_VALUE) CloseHandle(named);
    if (same) {
      r.lock = std::make_unique<WindowsLock>(file);
      r.created = created;
      return r;
    }
    CloseHandle(file);
  }
  r.reason = System_Error_Text(ERROR_SHARING_VIOLATION);
  return r;
}

}  // namespace corvane::platform
