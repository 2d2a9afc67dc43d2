// The Win32 window's dialogs, its status panels and the services it takes from Windows.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/text_fit.h"
#include "ui/win32/system_services.h"
#include "win32/win32_sim_window.h"

namespace corvane::testing {
namespace {

using win32::Utf8;
using win32::Wide;

TEST(Win32DialogsTest, TheAboutBoxShowsItsTextsAndEnterOrEscCloseIt) {
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    Win32SimWindow w;
    w.Start();
    w.Menu(Ctl::Menu_About);
    win32::AboutBox* about = w.window.about_box();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Utf8(Window_Text(about->hwnd())), "À propos de Corvane");
    EXPECT_EQ(Utf8(Window_Text(about->system_text())), w.st.OsVersionText);
    EXPECT_EQ(Utf8(Window_Text(about->sysinfo_button())), "&Infos système...");
    // Modeless: the main window still takes clicks.
    w.Click(Ctl::Opt_Osc_2);
    EXPECT_EQ(w.st.ConfigWord & 3, 2);
    w.Key(about->sysinfo_button(), key);
    EXPECT_EQ(w.window.about_box(), nullptr);
  }
}

TEST(Win32DialogsTest, ExitWithTheAboutBoxOpenEndsTheProgramWhenItClosesToo) {
  Win32SimWindow w;
  w.Start();
  w.Menu(Ctl::Menu_About);
  w.Menu(Ctl::Menu_File_Exit);
  EXPECT_TRUE(w.window.closed());
  EXPECT_EQ(w.all_closed, 0);
  SendMessageW(w.window.about_box()->ok_button(), BM_CLICK, 0, 0);
  EXPECT_EQ(w.all_closed, 1);
}

TEST(Win32DialogsTest, TheOptionsDialogSwitchesPagesByCtrlTabAndRunsTheBoardTest) {
  Win32SimWindow w;
  w.Start();
  w.Menu(Ctl::Menu_Options_HardWare);
  win32::OptionsBox* options = w.window.options_box();
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(Utf8(Window_Text(options->hwnd())), "Options");
  auto left = [&](int page) {
    RECT r;
    GetWindowRect(options->page(page), &r);
    MapWindowPoints(HWND_DESKTOP, options->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r.left;
  };
  EXPECT_EQ(left(0), w.window.look().S(14));
  EXPECT_LT(left(1), 0);
  w.Key(options->ok_button(), VK_TAB, /*ctrl=*/true);
  EXPECT_EQ(options->model().selected_tab(), 2);
  EXPECT_EQ(SendMessageW(options->tabs(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(left(1), w.window.look().S(14));
  EXPECT_LT(left(0), 0);
  w.Key(options->ok_button(), VK_TAB, /*ctrl=*/true);
  EXPECT_EQ(left(0), w.window.look().S(14));

  // The board test on the simulated board, which measures its own socket.
  const std::size_t logged = w.win.log().size();
  SendMessageW(options->board_test_button(), BM_CLICK, 0, 0);
  EXPECT_GT(w.win.log().size(), logged);
  EXPECT_EQ(w.window.Log_Text(), win32::Edit_Text(w.win.log()));

  w.Key(options->ok_button(), VK_ESCAPE);
  EXPECT_EQ(w.window.options_box(), nullptr);
}

TEST(Win32DialogsTest, TheMemoryViewShowsTheRowsAndFollowsTheCommands) {
  Win32SimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.Menu(Ctl::Menu_View_Memory);
  win32::MemoryBox* memory = w.window.memory_box();
  ASSERT_NE(memory, nullptr);
  const MemoryView view = w.win.Memory_Rows();
  EXPECT_EQ(Utf8(Window_Text(memory->hwnd())), view.title);
  const std::string before = Utf8(Window_Text(memory->text_box()));
  EXPECT_EQ(before.substr(0, view.lines[0].size()), view.lines[0]);
  w.Click(Ctl::Btn_Read_Device);
  EXPECT_EQ(Utf8(Window_Text(memory->hwnd())), w.win.Memory_Rows().title);
  w.Key(memory->text_box(), VK_ESCAPE);
  EXPECT_EQ(w.window.memory_box(), nullptr);
}

TEST(Win32DialogsTest, TheConfigurationBoxShowsTheWordAndOkSetsTheFuseControls) {
  Win32SimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Annuler");
    w.Menu(Ctl::Menu_Options_Config);
    win32::ConfigBox* box = w.window.config_box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Utf8(Window_Text(box->hwnd())), "Configuration PIC16F84A");
    EXPECT_EQ(SendMessageW(box->field_box(0), CB_GETCURSEL, 0, 0), 1);  // XT
    EXPECT_EQ(Utf8(Window_Text(box->word_label(0))), "CONFIG (0x2007) = 0x3FF1");
    // HS, as the user picks it.
    SendMessageW(box->field_box(0), CB_SETCURSEL, 2, 0);
    SendMessageW(box->hwnd(), WM_COMMAND, MAKEWPARAM(win32::ConfigBox::kFirstField, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box->field_box(0)));
    EXPECT_EQ(Utf8(Window_Text(box->word_label(0))), "CONFIG (0x2007) = 0x3FF2");
    SendMessageW(box->hwnd(), WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
    EXPECT_EQ(w.window.config_box(), nullptr);
    EXPECT_EQ(w.st.ConfigWord, ok ? 0x3FF2 : 0x3FF1);
    EXPECT_EQ(w.win.control(Ctl::Opt_Osc_2).value, ok ? 1 : 0);
  }
}

TEST(Win32DialogsTest, StatusPanelsFitTheirTextAndShortenOnlyWhatCannotFit) {
  Win32SimWindow w;
  w.Start();
  win32::StatusBar& bar = w.window.status_bar();
  const int usual = bar.Text_Pixels("Status");
  w.win.Set_Status("Status", "Writing Configuration Fuses");
  EXPECT_EQ(bar.Text_Pixels("Status"), usual);
  w.win.Set_Status("Status", "Writing Configuration Fuses, then reading them back again");
  EXPECT_LT(bar.Text_Pixels("Status"), usual);
  const std::string very_long(300, 'W');
  w.win.Set_Status("Status", very_long);
  EXPECT_EQ(bar.Text_Pixels("Status"), kSmallestTextPixels);
  EXPECT_EQ(Utf8(bar.Text("Status")), very_long);
  const std::wstring shown = bar.Shown_Text("Status");
  EXPECT_EQ(shown.substr(shown.size() - 3), L"...");
  w.win.Set_Status("Status", "Ready");
  EXPECT_EQ(bar.Text_Pixels("Status"), usual);
  EXPECT_EQ(bar.Shown_Text("Status"), L"Ready");
}

TEST(Win32DialogsTest, FastProgrammingAndTheLastFolderAreKeptFromOneRunToTheNext) {
  const std::string root = "Software\\Corvane-test-" + std::to_string(GetCurrentProcessId());
  {
    win32::RegistrySettings settings(root);
    Win32SimWindow w({}, &settings);
    w.Start();
    w.Menu(Ctl::Menu_Options_Fast);
    EXPECT_EQ(
        GetMenuState(w.window.menu(), win32::Command_Of(Ctl::Menu_Options_Fast), MF_BYCOMMAND) &
            MF_CHECKED,
        static_cast<UINT>(MF_CHECKED));
    w.Load(Demo_Hex());
  }
  win32::RegistrySettings settings(root);
  EXPECT_EQ(settings.Value(kFastProgrammingKey), "1");
  EXPECT_EQ(settings.Value(kLastFolderKey), Folder_Of(Demo_Hex()));
  // Texts beyond ASCII are kept whole.
  settings.Set_Value("files/other", "C:\\Données\\œuvre – “€”");
  EXPECT_EQ(settings.Value("files/other"), "C:\\Données\\œuvre – “€”");
  {
    Win32SimWindow w({}, &settings);
    w.Start();
    EXPECT_EQ(w.win.control(Ctl::Menu_Options_Fast).value, kChecked);
    w.Click(Ctl::Btn_Load_File);
    EXPECT_EQ(w.boxes.last_start_folder, Folder_Of(Demo_Hex()));
  }
  for (const wchar_t* key : {L"\\files", L"\\speed", L""}) {
    RegDeleteKeyW(HKEY_CURRENT_USER, (Wide(root) + key).c_str());
  }
}

TEST(Win32TextTest, LogLinesFiltersAndNamesConvert) {
  EXPECT_EQ(win32::Edit_Text("a\r\nb\nc\rd"), L"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(win32::Dialog_Filter("HEX files (*.hex)|*.hex|"),
            std::wstring(L"HEX files (*.hex)\0*.hex\0\0", 25));
  EXPECT_EQ(win32::Shown_Caption(L"&Infos système..."), L"Infos système...");
  EXPECT_EQ(Wide("À propos"), L"\u00C0 propos");
  // A file name in the ANSI code page (not UTF-8) is read in that code page, and back.
  const std::wstring euro = L"C:\\\u20AC.hex";
  const std::string ansi = win32::Ansi_Path(euro);
  if (GetACP() == 1252) {
    EXPECT_EQ(ansi, "C:\\\x80.hex");
  }
  EXPECT_EQ(Wide(ansi), euro);
  EXPECT_TRUE(win32::Is_Droppable(L"C:\\a\\b.HEX"));
  EXPECT_FALSE(win32::Is_Droppable(L"http://example.org/b.hex"));
}

}  // namespace
}  // namespace corvane::testing

namespace corvane::testing {
namespace {

// A registry that knows the system-information tool, or nothing, and a launcher that records.
class OneValueRegistry : public RegistryApi {
 public:
  std::string path;  // "" : no key
  bool Open_Key(RegistryRoot, std::string_view sub_key, std::uint32_t, Key* key) override {
    *key = 1;
    return !path.empty() && sub_key == kMsinfoKey;
  }
  bool Query_Value(Key, std::string_view, std::uint32_t* type, char* data,
                   std::uint32_t* size) override {
    *type = kRegSz;
    std::copy(path.begin(), path.end(), data);
    data[path.size()] = '\0';
    *size = static_cast<std::uint32_t>(path.size() + 1);
    return true;
  }
  void Close_Key(Key) override {}
};

class RecordingLauncher : public ProgramLauncher {
 public:
  std::vector<std::string> started;
  bool File_Exists(const std::string&) override { return true; }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return true;
  }
};

class Win32SysInfoTest : public ::testing::TestWithParam<std::string> {};

TEST_P(Win32SysInfoTest, InfosSystemeStartsTheToolTheRegistryNamesOrSaysThereIsNone) {
  Win32SimWindow w;
  OneValueRegistry registry;
  registry.path = GetParam();
  RecordingLauncher launcher;
  win32::AboutBox about(w.window.hwnd(), w.window.look(), GetModuleHandleW(nullptr), w.boxes,
                        "Windows NT ", registry, launcher, nullptr);
  SendMessageW(about.sysinfo_button(), BM_CLICK, 0, 0);
  if (GetParam().empty()) {
    EXPECT_THAT(w.boxes.boxes, ::testing::ElementsAre(std::string(kSysInfoUnavailable)));
    EXPECT_TRUE(launcher.started.empty());
  } else {
    EXPECT_TRUE(w.boxes.boxes.empty());
    EXPECT_THAT(launcher.started, ::testing::ElementsAre(GetParam()));
  }
  EXPECT_TRUE(about.open());  // starting the tool leaves the box open
}

INSTANTIATE_TEST_SUITE_P(Registry, Win32SysInfoTest,
                         ::testing::Values("", "C:\\Program Files\\msinfo32.exe"));

TEST(Win32DialogsTest, AppliquerMakesTheBoardChosenTheOneInUse) {
  Win32SimWindow w;
  w.Start();
  w.Menu(Ctl::Menu_Options_HardWare);
  win32::OptionsBox* options = w.window.options_box();
  ASSERT_NE(options, nullptr);
  ASSERT_GT(options->port_page().entries().size(), 2u);
  SendMessageW(options->board_box(), CB_SETCURSEL, 2, 0);
  SendMessageW(options->hwnd(), WM_COMMAND, MAKEWPARAM(win32::OptionsBox::kBoards, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(options->board_box()));
  EXPECT_EQ(Utf8(Window_Text(options->board_description())), options->port_page().Description());
  SendMessageW(options->apply_button(), BM_CLICK, 0, 0);
  EXPECT_EQ(w.st.BoardChoice, options->port_page().entries()[2].board);
  EXPECT_NE(w.window.options_box(), nullptr);  // "Appliquer" leaves the dialog open
}

// The menu items follow the logic's controls, whatever the phase.
TEST(Win32DialogsTest, MenuItemsAreAvailableAsTheLogicSays) {
  Win32SimWindow w;
  auto check = [&w](const char* phase) {
    for (Ctl id : {Ctl::Menu_File_Open, Ctl::Menu_File_Save, Ctl::Menu_File_Exit,
                   Ctl::Menu_Options_HardWare, Ctl::Menu_Options_Fast, Ctl::Menu_View_Memory,
                   Ctl::Menu_View_Blank_Check, Ctl::Menu_Options_Config, Ctl::Menu_About}) {
      const Control& c = w.win.control(id);
      EXPECT_EQ(w.Menu_Enabled(id), c.enabled && c.user_available) << phase << " " << c.name;
    }
  };
  check("created");
  w.Start();
  check("started");
  w.Load(Demo_Hex());
  check("loaded");
  Repaint_Always(w);
  w.window.Set_On_Progress([&](int, int) { check("programming"); });
  w.Click(Ctl::Btn_Program_Device);
}

// The log box holds the logic's log, after appends and after the log lost its oldest part.
TEST(Win32DialogsTest, TheLogBoxKeepsTheLogWhenItIsTrimmed) {
  Win32SimWindow w;
  w.Start();
  std::size_t appended = w.win.log().size();
  for (int i = 0; i < 400; ++i) {
    const std::string line =
        "line " + std::to_string(i) + " of the log, long enough to fill it\r\n";
    w.win.Append_Text(line);
    appended += line.size();
  }
  EXPECT_LT(w.win.log().size(), appended);  // its oldest part is gone
  EXPECT_EQ(w.window.Log_Text(), win32::Edit_Text(w.win.log()));
  // A CR LF split over two messages is one line end.
  w.win.Append_Text("split\r");
  w.win.Append_Text("\nnext\r\n");
  EXPECT_EQ(w.window.Log_Text(), win32::Edit_Text(w.win.log()));
}

}  // namespace
}  // namespace corvane::testing
