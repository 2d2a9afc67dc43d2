#include "hardware/parport_map.h"

#include <gtest/gtest.h>

#include "hardware/parport_proc_tree.h"

namespace corvane {
namespace {

using testing_support::ProcTree;

TEST(LptSpecTest, AcceptsAutomaticAndExplicitForms) {
  LptSpec spec{"/old", "/old2"};
  std::string error;
  ASSERT_TRUE(Parse_Lpt_Spec("lpt", &spec, &error));
  EXPECT_EQ(spec.lpt1, "");
  EXPECT_EQ(spec.lpt2, "");

  ASSERT_TRUE(Parse_Lpt_Spec("lpt:lpt1=/dev/parport2,lpt2=/dev/parport3", &spec, &error));
  EXPECT_EQ(spec.lpt1, "/dev/parport2");
  EXPECT_EQ(spec.lpt2, "/dev/parport3");

  ASSERT_TRUE(Parse_Lpt_Spec("lpt:lpt2=/dev/parport1", &spec, &error));
  EXPECT_EQ(spec.lpt1, "");
  EXPECT_EQ(spec.lpt2, "/dev/parport1");

  ASSERT_TRUE(Parse_Lpt_Spec("lpt:lpt2=/dev/parport0,lpt1=/dev/parport1", &spec, &error));
  EXPECT_EQ(spec.lpt1, "/dev/parport1");
  EXPECT_EQ(spec.lpt2, "/dev/parport0");

  ASSERT_TRUE(Parse_Lpt_Spec("LPT:LPT1=/dev/parport4", &spec, &error));
  EXPECT_EQ(spec.lpt1, "/dev/parport4");
}

TEST(LptSpecTest, RefusesMalformedTextWithAReasonAndKeepsTheOldValue) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"", "not a parallel-port option"},
      {"sim", "not a parallel-port option"},
      {"lpt1", "not a parallel-port option"},
      {"lpt:", "nothing after 'lpt:'"},
      {"lpt:lpt1", "lacks '=DEVICE'"},
      {"lpt:lpt3=/dev/parport0", "unknown port 'lpt3'"},
      {"lpt:lpt1=", "lpt1 names no device"},
      {"lpt:lpt1=parport0", "not a path"},
      {"lpt:lpt1=/dev/parport0,", "empty entry"},
      {"lpt:,lpt1=/dev/parport0", "empty entry"},
      {"lpt:lpt1=/dev/parport0,lpt1=/dev/parport1", "lpt1 is given twice"},
      {"lpt:lpt1=/dev/parport0,lpt2=/dev/parport0", "same device"},
      {"lpt:lpt1=/dev/par port0", "blank"},
  };
  for (const auto& c : cases) {
    LptSpec spec{"/kept", ""};
    std::string error;
    EXPECT_FALSE(Parse_Lpt_Spec(c.text, &spec, &error)) << c.text;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << " -> " << error;
    EXPECT_NE(error.find("invalid port option"), std::string::npos) << error;
    EXPECT_EQ(spec.lpt1, "/kept") << c.text;
  }
}

TEST(ParportListTest, ReadsBaseAddressesAndSortsByNumber) {
  EXPECT_EQ(Parse_Base_Addr("888\t1912\n"), 888u);
  EXPECT_EQ(Parse_Base_Addr("632"), 632u);
  EXPECT_EQ(Parse_Base_Addr("51200\t51208"), 0xC800u);
  EXPECT_EQ(Parse_Base_Addr("0x378"), 0x378u);
  EXPECT_EQ(Parse_Base_Addr(""), std::nullopt);
  EXPECT_EQ(Parse_Base_Addr("abc"), std::nullopt);
  EXPECT_EQ(Parse_Base_Addr("88x8"), std::nullopt);

  ProcTree proc;
  proc.Add(10, "53264\t53272");
  proc.Add(2, "632\t1656");
  proc.Add(0, "888\t1912");
  proc.Add_Without_Base(1);
  const auto ports = List_Parports(proc.root());
  ASSERT_EQ(ports.size(), 4u);  // "default" is not a port
  EXPECT_EQ(ports[0].number, 0);
  EXPECT_EQ(ports[0].base, 0x378u);
  EXPECT_EQ(ports[1].number, 1);
  EXPECT_EQ(ports[1].base, std::nullopt);
  EXPECT_EQ(ports[2].number, 2);
  EXPECT_EQ(ports[2].base, 0x278u);
  EXPECT_EQ(ports[3].number, 10);
  EXPECT_EQ(ports[3].base, 0xD010u);

  EXPECT_TRUE(List_Parports(proc.root() + "/absent").empty());
}

std::vector<ParportEntry> Ports(std::initializer_list<std::pair<int, unsigned long>> list) {
  std::vector<ParportEntry> v;
  for (const auto& [n, base] : list) v.push_back({n, base});
  return v;
}

TEST(LptMappingTest, MatchesBaseAddressesThenFallsBackToLowestUnmapped) {
  // Both at their legacy addresses, listed in the "wrong" order.
  LptMapping m = Map_Lpt_Ports(Ports({{0, 0x278}, {1, 0x378}}), {});
  EXPECT_EQ(m.lpt1, "/dev/parport1");
  EXPECT_EQ(m.lpt2, "/dev/parport0");

  // A PCIe card only: LPT1 takes the lowest port, LPT2 the next.
  m = Map_Lpt_Ports(Ports({{1, 0xC800}, {3, 0xD010}}), {});
  EXPECT_EQ(m.lpt1, "/dev/parport1");
  EXPECT_EQ(m.lpt2, "/dev/parport3");

  // A legacy LPT2 and a card: the card goes to LPT1, not the legacy port.
  m = Map_Lpt_Ports(Ports({{0, 0x278}, {1, 0xC800}}), {});
  EXPECT_EQ(m.lpt1, "/dev/parport1");
  EXPECT_EQ(m.lpt2, "/dev/parport0");

  // One port only: LPT2 gets nothing.
  m = Map_Lpt_Ports(Ports({{0, 0x378}}), {});
  EXPECT_EQ(m.lpt1, "/dev/parport0");
  EXPECT_EQ(m.lpt2, "");

  // No port at all.
  m = Map_Lpt_Ports({}, {});
  EXPECT_EQ(m.lpt1, "");
  EXPECT_EQ(m.lpt2, "");
}

TEST(LptMappingTest, ExplicitDevicesWinAndAreNotHandedOutTwice) {
  const auto ports = Ports({{0, 0x378}, {1, 0x278}, {2, 0xC800}});
  LptMapping m = Map_Lpt_Ports(ports, {"/dev/parport2", "/dev/parport3"});
  EXPECT_EQ(m.lpt1, "/dev/parport2");
  EXPECT_EQ(m.lpt2, "/dev/parport3");  // explicit, even though the kernel does not list it

  // LPT1 names the port at 0x278: LPT2 may not have it and takes the lowest one left.
  m = Map_Lpt_Ports(ports, {"/dev/parport1", ""});
  EXPECT_EQ(m.lpt1, "/dev/parport1");
  EXPECT_EQ(m.lpt2, "/dev/parport0");

  // LPT2 names the port at 0x378: LPT1 takes the lowest one left, whatever its address.
  m = Map_Lpt_Ports(ports, {"", "/dev/parport0"});
  EXPECT_EQ(m.lpt1, "/dev/parport1");
  EXPECT_EQ(m.lpt2, "/dev/parport0");
}

}  // namespace
}  // namespace corvane
