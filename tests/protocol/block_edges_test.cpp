// Block read and write at their edges: empty blocks, the largest count, the "Vdd Enable" box and
// what a failing word leaves behind.
#include <gtest/gtest.h>

#include "protocol/block.h"
#include "sim/sim_bench.h"

namespace corvane {
namespace {

using sim::SimBench;

TEST(BlockEdgesTest, EmptyBlocksEnterAndLeaveProgrammingModeOnly) {
  SimBench b(kBrannock);
  b.connect();
  b.board.clear_events();
  Read_Block(b.ctx, 0);
  EXPECT_EQ(sim::Words(b.board.events()), "E L");
  EXPECT_EQ(b.panel.status["Status"], "End of Reading ");
  b.board.clear_events();
  Write_Block(b.ctx, 0);
  EXPECT_EQ(sim::Words(b.board.events()), "E L");
  EXPECT_EQ(b.panel.status["Status"], "End of Writing");
  EXPECT_EQ(b.st.WriteError, 0);
}

TEST(BlockEdgesTest, CountsAboveTheImageAreRefusedBeforeProgrammingMode) {
  SimBench b(kBrannock);
  b.connect();
  b.board.clear_events();
  Write_Block(b.ctx, kMaxBlockWords + 1);
  EXPECT_EQ(b.st.WriteError, 1);
  Read_Block(b.ctx, kMaxBlockWords + 1);
  EXPECT_TRUE(b.board.events().empty());
  // The largest count reads the whole image without running past it.
  b.st.ReadBuffer.fill(7);
  Read_Block(b.ctx, kMaxBlockWords);
  EXPECT_EQ(b.st.ReadBuffer[kProgramLast], 0x3FFF);
}

TEST(BlockEdgesTest, VddIsRemovedOnlyWhenTheBoxIsUnchecked) {
  for (int box : {kUnchecked, kChecked, kGrayed}) {
    SimBench b(kBrannock);
    b.connect();
    b.panel.check_vdd = box;
    bool vdd_dropped = false;
    // Sample the supply bit after each access the block makes.
    class Watch : public PortIo {
     public:
      Watch(PortIo& inner, bool& dropped) : inner_(inner), dropped_(dropped) {}
      std::uint8_t read(std::uint16_t a) override { return inner_.read(a); }
      void write(std::uint16_t a, std::uint8_t v) override {
        if (a == kLpt1 && (v & 0x04) == 0) dropped_ = true;
        inner_.write(a, v);
      }

     private:
      PortIo& inner_;
      bool& dropped_;
    } watch(b.board, vdd_dropped);
    Lines lines(watch, b.clock, b.st);
    Context ctx{b.st, lines, b.panel};
    Read_Block(ctx, 2);
    Write_Block(ctx, 2);
    EXPECT_EQ(vdd_dropped, box == kUnchecked) << box;
    EXPECT_EQ(b.board.data_register() & 0x0C, 0x0C) << box;  // ends with Vpp off, Vdd on
  }
}

TEST(BlockEdgesTest, AFailingWordLeavesProgrammingModeAndTheRestOfTheBuffer) {
  SimBench b(kBrannock);
  b.connect();
  b.chip->set_unprogrammable_word(0);
  b.st.ProgramImage.fill(0x3FFF);
  b.st.ProgramImage[0] = 0x2805;
  b.st.ReadBuffer.fill(0x1111);
  Write_Block(b.ctx, 5);
  EXPECT_EQ(b.panel.boxes,
            std::vector<std::string>({"Error at @ : 0 Read :3FFF instead of :2805"}));
  EXPECT_EQ(b.st.WriteError, 1);
  EXPECT_EQ(b.st.ReadBuffer[0], 0x3FFF);
  for (int a = 1; a < 5; ++a) EXPECT_EQ(b.st.ReadBuffer[a], 0x1111);
  // Out of programming mode, powered, before the box: the next operation starts at address 0.
  EXPECT_FALSE(b.chip->in_programming_mode());
  EXPECT_EQ(b.board.data_register() & 0x0C, 0x0C);
  EXPECT_NE(b.panel.status["Status"], "End of Writing");
}

TEST(BlockEdgesTest, AnImageWordWiderThanFourteenBitsNeverVerifies) {
  SimBench b(kBrannock);
  b.connect();
  b.st.ProgramImage[0] = 0x7FFF;
  Write_Block(b.ctx, 1);
  EXPECT_EQ(b.st.WriteError, 1);
  EXPECT_EQ(b.panel.boxes.at(0), "Error at @ : 0 Read :3FFF instead of :7FFF");
}

}  // namespace
}  // namespace corvane
