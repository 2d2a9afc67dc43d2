// How long an operation takes at the speed set beside the fast speed: how it is said, and the
// estimates the window's logic gives a view that asks for them, which must be what the command
// then takes on a blank chip.
#include <gtest/gtest.h>

#include "support/sim_window.h"
#include "ui/speed_hint.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";
// Fills the 16F877's program memory: every word is read, at normal speed for minutes.
const std::string kDemo877 = std::string(CORVANE_TEST_DATA) + "/pic16f877_demo_inhx32.hex";
constexpr std::int64_t kS = 1'000'000'000;

struct DurationCase {
  std::int64_t ns;
  const char* text;
};

class DurationTextTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(DurationTextTest, RoundedToTheUnitShown) {
  EXPECT_EQ(Duration_Text(GetParam().ns), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, DurationTextTest,
    ::testing::Values(DurationCase{0, "0 s"}, DurationCase{12'280'200'000, "12 s"},
                      DurationCase{59'499'999'999, "59 s"}, DurationCase{59'500'000'000, "1 min"},
                      DurationCase{95'500'000'000, "1 min 36 s"},
                      DurationCase{530'221'000'000, "8 min 50 s"},
                      DurationCase{599'600'000'000, "10 min"},
                      DurationCase{4'105'039'800'000, "68 min"}, DurationCase{7'200 * kS, "2 h"},
                      DurationCase{61'575'597'000'000, "17 h 6 min"}));

TEST(SpeedHintTest, SaysBothTimesWhenTheSpeedSetTakesMoreThanAMinute) {
  SpeedHint h{kNormalSpeed, 4'105 * kS, 96 * kS, true};
  EXPECT_EQ(Speed_Hint_Text(h, "`speed fast`"),
            "this takes about 68 min at normal speed; `speed fast` takes about 1 min 36 s");
  h.speed = kLowSpeed;
  h.slow_ns = 61'576 * kS;
  EXPECT_EQ(Speed_Hint_Text(h, "Fast programming"),
            "this takes about 17 h 6 min at low speed; Fast programming takes about 1 min 36 s");
  EXPECT_TRUE(h.worth_saying());
  h.slow_ns = 60 * kS;
  EXPECT_FALSE(h.worth_saying()) << "a minute exactly is no hint";
  h = {kFastSpeed, 3'600 * kS, 3'600 * kS, true};
  EXPECT_FALSE(h.worth_saying()) << "already fast";
}

struct EstimateCase {
  const char* name;
  sim::ChipKind chip;
  BoardKind board;
  const std::string* file;
  SpeedKind speed;
  Ctl command;  // Menu_File_Save: the console program's save
  bool worth_saying;
};

// Start-up, the speed, the file; then the command, timed on the simulated board's clock.
std::int64_t Run_Timed(SimWindow& w, const EstimateCase& c, SpeedKind speed) {
  w.Start();
  w.win.Set_Value(Ctl::Menu_Options_Fast, speed == kFastSpeed ? kChecked : kUnchecked);
  w.win.Set_Value(Ctl::Check_Speed, speed == kLowSpeed ? kChecked : kUnchecked);
  EXPECT_TRUE(w.Load(*c.file));
  // The user's click comes long after start-up's last line change, as in the rehearsal.
  w.clock.wait_for(kS);
  w.view.speed_hints.clear();
  const std::int64_t start = w.clock.now_ns();
  if (c.command == Ctl::Menu_File_Save) {
    w.win.Save_Device_To(::testing::TempDir() + "speed_hint_save.hex");
  } else {
    w.win.Click(c.command);
  }
  return w.clock.now_ns() - start;
}

class SpeedEstimateTest : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(SpeedEstimateTest, IsWhatTheCommandTakesOnABlankChip) {
  const EstimateCase& c = GetParam();
  SimWindow slow({c.board, true, c.chip, kLpt1});
  slow.view.wants_speed_hints = true;
  const std::int64_t taken = Run_Timed(slow, c, c.speed);
  ASSERT_EQ(slow.view.speed_hints.size(), 1u);
  const SpeedHint& hint = slow.view.speed_hints.front();
  EXPECT_TRUE(hint.starting);
  EXPECT_EQ(hint.speed, c.speed);
  EXPECT_EQ(hint.slow_ns, taken);
  EXPECT_EQ(hint.worth_saying(), c.worth_saying);
  if (!c.worth_saying) {
    EXPECT_EQ(hint.fast_ns, 0) << "no fast rehearsal for a short command";
    return;
  }
  SimWindow fast({c.board, true, c.chip, kLpt1});
  EXPECT_EQ(hint.fast_ns, Run_Timed(fast, c, kFastSpeed));
  // The real board saw none of the rehearsals: what the command did is all it did.
  EXPECT_TRUE(slow.chip.violations().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SpeedEstimateTest,
    ::testing::Values(EstimateCase{"ShortProgram", sim::ChipKind::Pic16F84A, kBrannock, &kDemo84,
                                   kNormalSpeed, Ctl::Btn_Program_Device, false},
                      EstimateCase{"Program877", sim::ChipKind::Pic16F877, kBrannock, &kDemo877,
                                   kNormalSpeed, Ctl::Btn_Program_Device, true},
                      EstimateCase{"VerifyLowTessel", sim::ChipKind::Pic16F877, kTessel, &kDemo877,
                                   kLowSpeed, Ctl::Btn_Verify, true},
                      EstimateCase{"Save873", sim::ChipKind::Pic16F873, kBrannock, &kDemo84,
                                   kNormalSpeed, Ctl::Menu_File_Save, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpeedEstimateTest, LoadAndSpeedChangesEstimateProgrammingTheFile) {
  SimWindow w({kBrannock, true, sim::ChipKind::Pic16F877, kLpt1});
  w.view.wants_speed_hints = true;
  w.Start();
  w.view.speed_hints.clear();  // start-up's identification: a short command, nothing to say
  ASSERT_TRUE(w.Load(kDemo877));
  ASSERT_EQ(w.view.speed_hints.size(), 1u);
  EXPECT_FALSE(w.view.speed_hints[0].starting);
  EXPECT_TRUE(w.view.speed_hints[0].worth_saying());
  w.win.Set_Value(Ctl::Check_Speed, kChecked);
  ASSERT_EQ(w.view.speed_hints.size(), 2u);
  EXPECT_EQ(w.view.speed_hints[1].speed, kLowSpeed);
  EXPECT_GT(w.view.speed_hints[1].slow_ns, 10 * w.view.speed_hints[0].slow_ns);
  EXPECT_EQ(w.view.speed_hints[1].fast_ns, w.view.speed_hints[0].fast_ns);
  // Fast set (low off): nothing to say, and nothing rehearsed.
  w.win.Set_Value(Ctl::Check_Speed, kUnchecked);
  w.win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
  EXPECT_FALSE(w.view.speed_hints.back().worth_saying());
  EXPECT_EQ(w.view.speed_hints.back().slow_ns, 0);
  // No board on either port: nothing rehearsed either.
  SimWindow none({kBrannock, true, sim::ChipKind::Pic16F877, 0x3BC});
  none.view.wants_speed_hints = true;
  none.Start();
  none.view.boxes.clear();
  ASSERT_TRUE(none.Load(kDemo877));
  EXPECT_EQ(none.view.speed_hints.back().slow_ns, 0);
}

}  // namespace
}  // namespace corvane::testing
