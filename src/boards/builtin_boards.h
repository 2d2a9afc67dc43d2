// The boards the program knows without being told (builtin.boards, compiled in), and the board
// the lines are driven by.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "state/board_description.h"
#include "state/working_state.h"

namespace corvane {

// brannock, tessel, tait, p16pro40, in that order.
const std::vector<std::shared_ptr<const BoardDescription>>& Builtin_Boards();
// The built-in board of that name (lower case), or null.
std::shared_ptr<const BoardDescription> Builtin_Board(std::string_view name);
const std::shared_ptr<const BoardDescription>& Brannock_Board();
const std::shared_ptr<const BoardDescription>& Tessel_Board();

// Which of the window's board kinds a description is: the Tessel board's kind for any board with
// its reset line (the "RESET PIC" button works on it), the Brannock one for the built-in
// Brannock board, kOtherBoard for every other.
BoardKind Kind_Of(const BoardDescription& board);

// The board the lines are driven by: the one discovery settled on, else the built-in board
// BoardVariant names.
const BoardDescription& Board_In_Use(const WorkingState& st);

}  // namespace corvane
