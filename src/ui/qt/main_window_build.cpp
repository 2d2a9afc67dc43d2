// Building the main window's widgets: the controls at their places, the status bar and the menus.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "ui/layout.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/mirror_buttons.h"
#include "ui/qt/options_dialog.h"
#include "ui/qt/panel_label.h"
#include "ui/qt/pictures.h"

namespace corvane::qt {

namespace {

int Index(Ctl id) {
  return static_cast<int>(id);
}

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void Set_Background(QWidget* w, Rgb colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, QColor(colour.r, colour.g, colour.b));
  w->setPalette(p);
  w->setBackgroundRole(QPalette::Window);
  w->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(DialogService& dialogs, SettingsStore* settings, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), settings_(settings), folders_(settings) {
  setObjectName(QStringLiteral("Panneau"));
  setWindowTitle(QStringLiteral("Corvane by Dravik"));
  setWindowIcon(QIcon(Chip_Icon()));
  // The controls' captions are sized for a small font.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  Build_Controls();
  Build_Menus();
  // The window is as large as its client area and menu bar, and not resizable.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setAcceptDrops(true);
}

void MainWindow::Build_Controls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  Set_Background(client, kWindowGreen);
  setCentralWidget(client);

  const auto controls = Initial_Controls();
  for (const Place& place : kPlaces) {
    QWidget* parent = place.parent == kClientArea ? client : widgets_[Index(place.parent)];
    const Control& c = controls[Index(place.id)];
    const Ctl id = place.id;
    QWidget* w = nullptr;
    switch (c.kind) {
      case ControlKind::Button: {
        auto* b = new CommandButton(Text(c.caption), parent);
        connect(b, &QPushButton::clicked, this, [this, id] { Click(id); });
        w = b;
        break;
      }
      case ControlKind::CheckBox: {
        auto* b = new MirrorCheckBox(Text(c.caption), parent);
        b->setTristate(true);
        connect(b, &QCheckBox::clicked, this, [this, id] { Click(id); });
        w = b;
        break;
      }
      case ControlKind::OptionButton: {
        auto* b = new MirrorRadioButton(Text(c.caption), parent);
        connect(b, &QRadioButton::clicked, this, [this, id] { Click(id); });
        // An arrow key selects the option it moves to, running its handler as a click would.
        b->Set_On_Arrow([this, id](int step) {
          const Ctl to = Option_Moved_To(id, step);
          widgets_[Index(to)]->setFocus(Qt::OtherFocusReason);
          Click(to);
        });
        w = b;
        break;
      }
      case ControlKind::Frame:
        w = new QGroupBox(Text(c.caption), parent);
        break;
      case ControlKind::Label:
        w = new QLabel(Text(c.text), parent);
        break;
      case ControlKind::TextBox: {
        log_ = new QPlainTextEdit(parent);
        log_->setReadOnly(true);
        log_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        log_->setFocusPolicy(Qt::StrongFocus);
        log_->setTabChangesFocus(true);
        log_->setLineWrapMode(QPlainTextEdit::NoWrap);
        log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        w = log_;
        break;
      }
      default:
        continue;
    }
    w->setObjectName(Text(c.name));
    w->setGeometry(place.left, place.top, place.width, place.height);
    widgets_[Index(id)] = w;
  }
  // The check boxes below the log share the window's green.
  for (Ctl id : {Ctl::Check_auto, Ctl::Check_Vdd, Ctl::Check_Speed, Ctl::lblSpeed}) {
    Set_Background(widgets_[Index(id)], kWindowGreen);
  }
  Set_Background(widgets_[Index(Ctl::Frame1)], kFrame1Orange);
  Set_Background(widgets_[Index(Ctl::Choix_Osc)], kChoixOscColour);
  Set_Background(widgets_[Index(Ctl::Choix_Timers)], kChoixTimersColour);
  // The write/read test button is offered by neither program.
  widgets_[Index(Ctl::Command1)]->hide();

  // The device box shows the device the program selected; the user cannot change it.
  auto* device = new QComboBox(client);
  device->setObjectName(QStringLiteral("Device"));
  device->setEditable(true);
  for (std::string_view item : kDeviceItems) device->addItem(Text(item));
  device->setGeometry(kDevicePlace.left, kDevicePlace.top, kDevicePlace.width, kDevicePlace.height);
  widgets_[Index(Ctl::Device)] = device;

  Build_Status_Bar(client);

  for (std::size_t i = 0; i + 1 < kTabOrder.size(); ++i) {
    QWidget::setTabOrder(widgets_[Index(kTabOrder[i])], widgets_[Index(kTabOrder[i + 1])]);
  }
}

void MainWindow::Build_Status_Bar(QWidget* client) {
  status_bar_ = new QStatusBar(client);
  status_bar_->setObjectName(QStringLiteral("sbrStatus"));
  status_bar_->setSizeGripEnabled(false);
  // The status bar keeps the system's colours, not the window's green.
  QPalette system = QApplication::palette();
  system.setColor(QPalette::Window, system.color(QPalette::Window));
  system.setColor(QPalette::WindowText, system.color(QPalette::WindowText));
  status_bar_->setPalette(system);
  status_bar_->setAutoFillBackground(true);
  status_bar_->setGeometry(kStatusBarPlace.left, kStatusBarPlace.top, kStatusBarPlace.width,
                           kStatusBarPlace.height);
  // One font for the four panels: the largest in which each panel's widest usual text fits.
  QFont panel_font = font();
  for (const StatusPanel& p : kStatusPanels) {
    auto* label = new PanelLabel(Text(p.description), p.width, status_bar_);
    label->setObjectName(Text(p.key));
    status_bar_->addWidget(label);
    panels_.emplace(std::string(p.key), label);
    panel_font = Font_To_Fit(panel_font, Text(p.widest_text), label->Text_Room());
  }
  for (const StatusPanel& p : kStatusPanels) {
    PanelLabel* label = panels_.at(std::string(p.key));
    label->Set_Base_Font(panel_font);
    label->Show_Text(Text(p.initial_text));
  }
  // At the right of the status bar during a command, in the room the "Port" panel gives up: the
  // progress of a transfer, and the Stop button.
  progress_ = new QProgressBar(status_bar_);
  progress_->setObjectName(QStringLiteral("prgTransfer"));
  progress_->setTextVisible(true);
  progress_->setAlignment(Qt::AlignCenter);
  progress_->setFont(Font_To_Fit(font(), QStringLiteral("50% 12:34 left"), kProgressWidth - 4));
  progress_->hide();
  const auto controls = Initial_Controls();
  auto* stop = new QPushButton(Text(controls[Index(Ctl::Btn_Stop)].caption), status_bar_);
  stop->setObjectName(QStringLiteral("Btn_Stop"));
  stop->setFocusPolicy(Qt::NoFocus);
  stop->setToolTip(QStringLiteral("Stops the operation after the word in progress (Esc)"));
  connect(stop, &QPushButton::clicked, this, [this] { Click(Ctl::Btn_Stop); });
  stop->hide();
  // Right-aligned in the status bar, outside its layout: the panels keep their places.
  const int top = 2;
  const int height = kStatusBarPlace.height - 4;
  const int stop_left = kStatusBarPlace.width - kCommandWidgetGap - kStopButtonWidth;
  stop->setGeometry(stop_left, top, kStopButtonWidth, height);
  progress_->setGeometry(stop_left - kCommandWidgetGap - kProgressWidth, top, kProgressWidth,
                         height);
  widgets_[Index(Ctl::Btn_Stop)] = stop;
}

void MainWindow::Build_Menus() {
  const auto controls = Initial_Controls();
  auto caption = [&controls](Ctl id) { return Text(controls[Index(id)].caption); };
  auto add = [this, &caption, &controls](QMenu* menu, Ctl id) {
    QAction* a = menu->addAction(caption(id));
    a->setObjectName(Text(controls[Index(id)].name));
    const std::string& shortcut = controls[Index(id)].shortcut;
    if (!shortcut.empty()) a->setShortcut(QKeySequence(Text(shortcut), QKeySequence::PortableText));
    connect(a, &QAction::triggered, this, [this, id] { Click(id); });
    actions_[Index(id)] = a;
  };
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(caption(Ctl::Menu_File));
  actions_[Index(Ctl::Menu_File)] = file->menuAction();
  add(file, Ctl::Menu_File_Open);
  add(file, Ctl::Menu_File_Save);
  add(file, Ctl::Menu_File_Exit);
  QMenu* options = bar->addMenu(caption(Ctl::Menu_Options));
  actions_[Index(Ctl::Menu_Options)] = options->menuAction();
  add(options, Ctl::Menu_Options_HardWare);
  add(options, Ctl::Menu_Options_Fast);
  actions_[Index(Ctl::Menu_Options_Fast)]->setCheckable(true);
  add(options, Ctl::Menu_Options_Config);
  QMenu* view = bar->addMenu(caption(Ctl::Menu_View));
  actions_[Index(Ctl::Menu_View)] = view->menuAction();
  add(view, Ctl::Menu_View_Memory);
  add(view, Ctl::Menu_View_Blank_Check);
  // "&About" has no items: choosing it opens the about box.
  QAction* about = bar->addAction(caption(Ctl::Menu_About));
  about->setObjectName(QStringLiteral("Menu_About"));
  connect(about, &QAction::triggered, this, [this] { Click(Ctl::Menu_About); });
  actions_[Index(Ctl::Menu_About)] = about;
}

}  // namespace corvane::qt
