#include "protocol/block.h"

#include "chips/chip_table.h"
#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

namespace {

// A word that still differs after its write: programming mode is left first (with Vpp still
// applied the chip's address counter would stay where it stopped for whatever comes next), then
// the message box names it and WriteError is set.
void Word_Not_Written(Context& ctx, int address, std::int32_t read, std::int32_t wanted) {
  ctx.lines.Vpp_Off();
  ctx.lines.Vdd_On();
  ctx.panel.Message_Box("Error at @ : " + Hex(address) + " Read :" + Hex(read) +
                        " instead of :" + Hex(wanted));
  ctx.st.WriteError = 1;
}

}  // namespace

void Read_Block(Context& ctx, int n) {
  if (n > kMaxBlockWords) return;
  Lines& l = ctx.lines;
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Vpp_Off();
  l.Wait(Pause::kReadBlockBefore);
  l.Vpp_On();
  l.Wait(Pause::kReadBlockEntered);
  for (int a = 0; a < n; ++a) {
    std::int32_t w = 0;
    Send_Command(l, kReadDataProgram);
    Read_Data(l, w);
    l.Wait(Pause::kReadBlockWord);
    ctx.st.ReadBuffer[a] = w;
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kReadBlockIncrement);
    ctx.panel.Set_Status("Status", "Reading Data : " + Hex(w));
    ctx.panel.Progress(a + 1, n);
  }
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "End of Reading ");
  l.Wait(Pause::kReadBlockEnd);
}

bool Write_Word(Context& ctx, int address, std::int32_t wanted, std::int32_t& read_back) {
  Lines& l = ctx.lines;
  Send_Command(l, kReadDataProgram);
  Read_Data(l, read_back);
  l.Wait(Pause::kWriteBlockRead);
  if (read_back == wanted) return true;
  Send_Command(l, kLoadDataProgram);
  l.Wait(Pause::kWriteBlockLoad);
  Send_Data(l, wanted);
  l.Wait(Pause::kWriteBlockData);
  Send_Command(l, kBeginProgramming);
  l.Wait(Pause::kWriteBlockCycle);
  Send_Command(l, kReadDataProgram);
  Read_Data(l, read_back);
  if (read_back == wanted) return true;
  Word_Not_Written(ctx, address, read_back, wanted);
  return false;
}

namespace {

// At the fast speed on a chip that has Begin Programming Only (24): program memory erased in bulk,
// then each word that is not blank loaded, programmed without an erase and read back.
bool Programs_Erased_Words(const WorkingState& st) {
  if (st.Speed != kFastSpeed) return false;
  const ChipEntry* chip = Chips_In_Use(st).Find_Id(st.DeviceId);
  return chip != nullptr && chip->family == ChipFamily::k84A87x;
}

void Write_Erased_Block(Context& ctx, int n) {
  WorkingState& st = ctx.st;
  Lines& l = ctx.lines;
  Send_Command(l, kLoadDataProgram);
  Send_Data(l, 0x3FFF);
  l.Wait(Pause::kWriteBlockData);
  Erase_Cycle(l);  // at a program address: program memory alone
  for (int a = 0; a < n; ++a) {
    const std::int32_t wanted = st.ProgramImage[a];
    st.ReadBuffer[a] = 0x3FFF;
    if (wanted != 0x3FFF) {
      Send_Command(l, kLoadDataProgram);
      l.Wait(Pause::kWriteBlockLoad);
      Send_Data(l, wanted);
      l.Wait(Pause::kWriteBlockData);
      Send_Command(l, kBeginProgrammingOnly);
      l.Wait(Pause::kWriteBlockProgramOnly);
      Send_Command(l, kReadDataProgram);
      Read_Data(l, st.ReadBuffer[a]);
      if (st.ReadBuffer[a] != wanted) {
        Word_Not_Written(ctx, a, st.ReadBuffer[a], wanted);
        return;
      }
    }
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kWriteBlockIncrement);
    ctx.panel.Progress(a + 1, n);
  }
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "End of Writing");
  l.Wait(Pause::kWriteBlockEnd);
}

}  // namespace

void Write_Block(Context& ctx, int n) {
  WorkingState& st = ctx.st;
  st.WriteError = 0;
  if (n > kMaxBlockWords) {
    st.WriteError = 1;
    return;
  }
  Lines& l = ctx.lines;
  ctx.panel.Set_Status("Status", "Writing to Device");
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(Pause::kWriteBlockBefore);
  l.Vpp_On();
  l.Wait(Pause::kWriteBlockEntered);
  if (Programs_Erased_Words(st)) {
    Write_Erased_Block(ctx, n);
    return;
  }
  for (int a = 0; a < n; ++a) {
    if (!Write_Word(ctx, a, st.ProgramImage[a], st.ReadBuffer[a])) return;
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kWriteBlockIncrement);
    ctx.panel.Progress(a + 1, n);
  }
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "End of Writing");
  l.Wait(Pause::kWriteBlockEnd);
}

}  // namespace corvane
