// What the window says when things go wrong: the port layer's reason when no board is found, a
// summary line and a failed "Status" after a failed command, and a save whose file cannot be
// written refused before the chip is read.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

class SaidDiagnosis final : public PortDiagnosis {
 public:
  std::string text;
  std::string Port_Problems() const override { return text; }
};

TEST(ReportsTest, NoBoardFoundLogsThePortLayersReasonBeforeTheBox) {
  SimWindow w({.base = 0x3BC});  // a board where discovery never looks
  SaidDiagnosis said;
  said.text = "LPT2 (0x278): /dev/parport1: no such device\nLPT1 (0x378): permission denied\n";
  w.win.Set_Port_Diagnosis(&said);
  w.Start();
  EXPECT_EQ(w.win.log(),
            "LPT2 (0x278): /dev/parport1: no such device\r\nLPT1 (0x378): permission denied\r\n");
  EXPECT_EQ(w.view.boxes, std::vector<std::string>({std::string(kNoPortMessage)}));
}

TEST(ReportsTest, AFailedProgramEndsItsLogWithWhatWasNotWritten) {
  // An empty socket: the console's test. A word that will not program:
  const struct {
    int stuck_word;
    const char* line;
  } cases[] = {{6, "PROGRAM failed: 5 words not written"},
               {0x2001, "PROGRAM failed: the user IDs not written"}};
  for (const auto& c : cases) {
    SimWindow w;
    w.chip.set_unprogrammable_word(c.stuck_word);
    w.Start();
    ASSERT_TRUE(w.Load(kDemo84));
    w.New_Log();
    EXPECT_FALSE(w.win.Click(Ctl::Btn_Program_Device));
    const std::string log = w.New_Log();
    // The Part's blocks read as after a success; the last line says otherwise.
    EXPECT_NE(log.find("11 lines of program written\r\n"), std::string::npos);
    EXPECT_EQ(log.substr(log.rfind("PROGRAM failed")), std::string(c.line) + "\r\n");
    EXPECT_EQ(w.win.status("Status"), "PROGRAM failed");
  }
}

TEST(ReportsTest, SaveChecksItsFileBeforeReadingTheChip) {
  SimWindow w;
  w.Start();
  const std::string folder = ::testing::TempDir() + "save_check_folder";
  std::filesystem::create_directories(folder);
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {::testing::TempDir() + "no_such_folder/chip.hex", "No such file or directory"},
      {folder, "not a regular file"},
  };
  for (const auto& c : cases) {
    const std::size_t accesses = w.trace.accesses.size();
    w.view.boxes.clear();
    w.New_Log();
    EXPECT_FALSE(w.win.Save_Device_To(c.path));
    EXPECT_EQ(w.trace.accesses.size(), accesses) << "nothing read";
    EXPECT_EQ(w.New_Log(), "");
    EXPECT_EQ(w.view.boxes,
              std::vector<std::string>({"Error while writing file : " + c.path + ": " + c.reason}));
  }
  EXPECT_EQ(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator())
      << "the check leaves nothing behind";
}

}  // namespace
}  // namespace corvane::testing
