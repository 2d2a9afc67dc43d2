#include <iostream>

#include "platform/input_line.h"

namespace corvane::platform {

// A console read ends when Ctrl+C or Ctrl+Break is pressed (the control handler then notes the
// request): the stop is seen right after it.
bool Read_Input_Line(std::string* line, const std::function<bool()>& stop) {
  line->clear();
  if (stop()) return false;
  const bool read = static_cast<bool>(std::getline(std::cin, *line));
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return read && !stop();
}

}  // namespace corvane::platform
