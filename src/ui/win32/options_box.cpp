#include "ui/win32/options_box.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/dialog_keys.h"
#include "ui/win32/text.h"

namespace corvane::win32 {

OptionsBox::OptionsBox(HWND owner, Look& look, HINSTANCE instance, PortPage page,
                       BoardActions actions, std::function<void()> on_closed)
    : DialogWindow(look, instance, std::move(on_closed)),
      page_(std::move(page)),
      actions_(std::move(actions)) {
  Register_Relay_Class(instance);
  Create(L"CorvaneOptions", owner, L"Options", WS_POPUP | WS_CAPTION | WS_SYSMENU, 410, 328,
         GetSysColorBrush(COLOR_BTNFACE));
  tabs_ =
      Add(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, 7, 8, 393, 283, kTabs, nullptr, false);
  for (int i = 0; i < OptionsModel::kTabCount; ++i) {
    std::wstring caption = Wide(OptionsModel::kTabs[i].caption);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  Build_Pages();
  ok_ = Add(L"BUTTON", L"OK", WS_TABSTOP | BS_PUSHBUTTON, 166, 297, 73, 25, IDOK);
  cancel_ = Add(L"BUTTON", L"Annuler", WS_TABSTOP | BS_PUSHBUTTON, 248, 297, 73, 25, IDCANCEL);
  apply_ = Add(L"BUTTON", L"Appliquer", WS_TABSTOP | BS_PUSHBUTTON, 328, 297, 73, 25, kApply);
  Show_Pages();
  // Load: centred on the screen.
  RECT r;
  GetWindowRect(hwnd_, &r);
  const auto pos =
      OptionsModel::Centred(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                            r.right - r.left, r.bottom - r.top);
  SetWindowPos(hwnd_, nullptr, pos[0], pos[1], 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void OptionsBox::Build_Pages() {
  struct Sample {
    const wchar_t* caption;
    int left, top;
  };
  static constexpr Sample kSamples[OptionsModel::kPageCount] = {{L"Exemple 1", 32, 17},
                                                                {L"Exemple 2", 43, 20},
                                                                {L"Exemple 3", 103, 45},
                                                                {L"Exemple 4", 140, 56}};
  for (int i = 0; i < OptionsModel::kPageCount; ++i) {
    pages_[i] = CreateWindowExW(WS_EX_CONTROLPARENT, kRelayClass, L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, look_.S(14), look_.S(32),
                                look_.S(379), look_.S(252), hwnd_, nullptr, instance_, nullptr);
    Add(L"BUTTON", kSamples[i].caption, BS_GROUPBOX, kSamples[i].left, kSamples[i].top, 137, 119, 0,
        pages_[i]);
  }
  HWND port = pages_[0];
  ports_[1] = Add(L"BUTTON", L"LPT1: (0x378)", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 208, 40,
                  105, 25, kPort1, port);
  ports_[2] = Add(L"BUTTON", L"LPT2: (0x278)", BS_AUTORADIOBUTTON, 208, 64, 105, 25, kPort2, port);
  Add(L"STATIC", L"Board :", WS_GROUP, 8, 147, 46, 22, 0, port);
  boards_ = Add(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 56, 143, 315, 200,
                kBoards, port, false);
  for (const PortPage::Entry& e : page_.entries()) {
    SendMessageW(boards_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(e.caption).c_str()));
  }
  SendMessageW(boards_, CB_SETCURSEL, page_.selected(), 0);
  description_ = Add(L"STATIC", Wide(page_.Description()), SS_LEFT | SS_NOPREFIX, 8, 170, 363, 42,
                     0, port, false);
  folder_ = Add(L"STATIC", Wide(page_.Folder_Note()), SS_LEFT | SS_NOPREFIX, 8, 214, 276, 38, 0,
                port, false);
  test_ =
      Add(L"BUTTON", L"Board test", WS_TABSTOP | BS_PUSHBUTTON, 290, 218, 81, 25, kBoardTest, port);
}

void OptionsBox::Show_Pages() {
  for (int i = 0; i < OptionsModel::kPageCount; ++i) {
    // Twips to pixels, rounding towards minus infinity so a hidden page stays outside.
    const int twips = model_.page_left_twips(i);
    const int left =
        twips >= 0 ? twips / kTwipsPerPixel : -((-twips + kTwipsPerPixel - 1) / kTwipsPerPixel);
    SetWindowPos(pages_[i], HWND_TOP, look_.S(left), look_.S(32), 0, 0, SWP_NOSIZE);
    EnableWindow(pages_[i], model_.page_enabled(i));
  }
  if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != model_.selected_tab() - 1) {
    SendMessageW(tabs_, TCM_SETCURSEL, model_.selected_tab() - 1, 0);
  }
}

bool OptionsBox::Pre_Translate(MSG& msg) {
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN) {
    // The dialog sees every key before its controls do.
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    const int code = msg.wParam == VK_TAB      ? kKeyTab
                     : msg.wParam == VK_ESCAPE ? kKeyEscape
                     : msg.wParam == VK_RETURN ? kKeyReturn
                                               : static_cast<int>(msg.wParam);
    OptionsAction action;
    if (model_.Key_Down(code, shift, &action)) {
      Show_Pages();
      if (action.close) SendMessageW(cancel_, BM_CLICK, 0, 0);
      return true;
    }
  }
  return DialogWindow::Pre_Translate(msg);
}

void OptionsBox::Apply_Board() {
  if (!page_.Changed()) return;
  page_.Applied();
  if (actions_.apply) actions_.apply(page_.choice());
}

void OptionsBox::Act(const OptionsAction& action) {
  if (action.apply) Apply_Board();
  if (action.close) Close();
}

LRESULT OptionsBox::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const NMHDR*>(lp);
      if (note->hwndFrom == tabs_ && note->code == TCN_SELCHANGE) {
        model_.Select_Tab(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)) + 1);
        Show_Pages();
      }
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          Act(OptionsModel::Ok());
          return 0;
        case IDCANCEL:
          Act(OptionsModel::Cancel());
          return 0;
        case kApply:
          Act(OptionsModel::Apply());
          return 0;
        case kBoards:
          if (HIWORD(wp) == CBN_SELCHANGE) {
            page_.Select(static_cast<int>(SendMessageW(boards_, CB_GETCURSEL, 0, 0)));
            SetWindowTextW(description_, Wide(page_.Description()).c_str());
          }
          return 0;
        case kBoardTest:
          // The board test runs on the board selected: applied first when it is not the one in
          // use.
          Apply_Board();
          if (actions_.test) actions_.test();
          return 0;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return DialogWindow::Handle(msg, wp, lp);
}

}  // namespace corvane::win32
