// The main window's services as the layers below the window see them: the log, the status
// panels, message boxes, the busy state and the few controls that commands read or set.
// The window's logic implements it; nothing below it knows how it is shown.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Values of a three-state check box.
enum CheckValue : int { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

class Panel {
 public:
  virtual ~Panel() = default;

  // Appends the message to the end of the log, character for character.
  virtual void Append_Text(std::string_view message) = 0;
  // Sets the status panel named by key: "Port", "Device", "Fuses" or "Status".
  virtual void Set_Status(std::string_view key, std::string_view text) = 0;
  // A modal message box with an OK button and the application's title.
  virtual void Message_Box(std::string_view text) = 0;
  virtual void Sablier_On() = 0;
  virtual void Sablier_Off() = 0;

  // Value of the "Vdd Enable" box.
  virtual int Check_Vdd() const = 0;
  // Value of the "Automatic File Update" box.
  virtual int Check_auto() const = 0;
  // Text of the device box: the device selection that the configuration-word rules read.
  virtual std::string Device() const = 0;
  virtual void Set_Device(std::string_view text) = 0;
  // The current file name held by the open-file dialog; empty when no file is chosen.
  virtual std::string FileName() const = 0;
  // Brings the oscillator buttons and timer boxes into line with the configuration word; a
  // control that changes runs its handler as a click would.
  virtual void Show_Fuses() = 0;

  // Progress of a long block transfer (words done of total). Shown only by front ends that
  // want it; the window's own panels are not touched.
  virtual void Progress(int /*done*/, int /*total*/) {}

  // The signal number of a request to stop that has come (0: none), for the commands that wait
  // on something other than the board (a HEX file read from a pipe or a terminal). They end as
  // at their input's end and leave it to the caller to stop.
  virtual int Stop_Pending() { return 0; }
};

}  // namespace corvane
