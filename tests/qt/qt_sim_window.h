// The Qt window bound to the window's logic on a simulated board and chip in virtual time, with
// every modal box answered by FakeDialogs: the harness of the window tests.
#pragma once

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hardware/clock.h"
#include "hardware/lines.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "support/sim_window.h"
#include "ui/panneau.h"
#include "ui/qt/dialog_service.h"
#include "ui/qt/main_window.h"

namespace corvane::testing {

class FakeDialogs : public qt::DialogService {
 public:
  std::vector<QString> boxes;
  std::deque<QString> files;       // answers of the open-file dialog; none left: cancelled
  std::deque<QString> save_files;  // answers of the save-file dialog; none left: cancelled
  int file_dialogs = 0;
  int save_dialogs = 0;
  QString last_filter;
  QString last_suffix;
  QString last_start_folder;
  std::function<void(const QString&)> on_box;

  void Message_Box(QWidget*, const QString& text) override {
    boxes.push_back(text);
    if (on_box) on_box(text);
  }
  QString Open_File(QWidget*, const QString& filter, const QString& suffix,
                    const QString& start_folder) override {
    ++file_dialogs;
    return Answer(files, filter, suffix, start_folder);
  }
  QString Save_File(QWidget*, const QString& filter, const QString& suffix,
                    const QString& start_folder) override {
    ++save_dialogs;
    return Answer(save_files, filter, suffix, start_folder);
  }

 private:
  QString Answer(std::deque<QString>& answers, const QString& filter, const QString& suffix,
                 const QString& start_folder) {
    last_filter = filter;
    last_suffix = suffix;
    last_start_folder = start_folder;
    if (answers.empty()) return QString();
    QString f = answers.front();
    answers.pop_front();
    return f;
  }
};

// The user's settings in memory.
class MemorySettings : public SettingsStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::string Value(std::string_view key) const override {
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  }
  void Set_Value(std::string_view key, std::string_view value) override {
    values[std::string(key)] = std::string(value);
  }
};

// A port with nothing on it: every read is the empty bus.
class EmptyBus : public PortIo {
 public:
  std::uint8_t read(std::uint16_t) override { return 0xFF; }
  void write(std::uint16_t, std::uint8_t) override {}
};

inline QString Demo_Hex() {
  return QStringLiteral(CORVANE_TEST_DATA "/pic16f84a_demo_inhx8m.hex");
}

class QtSimWindow {
 public:
  // dialogs_instead: the boxes the window uses instead of its FakeDialogs. settings_instead: the
  // user's settings instead of its MemorySettings.
  explicit QtSimWindow(SimSetup setup = {}, bool empty_bus = false,
                       qt::DialogService* dialogs_instead = nullptr,
                       SettingsStore* settings_instead = nullptr)
      : chip(setup.chip),
        board(setup.board, clock, setup.base),
        lines(empty_bus ? static_cast<PortIo&>(bus) : board, clock, st),
        window(dialogs_instead ? *dialogs_instead : dialogs,
               settings_instead ? settings_instead : &settings),
        win(st, lines, window) {
    if (setup.with_chip) board.insert(&chip);
    window.Attach(&win);
  }
  QtSimWindow& Start() {
    window.Start();
    return *this;
  }
  QWidget* widget(Ctl id) const { return window.control_widget(id); }
  QAbstractButton* button(Ctl id) const { return static_cast<QAbstractButton*>(widget(id)); }
  // A user's click on the control's widget.
  void Click(Ctl id) { button(id)->click(); }
  // File Open through the "LOAD File" button, with the file chosen.
  void Load(const QString& path) {
    dialogs.files.push_back(path);
    Click(Ctl::Btn_Load_File);
  }
  QString Panel(std::string_view key) const { return window.status_panel(key)->text(); }

  VirtualClock clock;
  WorkingState st;
  sim::Chip chip;
  sim::Board board;
  EmptyBus bus;
  Lines lines;
  FakeDialogs dialogs;
  MemorySettings settings;
  qt::MainWindow window;
  Panneau win;
};

// No repaint during the operation: what the user gives waits in the queue until it ends.
inline void Freeze_Repaints(QtSimWindow& w) {
  w.window.repaint_gate() = RepaintGate(50'000'000, [] { return std::int64_t{0}; });
  w.window.repaint_gate().Due();
}

// A click as the window system delivers it: press and release on the widget's centre, queued.
inline void Post_Click(QWidget* target) {
  const QPointF centre = QRectF(target->rect()).center();
  const QPointF global = target->mapToGlobal(centre);
  QCoreApplication::postEvent(
      target, new QMouseEvent(QEvent::MouseButtonPress, centre, global, Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(
      target, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                              Qt::NoButton, Qt::NoModifier));
}

}  // namespace corvane::testing
