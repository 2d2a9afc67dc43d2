// The loader's checks: checksums, short records, addresses outside the chips, lines that are not
// records, line ends, and that a failed load leaves the image as it was.
#include <gtest/gtest.h>

#include "hex_records.h"
#include "image/hex_loader.h"
#include "image/memory_image.h"
#include "loader_fixture.h"

namespace corvane {
namespace {

class HexLoaderChecksTest : public HexLoaderFixture {};

TEST_F(HexLoaderChecksTest, ChecksumIsVerifiedOnEveryRecord) {
  EXPECT_FALSE(Load(":020000000528D2\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : checksum error at line 1");
  // End-of-file and address records are records too.
  EXPECT_FALSE(Load(":020000000528D1\n:00000001FE\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : checksum error at line 2");
  EXPECT_FALSE(Load(":020000040000FB\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : checksum error at line 1");
  // A damaged data digit is caught even though the checksum itself is intact.
  EXPECT_FALSE(Load(":020000000538D1\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : checksum error at line 1");
}

TEST_F(HexLoaderChecksTest, LineNumbersCountEveryPhysicalLine) {
  // Two blank lines (each reported and skipped), then the bad record on line 3.
  EXPECT_FALSE(Load("\r\n\r\n:020000000528D2\r\n"));
  EXPECT_EQ(panel.boxes,
            (std::vector<std::string>{"erreur de fichier", "erreur de fichier",
                                      "Error while reading file : checksum error at line 3"}));
  // Lone CR and lone LF end lines as well.
  EXPECT_FALSE(Load(":020000000528D1\r:020000000528D1\n:020000000528D1\r\n:0\r"));
  EXPECT_EQ(Last_Box(), "Error while reading file : record too short at line 4");
}

TEST_F(HexLoaderChecksTest, RecordTooShortForItsByteCount) {
  EXPECT_FALSE(Load(":04000000052806\n"));  // four bytes announced, two given, no checksum
  EXPECT_EQ(Last_Box(), "Error while reading file : record too short at line 1");
  EXPECT_FALSE(Load(":020000000528\n"));  // checksum missing
  EXPECT_EQ(Last_Box(), "Error while reading file : record too short at line 1");
  EXPECT_FALSE(Load(":\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : record too short at line 1");
  // Characters after the checksum are not part of the record.
  EXPECT_TRUE(Load(":020000000528D1  \n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
}

TEST_F(HexLoaderChecksTest, AddressesOutsideTheImagesFail) {
  EXPECT_FALSE(Load(":024402001100A7\n"));  // EEPROM entry 257
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 1");
  // A program record that starts inside memory but runs past entry 8192.
  EXPECT_FALSE(Load(Word_Record(8191, {1, 2, 3}) + "\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 1");
  // An EEPROM record starting at the last entry but two bytes long.
  EXPECT_FALSE(Load(Word_Record(0x2100 + 256, {1, 2}) + "\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 1");
  // Far beyond the EEPROM, even without data (it would set a count past the image).
  EXPECT_FALSE(Load(Hex_Record(0xFFFE, 0, {}) + "\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 1");
  // Data at an odd byte address.
  EXPECT_FALSE(Load(":020001000528D0\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 1");
  // The configuration area is ignored, not out of range, however long the record.
  EXPECT_TRUE(Load(Hex_Record(0x4010, 0, {1, 2, 3, 4}) + "\n"));
}

TEST_F(HexLoaderChecksTest, NonZeroExtendedAddressesMoveDataOutsideTheChips) {
  // The zero linear address of every INHX32 file changes nothing.
  EXPECT_TRUE(Load(":020000040000FA\n:020000000528D1\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  // A PIC18-style configuration block at 0x300000.
  EXPECT_FALSE(Load(":020000040030CA\n:020000000528D1\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 2");
  // A segment address.
  EXPECT_FALSE(Load(Hex_Record(0, 2, {0x10, 0x00}) + "\n:020000000528D1\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 2");
  // Back at zero, data lands again.
  EXPECT_TRUE(Load(":020000040001F9\n:020000040000FA\n:020000000528D1\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  // An address record without data after it is harmless.
  EXPECT_TRUE(Load(":020000000528D1\n:020000040001F9\n"));
}

TEST_F(HexLoaderChecksTest, LinesThatAreNotRecordsAreReportedAndSkipped) {
  ASSERT_TRUE(Load("020000000528D1\n:020000000628D0\n"));
  EXPECT_EQ(panel.boxes, std::vector<std::string>{"erreur de fichier"});
  EXPECT_EQ(st.ProgramImage[0], 0x2806);  // the skipped line was not decoded
  EXPECT_EQ(st.LastProgramAddress, 0);

  // An empty line alone: reported, skipped, zero lines of program.
  ASSERT_TRUE(Load("\n"));
  EXPECT_EQ(panel.boxes, std::vector<std::string>{"erreur de fichier"});
  EXPECT_EQ(st.LastProgramAddress, -1);
  EXPECT_EQ(panel.log[1], "0 lines of program\r\n");
}

TEST_F(HexLoaderChecksTest, AByteOrderMarkDoesNotCostTheFirstRecord) {
  ASSERT_TRUE(Load("\xEF\xBB\xBF:020000000528D1\r\n:00000001FF\r\n"));
  EXPECT_TRUE(panel.boxes.empty());
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  EXPECT_EQ(st.LastProgramAddress, 0);
  // Only at the very start of the file.
  ASSERT_TRUE(Load(":020000000528D1\n\xEF\xBB\xBF:020002000628CE\n"));
  EXPECT_EQ(panel.boxes, std::vector<std::string>{"erreur de fichier"});
  EXPECT_EQ(st.ProgramImage[1], 0x3FFF);
}

TEST_F(HexLoaderChecksTest, TheTenthLineThatIsNotARecordEndsTheLoad) {
  std::string nine;
  for (int i = 0; i < 9; ++i) nine += "junk\n";
  EXPECT_TRUE(Load(nine + ":020000000528D1\n"));
  EXPECT_EQ(panel.boxes.size(), 9u);

  EXPECT_FALSE(Load(":020000000528D1\n" + nine + "junk\n:020000000628D0\n"));
  ASSERT_EQ(panel.boxes.size(), 11u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(panel.boxes[i], "erreur de fichier");
  EXPECT_EQ(panel.boxes[10],
            "Error while reading file : too many lines that are not records at line 11");
}

TEST_F(HexLoaderChecksTest, LowerCaseRecordsLoadLikeUpperCase) {
  ASSERT_TRUE(Load(":020000000528d1\n:02400e00f13f80\n:04420000aa005500bb\n"));
  EXPECT_EQ(st.ProgramImage[0], 0x2805);
  EXPECT_EQ(st.ConfigWord, 0x3FF1);
  EXPECT_EQ(st.EepromImage[0], 0xAA);
  EXPECT_EQ(st.EepromImage[1], 0x55);
}

TEST_F(HexLoaderChecksTest, EveryLoadStartsFromACleanImage) {
  std::vector<int> hundred(100);
  for (int i = 0; i < 100; ++i) hundred[i] = i;
  std::string first;
  for (int a = 0; a < 100; a += 8) {
    std::vector<int> part(hundred.begin() + a, hundred.begin() + std::min(a + 8, 100));
    first += Word_Record(a, part) + "\n";
  }
  first += Word_Record(0x2100, {1, 2, 3, 4, 5, 6, 7, 8}) + "\n";
  ASSERT_TRUE(Load(first));
  EXPECT_EQ(st.LastProgramAddress, 99);
  EXPECT_EQ(st.EepromCount, 8);

  // Words 0..9 only: the rest of the first file is gone, so is its EEPROM data.
  ASSERT_TRUE(Load(Word_Record(0, {10, 11, 12, 13, 14, 15, 16, 17}) + "\n" +
                   Word_Record(8, {18, 19}) + "\n"));
  EXPECT_EQ(st.LastProgramAddress, 9);
  EXPECT_EQ(st.ProgramImage[9], 19);
  EXPECT_EQ(st.ProgramImage[10], 0x3FFF);
  EXPECT_EQ(st.ProgramImage[99], 0x3FFF);
  EXPECT_EQ(st.ProgramImage[8192], 0x3FFF);  // beyond the start-up blanking too
  EXPECT_EQ(st.EepromCount, 0);
  EXPECT_EQ(st.EepromImage[0], 0);
  EXPECT_EQ(panel.log[1], "10 lines of program\r\n");

  // A file without program records has none.
  ASSERT_TRUE(Load(":00000001FF\n"));
  EXPECT_EQ(st.LastProgramAddress, -1);
  EXPECT_EQ(panel.log[1], "0 lines of program\r\n");
}

TEST_F(HexLoaderChecksTest, AFailedLoadLeavesTheImageAsItWas) {
  ASSERT_TRUE(Load(":020000000528D1\n:02400E00F13F80\n:04420000AA005500BB\n"));
  const WorkingState before = st;
  const auto fuses_before = panel.status["Fuses"];

  // Good records before the failure: a new word, EEPROM bytes and configuration byte.
  EXPECT_FALSE(Load(Word_Record(0, {0x1111, 0x2222}) + "\n" + Word_Record(0x2100, {0x77}) + "\n" +
                    Hex_Record(0x400E, 0, {0x02, 0x00}) + "\n:024402001100A7\n"));
  EXPECT_EQ(Last_Box(), "Error while reading file : address out of range at line 4");
  EXPECT_EQ(st.ProgramImage, before.ProgramImage);
  EXPECT_EQ(st.EepromImage, before.EepromImage);
  EXPECT_EQ(st.ConfigWord, before.ConfigWord);
  EXPECT_EQ(st.LastProgramAddress, before.LastProgramAddress);
  EXPECT_EQ(st.EepromCount, before.EepromCount);
  EXPECT_TRUE(panel.log.empty());
  EXPECT_TRUE(panel.status_history.empty());
  EXPECT_EQ(panel.show_fuses_calls, 0);
  EXPECT_EQ(panel.status["Fuses"], fuses_before);
}

}  // namespace
}  // namespace corvane
