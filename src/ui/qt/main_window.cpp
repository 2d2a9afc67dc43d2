#include "ui/qt/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QSettings>
#include <QTextCursor>

#include "ui/panneau.h"
#include "ui/progress_pace.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/options_dialog.h"

namespace corvane::qt {

namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Qt::CheckState Check_State(int value) {
  switch (value) {
    case kChecked:
      return Qt::Checked;
    case kGrayed:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

}  // namespace

QString Log_Display_Text(std::string_view log) {
  QString text = Text(log);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

bool QtProgramLauncher::File_Exists(const std::string& path) {
  return QFileInfo::exists(QString::fromStdString(path));
}

bool QtProgramLauncher::Start(const std::string& path) {
  return QProcess::startDetached(QString::fromStdString(path), {});
}

MainWindow::~MainWindow() {
  if (busy_cursor_) QApplication::restoreOverrideCursor();
}

void MainWindow::Attach(Panneau* panneau) {
  panneau_ = panneau;
  for (int i = 0; i < kControlCount; ++i) Control_Changed(static_cast<Ctl>(i));
  for (auto& [key, label] : panels_) label->setText(Text(panneau_->status(key)));
  log_->setPlainText(Log_Display_Text(panneau_->log()));
  log_->moveCursor(QTextCursor::End);
  setWindowTitle(Text(panneau_->caption()));
}

namespace {
const QString kFastKey = QStringLiteral("speed/fast");
}

void MainWindow::Use_Settings(QSettings* settings) {
  settings_ = nullptr;  // applying the stored choice is no change to store
  if (panneau_ && settings) {
    const bool fast = settings->value(kFastKey, false).toBool();
    panneau_->Set_Value(Ctl::Menu_Options_Fast, fast ? kChecked : kUnchecked);
  }
  settings_ = settings;
}

void MainWindow::Start() {
  Run_Command([this] { panneau_->Form_Load(); });
}

void MainWindow::Click(Ctl id) {
  if (!panneau_) return;
  Run_Command([this, id] { panneau_->Click(id); });
}

void MainWindow::Run_Command(const std::function<void()>& command) {
  const bool outermost = command_depth_ == 0;
  if (outermost) QCoreApplication::instance()->installEventFilter(this);
  ++command_depth_;
  command();
  --command_depth_;
  if (!outermost) return;
  // Clicks and keys the user gave while the command ran are dropped here, not delivered to
  // buttons that are enabled again now (an impatient click must not start an erase).
  QCoreApplication::processEvents();
  QCoreApplication::instance()->removeEventFilter(this);
  // A close asked for during the command takes effect now that it has ended.
  if (close_pending_) {
    close_pending_ = false;
    close();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
      // Only this window's input: the message boxes of a command still take their OK.
      if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) return true;
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Repaint_If_Due() {
  // During a command the window takes no input, but it still repaints now and then so the log and
  // the panels stay live and the desktop never sees a dead window.
  if (command_depth_ > 0 && repaint_gate_.Due()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

QLabel* MainWindow::status_panel(std::string_view key) const {
  auto it = panels_.find(key);
  return it == panels_.end() ? nullptr : it->second;
}

void MainWindow::Message_Box(std::string_view text) {
  dialogs_.Message_Box(this, Text(text));
}

std::string MainWindow::Open_File_Dialog(std::string_view filter,
                                         std::string_view default_extension) {
  return dialogs_.Open_File(this, Qt_Name_Filter(filter), Text(default_extension)).toStdString();
}

void MainWindow::Log_Appended(std::string_view message, bool trimmed) {
  if (trimmed) {
    log_->setPlainText(Log_Display_Text(panneau_->log()));
  } else {
    QString text = Log_Display_Text(message);
    // A CR LF split across two messages is one line end.
    if (log_ends_with_cr_ && !message.empty() && message.front() == '\n') text.remove(0, 1);
    QTextCursor end = log_->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(text);
  }
  const std::string& log = panneau_->log();
  log_ends_with_cr_ = !log.empty() && log.back() == '\r';
  log_->moveCursor(QTextCursor::End);
  log_->ensureCursorVisible();
  Repaint_If_Due();
}

void MainWindow::Status_Changed(std::string_view key, std::string_view text) {
  if (QLabel* panel = status_panel(key)) panel->setText(Text(text));
  Repaint_If_Due();
}

void MainWindow::Progress(int done, int total, std::int64_t remaining_ns) {
  if (done >= total || total <= 0) {
    progress_->hide();
  } else {
    if (progress_->isHidden()) {
      const QLabel* status = status_panel("Status");
      const QRect panel = status->geometry();
      const int width = std::min(130, panel.width() / 2);
      progress_->setGeometry(panel.right() - width - 1, panel.top() + 2, width, panel.height() - 4);
      progress_->show();
      progress_->raise();
    }
    progress_->setRange(0, total);
    // The percentage as the console shows it: rounded down, 100 only at the end.
    std::string text = std::to_string(Percent_Done(done, total)) + "%";
    const std::string left = Time_Left_Text(remaining_ns);
    if (!left.empty()) text += " " + left;
    progress_->setFormat(Text(text));
    progress_->setValue(done);
  }
  Repaint_If_Due();
}

void MainWindow::Control_Changed(Ctl id) {
  if (!panneau_) return;
  const Control& c = panneau_->control(id);
  const bool usable = c.enabled && c.user_available;
  if (QAction* action = menu_action(id)) {
    action->setEnabled(usable);
    if (action->isCheckable()) action->setChecked(c.value == kChecked);
    if (id == Ctl::Menu_Options_Fast && settings_)
      settings_->setValue(kFastKey, c.value == kChecked);
    return;
  }
  QWidget* w = control_widget(id);
  if (!w) return;
  w->setEnabled(usable);
  switch (c.kind) {
    case ControlKind::CheckBox:
      static_cast<QCheckBox*>(w)->setCheckState(Check_State(c.value));
      break;
    case ControlKind::OptionButton:
      static_cast<QAbstractButton*>(w)->setChecked(c.value != 0);
      break;
    case ControlKind::ComboBox:
      static_cast<QComboBox*>(w)->setEditText(Text(c.text));
      break;
    default:
      break;
  }
}

void MainWindow::Caption_Changed(std::string_view caption) {
  setWindowTitle(Text(caption));
}

void MainWindow::Busy_Changed(bool busy) {
  // The whole program takes no input during an operation: the hourglass shows over all of it.
  if (busy && !busy_cursor_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_cursor_ = true;
  } else if (!busy && busy_cursor_) {
    QApplication::restoreOverrideCursor();
    busy_cursor_ = false;
  }
  if (!busy) progress_->hide();
}

void MainWindow::Close_Window() {
  close();
}

void MainWindow::Show_About() {
  if (!about_) {
    about_ = new AboutDialog(this, dialogs_, panneau_ ? panneau_->state().OsVersionText : "",
                             registry_, launcher_);
    connect(about_, &QDialog::finished, this, [this] { Check_All_Closed(); });
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainWindow::Show_Options() {
  if (!options_) {
    options_ = new OptionsDialog(this, dialogs_);
    connect(options_, &QDialog::finished, this, [this] { Check_All_Closed(); });
  }
  options_->show();
  options_->raise();
  options_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (command_depth_ > 0) {
    // Closing waits for the operation to end.
    close_pending_ = true;
    event->ignore();
    return;
  }
  event->accept();
  closed_ = true;
  Check_All_Closed();
}

void MainWindow::Check_All_Closed() {
  if (!closed_) return;
  if (about_ && about_->isVisible()) return;
  if (options_ && options_->isVisible()) return;
  if (on_all_closed_) on_all_closed_();
}

}  // namespace corvane::qt
