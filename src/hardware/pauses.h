// Every wait of the programmer, one per place in the protocol, and how long it lasts at each speed.
//
// Normal and "Low Speed": the units the system defines for that place; a unit is DelayUnit Delay
// steps (0.2 ms at normal speed, 3 ms at low speed). Fast: the datasheet timing that the wait
// protects (fast_timings.h), or none when the lines' own spacing already covers it, or the normal
// length for the board's supply and reset circuits, which have no datasheet figure.
#pragma once

#include <array>
#include <string_view>

#include "hardware/fast_timings.h"

namespace corvane {

enum class Pause : int {
  kNone,  // no wait at all
  // Line operations.
  kVddOff,
  kVddOn,
  kVppSetup,
  kVppHold,
  kVppBeforeVdd,
  kVppOff,
  kResetLow,
  kClockSetup,
  kClockHigh,
  kClockLow,
  kProbe,
  kDetect,
  // Word transfers.
  kCommandBit,
  kCommandEnd,
  kEraseCycle,
  kDataStart,
  kDataEnd,
  kReadBit,
  // Block read.
  kReadBlockBefore,
  kReadBlockEntered,
  kReadBlockWord,
  kReadBlockIncrement,
  kReadBlockEnd,
  // Block write.
  kWriteBlockBefore,
  kWriteBlockEntered,
  kWriteBlockRead,
  kWriteBlockLoad,
  kWriteBlockData,
  kWriteBlockCycle,
  kWriteBlockProgramOnly,
  kWriteBlockIncrement,
  kWriteBlockEnd,
  // CHECK Device Id and the identification read shared by the fuse commands.
  kIdBefore,
  kIdEntered,
  kIdIncrement,
  kIdEnd,
  kFusesIdIncrement,
  kCheckFusesIdLoad,
  kCheckFusesIdRead,
  // PROGRAM Fuses.
  kProgFusesBefore,
  kProgFusesEntered,
  kProgFusesIncrement,
  kProgFusesData,
  kProgFusesCycle,
  kProgFusesEnd,
  // CHECK Device Fuses.
  kCheckFusesBefore,
  kCheckFusesEntered,
  kCheckFusesIncrement,
  kCheckFusesEnd,
  // PROGRAM EEPROM.
  kProgEepromBefore,
  kProgEepromEntered,
  kProgEepromRead,
  kProgEepromLoad,
  kProgEepromData,
  kProgEepromCycle,
  kProgEepromIncrement,
  kProgEepromEnd,
  // READ EEPROM.
  kReadEepromBefore,
  kReadEepromEntered,
  kReadEepromLoad,
  kReadEepromFirstRead,
  kReadEepromIncrement,
  kReadEepromEnd,
  // ERASE EEPROM.
  kEraseEepromBefore,
  kEraseEepromEntered,
  kEraseEepromData,
  kEraseEepromEnd,
  // ERASE Device.
  kEraseBefore,
  kEraseEntered,
  kEraseLoad,
  kEraseIncrement,
  kEraseEnd,
  // PROGRAM Device, between the EEPROM and the fuses.
  kProgramAfterEeprom,
  // Saving the chip: the configuration area and the data EEPROM.
  kSaveConfigBefore,
  kSaveConfigEntered,
  kSaveConfigRead,
  kSaveConfigIncrement,
  kSaveConfigEnd,
  kSaveEepromBefore,
  kSaveEepromEntered,
  kSaveEepromRead,
  kSaveEepromIncrement,
  kSaveEepromEnd,
  // User IDs: written after the program words, read back by the verify.
  kUserIdsWriteBefore,
  kUserIdsWriteEntered,
  kUserIdsWriteLoad,
  kUserIdsWriteIncrement,
  kUserIdsWriteEnd,
  kUserIdsReadBefore,
  kUserIdsReadEntered,
  kUserIdsReadLoad,
  kUserIdsRead,
  kUserIdsReadIncrement,
  kUserIdsReadEnd,
  kCount
};

struct PauseRow {
  Pause id;
  std::string_view where;
  int units;      // normal and low speed: units of DelayUnit steps
  Timing timing;  // fast speed
};

// The normal and low speed profile, and which fast timing each wait takes.
const std::array<PauseRow, static_cast<int>(Pause::kCount)>& Pause_Table();

inline const PauseRow& Pause_Row(Pause p) {
  return Pause_Table()[static_cast<int>(p)];
}

}  // namespace corvane
