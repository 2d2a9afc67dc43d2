#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/file_replace.h"

namespace corvane::platform {
namespace {

constexpr int kMaxLinks = 40;       // as the kernel's own limit on a path's links
constexpr int kNameAttempts = 100;  // temporary names tried before giving up

std::string Reason(int error) {
  return std::strerror(error);
}

// The folder part of a path, with its final '/', or "" for the current folder.
std::string Folder_Of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Name_Of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names, symbolic links followed.
struct Target {
  std::string path;
  bool exists = false;
  struct stat info {};
};

bool Resolve(const std::string& path, Target* t, std::string* reason) {
  std::string p = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat info {};
    if (lstat(p.c_str(), &info) != 0) {
      if (errno != ENOENT) {
        *reason = Reason(errno);
        return false;
      }
      t->path = p;  // a new file (or a link that names a file still to be made)
      return true;
    }
    if (S_ISLNK(info.st_mode)) {
      std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
      const ssize_t n = readlink(p.c_str(), buffer.data(), buffer.size());
      if (n < 0) {
        *reason = Reason(errno);
        return false;
      }
      std::string link(buffer.data(), static_cast<std::size_t>(n));
      p = (!link.empty() && link.front() == '/') ? link : Folder_Of(p) + link;
      continue;
    }
    if (!S_ISREG(info.st_mode)) {
      *reason = "not a regular file";
      return false;
    }
    t->path = p;
    t->exists = true;
    t->info = info;
    return true;
  }
  *reason = Reason(ELOOP);
  return false;
}

// A name nobody else is likely to pick at the same moment: the process, a counter and the time.
std::string Temporary_Name(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%ld.%u.%llx.tmp", static_cast<long>(getpid()),
                counter.fetch_add(1), static_cast<unsigned long long>(now) & 0xFFFFFFu);
  return Folder_Of(target) + "." + Name_Of(target) + suffix;
}

bool Write_All(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file that will be replaced, and a new temporary file beside it, open for writing: -1 with
// the reason when either is refused.
int Open_Beside(const std::string& path, Target* target, std::string* temp, std::string* why) {
  if (!Resolve(path, target, why)) return -1;
  // A file the user may not write is not replaced behind their back.
  if (target->exists && access(target->path.c_str(), W_OK) != 0) {
    *why = Reason(errno);
    return -1;
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *temp = Temporary_Name(target->path);
    // O_EXCL and O_NOFOLLOW: never open a file or link that someone else put there.
    const int fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  *why = Reason(errno);
  return -1;
}

}  // namespace

bool Check_File_Replaceable(const std::string& path, std::string* reason) {
  Target target;
  std::string temp;
  std::string why;
  const int fd = Open_Beside(path, &target, &temp, &why);
  if (fd < 0) {
    if (reason != nullptr) *reason = why;
    return false;
  }
  close(fd);
  unlink(temp.c_str());
  return true;
}

bool Replace_File_Contents(const std::string& path, std::string_view data, std::string* reason) {
  std::string why;
  auto fail = [&](std::string text) {
    if (reason != nullptr) *reason = std::move(text);
    return false;
  };
  Target target;
  std::string temp;
  int fd = Open_Beside(path, &target, &temp, &why);
  if (fd < 0) return fail(why);

  auto abandon = [&](int error) {
    if (fd >= 0) close(fd);
    unlink(temp.c_str());
    return fail(Reason(error));
  };
  if (target.exists) {
    if (fchmod(fd, target.info.st_mode & 07777) != 0) return abandon(errno);
    // Keep the owner and group where the system lets us; a user's own file keeps them anyway.
    if (fchown(fd, target.info.st_uid, target.info.st_gid) != 0) {
      // Without them the set-id bits must not stay.
      if (fchmod(fd, target.info.st_mode & 0777) != 0) return abandon(errno);
    }
  }
  if (!Write_All(fd, data)) return abandon(errno);
  if (fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return abandon(errno);
  const int closed = close(fd);
  fd = -1;
  if (closed != 0) return abandon(errno);
  if (rename(temp.c_str(), target.path.c_str()) != 0) return abandon(errno);
  return true;
}

}  // namespace corvane::platform
