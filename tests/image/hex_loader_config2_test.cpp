// The second configuration word (CONFIG2 at 0x2008, HEX 0x4010) in a loaded file: kept for a chip
// that has one, from its own record or after the first word in one record, and shown in the
// "Fuses" panel beside the first; ignored, as always, for a chip with one word.
#include <gtest/gtest.h>

#include "hex_records.h"
#include "loader_fixture.h"

namespace corvane {
namespace {

struct Config2LoadCase {
  const char* name;
  const char* device;  // the device box; no chip identified
  std::string records;
  std::int32_t config_word2;  // after the load; 0x3FFE before it
  const char* fuses;          // the "Fuses" panel as the loader sets it
};

class HexLoaderConfig2Test : public HexLoaderFixture,
                             public ::testing::WithParamInterface<Config2LoadCase> {};

TEST_P(HexLoaderConfig2Test, KeptForAChipThatHasOne) {
  const Config2LoadCase& c = GetParam();
  panel.device = c.device;
  st.ConfigWord2 = 0x3FFE;
  ASSERT_TRUE(Load(c.records + "\n:00000001FF\n"));
  EXPECT_EQ(st.ConfigWord2, c.config_word2);
  ASSERT_FALSE(panel.status_history.empty());
  EXPECT_EQ(panel.status_history.front(), std::string("Fuses=") + c.fuses);
}

const std::string kBoth = Word_Record(0x2007, {0x3F72, 0x3FFD});
const std::string kApart = Word_Record(0x2007, {0x3F72}) + "\n" + Word_Record(0x2008, {0x3FFC});

INSTANTIATE_TEST_SUITE_P(
    Chips, HexLoaderConfig2Test,
    ::testing::Values(
        Config2LoadCase{"f88_one_record", "PIC16f88", kBoth, 0x3FFD, "Fuses : 0x3F72/1"},
        Config2LoadCase{"f88_own_record", "PIC16f88", kApart, 0x3FFC, "Fuses : 0x3F72/0"},
        Config2LoadCase{"f87_own_record", "PIC16f87", kApart, 0x3FFC, "Fuses : 0x3F72/0"},
        // A file without the word keeps the one before, as it keeps the first word.
        Config2LoadCase{"f88_none", "PIC16f88", Word_Record(0x2007, {0x3F72}), 0x3FFE,
                        "Fuses : 0x3F72/2"},
        // Only the word's implemented bits are shown; the rest reads 1 on the chip anyway.
        Config2LoadCase{"f88_bare_bits", "PIC16f88", Word_Record(0x2008, {0x0001}), 0x0001,
                        "Fuses : 0x3F30/1"},
        // Chips with one word: the record is not loaded and the panel is as it always was.
        Config2LoadCase{"f877", "PIC16f877", kApart, 0x3FFE, "Fuses : 0x3F72"},
        Config2LoadCase{"f84", "PIC16f84", kBoth, 0x3FFE, "Fuses : 0x3FF2"},
        Config2LoadCase{"f819", "PIC16f819", kBoth, 0x3FFE, "Fuses : 0x3F72"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
