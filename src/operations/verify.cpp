#include "operations/verify.h"

#include <algorithm>
#include <string>

#include "fuses/config_fields.h"
#include "operations/config_word.h"
#include "operations/user_ids.h"
#include "protocol/block.h"
#include "protocol/hex_text.h"

namespace corvane {

namespace {
constexpr int kErrorLimit = 10;
}  // namespace

int Verify_Differences(const WorkingState& st) {
  const int last = std::min(st.LastProgramAddress, kProgramLast);
  int differences = 0;
  for (int a = 0; a <= last; ++a) differences += st.ReadBuffer[a] != st.ProgramImage[a];
  for (int i = 0; i < kUserIdCount; ++i) {
    const std::int32_t wanted = st.UserIdImage[i];
    const std::int32_t read = st.UserIdRead[i];
    differences += wanted != kNoUserId && read != kNoUserId && read != wanted;
  }
  return differences;
}

std::string Config_Mismatch(const WorkingState& st) {
  std::string what;
  if (st.ConfigWord != st.DeviceConfigWord) {
    what = "the configuration word reads 0x" + Hex(st.DeviceConfigWord) + " instead of 0x" +
           Hex(st.ConfigWord);
  }
  // The bits outside the mask are not implemented: the chip reads them as 1 whatever the file says.
  const std::uint16_t mask = Config_Word2_Mask(Config_Chip_Of(st, st.DeviceId, ""));
  if (((st.ConfigWord2 ^ st.DeviceConfigWord2) & mask) != 0) {
    what += (what.empty() ? "" : " and ") + std::string("CONFIG2 reads 0x") +
            Hex(st.DeviceConfigWord2) + " instead of 0x" + Hex(st.ConfigWord2);
  }
  return what;
}

int Verify_Word_Count(int last_program_address) {
  return std::min(std::max(1023, last_program_address + 1), kMaxBlockWords);
}

bool Verify(Context& ctx) {
  WorkingState& st = ctx.st;
  Panel& panel = ctx.panel;
  panel.Sablier_On();
  st.UserIdRead.fill(kNoUserId);
  Read_Block(ctx, Verify_Word_Count(st.LastProgramAddress));
  panel.Append_Text("Verify of Device Content\r\n");
  int errors = 0;
  panel.Set_Status("Status", "Verifying Device Content");
  bool matches = true;
  const int last = std::min(st.LastProgramAddress, kProgramLast);
  bool too_many = false;
  // Lists a differing word; false once the errors are too many to go on.
  auto differs = [&](int address, std::int32_t read, std::int32_t wanted) {
    panel.Append_Text("Error at Address : " + Hex(address) + " Read : " + Hex(read) +
                      " instead of : " + Hex(wanted) + "\r\n");
    ++errors;
    if (errors > kErrorLimit) {
      panel.Append_Text("to much errors !\r\n");
      too_many = true;
    }
    return !too_many;
  };
  for (int a = 0; a <= last; ++a) {
    if (st.ReadBuffer[a] != st.ProgramImage[a] &&
        !differs(a, st.ReadBuffer[a], st.ProgramImage[a])) {
      break;
    }
  }
  // The user IDs the file gives are compared as program words are; the others are not looked at.
  if (!too_many && Has_User_Ids(st)) {
    const auto ids = Read_User_Ids(ctx);
    st.UserIdRead = ids;
    for (int i = 0; i < kUserIdCount; ++i) {
      const std::int32_t wanted = st.UserIdImage[i];
      if (wanted != kNoUserId && ids[i] != wanted && !differs(kUserIdAddress + i, ids[i], wanted)) {
        break;
      }
    }
  }
  if (!too_many) {
    panel.Append_Text("Verify detected : " + std::to_string(errors) + " errors\r\n");
    Check_Device_Fuses(ctx);
    if (!Config_Mismatch(st).empty()) {
      panel.Message_Box("Mismatch in configuration fuses");
      matches = false;
    }
  }
  panel.Set_Status("Status", "Verify finished");
  panel.Sablier_Off();
  return matches && errors == 0;
}

}  // namespace corvane
