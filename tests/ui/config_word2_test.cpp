// CONFIG2 (0x2008) of the 16F87/88 in the window: read with the whole chip (save, blank check, the
// memory view's row and checksum) and by CHECK Device Fuses, which VERIFY compares in its
// implemented bits. Today's simulated chips have no CONFIG2: a 16F84A answering with the 16F88's
// identification stands in; its configuration area repeats every 8 words, so what it gives at
// 0x2008 is its user ID 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "image/hex_file.h"
#include "image/hex_records.h"
#include "support/sim_window.h"

namespace corvane::testing {
namespace {

std::unique_ptr<SimWindow> Started(bool two_words, std::uint16_t at_2008) {
  auto w = std::make_unique<SimWindow>();
  if (two_words) w->chip.set_device_id(0x0760);
  w->chip.set_user_id(0, at_2008);
  w->Start();
  return w;
}

struct WholeChipCase {
  const char* name;
  bool two_words;
  std::optional<std::uint16_t> saved2;  // the saved file's CONFIG2
  const char* fuses;                    // in the save's log line
  const char* blank_check;
  const char* chip_sum;  // a blank 16F84A's is 0x3BFF, a blank 16F88's 0x3002 (DS39607)
};

class Config2WholeChipTest : public ::testing::TestWithParam<WholeChipCase> {};

TEST_P(Config2WholeChipTest, SaveBlankCheckAndMemoryViewReadItFromAChipThatHasOne) {
  const WholeChipCase& c = GetParam();
  auto w = Started(c.two_words, 0x3FFD);
  const std::string path = ::testing::TempDir() + "config2_" + c.name + ".hex";
  ASSERT_TRUE(w->win.Save_Device_To(path));
  EXPECT_NE(w->New_Log().find(std::string("4 ID words, ") + c.fuses + ", "), std::string::npos);
  ChipContents saved;
  std::string error;
  ASSERT_TRUE(Read_Chip_Hex(path, 4096, 256, &saved, &error)) << error;
  EXPECT_EQ(saved.config2, c.saved2);
  EXPECT_EQ(w->win.Checksums_Now().chip, c.chip_sum);
  const auto lines = w->win.Memory_Rows().lines;
  const bool row_2008 = std::any_of(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.rfind("2008  ", 0) == 0; });
  EXPECT_EQ(row_2008, c.two_words);
  w->win.Click(Ctl::Menu_View_Blank_Check);
  EXPECT_NE(w->New_Log().find(c.blank_check), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Chips, Config2WholeChipTest,
    ::testing::Values(WholeChipCase{"one_word", false, std::nullopt, "Fuses 0x3FFF",
                                    "Not blank at : 2000\r\n", "0x3BFF"},
                      WholeChipCase{"two_words", true, 0x3FFD, "Fuses 0x3FFF, CONFIG2 0x3FFD",
                                    "Not blank at : 2000 2008\r\n", "0x3000"}),
    [](const auto& info) { return std::string(info.param.name); });

// The file's CONFIG2, and VERIFY's failure line ("" when it passes).
class Config2VerifyTest : public ::testing::TestWithParam<std::pair<std::int32_t, std::string>> {};

TEST_P(Config2VerifyTest, VerifyComparesItsImplementedBits) {
  const auto& [file2, summary] = GetParam();
  auto w = Started(true, 0x3FFD);
  w->chip.set_config(0x3FFF);
  // Both words in one record, no program words; a 16F88's first word is kept as the file sets it.
  ASSERT_TRUE(
      w->Load(Write_Temp_File("config2_verify.hex", Word_Record(0x2007, {0x3FFF, file2}) + "\n")));
  w->New_Log();
  EXPECT_EQ(w->win.Click(Ctl::Btn_Verify), summary.empty());
  const auto& s = w->view.statuses;
  EXPECT_NE(std::find(s.begin(), s.end(),
                      std::pair<std::string, std::string>("Status", "Device Fuses : 0x3FFF/1")),
            s.end());
  const std::string log = w->New_Log();
  EXPECT_EQ(log.substr(log.find("Verify detected : 0 errors\r\n") + 28),
            summary.empty() ? "" : summary + "\r\n");
}

// Bits 13..2 are not implemented: the chip reads them as 1 whatever the file says.
INSTANTIATE_TEST_SUITE_P(
    Words, Config2VerifyTest,
    ::testing::Values(std::pair{0x3FFD, std::string()}, std::pair{0x0001, std::string()},
                      std::pair{0x3FFF, std::string("VERIFY failed: CONFIG2 reads 0x3FFD "
                                                    "instead of 0x3FFF")}));

}  // namespace
}  // namespace corvane::testing
