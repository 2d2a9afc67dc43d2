// Port-access trace files: one line per access, or a value-change dump of the programmer's lines.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "hardware/trace.h"

namespace corvane {

// "TIME_US R|W ADDRESS BYTE" per access, e.g. "1500 W 378 2A"; the time is whole microseconds
// since the run started on the run's clock.
class TextTraceWriter final : public TraceSink {
 public:
  explicit TextTraceWriter(std::ostream& out) : out_(out) {}
  void record(const PortAccess& a) override;

 private:
  std::ostream& out_;
};

// Vdd, Vpp, clock, data out (the host's driver) and data in (what the status register shows) as
// a value-change dump, in nanoseconds. The lines follow the board design in use, which the
// discovery decides; board_variant is read at every access.
class VcdTraceWriter final : public TraceSink {
 public:
  VcdTraceWriter(std::ostream& out, const std::int16_t& board_variant);
  void record(const PortAccess& a) override;

 private:
  void change(int signal, int level, std::int64_t t_ns);

  std::ostream& out_;
  const std::int16_t& board_variant_;
  int levels_[5] = {-1, -1, -1, -1, -1};
  std::int64_t last_time_ = -1;
};

// A trace file: text, or VCD when the name ends in ".vcd". Null with a reason when the file
// cannot be created.
struct TraceFile {
  std::ofstream stream;
  std::unique_ptr<TraceSink> sink;
};
std::unique_ptr<TraceFile> Open_Trace_File(const std::string& path,
                                           const std::int16_t& board_variant, std::string* error);

}  // namespace corvane
