// The working state shared by every command of the programmer: the memory image, what was read
// back from the chip, the port and board in use and the timing calibration. One instance per
// running program, passed by reference; nothing here is global.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "state/board_description.h"

namespace corvane {

class ChipTable;

// Highest index of the program image and read-back buffer (one past the largest chip memory).
inline constexpr int kProgramLast = 8192;
// Highest index of the EEPROM image (one past the largest data EEPROM).
inline constexpr int kEepromLast = 256;
// The blank (erased) 14-bit program word.
inline constexpr std::int32_t kBlankWord = 0x3FFF;
// The four user-ID locations 0x2000-0x2003, and the mark of an ID the loaded file does not give.
inline constexpr int kUserIdCount = 4;
inline constexpr std::int32_t kNoUserId = -1;

// Logical parallel ports: data register addresses; the status register is at +1.
inline constexpr std::uint16_t kLpt1 = 0x378;
inline constexpr std::uint16_t kLpt2 = 0x278;

// The board designs the window tells apart: the two original ones, and any other described board.
enum BoardKind : std::int16_t { kBrannock = 0, kTessel = 1, kOtherBoard = 2 };

// How the programmer paces the protocol: the system's units (normal, "Low Speed") or the
// datasheet figures with their margins (fast).
enum SpeedKind : std::int16_t { kNormalSpeed = 0, kLowSpeed = 1, kFastSpeed = 2 };

// DelayUnit at normal speed.
inline constexpr int kNormalDelayUnit = 2;

struct WorkingState {
  std::array<std::int32_t, kProgramLast + 1> ProgramImage{};
  std::array<std::int32_t, kEepromLast + 1> EepromImage{};
  std::array<std::int32_t, kProgramLast + 1> ReadBuffer{};
  std::int32_t ConfigWord = 0;
  // The second configuration word (CONFIG2 at 0x2008) of a chip that has one, the 16F87/88:
  // erased until a file or the user sets it; chips with one word leave it alone.
  std::int32_t ConfigWord2 = kBlankWord;
  // The user IDs the loaded file gives, kNoUserId for each it does not.
  std::array<std::int32_t, kUserIdCount> UserIdImage{kNoUserId, kNoUserId, kNoUserId, kNoUserId};
  // The user IDs as the last verify read them from the chip, kNoUserId for each it did not read.
  std::array<std::int32_t, kUserIdCount> UserIdRead{kNoUserId, kNoUserId, kNoUserId, kNoUserId};
  std::int32_t LastProgramAddress = 0;
  std::int32_t EepromCount = 0;

  std::int32_t DeviceConfigWord = 0;
  // CONFIG2 as last read from a chip that has one.
  std::int32_t DeviceConfigWord2 = 0;
  std::int32_t DeviceId = 0;
  // The chip identified last enters programming mode with MCLR at Vpp before Vdd (its family's
  // order): every entry then applies Vpp first and Vdd after it, on a board that switches Vdd.
  bool VppFirst = false;
  std::int16_t WriteError = 0;

  std::int32_t PortBase = 0;  // 0 = no board found
  std::int16_t PortFound = 0;
  std::int16_t BoardVariant = kBrannock;
  // The board the user chose (--board ...:board=NAME, the options dialog's Port page); null: the
  // Brannock or the Tessel board, told apart by discovery.
  std::shared_ptr<const BoardDescription> BoardChoice;
  // The board the lines are driven by, as discovery set it; null: the built-in board that
  // BoardVariant names (boards/builtin_boards.h, Board_In_Use).
  std::shared_ptr<const BoardDescription> Board;

  // The chips the run knows (the built-in table and the user's); null: the built-in table alone
  // (chips/chip_table.h, Chips_In_Use).
  std::shared_ptr<const ChipTable> Chips;

  std::int32_t LoopsPerSecond = 0;
  int DelayUnit = kNormalDelayUnit;  // 2 at normal speed, 30 with "Low Speed"
  SpeedKind Speed = kNormalSpeed;

  std::string OsVersionText;
};

}  // namespace corvane
