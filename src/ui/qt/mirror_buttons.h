// Check boxes and option buttons whose state only the window's logic changes: a click asks the
// logic, which runs the control's handler and then tells the widget its new state.
#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace corvane::qt {

class MirrorCheckBox final : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {}
};

class MirrorRadioButton final : public QRadioButton {
 public:
  explicit MirrorRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    setAutoExclusive(false);  // the logic keeps one option selected
  }

 protected:
  void nextCheckState() override {}
};

}  // namespace corvane::qt
