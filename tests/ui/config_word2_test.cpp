// The second configuration word (CONFIG2 at 0x2008) of the 16F87/88 in the window: read by CHECK
// Device Fuses, compared by VERIFY, saved and blank-checked with the whole chip, summed and shown
// by the memory view, edited by the Configuration dialog; and chips with one word as they were.
// Today's simulated chips have no second word: a 16F84A answering with the 16F88's identification
// stands in, and since its configuration area repeats every 8 words, the word it gives at 0x2008
// is its user ID 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "image/hex_file.h"
#include "image/hex_records.h"
#include "support/sim_window.h"
#include "ui/memory_view.h"

namespace corvane::testing {
namespace {

constexpr std::uint16_t kPic16F88Id = 0x0760;

// Started on a simulated chip that is identified as a 16F88 (two_words) or as itself, a 16F84A;
// `at_2008` is what the chip gives at 0x2008.
std::unique_ptr<SimWindow> Started(bool two_words, std::uint16_t at_2008 = 0x3FFF) {
  auto w = std::make_unique<SimWindow>();
  if (two_words) w->chip.set_device_id(kPic16F88Id);
  w->chip.set_user_id(0, at_2008);
  w->Start();
  return w;
}

struct CheckCase {
  const char* name;
  bool two_words;
  std::uint16_t at_2008;
  const char* status;
  std::int32_t read2;  // DeviceConfigWord2 after the check; 0x1234 before it
};

class Config2CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Config2CheckTest, CheckDeviceFusesReadsTheSecondWordOnlyWhereThereIsOne) {
  const CheckCase& c = GetParam();
  auto w = Started(c.two_words, c.at_2008);
  w->st.DeviceConfigWord2 = 0x1234;
  ASSERT_TRUE(w->win.Click(Ctl::Btn_Check_Device_Fuses));
  EXPECT_EQ(w->win.status("Status"), c.status);
  EXPECT_EQ(w->st.DeviceConfigWord2, c.read2);
  EXPECT_EQ(w->win.chip_read().config2, c.two_words ? c.read2 : ChipSnapshot::kUnknown);
  EXPECT_TRUE(w->view.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Chips, Config2CheckTest,
    ::testing::Values(CheckCase{"one_word", false, 0x3FFD, "Device Fuses : 0x3FFF", 0x1234},
                      CheckCase{"two_words", true, 0x3FFD, "Device Fuses : 0x3FFF/1", 0x3FFD},
                      CheckCase{"two_words_erased", true, 0x3FFF, "Device Fuses : 0x3FFF/3",
                                0x3FFF}),
    [](const auto& info) { return std::string(info.param.name); });

struct VerifyCase {
  const char* name;
  std::int32_t file2;         // the file's word at 0x2008
  std::uint16_t chip_config;  // the chip's words at 0x2007 and 0x2008
  std::uint16_t chip2;
  const char* summary;  // the failure line, "" when the verify passes
};

class Config2VerifyTest : public ::testing::TestWithParam<VerifyCase> {};

TEST_P(Config2VerifyTest, VerifyComparesTheSecondWordInItsImplementedBits) {
  const VerifyCase& c = GetParam();
  auto w = Started(true, c.chip2);
  w->chip.set_config(c.chip_config);
  // Both configuration words in one record, as assemblers write them, and no program words (the
  // stand-in chip reads its program as protected with these words); the first word normalises to
  // 0x3F7F for the device shown.
  ASSERT_TRUE(w->Load(
      Write_Temp_File("config2_verify.hex", Word_Record(0x2007, {0x3FFF, c.file2}) + "\n")));
  ASSERT_EQ(w->st.ConfigWord2, c.file2);
  w->New_Log();
  const bool passes = *c.summary == '\0';
  EXPECT_EQ(w->win.Click(Ctl::Btn_Verify), passes);
  const std::string log = w->New_Log();
  if (passes) {
    EXPECT_TRUE(w->view.boxes.empty());
    EXPECT_EQ(log.substr(log.size() - 28), "Verify detected : 0 errors\r\n");
  } else {
    EXPECT_EQ(w->view.boxes, std::vector<std::string>{"Mismatch in configuration fuses"});
    EXPECT_EQ(log.substr(log.rfind("VERIFY")), std::string(c.summary) + "\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Words, Config2VerifyTest,
    ::testing::Values(
        VerifyCase{"same", 0x3FFD, 0x3F7F, 0x3FFD, ""},
        // Bits 13..2 are not implemented: the chip reads them as 1 whatever the file says.
        VerifyCase{"unimplemented_bits", 0x0001, 0x3F7F, 0x3FFD, ""},
        VerifyCase{"differs", 0x3FFF, 0x3F7F, 0x3FFD,
                   "VERIFY failed: CONFIG2 reads 0x3FFD instead of 0x3FFF"},
        VerifyCase{"both_differ", 0x3FFF, 0x3F7E, 0x3FFC,
                   "VERIFY failed: the configuration word reads 0x3F7E instead of 0x3F7F and "
                   "CONFIG2 reads 0x3FFC instead of 0x3FFF"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WholeChipCase {
  const char* name;
  bool two_words;
  std::uint16_t at_2008;
  std::optional<std::uint16_t> saved2;  // the saved file's word at 0x2008
  const char* saved_fuses;              // in the save's log line
  const char* not_blank;                // the blank check's listing, "" for a blank chip
  const char* chip_sum;
  const char* config_heading;
};

class Config2WholeChipTest : public ::testing::TestWithParam<WholeChipCase> {};

TEST_P(Config2WholeChipTest, SaveLoadBlankCheckAndMemoryViewKeepTheSecondWord) {
  const WholeChipCase& c = GetParam();
  auto w = Started(c.two_words, c.at_2008);
  const std::string path = ::testing::TempDir() + "config2_" + c.name + ".hex";
  w->New_Log();
  ASSERT_TRUE(w->win.Save_Device_To(path));
  EXPECT_NE(w->New_Log().find(std::string("4 ID words, ") + c.saved_fuses + ", "),
            std::string::npos);
  ChipContents saved;
  std::string error;
  ASSERT_TRUE(Read_Chip_Hex(path, 4096, 256, &saved, &error)) << error;
  EXPECT_EQ(saved.config2, c.saved2);

  // The saved file loads back with its second word, on the chip that has one.
  w->st.ConfigWord2 = 0x1234;
  ASSERT_TRUE(w->Load(path));
  EXPECT_EQ(w->st.ConfigWord2, c.saved2.value_or(0x1234));

  const MemoryView v = w->win.Memory_Rows();
  EXPECT_NE(v.title.find(std::string("chip checksum ") + c.chip_sum), std::string::npos) << v.title;
  const auto heading = std::find(v.lines.begin(), v.lines.end(), c.config_heading);
  ASSERT_NE(heading, v.lines.end());
  const bool row_2008 = heading + 2 < v.lines.end() && heading[2].rfind("2008  ", 0) == 0;
  EXPECT_EQ(row_2008, c.two_words);

  w->New_Log();
  w->win.Click(Ctl::Menu_View_Blank_Check);
  const std::string blank = w->New_Log();
  if (*c.not_blank == '\0') {
    EXPECT_NE(blank.find("Device is blank\r\n"), std::string::npos) << blank;
  } else {
    EXPECT_NE(blank.find(std::string("Not blank at :") + c.not_blank + "\r\n"), std::string::npos)
        << blank;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Chips, Config2WholeChipTest,
    ::testing::Values(
        // A blank 16F88 sums to 0x3002, a blank 16F84A to 0x3BFF (their programming
        // specifications' blank values).
        WholeChipCase{"one_word", false, 0x3FFF, std::nullopt, "Fuses 0x3FFF", "", "0x3BFF",
                      "Configuration area : user IDs 2000-2003, identification 2006, fuses 2007"},
        WholeChipCase{"two_words_erased", true, 0x3FFF, 0x3FFF, "Fuses 0x3FFF, CONFIG2 0x3FFF", "",
                      "0x3002",
                      "Configuration area : user IDs 2000-2003, identification 2006, fuses "
                      "2007-2008"},
        WholeChipCase{"two_words", true, 0x3FFD, 0x3FFD, "Fuses 0x3FFF, CONFIG2 0x3FFD",
                      " 2000 2008", "0x3000",
                      "Configuration area : user IDs 2000-2003, identification 2006, fuses "
                      "2007-2008"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ChecksumCase {
  const char* name;
  int words;
  std::int32_t at_ends;  // the words at 0 and at the last address
  std::int32_t config_mask, config2_mask;
  std::uint16_t sum;
};

class DatasheetChecksumTest : public ::testing::TestWithParam<ChecksumCase> {};

// The blank and "0x25E6 at 0 and max address" columns of the programming specifications' tables,
// all configuration words erased.
TEST_P(DatasheetChecksumTest, SumsAsTheProgrammingSpecificationDoes) {
  const ChecksumCase& c = GetParam();
  std::vector<std::int32_t> program(static_cast<std::size_t>(c.words), 0x3FFF);
  program.front() = c.at_ends;
  program.back() = c.at_ends;
  EXPECT_EQ(Checksum(program, 0x3FFF, c.config_mask, 0x3FFF, c.config2_mask), c.sum);
}

INSTANTIATE_TEST_SUITE_P(
    Chips, DatasheetChecksumTest,
    ::testing::Values(ChecksumCase{"f88_blank", 4096, 0x3FFF, 0x3FFF, 0x0003, 0x3002},
                      ChecksumCase{"f88_25e6", 4096, 0x25E6, 0x3FFF, 0x0003, 0xFBD0},
                      ChecksumCase{"f873_blank", 4096, 0x3FFF, 0x3BFF, 0, 0x2BFF},
                      ChecksumCase{"f873_25e6", 4096, 0x25E6, 0x3BFF, 0, 0xF7CD}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::testing
