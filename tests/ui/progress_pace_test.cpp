// The time left of a block transfer, from its measured pace, and the progress the window's logic
// hands to the view during a long program on the simulated board.
#include <gtest/gtest.h>

#include "support/sim_window.h"
#include "ui/progress_pace.h"

namespace corvane::testing {
namespace {

TEST(ProgressPaceTest, TimeLeftFollowsThePaceSinceTheFirstReport) {
  ProgressPace p;
  EXPECT_EQ(p.Update(1, 100, 5'000), -1) << "no pace from one report";
  EXPECT_EQ(p.Update(2, 100, 15'000), 10'000 * 98);
  EXPECT_EQ(p.Update(11, 100, 105'000), 10'000 * 89);
  // Skipped words go fast, written ones slowly: the average pace so far is what counts.
  EXPECT_EQ(p.Update(21, 100, 115'000), 5'500 * 79);
  EXPECT_EQ(p.Update(100, 100, 500'000), 0);
  EXPECT_EQ(p.Update(1, 64, 600'000), -1) << "a new transfer starts its own pace";
  EXPECT_EQ(p.Update(3, 64, 640'000), 20'000 * 61);
  EXPECT_EQ(p.Update(1, 64, 700'000), -1) << "so does the same size again";
}

TEST(ProgressPaceTest, TextsForTheTimeLeftAndThePercentage) {
  EXPECT_EQ(Time_Left_Text(-1), "");
  EXPECT_EQ(Time_Left_Text(0), "0:00 left");
  EXPECT_EQ(Time_Left_Text(1), "0:01 left") << "rounded up: never claims to be done early";
  EXPECT_EQ(Time_Left_Text(65'000'000'000), "1:05 left");
  EXPECT_EQ(Time_Left_Text(3'909'000'000'000), "1:05:09 left");
  EXPECT_EQ(Percent_Done(0, 8192), 0);
  EXPECT_EQ(Percent_Done(8191, 8192), 99);
  EXPECT_EQ(Percent_Done(8192, 8192), 100);
  EXPECT_EQ(Percent_Done(0, 0), 100);
}

struct ProgressView : RecordingView {
  struct Report {
    int done;
    int total;
    std::int64_t remaining_ns;
  };
  std::vector<Report> reports;
  void Progress(int done, int total, std::int64_t remaining_ns) override {
    reports.push_back({done, total, remaining_ns});
  }
};

TEST(ProgressPaceTest, AProgramReportsEveryWordWithATimeLeftThatRunsDownToTheEnd) {
  const std::string file = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";
  SimWindow w({kBrannock, true, sim::ChipKind::Pic16F877, kLpt1});
  ProgressView view;
  Panneau win(w.st, w.lines, view);
  win.Form_Load();
  view.files.push_back(file);
  ASSERT_TRUE(win.Click(Ctl::Btn_Load_File));
  win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
  ASSERT_TRUE(win.Click(Ctl::Btn_Program_Device));
  std::vector<ProgressView::Report> words;
  for (const auto& r : view.reports) {
    if (r.total == 8192) words.push_back(r);
  }
  ASSERT_EQ(words.size(), 8192u);
  EXPECT_EQ(words.back().done, 8192);
  EXPECT_EQ(words.back().remaining_ns, 0);
  // The demo programs a few dozen words, then skips blank ones: the estimate comes down with the
  // pace, and in virtual time the whole transfer is exactly the waits the chip saw.
  EXPECT_GT(words[1].remaining_ns, words[4000].remaining_ns);
  EXPECT_GT(words[4000].remaining_ns, words[8000].remaining_ns);
  EXPECT_GT(words[8000].remaining_ns, 0);
}

}  // namespace
}  // namespace corvane::testing
