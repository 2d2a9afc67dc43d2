// The memory view (View, Memory): the window logic's rows (Panneau::Memory_Rows) in a read-only
// box, its checksums in the title. Modeless; Escape closes it.
#pragma once

#include <QDialog>

#include "ui/memory_view.h"

class QLabel;
class QPlainTextEdit;

namespace corvane::qt {

class MemoryDialog final : public QDialog {
 public:
  explicit MemoryDialog(QWidget* parent);
  void Show_View(const MemoryView& view);
  QPlainTextEdit* text_box() const { return text_; }
  QLabel* heading() const { return heading_; }

 private:
  QLabel* heading_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace corvane::qt
