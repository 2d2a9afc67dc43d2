// The options dialog's "Port" page as widgets: the boards offered with the user's own, what the
// selected one is, "Appliquer" running discovery for it, "Vdd Enable" as the board allows and the
// board test from its button.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "qt/qt_sim_window.h"
#include "sim/board_meter.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;

TEST(PortPageWidgetsTest, ChoosingABoardAppliesItAndTheBoardTestRunsFromThePage) {
  const fs::path folder = fs::path(::testing::TempDir()) / "qt_boards";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::ofstream(folder / "fixed.board")
      << "[fixed]\ntitle = fixed supply\nvpp = ~D3\nvdd = fixed\nclock = ~D1\ndata-out = ~D0\n"
         "data-in = ~ACK\n";
  const BoardLibrary library(folder.string());
  QtSimWindow w;
  sim::BoardMeter meter(w.board);
  w.win.Set_Line_Meter(&meter);
  w.window.Set_Board_Library(&library);
  w.Start();
  w.window.menu_action(Ctl::Menu_Options_HardWare)->trigger();
  qt::OptionsDialog* d = w.window.options_dialog();
  ASSERT_NE(d, nullptr);
  QComboBox* boards = d->board_box();
  ASSERT_EQ(boards->count(), 6);
  EXPECT_EQ(boards->itemText(5), "fixed (fixed supply)");
  EXPECT_EQ(boards->currentIndex(), 0);
  EXPECT_TRUE(d->boards_folder()->text().startsWith(
      QString::fromStdString("Your own boards: " + folder.string())));

  // The Tessel board chosen on a Brannock board: discovery runs again and finds nothing.
  boards->setCurrentIndex(2);
  EXPECT_TRUE(d->board_description()->text().contains("loop-back D4 to ~BUSY"));
  d->apply_button()->click();
  EXPECT_EQ(w.st.BoardChoice, Tessel_Board());
  ASSERT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_EQ(w.dialogs.boxes[0], "No Valid Port Found ! (Check connections and supply voltages)");
  EXPECT_TRUE(d->isVisible());

  // A board with a fixed supply: found, and "Vdd Enable" says why it cannot be used.
  boards->setCurrentIndex(5);
  d->apply_button()->click();
  EXPECT_EQ(w.st.PortBase, kLpt1);
  QWidget* vdd = w.widget(Ctl::Check_Vdd);
  EXPECT_FALSE(vdd->isEnabled());
  EXPECT_EQ(vdd->toolTip(), "Vdd is not switched by this board (fixed): the chip stays powered");

  // The board test of the board selected, measured by the simulated board.
  boards->setCurrentIndex(1);
  d->board_test_button()->click();
  EXPECT_TRUE(vdd->isEnabled());
  EXPECT_TRUE(vdd->toolTip().isEmpty());
  EXPECT_NE(w.win.log().find("Board test : brannock (Brannock hardware), LPT1 (0x378)\r\n"),
            std::string::npos);
  EXPECT_NE(w.win.log().find("Board test : every line followed (10 checks)\r\n"),
            std::string::npos);
  EXPECT_EQ(w.dialogs.boxes.size(), 1u);

  // OK keeps the board in use and closes.
  d->ok_button()->click();
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(w.st.BoardChoice, Brannock_Board());
}

}  // namespace
}  // namespace corvane::testing
