#include "cli/cli_view.h"

#include "ui/progress_pace.h"

namespace corvane {

void CliView::End_Progress_Line() {
  if (!progress_shown_) return;
  err_ << "\r\033[K" << std::flush;
  progress_shown_ = false;
}

void CliView::Message_Box(std::string_view text) {
  End_Progress_Line();
  err_ << "corvane-cli: " << text << '\n' << std::flush;
  if (text != "erreur de fichier") failure_texts_.emplace_back(text);
}

Answer CliView::Confirm(std::string_view prompt) {
  End_Progress_Line();
  // A quiet run keeps the log to itself: the user still needs to know what to measure.
  if (quiet_) err_ << prompt << '\n';
  if (!answers_explained_) {
    err_ << "corvane-cli: board test: press Enter when the meter reads as said, n and Enter when "
            "it does not, q and Enter to stop\n"
         << std::flush;
    answers_explained_ = true;
  }
  std::string line;
  if (!read_line_ || !read_line_(&line)) return Answer::kStop;
  std::string word;
  for (char c : line) {
    if (c != ' ' && c != '\t' && c != '\r')
      word += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  }
  if (word.empty() || word == "y" || word == "yes") return Answer::kYes;
  if (word == "q" || word == "quit" || word == "stop") return Answer::kStop;
  return Answer::kNo;
}

void CliView::Begin_Step() {
  step_logged_ = false;
  step_panels_.clear();
}

std::string CliView::Open_File_Dialog(std::string_view, std::string_view) {
  return next_file_;
}

void CliView::Log_Appended(std::string_view message, bool) {
  End_Progress_Line();
  step_logged_ = true;
  if (quiet_) return;
  std::string text;
  text.reserve(message.size());
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') continue;
    text += message[i];
  }
  out_ << text << std::flush;
}

void CliView::Status_Changed(std::string_view key, std::string_view text) {
  if (key == "Status") last_status_ = std::string(text);
  step_panels_.emplace(key);
  if (!show_status_) return;
  End_Progress_Line();
  err_ << '[' << key << "] " << text << '\n';
}

void CliView::Progress(int done, int total, std::int64_t remaining_ns) {
  if (!show_progress_) return;
  // Redraw a few hundred times per transfer at most.
  const int step = total > 200 ? total / 200 : 1;
  if (done != total && done % step != 0) return;
  err_ << "\r\033[K" << last_status_ << "  " << done << '/' << total << "  "
       << Percent_Done(done, total) << '%';
  const std::string left = Time_Left_Text(remaining_ns);
  if (!left.empty() && done != total) err_ << "  " << left;
  err_ << std::flush;
  progress_shown_ = true;
  if (done == total) End_Progress_Line();
}

void CliView::Speed_Hint(const SpeedHint& hint) {
  if (!hint.starting || !hint.worth_saying() || !show_progress_) return;
  End_Progress_Line();
  err_ << "corvane-cli: " << Speed_Hint_Text(hint, "`speed fast`") << '\n' << std::flush;
}

}  // namespace corvane
