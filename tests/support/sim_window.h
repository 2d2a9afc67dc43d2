// The window's logic on a simulated board and chip in virtual time, with every port access
// recorded: the harness of the end-to-end tests.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "boards/builtin_boards.h"
#include "hardware/clock.h"
#include "hardware/lines.h"
#include "hardware/trace.h"
#include "sim/board.h"
#include "sim/board_meter.h"
#include "sim/chip.h"
#include "support/recording_view.h"
#include "ui/panneau.h"

namespace corvane::testing {

struct SimSetup {
  BoardKind board = kBrannock;
  bool with_chip = true;
  sim::ChipKind chip = sim::ChipKind::Pic16F84A;
  std::uint16_t base = kLpt1;
  // A described board instead of `board`: simulated so, and chosen in the window.
  std::shared_ptr<const BoardDescription> described = nullptr;
};

class SimWindow {
 public:
  explicit SimWindow(SimSetup setup = {})
      : chip(setup.chip),
        board(setup.described ? setup.described : Builtin_Of(setup.board), clock, setup.base),
        traced(board, clock, trace),
        lines(traced, clock, st),
        win(st, lines, view) {
    if (setup.with_chip) board.insert(&chip);
    st.BoardChoice = setup.described;
  }
  // Start-up as the program does it.
  SimWindow& Start() {
    win.Form_Load();
    return *this;
  }
  // File Open with the file chosen.
  bool Load(const std::string& path) {
    view.files.push_back(path);
    return win.Click(Ctl::Btn_Load_File);
  }
  // The log gained since the mark, then moves the mark.
  std::string New_Log() {
    std::string s = win.log().substr(log_mark_);
    log_mark_ = win.log().size();
    return s;
  }
  static std::shared_ptr<const BoardDescription> Builtin_Of(BoardKind kind) {
    return kind == kTessel ? Tessel_Board() : Brannock_Board();
  }
  std::size_t Writes_Since(std::size_t mark) const {
    std::size_t n = 0;
    for (std::size_t i = mark; i < trace.accesses.size(); ++i) n += trace.accesses[i].write;
    return n;
  }

  VirtualClock clock;
  WorkingState st;
  sim::Chip chip;
  sim::Board board;
  TraceRecorder trace;
  TracingPort traced;
  Lines lines;
  RecordingView view;
  Panneau win;

 private:
  std::size_t log_mark_ = 0;
};

// Writes a text file under the test's temporary directory and returns its path.
inline std::string Write_Temp_File(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace corvane::testing
