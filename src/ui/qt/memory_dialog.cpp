#include "ui/qt/memory_dialog.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace corvane::qt {

MemoryDialog::MemoryDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMemory"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtMemory"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The title again inside the window, where it shows whatever the window manager does with titles.
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("lblMemoryTitle"));
  heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(heading_);
  layout->addWidget(text_);
  // Wide enough for a whole row, file and chip side by side.
  const QFontMetrics metrics(text_->font());
  resize(metrics.horizontalAdvance(QString(110, QLatin1Char('0'))) + 48, 480);
}

void MemoryDialog::Show_View(const MemoryView& view) {
  setWindowTitle(QString::fromStdString(view.title));
  heading_->setText(QString::fromStdString(view.title));
  QString text;
  for (const std::string& line : view.lines) {
    text += QString::fromStdString(line);
    text += QLatin1Char('\n');
  }
  // Keep the place the user scrolled to when the view is brought up to date.
  const int scrolled = text_->verticalScrollBar()->value();
  text_->setPlainText(text);
  text_->verticalScrollBar()->setValue(scrolled);
}

}  // namespace corvane::qt
