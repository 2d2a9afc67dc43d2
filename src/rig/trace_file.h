// Port-access trace files: one line per access, or a value-change dump of the programmer's lines.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "hardware/trace.h"
#include "platform/output_file.h"
#include "state/working_state.h"

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

// The programmer a value-change dump decodes: the data register address of the port in use (0
// while none is known, when nothing is decoded) and the board, asked at every access: its
// description when `description` is given, else the built-in board of its kind.
struct TracedBoard {
  std::function<std::uint16_t()> port;
  std::function<BoardKind()> kind;
  std::function<const BoardDescription*()> description = {};
};

// Vdd, Vpp, clock, data out (the host's driver) and data in (what the status register shows) as
// a value-change dump, in nanoseconds. Only the accesses to the port in use are decoded, with
// the meanings of the board in use: the discovery's probes of other ports drive no line.
class VcdTraceWriter final : public TraceSink {
 public:
  VcdTraceWriter(std::ostream& out, TracedBoard board);
  void record(const PortAccess& a) override;

 private:
  void change(int signal, int level, std::int64_t t_ns);

  std::ostream& out_;
  TracedBoard board_;
  std::uint8_t data_ = 0;  // the registers as last written
  std::uint8_t control_ = 0;
  int levels_[5] = {-1, -1, -1, -1, -1};
  std::int64_t last_time_ = -1;
};

// A trace file: text, or VCD when the name ends in ".vcd". Every write is checked: the first
// failure is kept and nothing more is written after it.
class TraceFile final : public TraceSink {
 public:
  // Null with a reason when the file cannot be created; with *stopped set instead when `stop`
  // said so while the file (a FIFO) waited for its reader.
  static std::unique_ptr<TraceFile> Open(const std::string& path, TracedBoard board,
                                         std::string* error,
                                         const platform::OutputFile::StopCheck& stop = {},
                                         bool* stopped = nullptr);

  void record(const PortAccess& a) override;
  // Why a write failed ("No space left on device"); empty while every write succeeded.
  const std::string& failure() const { return failure_; }
  // Writes what is buffered. False with the reason when that or any earlier write failed.
  bool Finish(std::string* reason);

 private:
  void Write_Out();

  std::unique_ptr<platform::OutputFile> file_;
  std::ostringstream buffer_;
  std::unique_ptr<TraceSink> writer_;
  std::string failure_;
};

}  // namespace corvane
