#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/input_line.h"

namespace corvane::platform {

bool Read_Input_Line(std::string* line, const std::function<bool()>& stop) {
  line->clear();
  while (true) {
    if (stop()) return false;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = ::poll(&input, 1, 100);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    // Byte by byte from the descriptor itself: nothing is left in a buffer for the next read.
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return !line->empty();  // a last line without its line end still counts
    if (c == '\n') return true;
    *line += c;
  }
}

}  // namespace corvane::platform
