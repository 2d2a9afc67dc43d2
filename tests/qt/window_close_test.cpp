// Closing the window and giving input while an operation runs: a close from the window manager
// takes effect when the operation ends, whatever message boxes come in between, and no input
// reaches any window of the program in the meantime.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "qt/qt_sim_window.h"

namespace corvane::testing {
namespace {

// A close request from the window manager, as the window system delivers it: to the window's
// platform window, queued behind whatever the program is doing.
class WindowManagerClose : public QCloseEvent {};

void Post_Window_Manager_Close(QWidget* window) {
  QCoreApplication::postEvent(window->windowHandle(), new WindowManagerClose);
}

// What a real modal box does while it is up: it runs its own event loop, in which the window
// system's close requests for the windows it blocks are refused.
class ModalBoxLoop : public QObject {
 public:
  int refused = 0;
  void Run() {
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Close && dynamic_cast<WindowManagerClose*>(event)) {
      ++refused;
      return true;
    }
    return false;
  }
};

// Runs `action` once, when the command in progress first writes to the log.
void On_First_Log(QtSimWindow& w, std::function<void()> action) {
  auto pending = std::make_shared<std::function<void()>>(std::move(action));
  QObject::connect(w.window.log_box(), &QPlainTextEdit::textChanged, [pending] {
    if (*pending) std::exchange(*pending, nullptr)();
  });
}

TEST(WindowCloseTest, WindowManagerCloseDuringAnOperationTakesEffectAfterItsBoxes) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.chip.set_config(0x000F);  // code protected: every word fails its read-back
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  w.window.show();
  Freeze_Repaints(w);
  ModalBoxLoop box_loop;
  w.dialogs.on_box = [&](const QString&) { box_loop.Run(); };
  On_First_Log(w, [&] { Post_Window_Manager_Close(&w.window); });

  w.Click(Ctl::Btn_Program_Device);
  EXPECT_GE(w.dialogs.boxes.size(), 2u);  // the program word's, then the EEPROM's
  EXPECT_EQ(box_loop.refused, 0);
  EXPECT_FALSE(w.window.isVisible());
  EXPECT_EQ(all_closed, 1);
  EXPECT_FALSE(w.win.busy());

  // Closed, the window runs nothing more, even a script's click.
  const std::string log = w.win.log();
  w.window.Click(Ctl::Btn_Verify);
  EXPECT_EQ(w.win.log(), log);
}

TEST(WindowCloseTest, WindowManagerCloseBetweenTwoBoxesIsKeptToo) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.chip.set_config(0x000F);
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  w.window.show();
  Freeze_Repaints(w);
  ModalBoxLoop box_loop;
  w.dialogs.on_box = [&](const QString&) {
    box_loop.Run();
    // The user closes the window once the first box is answered, before the next one comes.
    if (w.dialogs.boxes.size() == 1) Post_Window_Manager_Close(&w.window);
  };
  w.Click(Ctl::Btn_Program_Device);
  ASSERT_GE(w.dialogs.boxes.size(), 2u);
  EXPECT_EQ(box_loop.refused, 0);
  EXPECT_FALSE(w.window.isVisible());
  EXPECT_EQ(all_closed, 1);
}

TEST(WindowCloseTest, WindowManagerCloseWhenIdleClosesAtOnce) {
  QtSimWindow w;
  w.Start();
  int all_closed = 0;
  w.window.Set_On_All_Closed([&] { ++all_closed; });
  w.window.show();
  Post_Window_Manager_Close(&w.window);
  QCoreApplication::processEvents();
  EXPECT_FALSE(w.window.isVisible());
  EXPECT_EQ(all_closed, 1);
}

TEST(WindowCloseTest, TheAboutBoxTakesNoInputDuringAnOperation) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.window.show();
  w.window.Show_About();
  QPointer<qt::AboutDialog> about = w.window.about_dialog();
  ASSERT_NE(about, nullptr);
  Freeze_Repaints(w);
  On_First_Log(w, [&] { Post_Click(about->ok_button()); });
  w.Click(Ctl::Btn_Verify);
  QCoreApplication::processEvents();
  // The click was dropped, not kept for later nor delivered in the middle of the operation.
  ASSERT_TRUE(about && about->isVisible());

  // Idle, the same click closes it.
  Post_Click(about->ok_button());
  QCoreApplication::processEvents();
  EXPECT_FALSE(about->isVisible());
}

TEST(WindowCloseTest, MenuShortcutsAreDroppedDuringAnOperation) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.window.show();
  w.window.activateWindow();
  QCoreApplication::processEvents();
  Freeze_Repaints(w);
  // Ctrl+O and Ctrl+S pressed in the middle of a verify.
  On_First_Log(w, [&] {
    QTest::keyClick(&w.window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&w.window, Qt::Key_S, Qt::ControlModifier);
  });
  w.Click(Ctl::Btn_Verify);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.dialogs.save_dialogs, 0);
  EXPECT_EQ(w.dialogs.file_dialogs, 1);  // only the load's
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Demo_Hex());
}

}  // namespace
}  // namespace corvane::testing
