// The main window "Panneau" in Qt widgets. It only mirrors the window's logic (Panneau): every
// change the logic reports is shown, every click is forwarded to it. It never reaches the port,
// the protocol or the working state's image.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "boards/board_library.h"
#include "ui/about_model.h"
#include "ui/controls.h"
#include "ui/folder_memory.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/config_dialog.h"
#include "ui/qt/dialog_service.h"
#include "ui/qt/memory_dialog.h"
#include "ui/qt/options_dialog.h"
#include "ui/qt/panel_label.h"
#include "ui/registry.h"
#include "ui/repaint_gate.h"
#include "ui/window_view.h"

class QAction;
class QMimeData;
class QPlainTextEdit;
class QProgressBar;
class QStatusBar;

namespace corvane {
class Panneau;
}

namespace corvane::qt {

// The log's text as the text box shows it: CR LF line ends become the box's own.
QString Log_Display_Text(std::string_view log);

// The local .hex file that dragged data names, or an empty text when it names anything else
// (several files, a remote one, another kind of file).
QString Dropped_Hex_File(const QMimeData* data);

// Starts programs for the about box's system-information tool.
class QtProgramLauncher final : public ProgramLauncher {
 public:
  bool File_Exists(const std::string& path) override;
  bool Start(const std::string& path) override;
};

class MainWindow final : public QMainWindow, public WindowView {
 public:
  // settings: where the folder of the file dialogs is kept between runs; null keeps it for this
  // run only.
  explicit MainWindow(DialogService& dialogs, SettingsStore* settings = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  // Binds the widgets to the window's logic and shows its present state.
  void Attach(Panneau* panneau);
  // Start-up (the logic's load handler), run as a command.
  void Start();
  // A click on a control, forwarded to the logic as a command.
  void Click(Ctl id);
  // File Open with the file chosen (named on the command line, or dropped), as a command. False
  // when it was refused: during an operation, or once the window is closed.
  bool Open_File(const QString& path);

  // Called after each progress report is shown (the demonstration's screenshot of a transfer).
  void Set_On_Progress(std::function<void(int done, int total)> hook) {
    on_progress_ = std::move(hook);
  }
  // The native window was destroyed from outside, with no close request: the window closes as on
  // one (after the running command, if any).
  void Window_Gone();
  // The boards the options dialog offers; null (the default): the built-in ones.
  void Set_Board_Library(const BoardLibrary* library) { boards_ = library; }

  // Called once the main window and every dialog of the program are closed.
  void Set_On_All_Closed(std::function<void()> done) { on_all_closed_ = std::move(done); }
  RepaintGate& repaint_gate() { return repaint_gate_; }
  bool in_command() const { return command_depth_ > 0; }

  QWidget* control_widget(Ctl id) const { return widgets_[static_cast<int>(id)]; }
  QAction* menu_action(Ctl id) const { return actions_[static_cast<int>(id)]; }
  PanelLabel* status_panel(std::string_view key) const;
  QStatusBar* status_bar() const { return status_bar_; }
  // At the right of the status bar during a block transfer only, beside the Stop button, which
  // shows during every device command.
  QProgressBar* progress_bar() const { return progress_; }
  QPlainTextEdit* log_box() const { return log_; }
  AboutDialog* about_dialog() const { return about_; }
  const FolderMemory& folders() const { return folders_; }
  OptionsDialog* options_dialog() const { return options_; }
  MemoryDialog* memory_dialog() const { return memory_; }
  ConfigDialog* config_dialog() const { return config_; }

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
  // Between the words of a block transfer, which sets no status while it writes: the progress bar
  // with the percentage and the time left.
  void Progress(int done, int total, std::int64_t remaining_ns) override;
  // How long the operation takes beside "Fast programming", when that is more than a minute:
  // the progress bar's tooltip and the "Fast programming" item's status tip.
  bool Wants_Speed_Hint(bool /*starting*/) const override { return true; }
  void Speed_Hint(const SpeedHint& hint) override;
  void Close_Window() override;
  void Show_About() override;
  void Show_Options() override;
  void Show_Memory() override;
  void Show_Config() override;
  void Set_Focus(Ctl id) override;

 protected:
  // A menu item's status tip shows in the window's status bar while the item is highlighted.
  bool event(QEvent* event) override;
  // During a command a close is kept for its end, whatever boxes come in between.
  void closeEvent(QCloseEvent* event) override;
  // During a command: drops the user's input to every window but the command's own box, except
  // the Stop button and Escape, which stop it, the Exit shortcut and the menus, whose Exit waits
  // for its end.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A .hex file dropped on the window is opened, except during an operation.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Build_Controls();
  void Build_Status_Bar(QWidget* client);
  void Build_Menus();
  void Run_Command(const std::function<void()>& command);
  void Repaint_If_Due();
  void Before_Modal();
  QString Start_Folder() const;
  bool Accepts_Drop(const QMimeData* data) const;
  void Check_All_Closed();
  bool Input_Taken_During_Command(QObject* watched, QEvent* event);
  bool In_Menus(const QObject* watched) const;
  void Focus_Changed(QWidget* now);

  DialogService& dialogs_;
  Panneau* panneau_ = nullptr;
  // Where "Fast programming" is kept between runs (with the dialogs' folder); null: not kept.
  SettingsStore* settings_ = nullptr;
  bool speed_restored_ = false;
  std::array<QWidget*, kControlCount> widgets_{};
  std::array<QAction*, kControlCount> actions_{};
  QPlainTextEdit* log_ = nullptr;
  QStatusBar* status_bar_ = nullptr;
  QProgressBar* progress_ = nullptr;
  std::map<std::string, PanelLabel*, std::less<>> panels_;
  FolderMemory folders_;
  QPointer<AboutDialog> about_;
  QPointer<OptionsDialog> options_;
  QPointer<MemoryDialog> memory_;
  QPointer<ConfigDialog> config_;
  const BoardLibrary* boards_ = nullptr;
  BoardLibrary builtin_boards_{""};
  NoRegistry registry_;
  QtProgramLauncher launcher_;
  RepaintGate repaint_gate_;
  std::function<void()> on_all_closed_;
  std::function<void(int, int)> on_progress_;
  int command_depth_ = 0;
  bool close_pending_ = false;
  bool closed_ = false;
  bool busy_cursor_ = false;
  bool log_ends_with_cr_ = false;
};

}  // namespace corvane::qt
