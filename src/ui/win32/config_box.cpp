#include "ui/win32/config_box.h"

#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {
constexpr int kRow = 26;  // layout pixels a field takes
}  // namespace

ConfigBox::ConfigBox(HWND owner, Look& look, HINSTANCE instance, ConfigModel model,
                     std::function<void(const std::vector<ConfigWordValue>&)> apply,
                     std::function<void()> on_closed)
    : DialogWindow(look, instance, std::move(on_closed)),
      model_(std::move(model)),
      apply_(std::move(apply)) {
  const auto& rows = model_.rows();
  const int words = static_cast<int>(model_.words().size());
  const int fields_height = static_cast<int>(rows.size()) * kRow;
  const int height = 8 + fields_height + words * 22 + 8 + 25 + 8;
  Create(L"CorvaneConfig", owner, Wide(model_.title()), WS_POPUP | WS_CAPTION | WS_SYSMENU, 300,
         height, GetSysColorBrush(COLOR_BTNFACE));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const ConfigFieldRow& row = rows[static_cast<std::size_t>(r)];
    const int top = 8 + r * kRow;
    Add(L"STATIC", Wide(row.label), SS_LEFT | SS_NOPREFIX, 8, top + 3, 120, 20, 0);
    HWND box = Add(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 132, top, 160, 200,
                   kFirstField + r, nullptr, false);
    for (const std::string& v : row.values) {
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(v).c_str()));
    }
    boxes_.push_back(box);
  }
  for (int i = 0; i < words; ++i) {
    words_.push_back(Add(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 8, 8 + fields_height + i * 22, 284,
                         20, 0, nullptr, false));
  }
  Add(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 138, height - 33, 73, 25, IDOK);
  Add(L"BUTTON", L"Annuler", WS_TABSTOP | BS_PUSHBUTTON, 219, height - 33, 73, 25, IDCANCEL);
  Show_Words();
}

void ConfigBox::Show_Words() {
  const std::vector<std::string> texts = model_.Word_Texts();
  for (std::size_t i = 0; i < words_.size(); ++i) SetWindowTextW(words_[i], Wide(texts[i]).c_str());
  const auto& rows = model_.rows();
  // A word whose bits match no value shows the box empty (-1).
  for (std::size_t r = 0; r < boxes_.size(); ++r)
    SendMessageW(boxes_[r], CB_SETCURSEL, rows[r].chosen, 0);
}

LRESULT ConfigBox::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) {
    const int id = LOWORD(wp);
    if (id == IDOK) {
      apply_(model_.words());
      Close();
      return 0;
    }
    const int row = id - kFirstField;
    if (row >= 0 && row < static_cast<int>(boxes_.size()) && HIWORD(wp) == CBN_SELCHANGE) {
      model_.Choose(row, static_cast<int>(SendMessageW(boxes_[static_cast<std::size_t>(row)],
                                                       CB_GETCURSEL, 0, 0)));
      Show_Words();
      return 0;
    }
  }
  return DialogWindow::Handle(msg, wp, lp);
}

}  // namespace corvane::win32
