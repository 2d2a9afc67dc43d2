// Block reads and writes of program memory by the host's procedures on every simulated chip.
#include <gtest/gtest.h>

#include "protocol/block.h"
#include "sim_bench.h"

namespace corvane::sim {
namespace {

// A varied image of 14-bit words, so that every bit position is exercised in both senses.
void Fill_Image(WorkingState& st, int n, std::uint32_t seed) {
  std::uint32_t x = seed;
  for (int a = 0; a < n; ++a) {
    x = x * 1664525u + 1013904223u;
    st.ProgramImage[a] = static_cast<std::int32_t>((x >> 9) & 0x3FFF);
  }
}

struct ChipCase {
  ChipKind kind;
  BoardKind board;
};

class BlockOnEveryChip : public ::testing::TestWithParam<ChipCase> {};

TEST_P(BlockOnEveryChip, WriteThenReadLeavesExactlyTheImageWithNoViolation) {
  SimBench b(GetParam().board, GetParam().kind);
  const int n = b.chip->program_size();
  Fill_Image(b.st, n, static_cast<std::uint32_t>(n));
  b.st.ProgramImage[0] = 0x3FFF;  // already blank: must be left alone
  b.connect();
  Write_Block(b.ctx, n);
  EXPECT_EQ(b.st.WriteError, 0);
  EXPECT_TRUE(b.panel.boxes.empty());
  EXPECT_EQ(b.panel.status["Status"], "End of Writing");
  int wrong = 0;
  for (int a = 0; a < n; ++a) wrong += b.chip->program(a) != b.st.ProgramImage[a] ? 1 : 0;
  EXPECT_EQ(wrong, 0);

  b.st.ReadBuffer.fill(-1);
  Read_Block(b.ctx, n);
  for (int a = 0; a < n; ++a) wrong += b.st.ReadBuffer[a] != b.st.ProgramImage[a] ? 1 : 0;
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(b.panel.status["Status"], "End of Reading ");
  EXPECT_FALSE(b.chip->in_programming_mode());
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
  EXPECT_EQ(b.board.events_dropped(), 0);
}

INSTANTIATE_TEST_SUITE_P(Chips, BlockOnEveryChip,
                         ::testing::Values(ChipCase{ChipKind::Pic16F84, kBrannock},
                                           ChipCase{ChipKind::Pic16F84A, kTessel},
                                           ChipCase{ChipKind::Pic16F873, kBrannock},
                                           ChipCase{ChipKind::Pic16F877, kTessel}));

TEST(BlockTest, MatchingWordsAreOnlyReadAndStepped) {
  SimBench b(kTessel, ChipKind::Pic16F873);
  for (int a = 0; a < 3; ++a) b.st.ProgramImage[a] = 0x3FFF;
  b.connect();
  b.board.clear_events();
  Write_Block(b.ctx, 3);
  EXPECT_EQ(Words(b.board.events()), "E C4 O3FFF C6 C4 O3FFF C6 C4 O3FFF C6 L");
}

TEST(BlockTest, WordThatWillNotProgramEndsTheBlockWithTheErrorBox) {
  SimBench b(kBrannock, ChipKind::Pic16F84A);
  b.chip->set_unprogrammable_word(0x1A);
  for (int a = 0; a < 0x20; ++a) b.st.ProgramImage[a] = 0x2805;
  b.st.ReadBuffer[0x1B] = 77;
  b.connect();
  Write_Block(b.ctx, 0x20);
  ASSERT_EQ(b.panel.boxes.size(), 1u);
  EXPECT_EQ(b.panel.boxes[0], "Error at @ : 1A Read :3FFF instead of :2805");
  EXPECT_EQ(b.st.WriteError, 1);
  EXPECT_EQ(b.chip->program(0x19), 0x2805);
  EXPECT_EQ(b.chip->program(0x1A), 0x3FFF);
  EXPECT_EQ(b.chip->program(0x1B), 0x3FFF) << "nothing after the failing word is touched";
  EXPECT_EQ(b.st.ReadBuffer[0x1B], 77);
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

TEST(BlockTest, HostThatShortensItsWaitsLosesTheWriteAndIsCaught) {
  ShortWaitClock fast(100);
  SimBench b(kBrannock, ChipKind::Pic16F877, &fast);
  b.st.ProgramImage[0] = 0x1234;
  b.connect();
  Write_Block(b.ctx, 1);
  EXPECT_NE(Violations(*b.chip).find("program write at 0x0000: the write is lost"),
            std::string::npos)
      << Violations(*b.chip);
  EXPECT_EQ(b.chip->program(0), 0x3FFF);
  ASSERT_EQ(b.panel.boxes.size(), 1u);
  EXPECT_EQ(b.panel.boxes[0], "Error at @ : 0 Read :3FFF instead of :1234");
}

TEST(BlockTest, BoardThatGoesAwayMidWriteIsReportedNotTakenForSuccess) {
  SimBench b(kTessel, ChipKind::Pic16F877);
  Fill_Image(b.st, 64, 7);
  b.connect();
  b.board.disconnect_after(20'000);
  Write_Block(b.ctx, 64);
  EXPECT_TRUE(b.board.disconnected());
  EXPECT_EQ(b.st.WriteError, 1);
  ASSERT_EQ(b.panel.boxes.size(), 1u);
  EXPECT_EQ(b.panel.boxes[0].rfind("Error at @ : ", 0), 0u) << b.panel.boxes[0];
  EXPECT_NE(b.panel.boxes[0].find(" Read :0 instead of :"), std::string::npos)
      << "an empty port reads every bit as 0";
  EXPECT_FALSE(b.chip->in_programming_mode());
  EXPECT_EQ(b.board.read(kLpt1), 0xFF);
  // Words written before the board went away are kept.
  EXPECT_EQ(b.chip->program(0), b.st.ProgramImage[0]);
}

TEST(BlockTest, ProgramAddressesAliasModuloTheMemorySize) {
  SimBench b(kTessel, ChipKind::Pic16F84);
  b.chip->set_program(0, 0x0AAA);
  b.chip->set_program(1, 0x0555);
  b.connect();
  Read_Block(b.ctx, 1026);
  EXPECT_EQ(b.st.ReadBuffer[1024], 0x0AAA);
  EXPECT_EQ(b.st.ReadBuffer[1025], 0x0555);
  EXPECT_TRUE(b.chip->violations().empty()) << Violations(*b.chip);
}

}  // namespace
}  // namespace corvane::sim
