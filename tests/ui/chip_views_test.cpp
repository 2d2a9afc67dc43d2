// The blank check, the checksums and the memory view on the simulated chips: what the log, the
// title and the rows show for an erased, a programmed, a differing and a protected chip.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";
const std::string kDemo877 = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";

TEST(ChipViewsTest, BlankCheckReadsEveryLocationOfTheChip) {
  struct Case {
    const char* what;
    sim::ChipKind chip;
    void (*prepare)(SimWindow&);
    bool blank;
    const char* report;
  };
  const Case cases[] = {
      {"erased", sim::ChipKind::Pic16F84A, [](SimWindow&) {}, true, "Device is blank\r\n"},
      {"a 16F84, which has no identification word", sim::ChipKind::Pic16F84, [](SimWindow&) {},
       true, "Device is blank\r\n(or the socket is empty: no identification word)\r\n"},
      {"the demo programmed", sim::ChipKind::Pic16F84A,
       [](SimWindow& w) {
         ASSERT_TRUE(w.Load(kDemo84));
         ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
       },
       false,
       "Not blank at : 0000 0004 0005 0006 0007 0008 0009 000A 2000 2001 2002 ...\r\n"
       "Device is not blank : 18 locations\r\n"},
      {"the last EEPROM byte of a 16F877", sim::ChipKind::Pic16F877,
       [](SimWindow& w) { w.chip.set_eeprom(255, 0x00); }, false,
       "Not blank at : 21FF\r\nDevice is not blank : 1 location\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimWindow w({.chip = c.chip});
    w.Start();
    c.prepare(w);
    w.New_Log();
    EXPECT_EQ(w.win.Click(Ctl::Menu_View_Blank_Check), c.blank);
    EXPECT_EQ(w.New_Log(), std::string("Blank Check of Device Content\r\n\r\n") + c.report);
    EXPECT_EQ(w.win.status("Status"), c.blank ? "Device is blank" : "Device is not blank");
    EXPECT_TRUE(w.view.boxes.empty());
  }
}

TEST(ChipViewsTest, ChecksumsOfTheFileAndOfTheChipAsLastRead) {
  SimWindow w;
  w.Start();
  auto sums = [&] {
    const Checksums c = w.win.Checksums_Now();
    return c.file + " / " + c.chip;
  };
  EXPECT_EQ(sums(), "no file loaded / not read in full");
  ASSERT_TRUE(w.Load(kDemo84));
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  // Verify reads 1023 of the 1024 words: no sum for the chip yet.
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Verify));
  EXPECT_EQ(sums(), "0xE778 / not read in full");
  // The whole chip read: the sum an IDE shows for the file (words, blanks as 3FFF, fuses).
  ASSERT_TRUE(w.win.Save_Device_To(::testing::TempDir() + "checksum.hex"));
  EXPECT_EQ(sums(), "0xE778 / 0xE778");
  w.New_Log();
  w.win.Log_Checksums();
  EXPECT_EQ(w.New_Log(), "Checksum of the file : 0xE778\r\nChecksum of the chip : 0xE778\r\n");
  EXPECT_EQ(w.win.Memory_Rows().title, "Memory : file checksum 0xE778, chip checksum 0xE778");
  // A write forgets what the chip held.
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Erase_Device));
  EXPECT_EQ(sums(), "0xE778 / not read in full");
  // Protected words read as 0: the sum is shown with a word of warning.
  w.chip.set_config(0x000F);
  w.win.Click(Ctl::Menu_View_Blank_Check);
  EXPECT_EQ(w.win.Checksums_Now().chip, "0x000F (code protected)");
}

TEST(ChipViewsTest, MemoryViewMarksTheWordsWhereFileAndChipDiffer) {
  SimWindow w({.chip = sim::ChipKind::Pic16F877});
  w.chip.set_unprogrammable_word(6);
  w.Start();
  ASSERT_TRUE(w.Load(kDemo84));
  w.win.Click(Ctl::Btn_Program_Device);
  w.win.Click(Ctl::Btn_Verify);
  w.win.Click(Ctl::Btn_Read_EEPROM);
  const MemoryView v = w.win.Memory_Rows();
  EXPECT_EQ(v.title, "Memory : file checksum 0xC6F8, chip not read in full");
  // The whole 16F877: a heading and 1024 rows of program memory, the configuration area, 32 rows
  // of EEPROM.
  ASSERT_EQ(v.lines.size(), 1u + 1024 + 2 + 1 + 32);
  EXPECT_EQ(v.lines[1],
            "0000  2805 3FFF 3FFF 3FFF 0009 1683 0186 1283  ........  | "
            "2805 3FFF 3FFF 3FFF 0009 1683 3FFF*3FFF* ........");
  EXPECT_EQ(v.lines[2],
            "0008  3055 0086 280A ---- ---- ---- ---- ----  U..       | "
            "3FFF*3FFF*3FFF*3FFF 3FFF 3FFF 3FFF 3FFF  ........");
  // The failed program left the user IDs and the fuses unwritten, as the verify read them.
  EXPECT_EQ(v.lines[1026],
            "2000  0001 0002 0003 0004                3F71  ....   q  | "
            "3FFF*3FFF*3FFF*3FFF*          09A3 3FFF* ....  ..");
  // The EEPROM data is written even so; READ EEPROM read the first 64 bytes of the 256.
  EXPECT_EQ(v.lines[1028],
            "2100    01   02   AB   48   69 ---- ---- ----  ...Hi     | "
            "  01   02   AB   48   69   FF   FF   FF  ...Hi...");
  EXPECT_EQ(v.lines[1036],
            "2140  ---- ---- ---- ---- ---- ---- ---- ----            | "
            "---- ---- ---- ---- ---- ---- ---- ----");
  w.win.Click(Ctl::Menu_View_Memory);
  EXPECT_EQ(w.view.memory_views, 1);
}

}  // namespace
}  // namespace corvane::testing
