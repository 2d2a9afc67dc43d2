// The "Fast" speed: each wait is the datasheet minimum for its step (DS30262 for the PIC16F84/84A,
// DS39025 for the PIC16F87x) plus a stated margin, per chip, and no line of the programmer changes
// sooner than kLineSpacingNs after the previous change, whatever the datasheet allows: cables and
// the board's transistors are far slower than the silicon.
//
// Two entries into programming mode keep Vpp off between them at least as long as the normal speed
// does (kVppOffNs): a board discharges MCLR through its own components, which the datasheets do not
// know, and a chip whose MCLR has not fallen to its reset level when Vpp comes back stays in
// programming mode with its address counter where it was.
//
// A fast wait is measured from the edge the datasheet measures it from (the anchor), not from the
// moment it is asked for: the programming cycle from the falling clock edge that started it, the
// data setup from the data change. So waits that follow one another do not add up needlessly.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane {

// What a wait protects at the fast speed.
enum class Timing : int {
  kNone,   // nothing beyond the lines' spacing
  kBoard,  // the board's supply or reset circuit: no datasheet figure, the normal length is kept
  kTset1,
  kThld1,
  kTdly,
  kVppSetup,
  kVppHold,
  kProgramCycle,
  kProgramOnlyCycle,
  kEepromCycle,
  kBulkErase,
};

enum class Anchor : int { kLastChange, kLastFall, kLastDataChange };

// The datasheet columns: the 16F84, the 16F84A and the 16F87x family (873, 874, 876, 877).
enum FastChip : int { kFast16F84 = 0, kFast16F84A = 1, kFast16F87x = 2 };

// The column for an identification word. The 16F84 has none (it reads 0x3FFF) and its figures are
// the longest, so any word that names no known chip takes the 16F84's.
FastChip Fast_Chip_For(std::int32_t device_id);

struct FastRow {
  Timing timing;
  std::string_view what;
  Anchor anchor;
  std::array<std::int64_t, 3> datasheet_ns;  // by FastChip
  std::array<std::int64_t, 3> margin_ns;
};

inline constexpr std::int64_t kUs = 1'000;
inline constexpr std::int64_t kMs = 1'000'000;

// Every fast wait keeps at least this share above the datasheet figure it covers, in percent.
inline constexpr int kMinimumMarginPercent = 10;
// The shortest time the normal speed keeps Vpp off between two entries into programming mode.
inline constexpr std::int64_t kVppOffNs = 2 * kMs;

struct FastTable {
  std::array<FastRow, 9> rows;
  // Between two changes of the programmer's lines (cable and board, not the chip).
  std::int64_t line_spacing_ns;
  // Vpp off between two entries into programming mode (the board's MCLR discharge).
  std::int64_t vpp_off_ns;

  // The row of a datasheet timing; null for kNone and kBoard.
  const FastRow* row(Timing t) const {
    for (const FastRow& r : rows) {
      if (r.timing == t) return &r;
    }
    return nullptr;
  }
  FastRow* row(Timing t) {
    return const_cast<FastRow*>(static_cast<const FastTable&>(*this).row(t));
  }
};

// The fast speed as shipped: each row's datasheet figure and its margin side by side, per chip.
// clang-format off
inline constexpr FastTable kFastTable = {{{
  //  timing               what                                                  anchor
  //                       datasheet: 16F84     16F84A      16F87x       margin: 16F84  16F84A   16F87x
  {Timing::kTset1,        "Tset1: data set before the falling clock edge",       Anchor::kLastDataChange,
                          {100,        100,        100},                 {100,       100,       100}},
  {Timing::kThld1,        "Thld1: data held after the falling clock edge",       Anchor::kLastFall,
                          {100,        100,        100},                 {100,       100,       100}},
  {Timing::kTdly,         "Tdly1, Tdly2: falling edge to the next command or data phase", Anchor::kLastFall,
                          {1 * kUs,    1 * kUs,    1 * kUs},             {1 * kUs,   1 * kUs,   1 * kUs}},
  {Timing::kVppSetup,     "Thld0: clock and data low before MCLR rises to Vpp",  Anchor::kLastChange,
                          {5 * kUs,    5 * kUs,    5 * kUs},             {45 * kUs,  45 * kUs,  45 * kUs}},
  // The margin covers the board's Vpp switch, which takes microseconds to bring MCLR to Vpp.
  {Timing::kVppHold,      "Tppdp: MCLR at Vpp before the first clock",           Anchor::kLastChange,
                          {5 * kUs,    5 * kUs,    5 * kUs},             {995 * kUs, 995 * kUs, 995 * kUs}},
  // 16F84: 10 ms typical, 20 ms to be safe; 16F84A and 16F87x: 4 ms erase + 4 ms write.
  {Timing::kProgramCycle, "erase/write cycle of a program word",                 Anchor::kLastFall,
                          {20 * kMs,   8 * kMs,    8 * kMs},             {2 * kMs,   800 * kUs, 800 * kUs}},
  // Begin Programming Only (24) on an erased word: 4 ms on the 16F84A and 16F87x; the 16F84 has
  // no such command (its column is never used: the 16F84's erase/write cycle is kept).
  {Timing::kProgramOnlyCycle, "program-only write of an erased program word",    Anchor::kLastFall,
                          {20 * kMs,   4 * kMs,    4 * kMs},             {2 * kMs,   400 * kUs, 400 * kUs}},
  // 16F84: 10 ms typical, 20 ms maximum; 16F84A and 16F87x: 8 ms maximum.
  {Timing::kEepromCycle,  "data EEPROM write cycle",                             Anchor::kLastFall,
                          {20 * kMs,   8 * kMs,    8 * kMs},             {2 * kMs,   800 * kUs, 800 * kUs}},
  {Timing::kBulkErase,    "bulk or chip erase",                                  Anchor::kLastFall,
                          {20 * kMs,   20 * kMs,   20 * kMs},            {2 * kMs,   2 * kMs,   2 * kMs}},
}},
  // Line spacing: no chip figure; the cable and the board's line drivers.
  10 * kUs,
  // Vpp off between entries: the shortest the normal speed leaves (see the pinned normal traces).
  kVppOffNs,
};
// clang-format on

constexpr bool Margins_Keep_Their_Share(const FastTable& t) {
  for (const FastRow& r : t.rows) {
    for (std::size_t chip = 0; chip < r.margin_ns.size(); ++chip) {
      if (r.margin_ns[chip] * 100 < r.datasheet_ns[chip] * kMinimumMarginPercent) return false;
    }
  }
  return true;
}
static_assert(Margins_Keep_Their_Share(kFastTable),
              "every fast wait keeps its margin above the datasheet figure");

}  // namespace corvane
