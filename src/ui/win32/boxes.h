// The modal boxes the window and its dialogs show: message boxes, the board test's question and
// the file dialogs. The windows reach them only through Boxes, so tests answer them without ever
// showing one.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/board_test.h"

namespace corvane::win32 {

class Boxes {
 public:
  virtual ~Boxes() = default;
  // A modal message box with an OK button and the application's title.
  virtual void Message_Box(HWND owner, std::string_view text) = 0;
  // A measurement of the board test: "Yes" (Enter), "No", or stop the test ("Cancel", Esc).
  virtual Answer Ask(HWND owner, std::string_view text) = 0;
  // The open and save dialogs: the chosen path (as the logic takes it, Ansi_Path), or "" when
  // cancelled. filter is in
  // "description|pattern|" pairs; start_folder may be "". Save asks before replacing a file and
  // adds the default extension to a name typed without one.
  virtual std::string Open_File(HWND owner, std::string_view filter,
                                std::string_view default_extension,
                                const std::string& start_folder) = 0;
  virtual std::string Save_File(HWND owner, std::string_view filter,
                                std::string_view default_extension,
                                const std::string& start_folder) = 0;
};

// The system's boxes: MessageBoxW and the common file dialogs.
class SystemBoxes final : public Boxes {
 public:
  void Message_Box(HWND owner, std::string_view text) override;
  Answer Ask(HWND owner, std::string_view text) override;
  std::string Open_File(HWND owner, std::string_view filter, std::string_view default_extension,
                        const std::string& start_folder) override;
  std::string Save_File(HWND owner, std::string_view filter, std::string_view default_extension,
                        const std::string& start_folder) override;
};

}  // namespace corvane::win32
