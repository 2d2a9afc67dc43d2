// The memory view (View, Memory): the window logic's rows (Panneau::Memory_Rows) in a read-only
// box under the title with the checksums. Modeless; Esc closes it.
#pragma once

#include "ui/memory_view.h"
#include "ui/win32/dialog_window.h"

namespace corvane::win32 {

class MemoryBox final : public DialogWindow {
 public:
  MemoryBox(HWND owner, Look& look, HINSTANCE instance, std::function<void()> on_closed);
  // Brought up to date, keeping the place the user scrolled to.
  void Show_View(const MemoryView& view);
  HWND text_box() const { return text_; }
  HWND heading() const { return heading_; }
  bool Pre_Translate(MSG& msg) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  HWND heading_ = nullptr;
  HWND text_ = nullptr;
};

}  // namespace corvane::win32
