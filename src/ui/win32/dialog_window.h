// What the program's modeless dialogs share: a fixed window owned by the main window (so it stays
// above it and out of the task bar), its controls placed in layout pixels in the system's dialog
// font, the dialog keys (Tab, Enter, Esc), and notice once it is closed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/win32/look.h"

namespace corvane::win32 {

class DialogWindow {
 public:
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  bool open() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }
  void Show();
  // Closes (unloads) the dialog.
  void Close();
  // The dialog's keys before its controls': true when the message was taken.
  virtual bool Pre_Translate(MSG& msg);

 protected:
  DialogWindow(Look& look, HINSTANCE instance, std::function<void()> on_closed)
      : look_(look), instance_(instance), on_closed_(std::move(on_closed)) {}
  // Creates the window with a client area of width x height layout pixels.
  void Create(const wchar_t* class_name, HWND owner, const std::wstring& title, DWORD style,
              int width, int height, HBRUSH background);
  // A control at a place in layout pixels of `parent` (the dialog when null), in the dialog font
  // fitted to its room when `fit` is set.
  HWND Add(const wchar_t* window_class, const std::wstring& text, DWORD style, int left, int top,
           int width, int height, int id, HWND parent = nullptr, bool fit = true);
  // The dialog's messages; the default closes it on WM_CLOSE and on IDCANCEL.
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

  Look& look_;
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  std::function<void()> on_closed_;
};

// A window that passes its controls' notices to its parent: the options dialog's pages.
void Register_Relay_Class(HINSTANCE instance);
inline constexpr wchar_t kRelayClass[] = L"CorvaneRelay";

}  // namespace corvane::win32
