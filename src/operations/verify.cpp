#include "operations/verify.h"

#include <algorithm>
#include <string>

#include "operations/config_word.h"
#include "protocol/block.h"
#include "protocol/hex_text.h"

namespace corvane {

namespace {
constexpr int kErrorLimit = 10;
}

int Verify_Word_Count(int last_program_address) {
  return std::min(std::max(1023, last_program_address + 1), kMaxBlockWords);
}

bool Verify(Context& ctx) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  panel.Sablier_On();
  Read_Block(ctx, Verify_Word_Count(st.LastProgramAddress));
  panel.Append_Text("Verify of Device Content\r\n");
  int errors = 0;
  panel.Set_Status("Status", "Verifying Device Content");
  bool matches = true;
  const int last = std::min(st.LastProgramAddress, kProgramLast);
  bool too_many = false;
  for (int a = 0; a <= last; ++a) {
    if (st.ReadBuffer[a] == st.ProgramImage[a]) continue;
    panel.Append_Text("Error at Address : " + Hex(a) + " Read : " + Hex(st.ReadBuffer[a]) +
                      " instead of : " + Hex(st.ProgramImage[a]) + "\r\n");
    ++errors;
    if (errors > kErrorLimit) {
      panel.Append_Text("to much errors !\r\n");
      too_many = true;
      break;
    }
  }
  if (!too_many) {
    panel.Append_Text("Verify detected : " + std::to_string(errors) + " errors\r\n");
    Check_Device_Fuses(ctx);
    if (st.ConfigWord != st.DeviceConfigWord) {
      panel.Message_Box("Mismatch in configuration fuses");
      matches = false;
    }
  }
  panel.Set_Status("Status", "Verify finished");
  panel.Sablier_Off();
  return matches && errors == 0;
}

}  // namespace corvane
