// The --board option shared by both programs: the machine's parallel ports or the simulated board.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "boards/board_library.h"
#include "hardware/parport_map.h"
#include "sim/chip.h"
#include "state/working_state.h"

namespace corvane {

// Failures the simulated board can rehearse, from the start of the run.
struct SimFaults {
  std::optional<int> stuck_data;  // fault=data-low (0) or data-high (1): the data line stuck
  long lost_after = -1;           // fault=lost:N: the board goes away after N port accesses
  std::vector<int> stuck_words;   // fault=stuck-word:ADDR (hex): a cell no write changes
};

struct SimSpec {
  BoardKind board = kBrannock;
  // The simulated board's wiring (board=NAME|FILE); null: the built-in board of that kind.
  std::shared_ptr<const BoardDescription> description;
  std::optional<sim::ChipKind> chip = sim::ChipKind::Pic16F84A;  // nullopt: empty socket
  // id=WORD: the chip answers with this identification word instead of its own (a chip of the
  // same silicon that the programmer's table may not know).
  std::optional<std::uint16_t> device_id;
  std::uint16_t port = kLpt1;
  bool virtual_time = true;
  std::string state_file;  // empty: none
  SimFaults faults;
  // The chip's own program makes RB6 and RB7 outputs and drives them while it runs.
  bool program_drives_lines = false;
};

struct BoardSpec {
  bool simulated = false;
  LptSpec lpt;
  SimSpec sim;
  // The board the program drives (WorkingState::BoardChoice): the one board=NAME|FILE names;
  // null when none is named, and on the simulated Brannock or Tessel board, which discovery tells
  // apart as on the machine's ports.
  std::shared_ptr<const BoardDescription> host_board;
};

// Reads "lpt[:lpt1=DEV,lpt2=DEV,board=NAME|FILE]" (DEV in this system's terms,
// hardware/system_port.h) or "sim[:key=value,...]"; false with a reason when malformed, or when
// the board named is unknown or its description wrong. A NAME is looked up in `library`; null:
// the built-in boards and the user's boards folder.
bool Parse_Board_Spec(std::string_view text, BoardSpec* out, std::string* error,
                      const BoardLibrary* library = nullptr);

}  // namespace corvane
