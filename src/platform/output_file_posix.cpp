#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/output_file.h"

namespace corvane::platform {

std::unique_ptr<OutputFile> OutputFile::Create(const std::string& name, const StopCheck& stop,
                                               bool* stopped, std::string* reason) {
  *stopped = false;
  // O_NONBLOCK: a FIFO without a reader refuses at once (ENXIO) instead of holding the open;
  // the reader is waited for here, answering a request to stop.
  int fd = -1;
  while ((fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666)) <
         0) {
    if (errno != ENXIO && errno != EINTR) {
      *reason = std::strerror(errno);
      return nullptr;
    }
    if (stop && stop()) {
      *stopped = true;
      return nullptr;
    }
    ::poll(nullptr, 0, 10);
  }
  // The writes themselves wait as they should for a slow reader.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return std::unique_ptr<OutputFile>(new OutputFile(fd));
}

OutputFile::~OutputFile() {
  ::close(static_cast<int>(handle_));
}

bool OutputFile::Write(std::string_view data, std::string* reason) {
  while (!data.empty()) {
    const ssize_t n = ::write(static_cast<int>(handle_), data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      *reason = std::strerror(errno);
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace corvane::platform
