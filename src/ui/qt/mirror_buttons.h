// Check boxes and option buttons whose state only the window's logic changes: a click asks the
// logic, which runs the control's handler and then tells the widget its new state. Command
// buttons that Enter clicks as Space does.
#pragma once

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace corvane::qt {

namespace keys {

// Enter or Return, alone (the keypad's Enter carries the keypad modifier).
inline bool Is_Enter(const QKeyEvent* e) {
  return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
         (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// -1 for Up and Left, +1 for Down and Right, alone; 0 for any other key.
inline int Arrow_Step(const QKeyEvent* e) {
  if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
  switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      return -1;
    case Qt::Key_Down:
    case Qt::Key_Right:
      return 1;
    default:
      return 0;
  }
}

}  // namespace keys

class CommandButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (keys::Is_Enter(e)) {
      if (!e->isAutoRepeat()) click();  // held down, it clicks once
      return;
    }
    QPushButton::keyPressEvent(e);
  }
};

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
  // An arrow key moves to another option of the group: on_arrow gets -1 or +1.
  void Set_On_Arrow(std::function<void(int)> on_arrow) { on_arrow_ = std::move(on_arrow); }

 protected:
  void nextCheckState() override {}
  void keyPressEvent(QKeyEvent* e) override {
    const int step = keys::Arrow_Step(e);
    if (step != 0 && on_arrow_) {
      on_arrow_(step);
      return;
    }
    QRadioButton::keyPressEvent(e);
  }

 private:
  std::function<void(int)> on_arrow_;
};

}  // namespace corvane::qt
