// The options dialog: a "Port" page and a "Parameters" page. Its page switching, keys and buttons
// are those of OptionsModel; the boards on the "Port" page, what they can do and the board test
// are those of PortPage. The port options are not applied.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "ui/options_model.h"
#include "ui/port_page.h"
#include "ui/win32/dialog_window.h"

namespace corvane::win32 {

// What the dialog asks of the main window: a board chosen to apply, the board test.
struct BoardActions {
  std::function<void(std::shared_ptr<const BoardDescription>)> apply;
  std::function<void()> test;
};

class OptionsBox final : public DialogWindow {
 public:
  static constexpr int kTwipsPerPixel = 15;
  enum Id {
    kTabs = 200,
    kPort1 = 201,
    kPort2 = 202,
    kBoards = 203,
    kBoardTest = 204,
    kApply = 205
  };

  OptionsBox(HWND owner, Look& look, HINSTANCE instance, PortPage page, BoardActions actions,
             std::function<void()> on_closed);

  const OptionsModel& model() const { return model_; }
  const PortPage& port_page() const { return page_; }
  HWND tabs() const { return tabs_; }
  HWND page(int index) const { return pages_[index]; }
  HWND port_option(int index) const { return ports_[index]; }  // 1 or 2
  HWND ok_button() const { return ok_; }
  HWND cancel_button() const { return cancel_; }
  HWND apply_button() const { return apply_; }
  HWND board_box() const { return boards_; }
  HWND board_description() const { return description_; }
  HWND board_test_button() const { return test_; }
  bool Pre_Translate(MSG& msg) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Build_Pages();
  void Show_Pages();
  void Act(const OptionsAction& action);
  void Apply_Board();

  OptionsModel model_;
  PortPage page_;
  BoardActions actions_;
  HWND tabs_ = nullptr;
  std::array<HWND, OptionsModel::kPageCount> pages_{};
  std::array<HWND, 3> ports_{};
  HWND ok_ = nullptr;
  HWND cancel_ = nullptr;
  HWND apply_ = nullptr;
  HWND boards_ = nullptr;
  HWND description_ = nullptr;
  HWND folder_ = nullptr;
  HWND test_ = nullptr;
};

}  // namespace corvane::win32
