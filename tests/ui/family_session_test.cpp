// A whole session with a chip of each later family, as the user has it: the window started on the
// simulated board, gpasm's demo file loaded, PROGRAM Device, VERIFY, File Save; then the saved file
// loaded into a blank chip's window, programmed, verified and saved again, giving the same file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "support/sim_window.h"

namespace corvane::testing {
namespace {

std::string Read_All(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The words an assembler's HEX file gives, by word address (EEPROM bytes at 0x2100 on), read
// here on their own so that a fault of the program's loader cannot hide in both sides.
std::map<int, std::uint16_t> Words_Of(const std::string& path) {
  std::map<int, std::uint16_t> words;
  std::istringstream in(Read_All(path));
  std::uint32_t base = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] != ':') continue;
    auto byte = [&](std::size_t i) { return std::stoi(line.substr(1 + 2 * i, 2), nullptr, 16); };
    const int count = byte(0);
    const int type = byte(3);
    if (type == 4) base = static_cast<std::uint32_t>(byte(4) * 256 + byte(5)) << 16;
    if (type != 0) continue;
    const std::uint32_t at = base + static_cast<std::uint32_t>(byte(1) * 256 + byte(2));
    for (int k = 0; k < count; ++k) {
      std::uint16_t& word = words[static_cast<int>((at + k) / 2)];  // low byte first
      word = static_cast<std::uint16_t>(word | byte(4 + k) << ((at + k) % 2 * 8));
    }
  }
  return words;
}

struct Session {
  sim::ChipKind chip;
  BoardKind board;
  SpeedKind speed;
  const char* demo;    // the gpasm-built file under tests/data
  const char* device;  // the "Device" panel
  // The words and bytes of the demo file that PROGRAM Device counts; 0 words: the board cannot
  // write the chip.
  int words;
  int bytes;
};

std::string Name(const ::testing::TestParamInfo<Session>& info) {
  return std::string(sim::Facts(info.param.chip).name) + "_" +
         (info.param.board == kTessel ? "Tessel" : "Brannock") + "_" +
         (info.param.speed == kFastSpeed  ? "fast"
          : info.param.speed == kLowSpeed ? "low"
                                          : "normal");
}

class FamilySessionTest : public ::testing::TestWithParam<Session> {
 protected:
  // The window on an erased chip of the session's kind, started, at the session's speed ("Fast
  // programming" or "Low Speed" checked).
  std::unique_ptr<SimWindow> Window() const {
    auto w =
        std::make_unique<SimWindow>(SimSetup{.board = GetParam().board, .chip = GetParam().chip});
    w->Start();
    if (GetParam().speed == kFastSpeed) w->win.Set_Value(Ctl::Menu_Options_Fast, kChecked);
    if (GetParam().speed == kLowSpeed) w->win.Set_Value(Ctl::Check_Speed, kChecked);
    EXPECT_EQ(w->st.Speed, GetParam().speed);
    EXPECT_EQ(w->win.status("Device"), GetParam().device);
    // The 62xA and 88 have eight oscillators: the window's four choices are greyed for them.
    EXPECT_EQ(w->win.control(Ctl::Opt_Osc_0).enabled, GetParam().chip == sim::ChipKind::Pic16F877A);
    return w;
  }
  // Loads `file` and programs it, which writes `words` words and `bytes` EEPROM bytes, then
  // verifies it; false when the program is refused.
  static bool Program_And_Verify(SimWindow& w, const std::string& file, int words, int bytes) {
    EXPECT_TRUE(w.Load(file));
    w.New_Log();
    if (!w.win.Click(Ctl::Btn_Program_Device)) return false;
    const std::string log = w.New_Log();
    for (const std::string& line : {std::to_string(words) + " lines of program written",
                                    std::to_string(bytes) + " Bytes written in EEPROM DATA"}) {
      EXPECT_NE(log.find("\r\n" + line + "\r\n"), std::string::npos) << log;
    }
    EXPECT_TRUE(w.win.Click(Ctl::Btn_Verify));
    EXPECT_EQ(w.New_Log(), "Verify of Device Content\r\nVerify detected : 0 errors\r\n");
    EXPECT_EQ(w.win.status("Status"), "Verify finished");
    EXPECT_TRUE(w.view.boxes.empty()) << w.view.boxes[0];
    EXPECT_TRUE(w.chip.violations().empty()) << w.chip.violations()[0].what;
    return true;
  }
  static void Save(SimWindow& w, const std::string& path) {
    w.view.save_files.push_back(path);
    EXPECT_TRUE(w.win.Click(Ctl::Menu_File_Save));
    EXPECT_NE(w.New_Log().find("Saved to " + path), std::string::npos) << w.win.log();
    EXPECT_TRUE(w.view.boxes.empty()) << w.view.boxes[0];
  }
};

TEST_P(FamilySessionTest, ProgramsVerifiesAndSavesTheDemoFile) {
  const Session& p = GetParam();
  const std::string demo = std::string(CORVANE_TEST_DATA) + "/" + p.demo;
  std::unique_ptr<SimWindow> w = Window();
  if (p.words == 0) {
    // The board cannot give this chip's entry: refused before a write, the chip left erased.
    EXPECT_FALSE(Program_And_Verify(*w, demo, 0, 0));
    const std::string why =
        "Cancelled : the PIC16f628A (62xa family) enters programming mode with Vpp before Vdd, "
        "which the board tessel (Tessel board (Dravik hardware)) cannot give: it does not switch "
        "Vdd";
    EXPECT_NE(w->New_Log().find(why + "\r\n"), std::string::npos) << w->win.log();
    ASSERT_EQ(w->view.boxes, std::vector<std::string>({why}));
    for (int a = 0; a < w->chip.program_size(); ++a) ASSERT_EQ(w->chip.program(a), 0x3FFF);
    EXPECT_EQ(w->chip.config(), 0x3FFF);
    return;
  }
  ASSERT_TRUE(Program_And_Verify(*w, demo, p.words, p.bytes));

  // The chip holds the file, and is erased wherever the file names nothing.
  const std::map<int, std::uint16_t> file = Words_Of(demo);
  auto in_file = [&](int address, std::uint16_t erased) {
    const auto it = file.find(address);
    return it == file.end() ? erased : it->second;
  };
  const sim::Chip& chip = w->chip;
  for (int a = 0; a < chip.program_size(); ++a) ASSERT_EQ(chip.program(a), in_file(a, 0x3FFF)) << a;
  for (int i = 0; i < chip.eeprom_size(); ++i) EXPECT_EQ(chip.eeprom(i), in_file(0x2100 + i, 0xFF));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(chip.user_id(i), in_file(0x2000 + i, 0x3FFF));
  EXPECT_EQ(chip.config(), file.at(0x2007));
  // "Fuses : 0x" after the load, or "Fuses 0x" when a fuse control changed; a second word's
  // implemented bits after a "/".
  char fuses[16];
  std::snprintf(fuses, sizeof fuses, "0x%04X", file.at(0x2007));
  std::string shown = fuses;
  if (file.count(0x2008) != 0) shown += "/" + std::to_string(file.at(0x2008) & 3);
  EXPECT_TRUE(w->win.status("Fuses").ends_with(shown)) << w->win.status("Fuses");

  // Saved, loaded into a blank chip, programmed, verified and saved: the same file.
  const std::string first = ::testing::TempDir() + Name({p, 0}) + "_first.hex";
  const std::string second = ::testing::TempDir() + Name({p, 0}) + "_second.hex";
  Save(*w, first);
  const std::map<int, std::uint16_t> saved = Words_Of(first);
  for (const auto& [address, word] : file) {
    // The 88's CONFIG2 (0x2008), on the chip and in the file, once a save carries it.
    if (address == 0x2008 && !saved.contains(address)) continue;
    EXPECT_EQ(saved.contains(address) ? saved.at(address) : -1, word) << address;
  }
  if (saved.contains(0x2008)) {
    EXPECT_EQ(chip.config2(), file.at(0x2008));
  }
  std::unique_ptr<SimWindow> blank = Window();
  // The saved file names every word and byte of the chip.
  ASSERT_TRUE(Program_And_Verify(*blank, first, chip.program_size(), chip.eeprom_size()));
  Save(*blank, second);
  EXPECT_EQ(Read_All(second), Read_All(first));
  EXPECT_FALSE(Read_All(first).empty());
}

constexpr const char* k628A = "pic16f628a_demo_inhx8m.hex";
constexpr const char* k877A = "pic16f877a_demo_inhx32.hex";
constexpr const char* k88 = "pic16f88_demo_inhx32.hex";
constexpr const char* kShown628A = "Device : PIC16f628A (1063)";
constexpr const char* kShown877A = "Device : PIC16f877A (E28)";
constexpr const char* kShown88 = "Device : PIC16f88 (764)";

INSTANTIATE_TEST_SUITE_P(
    LaterFamilies, FamilySessionTest,
    ::testing::Values(
        Session{sim::ChipKind::Pic16F628A, kBrannock, kNormalSpeed, k628A, kShown628A, 14, 6},
        Session{sim::ChipKind::Pic16F628A, kBrannock, kFastSpeed, k628A, kShown628A, 14, 6},
        Session{sim::ChipKind::Pic16F628A, kBrannock, kLowSpeed, k628A, kShown628A, 14, 6},
        Session{sim::ChipKind::Pic16F628A, kTessel, kNormalSpeed, k628A, kShown628A, 0, 0},
        Session{sim::ChipKind::Pic16F877A, kBrannock, kNormalSpeed, k877A, kShown877A, 8190, 6},
        Session{sim::ChipKind::Pic16F877A, kBrannock, kFastSpeed, k877A, kShown877A, 8190, 6},
        Session{sim::ChipKind::Pic16F877A, kTessel, kNormalSpeed, k877A, kShown877A, 8190, 6},
        Session{sim::ChipKind::Pic16F877A, kTessel, kFastSpeed, k877A, kShown877A, 8190, 6},
        Session{sim::ChipKind::Pic16F877A, kBrannock, kLowSpeed, k877A, kShown877A, 8190, 6},
        Session{sim::ChipKind::Pic16F88, kBrannock, kNormalSpeed, k88, kShown88, 4096, 5},
        Session{sim::ChipKind::Pic16F88, kBrannock, kFastSpeed, k88, kShown88, 4096, 5},
        Session{sim::ChipKind::Pic16F88, kTessel, kNormalSpeed, k88, kShown88, 4096, 5},
        Session{sim::ChipKind::Pic16F88, kTessel, kFastSpeed, k88, kShown88, 4096, 5},
        Session{sim::ChipKind::Pic16F88, kTessel, kLowSpeed, k88, kShown88, 4096, 5}),
    Name);

}  // namespace
}  // namespace corvane::testing
