#include "ui/port_page.h"

namespace corvane {

namespace {

std::string Pins(const std::vector<PortBit>& pins) {
  std::string text;
  for (const PortBit& p : pins) text += (text.empty() ? "" : " ") + p.text;
  return text;
}

}  // namespace

PortPage::PortPage(const BoardLibrary& library, std::shared_ptr<const BoardDescription> in_use)
    : in_use_(std::move(in_use)) {
  entries_.push_back({"Brannock or Tessel, found by discovery", nullptr});
  for (const auto& board : library.boards()) entries_.push_back({board->Label(), board});
  if (in_use_) {
    bool listed = false;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].board == in_use_) {
        selected_ = static_cast<int>(i);
        listed = true;
      }
    }
    if (!listed) {
      entries_.push_back({in_use_->Label(), in_use_});
      selected_ = static_cast<int>(entries_.size()) - 1;
    }
  }
  folder_note_ = library.folder().empty()
                     ? "Your own boards: no configuration folder"
                     : "Your own boards: " + library.folder() + ", files ending in .board";
  for (const BoardProblem& p : library.problems()) folder_note_ += "\n" + p.Text();
}

void PortPage::Select(int index) {
  if (index >= 0 && index < static_cast<int>(entries_.size())) selected_ = index;
}

std::string PortPage::Description() const {
  const BoardDescription* b = choice().get();
  if (b == nullptr) {
    return "Discovery tells the two original boards apart by the Tessel board's loop-back.\n"
           "Brannock: switches Vdd. Tessel: powers the chip itself, has a reset line.";
  }
  std::string text = "Vpp " + Pins(b->vpp) + ", Vdd " +
                     (b->vdd_switched() ? Pins(b->vdd) : "fixed") + ", clock " + Pins(b->clock) +
                     ", data out " + Pins(b->data_out) + ", data in " + b->data_in.text;
  if (b->loop_out && b->loop_in) {
    text += ", loop-back " + b->loop_out->text + " to " + b->loop_in->text;
  }
  text += std::string("\nSwitches Vdd: ") + (b->vdd_switched() ? "yes" : "no") +
          ". Vpp before Vdd: " + (b->vpp_first ? "yes" : "no") + ".";
  if (b->origin != "built-in") text += "\nFrom " + b->origin;
  return text;
}

std::string PortPage::Folder_Note() const {
  return folder_note_;
}

}  // namespace corvane
