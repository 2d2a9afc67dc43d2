// The simulated chip's recorded violations as the window's logic takes them: those recorded since
// the last report, from whichever chip sits in the board's socket.
#pragma once

#include <cstddef>

#include "sim/board.h"
#include "state/violations.h"

namespace corvane::sim {

class BoardViolations final : public ViolationSource {
 public:
  explicit BoardViolations(const Board& board) : board_(board) {}
  ViolationReport Take_New() override;

 private:
  const Board& board_;
  const Chip* chip_ = nullptr;
  long reported_ = 0;  // of the chip's recorded and dropped violations
};

}  // namespace corvane::sim
