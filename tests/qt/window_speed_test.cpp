// The window's speed and progress: "Fast programming" in the Options menu, remembered between runs,
// and the progress bar of a long program on the simulated board.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "qt/qt_sim_window.h"
#include "sim/board_violations.h"

namespace corvane::testing {
namespace {

TEST(WindowSpeedTest, FastProgrammingIsACheckableOptionRememberedBetweenRuns) {
  MemorySettings settings;
  {
    QtSimWindow w({}, false, nullptr, &settings);
    w.Start();
    QAction* fast = w.window.menu_action(Ctl::Menu_Options_Fast);
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->text(), "Fast programming");
    EXPECT_TRUE(fast->isCheckable());
    EXPECT_TRUE(fast->isEnabled());
    EXPECT_FALSE(fast->isChecked());
    EXPECT_EQ(w.st.Speed, kNormalSpeed);
    EXPECT_EQ(settings.Value(kFastProgrammingKey), "") << "nothing written until the user chooses";
    fast->trigger();
    EXPECT_TRUE(fast->isChecked());
    EXPECT_EQ(w.st.Speed, kFastSpeed);
    EXPECT_EQ(settings.Value(kFastProgrammingKey), "1");
    EXPECT_EQ(static_cast<QLabel*>(w.widget(Ctl::lblSpeed))->text(), "Speed : fast");
    w.Click(Ctl::Check_Speed);  // "Low Speed" clears "Fast programming"
    EXPECT_EQ(w.st.Speed, kLowSpeed);
    EXPECT_FALSE(fast->isChecked());
    EXPECT_EQ(static_cast<QLabel*>(w.widget(Ctl::lblSpeed))->text(), "Speed : low");
    EXPECT_EQ(settings.Value(kFastProgrammingKey), "0");
    fast->trigger();  // and back: "Fast programming" clears "Low Speed"
    EXPECT_EQ(w.button(Ctl::Check_Speed)->isChecked(), false);
    EXPECT_EQ(w.st.Speed, kFastSpeed);
  }
  {
    QtSimWindow w({}, false, nullptr, &settings);  // the next run
    w.Start();
    EXPECT_TRUE(w.window.menu_action(Ctl::Menu_Options_Fast)->isChecked());
    EXPECT_EQ(w.st.Speed, kFastSpeed);
    w.window.menu_action(Ctl::Menu_Options_Fast)->trigger();
    EXPECT_EQ(settings.Value(kFastProgrammingKey), "0");
  }
  MemorySettings none;
  QtSimWindow fresh({}, false, nullptr, &none);
  fresh.Start();
  EXPECT_FALSE(fresh.window.menu_action(Ctl::Menu_Options_Fast)->isChecked());
  EXPECT_EQ(fresh.st.Speed, kNormalSpeed);
}

TEST(WindowSpeedTest, ProgressBarMovesThroughALongProgramAndGoesAwayAtTheEnd) {
  QtSimWindow w({kBrannock, true, sim::ChipKind::Pic16F877, kLpt1});
  w.Start();
  w.Load(QStringLiteral(CORVANE_TEST_DATA "/pic16f877_demo_inhx32.hex"));
  QProgressBar* bar = w.window.progress_bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isVisible());
  struct Seen {
    int value;
    int maximum;
    bool visible;
    QString text;
  };
  std::vector<Seen> seen;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) {
    seen.push_back({v, bar->maximum(), bar->isVisible(), bar->text()});
  });
  w.window.show();
  w.Click(Ctl::Btn_Program_Device);
  ASSERT_GT(seen.size(), 8000u);
  int last = 0;
  bool moved_in_order = true;
  int words_total = 0;
  for (const Seen& s : seen) {
    if (s.maximum != 8192) continue;  // the EEPROM bytes come after, with their own bar
    moved_in_order = moved_in_order && s.value == last + 1 && s.visible;
    last = s.value;
    ++words_total;
  }
  EXPECT_TRUE(moved_in_order);
  EXPECT_EQ(last, 8191) << "shown up to the last word; at the end the bar goes";
  EXPECT_EQ(words_total, 8191);
  const Seen& half = seen[4094];
  EXPECT_EQ(half.maximum, 8192);
  EXPECT_TRUE(half.text.startsWith(QStringLiteral("49% "))) << half.text.toStdString();
  EXPECT_TRUE(seen[8190].text.startsWith(QStringLiteral("99% "))) << "100 only at the end";
  EXPECT_TRUE(half.text.endsWith(QStringLiteral(" left"))) << half.text.toStdString();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(w.dialogs.boxes.empty());
  EXPECT_EQ(w.Panel("Status"), "Fuses Written");
}

TEST(WindowSpeedTest, ALongOperationTellsWhatFastProgrammingWouldTake) {
  QtSimWindow w({kBrannock, true, sim::ChipKind::Pic16F877, kLpt1});
  w.Start();
  QAction* fast = w.window.menu_action(Ctl::Menu_Options_Fast);
  QProgressBar* bar = w.window.progress_bar();
  EXPECT_EQ(fast->statusTip(), "");
  // From the file and the chip, as soon as the file is loaded.
  w.Load(QStringLiteral(CORVANE_TEST_DATA "/pic16f877_demo_inhx32.hex"));
  const QRegularExpression hint(
      "^This takes about [0-9]+ min( [0-9]+ s)? at normal speed; Fast programming takes about "
      "[0-9]+ (s|min)( [0-9]+ s)?$");
  EXPECT_TRUE(hint.match(fast->statusTip()).hasMatch()) << fast->statusTip().toStdString();
  w.Click(Ctl::Btn_Verify);
  EXPECT_TRUE(hint.match(bar->toolTip()).hasMatch()) << bar->toolTip().toStdString();
  EXPECT_EQ(fast->statusTip(), bar->toolTip());
  // The status tip shows in the window's status bar while the item is highlighted.
  QStatusTipEvent shown(fast->statusTip());
  QCoreApplication::sendEvent(&w.window, &shown);
  EXPECT_EQ(w.window.status_bar()->currentMessage(), fast->statusTip());
  QStatusTipEvent gone{QString()};
  QCoreApplication::sendEvent(&w.window, &gone);
  EXPECT_EQ(w.window.status_bar()->currentMessage(), "");
  // Once fast, there is nothing to tell.
  fast->trigger();
  EXPECT_EQ(fast->statusTip(), "");
  w.Click(Ctl::Btn_Read_Device);
  EXPECT_EQ(bar->toolTip(), "");
}

TEST(WindowSpeedTest, TimingViolationsShowInAMessageBoxAfterTheOperation) {
  QtSimWindow w;
  sim::BoardViolations source(w.board);
  w.win.Set_Violation_Source(&source);
  w.Start();
  EXPECT_TRUE(w.dialogs.boxes.empty());
  bool busy_at_box = true;
  w.dialogs.on_box = [&](const QString&) { busy_at_box = w.win.busy(); };
  w.chip.set_program_drives_lines(true);
  w.Click(Ctl::Btn_Check_Device_Id);
  ASSERT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_TRUE(w.dialogs.boxes[0].startsWith(
      QStringLiteral("simulated chip: 1 timing violations, first: MCLR reached Vpp while")))
      << w.dialogs.boxes[0].toStdString();
  EXPECT_FALSE(busy_at_box) << "the operation had ended";
}

}  // namespace
}  // namespace corvane::testing
