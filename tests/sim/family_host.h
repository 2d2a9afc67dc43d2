// A raw host for the newer families' tests: RawHost's exact bytes on a Brannock board, with the
// commands and sequences spelt out by name.
#pragma once

#include <string>

#include "sim/timing.h"
#include "sim_bench.h"

namespace corvane::sim {

struct FamilyHost : RawHost {
  explicit FamilyHost(ChipKind kind) : RawHost(kind) {}

  // Vpp first, then Vdd after `vdd_after` ns (clock and data low all along).
  void enter_vpp_first(std::int64_t vdd_after = 10'000) {
    put(0x0B, 1'000);
    put(0x03, 10'000);
    put(0x07, vdd_after);
    clock.advance(10'000);
  }
  // Out of programming mode and back in: PC at 0.
  void reenter() {
    leave();
    put(0x0B, 2'000'000);  // Vdd off: MCLR and the supply discharged
    enter();
  }

  void load_config(int word) {
    command(0);
    load(word);
  }
  void load_program(int word) {
    command(2);
    load(word);
  }
  void load_data(int byte) {
    command(3);
    load(byte);
  }
  void increment(int times = 1) {
    for (int i = 0; i < times; ++i) command(6);
  }
  int read_program() {
    command(4);
    return read_word();
  }
  int read_data() {
    command(5);
    return read_word();
  }
  // A command, then a wait before whatever comes next.
  void timed(int code, std::int64_t wait_ns) {
    command(code);
    clock.advance(wait_ns);
  }
  // Begin Programming Only (or Begin Erase on the 88), a wait, End Programming.
  void timed_by_host(int begin, std::int64_t wait_ns) {
    timed(begin, wait_ns);
    command(23);
  }
  // `count` words from PC on, each read then Increment Address.
  std::vector<int> read_words(int count) {
    std::vector<int> words;
    for (int i = 0; i < count; ++i) {
      words.push_back(read_program());
      increment();
    }
    return words;
  }

  bool violated(const std::string& text) const {
    return Violations(chip).find(text) != std::string::npos;
  }
};

}  // namespace corvane::sim
