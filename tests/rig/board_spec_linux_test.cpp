// --board lpt on Linux: the ports are ppdev devices, named by path.
#include <gtest/gtest.h>

#include "rig/board_spec.h"

namespace corvane {
namespace {

TEST(LinuxBoardSpecTest, NamesDevicesByPathAndRefusesAddresses) {
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("lpt:lpt1=/dev/parport2", &spec, &error)) << error;
  EXPECT_FALSE(spec.simulated);
  EXPECT_EQ(spec.lpt.lpt1, "/dev/parport2");
  // A board named beside the ports.
  ASSERT_TRUE(Parse_Board_Spec("lpt:lpt1=/dev/parport2,board=tait", &spec, &error)) << error;
  EXPECT_EQ(spec.lpt.lpt1, "/dev/parport2");
  EXPECT_EQ(spec.host_board->name, "tait");
  EXPECT_FALSE(Parse_Board_Spec("lpt:lpt1=0xD010", &spec, &error));
  EXPECT_NE(error.find("is not a path such as /dev/parport0"), std::string::npos) << error;
}

}  // namespace
}  // namespace corvane
