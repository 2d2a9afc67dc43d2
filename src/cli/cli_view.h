// The console's face for the window's logic: the log on stdout, message boxes and (on request)
// status changes on stderr, a progress line when stderr is a terminal (done/total, percent and the
// time left) and before a long operation at a slow speed how long the fast one would take, and
// the open-file dialog answered by the step being run. Quiet, it shows only the message boxes.
#pragma once

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ui/window_view.h"

namespace corvane {

class CliView final : public WindowView {
 public:
  // show_progress: stderr is a terminal (the progress line and the fast speed's hint).
  CliView(std::ostream& out, std::ostream& err, bool show_status, bool show_progress,
          bool quiet = false)
      : out_(out),
        err_(err),
        show_status_(show_status && !quiet),
        show_progress_(show_progress && !quiet),
        quiet_(quiet) {}

  // What the next open-file dialog returns ("" = cancelled).
  void Answer_Open_File(std::string path) { next_file_ = std::move(path); }
  // Where the board test's answers are read, a line each: false at the end of the answers (the
  // test then stops).
  void Set_Answers(std::function<bool(std::string*)> read_line) {
    read_line_ = std::move(read_line);
  }
  // Message boxes that report a failure (every box but "erreur de fichier") shown so far.
  int failure_boxes() const { return static_cast<int>(failure_texts_.size()); }
  const std::vector<std::string>& failure_texts() const { return failure_texts_; }

  // What one step did: whether it wrote to the log and which status panels it set.
  void Begin_Step();
  bool step_logged() const { return step_logged_; }
  const std::set<std::string, std::less<>>& step_panels() const { return step_panels_; }

  void Message_Box(std::string_view text) override;
  // Enter (or y) when the meter reads as the prompt says, n when it does not, q to stop; the end
  // of the input stops too. With -q, where the log is not shown, the prompt goes to stderr.
  Answer Confirm(std::string_view prompt) override;
  std::string Open_File_Dialog(std::string_view filter,
                               std::string_view default_extension) override;
  void Log_Appended(std::string_view message, bool trimmed) override;
  void Status_Changed(std::string_view key, std::string_view text) override;
  void Progress(int done, int total, std::int64_t remaining_ns) override;
  bool Wants_Speed_Hint(bool starting) const override { return starting && show_progress_; }
  void Speed_Hint(const SpeedHint& hint) override;

 private:
  void End_Progress_Line();

  std::ostream& out_;
  std::ostream& err_;
  bool show_status_;
  bool show_progress_;
  bool quiet_;
  std::string next_file_;
  std::function<bool(std::string*)> read_line_;
  bool answers_explained_ = false;
  std::string last_status_;
  std::vector<std::string> failure_texts_;
  bool step_logged_ = false;
  std::set<std::string, std::less<>> step_panels_;
  bool progress_shown_ = false;
};

}  // namespace corvane
