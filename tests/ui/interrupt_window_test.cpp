// The window's logic cut short by a request to stop: the request unwinds through the commands that
// run one another inline (start-up runs device identification) to the outermost one, which notes
// it; from then on no command runs and nothing reaches the port.
#include <gtest/gtest.h>

#include "hardware/interruption.h"
#include "hardware/trace.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "support/recording_view.h"
#include "ui/panneau.h"

namespace corvane {
namespace {

class Switch final : public InterruptSource {
 public:
  int Pending() override { return (on_after_ >= 0 && ++checks_ > on_after_) ? 15 : 0; }
  void Stop_After(long checks) {
    on_after_ = checks;
    checks_ = 0;
  }

 private:
  long on_after_ = -1;
  long checks_ = 0;
};

struct Harness {
  Harness()
      : board(kBrannock, clock, kLpt1),
        traced(board, clock, trace),
        port(traced, stop),
        timed(clock, stop),
        lines(port, timed, st),
        win(st, lines, view) {
    board.insert(&chip);
  }
  VirtualClock clock;
  sim::Chip chip{sim::ChipKind::Pic16F877};
  sim::Board board;
  TraceRecorder trace;
  TracingPort traced;
  Switch stop;
  InterruptiblePort port;
  InterruptibleClock timed;
  WorkingState st;
  Lines lines;
  testing::RecordingView view;
  Panneau win;
};

TEST(InterruptWindowTest, StartUpStopsInsideTheIdentificationItRunsInline) {
  // A first start-up counts the checks up to the end of discovery.
  Harness count;
  count.stop.Stop_After(1 << 30);
  count.win.Form_Load();
  ASSERT_EQ(count.st.PortFound, 1);
  ASSERT_NE(count.win.status("Device").find("PIC16f877"), std::string::npos);

  Harness h;
  h.stop.Stop_After(10'000 + 200);  // past the calibration and discovery, inside identification
  h.win.Form_Load();
  EXPECT_EQ(h.win.interrupted(), 15);
  EXPECT_EQ(h.st.PortFound, 1);
  EXPECT_EQ(h.win.status("Device").find("PIC16f877"), std::string::npos);
  EXPECT_TRUE(h.view.boxes.empty());

  // No command runs any more, and nothing reaches the port.
  const std::size_t accesses = h.trace.accesses.size();
  EXPECT_FALSE(h.win.Click(Ctl::Btn_Check_Device_Id));
  EXPECT_FALSE(h.win.Click(Ctl::Btn_Find_Port));
  EXPECT_FALSE(h.win.Save_Device_To(::testing::TempDir() + "never.hex"));
  EXPECT_EQ(h.trace.accesses.size(), accesses);
  EXPECT_TRUE(h.view.boxes.empty());
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(InterruptWindowTest, ABoardTestStoppedOnANotFoundBoardKeepsItsPortForTheWayOut) {
  Harness h;
  h.board.set_stuck_data(1);  // discovery finds nothing
  h.win.Form_Load();
  ASSERT_EQ(h.st.PortBase, 0);
  // The request to stop comes while the test drives the lines of LPT1, where nothing was found.
  h.view.answers = {Answer::kYes, Answer::kYes, Answer::kYes};
  h.stop.Stop_After(20);
  EXPECT_FALSE(h.win.Board_Test());
  EXPECT_GT(h.view.prompts.size(), 0u);
  EXPECT_EQ(h.win.interrupted(), 15);
  EXPECT_EQ(h.st.PortBase, kLpt1) << "the port whose lines the way out must leave safe";
}

}  // namespace
}  // namespace corvane
