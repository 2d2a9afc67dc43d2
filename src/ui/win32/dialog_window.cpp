#include "ui/win32/dialog_window.h"

#include "ui/win32/text.h"

namespace corvane::win32 {

DialogWindow::~DialogWindow() {
  on_closed_ = nullptr;
  if (hwnd_) DestroyWindow(hwnd_);
}

void DialogWindow::Create(const wchar_t* class_name, HWND owner, const std::wstring& title,
                          DWORD style, int width, int height, HBRUSH background) {
  WNDCLASSW wc = {};
  if (!GetClassInfoW(instance_, class_name, &wc)) {
    wc.lpfnWndProc = &DialogWindow::Proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = class_name;
    RegisterClassW(&wc);
  }
  RECT r{0, 0, look_.S(width), look_.S(height)};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
  hwnd_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, class_name, title.c_str(),
                          style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                          owner, nullptr, instance_, this);
}

HWND DialogWindow::Add(const wchar_t* window_class, const std::wstring& text, DWORD style, int left,
                       int top, int width, int height, int id, HWND parent, bool fit) {
  HWND w =
      CreateWindowExW(0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, look_.S(left),
                      look_.S(top), look_.S(width), look_.S(height), parent ? parent : hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  HFONT font = fit ? look_.Fitted_Font(Shown_Caption(text), look_.S(width) - look_.S(12))
                   : look_.Dialog_Font();
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return w;
}

void DialogWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void DialogWindow::Close() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool DialogWindow::Pre_Translate(MSG& msg) {
  return hwnd_ && IsDialogMessageW(hwnd_, &msg);
}

LRESULT DialogWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) {
        Close();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK DialogWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (self->on_closed_) self->on_closed_();
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (!self->hwnd_) self->hwnd_ = hwnd;
  return self->Handle(msg, wp, lp);
}

namespace {

LRESULT CALLBACK Relay_Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(hwnd), msg, wp, lp);
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

void Register_Relay_Class(HINSTANCE instance) {
  WNDCLASSW wc = {};
  if (GetClassInfoW(instance, kRelayClass, &wc)) return;
  wc.lpfnWndProc = &Relay_Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kRelayClass;
  RegisterClassW(&wc);
}

}  // namespace corvane::win32
