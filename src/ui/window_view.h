// What the window's logic needs from whoever shows it (the Qt window, the console program, a
// test): modal boxes, the file dialogs, and notice of every change to show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/board_test.h"
#include "ui/controls.h"
#include "ui/speed_hint.h"

namespace corvane {

class WindowView {
 public:
  virtual ~WindowView() = default;
  // A modal message box with an OK button; returns when it is dismissed.
  virtual void Message_Box(std::string_view text) = 0;
  // The open-file dialog; returns the chosen path, or "" when cancelled.
  virtual std::string Open_File_Dialog(std::string_view filter,
                                       std::string_view default_extension) = 0;
  // The save-file dialog of File, Save; returns the chosen path, or "" when cancelled. A view
  // that offers no such menu item (the console program has its own "save") never asks.
  virtual std::string Save_File_Dialog(std::string_view /*filter*/,
                                       std::string_view /*default_extension*/) {
    return "";
  }

  // A measurement of the board test: asks the user whether the meter reads as the prompt says.
  // A view that cannot ask stops the test.
  virtual Answer Confirm(std::string_view /*prompt*/) { return Answer::kStop; }

  virtual void Log_Appended(std::string_view /*message*/, bool /*trimmed*/) {}
  virtual void Status_Changed(std::string_view /*key*/, std::string_view /*text*/) {}
  virtual void Control_Changed(Ctl /*id*/) {}
  virtual void Caption_Changed(std::string_view /*caption*/) {}
  virtual void Busy_Changed(bool /*busy*/) {}
  // During a block transfer: units done of total, and the time left at the measured pace (-1 while
  // not yet known).
  virtual void Progress(int /*done*/, int /*total*/, std::int64_t /*remaining_ns*/) {}
  // Whether the view shows how long an operation takes at the speed set beside the fast speed:
  // just before a command runs (starting), or for PROGRAM Device of the loaded file. Each
  // estimate rehearses the command in virtual time, so a view that shows none asks for none.
  virtual bool Wants_Speed_Hint(bool /*starting*/) const { return false; }
  virtual void Speed_Hint(const SpeedHint& /*hint*/) {}
  // The menu commands that act on windows. Show_Memory: the memory view (Panneau::Memory_Rows).
  virtual void Close_Window() {}
  virtual void Show_About() {}
  virtual void Show_Options() {}
  virtual void Show_Memory() {}
  // The Configuration dialog over the window's Config_Dialog(); OK gives Apply_Config its words.
  virtual void Show_Config() {}
  // After each command: the control the keyboard focus goes back to.
  virtual void Set_Focus(Ctl /*id*/) {}
};

}  // namespace corvane
