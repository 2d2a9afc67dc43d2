// The window during a device command: the Stop button and the progress bar at the right of the
// status bar, clear of the "Status" text; Stop and Escape stop the command, Ctrl+Q closes the
// window after it, and the focus goes back to the button pressed. Also the memory view, the about
// box's margins and a native window destroyed from outside.
#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "qt/qt_sim_window.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/window_gone.h"

namespace corvane::testing {
namespace {

const QString kDemo877 = QStringLiteral(CORVANE_TEST_DATA "/pic16f877_demo_inhx32.hex");

// The window repaints, and takes the user's input, at every report.
void Always_Repaint(QtSimWindow& w) {
  w.window.repaint_gate() = RepaintGate(0, [] { return std::int64_t{0}; });
}

QRect In_Status_Bar(QtSimWindow& w, QWidget* widget) {
  return QRect(widget->mapTo(w.window.status_bar(), QPoint(0, 0)), widget->size());
}

void Post_Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
  QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

TEST(WindowStopTest, StopAndProgressShowBesideTheStatusTextAndStopTheCommand) {
  QtSimWindow w({kBrannock, true, sim::ChipKind::Pic16F877, kLpt1});
  w.Start();
  w.window.show();
  Always_Repaint(w);
  w.Load(kDemo877);
  QWidget* stop = w.widget(Ctl::Btn_Stop);
  ASSERT_NE(stop, nullptr);
  EXPECT_FALSE(stop->isVisible());
  int reports = 0;
  bool overlapped = false;
  w.window.Set_On_Progress([&](int, int) {
    if (++reports != 100) return;
    EXPECT_TRUE(stop->isVisible());
    EXPECT_TRUE(w.window.progress_bar()->isVisible());
    EXPECT_FALSE(w.window.status_panel("Port")->isVisible()) << "it gives its room";
    const QRect status = In_Status_Bar(w, w.window.status_panel("Status"));
    overlapped = status.intersects(In_Status_Bar(w, stop)) ||
                 status.intersects(In_Status_Bar(w, w.window.progress_bar()));
    EXPECT_EQ(w.window.status_panel("Status")->text(), "Writing to Device");
    Post_Click(stop);
  });
  w.Click(Ctl::Btn_Program_Device);
  EXPECT_FALSE(overlapped);
  // Clicked after word 0x64; taken at the next repaint, after word 0x65: stopped before 0x66.
  EXPECT_NE(w.win.log().find("Stopped by the user at address 0x0066 of 0x1FFF\r\n"),
            std::string::npos)
      << w.win.log();
  EXPECT_EQ(w.Panel("Status"), "Stopped");
  EXPECT_FALSE(stop->isVisible());
  EXPECT_TRUE(w.window.status_panel("Port")->isVisible());
  EXPECT_TRUE(w.widget(Ctl::Btn_Program_Device)->isEnabled());
  w.window.hide();
}

TEST(WindowStopTest, EscapeStopsAndCtrlQClosesOnceTheCommandHasEnded) {
  QtSimWindow w({kBrannock, true, sim::ChipKind::Pic16F877, kLpt1});
  w.Start();
  w.window.show();
  Always_Repaint(w);
  w.Load(kDemo877);
  int closed = 0;
  w.window.Set_On_All_Closed([&] { ++closed; });
  int reports = 0;
  w.window.Set_On_Progress([&](int, int) {
    if (++reports == 10) {
      Post_Key(w.widget(Ctl::txtTerm), Qt::Key_Q, Qt::ControlModifier);
      Post_Key(w.widget(Ctl::txtTerm), Qt::Key_Escape);
    }
    if (reports == 50) {
      EXPECT_EQ(closed, 0) << "not while the command runs";
    }
  });
  w.Click(Ctl::Btn_Verify);
  EXPECT_NE(w.win.log().find("Stopped by the user at address"), std::string::npos);
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(w.window.isVisible());
}

TEST(WindowStopTest, TheFocusGoesBackToTheButtonPressed) {
  QtSimWindow w;
  w.Start();
  w.window.show();
  w.window.activateWindow();
  QCoreApplication::processEvents();
  w.Load(Demo_Hex());
  QWidget* program = w.widget(Ctl::Btn_Program_Device);
  program->setFocus();
  w.Click(Ctl::Btn_Program_Device);
  EXPECT_EQ(QApplication::focusWidget(), program)
      << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                      : "none");
  // One press of Space now runs PROGRAM again; it no longer unticks "Automatic File Update".
  EXPECT_EQ(w.win.control(Ctl::Check_auto).value, kChecked);
  w.window.hide();
}

TEST(WindowStopTest, TheMemoryViewShowsTheRowsAndClosesWithEscape) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.window.menu_action(Ctl::Menu_View_Memory)->trigger();
  qt::MemoryDialog* view = w.window.memory_dialog();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->windowTitle(), "Memory : file checksum 0xE778, chip not read in full");
  EXPECT_TRUE(view->text_box()->isReadOnly());
  // Brought up to date after each command while it is open: the erased chip differs at word 0.
  EXPECT_FALSE(view->text_box()->toPlainText().contains("| 3FFF*"));
  w.Click(Ctl::Btn_Read_Device);
  EXPECT_TRUE(view->text_box()->toPlainText().contains("| 3FFF*"));
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(view->text_box(), &escape);
  EXPECT_FALSE(view->isVisible());
}

TEST(WindowStopTest, TheAboutBoxTextsKeepAMarginInsideTheirFrames) {
  QtSimWindow w;
  w.Start();
  w.window.menu_action(Ctl::Menu_About)->trigger();
  qt::AboutDialog* d = w.window.about_dialog();
  ASSERT_NE(d, nullptr);
  auto* system = d->findChild<QLineEdit*>("Text_Systeme");
  auto* sysinfo = d->findChild<QPushButton*>("cmdSysInfo");
  ASSERT_TRUE(system && sysinfo);
  EXPECT_LE(QFontMetrics(system->font()).horizontalAdvance(system->text()),
            qt::Text_Room(system->width()));
  EXPECT_GE(system->textMargins().left(), qt::kTextMargin);
  EXPECT_LE(QFontMetrics(sysinfo->font()).horizontalAdvance(qt::Shown_Caption(sysinfo->text())),
            qt::Text_Room(sysinfo->width()));
  d->close();
}

TEST(WindowStopTest, ANativeWindowDestroyedFromOutsideClosesAsOnAClose) {
  // The X11 DestroyNotify event as the xcb platform passes it: code 17, the window at byte 8.
  unsigned char event[32] = {17 | 0x80, 0, 0, 0, 0, 0, 0, 0, 0x06, 0x00, 0x20, 0x00};
  EXPECT_TRUE(qt::Is_X11_Destroy_Of(event, 0x200006));
  EXPECT_FALSE(qt::Is_X11_Destroy_Of(event, 0x200007));

  QtSimWindow w;
  w.Start();
  int closed = 0;
  w.window.Set_On_All_Closed([&] { ++closed; });
  // During a command the close waits for its end, as the window's close does.
  w.Load(Demo_Hex());
  int reports = 0;
  w.window.Set_On_Progress([&](int, int) {
    if (++reports == 1) w.window.Window_Gone();
    EXPECT_EQ(closed, 0);
  });
  w.Click(Ctl::Btn_Program_Device);
  EXPECT_EQ(closed, 1);
  EXPECT_NE(w.win.log().find("lines of program written"), std::string::npos);
}

}  // namespace
}  // namespace corvane::testing
