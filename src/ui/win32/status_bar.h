// The main window's status bar, drawn by the window itself: the four panels of the layout (sunken,
// of fixed width, their text fitted by the window's text-fitting rule, their description as a
// tool tip), the progress of a block transfer with its percentage and time left at the right, and
// a menu item's tip over the panels while the item is highlighted.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "ui/layout.h"
#include "ui/win32/look.h"

namespace corvane::win32 {

class StatusBar {
 public:
  StatusBar(HWND parent, Look& look, HINSTANCE instance);
  HWND hwnd() const { return hwnd_; }

  void Set_Text(std::string_view key, std::string_view text);
  // The panel's whole text, and what it shows (shortened when even the smallest font is too large).
  std::wstring Text(std::string_view key) const;
  std::wstring Shown_Text(std::string_view key) const;
  int Text_Pixels(std::string_view key) const;
  void Set_Panel_Visible(std::string_view key, bool visible);
  bool Panel_Visible(std::string_view key) const;

  // The progress of a transfer at the right; hidden with an empty text.
  void Set_Progress(int done, int total, const std::wstring& text);
  void Hide_Progress();
  bool progress_visible() const { return progress_visible_; }
  const std::wstring& progress_text() const { return progress_text_; }
  // The progress' tool tip (how long the operation takes beside the fast speed).
  void Set_Progress_Tip(const std::wstring& tip);
  const std::wstring& progress_tip() const { return progress_tip_; }
  // A tip over the panels; empty: the panels again.
  void Show_Message(const std::wstring& message);
  const std::wstring& message() const { return message_; }
  // Where the Stop button goes (screen pixels, in the parent's client area).
  RECT Stop_Place() const;

 private:
  struct Panel {
    std::string_view key;
    std::wstring description;
    int width = 0;  // screen pixels
    std::wstring text;
    std::wstring shown;
    int pixels = 0;
    bool visible = true;
  };
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  Panel* Find(std::string_view key);
  const Panel* Find(std::string_view key) const;
  int Room(const Panel& p) const;
  void Fit(Panel& p);
  RECT Panel_Rect(std::size_t index) const;
  RECT Progress_Rect() const;
  void Update_Tips();

  Look& look_;
  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;
  std::array<Panel, 4> panels_;
  int panel_pixels_ = 0;  // the panels' shared font
  bool progress_visible_ = false;
  int done_ = 0;
  int total_ = 0;
  std::wstring progress_text_;
  std::wstring progress_tip_;
  std::wstring message_;
};

}  // namespace corvane::win32
