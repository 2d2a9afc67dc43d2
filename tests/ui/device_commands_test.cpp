// The EEPROM, configuration-word, erase, identification and reset commands on the simulated chip.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

using Kind = sim::ProtocolEvent::Kind;

// The protocol words the host put on the lines since the mark: "C6" for command 6, "D3FFF" for a
// data word sent, "R" for a word read.
std::vector<std::string> Words_Since(const sim::Board& board, std::size_t mark) {
  std::vector<std::string> words;
  const auto& ev = board.events();
  for (std::size_t i = mark; i < ev.size(); ++i) {
    char buf[16];
    switch (ev[i].kind) {
      case Kind::Command:
        std::snprintf(buf, sizeof buf, "C%d", ev[i].value);
        break;
      case Kind::DataIn:
        std::snprintf(buf, sizeof buf, "D%X", ev[i].value);
        break;
      case Kind::DataOut:
        std::snprintf(buf, sizeof buf, "R");
        break;
      default:
        continue;
    }
    words.emplace_back(buf);
  }
  return words;
}

TEST(DeviceCommandsTest, ReadEepromListsSixtyFourBytes) {
  SimWindow w;
  w.chip.set_eeprom(0, 0x05);
  w.chip.set_eeprom(1, 0xAB);
  w.chip.set_eeprom(63, 0x7E);
  w.Start();
  w.win.Click(Ctl::Btn_Read_EEPROM);
  std::string expected = " EEPROM DATA content :\r\n 05 AB";
  for (int i = 2; i < 16; ++i) expected += " FF";
  expected += "\r\n";
  for (int r = 1; r < 4; ++r) {
    for (int c = 0; c < 16; ++c) expected += (r == 3 && c == 15) ? " 7E" : " FF";
    expected += "\r\n";
  }
  expected += " ...\r\n";
  EXPECT_EQ(w.New_Log(), expected);
  EXPECT_EQ(w.win.status("Status"), "EEPROM Data Read");
  EXPECT_TRUE(w.chip.violations().empty());
}

TEST(DeviceCommandsTest, ProgramEepromWritesOnlyWhatDiffersAndReportsFailures) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(Write_Temp_File("ee2.hex", ":04420000AA005500BB\n:00000001FF\n")));
  w.chip.set_eeprom(1, 0x55);  // already holds its byte
  const std::size_t mark = w.board.events().size();
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Prog_EEPROM));
  EXPECT_EQ(w.chip.eeprom(0), 0xAA);
  EXPECT_EQ(w.chip.eeprom(1), 0x55);
  EXPECT_EQ(w.win.status("Status"), "EEPROM Data Written");
  // Byte 0 is always written (the first read is out of step), byte 1 only read.
  const auto words = Words_Since(w.board, mark);
  EXPECT_EQ(std::count(words.begin(), words.end(), "C8"), 1);
  EXPECT_EQ(words.front(), "C3");
  EXPECT_TRUE(w.chip.violations().empty());

  // Protected data EEPROM: every write fails its read-back, one box each, and the pass goes on.
  SimWindow p;
  p.chip.set_config(0x000F);  // all protection on
  p.Start();
  ASSERT_TRUE(p.Load(Write_Temp_File("ee3.hex", ":04420000AA005500BB\n:00000001FF\n")));
  EXPECT_FALSE(p.win.Click(Ctl::Btn_Prog_EEPROM));
  ASSERT_EQ(p.view.boxes.size(), 2u);
  EXPECT_EQ(p.view.boxes[0], "EEPROM Error at @ : 0 Read :0 instead of :AA");
  EXPECT_EQ(p.view.boxes[1], "EEPROM Error at @ : 1 Read :0 instead of :55");
  EXPECT_EQ(p.st.WriteError, 1);
  // The pass ends as the Part says; the failure then ends the log and shows in the panel.
  EXPECT_NE(p.win.log().find("PROGRAM EEPROM failed: 2 Bytes not written\r\n"), std::string::npos);
  EXPECT_EQ(p.win.status("Status"), "PROGRAM EEPROM failed");
}

TEST(DeviceCommandsTest, EepromDataLargerThanTheChipIsNotWritten) {
  SimWindow w;  // 64 bytes of EEPROM
  w.Start();
  std::string file;
  for (int i = 0; i < 9; ++i) {  // 9 records of 8 bytes (16 file bytes each): 72 bytes
    const int address = 0x4200 + 16 * i;
    char head[16];
    std::snprintf(head, sizeof head, ":10%04X00", address);
    const int sum = 0x10 + (address >> 8) + (address & 0xFF) + 8 * 0x11;
    char tail[8];
    std::snprintf(tail, sizeof tail, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
    file += std::string(head);
    for (int k = 0; k < 8; ++k) file += "1100";
    file += tail;
  }
  ASSERT_TRUE(w.Load(Write_Temp_File("ee72.hex", file + ":00000001FF\n")));
  EXPECT_EQ(w.st.EepromCount, 72);
  const std::size_t mark = w.trace.accesses.size();
  const std::string why =
      "Programming cancelled : 72 Bytes of EEPROM Data do not fit the PIC16f84 (64 Bytes)";
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Prog_EEPROM));
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.view.boxes, std::vector<std::string>({why, why}));
  EXPECT_EQ(w.trace.accesses.size(), mark);
  EXPECT_EQ(w.chip.eeprom(0), 0xFF);
}

TEST(DeviceCommandsTest, EraseEepromSendsTheBulkEraseSequence) {
  SimWindow w;
  for (int i = 0; i < 64; ++i) w.chip.set_eeprom(i, static_cast<std::uint8_t>(i));
  w.Start();
  const std::size_t mark = w.board.events().size();
  w.win.Click(Ctl::Btn_Erase_EEPROM);
  EXPECT_EQ(Words_Since(w.board, mark),
            std::vector<std::string>({"C3", "D3FFF", "C11", "C1", "C7", "C8", "C1", "C7"}));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(w.chip.eeprom(i), 0xFF);
  EXPECT_EQ(w.win.status("Status"), "EEPROM Erased");
  EXPECT_TRUE(w.chip.violations().empty());
}

TEST(DeviceCommandsTest, EraseDeviceClearsEverythingIncludingProtection) {
  for (sim::ChipKind kind :
       {sim::ChipKind::Pic16F84, sim::ChipKind::Pic16F873, sim::ChipKind::Pic16F877}) {
    SimWindow w({.chip = kind});
    w.chip.set_program(0, 0x2805);
    w.chip.set_eeprom(0, 0x12);
    w.chip.set_config(0x0001);  // protected
    w.Start();
    const std::size_t mark = w.board.events().size();
    w.win.Click(Ctl::Btn_Erase_Device);
    EXPECT_EQ(Words_Since(w.board, mark),
              std::vector<std::string>({"C0", "D3FFF", "C6", "C6", "C6", "C6", "C6", "C6", "C6",
                                        "C1", "C7", "C8", "C1", "C7"}));
    EXPECT_EQ(w.chip.program(0), 0x3FFF);
    EXPECT_EQ(w.chip.eeprom(0), 0xFF);
    EXPECT_EQ(w.chip.config() & 0x3BFF, 0x3BFF);
    EXPECT_EQ(w.win.status("Status"), "Device Erased");
    EXPECT_TRUE(w.chip.violations().empty());
  }
}

TEST(DeviceCommandsTest, ProtectedChipFailsToProgramUntilErased) {
  SimWindow w;
  w.chip.set_program(0, 0x1234);
  w.chip.set_config(0x000F);
  w.Start();
  ASSERT_TRUE(w.Load(std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex"));
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.view.boxes.at(0), "Error at @ : 0 Read :0 instead of :2805");
  EXPECT_EQ(w.chip.program(0), 0x1234);
  w.view.boxes.clear();
  w.win.Click(Ctl::Btn_Erase_Device);
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));
  EXPECT_TRUE(w.view.boxes.empty());
  EXPECT_EQ(w.chip.config(), 0x3FF1);
}

TEST(DeviceCommandsTest, ProgramFusesNormalisesForTheIdentifiedChip) {
  struct Case {
    sim::ChipKind chip;
    std::int32_t config_before;
    std::uint16_t sent;
  };
  for (const Case& c :
       {Case{sim::ChipKind::Pic16F84A, 0, 0x3FF0}, Case{sim::ChipKind::Pic16F877, 0, 0x3F30},
        Case{sim::ChipKind::Pic16F873, 0x3FFF, 0x3F7F}}) {
    SimWindow w({.chip = c.chip});
    w.Start();
    w.win.Set_Device("PIC16f84");  // the box is re-read from the chip first
    w.st.ConfigWord = c.config_before;
    const std::size_t mark = w.board.events().size();
    w.win.Click(Ctl::Btn_Prog_Fuses);
    EXPECT_EQ(w.st.ConfigWord, c.sent);
    const auto words = Words_Since(w.board, mark);
    char data[16];
    std::snprintf(data, sizeof data, "D%X", c.sent);
    EXPECT_EQ(words[words.size() - 3], "C2");
    EXPECT_EQ(words[words.size() - 2], data);
    EXPECT_EQ(words.back(), "C8");
    EXPECT_EQ(w.chip.config() & 0x3BFF, c.sent & 0x3BFF);
    EXPECT_EQ(w.win.status("Status"), "Fuses Written");
    EXPECT_TRUE(w.chip.violations().empty());
  }
}

TEST(DeviceCommandsTest, CheckFusesShowsTheChipsWord) {
  SimWindow w;
  w.chip.set_config(0x3FF9);
  w.Start();
  w.win.Click(Ctl::Btn_Check_Device_Fuses);
  EXPECT_EQ(w.st.DeviceConfigWord, 0x3FF9);
  EXPECT_EQ(w.win.status("Status"), "Device Fuses : 0x3FF9");
  EXPECT_EQ(w.st.ConfigWord, 0x3FF0);  // normalised for the chip found
  EXPECT_EQ(w.win.log(), "");
}

TEST(DeviceCommandsTest, IdentificationSendsExactlyTheIdSequence) {
  SimWindow w({.chip = sim::ChipKind::Pic16F877});
  w.Start();
  const std::size_t mark = w.board.events().size();
  w.win.Click(Ctl::Btn_Check_Device_Id);
  EXPECT_EQ(Words_Since(w.board, mark), std::vector<std::string>({"C0", "D3FFF", "C6", "C6", "C6",
                                                                  "C6", "C6", "C6", "C4", "R"}));
  EXPECT_EQ(w.win.status("Device"), "Device : PIC16f877 (9A3)");
  EXPECT_EQ(w.win.control(Ctl::Device).text, "PIC16f877");
  EXPECT_EQ(w.win.status("Status"), "Verifying Device Id");
  EXPECT_EQ(w.chip.config(), 0x3FFF);  // nothing programmed
  EXPECT_FALSE(w.win.busy());
}

TEST(DeviceCommandsTest, ResetPulsesTheTesselBoard) {
  SimWindow w({.board = kTessel});
  w.Start();
  const std::size_t mark = w.trace.accesses.size();
  const std::int64_t t0 = w.clock.now_ns();
  w.win.Click(Ctl::Btn_RESET);
  ASSERT_EQ(w.trace.accesses.size(), mark + 2);
  EXPECT_EQ(w.trace.accesses[mark].value, 0x22);
  EXPECT_EQ(w.trace.accesses[mark + 1].value, 0x00);
  EXPECT_EQ(w.trace.accesses[mark + 1].t_ns - t0, 100 * 2 * 100'000);
  EXPECT_EQ(w.win.log(), "");
}

TEST(DeviceCommandsTest, VddUncheckedOnBrannockLeavesTheChipUnpowered) {
  SimWindow w;
  w.chip.set_program(0, 0x2805);
  w.Start();
  w.win.Set_Value(Ctl::Check_Vdd, kUnchecked);
  w.win.Click(Ctl::Btn_Check_Device_Id);
  // The chip gets no supply during the operation and does not answer.
  EXPECT_EQ(w.win.status("Device"), "Device : PIC16f84 (3FFF)");
  w.win.Click(Ctl::Btn_Read_Device);
  EXPECT_EQ(w.st.ReadBuffer[0], 0x3FFF);
  // Each operation still ends with Vdd applied.
  EXPECT_EQ(w.board.data_register() & 0x04, 0x04);
  // With "Vdd Enable" grey the supply stays on.
  w.win.Set_Value(Ctl::Check_Vdd, kGrayed);
  w.win.Click(Ctl::Btn_Read_Device);
  EXPECT_EQ(w.st.ReadBuffer[0], 0x2805);
}

TEST(DeviceCommandsTest, LowSpeedScalesEveryWaitByFifteen) {
  auto erase_time = [](bool low) {
    SimWindow w;
    w.Start();
    if (low) w.win.Set_Value(Ctl::Check_Speed, kChecked);
    const std::int64_t t0 = w.clock.now_ns();
    w.win.Click(Ctl::Btn_Erase_Device);
    EXPECT_TRUE(w.chip.violations().empty());
    return w.clock.now_ns() - t0;
  };
  const std::int64_t normal = erase_time(false);
  const std::int64_t low = erase_time(true);
  EXPECT_EQ(low, 15 * normal);
  EXPECT_GT(low, 3'000'000'000);  // the erase pause alone is 3 s
}

TEST(DeviceCommandsTest, WriteReadTestListsWrittenAndReadWords) {
  SimWindow w;
  w.Start();
  w.win.Click(Ctl::Command1);
  EXPECT_EQ(w.New_Log(),
            "Writing to Device \r\n\r\n"
            "Write: 3F55 3F56 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF ...\r\n"
            "Read: 3F55 3F56 3FFF 3FFF 3FFF 0 0 0 0 0 0 ...\r\n");
  EXPECT_EQ(w.chip.program(1), 0x3F56);
}

}  // namespace
}  // namespace corvane::testing
