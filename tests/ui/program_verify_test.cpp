// Loading, programming, reading and verifying through the window's logic on the simulated board.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";
const std::string kDemo877 = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";

// The first eleven words of the 16F84A demo program, as the log lists them.
const std::string kDemoWords = " 2805 3FFF 3FFF 3FFF 9 1683 186 1283 3055 86 280A";

TEST(ProgramVerifyTest, ProgramsTheDemoFileAndVerifiesIt) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(kDemo84));
  EXPECT_EQ(w.New_Log(), kDemo84 + "\r\n" + kDemoWords +
                             " ...\r\n11 lines of program and 5 Bytes in EEPROM Data\r\n");
  EXPECT_EQ(w.win.caption(), "Corvane : " + kDemo84);
  EXPECT_EQ(w.win.status("Fuses"), "Fuses 0x3FF1");
  EXPECT_EQ(w.win.control(Ctl::Opt_Osc_1).value, 1);
  EXPECT_EQ(w.win.control(Ctl::Check_PWRT).value, kChecked);
  EXPECT_EQ(w.win.control(Ctl::Check_WDT).value, kUnchecked);
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM}) {
    EXPECT_TRUE(w.win.control(id).enabled);
  }
  EXPECT_EQ(w.win.control(Ctl::Check_auto).value, kChecked);

  EXPECT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.New_Log(), "updating program \r\n\r\n" + kDemo84 + "\r\n" + kDemoWords +
                             " ...\r\n11 lines of program and 5 Bytes in EEPROM Data\r\n"
                             "Writing PROGRAM to Device \r\n\r\n" +
                             kDemoWords +
                             " ...\r\n11 lines of program written\r\n"
                             "Writing EEPROM DATA to Device \r\n\r\n"
                             " 1 2 AB 48 69 1683 186 1283 3055 86 280A ...\r\n"
                             "5 Bytes written in EEPROM DATA\r\n");
  EXPECT_TRUE(w.view.boxes.empty());
  EXPECT_EQ(w.win.status("Status"), "Fuses Written");
  EXPECT_FALSE(w.win.busy());
  EXPECT_EQ(w.chip.program(0), 0x2805);
  EXPECT_EQ(w.chip.program(1), 0x3FFF);
  EXPECT_EQ(w.chip.program(10), 0x280A);
  EXPECT_EQ(w.chip.program(11), 0x3FFF);
  EXPECT_EQ(w.chip.eeprom(0), 0x01);
  EXPECT_EQ(w.chip.eeprom(4), 0x69);
  EXPECT_EQ(w.chip.eeprom(5), 0xFF);
  EXPECT_EQ(w.chip.config(), 0x3FF1);
  EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations()[0].what;

  EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));
  EXPECT_EQ(w.New_Log(), "Verify of Device Content\r\nVerify detected : 0 errors\r\n");
  EXPECT_EQ(w.win.status("Status"), "Verify finished");
  EXPECT_TRUE(w.view.boxes.empty());
  // The buttons come back after the busy state.
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device, Ctl::Btn_Find_Port,
                 Ctl::Btn_Load_File}) {
    EXPECT_TRUE(w.win.control(id).enabled);
  }
}

TEST(ProgramVerifyTest, EveryChipAndBoardHoldsTheImageWithoutTimingViolations) {
  struct Case {
    BoardKind board;
    sim::ChipKind chip;
    const std::string* file;
    const char* device;
  };
  const Case cases[] = {
      {kBrannock, sim::ChipKind::Pic16F84, &kDemo84, "Device : PIC16f84 (3FFF)"},
      {kTessel, sim::ChipKind::Pic16F84A, &kDemo84, "Device : PIC16f84 (561)"},
      {kBrannock, sim::ChipKind::Pic16F873, &kDemo84, "Device : PIC16f873 (963)"},
      {kTessel, sim::ChipKind::Pic16F877, &kDemo877, "Device : PIC16f877 (9A3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device);
    SimWindow w({.board = c.board, .chip = c.chip});
    w.Start();
    EXPECT_EQ(w.win.status("Device"), c.device);
    ASSERT_TRUE(w.Load(*c.file));
    EXPECT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
    EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));
    EXPECT_TRUE(w.view.boxes.empty()) << w.view.boxes[0];
    EXPECT_NE(w.win.log().find("Verify detected : 0 errors\r\n"), std::string::npos);
    for (int a = 0; a <= w.st.LastProgramAddress; ++a) {
      ASSERT_EQ(w.chip.program(a), w.st.ProgramImage[a]) << "address " << a;
    }
    for (int i = 0; i < w.st.EepromCount; ++i) EXPECT_EQ(w.chip.eeprom(i), w.st.EepromImage[i]);
    EXPECT_EQ(w.chip.config(), w.st.ConfigWord);
    EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations()[0].what;
  }
}

TEST(ProgramVerifyTest, VerifyBeyondTheFirstKilowordComparesTheChip) {
  SimWindow w({.chip = sim::ChipKind::Pic16F877});
  w.Start();
  ASSERT_TRUE(w.Load(kDemo877));
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  // A word at the top of memory changes on the chip behind our back.
  w.chip.set_program(0x1FFD, 0x0123);
  w.New_Log();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Verify));
  EXPECT_EQ(w.New_Log(),
            "Verify of Device Content\r\nError at Address : 1FFD Read : 123 instead of : 30A5\r\n"
            "Verify detected : 1 errors\r\nVERIFY failed: 1 word differs\r\n");
  EXPECT_EQ(w.win.status("Status"), "VERIFY failed");
}

TEST(ProgramVerifyTest, VerifyListsElevenDifferencesAtMost) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(kDemo84));  // words 0..10, all blank on the chip
  w.New_Log();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Verify));
  const std::string log = w.New_Log();
  EXPECT_EQ(
      log.rfind("Verify of Device Content\r\nError at Address : 0 Read : 3FFF instead of : 2805"
                "\r\n",
                0),
      0u);
  // Words 1-3 are blank in the file too: eight program words differ, then the four user IDs the
  // file gives; the third ID is the eleventh difference, which ends the listing.
  EXPECT_NE(log.find("Error at Address : A Read : 3FFF instead of : 280A\r\n"
                     "Error at Address : 2000 Read : 3FFF instead of : 1\r\n"
                     "Error at Address : 2001 Read : 3FFF instead of : 2\r\n"
                     "Error at Address : 2002 Read : 3FFF instead of : 3\r\nto much errors !\r\n"),
            std::string::npos);
  EXPECT_TRUE(w.view.boxes.empty());

  // Ten differing words: all listed, counted, and the fuses checked.
  auto records = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      char rec[32];
      const int sum = (2 + 2 * i + 0x55 + 0x01) & 0xFF;
      std::snprintf(rec, sizeof rec, ":02%04X005501%02X\n", 2 * i, (0x100 - sum) & 0xFF);
      text += rec;
    }
    return text;
  };
  ASSERT_TRUE(w.Load(Write_Temp_File("ten.hex", records(10))));
  w.New_Log();
  w.view.boxes.clear();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Verify));
  const std::string ten = w.New_Log();
  EXPECT_NE(ten.find("Error at Address : 9 Read : 3FFF instead of : 155\r\n"
                     "Verify detected : 10 errors\r\n"),
            std::string::npos);
  EXPECT_EQ(ten.find("to much errors"), std::string::npos);
  EXPECT_EQ(w.view.boxes, std::vector<std::string>({"Mismatch in configuration fuses"}));

  // Twelve differing words: eleven lines, then the limit, no count, no fuse check.
  ASSERT_TRUE(w.Load(Write_Temp_File("twelve.hex", records(12))));
  w.New_Log();
  w.view.boxes.clear();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Verify));
  const std::string limited = w.New_Log();
  std::size_t lines = 0;
  for (std::size_t p = limited.find("Error at Address"); p != std::string::npos;
       p = limited.find("Error at Address", p + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 11u);
  EXPECT_NE(
      limited.find("Error at Address : A Read : 3FFF instead of : 155\r\nto much errors !\r\n"),
      std::string::npos);
  EXPECT_EQ(limited.find("Verify detected"), std::string::npos);
  EXPECT_TRUE(w.view.boxes.empty());
  // Every difference is counted in the summary, past the eleven listed.
  EXPECT_EQ(limited.substr(limited.rfind("to much errors !")),
            "to much errors !\r\nVERIFY failed: 12 words differ\r\n");
  EXPECT_EQ(w.win.status("Status"), "VERIFY failed");
}

TEST(ProgramVerifyTest, AWordThatWillNotProgramStopsTheBlockAndSkipsTheFuses) {
  SimWindow w;
  w.chip.set_unprogrammable_word(5);
  w.Start();
  ASSERT_TRUE(w.Load(kDemo84));
  w.New_Log();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  ASSERT_GE(w.view.boxes.size(), 1u);
  EXPECT_EQ(w.view.boxes[0], "Error at @ : 5 Read :3FFF instead of :1683");
  EXPECT_EQ(w.st.WriteError, 1);
  const std::string log = w.New_Log();
  // The listing and the full count are still logged, then the EEPROM is written.
  EXPECT_NE(log.find("Writing PROGRAM to Device \r\n\r\n 2805 3FFF 3FFF 3FFF 9 3FFF"),
            std::string::npos);
  EXPECT_NE(log.find("11 lines of program written\r\n"), std::string::npos);
  EXPECT_NE(log.find("5 Bytes written in EEPROM DATA\r\n"), std::string::npos);
  EXPECT_EQ(w.chip.eeprom(0), 0x01);
  // Words after the failing one are not written, nor is the configuration word.
  EXPECT_EQ(w.chip.program(6), 0x3FFF);
  EXPECT_EQ(w.chip.config(), 0x3FFF);
  EXPECT_NE(w.win.status("Status"), "Fuses Written");
  EXPECT_FALSE(w.win.busy());
  // The failed block left programming mode before reporting, so the EEPROM went to the right
  // addresses and nothing broke the chip's timing.
  EXPECT_TRUE(w.chip.violations().empty());
}

TEST(ProgramVerifyTest, ReadDeviceListsTheChipAndTheFileSize) {
  SimWindow w;
  w.Start();
  w.New_Log();
  w.win.Click(Ctl::Btn_Read_Device);
  EXPECT_EQ(
      w.New_Log(),
      "Read of Device Content\r\n\r\nRead of Device Content\r\n"
      " 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF ...\r\n0 lines of program\r\n");
  EXPECT_EQ(w.win.status("Status"), "Device Fuses : 0x3FFF");
  ASSERT_TRUE(w.Load(kDemo84));
  w.New_Log();
  w.win.Click(Ctl::Btn_Read_Device);
  EXPECT_NE(w.New_Log().find("\r\n10 lines of program\r\n"), std::string::npos);
  EXPECT_EQ(w.st.ReadBuffer[1023], 0);  // word 1023 is never read
}

TEST(ProgramVerifyTest, AutomaticUpdateReloadsTheFileBeforeProgramming) {
  SimWindow w;
  w.Start();
  const std::string path = Write_Temp_File("auto.hex", ":020000000528D1\n:00000001FF\n");
  ASSERT_TRUE(w.Load(path));
  Write_Temp_File("auto.hex", ":020000000628D0\n:00000001FF\n");  // the file changes on disk
  w.win.Set_Value(Ctl::Check_auto, kUnchecked);
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.chip.program(0), 0x2805);  // as loaded
  w.win.Set_Value(Ctl::Check_auto, kChecked);
  w.New_Log();
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.New_Log().rfind("updating program \r\n\r\n", 0), 0u);
  EXPECT_EQ(w.chip.program(0), 0x2806);  // as on disk now
}

TEST(ProgramVerifyTest, AFailedReloadCancelsProgrammingBeforeTheChipIsTouched) {
  SimWindow w;
  w.Start();
  const std::string path = Write_Temp_File("broken.hex", ":020000000528D1\n:00000001FF\n");
  ASSERT_TRUE(w.Load(path));
  Write_Temp_File("broken.hex", ":020000000528D2\n");  // now a checksum error
  const std::size_t mark = w.trace.accesses.size();
  w.New_Log();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.New_Log(),
            "updating program \r\n\r\nProgramming cancelled : the file could not be read\r\n"
            "PROGRAM failed: nothing written\r\n");
  EXPECT_EQ(w.view.boxes.back(), "Error while reading file : checksum error at line 1");
  EXPECT_EQ(w.trace.accesses.size(), mark);
  EXPECT_TRUE(w.view.busy_changes.empty() || w.view.busy_changes.back() == false);
  EXPECT_FALSE(w.win.busy());
}

TEST(ProgramVerifyTest, AnEmptyProgramWritesNothing) {
  SimWindow w;
  w.Start();
  // Only an EEPROM record: no program lines at all.
  ASSERT_TRUE(w.Load(Write_Temp_File("ee.hex", ":04420000AA005500BB\n:00000001FF\n")));
  EXPECT_EQ(w.st.LastProgramAddress, -1);
  w.New_Log();
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  const std::string log = w.New_Log();
  EXPECT_NE(log.find("0 lines of program written\r\n"), std::string::npos);
  EXPECT_NE(log.find(" AA 55"), std::string::npos);
  EXPECT_EQ(w.chip.eeprom(0), 0xAA);
  EXPECT_EQ(w.chip.eeprom(1), 0x55);
  w.New_Log();
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));  // the fuses were programmed as normalised
  EXPECT_NE(w.New_Log().find("Verify detected : 0 errors"), std::string::npos);
}

}  // namespace
}  // namespace corvane::testing

namespace corvane::testing {
namespace {

TEST(ProgramVerifyTest, AProgramLargerThanTheChipIsNotWritten) {
  // Words 0 and 1024: on a 1K chip word 1024 would land on word 0 and read back right.
  SimWindow w;
  w.Start();
  ASSERT_TRUE(
      w.Load(Write_Temp_File("big.hex", ":020000000528D1\n:020800000628C8\n:00000001FF\n")));
  EXPECT_EQ(w.st.LastProgramAddress, 1024);
  const std::size_t mark = w.trace.accesses.size();
  w.win.Set_Value(Ctl::Check_auto, kUnchecked);
  w.New_Log();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  const std::string why =
      "Programming cancelled : 1025 words of program do not fit the PIC16f84 (1024 words)";
  EXPECT_EQ(w.New_Log(), why + "\r\nPROGRAM failed: nothing written\r\n");
  EXPECT_EQ(w.view.boxes, std::vector<std::string>({why}));
  EXPECT_EQ(w.trace.accesses.size(), mark);
  EXPECT_EQ(w.chip.program(0), 0x3FFF);
  EXPECT_FALSE(w.win.busy());

  // An 8K program on a 4K chip; the same file on an 8K chip goes through.
  SimWindow small({.chip = sim::ChipKind::Pic16F873});
  small.Start();
  ASSERT_TRUE(small.Load(kDemo877));
  EXPECT_FALSE(small.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(small.view.boxes.back(),
            "Programming cancelled : 8192 words of program do not fit the PIC16f873 (4096 words)");
  EXPECT_EQ(small.chip.program(0), 0x3FFF);
}

}  // namespace
}  // namespace corvane::testing
