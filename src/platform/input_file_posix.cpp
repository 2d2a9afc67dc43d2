#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/input_file.h"

namespace corvane::platform {

namespace {
constexpr int kPollMs = 10;
}

std::unique_ptr<InputFile> InputFile::Open(const std::string& name, StopCheck stop,
                                           std::string* reason) {
  // O_NONBLOCK: a FIFO opens at once, before any writer comes; the reads then wait in poll.
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *reason = std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<InputFile>(new InputFile(fd, std::move(stop)));
}

InputFile::~InputFile() {
  ::close(static_cast<int>(handle_));
}

long InputFile::Fill() {
  const int fd = static_cast<int>(handle_);
  while (true) {
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, kPollMs);
    if (ready < 0 && errno != EINTR) {
      failure_ = std::strerror(errno);
      return 0;
    }
    // A FIFO that no writer has opened yet reports nothing (not even a hang-up): keep waiting,
    // as a blocking open would, but answer a request to stop.
    if (ready <= 0) {
      if (stop_ && stop_()) {
        stopped_ = true;
        return 0;
      }
      continue;
    }
    const ssize_t n = ::read(fd, buffer_, sizeof buffer_);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EAGAIN || errno == EINTR) continue;
    failure_ = std::strerror(errno);
    return 0;
  }
}

}  // namespace corvane::platform
