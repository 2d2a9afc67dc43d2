// Start-up and port discovery, on the simulated board in virtual time.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const Ctl kBoardButtons[] = {Ctl::Btn_Read_Device, Ctl::Btn_Check_Device_Fuses,
                             Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device, Ctl::Btn_Prog_Fuses};

// A port with nothing on it: every read is the empty bus.
class EmptyBus : public PortIo {
 public:
  std::uint8_t read(std::uint16_t) override { return 0xFF; }
  void write(std::uint16_t address, std::uint8_t) override { written_addresses.push_back(address); }
  std::vector<std::uint16_t> written_addresses;
};

TEST(StartupTest, FindsTheBrannockBoardAndIdentifiesTheChip) {
  SimWindow w;
  w.Start();
  const Panneau& win = w.win;
  EXPECT_EQ(w.st.OsVersionText, "Windows version: ? ");
  EXPECT_EQ(w.st.LoopsPerSecond, 10000);
  EXPECT_EQ(w.st.DelayUnit, 2);
  EXPECT_EQ(w.st.PortBase, 0x378);
  EXPECT_EQ(w.st.PortFound, 1);
  EXPECT_EQ(w.st.BoardVariant, kBrannock);
  EXPECT_EQ(win.status("Port"), "Port : LPT1:");
  EXPECT_EQ(win.status("Device"), "Device : PIC16f84 (561)");
  EXPECT_EQ(win.status("Status"), "Verifying Device Id");
  EXPECT_EQ(win.status("Fuses"), "Fuses :");
  EXPECT_EQ(win.control(Ctl::Device).text, "PIC16f84");
  EXPECT_EQ(win.caption(), "Corvane by Dravik");
  EXPECT_EQ(win.log(), "");
  EXPECT_TRUE(w.view.boxes.empty());
  for (Ctl id : kBoardButtons) EXPECT_TRUE(win.control(id).enabled) << win.control(id).name;
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM, Ctl::Btn_RESET}) {
    EXPECT_FALSE(win.control(id).enabled) << win.control(id).name;
  }
  for (Ctl id :
       {Ctl::Btn_Find_Port, Ctl::Btn_Load_File, Ctl::Btn_Read_EEPROM, Ctl::Btn_Erase_EEPROM}) {
    EXPECT_TRUE(win.control(id).enabled) << win.control(id).name;
  }
  EXPECT_EQ(win.control(Ctl::Check_Vdd).value, kChecked);
  EXPECT_EQ(win.control(Ctl::Check_auto).value, kGrayed);
  EXPECT_EQ(win.control(Ctl::Check_Speed).value, kUnchecked);
  EXPECT_FALSE(win.busy());
  EXPECT_EQ(w.st.ProgramImage[1023], 0x3FFF);
  EXPECT_EQ(w.st.ProgramImage[1024], 0);
  EXPECT_EQ(w.st.ConfigWord, 0);
  EXPECT_EQ(w.st.LastProgramAddress, 0);
  // The lines at rest: Vpp removed (D3 set), Vdd applied (D2 set), chip out of programming mode.
  EXPECT_EQ(w.board.data_register() & 0x0C, 0x0C);
  EXPECT_FALSE(w.chip.in_programming_mode());
  EXPECT_TRUE(w.chip.violations().empty());
}

TEST(StartupTest, NothingTouchesThePortBeforeTheFirstProbe) {
  SimWindow w;
  w.Start();
  ASSERT_FALSE(w.trace.accesses.empty());
  // The first access is the probe of LPT2 reading its data register.
  EXPECT_FALSE(w.trace.accesses[0].write);
  EXPECT_EQ(w.trace.accesses[0].address, 0x278);
  // Calibration took one second of the clock before it.
  EXPECT_GE(w.trace.accesses[0].t_ns, 1'000'000'000);
}

TEST(StartupTest, BoardOnLpt2IsFoundWithoutProbingLpt1) {
  SimWindow w({.base = kLpt2});
  w.Start();
  EXPECT_EQ(w.win.status("Port"), "Port : LPT2:");
  EXPECT_EQ(w.st.PortBase, 0x278);
  for (const PortAccess& a : w.trace.accesses) EXPECT_NE(a.address & 0xFFFE, 0x378);
}

TEST(StartupTest, TesselBoardEnablesResetAndGreysVdd) {
  SimWindow w({.board = kTessel});
  w.Start();
  EXPECT_EQ(w.st.BoardVariant, kTessel);
  EXPECT_TRUE(w.win.control(Ctl::Btn_RESET).enabled);
  EXPECT_EQ(w.win.control(Ctl::Check_Vdd).value, kGrayed);
  EXPECT_EQ(w.board.data_register(), 0x00);
  EXPECT_EQ(w.win.status("Device"), "Device : PIC16f84 (561)");
  EXPECT_TRUE(w.chip.violations().empty());
}

TEST(StartupTest, WithoutABoardOnlyFileCommandsAndDiscoveryStayUsable) {
  VirtualClock clock;
  WorkingState st;
  EmptyBus bus;
  Lines lines(bus, clock, st);
  RecordingView view;
  Panneau win(st, lines, view);
  win.Form_Load();
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0], "No Valid Port Found ! (Check connections and supply voltages)");
  EXPECT_EQ(win.status("Port"), "Port :");
  EXPECT_EQ(win.status("Status"), "Status :");  // no identification ran
  EXPECT_EQ(st.PortBase, 0);
  EXPECT_EQ(st.PortFound, 0);
  for (Ctl id : kBoardButtons) EXPECT_FALSE(win.control(id).enabled);
  EXPECT_TRUE(win.control(Ctl::Btn_Find_Port).enabled);
  EXPECT_TRUE(win.control(Ctl::Btn_Load_File).enabled);
  EXPECT_FALSE(win.control(Ctl::Btn_RESET).enabled);
  // The probes wrote 0x29, 0x2A and what they had read back, on each port; nothing more.
  EXPECT_EQ(bus.written_addresses,
            std::vector<std::uint16_t>({0x278, 0x278, 0x278, 0x378, 0x378, 0x378}));
  // Each press of Find_Port shows the box once more and leaves the panel alone.
  win.Click(Ctl::Btn_Find_Port);
  EXPECT_EQ(view.boxes.size(), 2u);
  EXPECT_EQ(win.status("Port"), "Port :");
  // An EEPROM button stays enabled, but drives no port while none was found.
  bus.written_addresses.clear();
  EXPECT_FALSE(win.Click(Ctl::Btn_Read_EEPROM));
  EXPECT_EQ(view.boxes.back(), "No Valid Port Found ! (Check connections and supply voltages)");
  EXPECT_TRUE(bus.written_addresses.empty());
  EXPECT_EQ(win.log(), "");
  EXPECT_FALSE(win.busy());
}

TEST(StartupTest, EmptySocketStillFindsTheBoardAndReadsAnErasedId) {
  SimWindow w({.with_chip = false});
  w.Start();
  EXPECT_EQ(w.win.status("Port"), "Port : LPT1:");
  EXPECT_EQ(w.win.status("Device"), "Device : PIC16f84 (3FFF)");
}

TEST(StartupTest, RediscoveryAfterLosingTheBoardKeepsDeviceButtonsOff) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(Write_Temp_File("one.hex", ":020000000528D1\r\n:00000001FF\r\n")));
  w.board.disconnect_after(0);
  w.win.Click(Ctl::Btn_Find_Port);
  EXPECT_EQ(w.st.PortBase, 0);
  EXPECT_EQ(w.st.PortFound, 1);
  for (Ctl id : kBoardButtons) EXPECT_FALSE(w.win.control(id).enabled);
  // Program stays enabled with a file, but refuses to drive port 0.
  EXPECT_TRUE(w.win.control(Ctl::Btn_Program_Device).enabled);
  const std::size_t mark = w.trace.accesses.size();
  w.New_Log();
  EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_EQ(w.trace.accesses.size(), mark);
  EXPECT_EQ(w.New_Log(), "");
  EXPECT_EQ(w.view.boxes.back(), "No Valid Port Found ! (Check connections and supply voltages)");
}

TEST(StartupTest, FindingTheSameBoardAgainLeavesTheWindowAsBefore) {
  SimWindow w;
  w.Start();
  std::vector<bool> before;
  for (int i = 0; i < kControlCount; ++i) before.push_back(w.win.control(Ctl(i)).enabled);
  w.win.Click(Ctl::Btn_Find_Port);
  for (int i = 0; i < kControlCount; ++i) {
    EXPECT_EQ(w.win.control(Ctl(i)).enabled, before[i]) << w.win.control(Ctl(i)).name;
  }
  EXPECT_EQ(w.win.control(Ctl::Check_Vdd).value, kChecked);
  EXPECT_TRUE(w.chip.violations().empty());
}

}  // namespace
}  // namespace corvane::testing
