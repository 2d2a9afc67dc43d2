// The boards a user may choose from: the built-in ones, then the user's own, read from every file
// ending in ".board" in the boards folder, in the order of their names. A board name is given
// once: a user's board named like one before it is left out, as a problem.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/board_file.h"
#include "state/board_description.h"

namespace corvane {

// The user's boards folder: "boards" in the program's configuration folder
// (platform/config_dir.h); empty when the environment names none.
std::string Boards_Folder();

class BoardLibrary {
 public:
  // folder: the user's boards folder; empty (or missing) for the built-in boards alone.
  explicit BoardLibrary(std::string folder);

  const std::string& folder() const { return folder_; }
  const std::vector<std::shared_ptr<const BoardDescription>>& boards() const { return boards_; }
  // What was wrong in the user's files.
  const std::vector<BoardProblem>& problems() const { return problems_; }
  // The board of that name (in any case), or null.
  std::shared_ptr<const BoardDescription> Find(std::string_view name) const;
  // "brannock, tessel, tait, p16pro40, ..."
  std::string Names() const;

 private:
  void Read_Folder();

  std::string folder_;
  std::vector<std::shared_ptr<const BoardDescription>> boards_;
  std::vector<BoardProblem> problems_;
};

// A file holding one board description. Null with the reason (every problem, "FILE:LINE: reason",
// one per line) when it cannot be read, is not one, or describes no board or several.
std::shared_ptr<const BoardDescription> Read_Board_File(const std::string& path,
                                                        std::string* error);

// The board named by the text of a "board=" option: a FILE when the text has a folder separator
// or ends in ".board", else a NAME in the library. Null with the reason.
std::shared_ptr<const BoardDescription> Choose_Board(std::string_view text,
                                                     const BoardLibrary& library,
                                                     std::string* error);

}  // namespace corvane
