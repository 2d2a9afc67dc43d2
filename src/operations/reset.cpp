#include "operations/reset.h"

#include "protocol/block.h"
#include "protocol/hex_text.h"

namespace corvane {

void Reset_PIC(Context& ctx) {
  ctx.lines.Reset_Pulse();
}

void Command1_Test(Context& ctx) {
  WorkingState& st = ctx.st;
  ctx.panel.Append_Text("Writing to Device \r\n\r\n");
  st.ProgramImage[0] = 0x3F55;
  st.ProgramImage[1] = 0x3F56;
  Write_Block(ctx, 5);
  ctx.panel.Append_Text("Write:" + Word_Listing(st.ProgramImage) + " ...\r\n");
  Read_Block(ctx, 5);
  ctx.panel.Append_Text("Read:" + Word_Listing(st.ReadBuffer) + " ...\r\n");
}

}  // namespace corvane
