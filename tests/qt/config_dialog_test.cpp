// The Configuration dialog: a list box per field, the word following each choice, OK into the
// window's fuse controls and Cancel leaving them.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "qt/qt_sim_window.h"
#include "ui/qt/config_dialog.h"

namespace corvane::testing {
namespace {

TEST(ConfigDialogTest, ChoicesShowTheWordAndOkReachesTheFuseControls) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    w.window.menu_action(Ctl::Menu_Options_Config)->trigger();
    qt::ConfigDialog* dialog = w.window.config_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Configuration PIC16F84A");
    EXPECT_EQ(dialog->field_box(0)->currentText(), "XT");
    EXPECT_EQ(dialog->word_label(0)->text(), "CONFIG (0x2007) = 0x3FF1");
    dialog->field_box(0)->setCurrentIndex(2);
    emit dialog->field_box(0)->activated(2);  // HS, as the user picks it
    EXPECT_EQ(dialog->word_label(0)->text(), "CONFIG (0x2007) = 0x3FF2");
    if (ok) {
      dialog->Ok();
    } else {
      dialog->reject();
    }
    EXPECT_EQ(w.st.ConfigWord, ok ? 0x3FF2 : 0x3FF1);
    EXPECT_EQ(w.Panel("Fuses"), ok ? "Fuses 0x3FF2" : "Fuses 0x3FF1");
    EXPECT_EQ(w.button(Ctl::Opt_Osc_2)->isChecked(), ok);
    QCoreApplication::processEvents();
  }
  w.window.hide();
}

}  // namespace
}  // namespace corvane::testing
