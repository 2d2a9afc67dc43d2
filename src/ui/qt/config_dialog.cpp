#include "ui/qt/config_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane::qt {

ConfigDialog::ConfigDialog(QWidget* parent, ConfigModel model,
                           std::function<void(const std::vector<ConfigWordValue>&)> apply)
    : QDialog(parent), model_(std::move(model)), apply_(std::move(apply)) {
  setObjectName(QStringLiteral("frmConfig"));
  setWindowTitle(QString::fromStdString(model_.title()));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const auto& rows = model_.rows();
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("cboField_%1").arg(r));
    for (const std::string& v : rows[static_cast<std::size_t>(r)].values) {
      box->addItem(QString::fromStdString(v));
    }
    // A word whose bits match no value shows the box empty.
    box->setCurrentIndex(rows[static_cast<std::size_t>(r)].chosen);
    connect(box, &QComboBox::activated, this, [this, r](int index) {
      model_.Choose(r, index);
      Show_Words();
    });
    form->addRow(QString::fromStdString(rows[static_cast<std::size_t>(r)].label), box);
    boxes_.push_back(box);
  }
  layout->addLayout(form);
  for (std::size_t i = 0; i < model_.words().size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblWord_%1").arg(i));
    layout->addWidget(label);
    words_.push_back(label);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Show_Words();
}

void ConfigDialog::Show_Words() {
  const std::vector<std::string> texts = model_.Word_Texts();
  for (std::size_t i = 0; i < words_.size(); ++i)
    words_[i]->setText(QString::fromStdString(texts[i]));
  const auto& rows = model_.rows();
  for (std::size_t r = 0; r < boxes_.size(); ++r) boxes_[r]->setCurrentIndex(rows[r].chosen);
}

void ConfigDialog::Ok() {
  apply_(model_.words());
  accept();
}

}  // namespace corvane::qt
