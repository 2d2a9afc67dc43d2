#include "protocol/block.h"

#include "protocol/hex_text.h"
#include "protocol/transfer.h"

namespace corvane {

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
  // Leave programming mode first: with Vpp still applied the chip's address counter would stay
  // where it stopped for whatever comes next.
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Message_Box("Error at @ : " + Hex(address) + " Read :" + Hex(read_back) +
                        " instead of :" + Hex(wanted));
  ctx.st.WriteError = 1;
  return false;
}

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
