// The console's "config NAME=VALUE": a named field of the chip's configuration word, end to end
// on the simulated board, and the usage errors that name what the chip has.
#include <gtest/gtest.h>

#include "cli_support.h"
#include "image/hex_file.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

TEST(CliConfigTest, NamedFieldsReachTheChipAndUnknownOnesAreUsageErrors) {
  CliDir dir("config_fields");
  const std::string board = "sim:state=" + (dir / "state.hex");
  // The demo's word is 0x3FF1 (XT, watchdog off): HS and the watchdog on give 0x3FF6.
  CliRun r = Run_Cli_Args({"--board", board, "load", kDemo84, "config", "FOSC=HS", "config",
                           "wdte=on", "program-fuses"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("[Fuses] Fuses 0x3FF2\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("[Fuses] Fuses 0x3FF6\n"), std::string::npos) << r.out;
  ChipContents c;
  std::string error;
  ASSERT_TRUE(Read_Chip_Hex(dir / "state.hex", 1024, 64, &c, &error)) << error;
  EXPECT_EQ(c.config, 0x3FF6);

  r = Run_Cli_Args({"--board", board, "load", kDemo84, "config", "MCLRE=OFF", "program"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("config MCLRE=OFF: PIC16F84A has no field MCLRE; its fields are FOSC, "
                       "WDTE, PWRTE, CP"),
            std::string::npos)
      << r.err;
  r = Run_Cli_Args({"--board", board, "config", "FOSC=INTOSCIO"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("FOSC of PIC16F84A takes LP, XT, HS, RC, not INTOSCIO"), std::string::npos)
      << r.err;
  r = Run_Cli_Args({"--board", board, "config", "FOSC"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("step config takes NAME=VALUE"), std::string::npos) << r.err;
}

// CONFIG2's fields on a 16F88 (today's simulated 16F84A answering as one) and on a 16F877.
class CliConfig2Test : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(CliConfig2Test, IesoIsAFieldOfThe16F88Only) {
  const auto& [board, expected] = GetParam();
  const CliRun r = Run_Cli_Args({"--board", board, "config", "IESO=ON", "config", "fcmen=off"});
  const bool f88 = std::string(board) == "sim:id=0760";
  EXPECT_EQ(r.status, f88 ? 0 : 2) << r.err;
  EXPECT_NE((f88 ? r.out : r.err).find(expected), std::string::npos) << r.out << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Chips, CliConfig2Test,
    ::testing::Values(std::pair{"sim:id=0760", "[Fuses] Fuses 0x0/3\n[Fuses] Fuses 0x0/2\n"},
                      std::pair{"sim:chip=16f877",
                                "config IESO=ON: PIC16F877 has no field IESO; its fields are FOSC, "
                                "WDTE, PWRTE, BOREN, LVP, CPD, WRT, DEBUG, CP\n"}),
    // Named, so that the test's name does not hold the parameters' addresses.
    [](const auto& info) { return std::string(info.index == 0 ? "the16F88" : "the16F877"); });

}  // namespace
}  // namespace corvane::testing
