// The window program's command line, the file dialog's filter, the scripted dialogs of its demo,
// and the real program under Xvfb.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

#include "app/app_options.h"
#include "app/demo.h"
#include "qt/qt_sim_window.h"
#include "support/command_run.h"

namespace corvane::testing {
namespace {

using app::AppOptions;
using app::Parse_App_Args;

bool Parse(std::vector<std::string_view> args, AppOptions* o, std::string* error) {
  return Parse_App_Args(args, o, error);
}

TEST(AppOptionsTest, BoardTraceDemoAndScreenshot) {
  AppOptions o;
  std::string error;
  ASSERT_TRUE(Parse({}, &o, &error));
  EXPECT_EQ(o.board, "lpt");
  EXPECT_TRUE(o.trace.empty());
  EXPECT_FALSE(o.help);
  ASSERT_TRUE(Parse({"--board", "sim:board=tessel", "--trace=t.vcd", "--demo", "a.hex",
                     "--screenshot", "shot.PNG"},
                    &o, &error));
  EXPECT_EQ(o.board, "sim:board=tessel");
  EXPECT_EQ(o.trace, "t.vcd");
  EXPECT_EQ(o.demo_file, "a.hex");
  EXPECT_EQ(o.screenshot, "shot.PNG");
  EXPECT_EQ(o.screenshot_of, "window");
  EXPECT_TRUE(o.file.empty());
  ASSERT_TRUE(Parse({"--chips", "mine.chips"}, &o, &error));
  EXPECT_EQ(o.chips, "mine.chips");
  ASSERT_TRUE(Parse({"--screenshot-of", "progress"}, &o, &error));
  EXPECT_EQ(o.screenshot_of, "progress");
  // One file to open after start-up, before or after the options.
  ASSERT_TRUE(Parse({"blink.hex", "--board", "sim"}, &o, &error));
  EXPECT_EQ(o.file, "blink.hex");
  EXPECT_EQ(o.board, "sim");
  ASSERT_TRUE(Parse({"--board=sim", "dir/Blink.HEX"}, &o, &error));
  EXPECT_EQ(o.file, "dir/Blink.HEX");
  ASSERT_TRUE(Parse({"-h"}, &o, &error));
  EXPECT_TRUE(o.help);
  EXPECT_NE(app::App_Usage().find("--board"), std::string::npos);
}

TEST(AppOptionsTest, UsageErrors) {
  AppOptions o;
  std::string error;
  EXPECT_FALSE(Parse({"--bogus"}, &o, &error));
  EXPECT_EQ(error, "unknown option --bogus");
  EXPECT_FALSE(Parse({"--board"}, &o, &error));
  EXPECT_EQ(error, "option --board needs a value");
  EXPECT_FALSE(Parse({"--trace="}, &o, &error));
  EXPECT_EQ(error, "option --trace needs a value");
  EXPECT_FALSE(Parse({"a.hex", "b.hex"}, &o, &error));
  EXPECT_EQ(error, "unexpected argument 'b.hex'");
  EXPECT_FALSE(Parse({""}, &o, &error));
  EXPECT_EQ(error, "unexpected argument ''");
  EXPECT_FALSE(Parse({"--screenshot", "shot.jpg"}, &o, &error));
  EXPECT_NE(error.find(".png"), std::string::npos);
  EXPECT_FALSE(Parse({"--screenshot", ".png"}, &o, &error));
  EXPECT_FALSE(Parse({"--screenshot-of", "log"}, &o, &error));
  EXPECT_EQ(error, "--screenshot-of takes window, progress or memory, not log");
  // A failed parse leaves the options as they were.
  o.board = "kept";
  EXPECT_FALSE(Parse({"--board", "sim", "--nope"}, &o, &error));
  EXPECT_EQ(o.board, "kept");
}

TEST(FileFilterTest, ConvertedToQtSyntax) {
  EXPECT_EQ(qt::Qt_Name_Filter("HEX files (*.hex)|*.hex|"), "HEX files (*.hex)");
  EXPECT_EQ(qt::Qt_Name_Filter("HEX files|*.hex;*.ihx|All files|*.*"),
            "HEX files (*.hex *.ihx);;All files (*.*)");
  EXPECT_EQ(qt::Qt_Name_Filter("|*.hex"), "(*.hex)");
  EXPECT_EQ(qt::Qt_Name_Filter(""), "");
}

TEST(ScriptedDialogsTest, AnswersFirstThenQuietBoxes) {
  FakeDialogs real;
  std::ostringstream quiet;
  app::ScriptedDialogs d(real, &quiet);
  d.Answer_Open_File("a.hex");
  EXPECT_EQ(d.Open_File(nullptr, "f", "hex", ""), "a.hex");
  EXPECT_EQ(d.Open_File(nullptr, "f", "hex", ""), "");  // nobody to ask: cancelled
  EXPECT_EQ(d.Save_File(nullptr, "f", "hex", ""), "");
  d.Message_Box(nullptr, "Mismatch in configuration fuses");
  EXPECT_EQ(quiet.str(), "corvane: message box: Mismatch in configuration fuses\n");
  EXPECT_EQ(real.file_dialogs, 0);
  EXPECT_TRUE(real.boxes.empty());

  app::ScriptedDialogs shown(real, nullptr);
  shown.Message_Box(nullptr, "x");
  EXPECT_EQ(shown.Open_File(nullptr, "f", "hex", ""), "");
  EXPECT_EQ(shown.Save_File(nullptr, "f", "hex", ""), "");
  EXPECT_EQ(real.boxes.size(), 1u);
  EXPECT_EQ(real.file_dialogs, 1);
  EXPECT_EQ(real.save_dialogs, 1);
}

TEST(DemoTest, LoadsProgramsAndVerifiesThroughTheButtons) {
  FakeDialogs real;
  std::ostringstream quiet;
  app::ScriptedDialogs scripted(real, &quiet);
  QtSimWindow w({}, false, &scripted);
  w.Start();
  app::Run_Demo(w.window, scripted, Demo_Hex());
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Demo_Hex());
  EXPECT_NE(w.win.log().find("11 lines of program written"), std::string::npos);
  EXPECT_NE(w.win.log().find("Verify detected : 0 errors"), std::string::npos);
  EXPECT_EQ(quiet.str(), "");  // no message box
  EXPECT_EQ(real.file_dialogs, 0);
  EXPECT_EQ(w.chip.program(0), 0x2805);
}

// ---- The real program under Xvfb --------------------------------------------------------------

bool Have_Xvfb() {
  return std::system("command -v xvfb-run >/dev/null 2>&1") == 0;
}

std::string Line_After(const std::string& text, const std::string& label) {
  const std::size_t at = text.find("\n" + label);
  if (at == std::string::npos) return "<missing " + label + ">";
  const std::size_t start = at + 1 + label.size();
  return text.substr(start, text.find('\n', start) - start);
}

// Runs corvane on the simulated board under Xvfb with --screenshot, plus the extra options. Two
// tests starting Xvfb at once may race for a display number: their searches start apart, and a
// run whose server did not start is tried once more.
CommandRun Run_Under_Xvfb(const std::string& extra, const std::string& png) {
  CommandRun r;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int first_display = 100 + static_cast<int>(getpid() % 400) + attempt * 400;
    const std::string command = "timeout 60 env -u QT_QPA_PLATFORM xvfb-run -a -n " +
                                std::to_string(first_display) +
                                " '" CORVANE_APP_BINARY "' --board sim " + extra +
                                " --screenshot '" + png + "' 2>/dev/null";
    r = Run_Command(command);
    r.out = "\n" + r.out;
    if (r.status == 0 || r.out.find("\nwindow: ") != std::string::npos) break;
  }
  return r;
}

TEST(XvfbTest, TheRealWindowShowsItsClientAreaAndPanels) {
  if (!Have_Xvfb()) GTEST_SKIP() << "xvfb-run is not installed";
  const std::string png = ::testing::TempDir() + "corvane_startup.png";
  const CommandRun r = Run_Under_Xvfb("", png);
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string menu = Line_After(r.out, "menu bar: ");
  const int menu_height = std::atoi(menu.c_str());
  EXPECT_GT(menu_height, 0) << r.out;
  EXPECT_EQ(Line_After(r.out, "client: "), "0," + menu + " 588x459") << r.out;
  EXPECT_EQ(Line_After(r.out, "window: "), "588x" + std::to_string(459 + menu_height));
  EXPECT_EQ(Line_After(r.out, "caption: "), "Corvane by Dravik");
  EXPECT_EQ(Line_After(r.out, "panel Port: "), "Port : LPT1:");
  EXPECT_EQ(Line_After(r.out, "panel Device: "), "Device : PIC16f84 (561)");
  EXPECT_EQ(Line_After(r.out, "panel Fuses: "), "Fuses :");
  EXPECT_EQ(Line_After(r.out, "panel Status: "), "Verifying Device Id");
  const QImage picture(QString::fromStdString(png));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(588, 459 + menu_height));
  // The window's green just below the menu bar.
  EXPECT_EQ(QColor(picture.pixel(2, menu_height + 2)), QColor(0, 192, 0));
}

TEST(XvfbTest, LoadProgramAndVerifyThroughTheRealWindow) {
  if (!Have_Xvfb()) GTEST_SKIP() << "xvfb-run is not installed";
  const std::string png = ::testing::TempDir() + "corvane_demo.png";
  const CommandRun r = Run_Under_Xvfb("--demo '" + Demo_Hex().toStdString() + "'", png);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(Line_After(r.out, "caption: "), "Corvane : " + Demo_Hex().toStdString());
  EXPECT_EQ(Line_After(r.out, "panel Fuses: "), "Fuses : 0x3FF1");
  EXPECT_NE(r.out.find("\n11 lines of program written\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nVerify detected : 0 errors\n"), std::string::npos) << r.out;
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

TEST(CorvaneProgramTest, OpensTheFileNamedOnItsCommandLineAfterStartUp) {
  // Offscreen, from the data folder, with a home of its own where settings would go.
  const std::string home = ::testing::TempDir() + "corvane_file_arg_home";
  const std::string png = ::testing::TempDir() + "corvane_file_arg.png";
  const CommandRun r =
      Run_Command("mkdir -p '" + home + "' && cd '" CORVANE_TEST_DATA "' && HOME='" + home +
                  "' XDG_CONFIG_HOME='" + home +
                  "/.config' QT_QPA_PLATFORM=offscreen timeout 60 '" CORVANE_APP_BINARY
                  "' --board sim pic16f84a_demo_inhx8m.hex --screenshot '" +
                  png + "' 2>/dev/null");
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string out = "\n" + r.out;
  const std::string absolute =
      QDir(CORVANE_TEST_DATA).absoluteFilePath("pic16f84a_demo_inhx8m.hex").toStdString();
  EXPECT_EQ(Line_After(out, "caption: "), "Corvane : " + absolute);
  // Start-up first (the chip identified), then the file as File Open loads it.
  EXPECT_EQ(Line_After(out, "panel Device: "), "Device : PIC16f84 (561)");
  EXPECT_NE(out.find("\n11 lines of program and 5 Bytes in EEPROM Data\n"), std::string::npos)
      << out;
  // A screenshot run leaves the user's settings alone.
  EXPECT_FALSE(QDir(QString::fromStdString(home) + "/.config/Corvane").exists());
}

TEST(CorvaneProgramTest, UsageErrorsExitWithTwo) {
  const CommandRun bad = Run_Command("'" CORVANE_APP_BINARY "' --frobnicate 2>&1");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("unknown option --frobnicate"), std::string::npos) << bad.out;
  const CommandRun board = Run_Command("'" CORVANE_APP_BINARY "' --board nowhere 2>&1");
  EXPECT_EQ(board.status, 2);
  const CommandRun demo = Run_Command("'" CORVANE_APP_BINARY "' --demo /nonexistent.hex 2>&1");
  EXPECT_EQ(demo.status, 2);
  EXPECT_NE(demo.out.find("no such file"), std::string::npos) << demo.out;
  // A user's chip file with a mistake: its line and field, before any window.
  const std::string chips = ::testing::TempDir() + "corvane_bad.chips";
  std::ofstream(chips) << "[PIC16F999]\nid = 31\n";
  const CommandRun bad_chips = Run_Command("'" CORVANE_APP_BINARY "' --chips '" + chips + "' 2>&1");
  EXPECT_EQ(bad_chips.status, 2);
  EXPECT_NE(bad_chips.out.find(chips + ":2: id: '31' is not WORD/MASK"), std::string::npos)
      << bad_chips.out;
  const CommandRun help = Run_Command("'" CORVANE_APP_BINARY "' --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: corvane"), std::string::npos);
}

TEST(CorvaneProgramTest, ATraceOverTheFileToOpenIsRefusedAndTheFileKept) {
  // The trace is created empty at start: over the HEX file it would destroy the user's program.
  const std::string dir = ::testing::TempDir() + "corvane_trace_over_file";
  const std::string hex = dir + "/firmware.hex";
  const std::string text = ":020000000528D1\n:00000001FF\n";
  QDir().mkpath(QString::fromStdString(dir));
  // The same file under another name too.
  const std::string other_name = dir + "/../corvane_trace_over_file/firmware.hex";
  const std::vector<std::string> runs = {"--trace '" + hex + "' '" + hex + "'",
                                         "--trace '" + other_name + "' --demo '" + hex + "'"};
  for (const std::string& args : runs) {
    SCOPED_TRACE(args);
    std::ofstream(hex, std::ios::binary) << text;
    // A screenshot run ends by itself even if the trace were taken.
    const CommandRun r = Run_Command("QT_QPA_PLATFORM=offscreen timeout 60 '" CORVANE_APP_BINARY
                                     "' --board sim --screenshot '" +
                                     dir + "/shot.png' " + args + " 2>&1");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("the same file as"), std::string::npos) << r.out;
    std::ifstream in(hex, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
  }
}

}  // namespace
}  // namespace corvane::testing
