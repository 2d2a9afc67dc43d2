#include "boards/builtin_boards.h"

#include <stdexcept>

#include "boards/board_file.h"

namespace corvane {

extern const char kBuiltinBoardsText[];

const std::vector<std::shared_ptr<const BoardDescription>>& Builtin_Boards() {
  static const std::vector<std::shared_ptr<const BoardDescription>> boards = [] {
    BoardFile file = Parse_Board_Text(kBuiltinBoardsText, "built-in");
    // The text is part of the program: a mistake in it is the program's own.
    if (!file.problems.empty()) throw std::logic_error(file.Problems_Text());
    return file.boards;
  }();
  return boards;
}

std::shared_ptr<const BoardDescription> Builtin_Board(std::string_view name) {
  for (const auto& b : Builtin_Boards()) {
    if (b->name == name) return b;
  }
  return nullptr;
}

const std::shared_ptr<const BoardDescription>& Brannock_Board() {
  static const std::shared_ptr<const BoardDescription> board = Builtin_Board("brannock");
  return board;
}

const std::shared_ptr<const BoardDescription>& Tessel_Board() {
  static const std::shared_ptr<const BoardDescription> board = Builtin_Board("tessel");
  return board;
}

BoardKind Kind_Of(const BoardDescription& board) {
  if (board.has(kByteReset)) return kTessel;
  if (&board == Brannock_Board().get()) return kBrannock;
  return kOtherBoard;
}

const BoardDescription& Board_In_Use(const WorkingState& st) {
  if (st.Board) return *st.Board;
  return st.BoardVariant == kTessel ? *Tessel_Board() : *Brannock_Board();
}

}  // namespace corvane
