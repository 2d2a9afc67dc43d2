#include "ui/qt/dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace corvane::qt {

void QtDialogService::Message_Box(QWidget* parent, const QString& text) {
  // No title of its own: the box carries the application's title.
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

Answer QtDialogService::Ask(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                  QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
  QPushButton* stop = box.addButton(QStringLiteral("Stop"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(stop);
  box.exec();
  if (box.clickedButton() == yes) return Answer::kYes;
  if (box.clickedButton() == no) return Answer::kNo;
  return Answer::kStop;
}

namespace {

QString Run_File_Dialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& name_filter,
                        const QString& default_suffix, const QString& start_folder) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilter(name_filter);
  dialog.setDefaultSuffix(default_suffix);
  if (!start_folder.isEmpty()) dialog.setDirectory(start_folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString QtDialogService::Open_File(QWidget* parent, const QString& name_filter,
                                   const QString& default_suffix, const QString& start_folder) {
  return Run_File_Dialog(parent, QFileDialog::AcceptOpen, name_filter, default_suffix,
                         start_folder);
}

QString QtDialogService::Save_File(QWidget* parent, const QString& name_filter,
                                   const QString& default_suffix, const QString& start_folder) {
  return Run_File_Dialog(parent, QFileDialog::AcceptSave, name_filter, default_suffix,
                         start_folder);
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
