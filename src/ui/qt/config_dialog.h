// The Configuration dialog (Options, Configuration): a list box per named field of the chip's
// configuration, the words as the choices make them, OK and Cancel. The logic is the window's
// ConfigModel; OK hands its words to `apply`. Modeless; Escape cancels.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "ui/config_model.h"

class QComboBox;
class QLabel;

namespace corvane::qt {

class ConfigDialog final : public QDialog {
 public:
  ConfigDialog(QWidget* parent, ConfigModel model,
               std::function<void(const std::vector<ConfigWordValue>&)> apply);
  QComboBox* field_box(int row) const { return boxes_[static_cast<std::size_t>(row)]; }
  QLabel* word_label(int index) const { return words_[static_cast<std::size_t>(index)]; }
  void Ok();

 private:
  void Show_Words();

  ConfigModel model_;
  std::function<void(const std::vector<ConfigWordValue>&)> apply_;
  std::vector<QComboBox*> boxes_;
  std::vector<QLabel*> words_;
};

}  // namespace corvane::qt
