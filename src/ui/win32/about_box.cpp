#include "ui/win32/about_box.h"

#include "ui/dialog_keys.h"
#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {

constexpr Rgb kDarkBlue{0, 0, 192};
constexpr COLORREF kYellow = RGB(255, 255, 0);

struct Label {
  int left, top, width, height;
};

}  // namespace

std::string Program_Version() {
#ifdef CORVANE_VERSION
  return CORVANE_VERSION;
#else
  return "0.0.0.0";
#endif
}

AboutBox::AboutBox(HWND owner, Look& look, HINSTANCE instance, Boxes& boxes,
                   const std::string& os_version_text, RegistryApi& registry,
                   ProgramLauncher& launcher, std::function<void()> on_closed)
    : DialogWindow(look, instance, std::move(on_closed)),
      model_(Program_Version(), os_version_text),
      boxes_(boxes),
      registry_(registry),
      launcher_(launcher) {
  Create(L"CorvaneAbout", owner, Wide(model_.caption()),
         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 381, 281, look.Brush(kDarkBlue));
  ok_ = Add(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 283, 175, 84, 47, IDOK);
  system_ =
      Add(L"EDIT", Wide(model_.system_text()),
          WS_TABSTOP | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, 152, 240, 113, 25, kSystemTextId);
  sysinfo_ = Add(L"BUTTON", Wide(model_.sysinfo_caption()), WS_TABSTOP | BS_PUSHBUTTON, 284, 240,
                 83, 23, kSysInfoId);
  SetFocus(ok_);
}

bool AboutBox::Pre_Translate(MSG& msg) {
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN) {
    const bool plain =
        GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
    const int code = msg.wParam == VK_RETURN   ? kKeyReturn
                     : msg.wParam == VK_ESCAPE ? kKeyEscape
                                               : 0;
    // Enter and Esc press "OK", whichever control has the focus.
    if (plain && AboutModel::Closes_On_Key(code)) {
      SendMessageW(ok_, BM_CLICK, 0, 0);
      return true;
    }
  }
  return DialogWindow::Pre_Translate(msg);
}

LRESULT AboutBox::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        Close();
        return 0;
      }
      if (LOWORD(wp) == kSysInfoId && HIWORD(wp) == BN_CLICKED) {
        StartSysInfo(registry_, launcher_,
                     [this](std::string_view text) { boxes_.Message_Box(hwnd_, text); });
        return 0;
      }
      break;
    default:
      break;
  }
  return DialogWindow::Handle(msg, wp, lp);
}

void AboutBox::Paint(HDC dc) {
  auto rect = [this](Label l) {
    return RECT{look_.S(l.left), look_.S(l.top), look_.S(l.left + l.width),
                look_.S(l.top + l.height)};
  };
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kYellow);
  Draw_Chip(dc, look_.S(16), look_.S(16), look_.S(32));
  auto draw = [&](std::string_view text, Label at, HFONT font) {
    RECT r = rect(at);
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring wide = Wide(text);
    DrawTextW(dc, wide.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
  };
  HFONT small = look_.Dialog_Font();
  draw(model_.title(), {70, 16, 291, 32},
       look_.Font(MulDiv(18, look_.dpi(), 72), FW_BOLD, L"Times New Roman"));
  draw(model_.version_label(), {70, 52, 259, 15}, small);
  draw(model_.description(), {40, 72, 259, 22}, small);
  draw(model_.second_description(), {72, 88, 259, 22}, small);
  Draw_Logo(dc, look_, look_.S(136), look_.S(112));
  // 12 points where the credit line fits its place, else smaller.
  const Label disclaimer{17, 175, 202, 55};
  const std::wstring credit = Wide(model_.disclaimer());
  HFONT credit_font = nullptr;
  for (int points = 12; points >= 7; --points) {
    credit_font = look_.Font(MulDiv(points, look_.dpi(), 72), FW_NORMAL, L"Times New Roman");
    RECT r = rect(disclaimer);
    HGDIOBJ old = SelectObject(dc, credit_font);
    DrawTextW(dc, credit.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    if (r.bottom - r.top <= look_.S(disclaimer.height)) break;
  }
  draw(model_.disclaimer(), disclaimer, credit_font);
  HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  HPEN white = CreatePen(PS_SOLID, look_.S(2), RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(dc, grey);
  MoveToEx(dc, look_.S(6), look_.S(160), nullptr);
  LineTo(dc, look_.S(377), look_.S(160));
  SelectObject(dc, white);
  MoveToEx(dc, look_.S(7), look_.S(164), nullptr);
  LineTo(dc, look_.S(377), look_.S(164));
  SelectObject(dc, old);
  DeleteObject(grey);
  DeleteObject(white);
}

}  // namespace corvane::win32
