#include "ui/win32/main_window.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/panneau.h"
#include "ui/progress_pace.h"
#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {

int Index(Ctl id) {
  return static_cast<int>(id);
}

bool Ends_With_Hex(const std::wstring& path) {
  return Is_Hex_File_Name(Utf8(path));
}

bool Key_Down(int vk) {
  return GetKeyState(vk) < 0;
}

constexpr UINT_PTR kStopWatchTimer = 1;

bool Is_Input(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
         (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

bool Is_Droppable(const std::wstring& path) {
  // A local file: a drive letter or a UNC name, not a URL.
  return !path.empty() && path.find(L"://") == std::wstring::npos && Ends_With_Hex(path);
}

MainWindow::~MainWindow() {
  about_.reset();
  options_.reset();
  memory_.reset();
  config_.reset();
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (icon_) DestroyIcon(icon_);
  if (small_icon_) DestroyIcon(small_icon_);
}

void MainWindow::Attach(Panneau* panneau) {
  panneau_ = panneau;
  for (int i = 0; i < kControlCount; ++i) Control_Changed(static_cast<Ctl>(i));
  for (const StatusPanel& p : kStatusPanels) status_->Set_Text(p.key, panneau_->status(p.key));
  SetWindowTextW(control(Ctl::txtTerm), Edit_Text(panneau_->log()).c_str());
  SetWindowTextW(hwnd_, Wide(panneau_->caption()).c_str());
  // "Fast programming" as the user left it in the last run; from now on each change is kept.
  if (settings_) {
    const bool fast = settings_->Value(kFastProgrammingKey) == "1";
    panneau_->Set_Value(Ctl::Menu_Options_Fast, fast ? kChecked : kUnchecked);
  }
  speed_restored_ = true;
}

void MainWindow::Start() {
  Run_Command([this] { panneau_->Form_Load(); });
}

void MainWindow::Click(Ctl id) {
  // Once closed, the window runs nothing more.
  if (!panneau_ || closed_) return;
  if (command_depth_ == 0) {
    const Ctl focused = Ctl_Of(GetFocus());
    if (focused != Ctl::kCount) panneau_->Focus_Moved(focused);
  }
  Run_Command([this, id] { panneau_->Click(id); });
  Control_Changed(id);
}

bool MainWindow::Open_File(const std::string& path) {
  if (!panneau_ || closed_ || command_depth_ > 0 || path.empty()) return false;
  // The file as an absolute path: the folder it is in is the next dialogs' start.
  std::wstring wide = Wide(path);
  std::wstring absolute(MAX_PATH * 4, L'\0');
  const DWORD n =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(absolute.size()), absolute.data(), nullptr);
  if (n > 0 && n < absolute.size()) {
    absolute.resize(n);
  } else {
    absolute = wide;
  }
  const std::string chosen = Ansi_Path(absolute);
  bool opened = false;
  Run_Command([&] { opened = panneau_->Open_File(chosen); });
  if (opened) folders_.File_Used(chosen);
  return opened;
}

void MainWindow::Run_Command(const std::function<void()>& command) {
  const bool outermost = command_depth_ == 0;
  ++command_depth_;
  command();
  --command_depth_;
  if (!outermost) return;
  // Clicks and keys the user gave while the command ran are dropped here, not delivered to
  // buttons that are enabled again now (an impatient click must not start an erase).
  ++command_depth_;
  Pump_During_Command();
  --command_depth_;
  if (memory_box()) memory_->Show_View(panneau_->Memory_Rows());
  // A close asked for during the command takes effect now that it has ended.
  if (close_pending_) {
    close_pending_ = false;
    Close_Requested();
  }
}

void MainWindow::Pump_During_Command() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (Is_Input(msg.message) && !Input_Taken_During_Command(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool MainWindow::Input_Taken_During_Command(const MSG& msg) {
  const bool in_main = msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd);
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_ESCAPE && !Key_Down(VK_CONTROL) && !Key_Down(VK_MENU) &&
          !Key_Down(VK_SHIFT)) {
        Click(Ctl::Btn_Stop);
      } else if (msg.wParam == 'Q' && Key_Down(VK_CONTROL) && !Key_Down(VK_MENU) &&
                 !Key_Down(VK_SHIFT)) {
        Click(Ctl::Menu_File_Exit);
      }
      return false;  // taken here, never passed on
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      // The menus (Alt), whose Exit waits for the command's end, and Alt+F4, which closes so.
      return in_main;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      return msg.hwnd == control(Ctl::Btn_Stop);
    default:
      // The title bar, the close box and the menu bar.
      return in_main && msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK;
  }
}

void MainWindow::Repaint_If_Due() {
  // During a command the window takes no input, but it still repaints now and then so the log and
  // the panels stay live and the desktop never sees a dead window. The Stop button and Escape
  // are taken.
  if (command_depth_ > 0 && repaint_gate_.Due()) Pump_During_Command();
}

bool MainWindow::Take_Key(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const bool ctrl = Key_Down(VK_CONTROL);
  const bool alt = Key_Down(VK_MENU);
  const bool shift = Key_Down(VK_SHIFT);
  // The menus' shortcuts, when their item is available.
  if (ctrl && !alt && !shift) {
    Ctl item = Ctl::kCount;
    for (Ctl id : {Ctl::Menu_File_Open, Ctl::Menu_File_Save, Ctl::Menu_File_Exit}) {
      const std::string& shortcut = panneau_->control(id).shortcut;
      if (shortcut.size() == 6 && static_cast<WPARAM>(shortcut[5]) == msg.wParam) item = id;
    }
    if (item != Ctl::kCount) {
      const Control& c = panneau_->control(item);
      if (c.enabled && c.user_available) Click(item);
      return true;
    }
  }
  if (ctrl || alt) return false;
  const Ctl focused = Ctl_Of(msg.hwnd);
  if (focused == Ctl::kCount) return false;
  const Control& c = panneau_->control(focused);
  // Enter clicks the button that has the focus, as Space does; held down, it clicks once.
  if (msg.wParam == VK_RETURN && !shift && c.kind == ControlKind::Button) {
    if (!(msg.lParam & (1 << 30))) SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  // An arrow key selects the option it moves to, running its handler as a click would.
  if (c.kind == ControlKind::OptionButton && !shift) {
    int step = 0;
    if (msg.wParam == VK_UP || msg.wParam == VK_LEFT) step = -1;
    if (msg.wParam == VK_DOWN || msg.wParam == VK_RIGHT) step = 1;
    if (step != 0) {
      const Ctl to = Option_Moved_To(focused, step);
      SetFocus(control(to));
      Click(to);
      return true;
    }
  }
  // Tab and Shift+Tab follow the layout's keyboard order (the log would keep Tab, and the dialog
  // manager would pass over the options not selected).
  if (msg.wParam == VK_TAB) {
    const auto at = std::find(kTabOrder.begin(), kTabOrder.end(), focused);
    if (at == kTabOrder.end()) return false;
    const int n = static_cast<int>(kTabOrder.size());
    int i = static_cast<int>(at - kTabOrder.begin());
    for (int step = 1; step < n; ++step) {
      i = (i + (shift ? n - 1 : 1)) % n;
      HWND next = control(kTabOrder[i]);
      if (next && IsWindowEnabled(next) && (GetWindowLongW(next, GWL_STYLE) & WS_VISIBLE)) {
        SetFocus(next);
        break;
      }
    }
    return true;
  }
  return false;
}

bool MainWindow::Pre_Translate(MSG& msg) {
  if (about_box() && about_->Pre_Translate(msg)) return true;
  if (options_box() && options_->Pre_Translate(msg)) return true;
  if (memory_box() && memory_->Pre_Translate(msg)) return true;
  if (config_box() && config_->Pre_Translate(msg)) return true;
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (panneau_ && !closed_ && Take_Key(msg)) return true;
  return IsDialogMessageW(hwnd_, &msg);
}

void MainWindow::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (Pre_Translate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int MainWindow::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (Pre_Translate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

std::string MainWindow::Start_Folder() const {
  const std::string& folder = folders_.Last_Folder();
  if (folder.empty()) return "";
  const DWORD attributes = GetFileAttributesW(Wide(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder
                                                                                          : "";
}

void MainWindow::Message_Box(std::string_view text) {
  // A close asked for meanwhile is taken first, for the command's end.
  if (command_depth_ > 0) Pump_During_Command();
  boxes_.Message_Box(hwnd_, text);
}

std::string MainWindow::Open_File_Dialog(std::string_view filter,
                                         std::string_view default_extension) {
  if (command_depth_ > 0) Pump_During_Command();
  const std::string chosen = boxes_.Open_File(hwnd_, filter, default_extension, Start_Folder());
  if (!chosen.empty()) folders_.File_Used(chosen);
  return chosen;
}

std::string MainWindow::Save_File_Dialog(std::string_view filter,
                                         std::string_view default_extension) {
  if (command_depth_ > 0) Pump_During_Command();
  const std::string chosen = boxes_.Save_File(hwnd_, filter, default_extension, Start_Folder());
  if (!chosen.empty()) folders_.File_Used(chosen);
  return chosen;
}

Answer MainWindow::Confirm(std::string_view prompt) {
  if (command_depth_ > 0) Pump_During_Command();
  return boxes_.Ask(hwnd_, prompt);
}

void MainWindow::Log_Appended(std::string_view message, bool trimmed) {
  HWND log = control(Ctl::txtTerm);
  if (trimmed) {
    SetWindowTextW(log, Edit_Text(panneau_->log()).c_str());
  } else {
    // A CR LF split across two messages is one line end.
    if (log_ends_with_cr_ && !message.empty() && message.front() == '\n') message.remove_prefix(1);
    const std::wstring text = Edit_Text(message);
    const LRESULT end = GetWindowTextLengthW(log);
    SendMessageW(log, EM_SETSEL, end, end);
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  const std::string& all = panneau_->log();
  log_ends_with_cr_ = !all.empty() && all.back() == '\r';
  const LRESULT end = GetWindowTextLengthW(log);
  SendMessageW(log, EM_SETSEL, end, end);
  SendMessageW(log, EM_SCROLLCARET, 0, 0);
  Repaint_If_Due();
}

std::wstring MainWindow::Log_Text() const {
  HWND log = control(Ctl::txtTerm);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(log)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(log, text.data(), static_cast<int>(text.size()))));
  return text;
}

int MainWindow::Caption_Pixels(Ctl id) const {
  return caption_pixels_[Index(id)];
}

void MainWindow::Status_Changed(std::string_view key, std::string_view text) {
  status_->Set_Text(key, text);
  Repaint_If_Due();
}

void MainWindow::Progress(int done, int total, std::int64_t remaining_ns) {
  if (done >= total || total <= 0) {
    status_->Hide_Progress();
  } else {
    // The percentage as the console shows it: rounded down, 100 only at the end.
    std::string text = std::to_string(Percent_Done(done, total)) + "%";
    const std::string left = Time_Left_Text(remaining_ns);
    if (!left.empty()) text += " " + left;
    status_->Set_Progress(done, total, Wide(text));
  }
  Repaint_If_Due();
  if (on_progress_) on_progress_(done, total);
}

void MainWindow::Speed_Hint(const SpeedHint& hint) {
  std::wstring text;
  if (hint.worth_saying()) {
    std::string hint_text = Speed_Hint_Text(hint, "Fast programming");
    hint_text[0] = 'T';  // "This takes about ..."
    text = Wide(hint_text);
  }
  status_->Set_Progress_Tip(text);
  fast_tip_ = text;
}

void MainWindow::Control_Changed(Ctl id) {
  if (!panneau_ || !hwnd_) return;
  const Control& c = panneau_->control(id);
  const bool usable = c.enabled && c.user_available;
  if (c.kind == ControlKind::MenuItem) {
    const UINT state = usable ? MF_ENABLED : MF_GRAYED;
    int position = -1;
    if (id == Ctl::Menu_File) position = 0;
    if (id == Ctl::Menu_Options) position = 1;
    if (id == Ctl::Menu_View) position = 2;
    if (position >= 0) {
      EnableMenuItem(menu_, position, MF_BYPOSITION | state);
      DrawMenuBar(hwnd_);
      return;
    }
    EnableMenuItem(menu_, Command_Of(id), MF_BYCOMMAND | state);
    if (id == Ctl::Menu_About) DrawMenuBar(hwnd_);
    if (id == Ctl::Menu_Options_Fast) {
      CheckMenuItem(menu_, Command_Of(id),
                    MF_BYCOMMAND | (c.value == kChecked ? MF_CHECKED : MF_UNCHECKED));
      if (settings_ && speed_restored_) {
        settings_->Set_Value(kFastProgrammingKey, c.value == kChecked ? "1" : "0");
      }
    }
    return;
  }
  if (c.kind == ControlKind::Frame) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    return;
  }
  HWND w = control(id);
  if (!w) return;
  if (id == Ctl::Btn_Stop) {
    // Stop shows during a device command, in the room the "Port" panel gives up meanwhile.
    status_->Set_Panel_Visible(kPanelGivingRoom, !usable);
    EnableWindow(w, usable);
    if (usable) {
      SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    } else {
      ShowWindow(w, SW_HIDE);
    }
    return;
  }
  // A control losing the focus by being disabled passes it on, as the logic then says.
  if (!usable && GetFocus() == w) SetFocus(hwnd_);
  EnableWindow(w, usable);
  Set_Tip(w, c.tool_tip);
  switch (c.kind) {
    case ControlKind::CheckBox:
      SendMessageW(w, BM_SETCHECK,
                   c.value == kChecked  ? BST_CHECKED
                   : c.value == kGrayed ? BST_INDETERMINATE
                                        : BST_UNCHECKED,
                   0);
      break;
    case ControlKind::OptionButton:
      SendMessageW(w, BM_SETCHECK, c.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::ComboBox:
    case ControlKind::Label:
      SetWindowTextW(w, Wide(c.text).c_str());
      break;
    default:
      break;
  }
}

void MainWindow::Caption_Changed(std::string_view caption) {
  SetWindowTextW(hwnd_, Wide(caption).c_str());
}

void MainWindow::Busy_Changed(bool busy) {
  // The hourglass shows over the window during an operation.
  busy_ = busy;
  POINT pointer;
  GetCursorPos(&pointer);
  if (WindowFromPoint(pointer) == hwnd_ || IsChild(hwnd_, WindowFromPoint(pointer))) {
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  }
  if (!busy) status_->Hide_Progress();
}

void MainWindow::Close_Window() {
  if (command_depth_ > 0) {
    close_pending_ = true;
    return;
  }
  Close_Requested();
}

void MainWindow::Watch_For_Stop(std::function<bool()> requested) {
  stop_requested_ = std::move(requested);
  SetTimer(hwnd_, kStopWatchTimer, 100, nullptr);
}

void MainWindow::Close_Requested() {
  if (closed_) return;
  // Closed, the window goes away; the program ends once every dialog it opened is closed too.
  closed_ = true;
  ShowWindow(hwnd_, SW_HIDE);
  Check_All_Closed();
}

void MainWindow::Check_All_Closed() {
  if (!closed_) return;
  if (about_box() || options_box() || memory_box() || config_box()) return;
  if (on_all_closed_) on_all_closed_();
}

void MainWindow::Show_About() {
  if (!about_box()) {
    about_ = std::make_unique<AboutBox>(hwnd_, look_, instance_, boxes_,
                                        panneau_ ? panneau_->state().OsVersionText : "", registry_,
                                        launcher_, [this] { Check_All_Closed(); });
  }
  about_->Show();
}

void MainWindow::Show_Options() {
  if (!options_box()) {
    const BoardLibrary& library = boards_ != nullptr ? *boards_ : builtin_boards_;
    BoardActions actions;
    actions.apply = [this](std::shared_ptr<const BoardDescription> board) {
      if (!panneau_ || closed_) return;
      Run_Command([this, &board] { panneau_->Use_Board(board); });
    };
    actions.test = [this] {
      if (!panneau_ || closed_) return;
      Run_Command([this] { panneau_->Board_Test(); });
    };
    options_ = std::make_unique<OptionsBox>(
        hwnd_, look_, instance_,
        PortPage(library, panneau_ ? panneau_->state().BoardChoice : nullptr), actions,
        [this] { Check_All_Closed(); });
  }
  options_->Show();
}

void MainWindow::Show_Memory() {
  if (!memory_box()) {
    memory_ = std::make_unique<MemoryBox>(hwnd_, look_, instance_, [this] { Check_All_Closed(); });
  }
  memory_->Show_View(panneau_->Memory_Rows());
  memory_->Show();
}

void MainWindow::Show_Config() {
  // A dialog left open shows the words as they stood: a new one shows them as they stand.
  if (config_box()) config_->Close();
  config_ = std::make_unique<ConfigBox>(
      hwnd_, look_, instance_, panneau_->Config_Dialog(),
      [this](const std::vector<ConfigWordValue>& words) {
        if (panneau_ && !closed_) panneau_->Apply_Config(words);
      },
      [this] { Check_All_Closed(); });
  config_->Show();
}

void MainWindow::Set_Focus(Ctl id) {
  HWND w = control(id);
  if (w && IsWindowEnabled(w) && (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) SetFocus(w);
}

Ctl MainWindow::Ctl_Of(HWND hwnd) const {
  if (!hwnd) return Ctl::kCount;
  for (int i = 0; i < kControlCount; ++i) {
    if (controls_[i] && (controls_[i] == hwnd || IsChild(controls_[i], hwnd))) {
      return static_cast<Ctl>(i);
    }
  }
  return Ctl::kCount;
}

void MainWindow::Drop(HDROP drop) {
  // A dropped file is only read: Explorer copies it, never moves it. One .hex file is taken,
  // except during an operation.
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::wstring path;
  if (count == 1) {
    path.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
    path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
  }
  DragFinish(drop);
  if (!panneau_ || closed_ || command_depth_ > 0 || panneau_->busy() ||
      !panneau_->control(Ctl::Btn_Load_File).enabled || !Is_Droppable(path)) {
    return;
  }
  Open_File(Ansi_Path(path));
}

HBRUSH MainWindow::Background_Of(HWND w) {
  const Ctl id = Ctl_Of(w);
  // The log and the device box keep the system's colours.
  if (id == Ctl::txtTerm || id == Ctl::Device || id == Ctl::kCount) return nullptr;
  Rgb colour = kWindowGreen;
  for (const Place& p : kPlaces) {
    if (p.id != id) continue;
    if (p.parent == Ctl::Choix_Osc) colour = kChoixOscColour;
    if (p.parent == Ctl::Choix_Timers) colour = kChoixTimersColour;
    if (p.parent == Ctl::Frame1) colour = kFrame1Orange;
  }
  return look_.Brush(colour);
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<MainWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HBRUSH brush = Background_Of(reinterpret_cast<HWND>(lp));
      if (!brush) break;
      LOGBRUSH lb;
      GetObjectW(brush, sizeof lb, &lb);
      SetBkColor(reinterpret_cast<HDC>(wp), lb.lbColor);
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp) - kFirstCommand;
      if (HIWORD(wp) == 0 && id >= 0 && id < kControlCount) {
        const Ctl ctl = static_cast<Ctl>(id);
        if (ctl != Ctl::txtTerm && ctl != Ctl::Device) Click(ctl);
        return 0;
      }
      break;
    }
    case WM_MENUSELECT:
      // A menu item's tip shows in the status bar while the item is highlighted.
      if (HIWORD(wp) == 0xFFFF && lp == 0) {
        status_->Show_Message(L"");
      } else {
        status_->Show_Message(LOWORD(wp) == Command_Of(Ctl::Menu_Options_Fast) ? fast_tip_ : L"");
      }
      return 0;
    case WM_EXITMENULOOP:
      status_->Show_Message(L"");
      return 0;
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_DROPFILES:
      Drop(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_TIMER:
      if (wp == kStopWatchTimer && stop_requested_ && !closed_ && stop_requested_()) {
        Close_Window();
      }
      return 0;
    case WM_CLOSE:
      // During a command closing waits for the operation to end.
      Close_Window();
      return 0;
    case WM_DESTROY:
      hwnd_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace corvane::win32
