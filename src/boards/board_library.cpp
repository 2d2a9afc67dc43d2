#include "boards/board_library.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "boards/builtin_boards.h"
#include "platform/config_dir.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// A description is a few lines: anything larger is not one (and a device never ends).
constexpr std::uintmax_t kLargestFile = 256 * 1024;

std::string Lower(std::string_view s) {
  std::string l(s);
  for (char& c : l) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return l;
}

bool Ends_With(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && Lower(s.substr(s.size() - end.size())) == end;
}

// The file's text, or false with the reason.
bool Read_Text(const std::string& path, std::string* text, std::string* error) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec) {
    *error = path + ": " + ec.message();
    return false;
  }
  if (!fs::is_regular_file(status)) {
    *error = path + ": not a regular file";
    return false;
  }
  if (fs::file_size(path, ec) > kLargestFile || ec) {
    *error = path + ": too large for a board description";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  if (!in && !in.eof()) {
    *error = path + ": cannot be read";
    return false;
  }
  *text = all.str();
  return true;
}

}  // namespace

std::string Boards_Folder() {
  const std::string config = platform::Config_Dir();
  if (config.empty()) return "";
  return (fs::path(config) / "boards").string();
}

BoardLibrary::BoardLibrary(std::string folder) : folder_(std::move(folder)) {
  boards_ = Builtin_Boards();
  if (!folder_.empty()) Read_Folder();
}

void BoardLibrary::Read_Folder() {
  std::error_code ec;
  std::vector<std::string> files;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string path = it->path().string();
    if (Ends_With(path, ".board") && it->is_regular_file(ec)) files.push_back(path);
  }
  std::sort(files.begin(), files.end());
  for (const std::string& path : files) {
    std::string text;
    std::string error;
    if (!Read_Text(path, &text, &error)) {
      problems_.push_back({path, 0, error.substr(path.size() + 2)});
      continue;
    }
    BoardFile file = Parse_Board_Text(text, path);
    problems_.insert(problems_.end(), file.problems.begin(), file.problems.end());
    for (auto& board : file.boards) {
      if (const auto first = Find(board->name)) {
        problems_.push_back({path, board->line,
                             "board '" + board->name + "' is already defined (" +
                                 (first->origin == "built-in"
                                      ? std::string("built-in")
                                      : first->origin + ", line " + std::to_string(first->line)) +
                                 ")"});
        continue;
      }
      boards_.push_back(board);
    }
  }
}

std::shared_ptr<const BoardDescription> BoardLibrary::Find(std::string_view name) const {
  const std::string wanted = Lower(name);
  for (const auto& b : boards_) {
    if (b->name == wanted) return b;
  }
  return nullptr;
}

std::string BoardLibrary::Names() const {
  std::string names;
  for (const auto& b : boards_) names += (names.empty() ? "" : ", ") + b->name;
  return names;
}

std::shared_ptr<const BoardDescription> Read_Board_File(const std::string& path,
                                                        std::string* error) {
  std::string text;
  if (!Read_Text(path, &text, error)) return nullptr;
  BoardFile file = Parse_Board_Text(text, path);
  if (!file.problems.empty()) {
    *error = file.Problems_Text();
    return nullptr;
  }
  if (file.boards.size() != 1) {
    *error = path + ": " +
             (file.boards.empty() ? std::string("describes no board ([name], then its lines)")
                                  : "describes " + std::to_string(file.boards.size()) +
                                        " boards; give one per file, or put the file in the "
                                        "boards folder and name the board");
    return nullptr;
  }
  return file.boards.front();
}

std::shared_ptr<const BoardDescription> Choose_Board(std::string_view text,
                                                     const BoardLibrary& library,
                                                     std::string* error) {
  const bool file = text.find('/') != std::string_view::npos ||
                    text.find('\\') != std::string_view::npos || Ends_With(text, ".board");
  if (file) return Read_Board_File(std::string(text), error);
  if (auto board = library.Find(text)) return board;
  *error = "unknown board '" + std::string(text) + "' (" + library.Names() + ", or a FILE.board)";
  for (const BoardProblem& p : library.problems()) *error += "\n" + p.Text();
  return nullptr;
}

}  // namespace corvane
