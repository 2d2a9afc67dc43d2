#include "app/demo.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWindow>

#include "ui/layout.h"
#include "ui/qt/main_window.h"
#include "ui/qt/memory_dialog.h"

namespace corvane::app {

void ScriptedDialogs::Message_Box(QWidget* parent, const QString& text) {
  if (quiet_boxes_) {
    *quiet_boxes_ << "corvane: message box: " << text.toStdString() << '\n';
    return;
  }
  real_.Message_Box(parent, text);
}

QString ScriptedDialogs::Open_File(QWidget* parent, const QString& name_filter,
                                   const QString& default_suffix, const QString& start_folder) {
  if (!answers_.empty()) {
    QString path = answers_.front();
    answers_.pop_front();
    return path;
  }
  if (quiet_boxes_) return QString();  // nobody to choose a file: cancelled
  return real_.Open_File(parent, name_filter, default_suffix, start_folder);
}

QString ScriptedDialogs::Save_File(QWidget* parent, const QString& name_filter,
                                   const QString& default_suffix, const QString& start_folder) {
  if (quiet_boxes_) return QString();
  return real_.Save_File(parent, name_filter, default_suffix, start_folder);
}

Answer ScriptedDialogs::Ask(QWidget* parent, const QString& text) {
  if (quiet_boxes_) return Answer::kStop;  // nobody to measure: the test stops
  return real_.Ask(parent, text);
}

void Run_Demo(qt::MainWindow& window, ScriptedDialogs& dialogs, const QString& hex_file) {
  dialogs.Answer_Open_File(hex_file);
  // Clicks on the buttons themselves: a disabled button does nothing, as for a user.
  for (Ctl id : {Ctl::Btn_Load_File, Ctl::Btn_Program_Device, Ctl::Btn_Verify}) {
    static_cast<QAbstractButton*>(window.control_widget(id))->click();
  }
}

bool Wait_Until_Exposed(qt::MainWindow& window, int timeout_ms) {
  auto exposed = [&window] { return window.windowHandle() && window.windowHandle()->isExposed(); };
  // Sleeps in the event loop until the window system answers, or the deadline passes.
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(timeout_ms);
  while (!exposed() && deadline.isActive()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return exposed();
}

bool Take_Screenshot(qt::MainWindow& window, const QString& path, std::ostream& out) {
  QCoreApplication::processEvents();
  const QPixmap picture = window.grab();
  const QRect client = window.centralWidget()->geometry();
  out << "window: " << window.width() << "x" << window.height() << '\n'
      << "menu bar: " << window.menuBar()->height() << '\n'
      << "client: " << client.x() << "," << client.y() << " " << client.width() << "x"
      << client.height() << '\n'
      << "caption: " << window.windowTitle().toStdString() << '\n';
  for (const StatusPanel& p : kStatusPanels) {
    out << "panel " << p.key << ": " << window.status_panel(p.key)->full_text().toStdString()
        << '\n';
  }
  out << "log:\n" << window.log_box()->toPlainText().toStdString();
  out.flush();
  return picture.save(path, "PNG");
}

bool Take_Memory_Screenshot(qt::MainWindow& window, const QString& path, std::ostream& out) {
  window.Click(Ctl::Menu_View_Memory);
  qt::MemoryDialog* memory = window.memory_dialog();
  if (!memory) return false;
  QCoreApplication::processEvents();
  const QPixmap picture = memory->grab();
  out << "memory view: " << memory->width() << "x" << memory->height() << '\n'
      << "title: " << memory->windowTitle().toStdString() << '\n';
  const QStringList lines = memory->text_box()->toPlainText().split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size() && i < 4; ++i) out << lines[i].toStdString() << '\n';
  out.flush();
  return picture.save(path, "PNG");
}

}  // namespace corvane::app
