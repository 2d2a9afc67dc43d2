// The Configuration dialog (Options, Configuration): a list box per named field of the chip's
// configuration, the words as the choices make them, OK and Annuler. The logic is the window's
// ConfigModel; OK hands its words to `apply`. Modeless; Esc cancels.
#pragma once

#include <functional>
#include <vector>

#include "ui/config_model.h"
#include "ui/win32/dialog_window.h"

namespace corvane::win32 {

class ConfigBox final : public DialogWindow {
 public:
  ConfigBox(HWND owner, Look& look, HINSTANCE instance, ConfigModel model,
            std::function<void(const std::vector<ConfigWordValue>&)> apply,
            std::function<void()> on_closed);
  HWND field_box(int row) const { return boxes_[static_cast<std::size_t>(row)]; }
  HWND word_label(int index) const { return words_[static_cast<std::size_t>(index)]; }

  static constexpr int kFirstField = 100;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Show_Words();

  ConfigModel model_;
  std::function<void(const std::vector<ConfigWordValue>&)> apply_;
  std::vector<HWND> boxes_;
  std::vector<HWND> words_;
};

}  // namespace corvane::win32
