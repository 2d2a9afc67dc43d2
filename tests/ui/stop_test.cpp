// The user's Stop: a device command stops between two words of its transfer, leaves programming
// mode, says where it stopped and is never reported as a success; while a command runs only Stop
// and Exit are taken, and afterwards the keyboard focus goes back to the control pressed.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "hardware/registers.h"
#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";
const std::string kDemo877 = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";

struct StopCase {
  const char* what;
  Ctl command;        // Ctl::kCount: File Save
  int stop_after;     // the progress report after which Stop is pressed
  int report_total;   // whose total it must have (to stop in the right transfer)
  const char* where;  // the log's last line
};

// Shown by name in the test list (the same on every system).
void PrintTo(const StopCase& c, std::ostream* os) {
  *os << c.what;
}

class StopTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(StopTest, StopsBetweenTwoWordsAndSaysWhere) {
  const StopCase& c = GetParam();
  SimWindow w({.chip = sim::ChipKind::Pic16F877});
  w.Start();
  ASSERT_TRUE(w.Load(kDemo877));
  if (c.command == Ctl::Btn_Verify || c.command == Ctl::Btn_Read_EEPROM) {
    ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  }
  int reports = 0;
  w.view.on_progress = [&](int, int total) {
    if (total == c.report_total && ++reports == c.stop_after) w.win.Click(Ctl::Btn_Stop);
  };
  const std::string saved = ::testing::TempDir() + "stopped_save.hex";
  std::filesystem::remove(saved);
  w.New_Log();
  const bool done = c.command == Ctl::kCount ? w.win.Save_Device_To(saved) : w.win.Click(c.command);
  EXPECT_FALSE(done) << "a stop is never a success";
  const std::string log = w.New_Log();
  EXPECT_EQ(log.substr(log.rfind("Stopped")), std::string(c.where) + "\r\n");
  EXPECT_EQ(log.find("failed"), std::string::npos);
  EXPECT_EQ(w.win.status("Status"), "Stopped");
  EXPECT_FALSE(w.win.busy());
  // Armed again as after a failure; Stop is offered no longer.
  EXPECT_TRUE(w.win.control(Ctl::Btn_Program_Device).enabled);
  EXPECT_TRUE(w.win.control(Ctl::Btn_Verify).enabled);
  EXPECT_FALSE(w.win.control(Ctl::Btn_Stop).enabled);
  // Out of programming mode, Vpp off as Vpp_Off leaves it, and no cycle cut short.
  EXPECT_FALSE(w.chip.in_programming_mode());
  EXPECT_TRUE(w.board.data_register() & reg::kD3Vpp);
  EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations().front().what;
  EXPECT_TRUE(w.view.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(saved));
  // The next command runs as usual.
  w.view.on_progress = nullptr;
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Check_Device_Id));
}

INSTANTIATE_TEST_SUITE_P(
    AtSeveralPoints, StopTest,
    ::testing::Values(StopCase{"program, first word", Ctl::Btn_Program_Device, 1, 8192,
                               "Stopped by the user at address 0x0002 of 0x1FFF"},
                      StopCase{"program, high in memory", Ctl::Btn_Program_Device, 0x1234, 8192,
                               "Stopped by the user at address 0x1235 of 0x1FFF"},
                      StopCase{"program, its EEPROM data", Ctl::Btn_Program_Device, 2, 5,
                               "Stopped by the user at EEPROM address 0x0003 of 0x0004"},
                      StopCase{"verify", Ctl::Btn_Verify, 100, 8192,
                               "Stopped by the user at address 0x0065 of 0x1FFF"},
                      StopCase{"read", Ctl::Btn_Read_Device, 1000, 1023,
                               "Stopped by the user at address 0x03E9 of 0x03FE"},
                      StopCase{"PROGRAM EEPROM", Ctl::Btn_Prog_EEPROM, 1, 5,
                               "Stopped by the user at EEPROM address 0x0002 of 0x0004"},
                      StopCase{"READ EEPROM", Ctl::Btn_Read_EEPROM, 16, 64,
                               "Stopped by the user at EEPROM address 0x0011 of 0x003F"},
                      StopCase{"save, program memory", Ctl::kCount, 4000, 8192,
                               "Stopped by the user at address 0x0FA1 of 0x1FFF"},
                      StopCase{"save, data EEPROM", Ctl::kCount, 200, 256,
                               "Stopped by the user at EEPROM address 0x00C9 of 0x00FF"}),
    [](const ::testing::TestParamInfo<StopCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) name += std::isalnum(*p) ? *p : '_';
      return name;
    });

TEST(StopTest, DuringACommandOnlyStopAndExitAreTakenAndExitWaitsForItsEnd) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(kDemo84));
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  w.win.Click(Ctl::Btn_Stop);  // nothing runs: not kept for the next command
  std::vector<bool> taken;
  int closes_during = -1;
  w.view.on_progress = [&](int done, int) {
    if (done != 1) return;
    taken.push_back(w.win.Click(Ctl::Btn_Erase_Device));
    taken.push_back(w.win.Click(Ctl::Btn_Load_File));
    taken.push_back(w.win.Click(Ctl::Menu_File_Exit));
    closes_during = w.view.closes;
  };
  EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));
  EXPECT_EQ(taken, std::vector<bool>({false, false, true}));
  EXPECT_EQ(closes_during, 0);
  EXPECT_EQ(w.view.closes, 1) << "closed once the verify had ended";
  EXPECT_EQ(w.view.dialogs, 1) << "only the first load's";
  EXPECT_NE(w.win.log().find("Verify detected : 0 errors"), std::string::npos);
}

TEST(StopTest, TheFocusGoesBackToTheControlPressed) {
  SimWindow w;
  w.Start();
  EXPECT_EQ(w.view.focused, Ctl::txtTerm) << "nothing pressed yet";
  ASSERT_TRUE(w.Load(kDemo84));
  EXPECT_EQ(w.view.focused, Ctl::Btn_Load_File);
  w.win.Focus_Moved(Ctl::Btn_Program_Device);
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.view.focused, Ctl::Btn_Program_Device) << "not \"Automatic File Update\"";
  // A menu command: back to the control that had the focus.
  w.win.Focus_Moved(Ctl::Btn_Verify);
  w.win.Focus_Moved(Ctl::Device);  // the device box takes no focus here
  w.view.save_files.push_back(::testing::TempDir() + "focus.hex");
  ASSERT_TRUE(w.win.Click(Ctl::Menu_File_Save));
  EXPECT_EQ(w.view.focused, Ctl::Btn_Verify);
  // The control pressed is disabled after the command (the file no longer reads): the log.
  Write_Temp_File("focus_broken.hex", ":020000000528D1\n:00000001FF\n");
  ASSERT_TRUE(w.Load(::testing::TempDir() + "focus_broken.hex"));
  Write_Temp_File("focus_broken.hex", ":020000000528D2\n");
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_FALSE(w.win.control(Ctl::Btn_Program_Device).enabled);
  EXPECT_EQ(w.view.focused, Ctl::txtTerm);
}

}  // namespace
}  // namespace corvane::testing
