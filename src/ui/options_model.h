// The options dialog without any toolkit: its tabs, the page each tab shows, its keys and what
// its buttons do. "Appliquer" applies the board chosen on the "Port" page (ui/port_page.h) and OK
// applies it and closes the dialog; the port choice is not applied: only port discovery selects
// the port.
#pragma once

#include <array>
#include <string_view>

#include "ui/dialog_keys.h"

namespace corvane {

struct OptionsTab {
  std::string_view caption;
  std::string_view key;
  std::string_view tool_tip;
};

// What a button or key asks of the dialog.
struct OptionsAction {
  bool apply = false;  // apply the board chosen on the "Port" page
  bool close = false;  // then close (unload) the dialog
};

class OptionsModel {
 public:
  static constexpr int kTabCount = 2;
  static constexpr int kPageCount = 4;  // pages 2 and 3 have no tab and are never shown
  static constexpr int kPageShownLeftTwips = 210;
  static constexpr int kPageHiddenLeftTwips = -20000;

  static constexpr std::array<OptionsTab, kTabCount> kTabs = {{
      {"Port", "Port", "Defining Parallel Port"},
      {"Parameters", "Parameters", "Defining HardWare Parameters"},
  }};

  // As the dialog is created: tab 1 selected, page 0 shown, the other pages outside the dialog.
  OptionsModel();

  // Selected tab, counted from 1.
  int selected_tab() const { return selected_tab_; }
  // The tab strip's click: the page of the selected tab is placed in the dialog and enabled,
  // every other page with a tab is moved out of it and disabled.
  void Select_Tab(int index);
  // The dialog sees every key first. Ctrl+Tab (exactly that modifier) selects the next tab,
  // wrapping from the last to the first, and returns true; Esc presses "Annuler". Anything else
  // is left to the control that has the focus (false).
  bool Key_Down(int key_code, int shift, OptionsAction* action);

  int page_left_twips(int page) const { return pages_[page].left_twips; }
  bool page_enabled(int page) const { return pages_[page].enabled; }

  static OptionsAction Ok() { return {true, true}; }
  static OptionsAction Apply() { return {true, false}; }
  static OptionsAction Cancel() { return {false, true}; }

  // Left and top that centre a window of the given size on the screen.
  static std::array<int, 2> Centred(int screen_width, int screen_height, int width, int height) {
    return {(screen_width - width) / 2, (screen_height - height) / 2};
  }

 private:
  struct Page {
    int left_twips = kPageHiddenLeftTwips;
    bool enabled = true;
  };
  int selected_tab_ = 1;
  std::array<Page, kPageCount> pages_;
};

}  // namespace corvane
