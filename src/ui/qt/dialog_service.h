// The modal boxes the window and its dialogs show: message boxes and the file dialogs. The
// widgets reach them only through DialogService, so tests answer them without ever showing one.
#pragma once

#include <QString>
#include <string_view>

#include "ui/board_test.h"

class QWidget;

namespace corvane::qt {

class DialogService {
 public:
  virtual ~DialogService() = default;
  // A modal message box with an OK button and the application's title; returns when dismissed.
  virtual void Message_Box(QWidget* parent, const QString& text) = 0;
  // The open-file dialog: the chosen path, or an empty text when cancelled. name_filter is in
  // Qt's syntax ("HEX files (*.hex)"); start_folder may be empty (the dialog's own choice).
  virtual QString Open_File(QWidget* parent, const QString& name_filter,
                            const QString& default_suffix, const QString& start_folder) = 0;
  // The save-file dialog, which asks before replacing a file: the chosen path, with the default
  // suffix added to a name typed without one, or an empty text when cancelled.
  virtual QString Save_File(QWidget* parent, const QString& name_filter,
                            const QString& default_suffix, const QString& start_folder) = 0;
  // A measurement of the board test: a modal box with the prompt and "Yes" (Enter), "No" and
  // "Stop" (Esc). Boxes that cannot ask stop the test.
  virtual Answer Ask(QWidget* /*parent*/, const QString& /*text*/) { return Answer::kStop; }
};

// The real boxes: QMessageBox and QFileDialog.
class QtDialogService final : public DialogService {
 public:
  void Message_Box(QWidget* parent, const QString& text) override;
  QString Open_File(QWidget* parent, const QString& name_filter, const QString& default_suffix,
                    const QString& start_folder) override;
  QString Save_File(QWidget* parent, const QString& name_filter, const QString& default_suffix,
                    const QString& start_folder) override;
  Answer Ask(QWidget* parent, const QString& text) override;
};

// Converts a filter of "description|pattern|" pairs into Qt's "description (pattern)" entries,
// separated by ";;". A description that already shows its patterns in brackets is kept as it is.
QString Qt_Name_Filter(std::string_view filter);

}  // namespace corvane::qt
