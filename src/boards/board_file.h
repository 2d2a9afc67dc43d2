// The boards' text format, one file at a time (src/boards/builtin.boards describes its keys and
// holds the built-in boards): sections "[name]" followed by "key = value" lines. Every problem is
// given with its line and reason; a board with a problem is left out, the others are kept.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "state/board_description.h"

namespace corvane {

struct BoardProblem {
  std::string origin;  // the file, or "built-in"
  int line = 0;        // 0: the file as a whole
  std::string reason;
  // "FILE:LINE: reason" ("FILE: reason" for the file as a whole)
  std::string Text() const;
};

struct BoardFile {
  std::vector<std::shared_ptr<const BoardDescription>> boards;  // in the file's order
  std::vector<BoardProblem> problems;
  // The problems as lines of text, one per problem.
  std::string Problems_Text() const;
};

// Reads one file's text; origin names it in the problems and in each board it describes.
BoardFile Parse_Board_Text(std::string_view text, const std::string& origin);

// The pin names a description may use, for messages.
inline constexpr std::string_view kPinNames =
    "D0-D7, STROBE, AUTOFD, INIT, SELECT-IN, ERROR, SELECT, PAPER-OUT, ACK, BUSY, pin1-pin17, "
    "C0-C3, S3-S7";

}  // namespace corvane
