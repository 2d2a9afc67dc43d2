#include "ui/qt/dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace corvane::qt {

void QtDialogService::Message_Box(QWidget* parent, const QString& text) {
  // No title of its own: the box carries the application's title.
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

QString QtDialogService::Open_File(QWidget* parent, const QString& name_filter,
                                   const QString& default_suffix) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(name_filter);
  dialog.setDefaultSuffix(default_suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString Qt_Name_Filter(std::string_view filter) {
  const QStringList fields = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
                                 .split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    const QString description = fields[i].trimmed();
    QString patterns = fields[i + 1].trimmed();
    if (patterns.isEmpty()) continue;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString bracketed = QLatin1Char('(') + patterns + QLatin1Char(')');
    if (description.isEmpty()) {
      entries << bracketed;
    } else if (description.endsWith(bracketed)) {
      entries << description;
    } else {
      entries << description + QLatin1Char(' ') + bracketed;
    }
  }
  return entries.join(QStringLiteral(";;"));
}

}  // namespace corvane::qt
