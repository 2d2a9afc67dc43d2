// Commands driven by clicking the window's widgets: File Open, programming and verifying with the
// enabling rules and the busy state as the widgets show them, the fuse controls, the log mirror,
// repaints during an operation and closing while one runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "qt/qt_sim_window.h"

namespace corvane::testing {
namespace {

const Ctl kFileButtons[] = {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM};

// What the widgets showed while the log was growing during a command.
struct BusySnapshot {
  bool wait_cursor;
  bool load_enabled;
  bool find_port_enabled;
  bool program_enabled;
  bool read_eeprom_enabled;
  bool erase_eeprom_enabled;
};

TEST(WindowCommandsTest, LoadProgramAndVerifyThroughTheWidgets) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  EXPECT_EQ(w.dialogs.file_dialogs, 1);
  EXPECT_EQ(w.dialogs.last_filter, "HEX files (*.hex)");
  EXPECT_EQ(w.dialogs.last_suffix, "hex");
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Demo_Hex());
  for (Ctl id : kFileButtons) EXPECT_TRUE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  EXPECT_EQ(static_cast<QCheckBox*>(w.widget(Ctl::Check_auto))->checkState(), Qt::Checked);
  // The file's configuration word (0x3FF1) shows in the fuse controls.
  EXPECT_TRUE(w.button(Ctl::Opt_Osc_1)->isChecked());
  EXPECT_FALSE(w.button(Ctl::Check_WDT)->isChecked());
  EXPECT_TRUE(w.button(Ctl::Check_PWRT)->isChecked());
  EXPECT_TRUE(w.button(Ctl::Check_BODEN)->isChecked());

  // Watch the widgets while the operation writes to the log.
  std::vector<BusySnapshot> during;
  QObject::connect(w.window.log_box(), &QPlainTextEdit::textChanged, [&] {
    const QCursor* c = QApplication::overrideCursor();
    during.push_back({c && c->shape() == Qt::WaitCursor, w.widget(Ctl::Btn_Load_File)->isEnabled(),
                      w.widget(Ctl::Btn_Find_Port)->isEnabled(),
                      w.widget(Ctl::Btn_Program_Device)->isEnabled(),
                      w.widget(Ctl::Btn_Read_EEPROM)->isEnabled(),
                      w.widget(Ctl::Btn_Erase_EEPROM)->isEnabled()});
  });
  w.Click(Ctl::Btn_Program_Device);
  ASSERT_FALSE(during.empty());
  bool saw_busy = false;
  for (const BusySnapshot& s : during) {
    if (!s.wait_cursor) continue;
    saw_busy = true;
    EXPECT_FALSE(s.load_enabled);
    EXPECT_FALSE(s.find_port_enabled);
    EXPECT_FALSE(s.program_enabled);
    // The EEPROM buttons stay clickable during the busy state.
    EXPECT_TRUE(s.read_eeprom_enabled);
    EXPECT_TRUE(s.erase_eeprom_enabled);
  }
  EXPECT_TRUE(saw_busy);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  for (Ctl id : {Ctl::Btn_Load_File, Ctl::Btn_Find_Port, Ctl::Btn_Program_Device, Ctl::Btn_Verify,
                 Ctl::Btn_Read_Device, Ctl::Btn_Erase_Device, Ctl::Btn_Check_Device_Id}) {
    EXPECT_TRUE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  }
  EXPECT_FALSE(w.widget(Ctl::Btn_RESET)->isEnabled());  // Brannock board

  w.Click(Ctl::Btn_Verify);
  const QString log = w.window.log_box()->toPlainText();
  EXPECT_TRUE(log.contains("11 lines of program written\n"));
  EXPECT_TRUE(log.endsWith("Verify detected : 0 errors\n")) << log.right(200).toStdString();
  EXPECT_EQ(log, qt::Log_Display_Text(w.win.log()));
  EXPECT_FALSE(log.contains('\r'));
  // The caret follows the end of the log.
  EXPECT_EQ(w.window.log_box()->textCursor().position(), log.size());
  EXPECT_EQ(w.Panel("Status"), QString::fromStdString(w.win.status("Status")));
  EXPECT_TRUE(w.dialogs.boxes.empty());
  EXPECT_TRUE(w.chip.violations().empty());
}

TEST(WindowCommandsTest, CancelledFileOpenDisarmsTheFileButtons) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  // File, Open from the menu, cancelled.
  w.window.menu_action(Ctl::Menu_File_Open)->trigger();
  EXPECT_EQ(w.dialogs.file_dialogs, 2);
  EXPECT_EQ(w.window.windowTitle(), "Corvane by Dravik ");
  for (Ctl id : kFileButtons) EXPECT_FALSE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  EXPECT_EQ(w.st.ProgramImage[0], 0x3FFF);
  // "Automatic File Update" keeps its value.
  EXPECT_EQ(static_cast<QCheckBox*>(w.widget(Ctl::Check_auto))->checkState(), Qt::Checked);
}

TEST(WindowCommandsTest, UnreadableFileLeavesNoFileArmed) {
  QtSimWindow w;
  w.Start();
  w.Load(QStringLiteral("/nonexistent/corvane/missing.hex"));
  ASSERT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_EQ(
      w.dialogs.boxes[0],
      "Error while reading file : /nonexistent/corvane/missing.hex: No such file or directory");
  for (Ctl id : kFileButtons) EXPECT_FALSE(w.widget(id)->isEnabled()) << w.win.control(id).name;
}

TEST(WindowCommandsTest, FuseControlsFollowAndSetTheConfigWord) {
  QtSimWindow w;
  w.Start();
  w.st.ConfigWord = 0x3FFF;
  w.Click(Ctl::Opt_Osc_2);  // HS
  EXPECT_EQ(w.st.ConfigWord & 3, 2);
  EXPECT_TRUE(w.button(Ctl::Opt_Osc_2)->isChecked());
  for (int i : {0, 1, 3}) EXPECT_FALSE(w.button(Opt_Osc(i))->isChecked()) << i;
  EXPECT_EQ(w.Panel("Fuses"), QString::fromStdString(w.win.status("Fuses")));
  EXPECT_TRUE(w.Panel("Fuses").contains("3FFE"));

  w.Click(Ctl::Opt_Osc_0);  // LP, one option at a time
  EXPECT_EQ(w.st.ConfigWord & 3, 0);
  EXPECT_FALSE(w.button(Ctl::Opt_Osc_2)->isChecked());
  EXPECT_TRUE(w.button(Ctl::Opt_Osc_0)->isChecked());

  const int before = w.st.ConfigWord;
  w.Click(Ctl::Check_WDT);
  EXPECT_TRUE(w.button(Ctl::Check_WDT)->isChecked());
  EXPECT_EQ(w.st.ConfigWord, before | 0x04);
  w.Click(Ctl::Check_WDT);
  EXPECT_FALSE(w.button(Ctl::Check_WDT)->isChecked());
  EXPECT_EQ(w.st.ConfigWord, before & ~0x04);

  w.Click(Ctl::Check_PWRT);  // power-up timer on: bit 3 cleared
  EXPECT_EQ(w.st.ConfigWord & 0x08, 0);
  w.Click(Ctl::Check_BODEN);
  EXPECT_EQ(w.st.ConfigWord & 0x40, 0x40);

  // A grey check box becomes checked on a click, as the logic says, not as Qt's tristate cycle.
  auto* autobox = static_cast<QCheckBox*>(w.widget(Ctl::Check_auto));
  ASSERT_EQ(autobox->checkState(), Qt::PartiallyChecked);
  w.Click(Ctl::Check_auto);
  EXPECT_EQ(autobox->checkState(), Qt::Checked);
  w.Click(Ctl::Check_auto);
  EXPECT_EQ(autobox->checkState(), Qt::Unchecked);
  EXPECT_EQ(w.win.control(Ctl::Check_auto).value, kUnchecked);

  w.Click(Ctl::Check_Speed);  // "Low Speed"
  EXPECT_EQ(w.st.DelayUnit, 30);
  w.Click(Ctl::Check_Speed);
  EXPECT_EQ(w.st.DelayUnit, 2);
}

TEST(WindowCommandsTest, StatusChangesOnlyItsOwnPanel) {
  QtSimWindow w;
  w.Start();
  const QString port = w.Panel("Port");
  const QString device = w.Panel("Device");
  const QString fuses = w.Panel("Fuses");
  w.win.Set_Status("Status", "Working");
  EXPECT_EQ(w.Panel("Status"), "Working");
  EXPECT_EQ(w.Panel("Port"), port);
  EXPECT_EQ(w.Panel("Device"), device);
  EXPECT_EQ(w.Panel("Fuses"), fuses);
}

TEST(WindowCommandsTest, TheLogIsTrimmedOnlyBeyond16000Characters) {
  QtSimWindow w;
  QPlainTextEdit* box = w.window.log_box();
  w.win.Append_Text(std::string(16000, 'x'));
  w.win.Append_Text("a");  // the log held exactly 16000 characters: no trimming
  EXPECT_EQ(box->toPlainText().size(), 16001);
  w.win.Append_Text("b\r\n");  // 16001: the first 4096 go first, leaving 11905
  EXPECT_EQ(w.win.log().size(), 11905u + 3u);
  EXPECT_EQ(box->toPlainText().size(), 11905 + 2);
  EXPECT_TRUE(box->toPlainText().endsWith("xab\n"));
  EXPECT_EQ(box->textCursor().position(), box->toPlainText().size());
}

TEST(WindowCommandsTest, TheLogMirrorsTheTrimmedLog) {
  QtSimWindow w;
  const std::string line(98, 'x');
  for (int i = 0; i < 200; ++i) w.win.Append_Text(line + "\r\n");
  ASSERT_LT(w.win.log().size(), 16200u);  // trimmed on the way
  EXPECT_EQ(w.window.log_box()->toPlainText(), qt::Log_Display_Text(w.win.log()));
  // A line end split across two appends is still one line end.
  w.win.Append_Text("end\r");
  w.win.Append_Text("\nafter\r\n");
  EXPECT_EQ(w.window.log_box()->toPlainText(), qt::Log_Display_Text(w.win.log()));
  EXPECT_TRUE(w.window.log_box()->toPlainText().endsWith("end\nafter\n"));
  EXPECT_EQ(qt::Log_Display_Text("a\r\nb\rc\n"), "a\nb\nc\n");
}

TEST(WindowCommandsTest, RepaintsDuringAnOperationAtMostOncePerInterval) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.Click(Ctl::Btn_Program_Device);

  // A zero timer fires once each time the window lets events through.
  int pumps_inside = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    if (w.window.in_command()) ++pumps_inside;
  });
  tick.start(0);

  // A clock that never moves: only the first notification repaints.
  w.window.repaint_gate() = RepaintGate(50'000'000, [] { return std::int64_t{0}; });
  w.Click(Ctl::Btn_Verify);
  EXPECT_EQ(pumps_inside, 1);

  // A clock that moves 60 ms between notifications: every one repaints.
  pumps_inside = 0;
  std::int64_t t = 0;
  w.window.repaint_gate() = RepaintGate(50'000'000, [&t] { return t += 60'000'000; });
  w.Click(Ctl::Btn_Verify);
  EXPECT_GT(pumps_inside, 5);

  // Programming sets the status only at its start and end; the window stays live between words.
  pumps_inside = 0;
  w.chip.set_program(7, 0x0000);  // a few words to write again
  w.chip.set_program(8, 0x0000);
  w.Click(Ctl::Btn_Program_Device);
  // About sixteen log and status notifications, and sixteen words and bytes written.
  EXPECT_GT(pumps_inside, 24);

  // Outside a command nothing is pumped from the notifications.
  pumps_inside = 0;
  w.win.Append_Text("idle\r\n");
  EXPECT_EQ(pumps_inside, 0);
  tick.stop();
}

TEST(WindowCommandsTest, RepaintGateRateLimits) {
  std::int64_t now = 1'000;
  RepaintGate gate(50, [&now] { return now; });
  EXPECT_TRUE(gate.Due());
  EXPECT_FALSE(gate.Due());
  now += 49;
  EXPECT_FALSE(gate.Due());
  now += 1;
  EXPECT_TRUE(gate.Due());
  EXPECT_FALSE(gate.Due());
}

TEST(WindowCommandsTest, ClicksDuringAnOperationAreDropped) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.window.show();
  // No repaint after the first one, so the clicks wait in the queue until the command ends.
  w.window.repaint_gate() = RepaintGate(50'000'000, [] { return std::int64_t{0}; });
  int erase_clicks = 0;
  QObject::connect(w.button(Ctl::Btn_Erase_Device), &QAbstractButton::clicked,
                   [&] { ++erase_clicks; });
  bool posted = false;
  QObject::connect(w.window.log_box(), &QPlainTextEdit::textChanged, [&] {
    if (posted) return;
    posted = true;
    Post_Click(w.widget(Ctl::Btn_Erase_Device));
  });
  w.Click(Ctl::Btn_Verify);
  QCoreApplication::processEvents();
  EXPECT_TRUE(posted);
  EXPECT_EQ(erase_clicks, 0);
  EXPECT_TRUE(w.widget(Ctl::Btn_Erase_Device)->isEnabled());

  // Once idle, the same click goes through.
  Post_Click(w.widget(Ctl::Btn_Erase_Device));
  QCoreApplication::processEvents();
  EXPECT_EQ(erase_clicks, 1);
  w.window.hide();
}

TEST(WindowCommandsTest, ClosingDuringAnOperationWaitsForItsEnd) {
  QtSimWindow w({}, /*empty_bus=*/true);
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  w.window.show();
  bool visible_after_close = false;
  // The discovery's failure box comes up in the middle of the command: close the window there.
  w.dialogs.on_box = [&](const QString&) {
    w.window.close();
    visible_after_close = w.window.isVisible();
  };
  w.Click(Ctl::Btn_Find_Port);
  EXPECT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_TRUE(visible_after_close);
  EXPECT_FALSE(w.window.isVisible());  // closed once the command returned
  EXPECT_EQ(all_closed, 1);
}

TEST(WindowCommandsTest, ExitWithTheAboutBoxOpenEndsWhenItCloses) {
  QtSimWindow w;
  w.Start();
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  w.window.show();
  w.window.menu_action(Ctl::Menu_About)->trigger();
  ASSERT_NE(w.window.about_dialog(), nullptr);
  EXPECT_TRUE(w.window.about_dialog()->isVisible());
  w.window.menu_action(Ctl::Menu_File_Exit)->trigger();
  EXPECT_FALSE(w.window.isVisible());
  EXPECT_TRUE(w.window.about_dialog()->isVisible());
  EXPECT_EQ(all_closed, 0);
  w.window.about_dialog()->ok_button()->click();
  EXPECT_EQ(all_closed, 1);
}

TEST(WindowCommandsTest, ExitAloneEndsTheProgram) {
  QtSimWindow w;
  w.Start();
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  w.window.show();
  w.window.menu_action(Ctl::Menu_File_Exit)->trigger();
  EXPECT_FALSE(w.window.isVisible());
  EXPECT_EQ(all_closed, 1);
}

}  // namespace
}  // namespace corvane::testing
