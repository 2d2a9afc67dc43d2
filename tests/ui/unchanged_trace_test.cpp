// Every command at normal, low and fast speed, on both boards, as one fingerprint of the port
// accesses with their times: the waits of normal and low speed are the system's own and must not
// move by a single access or nanosecond whatever else changes in how waits are taken, and the
// boards' lines must not move whichever way they are described. When a command's sequence is
// changed on purpose, the new count and fingerprint are in the failure message.
#include <gtest/gtest.h>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

// FNV-1a over every access: time, direction, address and byte.
std::uint64_t Fingerprint(const std::vector<PortAccess>& accesses) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  auto mix = [&h](std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 0x100000001b3ull;
    }
  };
  for (const PortAccess& a : accesses) {
    mix(static_cast<std::uint64_t>(a.t_ns), 8);
    mix(a.write ? 1 : 0, 1);
    mix(a.address, 2);
    mix(a.value, 1);
  }
  return h;
}

struct TraceRun {
  std::size_t accesses;
  std::uint64_t fingerprint;
};

TraceRun Every_Command(BoardKind board, sim::ChipKind chip, const std::string& file,
                       SpeedKind speed) {
  SimWindow w({board, true, chip, kLpt1});
  w.Start();
  if (speed == kLowSpeed) w.win.Click(Ctl::Check_Speed);
  if (speed == kFastSpeed) w.win.Click(Ctl::Menu_Options_Fast);
  EXPECT_TRUE(w.Load(file));
  for (Ctl id :
       {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device, Ctl::Btn_Read_EEPROM,
        Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_EEPROM,
        Ctl::Btn_Prog_EEPROM, Ctl::Btn_Prog_Fuses, Ctl::Btn_Erase_Device}) {
    w.win.Click(id);
  }
  EXPECT_TRUE(w.win.Save_Device_To(::testing::TempDir() + "unchanged_trace.hex"));
  EXPECT_TRUE(w.view.boxes.empty()) << w.view.boxes.front();
  EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations().front().what;
  return {w.trace.accesses.size(), Fingerprint(w.trace.accesses)};
}

TEST(UnchangedTraceTest, AccessesAndTimesArePinnedAtEverySpeed) {
  struct Case {
    BoardKind board;
    sim::ChipKind chip;
    const std::string* file;
    SpeedKind speed;
    TraceRun expected;
  };
  const Case cases[] = {
      {kBrannock,
       sim::ChipKind::Pic16F84A,
       &kDemo84,
       kNormalSpeed,
       {521191, 0xfae5bc03871701edull}},
      {kBrannock, sim::ChipKind::Pic16F84A, &kDemo84, kLowSpeed, {521191, 0x2ab56ac5556217feull}},
      {kTessel, sim::ChipKind::Pic16F84A, &kDemo84, kNormalSpeed, {521127, 0x98bdbd03c5836597ull}},
      {kBrannock,
       sim::ChipKind::Pic16F877,
       &kDemo84,
       kNormalSpeed,
       {1676711, 0x91c524c559ea9c51ull}},
      {kTessel, sim::ChipKind::Pic16F877, &kDemo84, kLowSpeed, {1676647, 0xf15e5ec07a3bd26cull}},
      {kBrannock, sim::ChipKind::Pic16F84A, &kDemo84, kFastSpeed, {521188, 0xfd011ae6c6bdac8eull}},
      {kTessel, sim::ChipKind::Pic16F877, &kDemo84, kFastSpeed, {1676638, 0xc420abf2d5e7ff7full}},
  };
  for (const Case& c : cases) {
    const TraceRun r = Every_Command(c.board, c.chip, *c.file, c.speed);
    EXPECT_EQ(r.accesses, c.expected.accesses);
    EXPECT_EQ(r.fingerprint, c.expected.fingerprint) << std::hex << r.fingerprint;
  }
}

}  // namespace
}  // namespace corvane::testing
