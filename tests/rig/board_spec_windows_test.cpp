// --board lpt on Windows: the ports are I/O addresses reached through the InpOut driver.
#include <gtest/gtest.h>

#include "rig/board_spec.h"

namespace corvane {
namespace {

TEST(WindowsBoardSpecTest, NamesPortsByAddressAndRefusesDevicePaths) {
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("lpt:lpt1=0xd010", &spec, &error)) << error;
  EXPECT_FALSE(spec.simulated);
  EXPECT_EQ(spec.lpt.lpt1, "0xD010");
  EXPECT_EQ(spec.lpt.lpt2, "");
  // A board named beside the ports.
  ASSERT_TRUE(Parse_Board_Spec("lpt:board=tait,lpt1=0xd010", &spec, &error)) << error;
  EXPECT_EQ(spec.lpt.lpt1, "0xD010");
  EXPECT_EQ(spec.host_board->name, "tait");
  EXPECT_FALSE(Parse_Board_Spec("lpt:lpt1=/dev/parport2", &spec, &error));
  EXPECT_NE(error.find("is not a hexadecimal I/O address"), std::string::npos) << error;
}

}  // namespace
}  // namespace corvane
