#include "image/line_reader.h"

namespace corvane {

bool LineReader::Next(std::string& line) {
  line.clear();
  // Nothing after an overlong line is read: the rest of it may never end (a device of zeros).
  if (overlong_) return false;
  char c = 0;
  if (!in_.get(c)) return false;
  ++line_number_;
  while (true) {
    if (c == '\n') return true;
    if (c == '\r') {
      if (in_.peek() == '\n') in_.get(c);
      return !in_.bad();
    }
    if (line.size() == kKeptLineLength) {
      overlong_ = true;
      return true;
    }
    line.push_back(c);
    if (!in_.get(c)) return !in_.bad();
  }
}

}  // namespace corvane
