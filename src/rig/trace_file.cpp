#include "rig/trace_file.h"

#include <cstdio>
#include <utility>

#include "boards/board_lines.h"
#include "boards/builtin_boards.h"

namespace corvane {

void TextTraceWriter::record(const PortAccess& a) {
  char line[64];
  std::snprintf(line, sizeof line, "%lld %c %X %02X\n", static_cast<long long>(a.t_ns / 1000),
                a.write ? 'W' : 'R', static_cast<unsigned>(a.address),
                static_cast<unsigned>(a.value));
  out_ << line;
}

namespace {
enum Signal { kVdd, kVpp, kClock, kDataOut, kDataIn };
constexpr const char* kNames[] = {"Vdd", "Vpp", "clock", "data_out", "data_in"};
constexpr char kIds[] = {'!', '"', '#', '$', '%'};
}  // namespace

VcdTraceWriter::VcdTraceWriter(std::ostream& out, TracedBoard board)
    : out_(out), board_(std::move(board)) {
  out_ << "$timescale 1ns $end\n$scope module programmer $end\n";
  for (int s = 0; s < 5; ++s) out_ << "$var wire 1 " << kIds[s] << ' ' << kNames[s] << " $end\n";
  out_ << "$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n";
  for (int s = 0; s < 5; ++s) out_ << 'x' << kIds[s] << '\n';
  out_ << "$end\n";
}

void VcdTraceWriter::change(int signal, int level, std::int64_t t_ns) {
  if (levels_[signal] == level) return;
  levels_[signal] = level;
  if (t_ns != last_time_) {
    out_ << '#' << t_ns << '\n';
    last_time_ = t_ns;
  }
  out_ << level << kIds[signal] << '\n';
}

void VcdTraceWriter::record(const PortAccess& a) {
  const std::uint16_t port = board_.port();
  if (port == 0) return;
  const BoardDescription* described = board_.description ? board_.description() : nullptr;
  const BoardDescription& b = described != nullptr       ? *described
                              : board_.kind() == kTessel ? *Tessel_Board()
                                                         : *Brannock_Board();
  if (a.address == port + 1) {
    if (!a.write) change(kDataIn, b.data_in.Active_In(a.value) ? 1 : 0, a.t_ns);
    return;
  }
  if ((a.address != port && a.address != port + 2) || !a.write) return;
  (a.address == port ? data_ : control_) = a.value;
  // A board that does not switch Vdd powers the chip itself.
  change(kVdd, Vdd_Driven(b, data_, control_) ? 1 : 0, a.t_ns);
  change(kVpp, Vpp_Driven(b, data_, control_) ? 1 : 0, a.t_ns);
  change(kClock, Line_Active(b, Line::kClock, data_, control_) ? 1 : 0, a.t_ns);
  change(kDataOut, Line_Active(b, Line::kDataOut, data_, control_) ? 1 : 0, a.t_ns);
}

namespace {
// What is kept before it is written out: a failing file is noticed within the first few hundred
// accesses (before the start-up ends), and the file sees few writes.
constexpr std::streamoff kBufferBytes = 8192;
}  // namespace

std::unique_ptr<TraceFile> TraceFile::Open(const std::string& path, TracedBoard board,
                                           std::string* error,
                                           const platform::OutputFile::StopCheck& stop,
                                           bool* stopped) {
  std::unique_ptr<TraceFile> file(new TraceFile());
  bool interrupted = false;
  std::string reason;
  // The same bytes on every system: LF line ends, no CR LF translation on Windows.
  file->file_ = platform::OutputFile::Create(path, stop, &interrupted, &reason);
  if (stopped != nullptr) *stopped = interrupted;
  if (!file->file_) {
    if (!interrupted) *error = "cannot create trace file " + path + ": " + reason;
    return nullptr;
  }
  const bool vcd = path.size() >= 4 && path.compare(path.size() - 4, 4, ".vcd") == 0;
  if (vcd) {
    file->writer_ = std::make_unique<VcdTraceWriter>(file->buffer_, std::move(board));
  } else {
    file->writer_ = std::make_unique<TextTraceWriter>(file->buffer_);
  }
  return file;
}

void TraceFile::Write_Out() {
  const std::string text = buffer_.str();
  buffer_.str(std::string());
  if (!failure_.empty() || text.empty()) return;
  std::string reason;
  if (!file_->Write(text, &reason)) failure_ = reason;
}

void TraceFile::record(const PortAccess& a) {
  if (!failure_.empty()) return;
  writer_->record(a);
  if (buffer_.tellp() >= kBufferBytes) Write_Out();
}

bool TraceFile::Finish(std::string* reason) {
  Write_Out();
  if (failure_.empty()) return true;
  *reason = failure_;
  return false;
}

}  // namespace corvane
