#include "ui/qt/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QUrl>
#include <QWindow>

#include "ui/layout.h"
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

// Whether an event for `receiver` goes to the active modal box (a command's message box or file
// dialog) or to one of its pop-ups. The menus' shortcuts go to their actions, never to a box.
bool In_Modal_Box(const QObject* receiver) {
  const QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return false;
  if (receiver->isWidgetType()) {
    const QWidget* window = static_cast<const QWidget*>(receiver)->window();
    return window == modal || window->windowType() == Qt::Popup;
  }
  if (receiver->isWindowType()) {
    const auto* window = static_cast<const QWindow*>(receiver);
    return window == modal->windowHandle() || window->type() == Qt::Popup;
  }
  return false;
}

}  // namespace

QString Log_Display_Text(std::string_view log) {
  QString text = Text(log);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QString Dropped_Hex_File(const QMimeData* data) {
  if (!data || !data->hasUrls()) return QString();
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return QString();
  const QString path = urls.front().toLocalFile();
  return Is_Hex_File_Name(path.toStdString()) ? path : QString();
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
  for (auto& [key, label] : panels_) label->Show_Text(Text(panneau_->status(key)));
  log_->setPlainText(Log_Display_Text(panneau_->log()));
  log_->moveCursor(QTextCursor::End);
  setWindowTitle(Text(panneau_->caption()));
  // "Fast programming" as the user left it in the last run; from now on each change is kept.
  if (settings_) {
    const bool fast = settings_->Value(kFastProgrammingKey) == "1";
    panneau_->Set_Value(Ctl::Menu_Options_Fast, fast ? kChecked : kUnchecked);
  }
  speed_restored_ = true;
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { Focus_Changed(now); });
}

void MainWindow::Focus_Changed(QWidget* now) {
  if (!panneau_ || !now) return;
  for (int i = 0; i < kControlCount; ++i) {
    if (widgets_[i] == now) panneau_->Focus_Moved(static_cast<Ctl>(i));
  }
}

void MainWindow::Set_Focus(Ctl id) {
  QWidget* w = control_widget(id);
  if (w && w->isEnabled() && w->isVisible()) w->setFocus(Qt::OtherFocusReason);
}

void MainWindow::Start() {
  Run_Command([this] { panneau_->Form_Load(); });
}

void MainWindow::Click(Ctl id) {
  // Once closed, the window runs nothing more (a script's later clicks included).
  if (!panneau_ || closed_) return;
  Run_Command([this, id] { panneau_->Click(id); });
  // A checkable menu item shows what the logic made of the click (nothing, during a command).
  if (menu_action(id)) Control_Changed(id);
}

bool MainWindow::Open_File(const QString& path) {
  if (!panneau_ || closed_ || command_depth_ > 0 || path.isEmpty()) return false;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  bool opened = false;
  Run_Command([&] { opened = panneau_->Open_File(absolute.toStdString()); });
  if (opened) folders_.File_Used(absolute.toStdString());
  return opened;
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
  if (memory_ && memory_->isVisible()) memory_->Show_View(panneau_->Memory_Rows());
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
    case QEvent::ContextMenu:
      // The whole program takes no input, the about and options boxes and the menus'
      // shortcuts included; only the command's own message box still does, and what stops the
      // command or leaves the program.
      if (!In_Modal_Box(watched) && !Input_Taken_During_Command(watched, event)) return true;
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::In_Menus(const QObject* watched) const {
  if (watched->isWidgetType()) {
    const auto* w = static_cast<const QWidget*>(watched);
    return w == menuBar() || w->window()->windowType() == Qt::Popup;
  }
  return watched->isWindowType() && static_cast<const QWindow*>(watched)->type() == Qt::Popup;
}

bool MainWindow::Input_Taken_During_Command(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      if (In_Menus(watched)) return true;  // an open menu, as Exit is chosen in it
      const auto* key = static_cast<const QKeyEvent*>(event);
      const QAction* exit = menu_action(Ctl::Menu_File_Exit);
      if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        Click(Ctl::Btn_Stop);
      } else if (exit && QKeySequence(key->keyCombination()) == exit->shortcut()) {
        Click(Ctl::Menu_File_Exit);
      }
      return false;  // taken here, never passed on
    }
    case QEvent::Shortcut:
      // The Exit shortcut: its action asks the logic, which closes the window afterwards.
      return watched == menu_action(Ctl::Menu_File_Exit) || In_Menus(watched);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      // The window passes a click on to the widget under it, which is filtered in its turn.
      if (watched == windowHandle()) return true;
      return watched == control_widget(Ctl::Btn_Stop) || In_Menus(watched);
    default:
      return In_Menus(watched);
  }
}

void MainWindow::Repaint_If_Due() {
  // During a command the window takes no input, but it still repaints now and then so the log and
  // the panels stay live and the desktop never sees a dead window.
  // The user's input is delivered too, and filtered: the Stop button and Escape are taken.
  if (command_depth_ > 0 && repaint_gate_.Due()) QCoreApplication::processEvents();
}

void MainWindow::Before_Modal() {
  // A close asked for by the window manager waits in the window system's queue while the
  // command runs; a modal box would then refuse it, the window being blocked by the box. Take
  // it now, with every input dropped, so that it takes effect when the command ends.
  if (command_depth_ > 0) QCoreApplication::processEvents();
}

QString MainWindow::Start_Folder() const {
  const QString folder = Text(folders_.Last_Folder());
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

PanelLabel* MainWindow::status_panel(std::string_view key) const {
  auto it = panels_.find(key);
  return it == panels_.end() ? nullptr : it->second;
}

void MainWindow::Message_Box(std::string_view text) {
  Before_Modal();
  dialogs_.Message_Box(this, Text(text));
}

std::string MainWindow::Open_File_Dialog(std::string_view filter,
                                         std::string_view default_extension) {
  Before_Modal();
  const QString chosen =
      dialogs_.Open_File(this, Qt_Name_Filter(filter), Text(default_extension), Start_Folder());
  if (!chosen.isEmpty()) folders_.File_Used(QFileInfo(chosen).absoluteFilePath().toStdString());
  return chosen.toStdString();
}

std::string MainWindow::Save_File_Dialog(std::string_view filter,
                                         std::string_view default_extension) {
  Before_Modal();
  const QString chosen =
      dialogs_.Save_File(this, Qt_Name_Filter(filter), Text(default_extension), Start_Folder());
  if (!chosen.isEmpty()) folders_.File_Used(QFileInfo(chosen).absoluteFilePath().toStdString());
  return chosen.toStdString();
}

Answer MainWindow::Confirm(std::string_view prompt) {
  Before_Modal();
  return dialogs_.Ask(this, Text(prompt));
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
  if (PanelLabel* panel = status_panel(key)) panel->Show_Text(Text(text));
  Repaint_If_Due();
}

void MainWindow::Progress(int done, int total, std::int64_t remaining_ns) {
  if (done >= total || total <= 0) {
    progress_->hide();
  } else {
    if (progress_->isHidden()) {
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
  if (on_progress_) on_progress_(done, total);
}

void MainWindow::Speed_Hint(const SpeedHint& hint) {
  QString text;
  if (hint.worth_saying()) {
    std::string hint_text = Speed_Hint_Text(hint, "Fast programming");
    hint_text[0] = 'T';  // "This takes about ..."
    text = Text(hint_text);
  }
  progress_->setToolTip(text);
  if (QAction* fast = menu_action(Ctl::Menu_Options_Fast)) fast->setStatusTip(text);
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    if (tip.isEmpty()) {
      status_bar_->clearMessage();
    } else {
      status_bar_->showMessage(tip);
    }
    return true;
  }
  return QMainWindow::event(event);
}

void MainWindow::Control_Changed(Ctl id) {
  if (!panneau_) return;
  const Control& c = panneau_->control(id);
  const bool usable = c.enabled && c.user_available;
  if (QAction* action = menu_action(id)) {
    action->setEnabled(usable);
    if (action->isCheckable()) action->setChecked(c.value == kChecked);
    if (id == Ctl::Menu_Options_Fast && settings_ && speed_restored_) {
      settings_->Set_Value(kFastProgrammingKey, c.value == kChecked ? "1" : "0");
    }
    return;
  }
  QWidget* w = control_widget(id);
  if (!w) return;
  w->setEnabled(usable);
  w->setToolTip(Text(c.tool_tip));
  if (id == Ctl::Btn_Stop) {
    // Stop shows during a device command, in the room the "Port" panel gives up meanwhile.
    status_panel(kPanelGivingRoom)->setVisible(!usable);
    w->setVisible(usable);
    if (usable) w->raise();
    return;
  }
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
    case ControlKind::Label:
      static_cast<QLabel*>(w)->setText(Text(c.text));
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
    const BoardLibrary& library = boards_ != nullptr ? *boards_ : builtin_boards_;
    BoardActions actions;
    actions.apply = [this](std::shared_ptr<const BoardDescription> board) {
      if (!panneau_ || closed_) return;
      Run_Command([this, &board] { panneau_->Use_Board(board); });
    };
    actions.test = [this] {
      if (!panneau_ || closed_) return;
      Run_Command([this] { panneau_->Board_Test(); });
    };
    options_ = new OptionsDialog(
        this, PortPage(library, panneau_ ? panneau_->state().BoardChoice : nullptr), actions);
    connect(options_, &QDialog::finished, this, [this] { Check_All_Closed(); });
  }
  options_->show();
  options_->raise();
  options_->activateWindow();
}

void MainWindow::Show_Memory() {
  if (!memory_) {
    memory_ = new MemoryDialog(this);
    memory_->setAttribute(Qt::WA_DeleteOnClose);
    connect(memory_, &QDialog::finished, this, [this] { Check_All_Closed(); });
  }
  memory_->Show_View(panneau_->Memory_Rows());
  memory_->show();
  memory_->raise();
  memory_->activateWindow();
}

void MainWindow::Show_Config() {
  // A dialog left open shows the words as they stood: a new one shows them as they stand.
  if (config_) config_->close();
  config_ = new ConfigDialog(this, panneau_->Config_Dialog(),
                             [this](const std::vector<ConfigWordValue>& words) {
                               if (panneau_ && !closed_) panneau_->Apply_Config(words);
                             });
  config_->setAttribute(Qt::WA_DeleteOnClose);
  connect(config_, &QDialog::finished, this, [this] { Check_All_Closed(); });
  config_->show();
  config_->raise();
  config_->activateWindow();
}

void MainWindow::Window_Gone() {
  QCloseEvent close;
  closeEvent(&close);
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

bool MainWindow::Accepts_Drop(const QMimeData* data) const {
  return panneau_ && !closed_ && command_depth_ == 0 && !panneau_->busy() &&
         panneau_->control(Ctl::Btn_Load_File).enabled && !Dropped_Hex_File(data).isEmpty();
}

// A dropped file is only read: the drop is always a copy, so that the source never deletes it as
// after a move, whatever action the source proposed.
namespace {
void Accept_As_Copy(QDropEvent* event) {
  if (event->possibleActions() & Qt::CopyAction) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}
}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (Accepts_Drop(event->mimeData())) {
    Accept_As_Copy(event);
  } else {
    event->ignore();
  }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (Accepts_Drop(event->mimeData())) {
    Accept_As_Copy(event);
  } else {
    event->ignore();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (Accepts_Drop(event->mimeData()) && (event->possibleActions() & Qt::CopyAction) &&
      Open_File(Dropped_Hex_File(event->mimeData()))) {
    Accept_As_Copy(event);
  } else {
    event->ignore();
  }
}

void MainWindow::Check_All_Closed() {
  if (!closed_) return;
  if (about_ && about_->isVisible()) return;
  if (options_ && options_->isVisible()) return;
  if (memory_ && memory_->isVisible()) return;
  if (config_ && config_->isVisible()) return;
  if (on_all_closed_) on_all_closed_();
}

}  // namespace corvane::qt
