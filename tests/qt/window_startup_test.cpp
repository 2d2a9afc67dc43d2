// The window as it shows after start-up on the simulated board: every control's state, caption,
// place and colour, the keyboard order, the status panels and the menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "qt/qt_sim_window.h"
#include "ui/layout.h"

namespace corvane::testing {
namespace {

QString Caption(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return QString();
}

QColor Background(QWidget* w) {
  return w->palette().color(QPalette::Window);
}

TEST(WindowStartupTest, EveryControlAsShownAfterStartUp) {
  QtSimWindow w;
  w.Start();
  struct Expect {
    Ctl id;
    const char* caption;
    bool enabled;
  };
  const Expect expected[] = {
      {Ctl::Btn_Load_File, "LOAD File", true},
      {Ctl::Btn_Read_Device, "Read Device", true},
      {Ctl::Btn_Erase_Device, "ERASE Device", true},
      {Ctl::Btn_Program_Device, "PROGRAM Device", false},
      {Ctl::Btn_Verify, "VERIFY", false},
      {Ctl::Btn_Erase_EEPROM, "ERASE EEPROM", true},
      {Ctl::Btn_Prog_EEPROM, "PROGRAM EEPROM", false},
      {Ctl::Btn_Read_EEPROM, "READ EEPROM", true},
      {Ctl::Btn_Prog_Fuses, "PROGRAM Fuses", true},
      {Ctl::Btn_Check_Device_Fuses, "CHECK Device Fuses", true},
      {Ctl::Btn_Find_Port, "Find_Port", true},
      {Ctl::Btn_Check_Device_Id, "CHECK Device Id", true},
      {Ctl::Frame1, "Tessel", true},
      {Ctl::Btn_RESET, "RESET PIC", false},  // a Brannock board
      {Ctl::Command1, "Command1", false},    // never available to the user
      {Ctl::Choix_Osc, "Oscillator Type", true},
      {Ctl::Opt_Osc_0, "LP", true},
      {Ctl::Opt_Osc_1, "XT", true},
      {Ctl::Opt_Osc_2, "HS", true},
      {Ctl::Opt_Osc_3, "RC", true},
      {Ctl::Choix_Timers, "Timers settings", true},
      {Ctl::Check_WDT, "WDT Enable", true},
      {Ctl::Check_PWRT, "PWRT Enable", true},
      {Ctl::Check_BODEN, "BOD Enable", true},
      {Ctl::Check_auto, "Automatic File Update", true},
      {Ctl::Check_Vdd, "Vdd Enable", true},
      {Ctl::Check_Speed, "Low Speed", true},
  };
  for (const Expect& e : expected) {
    QWidget* widget = w.widget(e.id);
    ASSERT_NE(widget, nullptr) << static_cast<int>(e.id);
    EXPECT_EQ(Caption(widget), QString::fromUtf8(e.caption));
    EXPECT_EQ(widget->isEnabled(), e.enabled) << e.caption;
    EXPECT_EQ(widget->objectName().toStdString(), w.win.control(e.id).name);
  }
  auto check = [&](Ctl id) { return static_cast<QCheckBox*>(w.widget(id))->checkState(); };
  EXPECT_EQ(check(Ctl::Check_auto), Qt::PartiallyChecked);
  EXPECT_EQ(check(Ctl::Check_Vdd), Qt::Checked);
  EXPECT_EQ(check(Ctl::Check_Speed), Qt::Unchecked);
  for (Ctl id : {Ctl::Check_WDT, Ctl::Check_PWRT, Ctl::Check_BODEN}) {
    EXPECT_EQ(check(id), Qt::Unchecked);
  }
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(w.button(Opt_Osc(i))->isChecked()) << i;

  // The device box shows the identified device; the user cannot change it.
  auto* device = static_cast<QComboBox*>(w.widget(Ctl::Device));
  EXPECT_EQ(device->currentText(), "PIC16f84");
  EXPECT_FALSE(device->isEnabled());
  ASSERT_EQ(device->count(), 3);
  EXPECT_EQ(device->itemText(0), "PIC16f84");
  EXPECT_EQ(device->itemText(1), "PIC16f873");
  EXPECT_EQ(device->itemText(2), "PIC16F877");

  EXPECT_EQ(w.window.windowTitle(), "Corvane by Dravik");
  EXPECT_EQ(w.Panel("Port"), "Port : LPT1:");
  EXPECT_EQ(w.Panel("Device"), "Device : PIC16f84 (561)");
  EXPECT_EQ(w.Panel("Fuses"), "Fuses :");
  EXPECT_EQ(w.Panel("Status"), "Verifying Device Id");
  EXPECT_TRUE(w.window.log_box()->toPlainText().isEmpty());
  EXPECT_TRUE(w.dialogs.boxes.empty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // idle

  // The write/read test button is offered by neither program: it is not shown at all.
  w.window.show();
  EXPECT_TRUE(w.widget(Ctl::Check_Vdd)->isVisible());
  EXPECT_FALSE(w.widget(Ctl::Command1)->isVisible());
  EXPECT_TRUE(w.widget(Ctl::Command1)->isHidden());
  w.window.hide();
}

TEST(WindowStartupTest, StatusPanelsBeforeStartUp) {
  QtSimWindow w;
  const char* keys[] = {"Port", "Device", "Fuses", "Status"};
  const char* texts[] = {"Port :", "Device :", "Fuses :", "Status :"};
  const char* tips[] = {"Parallel Port", "Selected Device",
                        "Configuration Fuses :", "Running Status"};
  const int widths[] = {93, 140, 96, 233};
  for (int i = 0; i < 4; ++i) {
    QLabel* panel = w.window.status_panel(keys[i]);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), texts[i]);
    EXPECT_EQ(panel->toolTip(), tips[i]);
    EXPECT_EQ(panel->width(), widths[i]);
    EXPECT_EQ(panel->parentWidget(), w.window.status_bar());
  }
  EXPECT_EQ(w.window.status_panel("Other"), nullptr);
}

TEST(WindowStartupTest, WithoutABoardOnlyTheFileCommandsAndDiscoveryAreUsable) {
  QtSimWindow w({}, /*empty_bus=*/true);
  w.Start();
  ASSERT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_EQ(w.dialogs.boxes[0], "No Valid Port Found ! (Check connections and supply voltages)");
  for (Ctl id :
       {Ctl::Btn_Find_Port, Ctl::Btn_Load_File, Ctl::Btn_Read_EEPROM, Ctl::Btn_Erase_EEPROM}) {
    EXPECT_TRUE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  }
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device,
                 Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device,
                 Ctl::Btn_Prog_Fuses, Ctl::Btn_Prog_EEPROM, Ctl::Btn_RESET}) {
    EXPECT_FALSE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  }
  EXPECT_EQ(w.Panel("Port"), "Port :");
}

TEST(WindowStartupTest, TesselBoardEnablesResetAndGreysVdd) {
  QtSimWindow w({.board = kTessel});
  w.Start();
  EXPECT_TRUE(w.widget(Ctl::Btn_RESET)->isEnabled());
  EXPECT_EQ(static_cast<QCheckBox*>(w.widget(Ctl::Check_Vdd))->checkState(), Qt::PartiallyChecked);
}

TEST(WindowStartupTest, GeometryAndColours) {
  QtSimWindow w;
  w.window.show();
  QWidget* client = w.window.centralWidget();
  EXPECT_EQ(client->size(), QSize(588, 459));
  EXPECT_EQ(client->y(), w.window.menuBar()->height());
  EXPECT_EQ(w.window.size(), QSize(588, 459 + w.window.menuBar()->height()));

  EXPECT_EQ(w.widget(Ctl::txtTerm)->geometry(), QRect(8, 16, 386, 214));
  EXPECT_EQ(w.widget(Ctl::Btn_Find_Port)->geometry(), QRect(424, 280, 145, 25));
  EXPECT_EQ(w.widget(Ctl::Command1)->geometry(), QRect(368, 400, 73, 33));
  EXPECT_EQ(w.widget(Ctl::Device)->geometry(), QRect(464, 120, 121, 21));
  EXPECT_EQ(w.widget(Ctl::Frame1)->geometry(), QRect(416, 352, 153, 65));
  EXPECT_EQ(w.widget(Ctl::Btn_RESET)->parentWidget(), w.widget(Ctl::Frame1));
  EXPECT_EQ(w.widget(Ctl::Btn_RESET)->geometry(), QRect(8, 16, 137, 33));
  EXPECT_EQ(w.widget(Ctl::Opt_Osc_2)->parentWidget(), w.widget(Ctl::Choix_Osc));
  EXPECT_EQ(w.widget(Ctl::Opt_Osc_2)->geometry(), QRect(8, 72, 81, 17));
  EXPECT_EQ(w.widget(Ctl::Check_BODEN)->parentWidget(), w.widget(Ctl::Choix_Timers));
  EXPECT_EQ(w.widget(Ctl::Check_BODEN)->geometry(), QRect(8, 64, 113, 17));
  EXPECT_EQ(w.window.status_bar()->geometry(), QRect(0, 434, 588, 25));

  const QColor green(0, 192, 0);
  EXPECT_EQ(Background(client), green);
  for (Ctl id : {Ctl::Check_auto, Ctl::Check_Vdd, Ctl::Check_Speed}) {
    EXPECT_EQ(Background(w.widget(id)), green);
  }
  EXPECT_EQ(Background(w.widget(Ctl::Frame1)), QColor(255, 128, 0));
  EXPECT_EQ(Background(w.widget(Ctl::Choix_Osc)), QColor(192, 192, 0));
  EXPECT_EQ(Background(w.widget(Ctl::Choix_Timers)), QColor(0, 192, 192));

  // What the screen shows: the window's green around the controls and inside the check boxes.
  const QImage picture = w.window.grab().toImage();
  const int top = client->y();
  EXPECT_EQ(QColor(picture.pixel(2, top + 2)), green);
  const QRect speed = w.widget(Ctl::Check_Speed)->geometry();
  EXPECT_EQ(QColor(picture.pixel(speed.right() - 1, top + speed.center().y())), green);
  const QRect frame = w.widget(Ctl::Frame1)->geometry();
  // Beside the frame's caption (inside the frame the style shades the colour a little).
  EXPECT_EQ(QColor(picture.pixel(frame.right() - 4, top + frame.top() + 4)), QColor(255, 128, 0));
  EXPECT_NE(QColor(picture.pixel(2, top + 450)), green);  // the status bar is not green
  w.window.hide();
}

TEST(WindowStartupTest, TheLogIsReadOnlyWithBothScrollBars) {
  QtSimWindow w;
  QPlainTextEdit* log = w.window.log_box();
  EXPECT_TRUE(log->isReadOnly());
  EXPECT_EQ(log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(log->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(WindowStartupTest, TabOrder) {
  QtSimWindow w;
  std::vector<std::string> order;
  QWidget* first = w.widget(Ctl::txtTerm);
  QWidget* it = first;
  do {
    for (Ctl id : kTabOrder) {
      if (w.widget(id) == it) order.push_back(it->objectName().toStdString());
    }
    it = it->nextInFocusChain();
  } while (it != first);
  const std::vector<std::string> expected = {"txtTerm",
                                             "Device",
                                             "Opt_Osc(0)",
                                             "Opt_Osc(1)",
                                             "Opt_Osc(2)",
                                             "Opt_Osc(3)",
                                             "Check_WDT",
                                             "Check_PWRT",
                                             "Check_BODEN",
                                             "Check_Vdd",
                                             "Btn_Erase_Device",
                                             "Btn_Read_Device",
                                             "Btn_Program_Device",
                                             "Btn_Verify",
                                             "Btn_Check_Device_Id",
                                             "Btn_Check_Device_Fuses",
                                             "Btn_Prog_Fuses",
                                             "Btn_Load_File",
                                             "Btn_Find_Port",
                                             "Command1",
                                             "Check_auto",
                                             "Btn_RESET",
                                             "Btn_Prog_EEPROM",
                                             "Btn_Read_EEPROM",
                                             "Btn_Erase_EEPROM",
                                             "Check_Speed"};
  EXPECT_EQ(order, expected);
}

TEST(WindowStartupTest, Menus) {
  QtSimWindow w;
  w.Start();
  struct Expect {
    Ctl id;
    const char* caption;
    bool enabled;
  };
  const Expect expected[] = {
      {Ctl::Menu_File, "&File", true},          {Ctl::Menu_File_Open, "&Open", true},
      {Ctl::Menu_File_Save, "&Save", true},     {Ctl::Menu_File_Exit, "E&xit", true},
      {Ctl::Menu_Options, "&Options", true},    {Ctl::Menu_Options_HardWare, "&HardWare", true},
      {Ctl::Menu_About, "&About", true},        {Ctl::Menu_View, "&View", true},
      {Ctl::Menu_View_Memory, "&Memory", true}, {Ctl::Menu_View_Blank_Check, "&Blank Check", true},
  };
  for (const Expect& e : expected) {
    QAction* a = w.window.menu_action(e.id);
    ASSERT_NE(a, nullptr) << e.caption;
    EXPECT_EQ(a->text(), e.caption);
    EXPECT_EQ(a->isEnabled(), e.enabled) << e.caption;
  }
  EXPECT_EQ(w.window.menu_action(Ctl::Menu_File_Open)->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(w.window.menu_action(Ctl::Menu_File_Save)->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(w.window.menu_action(Ctl::Menu_File_Exit)->shortcut(), QKeySequence("Ctrl+Q"));
  // The menu bar holds File, Options, View and About, in this order.
  const QList<QAction*> top = w.window.menuBar()->actions();
  ASSERT_EQ(top.size(), 4);
  EXPECT_EQ(top[0]->text(), "&File");
  EXPECT_EQ(top[1]->text(), "&Options");
  EXPECT_EQ(top[2]->text(), "&View");
  EXPECT_EQ(top[3]->text(), "&About");
  EXPECT_EQ(top[3]->menu(), nullptr);
}

}  // namespace
}  // namespace corvane::testing
