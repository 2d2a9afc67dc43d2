// The options dialog: a "Port" page and a "Parameters" page. Its settings are not applied; its
// page switching, keys and notices are those of OptionsModel.
#pragma once

#include <QDialog>
#include <array>

#include "ui/options_model.h"
#include "ui/qt/dialog_service.h"

class QPushButton;
class QRadioButton;
class QTabWidget;

namespace corvane::qt {

class OptionsDialog final : public QDialog {
 public:
  static constexpr int kTwipsPerPixel = 15;

  // Deleted when closed; a later opening starts again with page 0 and no port selected.
  OptionsDialog(QWidget* parent, DialogService& dialogs);

  const OptionsModel& model() const { return model_; }
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
  void Show_Pages();
  void Act(const OptionsAction& action);

  OptionsModel model_;
  DialogService& dialogs_;
  QTabWidget* tabs_ = nullptr;
  std::array<QWidget*, OptionsModel::kPageCount> pages_{};
  std::array<QRadioButton*, 3> ports_{};  // indexes 1 and 2 only
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  bool centred_ = false;
};

}  // namespace corvane::qt
