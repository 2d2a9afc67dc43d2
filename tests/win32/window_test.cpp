// The Win32 window driven as a user drives it, against the simulated board in virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <tuple>

#include "support/temp_dir.h"
#include "ui/layout.h"
#include "ui/text_fit.h"
#include "win32/win32_sim_window.h"

namespace corvane::testing {
namespace {

using win32::Utf8;
using win32::Wide;

constexpr Ctl kDeviceButtons[] = {Ctl::Btn_Read_Device, Ctl::Btn_Check_Device_Fuses,
                                  Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device,
                                  Ctl::Btn_Prog_Fuses};

COLORREF Background(Win32SimWindow& w, Ctl id) {
  HDC dc = GetDC(w.hwnd(id));
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(w.window.hwnd(), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(w.hwnd(id))));
  ReleaseDC(w.hwnd(id), dc);
  LOGBRUSH lb = {};
  GetObjectW(brush, sizeof lb, &lb);
  return lb.lbColor;
}

TEST(Win32WindowTest, ControlsSitWhereTheLayoutPutsThemWithTheirCaptionsAndColours) {
  Win32SimWindow w;
  w.Start();
  win32::Look& look = w.window.look();
  RECT client;
  GetClientRect(w.window.hwnd(), &client);
  EXPECT_EQ(client.right, look.S(kClientWidth));
  EXPECT_EQ(client.bottom, look.S(kClientHeight));
  const auto initial = Initial_Controls();
  for (const Place& p : kPlaces) {
    if (initial[static_cast<int>(p.id)].kind == ControlKind::Frame) continue;
    SCOPED_TRACE(std::string(initial[static_cast<int>(p.id)].name));
    HWND h = w.hwnd(p.id);
    ASSERT_NE(h, nullptr);
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, w.window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    int left = p.left, top = p.top;
    for (const Place& frame : kPlaces) {
      if (frame.id == p.parent) left += frame.left, top += frame.top;
    }
    EXPECT_EQ(r.left, look.S(left));
    EXPECT_EQ(r.top, look.S(top));
    EXPECT_EQ(r.right - r.left, look.S(p.width));
    if (p.id != Ctl::lblSpeed) {
      EXPECT_EQ(Utf8(Window_Text(h)), initial[static_cast<int>(p.id)].caption);
    }
    // Every caption fits its control in the font it got.
    const Control& c = initial[static_cast<int>(p.id)];
    if (c.kind == ControlKind::Button || c.kind == ControlKind::CheckBox ||
        c.kind == ControlKind::OptionButton) {
      auto font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
      const int box = c.kind == ControlKind::Button ? 0 : GetSystemMetrics(SM_CXMENUCHECK);
      EXPECT_LE(look.Text_Width(font, Wide(c.caption)) + box, look.S(p.width) - look.S(6));
      EXPECT_GE(w.window.Caption_Pixels(p.id), kSmallestTextPixels);
    }
  }
  EXPECT_EQ(Background(w, Ctl::Check_Vdd), RGB(0, 192, 0));
  EXPECT_EQ(Background(w, Ctl::Opt_Osc_2), RGB(192, 192, 0));
  EXPECT_EQ(Background(w, Ctl::Check_PWRT), RGB(0, 192, 192));
  EXPECT_FALSE(Shown(w.hwnd(Ctl::Command1)));
  EXPECT_FALSE(Shown(w.hwnd(Ctl::Btn_Stop)));
  EXPECT_FALSE(w.Enabled(Ctl::Device));
  EXPECT_EQ(w.Caption(), "Corvane by Dravik");
}

TEST(Win32WindowTest, TabFollowsTheKeyboardOrderOfTheLayout) {
  Win32SimWindow w;
  w.Start();
  // The controls are made in the keyboard's order: Tab goes from each to the next one enabled.
  std::vector<Ctl> expected;
  for (Ctl id : kTabOrder) {
    if (IsWindowEnabled(w.hwnd(id)) && Shown(w.hwnd(id))) expected.push_back(id);
  }
  ASSERT_GT(expected.size(), 8u);
  SetFocus(w.hwnd(expected[0]));
  for (std::size_t i = 1; i < expected.size(); ++i) {
    w.Key(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), w.hwnd(expected[i])) << i;
  }
}

TEST(Win32WindowTest, AFullSessionShowsWhatTheLogicDoes) {
  TempDir dir;
  Win32SimWindow w;
  w.Start();
  EXPECT_EQ(w.Panel("Port"), w.win.status("Port"));
  for (Ctl id : kDeviceButtons) EXPECT_TRUE(w.Enabled(id)) << w.win.control(id).name;
  EXPECT_FALSE(w.Enabled(Ctl::Btn_Program_Device));

  w.Load(Demo_Hex());
  EXPECT_NE(w.Caption().find("pic16f84a_demo_inhx8m.hex"), std::string::npos) << w.Caption();
  EXPECT_TRUE(w.Enabled(Ctl::Btn_Program_Device));
  EXPECT_TRUE(w.Enabled(Ctl::Btn_Verify));

  int reports = 0;
  std::string progress;
  w.window.Set_On_Progress([&](int done, int total) {
    ++reports;
    if (done * 2 >= total && progress.empty() && w.window.status_bar().progress_visible()) {
      progress = Utf8(w.window.status_bar().progress_text());
    }
  });
  w.Click(Ctl::Btn_Program_Device);
  w.Click(Ctl::Btn_Verify);
  EXPECT_GT(reports, 0);
  // The percentage as the console shows it, then the time left once the pace is known.
  EXPECT_TRUE(std::regex_match(progress, std::regex("[0-9]+%( [0-9:]+ left)?"))) << progress;
  EXPECT_FALSE(w.window.status_bar().progress_visible());

  w.Click(Ctl::Opt_Osc_1);  // XT
  EXPECT_EQ(SendMessageW(w.hwnd(Ctl::Opt_Osc_1), BM_GETCHECK, 0, 0), BST_CHECKED);
  w.Click(Ctl::Check_WDT);
  EXPECT_EQ(SendMessageW(w.hwnd(Ctl::Check_WDT), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(w.Panel("Fuses"), w.win.status("Fuses"));
  w.Click(Ctl::Btn_Prog_Fuses);
  w.Click(Ctl::Btn_Check_Device_Fuses);
  w.Click(Ctl::Btn_Prog_EEPROM);
  w.Click(Ctl::Btn_Read_EEPROM);

  const std::string saved = dir.Path("out.hex");
  w.boxes.save_files.push_back(saved);
  w.Key(w.hwnd(Ctl::Btn_Verify), 'S', /*ctrl=*/true);
  EXPECT_EQ(w.boxes.save_dialogs, 1);
  EXPECT_TRUE(std::filesystem::exists(saved));

  EXPECT_TRUE(w.boxes.boxes.empty()) << w.boxes.boxes.front();
  EXPECT_EQ(w.Panel("Status"), w.win.status("Status"));
  EXPECT_EQ(w.Panel("Device"), w.win.status("Device"));
  EXPECT_EQ(w.window.Log_Text(), win32::Edit_Text(w.win.log()));
  EXPECT_NE(w.Log().find("Verify"), std::string::npos);
  // The folder of the last file is where the dialogs start, and it is kept.
  EXPECT_EQ(w.settings.Value(kLastFolderKey), Folder_Of(saved));
}

TEST(Win32WindowTest, DuringAnOperationTheButtonsAreOffStopShowsAndOtherInputIsDropped) {
  Win32SimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  Repaint_Always(w);
  bool seen = false;
  w.window.Set_On_Progress([&](int done, int total) {
    if (seen || done * 2 < total) return;
    seen = true;
    EXPECT_TRUE(w.window.busy_cursor());
    for (Ctl id :
         {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Load_File, Ctl::Btn_Find_Port}) {
      EXPECT_FALSE(w.Enabled(id)) << w.win.control(id).name;
    }
    EXPECT_TRUE(w.Enabled(Ctl::Btn_Read_EEPROM));
    EXPECT_TRUE(Shown(w.hwnd(Ctl::Btn_Stop)));
    EXPECT_FALSE(w.window.status_bar().Panel_Visible("Port"));
    // An impatient click on "LOAD File" is dropped, not kept for the command's end.
    PostMessageW(w.hwnd(Ctl::Btn_Load_File), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(w.hwnd(Ctl::Btn_Load_File), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  });
  w.Click(Ctl::Btn_Program_Device);
  w.window.Pump();
  EXPECT_TRUE(seen);
  EXPECT_EQ(w.boxes.file_dialogs, 1);
  EXPECT_FALSE(w.window.busy_cursor());
  EXPECT_FALSE(Shown(w.hwnd(Ctl::Btn_Stop)));
  EXPECT_TRUE(w.window.status_bar().Panel_Visible("Port"));
  EXPECT_TRUE(w.Enabled(Ctl::Btn_Program_Device));
}

TEST(Win32WindowTest, EscapeOrTheStopButtonStopsTheOperation) {
  for (bool escape : {true, false}) {
    Win32SimWindow w;
    w.Start();
    w.Load(Demo_Hex());
    Repaint_Always(w);
    bool asked = false;
    w.window.Set_On_Progress([&](int done, int total) {
      if (asked || done * 4 < total) return;
      asked = true;
      if (escape) {
        PostMessageW(w.hwnd(Ctl::Btn_Read_EEPROM), WM_KEYDOWN, VK_ESCAPE, 1);
      } else {
        SendMessageW(w.hwnd(Ctl::Btn_Stop), BM_CLICK, 0, 0);
      }
    });
    w.Click(Ctl::Btn_Program_Device);
    EXPECT_TRUE(asked);
    EXPECT_EQ(w.Panel("Status"), "Stopped") << escape;
  }
}

TEST(Win32WindowTest, AFailureRaisesItsBox) {
  Win32SimWindow w;
  w.Start();
  w.Load("C:\\nonexistent\\corvane\\missing.hex");
  ASSERT_EQ(w.boxes.boxes.size(), 1u);
  EXPECT_EQ(w.boxes.boxes[0].rfind("Error while reading file : ", 0), 0u) << w.boxes.boxes[0];
  EXPECT_FALSE(w.Enabled(Ctl::Btn_Program_Device));
}

// A close asked for during an operation (the close box, or Ctrl+Q) waits for its end.
class Win32CloseTest : public ::testing::TestWithParam<bool> {};

TEST_P(Win32CloseTest, ACloseDuringAnOperationTakesEffectAtItsEnd) {
  const bool by_key = GetParam();
  Win32SimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  Repaint_Always(w);
  bool asked = false;
  w.window.Set_On_Progress([&](int done, int total) {
    if (asked || done * 2 < total) return;
    asked = true;
    if (by_key) {
      Win32SimWindow::Hold(VK_CONTROL, true);
      PostMessageW(w.hwnd(Ctl::txtTerm), WM_KEYDOWN, 'Q', 1);
    } else {
      PostMessageW(w.window.hwnd(), WM_CLOSE, 0, 0);
    }
  });
  w.Click(Ctl::Btn_Program_Device);
  Win32SimWindow::Hold(VK_CONTROL, false);
  EXPECT_TRUE(asked);
  EXPECT_EQ(w.win.status("Status").find("Stopped"), std::string::npos);
  EXPECT_TRUE(w.window.closed());
  EXPECT_EQ(w.all_closed, 1);
  EXPECT_FALSE(Shown(w.window.hwnd()));
}

INSTANTIATE_TEST_SUITE_P(CloseBoxOrCtrlQ, Win32CloseTest, ::testing::Bool());

struct DropCase {
  const char* name;
  std::vector<std::wstring> files;
  bool opens;
};

class Win32DropTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(Win32DropTest, OneHexFileDroppedOpensAsFileOpenWould) {
  Win32SimWindow w;
  w.Start();
  SendMessageW(w.window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(Make_Drop(GetParam().files)),
               0);
  EXPECT_EQ(w.Enabled(Ctl::Btn_Program_Device), GetParam().opens);
  EXPECT_EQ(w.Caption() != "Corvane by Dravik", GetParam().opens) << w.Caption();
  EXPECT_EQ(w.boxes.file_dialogs, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Win32DropTest,
    ::testing::Values(DropCase{"hex", {Wide(Demo_Hex())}, true},
                      DropCase{"asm", {Wide(CORVANE_TEST_DATA "/pic16f84a_demo.asm")}, false},
                      DropCase{"two", {Wide(Demo_Hex()), Wide(Demo_Hex())}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Win32WindowTest, ADropDuringAnOperationIsRefused) {
  Win32SimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  const std::string caption = w.Caption();
  Repaint_Always(w);
  w.window.Set_On_Progress([&](int, int) {
    PostMessageW(
        w.window.hwnd(), WM_DROPFILES,
        reinterpret_cast<WPARAM>(Make_Drop({Wide(CORVANE_TEST_DATA "/pic16f877_demo_inhx8m.hex")})),
        0);
  });
  w.Click(Ctl::Btn_Program_Device);
  EXPECT_EQ(w.Caption(), caption);
}

TEST(Win32WindowTest, KeysClickOpenAndMoveAsTheQtWindowsDo) {
  Win32SimWindow w;
  w.Start();
  // Ctrl+O: File Open.
  w.Key(w.hwnd(Ctl::txtTerm), 'O', /*ctrl=*/true);
  EXPECT_EQ(w.boxes.file_dialogs, 1);
  EXPECT_EQ(w.boxes.last_filter, std::string(kHexFilter));
  // Enter on a button clicks it.
  SetFocus(w.hwnd(Ctl::Btn_Load_File));
  w.Key(w.hwnd(Ctl::Btn_Load_File), VK_RETURN);
  EXPECT_EQ(w.boxes.file_dialogs, 2);
  // An arrow on an option selects the next one and runs its handler.
  w.Click(Ctl::Opt_Osc_3);
  SetFocus(w.hwnd(Ctl::Opt_Osc_3));
  w.Key(w.hwnd(Ctl::Opt_Osc_3), VK_DOWN);
  EXPECT_EQ(GetFocus(), w.hwnd(Ctl::Opt_Osc_0));
  EXPECT_EQ(w.st.ConfigWord & 3, 0);
  EXPECT_EQ(SendMessageW(w.hwnd(Ctl::Opt_Osc_3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Ctrl+Q: Exit.
  w.Key(w.hwnd(Ctl::txtTerm), 'Q', /*ctrl=*/true);
  EXPECT_TRUE(w.window.closed());
}

}  // namespace
}  // namespace corvane::testing

namespace corvane::testing {
namespace {

TEST(Win32WindowTest, ARequestToStopFromTheConsoleClosesTheWindow) {
  Win32SimWindow w;
  w.Start();
  bool requested = false;
  w.window.Watch_For_Stop([&requested] { return requested; });
  // The watch's tick, as its timer gives it.
  SendMessageW(w.window.hwnd(), WM_TIMER, 1, 0);
  EXPECT_FALSE(w.window.closed());
  requested = true;
  SendMessageW(w.window.hwnd(), WM_TIMER, 1, 0);
  EXPECT_TRUE(w.window.closed());
  EXPECT_EQ(w.all_closed, 1);
}

}  // namespace
}  // namespace corvane::testing
