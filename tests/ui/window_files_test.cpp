// The window's logic for files reached without the open dialog (named on the command line,
// dropped on the window), File, Save, and the folder the file dialogs start in.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <utility>

#include "support/sim_window.h"
#include "ui/folder_memory.h"

namespace corvane::testing {
namespace {

const std::string kDemoHex = CORVANE_TEST_DATA "/pic16f84a_demo_inhx8m.hex";

std::string Read_All(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `during` once, when the operation in progress first sets a status.
class DuringOperationView : public RecordingView {
 public:
  std::function<void()> during;
  void Status_Changed(std::string_view key, std::string_view text) override {
    RecordingView::Status_Changed(key, text);
    if (during) std::exchange(during, nullptr)();
  }
};

TEST(WindowFilesTest, OpenFileIsRefusedDuringAnOperation) {
  VirtualClock clock;
  WorkingState st;
  sim::Chip chip(sim::ChipKind::Pic16F84A);
  sim::Board board(kBrannock, clock, kLpt1);
  board.insert(&chip);
  Lines lines(board, clock, st);
  DuringOperationView view;
  Panneau win(st, lines, view);
  win.Form_Load();
  bool opened_during = true;
  view.during = [&] { opened_during = win.Open_File(kDemoHex); };
  win.Click(Ctl::Btn_Read_Device);
  EXPECT_FALSE(opened_during);
  EXPECT_EQ(win.caption(), "Corvane by Dravik");
  EXPECT_EQ(win.FileName(), "");
  EXPECT_FALSE(win.control(Ctl::Btn_Program_Device).enabled);
  // Idle again, the same file opens; an empty name is never a file.
  EXPECT_FALSE(win.Open_File(""));
  EXPECT_TRUE(win.Open_File(kDemoHex));
}

TEST(WindowFilesTest, HexFileNames) {
  EXPECT_TRUE(Is_Hex_File_Name("a.hex"));
  EXPECT_TRUE(Is_Hex_File_Name("/x/FIRMWARE.HEX"));
  EXPECT_TRUE(Is_Hex_File_Name("C:\\x\\b.Hex"));
  EXPECT_TRUE(Is_Hex_File_Name(".hex"));
  EXPECT_FALSE(Is_Hex_File_Name("hex"));
  EXPECT_FALSE(Is_Hex_File_Name("a.hex.txt"));
  EXPECT_FALSE(Is_Hex_File_Name("a.ihx"));
  EXPECT_FALSE(Is_Hex_File_Name("ahex"));
  EXPECT_FALSE(Is_Hex_File_Name(""));
}

TEST(WindowFilesTest, SaveAsksForAFileAndWritesTheChip) {
  SimWindow w;
  w.Start();
  w.chip.set_program(0, 0x2805);
  w.chip.set_program(1, 0x0123);
  const std::string path = ::testing::TempDir() + "window_save.hex";
  std::remove(path.c_str());
  w.view.save_files.push_back(path);
  EXPECT_TRUE(w.win.control(Ctl::Menu_File_Save).user_available);
  EXPECT_TRUE(w.win.Click(Ctl::Menu_File_Save));
  EXPECT_EQ(w.view.save_dialogs, 1);
  EXPECT_EQ(w.view.last_filter, "HEX files (*.hex)|*.hex|");
  EXPECT_EQ(w.view.last_extension, "hex");
  EXPECT_TRUE(w.view.boxes.empty());
  EXPECT_NE(w.win.log().find("Saved to " + path), std::string::npos) << w.win.log();
  // Word 0 then word 1, low byte first.
  EXPECT_EQ(Read_All(path).rfind(":10000000052823", 0), 0u) << Read_All(path).substr(0, 60);
  EXPECT_FALSE(w.win.busy());
  EXPECT_TRUE(w.win.control(Ctl::Btn_Load_File).enabled);
}

TEST(WindowFilesTest, CancelledSaveReadsNothing) {
  SimWindow w;
  w.Start();
  const std::size_t mark = w.trace.accesses.size();
  const std::string log = w.win.log();
  EXPECT_TRUE(w.win.Click(Ctl::Menu_File_Save));
  EXPECT_EQ(w.view.save_dialogs, 1);
  EXPECT_EQ(w.trace.accesses.size(), mark);  // the port was not touched
  EXPECT_EQ(w.win.log(), log);
  EXPECT_TRUE(w.view.boxes.empty());
}

// ---- The folder the file dialogs start in ------------------------------------------------------

class MapStore : public SettingsStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  int writes = 0;
  std::string Value(std::string_view key) const override {
    auto it = values.find(key);
    return it == values.end() ? "" : it->second;
  }
  void Set_Value(std::string_view key, std::string_view value) override {
    ++writes;
    values[std::string(key)] = std::string(value);
  }
};

TEST(FolderMemoryTest, FolderOfAPath) {
  EXPECT_EQ(Folder_Of("/home/ann/pic/blink.hex"), "/home/ann/pic");
  EXPECT_EQ(Folder_Of("/blink.hex"), "/");
  EXPECT_EQ(Folder_Of("C:\\pic\\blink.hex"), "C:\\pic");
  EXPECT_EQ(Folder_Of("C:\\blink.hex"), "C:\\");
  EXPECT_EQ(Folder_Of("C:/pic/blink.hex"), "C:/pic");
  EXPECT_EQ(Folder_Of("blink.hex"), "");
}

TEST(FolderMemoryTest, KeptInTheStoreFromOneRunToTheNext) {
  MapStore store;
  {
    FolderMemory first(&store);
    EXPECT_EQ(first.Last_Folder(), "");
    first.File_Used("/home/ann/pic/blink.hex");
    EXPECT_EQ(first.Last_Folder(), "/home/ann/pic");
    first.File_Used("/home/ann/pic/other.hex");  // the same folder: nothing to write
    EXPECT_EQ(store.writes, 1);
    first.File_Used("bare.hex");  // no folder: the last one stays
    EXPECT_EQ(first.Last_Folder(), "/home/ann/pic");
  }
  FolderMemory next(&store);
  EXPECT_EQ(next.Last_Folder(), "/home/ann/pic");
  EXPECT_EQ(store.values.at(std::string(kLastFolderKey)), "/home/ann/pic");

  FolderMemory this_run_only(nullptr);
  this_run_only.File_Used("/tmp/x.hex");
  EXPECT_EQ(this_run_only.Last_Folder(), "/tmp");
}

}  // namespace
}  // namespace corvane::testing
