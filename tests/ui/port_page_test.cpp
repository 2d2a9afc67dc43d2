// The options dialog's "Port" page as data: the boards offered, the one in use selected, what the
// selected one can do, and the user's folder with its problems.
#include <gtest/gtest.h>

#include "boards/board_file.h"
#include "boards/builtin_boards.h"
#include "ui/port_page.h"

namespace corvane {
namespace {

TEST(PortPageTest, OffersDiscoveryThenEveryBoardWithTheOneInUseSelected) {
  const BoardLibrary library("");
  PortPage automatic(library, nullptr);
  ASSERT_EQ(automatic.entries().size(), 5u);
  EXPECT_EQ(automatic.entries()[0].caption, "Brannock or Tessel, found by discovery");
  EXPECT_EQ(automatic.entries()[3].caption, "tait (Tait-style classic)");
  EXPECT_EQ(automatic.selected(), 0);
  EXPECT_FALSE(automatic.Changed());
  automatic.Select(3);
  EXPECT_TRUE(automatic.Changed());
  EXPECT_EQ(automatic.choice(), Builtin_Board("tait"));
  EXPECT_EQ(automatic.Description(),
            "Vpp ~D3, Vdd ~D2, clock D1, data out D0, data in ACK\n"
            "Switches Vdd: yes. Vpp before Vdd: yes.");
  automatic.Applied();
  EXPECT_FALSE(automatic.Changed());
  automatic.Select(99);  // no such entry: the selection stays
  EXPECT_EQ(automatic.selected(), 3);

  PortPage tessel(library, Tessel_Board());
  EXPECT_EQ(tessel.selected(), 2);
  EXPECT_EQ(tessel.Description(),
            "Vpp D3, Vdd fixed, clock ~D1, data out ~D0, data in ~ACK, loop-back D4 to ~BUSY\n"
            "Switches Vdd: no. Vpp before Vdd: no.");

  // A board given as a file is offered after the library's, selected, with where it comes from.
  const auto file = Parse_Board_Text(
                        "[mine]\nvpp = STROBE\nvdd = D2 D3\nclock = D1\ndata-out = D0\n"
                        "data-in = pin15\nvpp-first = no\n",
                        "/boards/mine.board")
                        .boards.at(0);
  PortPage mine(library, file);
  EXPECT_EQ(mine.entries().size(), 6u);
  EXPECT_EQ(mine.selected(), 5);
  EXPECT_EQ(mine.Description(),
            "Vpp STROBE, Vdd D2 D3, clock D1, data out D0, data in pin15\n"
            "Switches Vdd: yes. Vpp before Vdd: no.\nFrom /boards/mine.board");
  EXPECT_EQ(mine.Folder_Note(), "Your own boards: no configuration folder");
}

}  // namespace
}  // namespace corvane
