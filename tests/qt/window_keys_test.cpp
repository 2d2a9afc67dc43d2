// The keyboard: Enter clicks the focused button as Space does, the arrow keys select the
// "Oscillator Type" option they move to, and the File menu's shortcuts.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "qt/qt_sim_window.h"

namespace corvane::testing {
namespace {

// A key sent to the widget with the focus, as the keyboard would.
void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         bool auto_repeat = false) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), auto_repeat);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(), auto_repeat);
  QCoreApplication::sendEvent(target, &release);
}

// Shows the window and makes it the active one, as when the user works in it.
void Activate(QtSimWindow& w) {
  w.window.show();
  w.window.activateWindow();
  QCoreApplication::processEvents();
}

TEST(WindowKeysTest, EnterClicksTheFocusedButtonAsSpaceDoes) {
  QtSimWindow w;
  w.Start();
  Activate(w);
  QWidget* read = w.widget(Ctl::Btn_Read_EEPROM);
  int clicks = 0;
  QObject::connect(w.button(Ctl::Btn_Read_EEPROM), &QAbstractButton::clicked, [&] { ++clicks; });
  read->setFocus();

  Key(read, Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(w.win.log().find("EEPROM DATA content :"), std::string::npos) << w.win.log();
  Key(read, Qt::Key_Enter, Qt::KeypadModifier);  // the keypad's Enter
  EXPECT_EQ(clicks, 2);
  QTest::keyClick(read, Qt::Key_Space);
  EXPECT_EQ(clicks, 3);

  // Held down, Enter clicks once; with Ctrl or Alt it is not a click.
  Key(read, Qt::Key_Return, Qt::NoModifier, /*auto_repeat=*/true);
  Key(read, Qt::Key_Return, Qt::ControlModifier);
  Key(read, Qt::Key_Return, Qt::AltModifier);
  EXPECT_EQ(clicks, 3);
  w.window.hide();
}

TEST(WindowKeysTest, EnterDoesNothingOnADisabledButton) {
  QtSimWindow w;
  w.Start();
  Activate(w);
  ASSERT_FALSE(w.widget(Ctl::Btn_Program_Device)->isEnabled());  // no file yet
  const std::string log = w.win.log();
  QTest::keyClick(w.widget(Ctl::Btn_Program_Device), Qt::Key_Return);
  EXPECT_EQ(w.win.log(), log);
  EXPECT_TRUE(w.dialogs.boxes.empty());
  w.window.hide();
}

TEST(WindowKeysTest, ArrowKeysSelectTheOscillatorOptionTheyMoveTo) {
  QtSimWindow w;
  w.Start();
  Activate(w);
  w.st.ConfigWord = 0x3FFF;
  w.Click(Ctl::Opt_Osc_0);  // LP
  w.widget(Ctl::Opt_Osc_0)->setFocus();

  QTest::keyClick(w.widget(Ctl::Opt_Osc_0), Qt::Key_Down);
  EXPECT_TRUE(w.button(Ctl::Opt_Osc_1)->isChecked());
  EXPECT_FALSE(w.button(Ctl::Opt_Osc_0)->isChecked());
  EXPECT_EQ(w.win.control(Ctl::Opt_Osc_1).value, 1);
  EXPECT_EQ(w.st.ConfigWord & 3, 1);  // XT: its handler ran
  EXPECT_TRUE(w.Panel("Fuses").contains("3FFD")) << w.Panel("Fuses").toStdString();
  EXPECT_TRUE(w.widget(Ctl::Opt_Osc_1)->hasFocus());

  QTest::keyClick(w.widget(Ctl::Opt_Osc_1), Qt::Key_Right);
  EXPECT_EQ(w.st.ConfigWord & 3, 2);  // HS
  QTest::keyClick(w.widget(Ctl::Opt_Osc_2), Qt::Key_Up);
  EXPECT_EQ(w.st.ConfigWord & 3, 1);  // XT
  QTest::keyClick(w.widget(Ctl::Opt_Osc_1), Qt::Key_Left);
  EXPECT_EQ(w.st.ConfigWord & 3, 0);  // LP
  // Round the group: up from the first option is the last.
  QTest::keyClick(w.widget(Ctl::Opt_Osc_0), Qt::Key_Up);
  EXPECT_EQ(w.st.ConfigWord & 3, 3);  // RC
  EXPECT_TRUE(w.button(Ctl::Opt_Osc_3)->isChecked());
  EXPECT_TRUE(w.widget(Ctl::Opt_Osc_3)->hasFocus());
  QTest::keyClick(w.widget(Ctl::Opt_Osc_3), Qt::Key_Down);
  EXPECT_EQ(w.st.ConfigWord & 3, 0);  // LP

  // An arrow with a modifier selects nothing.
  QTest::keyClick(w.widget(Ctl::Opt_Osc_0), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(w.st.ConfigWord & 3, 0);
  EXPECT_TRUE(w.button(Ctl::Opt_Osc_0)->isChecked());
  w.window.hide();
}

TEST(WindowKeysTest, CtrlOOpensCtrlSSavesCtrlQExits) {
  QtSimWindow w;
  w.Start();
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  Activate(w);
  w.dialogs.files.push_back(Demo_Hex());
  QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(w.dialogs.file_dialogs, 1);
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Demo_Hex());

  QTest::keyClick(w.widget(Ctl::Btn_Verify), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(w.dialogs.save_dialogs, 1);  // cancelled: nothing saved

  QTest::keyClick(w.widget(Ctl::txtTerm), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(w.window.isVisible());
  EXPECT_EQ(all_closed, 1);
}

}  // namespace
}  // namespace corvane::testing
