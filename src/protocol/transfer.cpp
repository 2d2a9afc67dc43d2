#include "protocol/transfer.h"

namespace corvane {

void Send_Command(Lines& lines, int code) {
  int v = code;
  for (int bit = 0; bit < 6; ++bit) {
    lines.Set_Data_Line(v & 1);
    lines.Clock_Pulse();
    v /= 2;
    lines.Wait(Pause::kCommandBit);
  }
  lines.Set_Data_Line(1);
  lines.Wait(Pause::kCommandEnd);
}

void Erase_Cycle(Lines& lines) {
  Send_Command(lines, kEraseSetup1);
  Send_Command(lines, kEraseSetup2);
  Send_Command(lines, kBeginProgramming);
  lines.Wait(Pause::kEraseCycle);
  Send_Command(lines, kEraseSetup1);
  Send_Command(lines, kEraseSetup2);
}

void Send_Data(Lines& lines, std::int32_t word) {
  std::uint32_t v = static_cast<std::uint32_t>(word);
  lines.Set_Data_Line(0);  // start bit
  lines.Wait(Pause::kDataStart);
  lines.Clock_Pulse();
  for (int bit = 0; bit < 14; ++bit) {
    lines.Set_Data_Line(static_cast<int>(v & 1u));
    lines.Clock_Pulse();
    v /= 2;
  }
  lines.Set_Data_Line(0);  // stop bit
  lines.Clock_Pulse();
  lines.Wait(Pause::kDataEnd);
}

void Read_Data(Lines& lines, std::int32_t& word) {
  word = 0;
  lines.Set_Data_Line(1);  // released: the chip drives the line
  lines.Clock_Pulse();     // start bit, not sampled
  for (int i = 1; i <= 15; ++i) {
    lines.Clock_Pulse();
    const int b = lines.Read_Data_Line();
    word += b << (i - 1);
    word &= 0x3FFF;
    lines.Wait(Pause::kReadBit);
  }
}

}  // namespace corvane
