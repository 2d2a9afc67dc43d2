// The options and about dialogs as widgets: geometry, colours, texts, page switching, keys and
// their message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>

#include "qt/qt_sim_window.h"

namespace corvane::testing {
namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

// Lets a closed dialog be deleted.
void Flush_Deletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool Outside(QWidget* page) {
  return page->geometry().right() < 0;
}

TEST(OptionsDialogTest, CreatedWithThePortPage) {
  QtSimWindow w;
  w.window.Show_Options();
  qt::OptionsDialog* d = w.window.options_dialog();
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->windowTitle(), "Options");
  EXPECT_EQ(d->size(), QSize(410, 328));
  EXPECT_EQ(d->tabs()->geometry(), QRect(7, 8, 393, 283));
  ASSERT_EQ(d->tabs()->count(), 2);
  EXPECT_EQ(d->tabs()->tabText(0), "Port");
  EXPECT_EQ(d->tabs()->tabText(1), "Parameters");
  EXPECT_EQ(d->tabs()->tabToolTip(0), "Defining Parallel Port");
  EXPECT_EQ(d->tabs()->tabToolTip(1), "Defining HardWare Parameters");
  EXPECT_EQ(d->page(0)->geometry(), QRect(14, 32, 379, 252));
  for (int i = 1; i < 4; ++i) EXPECT_TRUE(Outside(d->page(i))) << i;
  EXPECT_EQ(d->port_option(1)->text(), "LPT1: (0x378)");
  EXPECT_EQ(d->port_option(2)->text(), "LPT2: (0x278)");
  EXPECT_EQ(d->port_option(2)->geometry(), QRect(208, 64, 105, 25));
  EXPECT_EQ(d->port_option(1)->parentWidget(), d->page(0));
  EXPECT_FALSE(d->port_option(1)->isChecked());
  EXPECT_FALSE(d->port_option(2)->isChecked());
  auto* sample = d->page(0)->findChild<QGroupBox*>("fraSample1");
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->title(), "Exemple 1");
  EXPECT_EQ(sample->geometry(), QRect(32, 17, 137, 119));
  EXPECT_EQ(d->ok_button()->geometry(), QRect(166, 297, 73, 25));
  EXPECT_EQ(d->cancel_button()->text(), "Annuler");
  EXPECT_EQ(d->apply_button()->text(), "Appliquer");
  d->close();
}

TEST(OptionsDialogTest, TabClicksAndCtrlTabSwitchPages) {
  QtSimWindow w;
  w.window.Show_Options();
  qt::OptionsDialog* d = w.window.options_dialog();
  d->tabs()->setCurrentIndex(1);  // a click on "Parameters"
  EXPECT_EQ(d->page(1)->x(), 14);
  EXPECT_TRUE(d->page(1)->isEnabled());
  EXPECT_TRUE(Outside(d->page(0)));
  EXPECT_FALSE(d->page(0)->isEnabled());

  // Ctrl+Tab on "Parameters", sent to whichever control has the focus, selects "Port".
  Press(d->ok_button(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(d->tabs()->currentIndex(), 0);
  EXPECT_EQ(d->page(0)->x(), 14);
  EXPECT_TRUE(d->page(0)->isEnabled());
  EXPECT_TRUE(Outside(d->page(1)));
  // Once more: "Parameters" again (the tab strip itself does not move a second time).
  Press(d->tabs(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(d->tabs()->currentIndex(), 1);
  EXPECT_EQ(d->model().selected_tab(), 2);

  // Shift+Ctrl+Tab is passed on unchanged.
  Press(d->ok_button(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(d->tabs()->currentIndex(), 1);
  EXPECT_TRUE(w.dialogs.boxes.empty());
  d->close();
}

TEST(OptionsDialogTest, ButtonsAndEscape) {
  QtSimWindow w;
  w.Start();
  const int port_base = w.st.PortBase;
  const std::size_t log = w.win.log().size();
  w.window.Show_Options();
  qt::OptionsDialog* d = w.window.options_dialog();
  // The board in use is still selected: "Appliquer" has nothing to apply, the dialog stays.
  d->apply_button()->click();
  EXPECT_TRUE(w.dialogs.boxes.empty());
  EXPECT_TRUE(d->isVisible());

  // LPT2 chosen and OK: the dialog closes; the port options are not applied.
  d->port_option(2)->click();
  d->ok_button()->click();
  EXPECT_TRUE(w.dialogs.boxes.empty());
  Flush_Deletes();
  EXPECT_EQ(w.window.options_dialog(), nullptr);
  EXPECT_EQ(w.st.PortBase, port_base);
  EXPECT_EQ(w.win.log().size(), log);

  // Opened again: a new dialog with page 0 and no port selected.
  w.window.Show_Options();
  d = w.window.options_dialog();
  ASSERT_NE(d, nullptr);
  EXPECT_FALSE(d->port_option(2)->isChecked());
  EXPECT_EQ(d->tabs()->currentIndex(), 0);
  EXPECT_EQ(d->page(0)->x(), 14);

  // Esc closes it like "Annuler", without a message.
  Press(d->port_option(1), Qt::Key_Escape);
  EXPECT_FALSE(d->isVisible());
  EXPECT_TRUE(w.dialogs.boxes.empty());
  Flush_Deletes();
  EXPECT_EQ(w.window.options_dialog(), nullptr);

  w.window.Show_Options();
  w.window.options_dialog()->cancel_button()->click();
  EXPECT_TRUE(w.dialogs.boxes.empty());
  Flush_Deletes();
  EXPECT_EQ(w.window.options_dialog(), nullptr);
}

TEST(AboutDialogTest, TextsColoursAndPlaces) {
  QtSimWindow w;
  w.Start();
  w.window.menu_action(Ctl::Menu_About)->trigger();
  qt::AboutDialog* d = w.window.about_dialog();
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->windowTitle(), QString::fromUtf8("\u00c0 propos de Corvane"));
  EXPECT_EQ(d->size(), QSize(381, 281));
  EXPECT_EQ(d->palette().color(QPalette::Window), QColor(0, 0, 192));
  auto label = [d](const char* name) { return d->findChild<QLabel*>(name); };
  ASSERT_NE(label("lblTitle"), nullptr);
  EXPECT_EQ(label("lblTitle")->text(), "Corvane");
  EXPECT_EQ(label("lblTitle")->geometry(), QRect(70, 16, 291, 32));
  EXPECT_TRUE(label("lblTitle")->font().bold());
  EXPECT_EQ(label("lblTitle")->font().pointSize(), 18);
  EXPECT_EQ(label("lblVersion")->text(), CORVANE_VERSION_LABEL);
  EXPECT_TRUE(QRegularExpression("^Version [0-9]+\\.[0-9]+\\.[0-9]+$")
                  .match(label("lblVersion")->text())
                  .hasMatch());
  EXPECT_EQ(label("lblDescription")->text(), "For use with Brannock hardware");
  EXPECT_EQ(label("Label1")->text(), "or with Dravik hardware (Tessel)");
  // The credit line names the licence and fits its place whole.
  QLabel* disclaimer = label("lblDisclaimer");
  EXPECT_TRUE(disclaimer->text().contains("MIT License")) << disclaimer->text().toStdString();
  EXPECT_EQ(disclaimer->geometry(), QRect(17, 175, 202, 55));
  EXPECT_LE(disclaimer->heightForWidth(202), 55);
  EXPECT_GE(disclaimer->font().pointSize(), 8);
  for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "Label1", "lblDisclaimer"}) {
    EXPECT_EQ(label(name)->palette().color(QPalette::WindowText), QColor(255, 255, 0)) << name;
    EXPECT_TRUE(label(name)->alignment() & Qt::AlignHCenter) << name;
  }
  EXPECT_EQ(label("picIcon")->geometry(), QRect(16, 16, 36, 36));
  EXPECT_EQ(label("Picture1")->geometry(), QRect(136, 112, 113, 41));
  EXPECT_EQ(d->system_text()->text(), "Windows version: ? ");
  EXPECT_EQ(d->system_text()->geometry(), QRect(152, 240, 113, 25));
  EXPECT_EQ(d->ok_button()->text(), "OK");
  EXPECT_EQ(d->ok_button()->geometry(), QRect(283, 175, 84, 47));
  EXPECT_EQ(d->sysinfo_button()->text(), QString::fromUtf8("&Infos syst\u00e8me..."));
  EXPECT_EQ(d->sysinfo_button()->geometry(), QRect(284, 240, 83, 23));

  // The separating lines: grey at y 160, white (2 pixels) at y 164.
  const QImage picture = d->grab().toImage();
  EXPECT_EQ(QColor(picture.pixel(100, 160)), QColor(128, 128, 128));
  EXPECT_EQ(QColor(picture.pixel(100, 164)), QColor(255, 255, 255));
  EXPECT_EQ(QColor(picture.pixel(3, 150)), QColor(0, 0, 192));
  d->close();
}

TEST(AboutDialogTest, SystemInformationIsNotAvailable) {
  QtSimWindow w;
  w.window.Show_About();
  qt::AboutDialog* d = w.window.about_dialog();
  d->sysinfo_button()->click();
  ASSERT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_EQ(
      w.dialogs.boxes[0],
      QString::fromUtf8("Les informations syst\u00e8me ne sont pas disponibles actuellement"));
  EXPECT_TRUE(d->isVisible());
  d->close();
}

TEST(AboutDialogTest, EnterAndEscapeClose) {
  QtSimWindow w;
  for (int key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
    w.window.Show_About();
    qt::AboutDialog* d = w.window.about_dialog();
    ASSERT_NE(d, nullptr);
    // The key goes to the control with the focus first, as a user's would.
    Press(d->system_text(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_FALSE(d->isVisible()) << key;
    Flush_Deletes();
    EXPECT_EQ(w.window.about_dialog(), nullptr) << key;
  }
  // Enter on "Infos système..." closes the box too instead of starting the tool.
  w.window.Show_About();
  Press(w.window.about_dialog()->sysinfo_button(), Qt::Key_Return);
  Flush_Deletes();
  EXPECT_EQ(w.window.about_dialog(), nullptr);
  EXPECT_TRUE(w.dialogs.boxes.empty());
}

}  // namespace
}  // namespace corvane::testing
