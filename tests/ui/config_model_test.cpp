// The Configuration dialog's logic over a one-word chip (the table's 16F877) and a two-word one
// (CONFIG2 at 0x2008), and the window's side of it: the menu item, OK through the fuse controls.
#include <gtest/gtest.h>

#include "chips/chip_table.h"
#include "support/sim_window.h"
#include "ui/config_model.h"

namespace corvane::testing {
namespace {

ChipEntry Two_Word_Chip() {
  ChipEntry chip;
  chip.part = "PIC16F88";
  chip.config_addresses = {0x2007, 0x2008};
  chip.config_masks = {0x3FFF, 0x0003};
  chip.fields = {{"FOSC", 0x2007, 0x0013, {{"LP", 0x00}, {"INTOSCIO", 0x10}, {"EXTRCCLK", 0x13}}},
                 {"MCLRE", 0x2007, 0x0020, {{"OFF", 0x00}, {"ON", 0x20}}},
                 {"FCMEN", 0x2008, 0x0001, {{"OFF", 0x0}, {"ON", 0x1}}}};
  return chip;
}

struct ModelCase {
  const char* name;
  ChipEntry chip;
  std::vector<ConfigWordValue> words;
  std::vector<std::string> labels;
  std::vector<int> chosen;
  int row, value;  // one choice
  std::vector<std::string> after;
};

class ConfigModelTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ConfigModelTest, ChoicesChangeTheirWordAtOnce) {
  const ModelCase& c = GetParam();
  ConfigModel model(c.chip, c.words);
  std::vector<std::string> labels;
  std::vector<int> chosen;
  for (const ConfigFieldRow& row : model.rows()) {
    labels.push_back(row.label);
    chosen.push_back(row.chosen);
  }
  EXPECT_EQ(labels, c.labels);
  EXPECT_EQ(chosen, c.chosen);
  model.Choose(c.row, c.value);
  EXPECT_EQ(model.rows()[static_cast<std::size_t>(c.row)].chosen, c.value);
  EXPECT_EQ(model.Word_Texts(), c.after);
  model.Choose(c.row, 99);  // no such value: nothing changes
  EXPECT_EQ(model.Word_Texts(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Chips, ConfigModelTest,
    ::testing::Values(ModelCase{"one_word",
                                *Builtin_Chips().Find_Key("16f877"),
                                {{0x2007, 0x3F72}},
                                {"FOSC", "WDTE", "PWRTE", "BOREN", "LVP", "CPD", "WRT", "DEBUG",
                                 "CP"},
                                {2, 0, 0, 1, 0, 1, 1, 1, 3},
                                4,
                                1,
                                {"CONFIG (0x2007) = 0x3FF2"}},
                      // The second word is not given: it reads erased, its implemented bits set.
                      ModelCase{"two_words",
                                Two_Word_Chip(),
                                {{0x2007, 0x3F10}},
                                {"FOSC (CONFIG1)", "MCLRE (CONFIG1)", "FCMEN (CONFIG2)"},
                                {1, 0, 1},
                                2,
                                0,
                                {"CONFIG1 (0x2007) = 0x3F10", "CONFIG2 (0x2008) = 0x0002"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigWindowTest, TheMenuItemOpensTheDialogAndOkSetsTheFuseControls) {
  SimWindow w;
  w.Start();
  ASSERT_TRUE(w.Load(std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex"));
  w.win.Click(Ctl::Menu_Options_Config);
  EXPECT_EQ(w.view.config_views, 1);
  ConfigModel dialog = w.win.Config_Dialog();
  EXPECT_EQ(dialog.title(), "Configuration PIC16F84A");
  dialog.Choose(0, 2);  // FOSC=HS
  dialog.Choose(1, 1);  // WDTE=ON
  const std::int32_t before = w.st.ConfigWord;
  EXPECT_EQ(before, 0x3FF1);  // Cancel is not applying: nothing changed yet
  w.win.Apply_Config(dialog.words());
  EXPECT_EQ(w.st.ConfigWord, 0x3FF6);
  EXPECT_EQ(w.win.status("Fuses"), "Fuses 0x3FF6");
  EXPECT_EQ(w.win.control(Ctl::Opt_Osc_2).value, 1);
  EXPECT_EQ(w.win.control(Ctl::Check_WDT).value, kChecked);
}

// A 16F88 (today's simulated 16F84A answering as one): the dialog shows both words as the window
// holds them, and OK sets each.
TEST(ConfigWindowTest, TheDialogEditsBothWordsOfA16F88) {
  SimWindow w;
  w.chip.set_device_id(0x0760);
  w.Start();
  w.st.ConfigWord2 = 0x3FFD;
  ConfigModel dialog = w.win.Config_Dialog();
  ASSERT_EQ(dialog.rows().size(), 13u);
  EXPECT_EQ(dialog.rows()[11].label, "IESO (CONFIG2)");
  EXPECT_EQ(dialog.Word_Texts()[1], "CONFIG2 (0x2008) = 0x3FFD");
  dialog.Choose(11, 1);  // IESO=ON
  dialog.Choose(12, 0);  // FCMEN=OFF
  dialog.Choose(0, 4);   // FOSC=INTRCIO
  w.win.Apply_Config(dialog.words());
  EXPECT_EQ(w.st.ConfigWord, 0x0010);
  EXPECT_EQ(w.st.ConfigWord2, 0x3FFE);
  EXPECT_EQ(w.win.status("Fuses"), "Fuses 0x10/2");
}

}  // namespace
}  // namespace corvane::testing
