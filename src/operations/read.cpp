#include "operations/read.h"

#include <string>

#include "operations/config_word.h"
#include "protocol/block.h"
#include "protocol/hex_text.h"

namespace corvane {

void Read_Device(Context& ctx) {
  std::string text = "Read of Device Content\r\n";
  ctx.panel.Append_Text(text + "\r\n");
  ctx.panel.Sablier_On();
  Read_Block(ctx, 1023);
  text += Word_Listing(ctx.st.ReadBuffer);
  ctx.panel.Append_Text(text + " ...\r\n");
  ctx.panel.Append_Text(std::to_string(ctx.st.LastProgramAddress) + " lines of program\r\n");
  Check_Device_Fuses(ctx);
  ctx.panel.Sablier_Off();
}

}  // namespace corvane
