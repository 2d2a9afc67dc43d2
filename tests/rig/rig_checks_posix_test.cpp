// A state file whose existence cannot be told is no erased chip (a POSIX path through a plain
// file reports "Not a directory"; Windows calls the same path missing).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rig/board_spec.h"
#include "rig/rig.h"

namespace corvane {
namespace {

TEST(StateFilePosixTest, AStateFileThatCannotBeExaminedIsRefused) {
  const std::string plain = ::testing::TempDir() + "rig_checks_posix_plain";
  std::ofstream(plain) << "x";
  BoardSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_Board_Spec("sim:state=" + plain + "/s.hex", &spec, &error)) << error;
  WorkingState st;
  std::ostringstream diag;
  EXPECT_FALSE(Rig::Make(spec, "", st, diag, &error));
  EXPECT_EQ(error, "state file " + plain + "/s.hex: Not a directory");
  std::filesystem::remove(plain);
}

}  // namespace
}  // namespace corvane
