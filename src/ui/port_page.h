// The options dialog's "Port" page without any toolkit: the boards to choose from (the Brannock
// or Tessel board as discovery tells them apart, then every board of the library), what the
// selected one is wired to and can do, where the user's own boards are read from and what is
// wrong in them, and whether the selection differs from the board in use. The two port options
// beside them are shown as the dialog always had them, and not applied.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "boards/board_library.h"
#include "state/board_description.h"

namespace corvane {

class PortPage {
 public:
  struct Entry {
    std::string caption;
    std::shared_ptr<const BoardDescription> board;  // null: found by discovery
  };

  // in_use: the board chosen now (WorkingState::BoardChoice); it is selected. A chosen board that
  // is not in the library (a board=FILE) is offered after the library's.
  PortPage(const BoardLibrary& library, std::shared_ptr<const BoardDescription> in_use);

  const std::vector<Entry>& entries() const { return entries_; }
  int selected() const { return selected_; }
  void Select(int index);
  const std::shared_ptr<const BoardDescription>& choice() const {
    return entries_[selected_].board;
  }
  // Whether the selection is not the board in use: "Appliquer" then has something to do.
  bool Changed() const { return choice() != in_use_; }
  // The selection is now the board in use.
  void Applied() { in_use_ = choice(); }

  // The selected board's wiring and abilities, a few lines.
  std::string Description() const;
  // Where the user's boards are read from, then every problem found in them, one per line.
  std::string Folder_Note() const;

 private:
  std::vector<Entry> entries_;
  int selected_ = 0;
  std::shared_ptr<const BoardDescription> in_use_;
  std::string folder_note_;
};

}  // namespace corvane
