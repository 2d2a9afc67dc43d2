#include "hardware/trace.h"

namespace corvane {

void TraceRecorder::record(const PortAccess& access) {
  accesses.push_back(access);
}

std::uint8_t TracingPort::read(std::uint16_t address) {
  const std::int64_t t = clock_.now_ns();
  const std::uint8_t value = inner_.read(address);
  sink_.record(PortAccess{t, false, address, value});
  return value;
}

void TracingPort::write(std::uint16_t address, std::uint8_t value) {
  const std::int64_t t = clock_.now_ns();
  inner_.write(address, value);
  sink_.record(PortAccess{t, true, address, value});
}

}  // namespace corvane
