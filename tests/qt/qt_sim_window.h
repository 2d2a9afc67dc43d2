// The Qt window bound to the window's logic on a simulated board and chip in virtual time, with
// every modal box answered by FakeDialogs: the harness of the window tests.
#pragma once

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QString>
#include <deque>
#include <functional>
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
  std::deque<QString> files;  // answers of the open-file dialog; none left: cancelled
  int file_dialogs = 0;
  QString last_filter;
  QString last_suffix;
  std::function<void(const QString&)> on_box;

  void Message_Box(QWidget*, const QString& text) override {
    boxes.push_back(text);
    if (on_box) on_box(text);
  }
  QString Open_File(QWidget*, const QString& filter, const QString& suffix) override {
    ++file_dialogs;
    last_filter = filter;
    last_suffix = suffix;
    if (files.empty()) return QString();
    QString f = files.front();
    files.pop_front();
    return f;
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
  // dialogs_instead: the boxes the window uses instead of its FakeDialogs.
  explicit QtSimWindow(SimSetup setup = {}, bool empty_bus = false,
                       qt::DialogService* dialogs_instead = nullptr)
      : chip(setup.chip),
        board(setup.board, clock, setup.base),
        lines(empty_bus ? static_cast<PortIo&>(bus) : board, clock, st),
        window(dialogs_instead ? *dialogs_instead : dialogs),
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
  qt::MainWindow window;
  Panneau win;
};

}  // namespace corvane::testing
