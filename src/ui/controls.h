// The main window's controls as plain values: enabled, value or text, caption.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace corvane {

enum class Ctl : int {
  txtTerm,
  Check_auto,
  Check_Vdd,
  Check_Speed,
  Btn_Load_File,
  Btn_Read_Device,
  Btn_Erase_Device,
  Btn_Program_Device,
  Btn_Verify,
  Btn_Erase_EEPROM,
  Btn_Prog_EEPROM,
  Btn_Read_EEPROM,
  Btn_Prog_Fuses,
  Btn_Check_Device_Fuses,
  Btn_Find_Port,
  Btn_Check_Device_Id,
  Frame1,
  Btn_RESET,
  Command1,
  Choix_Osc,
  Opt_Osc_0,
  Opt_Osc_1,
  Opt_Osc_2,
  Opt_Osc_3,
  Choix_Timers,
  Check_WDT,
  Check_PWRT,
  Check_BODEN,
  Device,
  Menu_File,
  Menu_File_Open,
  Menu_File_Save,
  Menu_File_Exit,
  Menu_Options,
  Menu_Options_HardWare,
  Menu_About,
  Menu_Options_Fast,
  // Added to the window: the Stop button of the status bar, the speed in effect, and the View menu.
  Btn_Stop,
  lblSpeed,
  Menu_View,
  Menu_View_Memory,
  Menu_View_Blank_Check,
  Menu_Options_Config,
  kCount
};

inline constexpr int kControlCount = static_cast<int>(Ctl::kCount);

enum class ControlKind {
  Button,
  CheckBox,
  OptionButton,
  Frame,
  ComboBox,
  TextBox,
  MenuItem,
  Label
};

struct Control {
  std::string_view name;
  ControlKind kind;
  std::string caption;
  bool enabled = true;
  // False for the controls the user can never use (Command1) and for the device box, which only
  // the program sets.
  bool user_available = true;
  // Shown when the pointer rests on it; "" for none.
  std::string tool_tip;
  // A menu item's keyboard shortcut ("Ctrl+O"), or "".
  std::string shortcut;
  int value = 0;     // check box, checkable menu item: 0 unchecked, 1 checked, 2 grey; option: 1
  std::string text;  // the device box's and the labels' text
};

// The controls as the window is created: captions, initial values, all buttons enabled.
std::array<Control, kControlCount> Initial_Controls();

constexpr Ctl Opt_Osc(int index) {
  return static_cast<Ctl>(static_cast<int>(Ctl::Opt_Osc_0) + index);
}

// The option of "Oscillator Type" an arrow key moves to from `from`: step -1 for Up and Left, +1
// for Down and Right, wrapping around the four options as a group of option buttons does.
constexpr Ctl Option_Moved_To(Ctl from, int step) {
  const int index = static_cast<int>(from) - static_cast<int>(Ctl::Opt_Osc_0);
  return Opt_Osc(((index + step) % 4 + 4) % 4);
}

// The control with the given name ("Btn_Verify"), or Ctl::kCount.
Ctl Control_By_Name(std::string_view name);

// Whether the control is one the keyboard focus can rest on (buttons, boxes, the log).
bool Takes_Focus(const Control& c);

}  // namespace corvane
