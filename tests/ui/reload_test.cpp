// Program device's automatic reload of the file, when the file no longer reads.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

constexpr Ctl kFileButtons[] = {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM};

TEST(ReloadTest, AFailedReloadLeavesNoFileArmed) {
  SimWindow w;
  w.Start();
  const std::string path = Write_Temp_File("reload.hex", ":020000000528D1\r\n:00000001FF\r\n");
  ASSERT_TRUE(w.Load(path));
  ASSERT_EQ(w.win.control(Ctl::Check_auto).value, kChecked);
  // The file is damaged between the load and the programming.
  Write_Temp_File("reload.hex", ":020000000528D2\r\n");
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.view.boxes.back(), "Error while reading file : checksum error at line 1");
  // As after a File Open that failed: no file in the caption, nothing to program or verify.
  EXPECT_EQ(w.win.caption(), "Corvane by Dravik ");
  EXPECT_EQ(w.win.FileName(), "");
  for (Ctl id : kFileButtons) EXPECT_FALSE(w.win.control(id).enabled) << w.win.control(id).name;
  EXPECT_EQ(w.chip.program(0), 0x3FFF);  // the chip was not touched
  EXPECT_FALSE(w.win.busy());

  // A file that reads again arms the window again.
  Write_Temp_File("reload.hex", ":020000000528D1\r\n");
  ASSERT_TRUE(w.Load(path));
  for (Ctl id : kFileButtons) EXPECT_TRUE(w.win.control(id).enabled);
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.chip.program(0), 0x2805);

  // A file that disappeared: the same.
  std::filesystem::remove(path);
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.win.caption(), "Corvane by Dravik ");
  for (Ctl id : kFileButtons) EXPECT_FALSE(w.win.control(id).enabled);
}

}  // namespace
}  // namespace corvane::testing
