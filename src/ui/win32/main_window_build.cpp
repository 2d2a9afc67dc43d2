// Building the main window: the window itself, the controls at their places in the keyboard's
// order, the status bar and the Stop button, the menus.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "ui/layout.h"
#include "ui/panneau.h"
#include "ui/win32/main_window.h"
#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CorvanePanneau";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int Index(Ctl id) {
  return static_cast<int>(id);
}

const Place* Place_Of(Ctl id) {
  for (const Place& p : kPlaces) {
    if (p.id == id) return &p;
  }
  return id == Ctl::Device ? &kDevicePlace : nullptr;
}

// A place in the client area: a control inside a frame is placed from the frame's corner.
RECT Client_Place(const Place& p) {
  int left = p.left;
  int top = p.top;
  if (p.parent != kClientArea) {
    const Place* frame = Place_Of(p.parent);
    left += frame->left;
    top += frame->top;
  }
  return RECT{left, top, left + p.width, top + p.height};
}

}  // namespace

MainWindow::MainWindow(Boxes& boxes, SettingsStore* settings, HINSTANCE instance)
    : boxes_(boxes), settings_(settings), instance_(instance), folders_(settings) {
  INITCOMMONCONTROLSEX common = {sizeof common, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&common);
  icon_ = Make_Chip_Icon(GetSystemMetrics(SM_CXICON));
  small_icon_ = Make_Chip_Icon(GetSystemMetrics(SM_CXSMICON));
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance_, kClassName, &wc)) {
    wc.lpfnWndProc = &MainWindow::Proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // painted green with its frames
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
  }
  Build_Menus();
  // The window is as large as its client area and menu bar, and not resizable.
  RECT r{0, 0, look_.S(kClientWidth), look_.S(kClientHeight)};
  AdjustWindowRectEx(&r, kWindowStyle, TRUE, WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, kClassName, L"Corvane by Dravik",
                          kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                          r.bottom - r.top, nullptr, menu_, instance_, this);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  // A menu bar that wraps onto two lines (a large font) would push the client area down.
  RECT client;
  GetClientRect(hwnd_, &client);
  if (client.bottom < look_.S(kClientHeight)) {
    RECT w;
    GetWindowRect(hwnd_, &w);
    SetWindowPos(hwnd_, nullptr, 0, 0, w.right - w.left,
                 w.bottom - w.top + look_.S(kClientHeight) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
  Build_Controls();
  DragAcceptFiles(hwnd_, TRUE);
}

HWND MainWindow::Make_Control(Ctl id, const Control& c, const Place& place) {
  const RECT at = Client_Place(place);
  const std::wstring caption = Wide(c.caption);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP;
  const wchar_t* window_class = L"BUTTON";
  int room = look_.S(place.width) - look_.S(12);
  switch (c.kind) {
    case ControlKind::Button:
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::CheckBox:
      // The logic sets the state: the box only reports the click.
      style |= WS_TABSTOP | BS_3STATE;
      room = look_.S(place.width) - GetSystemMetrics(SM_CXMENUCHECK) - look_.S(6);
      break;
    case ControlKind::OptionButton:
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      room = look_.S(place.width) - GetSystemMetrics(SM_CXMENUCHECK) - look_.S(6);
      break;
    case ControlKind::Label:
      window_class = L"STATIC";
      style |= SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE;
      room = look_.S(place.width);
      break;
    case ControlKind::TextBox:
      window_class = L"EDIT";
      style |= WS_TABSTOP | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
               ES_AUTOHSCROLL | ES_AUTOVSCROLL;
      break;
    default:
      return nullptr;
  }
  const std::wstring text = c.kind == ControlKind::Label ? Wide(c.text) : caption;
  HWND w = CreateWindowExW(
      c.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0, window_class, text.c_str(), style,
      look_.S(at.left), look_.S(at.top), look_.S(place.width), look_.S(place.height), hwnd_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(Command_Of(id))), instance_, nullptr);
  HFONT font = c.kind == ControlKind::TextBox ? look_.Fixed_Font()
               : c.kind == ControlKind::Label ? look_.Dialog_Font()
                                              : look_.Fitted_Font(Shown_Caption(caption), room);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  LOGFONTW lf = {};
  GetObjectW(font, sizeof lf, &lf);
  caption_pixels_[Index(id)] = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  return w;
}

void MainWindow::Build_Controls() {
  const auto controls = Initial_Controls();
  // Created in the keyboard's order, which is the order Tab follows; then the rest.
  for (Ctl id : kTabOrder) {
    if (id == Ctl::Device) {
      const RECT at = Client_Place(kDevicePlace);
      HWND device =
          CreateWindowExW(0, L"COMBOBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                          look_.S(at.left), look_.S(at.top), look_.S(kDevicePlace.width),
                          look_.S(kDevicePlace.height + 100), hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(Command_Of(Ctl::Device))),
                          instance_, nullptr);
      SendMessageW(device, WM_SETFONT, reinterpret_cast<WPARAM>(look_.Dialog_Font()), FALSE);
      for (std::string_view item : kDeviceItems) {
        SendMessageW(device, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
      }
      controls_[Index(Ctl::Device)] = device;
      continue;
    }
    controls_[Index(id)] = Make_Control(id, controls[Index(id)], *Place_Of(id));
  }
  for (const Place& p : kPlaces) {
    if (!controls_[Index(p.id)])
      controls_[Index(p.id)] = Make_Control(p.id, controls[Index(p.id)], p);
  }
  SendMessageW(control(Ctl::txtTerm), EM_SETLIMITTEXT, 0, 0);
  // The write/read test button is offered by neither program.
  ShowWindow(control(Ctl::Command1), SW_HIDE);

  status_ = std::make_unique<StatusBar>(hwnd_, look_, instance_);
  // At the right of the status bar during a device command, in the room the "Port" panel gives
  // up: the Stop button.
  const RECT stop_at = status_->Stop_Place();
  HWND stop = CreateWindowExW(
      0, L"BUTTON", Wide(controls[Index(Ctl::Btn_Stop)].caption).c_str(), WS_CHILD | BS_PUSHBUTTON,
      stop_at.left, stop_at.top, stop_at.right - stop_at.left, stop_at.bottom - stop_at.top, hwnd_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(Command_Of(Ctl::Btn_Stop))), instance_, nullptr);
  SendMessageW(stop, WM_SETFONT,
               reinterpret_cast<WPARAM>(
                   look_.Fitted_Font(L"Stop", stop_at.right - stop_at.left - look_.S(6))),
               FALSE);
  controls_[Index(Ctl::Btn_Stop)] = stop;
  for (HWND w : controls_) {
    if (w) Add_Tip(w);
  }
  Set_Tip(stop, "Stops the operation after the word in progress (Esc)");
}

void MainWindow::Build_Menus() {
  const auto controls = Initial_Controls();
  auto text = [&controls](Ctl id) {
    const Control& c = controls[Index(id)];
    std::wstring t = Wide(c.caption);
    if (!c.shortcut.empty()) t += L"\t" + Wide(c.shortcut);
    return t;
  };
  auto add = [&text](HMENU menu, Ctl id) {
    AppendMenuW(menu, MF_STRING, Command_Of(id), text(id).c_str());
  };
  menu_ = CreateMenu();
  HMENU file = CreatePopupMenu();
  add(file, Ctl::Menu_File_Open);
  add(file, Ctl::Menu_File_Save);
  add(file, Ctl::Menu_File_Exit);
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), text(Ctl::Menu_File).c_str());
  HMENU options = CreatePopupMenu();
  add(options, Ctl::Menu_Options_HardWare);
  add(options, Ctl::Menu_Options_Fast);
  add(options, Ctl::Menu_Options_Config);
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(options),
              text(Ctl::Menu_Options).c_str());
  HMENU view = CreatePopupMenu();
  add(view, Ctl::Menu_View_Memory);
  add(view, Ctl::Menu_View_Blank_Check);
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(view), text(Ctl::Menu_View).c_str());
  // "&About" has no items: choosing it opens the about box.
  add(menu_, Ctl::Menu_About);
}

void MainWindow::Add_Tip(HWND control) {
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::Set_Tip(HWND control, const std::string& tip) {
  std::wstring text = Wide(tip);
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, look_.Brush(kWindowGreen));
  // The frames: their colour, an etched border and the caption on its top edge.
  struct Frame {
    Ctl id;
    Rgb colour;
  };
  const Frame frames[] = {{Ctl::Choix_Osc, kChoixOscColour},
                          {Ctl::Choix_Timers, kChoixTimersColour},
                          {Ctl::Frame1, kFrame1Orange}};
  const auto controls = Initial_Controls();
  HGDIOBJ old = SelectObject(dc, look_.Dialog_Font());
  SetBkMode(dc, OPAQUE);
  for (const Frame& f : frames) {
    const Place* p = Place_Of(f.id);
    RECT r{look_.S(p->left), look_.S(p->top), look_.S(p->left + p->width),
           look_.S(p->top + p->height)};
    FillRect(dc, &r, look_.Brush(f.colour));
    RECT edge = r;
    edge.top += look_.base_pixels() / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = Wide(controls[Index(f.id)].caption);
    SetBkColor(dc, Colour(f.colour));
    const bool enabled = !panneau_ || panneau_->control(f.id).enabled;
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text{r.left + look_.S(8), r.top, r.right - look_.S(4), r.top + look_.base_pixels() + 2};
    DrawTextW(dc, (L" " + caption + L" ").c_str(), -1, &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

}  // namespace corvane::win32
