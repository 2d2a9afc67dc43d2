// The status panels show every text the program gives them whole, at their fixed widths: the
// texts every command sets on both boards, with every identification word, fuse word, program
// word and EEPROM byte the chip may give.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <algorithm>
#include <set>
#include <utility>

#include "fuses/config_word.h"
#include "protocol/show_device.h"
#include "protocol/hex_text.h"
#include "qt/qt_sim_window.h"
#include "ui/layout.h"

namespace corvane::testing {
namespace {

using KeyText = std::pair<std::string, std::string>;

// Every status the window's commands set, on a PIC16F84A on the given board.
std::set<KeyText> Statuses_Of_Every_Command(BoardKind board) {
  SimWindow w({.board = board});
  w.Start();
  w.Load(CORVANE_TEST_DATA "/pic16f84a_demo_inhx8m.hex");
  for (Ctl id :
       {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device, Ctl::Btn_Check_Device_Fuses,
        Ctl::Btn_Prog_Fuses, Ctl::Btn_Read_EEPROM, Ctl::Btn_Prog_EEPROM, Ctl::Btn_Erase_EEPROM,
        Ctl::Btn_Erase_Device, Ctl::Btn_Check_Device_Id, Ctl::Btn_RESET, Ctl::Btn_Find_Port}) {
    w.win.Click(id);
  }
  w.win.Save_Device_To(::testing::TempDir() + "panels_save.hex");
  return {w.view.statuses.begin(), w.view.statuses.end()};
}

// The texts that vary with the chip: with every identification word, fuse word (and second fuse
// word), program word and EEPROM byte.
std::vector<KeyText> Every_Chip_Dependent_Text() {
  std::vector<KeyText> texts;
  for (int word = 0; word <= 0x3FFF; ++word) {
    texts.emplace_back("Device", "Device : " + Builtin_Chips().Shown_Name(word) + " (" + Hex(word) + ")");
    texts.emplace_back("Fuses", "Fuses : 0x" + Hex(word));
    texts.emplace_back("Fuses", Fuses_Panel_Text(word));
    texts.emplace_back("Status", "Device Fuses : 0x" + Hex(word));
    // A chip with a second configuration word shows its two bits after the first word.
    texts.emplace_back("Fuses", "Fuses : 0x" + Hex(word) + "/3");
    texts.emplace_back("Fuses", Fuses_Panel_Text(word) + "/3");
    texts.emplace_back("Status", "Device Fuses : 0x" + Hex(word) + "/3");
    texts.emplace_back("Status", "Reading Data : " + Hex(word));
  }
  for (int byte = 0; byte <= 0xFF; ++byte) {
    texts.emplace_back("Status", "Reading EEPROM Data : " + Hex(byte));
  }
  return texts;
}

void Expect_Whole(qt::PanelLabel* panel, const std::string& text) {
  const QString expected = QString::fromStdString(text);
  EXPECT_EQ(panel->text(), expected);
  EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(panel->text()), panel->Text_Room())
      << text;
  EXPECT_GE(panel->font().pixelSize(), qt::kSmallestPanelPixels) << text;
}

TEST(StatusPanelsTest, EveryTextTheProgramShowsFitsItsPanel) {
  QtSimWindow w;
  std::set<KeyText> shown = Statuses_Of_Every_Command(kBrannock);
  shown.merge(Statuses_Of_Every_Command(kTessel));
  ASSERT_GT(shown.size(), 20u);

  // Of the chip-dependent texts, the three widest of each panel in the panels' font.
  const QFontMetrics metrics(w.window.status_panel("Device")->font());
  std::vector<std::pair<int, KeyText>> varying;
  for (KeyText& t : Every_Chip_Dependent_Text()) {
    const int width = metrics.horizontalAdvance(QString::fromStdString(t.second));
    varying.emplace_back(width, std::move(t));
  }
  std::stable_sort(varying.begin(), varying.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const char* key : {"Device", "Fuses", "Status"}) {
    int taken = 0;
    for (const auto& [width, t] : varying) {
      if (t.first == key && taken++ < 3) shown.insert(t);
    }
  }
  for (const auto& [key, text] : shown) {
    w.win.Set_Status(key, text);
    Expect_Whole(w.window.status_panel(key), text);
  }
}

TEST(StatusPanelsTest, TheDevicePanelOfAPic16F877KeepsItsClosingBracket) {
  QtSimWindow w({.chip = sim::ChipKind::Pic16F877});
  w.Start();
  qt::PanelLabel* device = w.window.status_panel("Device");
  EXPECT_EQ(device->text(), "Device : PIC16f877 (9A3)");
  Expect_Whole(device, "Device : PIC16f877 (9A3)");
  // All four panels keep one font for their usual texts.
  for (const StatusPanel& p : kStatusPanels) {
    EXPECT_EQ(w.window.status_panel(p.key)->font(), device->font()) << p.key;
    EXPECT_EQ(w.window.status_panel(p.key)->width(), p.width) << p.key;
  }
}

TEST(StatusPanelsTest, ALongerTextGetsASmallerFontThenAnEllipsis) {
  QtSimWindow w;
  qt::PanelLabel* status = w.window.status_panel("Status");
  const QFont usual = status->font();

  const std::string longer = "Writing to Device : 4096 of 8192 words, 12 s left";
  w.win.Set_Status("Status", longer);
  Expect_Whole(status, longer);
  EXPECT_LT(status->font().pixelSize(), usual.pixelSize());
  EXPECT_EQ(status->toolTip(), "Running Status");

  const std::string endless(300, 'W');
  w.win.Set_Status("Status", endless);
  EXPECT_EQ(status->font().pixelSize(), qt::kSmallestPanelPixels);
  EXPECT_TRUE(status->text().endsWith(QChar(0x2026))) << status->text().toStdString();
  EXPECT_LE(QFontMetrics(status->font()).horizontalAdvance(status->text()), status->Text_Room());
  EXPECT_EQ(status->toolTip(), "Running Status: " + QString::fromStdString(endless));
  EXPECT_EQ(status->full_text(), QString::fromStdString(endless));

  w.win.Set_Status("Status", "Verify finished");
  Expect_Whole(status, "Verify finished");
  EXPECT_EQ(status->font(), usual);
  EXPECT_EQ(status->toolTip(), "Running Status");
}

}  // namespace
}  // namespace corvane::testing
