#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_lock.h"
#include "platform/files.h"

namespace corvane::platform {

namespace {

class FlockLock final : public FileLock {
 public:
  explicit FlockLock(int fd) : fd_(fd) {}
  ~FlockLock() override { ::close(fd_); }  // closing releases the lock

 private:
  int fd_;
};

}  // namespace

LockResult Lock_File(const std::string& name) {
  LockResult r;
  // A few rounds at most: another program may create, replace or remove the file meanwhile.
  for (int attempt = 0; attempt < 20; ++attempt) {
    bool created = false;
    // O_NONBLOCK: a FIFO put there is never waited on (it is refused afterwards).
    int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666);
      if (fd < 0 && errno == EEXIST) continue;
      created = fd >= 0;
    }
    if (fd < 0) {
      r.reason = std::strerror(errno);
      return r;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      r.in_use = error == EWOULDBLOCK;
      r.reason = r.in_use ? std::string(kInUse) : std::strerror(error);
      return r;
    }
    // Still the file at that name? A run that just ended may have replaced it.
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(name.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      r.lock = std::make_unique<FlockLock>(fd);
      r.created = created;
      return r;
    }
    ::close(fd);
  }
  r.reason = std::strerror(EAGAIN);
  return r;
}

}  // namespace corvane::platform
