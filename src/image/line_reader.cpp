#include "image/line_reader.h"

namespace corvane {

bool LineReader::Next(std::string& line) {
  line.clear();
  overlong_ = false;
  char c = 0;
  if (!in_.get(c)) return false;
  ++line_number_;
  while (true) {
    if (c == '\n') return true;
    if (c == '\r') {
      if (in_.peek() == '\n') in_.get(c);
      return !in_.bad();
    }
    if (line.size() < kKeptLineLength) {
      line.push_back(c);
    } else {
      overlong_ = true;
    }
    if (!in_.get(c)) return !in_.bad();
  }
}

}  // namespace corvane
