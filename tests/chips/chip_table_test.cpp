// The chip table: the built-in entries, the text format's checks and the user's files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "chips/chip_file.h"
#include "chips/chip_table.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

const ChipTable& T() {
  return Builtin_Chips();
}

TEST(ChipTableTest, NamesTheChipByItsIdentificationWord) {
  for (int id = 0x09A0; id <= 0x09BF; ++id) EXPECT_EQ(T().Shown_Name(id), "PIC16f877") << id;
  EXPECT_EQ(T().Shown_Name(0x3FFF), "PIC16f84");
  EXPECT_EQ(T().Shown_Name(0x3FE0), "PIC16f84");
  // The PIC16F84A programs like the PIC16F84, whatever its revision.
  EXPECT_EQ(T().Shown_Name(0x0560), "PIC16f84");
  EXPECT_EQ(T().Shown_Name(0x057F), "PIC16f84");
  EXPECT_EQ(T().Shown_Name(0x0960), "PIC16f873");
  // Each 87x by its own name (the 874 and 876 were once shown as the 873).
  EXPECT_EQ(T().Shown_Name(0x0920), "PIC16f874");
  EXPECT_EQ(T().Shown_Name(0x09E3), "PIC16f876");
  EXPECT_EQ(T().Shown_Name(0x0D01), "PIC16f870");
  EXPECT_EQ(T().Shown_Name(0x0D20), "PIC16f871");
  EXPECT_EQ(T().Shown_Name(0x08FF), "PIC16f872");
  // The other families in the same style, their revisions in four bits or five.
  EXPECT_EQ(T().Shown_Name(0x1063), "PIC16f628A");
  EXPECT_EQ(T().Shown_Name(0x0E28), "PIC16f877A");
  EXPECT_EQ(T().Shown_Name(0x0E2F), "PIC16f877A");
  EXPECT_EQ(T().Shown_Name(0x0766), "PIC16f88");
  EXPECT_EQ(T().Shown_Name(0x04EF), "PIC16f819");
  // A word the table lacks reads as a 16F873.
  EXPECT_EQ(T().Shown_Name(0), "PIC16f873");
  EXPECT_EQ(T().Shown_Name(0x1234), "PIC16f873");
}

TEST(ChipTableTest, MemorySizesFollowTheChip) {
  auto words = [](int id, const char* box) { return T().Size_For(id, box).program_words; };
  EXPECT_EQ(words(0x3FFF, "PIC16f877"), 1024);  // the word wins over the box
  EXPECT_EQ(words(0x0561, "PIC16f84"), 1024);
  EXPECT_EQ(words(0x0923, "PIC16f873"), 4096);            // 16F874
  EXPECT_EQ(words(0x09E1, "PIC16f873"), 8192);            // 16F876
  EXPECT_EQ(words(0x0D03, "PIC16f873"), 2048);            // 16F870
  EXPECT_EQ(T().Size_For(0x08E0, "").eeprom_bytes, 64);   // 16F872
  EXPECT_EQ(T().Size_For(0x1100, "").eeprom_bytes, 256);  // 16F648A
  EXPECT_EQ(T().Size_For(0x04E0, "").eeprom_bytes, 256);  // 16F819
  EXPECT_EQ(T().Find_Key("16f88")->Config_Mask(0x2008), 0x0003);
  EXPECT_EQ(T().Size_For(0x09A3, "").eeprom_bytes, 256);
  // An unknown word: the device box decides, and a box that shows no chip takes the largest.
  EXPECT_EQ(words(0x1234, "PIC16f84"), 1024);
  EXPECT_EQ(words(0x1234, "PIC16f873"), 4096);
  EXPECT_EQ(words(0x1234, "PIC16F877"), 8192);
}

TEST(ChipTableTest, FindsAChipByAnyOfItsNames) {
  for (const char* name : {"16f876", "PIC16f876", "pic16F876", "PIC16F876"}) {
    ASSERT_NE(T().Find_Key(name), nullptr) << name;
    EXPECT_EQ(T().Find_Key(name)->part, "PIC16F876");
  }
  EXPECT_EQ(T().Find_Key("pic"), nullptr);
  EXPECT_EQ(T().Find_Key("16f8"), nullptr);
  EXPECT_TRUE(T().Find_Key("16f84")->Reads_Erased());
  EXPECT_FALSE(T().Find_Key("16f84a")->Reads_Erased());
}

// Each built-in entry: its fields inside their words, its sizes within what the state holds.
TEST(ChipTableTest, BuiltInEntriesAreWhole) {
  for (const ChipEntry& c : T().chips()) {
    SCOPED_TRACE(c.part);
    EXPECT_EQ(c.origin, "built-in");
    EXPECT_EQ(c.config_addresses.front(), 0x2007);
    EXPECT_GT(c.program_write_ns, 0);
    for (const ConfigField& f : c.fields) {
      EXPECT_EQ(f.mask & ~c.Config_Mask(f.address), 0) << f.name;
      EXPECT_FALSE(f.values.empty()) << f.name;
    }
    EXPECT_EQ(T().Find_Id(c.id), &c);
  }
}

constexpr const char* kGood = R"(
[PIC16F999]  # a comment
shown = PIC16f999
id = 3100/3FE0
words = 2048
eeprom = 128
config = 2007/3FFF 2008/0003
field = FOSC 0003 LP=0 XT=1 HS=2 RC=3
field = 2008:FCMEN 0001 OFF=0 ON=1
times = program 4ms, eeprom 6ms, erase 800us
family = 62xa
)";

TEST(ChipFileTest, ReadsAnEntry) {
  const ChipFile f = Parse_Chip_Text(kGood, "my.chips");
  ASSERT_TRUE(f.problems.empty()) << f.Problems_Text();
  ASSERT_EQ(f.chips.size(), 1u);
  const ChipEntry& c = f.chips[0];
  EXPECT_EQ(c.key, "16f999");
  EXPECT_EQ(c.line, 2);
  EXPECT_EQ(c.Config_Mask(0x2008), 0x0003);
  EXPECT_EQ(c.fields[0].address, 0x2007);
  EXPECT_EQ(c.fields[1].address, 0x2008);
  EXPECT_EQ(c.erase_ns, 800'000);
  EXPECT_EQ(c.family, ChipFamily::k62xA);
  // Without "shown", the letter after the digits in lower case.
  std::string text = kGood;
  text.replace(text.find("shown = PIC16f999"), 17, "");
  EXPECT_EQ(Parse_Chip_Text(text, "x").chips.at(0).shown, "PIC16f999");
}

struct Broken {
  const char* find;
  const char* replace;
  const char* problem;  // the whole problem line
};

class ChipFileProblemTest : public testing::TestWithParam<Broken> {};

TEST_P(ChipFileProblemTest, NamesTheLineTheFieldAndWhy) {
  std::string text = kGood;
  text.replace(text.find(GetParam().find), std::string(GetParam().find).size(), GetParam().replace);
  const ChipFile f = Parse_Chip_Text(text, "my.chips");
  EXPECT_TRUE(f.chips.empty());
  EXPECT_EQ(f.Problems_Text(), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Each, ChipFileProblemTest,
    testing::Values(
        Broken{"[PIC16F999]", "[16f999]",
               "my.chips:2: '[16f999]' is not a section [PART] naming a chip in capitals, e.g. "
               "[PIC16F628A]"},
        Broken{"id = 3100/3FE0", "id = 3100",
               "my.chips:4: id: '3100' is not WORD/MASK in hexadecimal up to 3FFF (e.g. "
               "09A0/3FE0)"},
        Broken{"id = 3100/3FE0", "id = 3101/3FE0",
               "my.chips:4: id: the word has bits outside its mask"},
        Broken{"words = 2048", "words = 9000",
               "my.chips:5: words: '9000' is not a number from 0 to 8192"},
        Broken{"eeprom = 128\n", "", "my.chips:2: eeprom: missing"},
        Broken{"eeprom = 128", "eeprom = 128\neeprom = 64", "my.chips:7: eeprom: given twice"},
        Broken{"config = 2007/3FFF 2008/0003", "config = 2007",
               "my.chips:7: config: '2007' is not ADDRESS/MASK in hexadecimal (e.g. 2007/3BFF)"},
        Broken{"RC=3", "RC=7", "my.chips:8: field: FOSC: RC=7 has bits outside the mask 0003"},
        Broken{"2008:FCMEN 0001", "2008:FCMEN 0005",
               "my.chips:9: field: FCMEN: its mask has bits the configuration word lacks"},
        Broken{"2008:FCMEN 0001 OFF=0 ON=1", "WDTE 0002 OFF=0 ON=2",
               "my.chips:9: field: WDTE: shares bits with FOSC"},
        Broken{"eeprom 6ms", "eeprom 6s",
               "my.chips:10: times: eeprom: '6s' is not a time in ms or us (e.g. 8ms, 800us)"},
        Broken{", erase 800us", "", "my.chips:10: times: erase time missing"},
        Broken{"family = 62xa", "family = 18f",
               "my.chips:11: family: '18f' is not f84, 84a-87x, 87xa, 62xa or 88"},
        Broken{"family = 62xa", "family = 62xa\nspeed = 3",
               "my.chips:12: speed: unknown key (keys: shown, id, words, eeprom, user-ids, "
               "config, field, times, family)"}));

class ChipFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) /
           ("chips_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name) << text;
    return (dir_ / name).string();
  }
  fs::path dir_;
};

TEST_F(ChipFolderTest, AddsTheUsersChipsAfterTheBuiltInOnes) {
  Write("b.chips", kGood);
  Write("ignored.txt", "not a chip file");
  const ChipTable table(dir_.string(), "");
  ASSERT_TRUE(table.problems().empty()) << table.Problems_Text();
  EXPECT_EQ(table.chips().size(), T().chips().size() + 1);
  EXPECT_EQ(table.Shown_Name(0x3105), "PIC16f999");
  EXPECT_EQ(table.Find_Key("16f999")->Where(), (dir_ / "b.chips").string() + ", line 2");
  EXPECT_EQ(table.Keys().substr(table.Keys().size() - 7), "|16f999");
}

TEST_F(ChipFolderTest, NeverReplacesAKnownChip) {
  std::string same_name = kGood;
  same_name.replace(same_name.find("[PIC16F999]"), 11, "[PIC16F877]");
  std::string same_id = kGood;
  same_id.replace(same_id.find("3100/3FE0"), 9, "09A0/3FF0");
  const std::string file = Write("f.chips", same_id);
  const ChipTable table(dir_.string(), Write("other", std::string(kGood) + same_name));
  EXPECT_EQ(table.chips().size(), T().chips().size() + 1);
  EXPECT_EQ(table.Problems_Text(),
            file + ":2: identification 09A0/3FF0 is already PIC16F877's (built-in)\n" +
                (dir_ / "other").string() + ":13: chip PIC16F877 is already known (built-in)");
  // The file's own entry came first: a second one is refused too.
  const ChipTable twice("", Write("twice.chips", std::string(kGood) + kGood));
  EXPECT_EQ(twice.Problems_Text(), (dir_ / "twice.chips").string() +
                                       ":13: chip PIC16F999 is already known (" +
                                       (dir_ / "twice.chips").string() + ", line 2)");
}

TEST_F(ChipFolderTest, SaysWhyAFileCannotBeRead) {
  const ChipTable table("", (dir_ / "missing.chips").string());
  ASSERT_EQ(table.problems().size(), 1u);
  EXPECT_EQ(table.problems()[0].line, 0);
  const ChipTable empty("", Write("empty.chips", "# nothing\n"));
  EXPECT_EQ(empty.Problems_Text(),
            (dir_ / "empty.chips").string() + ": describes no chip ([PART], then its lines)");
}

}  // namespace
}  // namespace corvane
