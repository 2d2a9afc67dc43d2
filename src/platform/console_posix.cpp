#include <sys/stat.h>
#include <unistd.h>

#include "platform/console.h"

namespace corvane::platform {

void Prepare_Standard_Streams() {}

bool Stderr_Is_Terminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

bool Is_Standard_Output(const std::string& path) {
  struct stat named {};
  struct stat out {};
  if (::stat(path.c_str(), &named) != 0 || ::fstat(STDOUT_FILENO, &out) != 0) return false;
  // A terminal or /dev/null mixes nothing that anyone keeps.
  if (S_ISCHR(out.st_mode)) return false;
  return named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

}  // namespace corvane::platform
