// The options dialog's page switching, keys and notices.
#include "ui/options_model.h"

#include <gtest/gtest.h>

#include "ui/dialog_keys.h"

namespace corvane {
namespace {

constexpr int kShown = OptionsModel::kPageShownLeftTwips;
constexpr int kHidden = OptionsModel::kPageHiddenLeftTwips;

TEST(OptionsModelTest, CreatedWithThePortPageInTheDialog) {
  OptionsModel m;
  EXPECT_EQ(m.selected_tab(), 1);
  EXPECT_EQ(m.page_left_twips(0), 210);
  for (int page = 1; page < OptionsModel::kPageCount; ++page) {
    EXPECT_EQ(m.page_left_twips(page), -20000) << page;
  }
  EXPECT_EQ(OptionsModel::kTabs[0].caption, "Port");
  EXPECT_EQ(OptionsModel::kTabs[0].tool_tip, "Defining Parallel Port");
  EXPECT_EQ(OptionsModel::kTabs[1].key, "Parameters");
  EXPECT_EQ(OptionsModel::kTabs[1].tool_tip, "Defining HardWare Parameters");
}

TEST(OptionsModelTest, TabClickShowsOnlyThatTabsPage) {
  OptionsModel m;
  m.Select_Tab(2);
  EXPECT_EQ(m.selected_tab(), 2);
  EXPECT_EQ(m.page_left_twips(0), kHidden);
  EXPECT_FALSE(m.page_enabled(0));
  EXPECT_EQ(m.page_left_twips(1), kShown);
  EXPECT_TRUE(m.page_enabled(1));
  // Pages without a tab never move.
  EXPECT_EQ(m.page_left_twips(2), kHidden);
  EXPECT_EQ(m.page_left_twips(3), kHidden);

  m.Select_Tab(1);
  EXPECT_EQ(m.page_left_twips(0), kShown);
  EXPECT_TRUE(m.page_enabled(0));
  EXPECT_EQ(m.page_left_twips(1), kHidden);
  EXPECT_FALSE(m.page_enabled(1));

  // A tab that does not exist changes nothing.
  m.Select_Tab(3);
  m.Select_Tab(0);
  EXPECT_EQ(m.selected_tab(), 1);
  EXPECT_EQ(m.page_left_twips(0), kShown);
}

TEST(OptionsModelTest, CtrlTabCyclesTheTabsAndWraps) {
  OptionsModel m;
  OptionsAction action;
  EXPECT_TRUE(m.Key_Down(kKeyTab, kCtrlMask, &action));
  EXPECT_EQ(m.selected_tab(), 2);
  EXPECT_EQ(m.page_left_twips(1), kShown);
  EXPECT_FALSE(action.close);
  // On the last tab, Ctrl+Tab goes back to "Port" and shows page 0.
  EXPECT_TRUE(m.Key_Down(kKeyTab, kCtrlMask, &action));
  EXPECT_EQ(m.selected_tab(), 1);
  EXPECT_EQ(m.page_left_twips(0), kShown);
  EXPECT_EQ(m.page_left_twips(1), kHidden);
}

TEST(OptionsModelTest, OtherKeysAndModifiersArePassedOn) {
  OptionsModel m;
  OptionsAction action;
  EXPECT_FALSE(m.Key_Down(kKeyTab, kCtrlMask | kShiftMask, &action));
  EXPECT_FALSE(m.Key_Down(kKeyTab, 0, &action));
  EXPECT_FALSE(m.Key_Down(kKeyTab, kAltMask | kCtrlMask, &action));
  EXPECT_FALSE(m.Key_Down('A', kCtrlMask, &action));
  EXPECT_FALSE(m.Key_Down(kKeyReturn, 0, &action));
  EXPECT_EQ(m.selected_tab(), 1);
  EXPECT_EQ(m.page_left_twips(0), kShown);
}

TEST(OptionsModelTest, ButtonsAndEscape) {
  // "Appliquer" applies the board chosen and keeps the dialog; OK applies and closes; Esc and
  // "Annuler" close without applying.
  OptionsModel m;
  OptionsAction esc;
  EXPECT_TRUE(m.Key_Down(kKeyEscape, 0, &esc));
  struct Case {
    OptionsAction action;
    bool apply;
    bool close;
  };
  for (const Case& c :
       {Case{esc, false, true}, Case{OptionsModel::Cancel(), false, true},
        Case{OptionsModel::Apply(), true, false}, Case{OptionsModel::Ok(), true, true}}) {
    EXPECT_EQ(c.action.apply, c.apply);
    EXPECT_EQ(c.action.close, c.close);
  }
}

TEST(OptionsModelTest, CentredOnTheScreen) {
  const auto pos = OptionsModel::Centred(1024, 768, 410, 328);
  EXPECT_EQ(pos[0], 307);
  EXPECT_EQ(pos[1], 220);
}

}  // namespace
}  // namespace corvane
