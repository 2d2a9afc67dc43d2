// A window view for tests: records message boxes, statuses and busy changes, answers the file
// dialogs from queues, and never shows anything.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/speed_hint.h"
#include "ui/window_view.h"

namespace corvane::testing {

class RecordingView : public WindowView {
 public:
  std::vector<std::string> boxes;
  std::deque<std::string> files;       // answers of the open-file dialog; empty: cancelled
  std::deque<std::string> save_files;  // answers of the save-file dialog; empty: cancelled
  std::vector<std::pair<std::string, std::string>> statuses;
  std::vector<bool> busy_changes;
  std::vector<std::string> captions;
  std::string last_filter;
  std::string last_extension;
  int dialogs = 0;
  int save_dialogs = 0;
  int closes = 0;
  int memory_views = 0;
  int config_views = 0;
  Ctl focused = Ctl::kCount;  // where the logic last sent the keyboard focus
  // Called at each progress report of a transfer, as the user could act between two words.
  std::function<void(int done, int total)> on_progress;
  int options_shown = 0;
  std::deque<Answer> answers;  // of the board test's measurements; none left: stop
  std::vector<std::string> prompts;
  // The speed hints, when asked for (each one rehearses its command).
  bool wants_speed_hints = false;
  std::vector<SpeedHint> speed_hints;

  void Message_Box(std::string_view text) override { boxes.emplace_back(text); }
  std::string Open_File_Dialog(std::string_view filter, std::string_view) override {
    ++dialogs;
    last_filter = std::string(filter);
    if (files.empty()) return "";
    std::string f = files.front();
    files.pop_front();
    return f;
  }
  std::string Save_File_Dialog(std::string_view filter, std::string_view extension) override {
    ++save_dialogs;
    last_filter = std::string(filter);
    last_extension = std::string(extension);
    if (save_files.empty()) return "";
    std::string f = save_files.front();
    save_files.pop_front();
    return f;
  }
  void Status_Changed(std::string_view key, std::string_view text) override {
    statuses.emplace_back(std::string(key), std::string(text));
  }
  void Busy_Changed(bool busy) override { busy_changes.push_back(busy); }
  void Caption_Changed(std::string_view caption) override { captions.emplace_back(caption); }
  void Close_Window() override { ++closes; }
  void Show_Memory() override { ++memory_views; }
  void Show_Config() override { ++config_views; }
  void Set_Focus(Ctl id) override { focused = id; }
  void Progress(int done, int total, std::int64_t) override {
    if (on_progress) on_progress(done, total);
  }
  void Show_Options() override { ++options_shown; }
  Answer Confirm(std::string_view prompt) override {
    prompts.emplace_back(prompt);
    if (answers.empty()) return Answer::kStop;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  bool Wants_Speed_Hint(bool) const override { return wants_speed_hints; }
  void Speed_Hint(const SpeedHint& hint) override { speed_hints.push_back(hint); }
};

}  // namespace corvane::testing
