#include "ui/win32/status_bar.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "ui/text_fit.h"
#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CorvaneStatusBar";
constexpr int kIndent = 3;
constexpr UINT_PTR kProgressTip = 100;

}  // namespace

StatusBar::StatusBar(HWND parent, Look& look, HINSTANCE instance) : look_(look) {
  WNDCLASSW wc = {};
  if (!GetClassInfoW(instance, kClassName, &wc)) {
    wc.lpfnWndProc = &StatusBar::Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
  }
  const Place& at = kStatusBarPlace;
  hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                          look.S(at.left), look.S(at.top), look.S(at.width), look.S(at.height),
                          parent, nullptr, instance, this);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_ID, 0x7F00);
  // One font for the four panels: the largest in which each panel's widest usual text fits.
  panel_pixels_ = look.base_pixels();
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    const StatusPanel& p = kStatusPanels[i];
    panels_[i].key = p.key;
    panels_[i].description = Wide(p.description);
    panels_[i].width = look.S(p.width);
    const std::wstring widest = Wide(p.widest_text);
    panel_pixels_ =
        std::min(panel_pixels_, Pixels_To_Fit(panel_pixels_, Room(panels_[i]), [&](int px) {
                   return look_.Text_Width(look_.Font(px), widest);
                 }));
  }
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    panels_[i].text = Wide(kStatusPanels[i].initial_text);
    Fit(panels_[i]);
  }
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                          nullptr, instance, nullptr);
  for (std::size_t i = 0; i <= panels_.size(); ++i) {
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = i < panels_.size() ? i : kProgressTip;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  Update_Tips();
}

LRESULT CALLBACK StatusBar::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<StatusBar*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    self->Paint(dc);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

StatusBar::Panel* StatusBar::Find(std::string_view key) {
  for (Panel& p : panels_) {
    if (p.key == key) return &p;
  }
  return nullptr;
}

const StatusBar::Panel* StatusBar::Find(std::string_view key) const {
  for (const Panel& p : panels_) {
    if (p.key == key) return &p;
  }
  return nullptr;
}

int StatusBar::Room(const Panel& p) const {
  // Inside the sunken frame and the indent, one pixel spare on the right.
  return p.width - 2 * 2 - look_.S(kIndent) - 1;
}

void StatusBar::Fit(Panel& p) {
  const int room = Room(p);
  if (look_.Text_Width(look_.Font(panel_pixels_), p.text) <= room) {
    p.pixels = panel_pixels_;
    p.shown = p.text;
    return;
  }
  // A longer text gets a smaller font for as long as it stays; too long even for the smallest
  // one, it is shortened with an ellipsis and shows whole in the tool tip.
  p.pixels = Pixels_To_Fit(panel_pixels_, room,
                           [&](int px) { return look_.Text_Width(look_.Font(px), p.text); });
  p.shown = p.text;
  HFONT font = look_.Font(p.pixels);
  if (look_.Text_Width(font, p.shown) <= room) return;
  while (!p.shown.empty() && look_.Text_Width(font, p.shown + L"...") > room) p.shown.pop_back();
  p.shown += L"...";
}

RECT StatusBar::Panel_Rect(std::size_t index) const {
  int left = 0;
  for (std::size_t i = 0; i < index; ++i) {
    if (panels_[i].visible) left += panels_[i].width;
  }
  RECT client;
  GetClientRect(hwnd_, &client);
  return RECT{left, look_.S(2), left + panels_[index].width, client.bottom};
}

RECT StatusBar::Progress_Rect() const {
  RECT stop = Stop_Place();
  RECT bar_in_parent;
  GetWindowRect(hwnd_, &bar_in_parent);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&bar_in_parent), 2);
  const int right = stop.left - bar_in_parent.left - look_.S(kCommandWidgetGap);
  return RECT{right - look_.S(kProgressWidth), look_.S(2), right,
              look_.S(kStatusBarPlace.height - 2)};
}

RECT StatusBar::Stop_Place() const {
  const Place& at = kStatusBarPlace;
  const int right = look_.S(at.left + at.width - kCommandWidgetGap);
  return RECT{right - look_.S(kStopButtonWidth), look_.S(at.top + 2), right,
              look_.S(at.top + at.height - 2)};
}

void StatusBar::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (!message_.empty()) {
    HGDIOBJ old = SelectObject(dc, look_.Font(panel_pixels_));
    RECT r = client;
    r.left += look_.S(kIndent);
    DrawTextW(dc, message_.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    return;
  }
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    const Panel& p = panels_[i];
    if (!p.visible) continue;
    RECT r = Panel_Rect(i);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    r.left += 2 + look_.S(kIndent);
    r.right -= 2;
    HGDIOBJ old = SelectObject(dc, look_.Font(p.pixels));
    DrawTextW(dc, p.shown.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  if (progress_visible_) {
    RECT r = Progress_Rect();
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    RECT fill{r.left + 1, r.top + 1, r.left + 1, r.bottom - 1};
    if (total_ > 0) {
      fill.right += MulDiv(r.right - r.left - 2, std::min(done_, total_), total_);
    }
    FillRect(dc, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
    HGDIOBJ old = SelectObject(dc, look_.Fitted_Font(progress_text_, r.right - r.left - 4));
    DrawTextW(dc, progress_text_.c_str(), -1, &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
}

void StatusBar::Update_Tips() {
  if (!tips_) return;
  for (std::size_t i = 0; i <= panels_.size(); ++i) {
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = hwnd_;
    std::wstring tip;
    if (i < panels_.size()) {
      const Panel& p = panels_[i];
      tool.uId = i;
      tool.rect = p.visible ? Panel_Rect(i) : RECT{};
      tip = p.shown == p.text ? p.description : p.description + L": " + p.text;
    } else {
      tool.uId = kProgressTip;
      tool.rect = progress_visible_ ? Progress_Rect() : RECT{};
      tip = progress_tip_;
    }
    SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = tip.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void StatusBar::Set_Text(std::string_view key, std::string_view text) {
  Panel* p = Find(key);
  if (!p) return;
  const std::wstring wide = Wide(text);
  if (wide == p->text) return;
  const bool tip_was = p->shown != p->text;
  p->text = wide;
  Fit(*p);
  if (tip_was || p->shown != p->text) Update_Tips();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

std::wstring StatusBar::Text(std::string_view key) const {
  const Panel* p = Find(key);
  return p ? p->text : std::wstring();
}

std::wstring StatusBar::Shown_Text(std::string_view key) const {
  const Panel* p = Find(key);
  return p ? p->shown : std::wstring();
}

int StatusBar::Text_Pixels(std::string_view key) const {
  const Panel* p = Find(key);
  return p ? p->pixels : 0;
}

void StatusBar::Set_Panel_Visible(std::string_view key, bool visible) {
  Panel* p = Find(key);
  if (!p || p->visible == visible) return;
  p->visible = visible;
  Update_Tips();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

bool StatusBar::Panel_Visible(std::string_view key) const {
  const Panel* p = Find(key);
  return p && p->visible;
}

void StatusBar::Set_Progress(int done, int total, const std::wstring& text) {
  const bool shown = progress_visible_;
  progress_visible_ = true;
  done_ = done;
  total_ = total;
  progress_text_ = text;
  if (!shown) Update_Tips();
  RECT r = Progress_Rect();
  InvalidateRect(hwnd_, &r, FALSE);
}

void StatusBar::Hide_Progress() {
  if (!progress_visible_) return;
  progress_visible_ = false;
  progress_text_.clear();
  Update_Tips();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void StatusBar::Set_Progress_Tip(const std::wstring& tip) {
  progress_tip_ = tip;
  Update_Tips();
}

void StatusBar::Show_Message(const std::wstring& message) {
  if (message == message_) return;
  message_ = message;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace corvane::win32
