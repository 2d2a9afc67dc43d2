#include "operations/erase.h"

#include "protocol/family_rules.h"
#include "protocol/family_write.h"
#include "protocol/transfer.h"

namespace corvane {

void Erase_Device(Context& ctx) {
  if (const ChipEntry* later = Later_Family_Chip(ctx.st)) {
    Family_Erase(ctx, *later);
    return;
  }
  Lines& l = ctx.lines;
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Vpp_Off();
  l.Wait(Pause::kEraseBefore);
  l.Vpp_On();
  l.Wait(Pause::kEraseEntered);
  ctx.panel.Set_Status("Status", "Erasing Device");
  Send_Command(l, kLoadConfiguration);
  Send_Data(l, 0x3FFF);
  l.Wait(Pause::kEraseLoad);
  for (int i = 0; i < 7; ++i) {  // to the configuration word, 0x2007
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kEraseIncrement);
  }
  Erase_Cycle(l);
  l.Vpp_Off();
  l.Vdd_On();
  ctx.panel.Set_Status("Status", "Device Erased");
  l.Wait(Pause::kEraseEnd);
}

}  // namespace corvane
