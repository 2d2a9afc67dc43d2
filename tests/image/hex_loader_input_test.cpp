// What the loader makes of the user-ID records, of characters that are no hexadecimal digits and
// of input that has no line ends.
#include <gtest/gtest.h>

#include <filesystem>

#include "hex_records.h"
#include "image/hex_loader.h"
#include "image/memory_image.h"
#include "loader_fixture.h"

namespace corvane {
namespace {

using Ids = std::array<std::int32_t, kUserIdCount>;
constexpr Ids kNoIds = {kNoUserId, kNoUserId, kNoUserId, kNoUserId};

class HexLoaderInputTest : public HexLoaderFixture {};

TEST_F(HexLoaderInputTest, UserIdRecordsAreLoaded) {
  EXPECT_EQ(st.UserIdImage, kNoIds);  // a new window has none
  // As gpasm writes __idlocs: one record of the four words at 0x4000.
  ASSERT_TRUE(Load(":020000000528D1\n:084000000100020003000400AE\n:00000001FF\n"));
  EXPECT_EQ(st.UserIdImage, (Ids{1, 2, 3, 4}));
  // The counts and listing do not change for them.
  EXPECT_EQ(panel.log[1], "1 lines of program\r\n");

  // A record may give only some of them; one starting at 0x2002 gives the last two.
  ASSERT_TRUE(Load(Word_Record(0x2002, {0x3ABC, 0x0007}) + "\n"));
  EXPECT_EQ(st.UserIdImage, (Ids{kNoUserId, kNoUserId, 0x3ABC, 0x0007}));
  // One that runs past 0x2003 gives the IDs and nothing more.
  ASSERT_TRUE(Load(Word_Record(0x2003, {9, 0x1111, 0x2222, 0x3333, 0x0055}) + "\n"));
  EXPECT_EQ(st.UserIdImage, (Ids{kNoUserId, kNoUserId, kNoUserId, 9}));
  EXPECT_EQ(st.LastProgramAddress, -1);

  // Reserved words and the device ID are no IDs; a file without ID records has none.
  ASSERT_TRUE(Load(Word_Record(0x2004, {1, 2, 3}) + "\n" + Word_Record(0x2006, {0x0FE0}) + "\n"));
  EXPECT_EQ(st.UserIdImage, kNoIds);
}

TEST_F(HexLoaderInputTest, AFailedLoadKeepsTheEarlierIds) {
  ASSERT_TRUE(Load(Word_Record(0x2000, {5, 6, 7, 8}) + "\n"));
  EXPECT_FALSE(Load(Word_Record(0x2000, {1, 1, 1, 1}) + "\n:020000000528D2\n"));
  EXPECT_EQ(st.UserIdImage, (Ids{5, 6, 7, 8}));
}

TEST_F(HexLoaderInputTest, CharactersThatAreNoDigitsFailTheLoad) {
  // 'G' would read as 0, and with it the checksum happens to match.
  EXPECT_FALSE(Load(":020000000528D1\n:0200000005G8F1\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : not a hexadecimal digit at line 2");
  EXPECT_EQ(st.ProgramImage[0], 0x3FFF);  // nothing of the file taken

  for (const std::string bad : {":0G0000000528D1",  // in the byte count
                                ":02000 000528D1",  // a blank in the address
                                ":020000000528D-",  // in the checksum
                                ":02000000052\001D1"}) {
    EXPECT_FALSE(Load(bad + "\n")) << bad;
    EXPECT_EQ(Last_Box(), "Error while reading file : not a hexadecimal digit at line 1") << bad;
  }
  // Lower-case digits are digits; what follows the checksum is not part of the record.
  EXPECT_TRUE(Load(":020000000528d1  ; comment\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
}

TEST_F(HexLoaderInputTest, ALineLongerThanAnyRecordEndsTheLoad) {
  // 1024 characters are still judged as a record: a one-word record and what follows it.
  EXPECT_TRUE(Load(":020000000528D1" + std::string(1009, ' ') + "\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);

  EXPECT_FALSE(Load(":020000000528D1\n\n:" + std::string(1024, '0') + "\n:020002000628CE\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : line too long at line 3");
  EXPECT_EQ(st.ProgramImage[1], 0x3FFF);  // the image as the earlier load left it

  // The same without any line end at all.
  EXPECT_FALSE(Load(std::string(5000, 'x')));
  EXPECT_EQ(Last_Box(), "Error while reading file : line too long at line 1");
}

TEST_F(HexLoaderInputTest, ADeviceThatNeverEndsIsRefusedAtOnce) {
  if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero here";
  panel.file_name = "/dev/zero";
  EXPECT_FALSE(Read_File(st, panel));
  EXPECT_EQ(Last_Box(), "Error while reading file : line too long at line 1");
}

}  // namespace
}  // namespace corvane
