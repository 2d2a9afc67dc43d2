// The InpOut backend: the option's addresses, the address guard, the logical-to-physical mapping
// and the failures said once; then the real loading code against the stand-in library.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "hardware/clock.h"
#include "hardware/inpout_port.h"
#include "hardware/lines.h"
#include "platform/shared_library.h"
#include "state/working_state.h"

namespace corvane {
namespace {

TEST(InpOutOptionTest, ReadsHexadecimalAddressesAndRefusesTheRest) {
  LptSpec spec;
  std::string error;
  ASSERT_TRUE(Parse_InpOut_Option("lpt", &spec, &error));
  EXPECT_EQ(spec.lpt1, "");
  ASSERT_TRUE(Parse_InpOut_Option("LPT:lpt1=0xd010,lpt2=C800", &spec, &error)) << error;
  EXPECT_EQ(spec.lpt1, "0xD010");
  EXPECT_EQ(spec.lpt2, "0xC800");
  ASSERT_TRUE(Parse_InpOut_Option("lpt:lpt2=0x3BC", &spec, &error)) << error;
  EXPECT_EQ(spec.lpt1, "");
  EXPECT_EQ(spec.lpt2, "0x3BC");

  const LptSpec kept = spec;
  for (const char* bad : {"lpt:", "lpt:lpt1", "lpt:lpt1=", "lpt:lpt1=/dev/parport0",
                          "lpt:lpt1=0xFFFE",  // the control register would be past the last port
                          "lpt:lpt1=0x80", "lpt:lpt1=12345", "lpt:lpt1=0xG0", "lpt:lpt3=0x378",
                          "lpt:lpt1=0x378,lpt1=0x278", "lpt:lpt1=0x278",  // LPT2 keeps 0x278
                          "lpt:lpt1=0xD010,lpt2=0xD012", "lpt:lpt1=0x378,", "parallel"}) {
    error.clear();
    EXPECT_FALSE(Parse_InpOut_Option(bad, &spec, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
  EXPECT_EQ(spec.lpt1, kept.lpt1);
  EXPECT_EQ(spec.lpt2, kept.lpt2);
}

// A driver that records what reaches it.
class FakeDriver final : public InpOutDriver {
 public:
  bool Open(std::string* why) override {
    ++opens;
    if (!fail_with.empty()) *why = fail_with;
    return fail_with.empty();
  }
  std::uint8_t In(std::uint16_t address) override {
    reads.push_back(address);
    return 0x5A;
  }
  void Out(std::uint16_t address, std::uint8_t value) override {
    writes.push_back({address, value});
  }
  std::string fail_with;
  int opens = 0;
  std::vector<std::uint16_t> reads;
  std::vector<std::pair<std::uint16_t, std::uint8_t>> writes;
};

TEST(InpOutPortTest, MapsTheLogicalRegistersAndNothingElse) {
  FakeDriver driver;
  std::ostringstream diag;
  LptSpec spec;
  spec.lpt1 = "0xD010";
  InpOutPort port(driver, spec, diag);
  EXPECT_EQ(port.Physical_Base(kLpt1), 0xD010);
  EXPECT_EQ(port.Physical_Base(kLpt2), 0x278);

  EXPECT_EQ(port.read(0x378), 0x5A);
  EXPECT_EQ(port.read(0x379), 0x5A);
  EXPECT_EQ(port.read(0x37A), 0x5A);  // the control register, for boards with lines on it
  EXPECT_EQ(port.read(0x279), 0x5A);
  port.write(0x378, 0x2A);
  port.write(0x278, 0x08);
  port.write(0x37A, 0x04);
  // Refused: past the control register, the physical address itself, anything else; status
  // writes.
  EXPECT_EQ(port.read(0x37B), 0xFF);
  EXPECT_EQ(port.read(0xD010), 0xFF);
  port.write(0x379, 0x00);
  port.write(0x37B, 0x00);
  port.write(0xD010, 0x00);
  port.write(0x80, 0x00);

  EXPECT_EQ(driver.opens, 1);
  EXPECT_EQ(driver.reads, (std::vector<std::uint16_t>{0xD010, 0xD011, 0xD012, 0x279}));
  const std::vector<std::pair<std::uint16_t, std::uint8_t>> writes = {
      {0xD010, 0x2A}, {0x278, 0x08}, {0xD012, 0x04}};
  EXPECT_EQ(driver.writes, writes);
  EXPECT_EQ(diag.str(), "");
}

TEST(InpOutPortTest, AFailedOpenIsSaidOnceAndTheBusReadsEmpty) {
  FakeDriver driver;
  driver.fail_with = "inpoutx64.dll cannot be loaded (gone): install it";
  std::ostringstream diag;
  InpOutPort port(driver, LptSpec{}, diag);
  VirtualClock clock;
  WorkingState st;
  Lines lines(port, clock, st);
  lines.Probe_Port(kLpt2);
  lines.Probe_Port(kLpt1);
  EXPECT_EQ(st.PortBase, 0);
  EXPECT_EQ(port.read(0x379), 0xFF);
  EXPECT_EQ(driver.opens, 1);
  EXPECT_TRUE(driver.reads.empty());
  EXPECT_TRUE(driver.writes.empty());
  EXPECT_EQ(diag.str(),
            "Parallel port: inpoutx64.dll cannot be loaded (gone): install it; the ports read as "
            "empty.\n");
}

// The stand-in library's test controls.
struct FakeLibrary {
  explicit FakeLibrary(const std::string& path) {
    std::string error;
    library = platform::Load_Shared_Library(path, &error);
    if (!library) ADD_FAILURE() << path << ": " << error;
  }
  void Configure(bool driver_open, unsigned board_base) {
    using Fn = void (*)(int, unsigned);
    reinterpret_cast<Fn>(library->Symbol("FakeInpOut_Configure"))(driver_open ? 1 : 0, board_base);
  }
  std::string Accesses() {
    using Fn = int (*)(char*, int);
    std::string buffer(1 << 16, '\0');
    const int n = reinterpret_cast<Fn>(library->Symbol("FakeInpOut_Take_Accesses"))(
        buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
  }
  std::unique_ptr<platform::SharedLibrary> library;
};

TEST(InpOutLibraryTest, FindsTheBoardBehindACardAddress) {
  FakeLibrary fake(CORVANE_FAKE_INPOUT);
  ASSERT_TRUE(fake.library);
  fake.Configure(true, 0xD010);
  InpOutLibrary library(CORVANE_FAKE_INPOUT);
  std::ostringstream diag;
  LptSpec spec;
  ASSERT_TRUE(Parse_InpOut_Option("lpt:lpt1=0xD010", &spec, nullptr));
  InpOutPort port(library, spec, diag);
  VirtualClock clock;
  WorkingState st;
  Lines lines(port, clock, st);
  lines.Probe_Port(kLpt2);
  EXPECT_EQ(st.PortBase, 0);
  lines.Probe_Port(kLpt1);
  EXPECT_EQ(st.PortBase, kLpt1);
  EXPECT_EQ(diag.str(), "");
  // LPT2 stayed at 0x278, where nothing answers; LPT1's probe reached the card.
  EXPECT_EQ(fake.Accesses(),
            "R 278 FF\nW 278 29\nR 279 FF\nW 278 2A\nR 279 FF\nW 278 FF\n"  // no board
            "R D010 00\nW D010 29\nR D011 40\nW D010 2A\nR D011 00\n");
}

TEST(InpOutLibraryTest, SaysWhatToInstallWhenTheLibraryOrItsDriverIsMissing) {
  struct Case {
    std::string library;
    bool driver_open;
    std::string expected;
  };
  const Case cases[] = {
      {"no-such-inpout-library.dll", true, "no-such-inpout-library.dll cannot be loaded ("},
      {CORVANE_NOT_INPOUT, true, "is not the InpOut driver library"},
      {CORVANE_FAKE_INPOUT, false, "its driver is not open: run corvane-cli once as administrator"},
  };
  FakeLibrary fake(CORVANE_FAKE_INPOUT);
  ASSERT_TRUE(fake.library);
  for (const Case& c : cases) {
    fake.Configure(c.driver_open, 0x378);
    InpOutLibrary library(c.library);
    std::ostringstream diag;
    InpOutPort port(library, LptSpec{}, diag);
    EXPECT_EQ(port.read(0x379), 0xFF) << c.library;
    port.write(0x378, 0x08);
    EXPECT_EQ(port.read(0x279), 0xFF) << c.library;
    const std::string said = diag.str();
    EXPECT_NE(said.find(c.expected), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once: " << said;
    EXPECT_EQ(fake.Accesses(), "") << c.library;
  }
}

}  // namespace
}  // namespace corvane
