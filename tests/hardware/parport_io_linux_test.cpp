#include <gtest/gtest.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hardware/clock.h"
#include "hardware/lines.h"
#include "hardware/parport_linux.h"
#include "hardware/parport_proc_tree.h"

namespace corvane {
namespace {

using testing_support::ProcTree;

// A device layer with ppdev's behaviour: a missing path fails to open with ENOENT, each known
// device can be told to fail at open, PPEXCL, PPCLAIM or on transfers, and data transfers are
// only accepted between PPCLAIM and PPRELEASE.
class FakeDevices final : public ParportDevices {
 public:
  struct Device {
    int open_error = 0;
    int excl_error = 0;
    int claim_error = 0;
    int transfer_error = 0;
    std::uint8_t data = 0;
    std::uint8_t status = 0x78;
    std::uint8_t control = 0x0C;
    bool reverse = true;  // as another program may have left it
  };
  struct Call {
    std::string path;
    unsigned long request;
  };

  std::map<std::string, Device> devices;
  std::vector<std::string> opened;
  std::vector<Call> calls;
  std::vector<std::string> closed;
  bool protocol_error = false;  // a transfer on an unclaimed descriptor, or a double claim

  int open(const std::string& path) override {
    opened.push_back(path);
    auto it = devices.find(path);
    if (it == devices.end()) return -ENOENT;
    if (it->second.open_error != 0) return -it->second.open_error;
    const int fd = next_fd_++;
    paths_[fd] = path;
    return fd;
  }

  int ioctl(int fd, unsigned long request, void* arg) override {
    const auto p = paths_.find(fd);
    if (p == paths_.end()) {
      protocol_error = true;
      return -EBADF;
    }
    calls.push_back({p->second, request});
    Device& d = devices[p->second];
    auto* byte = static_cast<unsigned char*>(arg);
    switch (request) {
      case PPEXCL:
        return d.excl_error ? -d.excl_error : 0;
      case PPCLAIM:
        if (d.claim_error != 0) return -d.claim_error;
        if (!claimed_.insert(fd).second) protocol_error = true;
        return 0;
      case PPRELEASE:
        if (claimed_.erase(fd) == 0) protocol_error = true;
        return 0;
      default:
        break;
    }
    if (claimed_.count(fd) == 0) protocol_error = true;
    if (d.transfer_error != 0) return -d.transfer_error;
    if (request == PPDATADIR) d.reverse = *static_cast<int*>(arg) != 0;
    if (request == PPRDATA) *byte = d.data;
    if (request == PPRSTATUS) *byte = d.status;
    if (request == PPWDATA) d.data = *byte;
    if (request == PPRCONTROL) *byte = d.control;
    if (request == PPWCONTROL) d.control = *byte;
    return 0;
  }

  void close(int fd) override {
    const auto p = paths_.find(fd);
    if (p == paths_.end()) {
      protocol_error = true;
      return;
    }
    closed.push_back(p->second);
    claimed_.erase(fd);
    paths_.erase(p);
  }

  int open_descriptors() const { return static_cast<int>(paths_.size()); }
  int count(const std::string& path, unsigned long request) const {
    int n = 0;
    for (const Call& c : calls) n += (c.path == path && c.request == request) ? 1 : 0;
    return n;
  }

 private:
  int next_fd_ = 40;
  std::map<int, std::string> paths_;
  std::set<int> claimed_;
};

int Lines_Of(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n' ? 1 : 0;
  return n;
}

TEST(ParportIoTest, ServesDataAndStatusRegistersOfTheMappedDevices) {
  ProcTree proc;
  proc.Add(0, "632\t1656");  // LPT2
  proc.Add(1, "888\t1912");  // LPT1
  FakeDevices dev;
  dev.devices["/dev/parport0"].status = 0x47;
  dev.devices["/dev/parport1"].status = 0x87;  // raw: BUSY as the hardware inverts it
  std::ostringstream diag;
  {
    ParportIo io(dev, {}, diag, proc.root());
    EXPECT_TRUE(dev.opened.empty());  // nothing opened before the first access

    io.write(0x378, 0x2A);
    EXPECT_EQ(dev.devices["/dev/parport1"].data, 0x2A);
    EXPECT_EQ(io.read(0x378), 0x2A);
    EXPECT_EQ(io.read(0x379), 0x87);
    EXPECT_EQ(dev.opened, std::vector<std::string>{"/dev/parport1"});  // LPT2 still closed

    io.write(0x278, 0x0B);
    EXPECT_EQ(dev.devices["/dev/parport0"].data, 0x0B);
    EXPECT_EQ(io.read(0x279), 0x47);

    // The status register is read-only: a write to it never reaches the device.
    const auto before = dev.calls.size();
    io.write(0x379, 0x55);
    io.write(0x279, 0x55);
    EXPECT_EQ(dev.calls.size(), before);

    // Each device was opened, made exclusive and claimed exactly once, in that order.
    for (const char* path : {"/dev/parport0", "/dev/parport1"}) {
      EXPECT_EQ(dev.count(path, PPEXCL), 1) << path;
      EXPECT_EQ(dev.count(path, PPCLAIM), 1) << path;
      EXPECT_EQ(dev.count(path, PPRELEASE), 0) << path;
    }
    EXPECT_EQ(dev.calls[0].request, PPEXCL);
    EXPECT_EQ(dev.calls[1].request, PPCLAIM);
    // A port another program left in reverse mode is put back to driving its lines.
    EXPECT_EQ(dev.calls[2].request, PPDATADIR);
    EXPECT_FALSE(dev.devices["/dev/parport0"].reverse);
    EXPECT_EQ(dev.opened.size(), 2u);
    EXPECT_TRUE(dev.closed.empty());
  }
  // Destruction releases and closes both, and writes nothing to the lines.
  for (const char* path : {"/dev/parport0", "/dev/parport1"}) {
    EXPECT_EQ(dev.count(path, PPRELEASE), 1) << path;
    EXPECT_EQ(dev.count(path, PPWDATA), 1) << path;  // only the write made above
  }
  EXPECT_EQ(dev.calls.back().request, PPRELEASE);
  EXPECT_EQ(dev.closed.size(), 2u);
  EXPECT_EQ(dev.open_descriptors(), 0);
  EXPECT_FALSE(dev.protocol_error);
  EXPECT_EQ(diag.str(), "");
}

TEST(ParportIoTest, NoOtherAddressEverReachesTheDeviceLayer) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  proc.Add(1, "632\t1656");
  FakeDevices dev;
  dev.devices["/dev/parport0"];
  dev.devices["/dev/parport1"];
  std::ostringstream diag;
  ParportIo io(dev, {}, diag, proc.root());
  for (std::uint32_t a = 0; a <= 0xFFFF; ++a) {
    const auto address = static_cast<std::uint16_t>(a);
    if (Port_Address_Allowed(address)) continue;
    EXPECT_EQ(io.read(address), 0xFF);
    io.write(address, 0x00);
  }
  EXPECT_TRUE(dev.opened.empty());
  EXPECT_TRUE(dev.calls.empty());

  // Once the ports are open, the neighbours of the registers still go nowhere, and the status
  // registers take no write.
  io.read(0x378);
  io.read(0x278);
  const auto before = dev.calls.size();
  for (std::uint16_t a : {0x377, 0x37B, 0x277, 0x27B, 0x3BC, 0x000, 0x001}) {
    EXPECT_EQ(io.read(a), 0xFF) << a;
    io.write(a, 0x04);
  }
  io.write(0x379, 0x04);
  io.write(0x279, 0x04);
  EXPECT_EQ(dev.calls.size(), before);
  for (const auto& c : dev.calls) {
    EXPECT_TRUE(c.request == PPEXCL || c.request == PPCLAIM || c.request == PPDATADIR ||
                c.request == PPRDATA)
        << c.request;
  }
  // The control registers, for boards with lines on them.
  EXPECT_EQ(io.read(0x37A), 0x0C);
  io.write(0x27A, 0x05);
  EXPECT_EQ(dev.devices["/dev/parport1"].control, 0x05);
  EXPECT_EQ(dev.count("/dev/parport0", PPRCONTROL), 1);
  EXPECT_EQ(dev.count("/dev/parport1", PPWCONTROL), 1);
  EXPECT_EQ(diag.str(), "");
}

TEST(ParportIoTest, ExplicitSpecOverridesTheProcTree) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  FakeDevices dev;
  dev.devices["/dev/parport2"].status = 0x11;
  dev.devices["/dev/parport3"].status = 0x22;
  std::ostringstream diag;
  ParportIo io(dev, {"/dev/parport3", "/dev/parport2"}, diag, proc.root());
  EXPECT_EQ(io.Device_For(kLpt1), "/dev/parport3");
  EXPECT_EQ(io.Device_For(kLpt2), "/dev/parport2");
  EXPECT_EQ(io.read(0x379), 0x22);
  EXPECT_EQ(io.read(0x279), 0x11);
  EXPECT_EQ(dev.count("/dev/parport0", PPCLAIM), 0);
  EXPECT_EQ(diag.str(), "");
}

TEST(ParportIoTest, FallsBackToTheLowestUnmappedParport) {
  ProcTree proc;
  proc.Add(3, "53264\t53272");
  proc.Add(1, "51200\t51208");
  FakeDevices dev;
  dev.devices["/dev/parport1"].data = 0x01;
  dev.devices["/dev/parport3"].data = 0x03;
  std::ostringstream diag;
  ParportIo io(dev, {}, diag, proc.root());
  EXPECT_EQ(io.read(0x278), 0x03);  // LPT2 first, as discovery does: still the second card
  EXPECT_EQ(io.read(0x378), 0x01);
  EXPECT_EQ(diag.str(), "");
}

// Builds the backend over an empty fake, reads both ports many times and returns the
// diagnostics; every read must give an empty bus.
struct FailureRun {
  std::string diag;
  int opens = 0;
};

FailureRun Run_Failing(ProcTree& proc, FakeDevices& dev, LptSpec spec = {}) {
  std::ostringstream diag;
  ParportIo io(dev, spec, diag, proc.root());
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(io.read(0x279), 0xFF);
    EXPECT_EQ(io.read(0x278), 0xFF);
    io.write(0x278, 0x29);
    EXPECT_EQ(io.read(0x379), 0xFF);
    io.write(0x378, 0x29);
  }
  EXPECT_EQ(dev.count("/dev/parport0", PPWDATA), 0);
  return {diag.str(), static_cast<int>(dev.opened.size())};
}

TEST(ParportIoFailureTest, NoParallelPortAtAll) {
  ProcTree proc;
  FakeDevices dev;
  const FailureRun r = Run_Failing(proc, dev);
  EXPECT_EQ(r.opens, 0);
  EXPECT_EQ(Lines_Of(r.diag), 2) << r.diag;  // once per logical port
  EXPECT_NE(r.diag.find("LPT2 (0x278): no parallel port found"), std::string::npos) << r.diag;
  EXPECT_NE(r.diag.find("LPT1 (0x378): no parallel port found"), std::string::npos) << r.diag;
}

TEST(ParportIoFailureTest, SinglePortLeavesLpt2Unserved) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  FakeDevices dev;
  dev.devices["/dev/parport0"].status = 0x40;
  std::ostringstream diag;
  ParportIo io(dev, {}, diag, proc.root());
  EXPECT_EQ(io.read(0x279), 0xFF);
  EXPECT_EQ(io.read(0x279), 0xFF);
  EXPECT_EQ(io.read(0x379), 0x40);
  EXPECT_EQ(Lines_Of(diag.str()), 1);
  EXPECT_NE(diag.str().find("LPT2 (0x278): no parallel port left"), std::string::npos);
}

TEST(ParportIoFailureTest, PermissionDeniedTellsHowToJoinTheLpGroup) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  FakeDevices dev;
  dev.devices["/dev/parport0"].open_error = EACCES;
  const FailureRun r = Run_Failing(proc, dev);
  EXPECT_EQ(r.opens, 1);  // no retry
  EXPECT_NE(r.diag.find("LPT1 (0x378): /dev/parport0: permission denied: join the lp group "
                        "(sudo adduser $USER lp), then log in again"),
            std::string::npos)
      << r.diag;
  EXPECT_EQ(Lines_Of(r.diag), 2);  // and LPT2 has no port
}

TEST(ParportIoFailureTest, MissingDeviceNodeMeansPpdevIsNotLoaded) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  proc.Add(1, "632\t1656");
  FakeDevices dev;  // the kernel lists both ports but /dev has no node
  const FailureRun r = Run_Failing(proc, dev);
  EXPECT_EQ(r.opens, 2);
  EXPECT_EQ(Lines_Of(r.diag), 2);
  EXPECT_NE(r.diag.find("LPT1 (0x378): /dev/parport0 is missing although the kernel lists "
                        "parport0: module ppdev not loaded (sudo modprobe ppdev)"),
            std::string::npos)
      << r.diag;
  EXPECT_NE(r.diag.find("LPT2 (0x278): /dev/parport1 is missing"), std::string::npos);
}

TEST(ParportIoFailureTest, ExplicitDeviceWithoutNodeIsStillDiagnosed) {
  ProcTree proc;
  proc.Add(2, "51200\t51208");
  FakeDevices dev;
  const FailureRun r = Run_Failing(proc, dev, {"/dev/parport2", "/dev/parport3"});
  EXPECT_NE(r.diag.find("LPT1 (0x378): /dev/parport2 is missing although the kernel lists "
                        "parport2: module ppdev not loaded"),
            std::string::npos)
      << r.diag;
  EXPECT_NE(r.diag.find("LPT2 (0x278): /dev/parport3: no such device;"), std::string::npos)
      << r.diag;
}

TEST(ParportIoFailureTest, ExplicitDeviceThatDoesNotExist) {
  ProcTree proc;
  FakeDevices dev;
  dev.devices["/dev/parport5"].open_error = ENXIO;
  const FailureRun r = Run_Failing(proc, dev, {"/dev/parport9", "/dev/parport5"});
  EXPECT_EQ(r.opens, 2);
  EXPECT_NE(r.diag.find("LPT1 (0x378): /dev/parport9: no such device;"), std::string::npos)
      << r.diag;
  EXPECT_NE(r.diag.find("LPT2 (0x278): /dev/parport5: no such device (no parallel port behind"),
            std::string::npos)
      << r.diag;
}

TEST(ParportIoFailureTest, BusyPortAtExclusiveOrClaim) {
  for (const bool at_claim : {false, true}) {
    ProcTree proc;
    proc.Add(0, "888\t1912");
    FakeDevices dev;
    auto& d = dev.devices["/dev/parport0"];
    (at_claim ? d.claim_error : d.excl_error) = EBUSY;
    const FailureRun r = Run_Failing(proc, dev);
    EXPECT_EQ(r.opens, 1);
    EXPECT_NE(r.diag.find("LPT1 (0x378): /dev/parport0: port busy (another program has claimed "
                          "it); the port reads as empty."),
              std::string::npos)
        << r.diag;
    EXPECT_EQ(dev.closed, std::vector<std::string>{"/dev/parport0"});  // not left open
    EXPECT_EQ(dev.count("/dev/parport0", PPRDATA), 0);
    EXPECT_FALSE(dev.protocol_error);
  }
}

TEST(ParportIoFailureTest, OtherErrorsNameTheSystemReason) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  proc.Add(1, "632\t1656");
  FakeDevices dev;
  dev.devices["/dev/parport0"].open_error = EIO;
  dev.devices["/dev/parport1"].claim_error = EINVAL;
  const FailureRun r = Run_Failing(proc, dev);
  EXPECT_NE(r.diag.find("/dev/parport0: cannot open: Input/output error"), std::string::npos)
      << r.diag;
  EXPECT_NE(r.diag.find("/dev/parport1: cannot claim the port (PPCLAIM: Invalid argument)"),
            std::string::npos)
      << r.diag;
  EXPECT_EQ(Lines_Of(r.diag), 2);
}

TEST(ParportIoFailureTest, APortLostDuringTheRunIsReleasedAndReadsEmpty) {
  ProcTree proc;
  proc.Add(0, "888\t1912");
  FakeDevices dev;
  dev.devices["/dev/parport0"].data = 0x2A;
  std::ostringstream diag;
  {
    ParportIo io(dev, {}, diag, proc.root());
    EXPECT_EQ(io.read(0x378), 0x2A);
    dev.devices["/dev/parport0"].transfer_error = ENODEV;
    EXPECT_EQ(io.read(0x378), 0xFF);
    EXPECT_EQ(io.read(0x379), 0xFF);
    io.write(0x378, 0x00);
    EXPECT_EQ(dev.count("/dev/parport0", PPRELEASE), 1);
    EXPECT_EQ(dev.closed.size(), 1u);
  }
  EXPECT_EQ(dev.count("/dev/parport0", PPRELEASE), 1);  // not released twice
  EXPECT_EQ(dev.opened.size(), 1u);
  EXPECT_EQ(Lines_Of(diag.str()), 1);
  EXPECT_NE(diag.str().find("/dev/parport0: port lost (PPRDATA: No such device)"),
            std::string::npos)
      << diag.str();
  EXPECT_FALSE(dev.protocol_error);
}

// With no port anywhere, discovery through the line operations ends with no board, and the
// only thing that reaches the device layer is nothing at all.
TEST(ParportIoFailureTest, DiscoveryOverAMissingPortFindsNoBoard) {
  ProcTree proc;
  FakeDevices dev;
  std::ostringstream diag;
  ParportIo io(dev, {}, diag, proc.root());
  VirtualClock clock;
  WorkingState st;
  Lines lines(io, clock, st);
  lines.Probe_Port(kLpt2);
  lines.Probe_Port(kLpt1);
  EXPECT_EQ(st.PortBase, 0);
  EXPECT_EQ(Lines_Of(diag.str()), 2);
  EXPECT_TRUE(dev.calls.empty());
}

}  // namespace
}  // namespace corvane
