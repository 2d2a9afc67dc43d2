#include "boards/board_library.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "boards/builtin_boards.h"
#include "platform/config_dir.h"
#include "platform/files.h"
#include "text/words.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// A description is a few lines: anything larger is not one (and a device never ends).
constexpr std::uintmax_t kLargestFile = 256 * 1024;

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
  for (const std::string& path : platform::Files_Ending_In(folder_, ".board")) {
    std::string text;
    const std::string why =
        platform::Read_Small_File(path, kLargestFile, "a board description", &text);
    if (!why.empty()) {
      problems_.push_back({path, 0, why});
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
  const std::string why =
      platform::Read_Small_File(path, kLargestFile, "a board description", &text);
  if (!why.empty()) {
    *error = path + ": " + why;
    return nullptr;
  }
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
                    text.find('\\') != std::string_view::npos ||
                    Ends_With_Ignoring_Case(text, ".board");
  if (file) return Read_Board_File(std::string(text), error);
  if (auto board = library.Find(text)) return board;
  *error = "unknown board '" + std::string(text) + "' (" + library.Names() + ", or a FILE.board)";
  for (const BoardProblem& p : library.problems()) *error += "\n" + p.Text();
  return nullptr;
}

}  // namespace corvane
