#include "ui/options_model.h"

namespace corvane {

OptionsModel::OptionsModel() {
  // As laid out: page 0 in the dialog, the others beyond its left edge (all enabled until the
  // first tab click says otherwise).
  pages_[0].left_twips = kPageShownLeftTwips;
}

void OptionsModel::Select_Tab(int index) {
  if (index < 1 || index > kTabCount) return;
  selected_tab_ = index;
  for (int i = 0; i < kTabCount; ++i) {
    const bool shown = i == selected_tab_ - 1;
    pages_[i].left_twips = shown ? kPageShownLeftTwips : kPageHiddenLeftTwips;
    pages_[i].enabled = shown;
  }
}

bool OptionsModel::Key_Down(int key_code, int shift, OptionsAction* action) {
  *action = {};
  if (key_code == kKeyTab && shift == kCtrlMask) {
    Select_Tab(selected_tab_ == kTabCount ? 1 : selected_tab_ + 1);
    return true;
  }
  if (key_code == kKeyEscape && shift == 0) {
    *action = Cancel();
    return true;
  }
  return false;
}

}  // namespace corvane
