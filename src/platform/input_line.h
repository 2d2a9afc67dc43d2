// One line of the standard input, for a console program that asks its user something, read so
// that a request to stop is answered while it waits.
// Implementations: input_line_posix.cpp, input_line_windows.cpp (see README.md beside this file).
#pragma once

#include <functional>
#include <string>

namespace corvane::platform {

// Reads a line (without its line end) from the standard input. False at the end of the input,
// on an error, or as soon as `stop` returns true (asked every 100 ms while nothing comes).
bool Read_Input_Line(std::string* line, const std::function<bool()>& stop);

}  // namespace corvane::platform
