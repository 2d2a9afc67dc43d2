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

// The fields of CONFIG2 (0x2008) on a chip that has one, and the usage error on one that has not.
// Today's simulated chips have no CONFIG2: a 16F84A answering as a 16F88 stands in.
struct SecondWordCase {
  const char* name;
  const char* board;
  std::vector<std::string> steps;
  int status;
  const char* out;  // on stdout
  const char* err;  // on stderr
};

class CliConfig2Test : public ::testing::TestWithParam<SecondWordCase> {};

TEST_P(CliConfig2Test, IesoAndFcmenAreFieldsOfThe16F88Only) {
  const SecondWordCase& c = GetParam();
  std::vector<std::string> args = {"--board", c.board};
  args.insert(args.end(), c.steps.begin(), c.steps.end());
  const CliRun r = Run_Cli_Args(args);
  EXPECT_EQ(r.status, c.status) << r.err;
  EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
  EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Chips, CliConfig2Test,
    ::testing::Values(
        // The fuses panel shows CONFIG2's two bits after CONFIG1 (0 since start-up).
        SecondWordCase{"f88",
                       "sim:id=0760",
                       {"config", "IESO=ON", "config", "FCMEN=OFF"},
                       0,
                       "[Fuses] Fuses 0x0/2\n",
                       ""},
        SecondWordCase{
            "f88_ieso_off", "sim:id=0760", {"config", "ieso=off"}, 0, "[Fuses] Fuses 0x0/1\n", ""},
        SecondWordCase{"f877",
                       "sim:chip=16f877",
                       {"config", "IESO=ON"},
                       2,
                       "",
                       "config IESO=ON: PIC16F877 has no field IESO; its fields are FOSC, WDTE, "
                       "PWRTE, BOREN, LVP, CPD, WRT, DEBUG, CP\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::testing
