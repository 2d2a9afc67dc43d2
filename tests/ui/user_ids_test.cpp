// The user IDs through the window's logic: where Program device writes them, what it leaves
// alone, and that their writing keeps every datasheet timing.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

// Command codes of the serial protocol, as the decoder reports them.
constexpr int kLoadConfiguration = 0;
constexpr int kLoadDataEeprom = 3;

// Index of the first command with this code at or after `from`, or the end.
std::size_t Next_Command(const std::vector<sim::ProtocolEvent>& events, int code,
                         std::size_t from) {
  for (std::size_t i = from; i < events.size(); ++i) {
    if (events[i].kind == sim::ProtocolEvent::Command && events[i].value == code) return i;
  }
  return events.size();
}

TEST(UserIdsTest, ProgramWritesThemAfterTheEepromAndBeforeTheFuses) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(kDemo84));
  w.board.clear_events();
  w.chip.clear_violations();
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(w.chip.user_id(i), i + 1);
  EXPECT_EQ(w.chip.config(), 0x3FF1);
  EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations().front().what;

  // EEPROM loads, then Load Configuration for the IDs, then the one for the fuses.
  const auto& events = w.board.events();
  const std::size_t eeprom = Next_Command(events, kLoadDataEeprom, 0);
  const std::size_t ids = Next_Command(events, kLoadConfiguration, eeprom);
  const std::size_t fuses = Next_Command(events, kLoadConfiguration, ids + 1);
  EXPECT_LT(eeprom, ids);
  EXPECT_LT(ids, fuses);
  EXPECT_LT(fuses, events.size());

  // Programming the same file again finds the IDs equal and writes nothing more to them.
  w.board.clear_events();
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  EXPECT_TRUE(w.chip.violations().empty());
  EXPECT_EQ(w.New_Log().find("Error"), std::string::npos);
}

TEST(UserIdsTest, AFileWithoutIdsNeverEntersTheIdArea) {
  SimWindow w;
  w.chip.set_user_id(0, 0x0ABC);
  w.Start();
  ASSERT_TRUE(w.Load(Write_Temp_File("no_ids.hex", ":020000000528D1\r\n:00000001FF\r\n")));
  w.board.clear_events();
  ASSERT_TRUE(w.win.Click(Ctl::Btn_Program_Device));
  // One Load Configuration only: the fuses'.
  const auto& events = w.board.events();
  const std::size_t first = Next_Command(events, kLoadConfiguration, 0);
  EXPECT_LT(first, events.size());
  EXPECT_EQ(Next_Command(events, kLoadConfiguration, first + 1), events.size());
  EXPECT_EQ(w.chip.user_id(0), 0x0ABC);
}

}  // namespace
}  // namespace corvane::testing
