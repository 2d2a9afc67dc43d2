#include "hardware/pauses.h"

namespace corvane {

namespace {

using P = Pause;
using T = Timing;

constexpr std::array<PauseRow, static_cast<int>(Pause::kCount)> kPauses = {{
    {P::kNone, "no wait", 0, T::kNone},
    {P::kVddOff, "Vdd_Off (Brannock), after the line change", 25, T::kBoard},
    {P::kVddOn, "Vdd_On (Brannock), after the line change", 1, T::kBoard},
    {P::kVppSetup, "Vpp_On (Brannock), data and clock low before Vpp", 1, T::kVppSetup},
    {P::kVppHold, "Vpp_On, after Vpp is applied", 250, T::kVppHold},
    {P::kVppBeforeVdd, "Vpp_On, a chip entered Vpp first: MCLR at Vpp before Vdd", 1, T::kVppHold},
    {P::kVppOff, "Vpp_Off (Brannock), after Vpp is removed", 1, T::kNone},
    {P::kResetLow, "Reset_Pulse, between its two writes", 100, T::kBoard},
    {P::kClockSetup, "Clock_Pulse, before the rising edge", 1, T::kNone},
    {P::kClockHigh, "Clock_Pulse, clock high", 2, T::kTset1},
    {P::kClockLow, "Clock_Pulse, clock low", 2, T::kThld1},
    {P::kProbe, "Probe_Port, after each test byte", 15, T::kBoard},
    {P::kDetect, "Detect_Board, after each test byte", 15, T::kBoard},
    {P::kCommandBit, "Send_Command, after each bit", 1, T::kNone},
    {P::kCommandEnd, "Send_Command, after the last bit", 10, T::kTdly},
    {P::kEraseCycle, "erase cycle, while the chip erases", 1000, T::kBulkErase},
    {P::kDataStart, "Send_Data, after the start-bit level", 5, T::kTdly},
    {P::kDataEnd, "Send_Data, after the stop bit", 10, T::kTdly},
    {P::kReadBit, "Read_Data, after each sampled bit", 1, T::kTdly},
    {P::kReadBlockBefore, "Read_Block, before Vpp_On", 5, T::kNone},
    {P::kReadBlockEntered, "Read_Block, after Vpp_On", 100, T::kNone},
    {P::kReadBlockWord, "Read_Block, after each word read", 1, T::kNone},
    {P::kReadBlockIncrement, "Read_Block, after each address increment", 1, T::kNone},
    {P::kReadBlockEnd, "Read_Block, at the end", 1, T::kNone},
    {P::kWriteBlockBefore, "Write_Block, before Vpp_On", 100, T::kNone},
    {P::kWriteBlockEntered, "Write_Block, after Vpp_On", 200, T::kNone},
    {P::kWriteBlockRead, "Write_Block, after each read", 20, T::kNone},
    {P::kWriteBlockLoad, "Write_Block, after the load command", 10, T::kNone},
    {P::kWriteBlockData, "Write_Block, after the data word", 100, T::kNone},
    {P::kWriteBlockCycle, "Write_Block, after Begin Programming", 1500, T::kProgramCycle},
    {P::kWriteBlockProgramOnly, "Write_Block, after Begin Programming Only (fast speed)", 1500,
     T::kProgramOnlyCycle},
    {P::kWriteBlockIncrement, "Write_Block, after each address increment", 100, T::kNone},
    {P::kWriteBlockEnd, "Write_Block, at the end", 5, T::kNone},
    {P::kIdBefore, "CHECK Device Id, before Vpp_On", 10, T::kNone},
    {P::kIdEntered, "CHECK Device Id, after Vpp_On", 100, T::kNone},
    {P::kIdIncrement, "CHECK Device Id, after each address increment", 10, T::kNone},
    {P::kIdEnd, "CHECK Device Id, at the end", 1, T::kNone},
    {P::kFusesIdIncrement, "fuse commands' identification, after each increment", 5, T::kNone},
    {P::kCheckFusesIdLoad, "CHECK Device Fuses' identification, after the load", 5, T::kNone},
    {P::kCheckFusesIdRead, "CHECK Device Fuses' identification, after the read", 50, T::kNone},
    {P::kProgFusesBefore, "PROGRAM Fuses, before Vpp_On", 10, T::kNone},
    {P::kProgFusesEntered, "PROGRAM Fuses, after Vpp_On", 10, T::kNone},
    {P::kProgFusesIncrement, "PROGRAM Fuses, after the increment to 0x2007", 10, T::kNone},
    {P::kProgFusesData, "PROGRAM Fuses, after the data word", 10, T::kNone},
    {P::kProgFusesCycle, "PROGRAM Fuses, after Begin Programming", 1000, T::kProgramCycle},
    {P::kProgFusesEnd, "PROGRAM Fuses, at the end", 100, T::kNone},
    {P::kCheckFusesBefore, "CHECK Device Fuses, before Vpp_On", 50, T::kNone},
    {P::kCheckFusesEntered, "CHECK Device Fuses, after Vpp_On", 50, T::kNone},
    {P::kCheckFusesIncrement, "CHECK Device Fuses, after the increment to 0x2007", 50, T::kNone},
    {P::kCheckFusesEnd, "CHECK Device Fuses, at the end", 1, T::kNone},
    {P::kProgEepromBefore, "PROGRAM EEPROM, before Vpp_On", 10, T::kNone},
    {P::kProgEepromEntered, "PROGRAM EEPROM, after Vpp_On", 10, T::kNone},
    {P::kProgEepromRead, "PROGRAM EEPROM, after each read", 10, T::kNone},
    {P::kProgEepromLoad, "PROGRAM EEPROM, after the load command", 10, T::kNone},
    {P::kProgEepromData, "PROGRAM EEPROM, after the data byte", 100, T::kNone},
    {P::kProgEepromCycle, "PROGRAM EEPROM, after Begin Programming", 1500, T::kEepromCycle},
    {P::kProgEepromIncrement, "PROGRAM EEPROM, after each address increment", 100, T::kNone},
    {P::kProgEepromEnd, "PROGRAM EEPROM, at the end", 100, T::kNone},
    {P::kReadEepromBefore, "READ EEPROM, before Vpp_On", 100, T::kNone},
    {P::kReadEepromEntered, "READ EEPROM, after Vpp_On", 100, T::kNone},
    {P::kReadEepromLoad, "READ EEPROM, after the load command", 10, T::kNone},
    {P::kReadEepromFirstRead, "READ EEPROM, after the first read", 10, T::kNone},
    {P::kReadEepromIncrement, "READ EEPROM, after each address increment", 100, T::kNone},
    {P::kReadEepromEnd, "READ EEPROM, at the end", 100, T::kNone},
    {P::kEraseEepromBefore, "ERASE EEPROM, before Vpp_On", 100, T::kNone},
    {P::kEraseEepromEntered, "ERASE EEPROM, after Vpp_On", 1000, T::kNone},
    {P::kEraseEepromData, "ERASE EEPROM, after the data word", 100, T::kNone},
    {P::kEraseEepromEnd, "ERASE EEPROM, at the end", 5, T::kNone},
    {P::kEraseBefore, "ERASE Device, before Vpp_On", 100, T::kNone},
    {P::kEraseEntered, "ERASE Device, after Vpp_On", 100, T::kNone},
    {P::kEraseLoad, "ERASE Device, after the Load Configuration word", 10, T::kNone},
    {P::kEraseIncrement, "ERASE Device, after each address increment", 10, T::kNone},
    {P::kEraseEnd, "ERASE Device, at the end", 100, T::kNone},
    {P::kProgramAfterEeprom, "PROGRAM Device, after the EEPROM data", 10, T::kNone},
    {P::kSaveConfigBefore, "save, configuration area, before Vpp_On", 10, T::kNone},
    {P::kSaveConfigEntered, "save, configuration area, after Vpp_On", 100, T::kNone},
    {P::kSaveConfigRead, "save, configuration area, after each read", 1, T::kNone},
    {P::kSaveConfigIncrement, "save, configuration area, after each increment", 1, T::kNone},
    {P::kSaveConfigEnd, "save, configuration area, at the end", 1, T::kNone},
    {P::kSaveEepromBefore, "save, data EEPROM, before Vpp_On", 5, T::kNone},
    {P::kSaveEepromEntered, "save, data EEPROM, after Vpp_On", 100, T::kNone},
    {P::kSaveEepromRead, "save, data EEPROM, after each read", 1, T::kNone},
    {P::kSaveEepromIncrement, "save, data EEPROM, after each increment", 1, T::kNone},
    {P::kSaveEepromEnd, "save, data EEPROM, at the end", 1, T::kNone},
    {P::kUserIdsWriteBefore, "user ID write, before Vpp_On", 100, T::kNone},
    {P::kUserIdsWriteEntered, "user ID write, after Vpp_On", 200, T::kNone},
    {P::kUserIdsWriteLoad, "user ID write, after the Load Configuration word", 1, T::kNone},
    {P::kUserIdsWriteIncrement, "user ID write, after each address increment", 100, T::kNone},
    {P::kUserIdsWriteEnd, "user ID write, at the end", 5, T::kNone},
    {P::kUserIdsReadBefore, "user ID read, before Vpp_On", 5, T::kNone},
    {P::kUserIdsReadEntered, "user ID read, after Vpp_On", 10, T::kNone},
    {P::kUserIdsReadLoad, "user ID read, after the Load Configuration word", 1, T::kNone},
    {P::kUserIdsRead, "user ID read, after each read", 1, T::kNone},
    {P::kUserIdsReadIncrement, "user ID read, after each address increment", 1, T::kNone},
    {P::kUserIdsReadEnd, "user ID read, at the end", 5, T::kNone},
}};

constexpr bool In_Order() {
  for (std::size_t i = 0; i < kPauses.size(); ++i) {
    if (static_cast<std::size_t>(kPauses[i].id) != i) return false;
  }
  return true;
}
static_assert(In_Order(), "the pause table lists every pause once, in the enum's order");

}  // namespace

const std::array<PauseRow, static_cast<int>(Pause::kCount)>& Pause_Table() {
  return kPauses;
}

}  // namespace corvane
