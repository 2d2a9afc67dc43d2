// A record of every port access: a decorator that sits between the programmer's lines and a port
// backend and hands each read (with the value read) and each write to a sink, stamped with the
// clock's time.
#pragma once

#include <cstdint>
#include <vector>

#include "hardware/clock.h"
#include "hardware/port_io.h"

namespace corvane {

struct PortAccess {
  std::int64_t t_ns;
  bool write;
  std::uint16_t address;
  std::uint8_t value;
};

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void record(const PortAccess& access) = 0;
};

// Keeps every access in memory, in order.
class TraceRecorder : public TraceSink {
 public:
  std::vector<PortAccess> accesses;
  void record(const PortAccess& access) override;
};

class TracingPort : public PortIo {
 public:
  TracingPort(PortIo& inner, Clock& clock, TraceSink& sink)
      : inner_(inner), clock_(clock), sink_(sink) {}

  // The access is made first and recorded after, stamped with the time it was made.
  std::uint8_t read(std::uint16_t address) override;
  void write(std::uint16_t address, std::uint8_t value) override;

 private:
  PortIo& inner_;
  Clock& clock_;
  TraceSink& sink_;
};

}  // namespace corvane
