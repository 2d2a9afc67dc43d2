// The window's services, busy state, file commands and fuse controls.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kWorkedExample = ":020000000528D1\r\n:02400E00F13F80\r\n:00000001FF\r\n";

TEST(WindowLogicTest, LogKeepsItsLastCharactersPastTheLimit) {
  SimWindow w;
  w.win.Append_Text(std::string(16000, 'a'));
  w.win.Append_Text("b");  // 16000 characters: no trimming
  EXPECT_EQ(w.win.log().size(), 16001u);
  w.win.Append_Text("c");  // 16001 before the append: the first 4096 go
  EXPECT_EQ(w.win.log().size(), 11906u);
  EXPECT_EQ(w.win.log().substr(11904), "bc");
}

TEST(WindowLogicTest, LogCountsCharactersNotBytes) {
  SimWindow w;
  std::string accented;
  for (int i = 0; i < 16000; ++i) accented += "\xC3\xA9";  // é: two bytes, one character
  w.win.Append_Text(accented);
  w.win.Append_Text("a");  // 16000 characters before: no trimming
  EXPECT_EQ(w.win.log().size(), 32001u);
  w.win.Append_Text("b");  // 16001 characters before: the first 4096 characters go
  EXPECT_EQ(w.win.log().size(), 32001u - 2 * 4096u + 1u);
  EXPECT_EQ(w.win.log().substr(0, 2), "\xC3\xA9");
}

TEST(WindowLogicTest, StatusPanelsAreFoundByKey) {
  SimWindow w;
  w.win.Set_Status("Status", "x");
  EXPECT_EQ(w.win.status("Status"), "x");
  EXPECT_EQ(w.win.status("Port"), "Port :");
  EXPECT_EQ(w.win.status("Device"), "Device :");
  EXPECT_EQ(w.win.status("Fuses"), "Fuses :");
  w.win.Set_Status("Nope", "y");  // no such panel: nothing changes
  EXPECT_EQ(w.win.status("Nope"), "");
}

TEST(WindowLogicTest, BusyStateFollowsItsRules) {
  SimWindow w;
  // Right after creation, with no board and no file: only Find_Port and Load come back.
  w.win.Sablier_On();
  EXPECT_TRUE(w.win.busy());
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device,
                 Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device,
                 Ctl::Btn_Prog_Fuses, Ctl::Btn_RESET, Ctl::Btn_Find_Port, Ctl::Btn_Load_File}) {
    EXPECT_FALSE(w.win.control(id).enabled) << w.win.control(id).name;
  }
  // The EEPROM buttons stay usable during the busy state.
  for (Ctl id : {Ctl::Btn_Prog_EEPROM, Ctl::Btn_Read_EEPROM, Ctl::Btn_Erase_EEPROM}) {
    EXPECT_TRUE(w.win.control(id).enabled);
  }
  w.win.Sablier_Off();
  EXPECT_FALSE(w.win.busy());
  for (int i = 0; i < kControlCount; ++i) {
    const Ctl id = Ctl(i);
    const bool back = id == Ctl::Btn_Find_Port || id == Ctl::Btn_Load_File;
    if (w.win.control(id).kind == ControlKind::Button &&
        (id == Ctl::Btn_Program_Device || id == Ctl::Btn_Read_Device || id == Ctl::Btn_RESET ||
         back)) {
      EXPECT_EQ(w.win.control(id).enabled, back) << w.win.control(id).name;
    }
  }
  // A Brannock board found: RESET stays off after the busy state.
  w.Start();
  w.win.Sablier_On();
  w.win.Sablier_Off();
  EXPECT_FALSE(w.win.control(Ctl::Btn_RESET).enabled);
  EXPECT_TRUE(w.win.control(Ctl::Btn_Read_Device).enabled);
}

TEST(WindowLogicTest, WorkedExampleSetsTheFuseControls) {
  for (const char* device : {"PIC16f84", "PIC16f877"}) {
    SimWindow w({.with_chip = false});
    w.Start();  // an empty socket identifies as PIC16f84
    w.win.Set_Device(device);
    ASSERT_TRUE(w.Load(Write_Temp_File("worked.hex", kWorkedExample)));
    const bool is84 = std::string(device) == "PIC16f84";
    EXPECT_EQ(w.st.ConfigWord, is84 ? 0x3FF1 : 0x3F71);
    EXPECT_EQ(w.st.ProgramImage[0], 0x2805);
    EXPECT_EQ(w.st.LastProgramAddress, 0);
    EXPECT_EQ(w.win.control(Ctl::Opt_Osc_1).value, 1);
    EXPECT_EQ(w.win.control(Ctl::Check_WDT).value, kUnchecked);
    EXPECT_EQ(w.win.control(Ctl::Check_PWRT).value, kChecked);
    EXPECT_EQ(w.win.control(Ctl::Check_BODEN).value, kChecked);
    // The handlers that ran rewrote the panel in their own format.
    EXPECT_EQ(w.win.status("Fuses"), is84 ? "Fuses 0x3FF1" : "Fuses 0x3F71");
    EXPECT_EQ(w.win.log(), Write_Temp_File("worked.hex", kWorkedExample) +
                               "\r\n 2805 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF ...\r\n"
                               "1 lines of program\r\n");
  }
}

TEST(WindowLogicTest, FuseControlsEditTheConfigurationWord) {
  SimWindow w;
  w.win.Set_Device("PIC16f84");
  w.win.Set_Value(Ctl::Check_WDT, kChecked);  // before anything else: no normalisation
  EXPECT_EQ(w.st.ConfigWord, 4);
  EXPECT_EQ(w.win.status("Fuses"), "Fuses 0x4");
  w.win.Set_Value(Ctl::Check_WDT, kUnchecked);
  w.win.Set_Value(Opt_Osc(1), 1);  // XT
  EXPECT_EQ(w.st.ConfigWord, 0x3FF1);
  EXPECT_EQ(w.win.status("Fuses"), "Fuses 0x3FF1");
  w.win.Set_Value(Ctl::Check_PWRT, kChecked);
  EXPECT_EQ(w.st.ConfigWord, 0x3FF1);
  w.win.Set_Value(Ctl::Check_PWRT, kUnchecked);
  EXPECT_EQ(w.st.ConfigWord, 0x3FF9);
  // Selecting the same button again runs nothing; another one clears the first.
  w.st.ConfigWord = 0;
  w.win.Set_Value(Opt_Osc(1), 1);
  EXPECT_EQ(w.st.ConfigWord, 0);
  w.win.Set_Device("PIC16f877");
  w.win.Set_Value(Opt_Osc(3), 1);
  EXPECT_EQ(w.st.ConfigWord, 0x3F33);
  EXPECT_EQ(w.win.control(Opt_Osc(1)).value, 0);
  // A word with the low-voltage bit set loses it at the next oscillator choice on a 16F87x.
  w.st.ConfigWord = 0x3FFF;
  w.win.Set_Value(Opt_Osc(2), 1);
  EXPECT_EQ(w.st.ConfigWord, 0x3F7E);
  // Show_Fuses of 0x3FFF: RC, WDT and BOD checked, PWRT unchecked, word unchanged.
  w.st.ConfigWord = 0x3FFF;
  w.win.Show_Fuses();
  EXPECT_EQ(w.win.control(Opt_Osc(3)).value, 1);
  EXPECT_EQ(w.win.control(Ctl::Check_WDT).value, kChecked);
  EXPECT_EQ(w.win.control(Ctl::Check_BODEN).value, kChecked);
  EXPECT_EQ(w.win.control(Ctl::Check_PWRT).value, kUnchecked);
}

TEST(WindowLogicTest, SpeedBoxSetsTheDelayUnit) {
  SimWindow w;
  w.win.Set_Value(Ctl::Check_Speed, kChecked);
  EXPECT_EQ(w.st.DelayUnit, 30);
  w.win.Set_Value(Ctl::Check_Speed, kUnchecked);
  EXPECT_EQ(w.st.DelayUnit, 2);
  w.win.Set_Value(Ctl::Check_Speed, kGrayed);
  EXPECT_EQ(w.st.DelayUnit, 30);
}

TEST(WindowLogicTest, CancellingFileOpenDropsTheFileButKeepsTheRest) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex"));
  EXPECT_EQ(w.view.last_filter, "HEX files (*.hex)|*.hex|");
  w.win.Click(Ctl::Menu_File_Open);  // cancelled
  EXPECT_EQ(w.win.caption(), "Corvane by Dravik ");
  EXPECT_EQ(w.win.FileName(), "");
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM}) {
    EXPECT_FALSE(w.win.control(id).enabled);
  }
  for (int a = 0; a < 1024; ++a) ASSERT_EQ(w.st.ProgramImage[a], 0x3FFF);
  EXPECT_EQ(w.st.LastProgramAddress, 10);
  EXPECT_EQ(w.st.EepromCount, 5);
  EXPECT_EQ(w.st.EepromImage[2], 0xAB);
  EXPECT_EQ(w.st.ConfigWord, 0x3FF1);
  EXPECT_EQ(w.win.control(Ctl::Check_auto).value, kChecked);
  // Later busy states do not bring the file buttons back.
  w.win.Click(Ctl::Btn_Read_Device);
  EXPECT_FALSE(w.win.control(Ctl::Btn_Program_Device).enabled);
}

TEST(WindowLogicTest, FileOpenClearsTheTimerBoxesBeforeLoading) {
  SimWindow w;
  w.Start();
  w.win.Set_Value(Ctl::Check_WDT, kChecked);
  EXPECT_EQ(w.st.ConfigWord, 4);
  // A file without a configuration record keeps the word, less the cleared box's bit.
  ASSERT_TRUE(w.Load(Write_Temp_File("nocfg.hex", ":020000000528D1\n:00000001FF\n")));
  EXPECT_EQ(w.st.ConfigWord, 0x3FF0);
  EXPECT_EQ(w.win.control(Ctl::Check_WDT).value, kUnchecked);
}

TEST(WindowLogicTest, AFailedLoadLeavesNoFileAndTheImageAsItWas) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(Write_Temp_File("good.hex", kWorkedExample)));
  w.New_Log();
  EXPECT_TRUE(w.Load(Write_Temp_File("bad.hex", ":020000000628D1\n")));
  EXPECT_EQ(w.view.boxes.back(), "Error while reading file : checksum error at line 1");
  EXPECT_EQ(w.win.caption(), "Corvane by Dravik ");
  EXPECT_EQ(w.win.FileName(), "");
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM}) {
    EXPECT_FALSE(w.win.control(id).enabled);
  }
  EXPECT_EQ(w.st.ProgramImage[0], 0x2805);  // not blanked
  // File Open cleared the PWRT and BOD boxes before the load; the load itself changed nothing.
  EXPECT_EQ(w.st.ConfigWord, 0x3FB9);
  EXPECT_EQ(w.win.control(Ctl::Check_PWRT).value, kUnchecked);
  EXPECT_EQ(w.New_Log(), "");
  // A missing file: the plain message.
  w.Load("/nonexistent/file.hex");
  EXPECT_EQ(w.view.boxes.back(),
            "Error while reading file : /nonexistent/file.hex: No such file or directory");
}

TEST(WindowLogicTest, LinesThatAreNotRecordsAreReportedAndSkipped) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(Write_Temp_File("blank.hex", "\n:020000000528D1\n\n:00000001FF\n")));
  EXPECT_EQ(w.view.boxes, std::vector<std::string>({"erreur de fichier", "erreur de fichier"}));
  EXPECT_EQ(w.st.LastProgramAddress, 0);
  EXPECT_TRUE(w.win.control(Ctl::Btn_Program_Device).enabled);
}

TEST(WindowLogicTest, MenusReachTheView) {
  SimWindow w;
  w.win.Click(Ctl::Menu_File_Exit);
  EXPECT_EQ(w.view.closes, 1);
  EXPECT_FALSE(w.win.control(Ctl::Command1).user_available);
  EXPECT_TRUE(w.win.control(Ctl::Menu_File_Save).user_available);
  EXPECT_TRUE(w.win.control(Ctl::Menu_Options_HardWare).user_available);  // the Port page
  w.win.Click(Ctl::Menu_Options_HardWare);
  EXPECT_EQ(w.view.options_shown, 1);
  EXPECT_EQ(Control_By_Name("Btn_Verify"), Ctl::Btn_Verify);
  EXPECT_EQ(Control_By_Name("nothing"), Ctl::kCount);
}

}  // namespace
}  // namespace corvane::testing
