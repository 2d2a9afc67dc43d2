// The host's erase, EEPROM, configuration-word and identification sequences, as the device
// operations send them, against the simulated chips.
#include <gtest/gtest.h>

#include "protocol/block.h"
#include "protocol/transfer.h"
#include "sim_bench.h"

namespace corvane::sim {
namespace {

// "ERASE Device": Load Configuration, seven increments to 0x2007, 1-7-8, wait, 1-7.
void Erase_Device(Lines& l) {
  l.Vpp_Off();
  Wait_Units(l, 100);
  l.Vpp_On();
  Wait_Units(l, 100);
  Send_Command(l, 0);
  Send_Data(l, 0x3FFF);
  Wait_Units(l, 10);
  for (int i = 0; i < 7; ++i) {
    Send_Command(l, 6);
    Wait_Units(l, 10);
  }
  Send_Command(l, 1);
  Send_Command(l, 7);
  Send_Command(l, 8);
  Wait_Units(l, 1000);
  Send_Command(l, 1);
  Send_Command(l, 7);
  l.Vpp_Off();
  l.Vdd_On();
  Wait_Units(l, 100);
}

// "ERASE EEPROM": Load Data for data memory 0x3FFF, 11, 1, 7, 8, wait, 1, 7.
void Erase_Eeprom(Lines& l) {
  l.Vpp_Off();
  Wait_Units(l, 100);
  l.Vpp_On();
  Wait_Units(l, 1000);
  Send_Command(l, 3);
  Send_Data(l, 0x3FFF);
  Wait_Units(l, 100);
  Send_Command(l, 11);
  Send_Command(l, 1);
  Send_Command(l, 7);
  Send_Command(l, 8);
  Wait_Units(l, 1000);
  Send_Command(l, 1);
  Send_Command(l, 7);
  l.Vpp_Off();
  l.Vdd_On();
  Wait_Units(l, 5);
}

// "PROGRAM EEPROM": a lone command 3, then per byte read, write when different, read back.
std::vector<int> Program_Eeprom(Lines& l, const std::vector<int>& bytes) {
  std::vector<int> read_back;
  Wait_Units(l, 10);
  l.Vpp_On();
  Wait_Units(l, 10);
  Send_Command(l, 3);
  for (int b : bytes) {
    std::int32_t w = 0;
    Send_Command(l, 5);
    Read_Data(l, w);
    Wait_Units(l, 10);
    if (w != b) {
      Send_Command(l, 3);
      Wait_Units(l, 10);
      Send_Data(l, b);
      Wait_Units(l, 100);
      Send_Command(l, 8);
      Wait_Units(l, 1500);
      Send_Command(l, 5);
      Read_Data(l, w);
      w &= 0xFF;
    }
    read_back.push_back(w);
    Send_Command(l, 6);
    Wait_Units(l, 100);
  }
  l.Vpp_Off();
  l.Vdd_On();
  Wait_Units(l, 100);
  return read_back;
}

// The identification read: Load Configuration, six increments, read 0x2006.
std::int32_t Device_Id_Read(Lines& l) {
  Send_Command(l, 0);
  Send_Data(l, 0x3FFF);
  for (int i = 0; i < 6; ++i) {
    Send_Command(l, 6);
    Wait_Units(l, 10);
  }
  std::int32_t id = 0;
  Send_Command(l, 4);
  Read_Data(l, id);
  return id;
}

std::int32_t Check_Device_Id(Lines& l) {
  l.Vpp_Off();
  Wait_Units(l, 10);
  l.Vpp_On();
  Wait_Units(l, 100);
  const std::int32_t id = Device_Id_Read(l);
  l.Vpp_Off();
  l.Vdd_On();
  Wait_Units(l, 1);
  return id;
}

// "PROGRAM Fuses": identify, one more increment to 0x2007, Load Data, the word, 8.
void Program_Fuses(Lines& l, std::int32_t word) {
  Wait_Units(l, 10);
  l.Vpp_On();
  Wait_Units(l, 10);
  Device_Id_Read(l);
  Send_Command(l, 6);
  Wait_Units(l, 10);
  Send_Command(l, 2);
  Send_Data(l, word);
  Wait_Units(l, 10);
  Send_Command(l, 8);
  Wait_Units(l, 1000);
  l.Vpp_Off();
  l.Vdd_On();
  Wait_Units(l, 100);
}

std::int32_t Check_Device_Fuses(Lines& l) {
  Wait_Units(l, 50);
  l.Vpp_On();
  Wait_Units(l, 50);
  Device_Id_Read(l);
  Send_Command(l, 6);
  Wait_Units(l, 50);
  std::int32_t word = 0;
  Send_Command(l, 4);
  Read_Data(l, word);
  l.Vpp_Off();
  l.Vdd_On();
  Wait_Units(l, 1);
  return word;
}

TEST(SequencesTest, IdentificationReadsTheDeviceIdOrBlankOnThe16F84) {
  struct Case {
    ChipKind kind;
    int id;
  };
  for (const Case& c : {Case{ChipKind::Pic16F84, 0x3FFF}, Case{ChipKind::Pic16F84A, 0x0561},
                        Case{ChipKind::Pic16F873, 0x0963}, Case{ChipKind::Pic16F877, 0x09A3}}) {
    SimBench b(kTessel, c.kind);
    b.connect();
    b.board.clear_events();
    EXPECT_EQ(Check_Device_Id(b.lines), c.id);
    char expected[80];
    std::snprintf(expected, sizeof expected, "E C0 I3FFF C6 C6 C6 C6 C6 C6 C4 O%X L", c.id);
    EXPECT_EQ(Words(b.board.events()), expected);
    EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
    // Load Configuration alone programs nothing.
    EXPECT_EQ(b.chip->user_id(0), 0x3FFF);
  }
  Chip rev(ChipKind::Pic16F877, 7);
  EXPECT_EQ(rev.device_id(), 0x09A7);
}

TEST(SequencesTest, ChipEraseClearsEverythingProtectionIncluded) {
  for (ChipKind kind : {ChipKind::Pic16F84, ChipKind::Pic16F877}) {
    SimBench b(kBrannock, kind);
    b.chip->set_program(5, 0x1234);
    b.chip->set_eeprom(3, 0x42);
    b.chip->set_user_id(2, 0x0007);
    b.chip->set_config(0x0000);  // fully protected
    b.connect();
    b.board.clear_events();
    Erase_Device(b.lines);
    EXPECT_EQ(Words(b.board.events()), "E C0 I3FFF C6 C6 C6 C6 C6 C6 C6 C1 C7 C8 C1 C7 L");
    EXPECT_EQ(b.chip->program(5), 0x3FFF);
    EXPECT_EQ(b.chip->eeprom(3), 0xFF);
    EXPECT_EQ(b.chip->user_id(2), 0x3FFF);
    EXPECT_EQ(b.chip->config(), 0x3FFF);
    EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
    // Erasing twice is harmless.
    Erase_Device(b.lines);
    EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
  }
}

TEST(SequencesTest, EepromEraseClearsOnlyTheDataEeprom) {
  for (ChipKind kind : {ChipKind::Pic16F84A, ChipKind::Pic16F873}) {
    SimBench b(kTessel, kind);
    b.chip->set_program(0, 0x0ABC);
    b.chip->set_config(0x3FF1);
    for (int a = 0; a < b.chip->eeprom_size(); ++a) b.chip->set_eeprom(a, 0x10);
    b.connect();
    b.board.clear_events();
    Erase_Eeprom(b.lines);
    EXPECT_EQ(Words(b.board.events()), "E C3 I3FFF C11 C1 C7 C8 C1 C7 L");
    for (int a = 0; a < b.chip->eeprom_size(); ++a) ASSERT_EQ(b.chip->eeprom(a), 0xFF) << a;
    EXPECT_EQ(b.chip->program(0), 0x0ABC);
    EXPECT_EQ(b.chip->config() & 0x3BFF, 0x3FF1 & 0x3BFF);
    EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
  }
}

TEST(SequencesTest, ProgramEepromWritesEachDifferingByte) {
  SimBench b(kBrannock, ChipKind::Pic16F84);
  b.chip->set_eeprom(1, 0xAB);  // already right: read once, not written
  b.connect();
  const std::vector<int> read_back = Program_Eeprom(b.lines, {0x12, 0xAB, 0x00, 0xFF});
  EXPECT_EQ(read_back, std::vector<int>({0x12, 0xAB, 0x00, 0xFF}));
  EXPECT_EQ(b.chip->eeprom(0), 0x12);
  EXPECT_EQ(b.chip->eeprom(2), 0x00);
  EXPECT_EQ(b.chip->eeprom(4), 0xFF);
  int programs = 0;
  for (const ProtocolEvent& e : b.board.events()) {
    programs += e.kind == ProtocolEvent::Command && e.value == 8 ? 1 : 0;
  }
  EXPECT_EQ(programs, 2);
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

TEST(SequencesTest, ConfigurationWordIsWrittenAndReadAtTheEndOfTheConfigurationArea) {
  SimBench b(kTessel, ChipKind::Pic16F877);
  b.connect();
  Program_Fuses(b.lines, 0x3F7A);
  EXPECT_EQ(b.chip->config(), 0x3F7A);
  EXPECT_EQ(Check_Device_Fuses(b.lines), 0x3F7A);
  // Bit 10 is unimplemented on the 87x and reads 1 whatever is written.
  Program_Fuses(b.lines, 0x3B7A);
  EXPECT_EQ(Check_Device_Fuses(b.lines), 0x3F7A);
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

TEST(SequencesTest, CodeProtectionHidesAndGuardsMemoryUntilAChipErase) {
  SimBench b(kBrannock, ChipKind::Pic16F84A);
  b.chip->set_program(0, 0x1111);
  b.chip->set_eeprom(0, 0x22);
  b.connect();
  Program_Fuses(b.lines, 0x000D);  // all CP bits cleared: protected
  EXPECT_EQ(Check_Device_Fuses(b.lines), 0x000D) << "the configuration word stays readable";

  Read_Block(b.ctx, 2);
  EXPECT_EQ(b.st.ReadBuffer[0], 0);
  EXPECT_EQ(b.st.ReadBuffer[1], 0);
  EXPECT_EQ(Program_Eeprom(b.lines, {0x22}), std::vector<int>({0x00}));
  EXPECT_EQ(b.chip->eeprom(0), 0x22) << "protected EEPROM reads 0 and keeps its byte";

  b.st.ProgramImage[0] = 0x2222;
  Write_Block(b.ctx, 1);
  EXPECT_EQ(b.st.WriteError, 1);
  EXPECT_EQ(b.chip->program(0), 0x1111);
  // Programming the configuration word cannot lift protection...
  Program_Fuses(b.lines, 0x3FFF);
  EXPECT_EQ(Check_Device_Fuses(b.lines), 0x000F);
  // ...only the chip erase does.
  Erase_Device(b.lines);
  EXPECT_EQ(Check_Device_Fuses(b.lines), 0x3FFF);
  b.panel.boxes.clear();
  Write_Block(b.ctx, 1);
  EXPECT_EQ(b.st.WriteError, 0);
  EXPECT_EQ(b.chip->program(0), 0x2222);
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

TEST(SequencesTest, PartialProtectionOn87xCoversTheUpperWordsAndCpdTheEeprom) {
  SimBench b(kTessel, ChipKind::Pic16F877);
  b.chip->set_program(0x1EFF, 0x0001);
  b.chip->set_program(0x1F00, 0x0002);
  b.chip->set_eeprom(0, 0x33);
  b.chip->set_config(0x2EEF);  // CP1:CP0 = 10 in both copies, /CPD = 0
  b.connect();
  Read_Block(b.ctx, 8192);
  EXPECT_EQ(b.st.ReadBuffer[0x1EFF], 1);
  EXPECT_EQ(b.st.ReadBuffer[0x1F00], 0) << "upper 256 words protected";
  EXPECT_EQ(Program_Eeprom(b.lines, {0x33}), std::vector<int>({0x00}));
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

}  // namespace
}  // namespace corvane::sim
