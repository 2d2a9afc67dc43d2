// The main window "Panneau" in plain Win32. It only mirrors the window's logic (Panneau): every
// change the logic reports is shown, every click is forwarded to it. It never reaches the port,
// the protocol or the working state's image.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "boards/board_library.h"
#include "ui/controls.h"
#include "ui/folder_memory.h"
#include "ui/repaint_gate.h"
#include "ui/win32/about_box.h"
#include "ui/win32/boxes.h"
#include "ui/win32/config_box.h"
#include "ui/win32/look.h"
#include "ui/win32/memory_box.h"
#include "ui/win32/options_box.h"
#include "ui/win32/status_bar.h"
#include "ui/win32/system_services.h"
#include "ui/window_view.h"

namespace corvane {
class Panneau;
}

namespace corvane::win32 {

// The command id of a control's menu item or button.
inline constexpr int kFirstCommand = 1000;
constexpr int Command_Of(Ctl id) {
  return kFirstCommand + static_cast<int>(id);
}

// Whether a dropped file's name is one File Open takes: a single local .hex file.
bool Is_Droppable(const std::wstring& path);

class MainWindow final : public WindowView {
 public:
  // settings: where the folder of the file dialogs and the speed are kept between runs; null
  // keeps them for this run only.
  MainWindow(Boxes& boxes, SettingsStore* settings, HINSTANCE instance = GetModuleHandleW(nullptr));
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Binds the controls to the window's logic and shows its present state.
  void Attach(Panneau* panneau);
  // Start-up (the logic's load handler), run as a command.
  void Start();
  // A click on a control, forwarded to the logic as a command.
  void Click(Ctl id);
  // File Open with the file chosen (named on the command line, or dropped), as a command. False
  // when it was refused: during an operation, or once the window is closed.
  bool Open_File(const std::string& path);

  // The keys the window takes before its controls (Enter on a button, the arrows on the
  // oscillator options, Tab out of the log, the menus' shortcuts, and the dialogs' own); true
  // when the message was taken. The program's message loop calls it for every message.
  bool Pre_Translate(MSG& msg);
  // Runs the message loop until the window and every dialog of the program are closed.
  int Run();
  // Handles the messages waiting, as the program's loop would (the tests' user).
  void Pump();

  void Set_On_All_Closed(std::function<void()> done) { on_all_closed_ = std::move(done); }
  // Looks every 100 ms, while no command runs, whether the program is asked to stop (a console's
  // Ctrl+C or its closing): the window then closes as on a close request.
  void Watch_For_Stop(std::function<bool()> requested);
  // Called after each progress report is shown.
  void Set_On_Progress(std::function<void(int done, int total)> hook) {
    on_progress_ = std::move(hook);
  }
  void Set_Board_Library(const BoardLibrary* library) { boards_ = library; }
  RepaintGate& repaint_gate() { return repaint_gate_; }
  bool in_command() const { return command_depth_ > 0; }
  bool closed() const { return closed_; }

  HWND hwnd() const { return hwnd_; }
  HWND control(Ctl id) const { return controls_[static_cast<int>(id)]; }
  HMENU menu() const { return menu_; }
  StatusBar& status_bar() { return *status_; }
  Look& look() { return look_; }
  const FolderMemory& folders() const { return folders_; }
  std::wstring Log_Text() const;
  // The caption's font size in pixels (fitted to the control).
  int Caption_Pixels(Ctl id) const;
  AboutBox* about_box() { return about_ && about_->open() ? about_.get() : nullptr; }
  OptionsBox* options_box() { return options_ && options_->open() ? options_.get() : nullptr; }
  MemoryBox* memory_box() { return memory_ && memory_->open() ? memory_.get() : nullptr; }
  ConfigBox* config_box() { return config_ && config_->open() ? config_.get() : nullptr; }
  bool busy_cursor() const { return busy_; }

  // WindowView
  void Message_Box(std::string_view text) override;
  std::string Open_File_Dialog(std::string_view filter,
                               std::string_view default_extension) override;
  std::string Save_File_Dialog(std::string_view filter,
                               std::string_view default_extension) override;
  Answer Confirm(std::string_view prompt) override;
  void Log_Appended(std::string_view message, bool trimmed) override;
  void Status_Changed(std::string_view key, std::string_view text) override;
  void Control_Changed(Ctl id) override;
  void Caption_Changed(std::string_view caption) override;
  void Busy_Changed(bool busy) override;
  void Progress(int done, int total, std::int64_t remaining_ns) override;
  bool Wants_Speed_Hint(bool /*starting*/) const override { return true; }
  void Speed_Hint(const SpeedHint& hint) override;
  void Close_Window() override;
  void Show_About() override;
  void Show_Options() override;
  void Show_Memory() override;
  void Show_Config() override;
  void Set_Focus(Ctl id) override;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Build_Controls();
  void Build_Menus();
  HWND Make_Control(Ctl id, const Control& c, const Place& place);
  void Paint(HDC dc);
  HBRUSH Background_Of(HWND control);
  void Run_Command(const std::function<void()>& command);
  void Repaint_If_Due();
  // During a command: the window's messages are handled, the user's input is dropped except what
  // stops the command or leaves the program.
  void Pump_During_Command();
  bool Input_Taken_During_Command(const MSG& msg);
  bool Take_Key(const MSG& msg);
  void Drop(HDROP drop);
  void Close_Requested();
  void Check_All_Closed();
  Ctl Ctl_Of(HWND hwnd) const;
  std::string Start_Folder() const;
  void Add_Tip(HWND control);
  void Set_Tip(HWND control, const std::string& tip);

  Boxes& boxes_;
  SettingsStore* settings_;
  HINSTANCE instance_;
  Look look_;
  Panneau* panneau_ = nullptr;
  HWND hwnd_ = nullptr;
  HMENU menu_ = nullptr;
  HWND tips_ = nullptr;
  HICON icon_ = nullptr;
  HICON small_icon_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  std::array<int, kControlCount> caption_pixels_{};
  std::unique_ptr<StatusBar> status_;
  FolderMemory folders_;
  std::unique_ptr<AboutBox> about_;
  std::unique_ptr<OptionsBox> options_;
  std::unique_ptr<MemoryBox> memory_;
  std::unique_ptr<ConfigBox> config_;
  const BoardLibrary* boards_ = nullptr;
  BoardLibrary builtin_boards_{""};
  SystemRegistry registry_;
  SystemLauncher launcher_;
  RepaintGate repaint_gate_;
  std::function<void()> on_all_closed_;
  std::function<bool()> stop_requested_;
  std::function<void(int, int)> on_progress_;
  std::wstring fast_tip_;
  int command_depth_ = 0;
  bool close_pending_ = false;
  bool closed_ = false;
  bool busy_ = false;
  bool speed_restored_ = false;
  bool log_ends_with_cr_ = false;
};

}  // namespace corvane::win32
