#include <unistd.h>

#include "platform/console.h"

namespace corvane::platform {

void Prepare_Standard_Streams() {}

bool Stderr_Is_Terminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace corvane::platform
