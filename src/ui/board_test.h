// The board test, for the first time on a real board: with no chip in the socket, one line at a
// time is set and the user is told what to measure on the socket; the program then reads the data
// line back with data out high and low, and the board's own loop-back when it has one; every line
// ends at rest (Vpp off, Vdd on, clock and data low) and a summary says what was confirmed and
// which lines did not follow. Each step is written to the log as it comes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hardware/lines.h"
#include "state/line_meter.h"
#include "state/panel.h"

namespace corvane {

// The user's answer to one measurement: it reads as said, it does not, or stop the test here.
enum class Answer { kYes, kNo, kStop };

struct BoardTestResult {
  int checks = 0;  // of the whole test
  int done = 0;    // answered or read
  int passed = 0;
  bool stopped = false;
  // The lines that did not follow ("data out (RB7)", "data in"), each once, in the test's order.
  std::vector<std::string> failed_lines;
  bool ok() const { return !stopped && passed == checks; }
  // "every line followed (10 checks)", "did not follow: data out (RB7), data in", "stopped after
  // 3 of 10 checks".
  std::string Verdict() const;
};

// Runs the test on the board the lines are driven by, on the port at `port` (PortBase must be it
// for the duration). Each measurement is answered by `meter` when there is one (the simulated
// board measures its own socket), else by `ask` with the prompt shown to the user.
BoardTestResult Run_Board_Test(Lines& lines, Panel& panel, std::uint16_t port, LineMeter* meter,
                               const std::function<Answer(std::string_view prompt)>& ask);

}  // namespace corvane
