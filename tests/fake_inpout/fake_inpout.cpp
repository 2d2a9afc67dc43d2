// A stand-in for the InpOut driver library (inpoutx64.dll), built by the tests: it exports what
// the real one does, answers like a programmer board with an empty socket on one port, and keeps
// every access so a test can see what reached the "hardware". Built a second time as a library
// with none of the exports (FAKE_INPOUT_BARE), for the "not the InpOut library" case.
#include <cstdio>
#include <cstring>
#include <string>

#if defined(_WIN32)
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#ifndef FAKE_INPOUT_BARE

namespace {

int driver_open = 1;
unsigned board_base = 0xD010;  // where the board answers
unsigned char data_register = 0;
std::string accesses;  // "W D010 2A\n", "R D011 40\n", ...

void Note(char kind, unsigned address, unsigned value) {
  char line[32];
  std::snprintf(line, sizeof line, "%c %X %02X\n", kind, address & 0xFFFF, value & 0xFF);
  accesses += line;
}

}  // namespace

FAKE_EXPORT short Inp32(short port) {
  const unsigned address = static_cast<unsigned short>(port);
  unsigned value = 0xFF;  // nothing on the bus
  if (address == board_base) {
    value = data_register;
  } else if (address == board_base + 1) {
    // The data line follows the host's driver (D0 set pulls it low: status bit 6 set); the
    // loop-back D4 -> status bit 7 is not wired, as on the Brannock hardware.
    value = (data_register & 0x01) ? 0x40 : 0x00;
  }
  Note('R', address, value);
  return static_cast<short>(value);
}

FAKE_EXPORT void Out32(short port, short data) {
  const unsigned address = static_cast<unsigned short>(port);
  if (address == board_base) data_register = static_cast<unsigned char>(data);
  Note('W', address, static_cast<unsigned>(data));
}

FAKE_EXPORT int IsInpOutDriverOpen() {
  return driver_open;
}

FAKE_EXPORT int IsXP64Bit() {
  return 1;
}

// Test controls: whether the driver is open, where the board answers; and the accesses so far,
// copied into buffer (at most size - 1 characters), forgotten after the copy.
FAKE_EXPORT void FakeInpOut_Configure(int open, unsigned base) {
  driver_open = open;
  board_base = base;
  data_register = 0;
  accesses.clear();
}

FAKE_EXPORT int FakeInpOut_Take_Accesses(char* buffer, int size) {
  const int n =
      static_cast<int>(accesses.size()) < size - 1 ? static_cast<int>(accesses.size()) : size - 1;
  std::memcpy(buffer, accesses.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  accesses.clear();
  return n;
}

#else

FAKE_EXPORT int Something_Else() {
  return 0;
}

#endif
