#include "ui/win32/memory_box.h"

#include <string>

#include "ui/win32/text.h"

namespace corvane::win32 {

MemoryBox::MemoryBox(HWND owner, Look& look, HINSTANCE instance, std::function<void()> on_closed)
    : DialogWindow(look, instance, std::move(on_closed)) {
  // Wide enough for a whole row, file and chip side by side.
  HFONT fixed = look.Fixed_Font();
  const int row = look.Text_Width(fixed, std::wstring(110, L'0'));
  const int width = MulDiv(row, 96, look.dpi()) + 48;
  Create(L"CorvaneMemory", owner, L"Memory",
         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, width, 480,
         GetSysColorBrush(COLOR_BTNFACE));
  heading_ =
      Add(L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL, 6, 6, width - 12, 20, 0, nullptr, false);
  text_ = Add(L"EDIT", L"",
              WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                  ES_AUTOHSCROLL | ES_AUTOVSCROLL,
              6, 30, width - 12, 480 - 36, 0, nullptr, false);
  SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(fixed), FALSE);
  SendMessageW(text_, EM_SETLIMITTEXT, 0, 0);
}

void MemoryBox::Show_View(const MemoryView& view) {
  const std::wstring title = Wide(view.title);
  SetWindowTextW(hwnd_, title.c_str());
  SetWindowTextW(heading_, title.c_str());
  std::wstring text;
  for (const std::string& line : view.lines) text += Wide(line) + L"\r\n";
  const LRESULT first = SendMessageW(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
  SetWindowTextW(text_, text.c_str());
  SendMessageW(text_, EM_LINESCROLL, 0, first);
}

bool MemoryBox::Pre_Translate(MSG& msg) {
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    Close();
    return true;
  }
  return DialogWindow::Pre_Translate(msg);
}

LRESULT MemoryBox::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && text_) {
    const int w = LOWORD(lp);
    const int h = HIWORD(lp);
    MoveWindow(heading_, look_.S(6), look_.S(6), w - look_.S(12), look_.S(20), TRUE);
    MoveWindow(text_, look_.S(6), look_.S(30), w - look_.S(12), h - look_.S(36), TRUE);
    return 0;
  }
  return DialogWindow::Handle(msg, wp, lp);
}

}  // namespace corvane::win32
