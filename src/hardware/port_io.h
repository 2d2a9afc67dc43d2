// The one way to the parallel port: a byte read and a byte write of an I/O address.
// Backends are the Linux parport devices and the simulated programmer board.
#pragma once

#include <cstdint>

namespace corvane {

class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual std::uint8_t read(std::uint16_t address) = 0;
  virtual void write(std::uint16_t address, std::uint8_t value) = 0;
};

// The only addresses the programmer may ever touch: the data, status and control registers of
// LPT1 (0x378, 0x379, 0x37A) and LPT2 (0x278, 0x279, 0x27A).
constexpr bool Port_Address_Allowed(std::uint32_t address) {
  return (address >= 0x378 && address <= 0x37A) || (address >= 0x278 && address <= 0x27A);
}

// Passes accesses to another PortIo only for the allowed addresses. A refused read returns
// 0xFF (an empty bus) and a refused write does nothing; both are counted.
class GuardedPort final : public PortIo {
 public:
  explicit GuardedPort(PortIo& inner) : inner_(inner) {}
  std::uint8_t read(std::uint16_t address) override {
    if (!Port_Address_Allowed(address)) {
      ++refused_;
      return 0xFF;
    }
    return inner_.read(address);
  }
  void write(std::uint16_t address, std::uint8_t value) override {
    if (!Port_Address_Allowed(address)) {
      ++refused_;
      return;
    }
    inner_.write(address, value);
  }
  long refused() const { return refused_; }

 private:
  PortIo& inner_;
  long refused_ = 0;
};

}  // namespace corvane
