// Scripting the window for its demonstration and its screenshot: answering the open-file dialog,
// clicking the buttons a user would, and grabbing the window.
#pragma once

#include <QString>
#include <deque>
#include <ostream>

#include "ui/qt/dialog_service.h"

namespace corvane::qt {
class MainWindow;
}

namespace corvane::app {

// Answers the open-file dialog from a queue while it has answers, else asks the real dialogs.
// When quiet, message boxes are written to a stream instead of shown and the file dialogs are
// cancelled (nobody is there to answer them while a screenshot is taken).
class ScriptedDialogs final : public qt::DialogService {
 public:
  ScriptedDialogs(qt::DialogService& real, std::ostream* quiet_boxes)
      : real_(real), quiet_boxes_(quiet_boxes) {}

  void Answer_Open_File(const QString& path) { answers_.push_back(path); }

  void Message_Box(QWidget* parent, const QString& text) override;
  QString Open_File(QWidget* parent, const QString& name_filter, const QString& default_suffix,
                    const QString& start_folder) override;
  QString Save_File(QWidget* parent, const QString& name_filter, const QString& default_suffix,
                    const QString& start_folder) override;
  Answer Ask(QWidget* parent, const QString& text) override;

 private:
  qt::DialogService& real_;
  std::ostream* quiet_boxes_;
  std::deque<QString> answers_;
};

// Loads the HEX file, programs and verifies the chip by clicking the window's buttons.
void Run_Demo(qt::MainWindow& window, ScriptedDialogs& dialogs, const QString& hex_file);

// Waits until the window is on the screen, at most timeout_ms; false when it never was.
bool Wait_Until_Exposed(qt::MainWindow& window, int timeout_ms);

// Saves the window as a PNG and writes what it shows: its sizes, caption, status panels and
// log. False when the file could not be written.
bool Take_Screenshot(qt::MainWindow& window, const QString& path, std::ostream& out);

// Opens the memory view, saves it as a PNG and writes its title and first rows.
bool Take_Memory_Screenshot(qt::MainWindow& window, const QString& path, std::ostream& out);

}  // namespace corvane::app
