// The options dialog: a "Port" page and a "Parameters" page. Its page switching, keys and buttons
// are those of OptionsModel; the boards on the "Port" page, what they can do and the board test
// are those of PortPage. The port options are not applied.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "ui/options_model.h"
#include "ui/port_page.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace corvane::qt {

// What the dialog asks of the main window: a board chosen to apply, the board test.
struct BoardActions {
  std::function<void(std::shared_ptr<const BoardDescription>)> apply;
  std::function<void()> test;
};

class OptionsDialog final : public QDialog {
 public:
  static constexpr int kTwipsPerPixel = 15;

  // Deleted when closed; a later opening starts again with page 0, no port selected and the
  // board in use selected.
  OptionsDialog(QWidget* parent, PortPage page, BoardActions actions);

  const OptionsModel& model() const { return model_; }
  const PortPage& port_page() const { return page_; }
  QComboBox* board_box() const { return boards_; }
  QLabel* board_description() const { return description_; }
  QLabel* boards_folder() const { return folder_; }
  QPushButton* board_test_button() const { return test_; }
  QTabWidget* tabs() const { return tabs_; }
  QWidget* page(int index) const { return pages_[index]; }
  QRadioButton* port_option(int index) const { return ports_[index]; }  // 1 or 2
  QPushButton* ok_button() const { return ok_; }
  QPushButton* cancel_button() const { return cancel_; }
  QPushButton* apply_button() const { return apply_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Build_Pages();
  void Build_Boards(QWidget* page);
  void Show_Pages();
  void Act(const OptionsAction& action);
  // The board selected, applied when it is not the one in use.
  void Apply_Board();

  OptionsModel model_;
  PortPage page_;
  BoardActions actions_;
  QTabWidget* tabs_ = nullptr;
  std::array<QWidget*, OptionsModel::kPageCount> pages_{};
  std::array<QRadioButton*, 3> ports_{};  // indexes 1 and 2 only
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  QComboBox* boards_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* folder_ = nullptr;
  QPushButton* test_ = nullptr;
  bool centred_ = false;
};

}  // namespace corvane::qt
