// The board option, trace files and the simulated chip's state file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "rig/board_spec.h"
#include "rig/rig.h"
#include "rig/trace_file.h"

namespace corvane {
namespace {

TEST(BoardSpecTest, ReadsBothKindsOfBoard) {
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("sim", &spec, &error));
  EXPECT_TRUE(spec.simulated);
  EXPECT_EQ(spec.sim.board, kBrannock);
  EXPECT_EQ(spec.sim.chip, sim::ChipKind::Pic16F84A);
  EXPECT_EQ(spec.sim.port, kLpt1);
  EXPECT_TRUE(spec.sim.virtual_time);

  ASSERT_TRUE(Parse_Board_Spec("sim:board=tessel,chip=none,port=lpt2,time=real,state=s.hex", &spec,
                               &error));
  EXPECT_EQ(spec.sim.board, kTessel);
  EXPECT_FALSE(spec.sim.chip.has_value());
  EXPECT_EQ(spec.sim.port, kLpt2);
  EXPECT_FALSE(spec.sim.virtual_time);
  EXPECT_EQ(spec.sim.state_file, "s.hex");

  // The machine's ports; what may follow "lpt:" depends on the system (board_spec_*_test.cpp).
  ASSERT_TRUE(Parse_Board_Spec("lpt", &spec, &error));
  EXPECT_FALSE(spec.simulated);
  EXPECT_EQ(spec.lpt.lpt1, "");

  for (const char* bad : {"", "simx", "sim:", "sim:chip", "sim:chip=16f628",
                          "sim:board=", "sim:state=", "sim:speed=fast", "usb"}) {
    error.clear();
    EXPECT_FALSE(Parse_Board_Spec(bad, &spec, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(TraceFileTest, TextLinesCarryTimeDirectionAddressAndByte) {
  std::ostringstream out;
  TextTraceWriter w(out);
  w.record({1'500'999, true, 0x378, 0x2A});
  w.record({2'000'000, false, 0x279, 0x0F});
  EXPECT_EQ(out.str(), "1500 W 378 2A\n2000 R 279 0F\n");
}

TEST(TraceFileTest, ValueChangeDumpFollowsTheBoardsLines) {
  std::ostringstream out;
  BoardKind variant = kBrannock;
  VcdTraceWriter w(out, {[] { return std::uint16_t{0x378}; }, [&variant] { return variant; }});
  const std::size_t header = out.str().size();
  // Brannock: D2 set (Vdd), D3 set (no Vpp), D1 set (clock low), D0 clear (data released high).
  w.record({10, true, 0x378, 0x0E});
  EXPECT_EQ(out.str().substr(header), "#10\n1!\n0\"\n0#\n1$\n");
  w.record({20, true, 0x378, 0x0E});   // nothing changes: nothing written
  w.record({30, false, 0x379, 0x40});  // status bit 6 set: the data line reads 0
  EXPECT_EQ(out.str().substr(header), "#10\n1!\n0\"\n0#\n1$\n#30\n0%\n");
  variant = kTessel;
  w.record({40, true, 0x378, 0x0B});  // Tessel: Vpp applied, data and clock low
  EXPECT_NE(out.str().find("#40\n1\"\n0$\n"), std::string::npos);
}

TEST(RigTest, StateFileKeepsTheSimulatedChipBetweenRuns) {
  const std::string path = ::testing::TempDir() + "rig_state.hex";
  std::filesystem::remove(path);
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("sim:chip=16f873,state=" + path, &spec, &error));
  WorkingState st;
  std::ostringstream diag;
  {
    auto rig = Rig::Make(spec, "", st, diag, &error);
    ASSERT_TRUE(rig) << error;
    EXPECT_EQ(rig->chip()->program(0), 0x3FFF);  // a missing file is an erased chip
    rig->chip()->set_program(4095, 0x1234);
    rig->chip()->set_eeprom(127, 0x5A);
    rig->chip()->set_user_id(3, 0x0007);
    rig->chip()->set_config(0x3F71);
    ASSERT_TRUE(rig->Save_State(&error)) << error;
  }
  auto rig = Rig::Make(spec, "", st, diag, &error);
  ASSERT_TRUE(rig) << error;
  EXPECT_EQ(rig->chip()->program(4095), 0x1234);
  EXPECT_EQ(rig->chip()->eeprom(127), 0x5A);
  EXPECT_EQ(rig->chip()->user_id(3), 0x0007);
  EXPECT_EQ(rig->chip()->config(), 0x3F71);

  // A state file that is not a chip's contents stops the run before it starts.
  std::ofstream(path) << "garbage\n";
  EXPECT_FALSE(Rig::Make(spec, "", st, diag, &error));
  EXPECT_NE(error.find(path), std::string::npos);
}

// CONFIG2 is kept at 0x2008 (HEX 0x4010) for a chip that has one; the others' files have no such
// record.
TEST(RigTest, StateFileKeepsConfig2OnAChipThatHasOne) {
  for (const std::string chip : {"16f88", "16f819"}) {
    const std::string path = ::testing::TempDir() + "rig_state_" + chip + ".hex";
    std::filesystem::remove(path);
    BoardSpec spec;
    std::string error;
    ASSERT_TRUE(Parse_Board_Spec("sim:chip=" + chip + ",state=" + path, &spec, &error));
    WorkingState st;
    std::ostringstream diag;
    const bool has_config2 = chip == "16f88";
    {
      auto rig = Rig::Make(spec, "", st, diag, &error);
      ASSERT_TRUE(rig) << error;
      rig->chip()->set_config(0x3F50);
      if (has_config2) rig->chip()->set_config2(0x3FFE);
      ASSERT_TRUE(rig->Save_State(&error)) << error;
    }
    std::ifstream in(path, std::ios::binary);  // the CR LF line ends as written, on Windows too
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (has_config2) {
      EXPECT_NE(text.find(":02401000FE3F71\r\n"), std::string::npos) << text;
    } else {
      EXPECT_EQ(text.find(":024010"), std::string::npos) << text;
    }
    auto rig = Rig::Make(spec, "", st, diag, &error);
    ASSERT_TRUE(rig) << error;
    EXPECT_EQ(rig->chip()->config(), 0x3F50);
    EXPECT_EQ(rig->chip()->config2(), has_config2 ? 0x3FFE : 0x3FFF);
  }
}

}  // namespace
}  // namespace corvane
