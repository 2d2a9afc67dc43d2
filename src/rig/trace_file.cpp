#include "rig/trace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

std::unique_ptr<TraceFile> TraceFile::Open(const std::string& path, TracedBoard board,
                                           std::string* error) {
  std::unique_ptr<TraceFile> file(new TraceFile());
  // Binary: the same bytes on every system (LF line ends, no CR LF translation on Windows).
  errno = 0;
  file->stream_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!file->stream_) {
    *error = "cannot create trace file " + path + ": " +
             (errno != 0 ? std::strerror(errno) : "cannot open the file");
    return nullptr;
  }
  const bool vcd = path.size() >= 4 && path.compare(path.size() - 4, 4, ".vcd") == 0;
  if (vcd) {
    file->writer_ = std::make_unique<VcdTraceWriter>(file->stream_, std::move(board));
  } else {
    file->writer_ = std::make_unique<TextTraceWriter>(file->stream_);
  }
  file->Check();
  return file;
}

void TraceFile::Check() {
  if (stream_ || !failure_.empty()) return;
  failure_ = errno != 0 ? std::strerror(errno) : "write error";
}

void TraceFile::record(const PortAccess& a) {
  if (!failure_.empty()) return;
  errno = 0;
  writer_->record(a);
  Check();
}

bool TraceFile::Finish(std::string* reason) {
  if (failure_.empty()) {
    errno = 0;
    stream_.flush();
    Check();
  }
  if (failure_.empty()) return true;
  *reason = failure_;
  return false;
}

}  // namespace corvane
