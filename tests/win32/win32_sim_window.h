// The Win32 window bound to the window's logic on a simulated board and chip in virtual time, with
// every modal box answered by FakeBoxes: the harness of the Win32 view's tests. The tests drive the
// real window by its messages (BM_CLICK, WM_COMMAND, keys) and read back what a user sees.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hardware/clock.h"
#include "hardware/lines.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "support/sim_window.h"
#include "ui/panneau.h"
#include "ui/win32/boxes.h"
#include "ui/win32/main_window.h"
#include "ui/win32/text.h"

namespace corvane::testing {

class FakeBoxes : public win32::Boxes {
 public:
  std::vector<std::string> boxes;
  std::deque<std::string> files;       // answers of the open dialog; none left: cancelled
  std::deque<std::string> save_files;  // answers of the save dialog; none left: cancelled
  int file_dialogs = 0;
  int save_dialogs = 0;
  std::string last_filter;
  std::string last_start_folder;
  std::function<void(const std::string&)> on_box;

  void Message_Box(HWND, std::string_view text) override {
    boxes.emplace_back(text);
    if (on_box) on_box(boxes.back());
  }
  Answer Ask(HWND, std::string_view text) override {
    boxes.emplace_back(text);
    return Answer::kYes;
  }
  std::string Open_File(HWND, std::string_view filter, std::string_view,
                        const std::string& start_folder) override {
    ++file_dialogs;
    return Next(files, filter, start_folder);
  }
  std::string Save_File(HWND, std::string_view filter, std::string_view,
                        const std::string& start_folder) override {
    ++save_dialogs;
    return Next(save_files, filter, start_folder);
  }

 private:
  std::string Next(std::deque<std::string>& answers, std::string_view filter,
                   const std::string& start_folder) {
    last_filter = std::string(filter);
    last_start_folder = start_folder;
    if (answers.empty()) return "";
    std::string f = answers.front();
    answers.pop_front();
    return f;
  }
};

// The user's settings in memory.
class MemorySettings : public SettingsStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::string Value(std::string_view key) const override {
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  }
  void Set_Value(std::string_view key, std::string_view value) override {
    values[std::string(key)] = std::string(value);
  }
};

inline std::string Demo_Hex() {
  return CORVANE_TEST_DATA "/pic16f84a_demo_inhx8m.hex";
}

// Whether a control shows (in a window that shows).
inline bool Shown(HWND w) {
  return (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) != 0;
}

inline std::wstring Window_Text(HWND w) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
  return text;
}

class Win32SimWindow {
 public:
  explicit Win32SimWindow(SimSetup setup = {}, SettingsStore* settings_instead = nullptr)
      : chip(setup.chip),
        board(SimWindow::Builtin_Of(setup.board), clock, setup.base),
        lines(board, clock, st),
        window(boxes, settings_instead ? settings_instead : &settings),
        win(st, lines, window) {
    if (setup.with_chip) board.insert(&chip);
    window.Attach(&win);
    window.Set_On_All_Closed([this] { ++all_closed; });
  }
  Win32SimWindow& Start() {
    window.Start();
    return *this;
  }
  HWND hwnd(Ctl id) const { return window.control(id); }
  // A user's click: the button's own click message.
  void Click(Ctl id) { SendMessageW(hwnd(id), BM_CLICK, 0, 0); }
  // A menu item chosen.
  void Menu(Ctl id) { SendMessageW(window.hwnd(), WM_COMMAND, win32::Command_Of(id), 0); }
  // A key pressed on a control, through the window's own message loop.
  void Key(HWND target, WPARAM vk, bool ctrl = false) {
    if (ctrl) Hold(VK_CONTROL, true);
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 1 | (1u << 30) | (1u << 31));
    window.Pump();
    if (ctrl) Hold(VK_CONTROL, false);
  }
  void Load(const std::string& path) {
    boxes.files.push_back(path);
    Click(Ctl::Btn_Load_File);
  }
  std::string Panel(std::string_view key) { return win32::Utf8(window.status_bar().Text(key)); }
  bool Enabled(Ctl id) const { return IsWindowEnabled(hwnd(id)) != FALSE; }
  bool Menu_Enabled(Ctl id) const {
    return !(GetMenuState(window.menu(), win32::Command_Of(id), MF_BYCOMMAND) & MF_GRAYED);
  }
  std::string Caption() const { return win32::Utf8(Window_Text(window.hwnd())); }
  // The log as the user reads it: what the logic logged, line ends as the box shows them.
  std::string Log() const { return win32::Utf8(window.Log_Text()); }

  static void Hold(int vk, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }

  VirtualClock clock;
  WorkingState st;
  sim::Chip chip;
  sim::Board board;
  Lines lines;
  FakeBoxes boxes;
  MemorySettings settings;
  win32::MainWindow window;
  Panneau win;
  int all_closed = 0;
};

// Every repaint due: the window handles its messages at every word of a transfer.
inline void Repaint_Always(Win32SimWindow& w) {
  w.window.repaint_gate() = RepaintGate(0, [] { return std::int64_t{0}; });
}

// A file dropped from Explorer: the shell's HDROP with the given paths.
inline HDROP Make_Drop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& p : paths) {
    std::copy(p.begin(), p.end(), out);
    out += p.size();
    *out++ = L'\0';
  }
  *out = L'\0';
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace corvane::testing
