#include "operations/user_ids.h"

#include "protocol/block.h"
#include "protocol/transfer.h"

namespace corvane {

namespace {

// Enters programming mode and moves the address counter to 0x2000.
void Enter_Configuration_Area(Context& ctx, Pause before, Pause entered, Pause loaded) {
  Lines& l = ctx.lines;
  l.Vpp_Off();
  if (ctx.panel.Check_Vdd() == kUnchecked) l.Vdd_Off();
  l.Wait(before);
  l.Vpp_On();
  l.Wait(entered);
  Send_Command(l, kLoadConfiguration);
  Send_Data(l, kBlankWord);
  l.Wait(loaded);
}

void Leave_Programming_Mode(Lines& l, Pause end) {
  l.Vpp_Off();
  l.Vdd_On();
  l.Wait(end);
}

}  // namespace

bool Has_User_Ids(const WorkingState& st) {
  for (std::int32_t id : st.UserIdImage) {
    if (id != kNoUserId) return true;
  }
  return false;
}

bool Program_User_Ids(Context& ctx) {
  Lines& l = ctx.lines;
  Enter_Configuration_Area(ctx, Pause::kUserIdsWriteBefore, Pause::kUserIdsWriteEntered,
                           Pause::kUserIdsWriteLoad);
  for (int i = 0; i < kUserIdCount; ++i) {
    const std::int32_t wanted = ctx.st.UserIdImage[i];
    std::int32_t read_back = 0;
    if (wanted != kNoUserId && !Write_Word(ctx, kUserIdAddress + i, wanted, read_back)) {
      return false;
    }
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kUserIdsWriteIncrement);
  }
  Leave_Programming_Mode(l, Pause::kUserIdsWriteEnd);
  return true;
}

std::array<std::int32_t, kUserIdCount> Read_User_Ids(Context& ctx) {
  Lines& l = ctx.lines;
  std::array<std::int32_t, kUserIdCount> ids{};
  Enter_Configuration_Area(ctx, Pause::kUserIdsReadBefore, Pause::kUserIdsReadEntered,
                           Pause::kUserIdsReadLoad);
  for (std::int32_t& id : ids) {
    Send_Command(l, kReadDataProgram);
    Read_Data(l, id);
    l.Wait(Pause::kUserIdsRead);
    Send_Command(l, kIncrementAddress);
    l.Wait(Pause::kUserIdsReadIncrement);
  }
  Leave_Programming_Mode(l, Pause::kUserIdsReadEnd);
  return ids;
}

}  // namespace corvane
