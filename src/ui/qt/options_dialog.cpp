#include "ui/qt/options_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

namespace corvane::qt {

namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The shift state of a key press: 1 Shift, 2 Ctrl, 4 Alt.
int Shift_State(Qt::KeyboardModifiers m) {
  int state = 0;
  if (m & Qt::ShiftModifier) state |= kShiftMask;
  if (m & Qt::ControlModifier) state |= kCtrlMask;
  if (m & Qt::AltModifier) state |= kAltMask;
  return state;
}

int Key_Code(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:  // Shift+Tab
      return kKeyTab;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyReturn;
    default:
      return qt_key;
  }
}

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent, PortPage page, BoardActions actions)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      page_(std::move(page)),
      actions_(std::move(actions)) {
  setObjectName(QStringLiteral("frmOptions"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Options"));
  setFixedSize(410, 328);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tbsOptions"));
  tabs_->setGeometry(7, 8, 393, 283);
  for (int i = 0; i < OptionsModel::kTabCount; ++i) {
    const OptionsTab& tab = OptionsModel::kTabs[i];
    // The tab strip's own pages stay empty: the dialog's pages lie over it.
    auto* blank = new QWidget(tabs_);
    blank->setObjectName(Text(tab.key));
    tabs_->addTab(blank, Text(tab.caption));
    tabs_->setTabToolTip(i, Text(tab.tool_tip));
  }
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    model_.Select_Tab(index + 1);
    Show_Pages();
  });

  Build_Pages();

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setGeometry(166, 297, 73, 25);
  cancel_ = new QPushButton(QStringLiteral("Annuler"), this);
  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  cancel_->setGeometry(248, 297, 73, 25);
  apply_ = new QPushButton(QStringLiteral("Appliquer"), this);
  apply_->setObjectName(QStringLiteral("cmdApply"));
  apply_->setGeometry(328, 297, 73, 25);
  for (QPushButton* b : {ok_, cancel_, apply_}) b->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, [this] { Act(OptionsModel::Ok()); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Act(OptionsModel::Cancel()); });
  connect(apply_, &QPushButton::clicked, this, [this] { Act(OptionsModel::Apply()); });

  // The dialog sees every key before its controls do.
  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  Show_Pages();
}

void OptionsDialog::Build_Pages() {
  struct Sample {
    const char* name;
    const char* caption;
    int left, top;
  };
  static constexpr Sample kSamples[OptionsModel::kPageCount] = {
      {"fraSample1", "Exemple 1", 32, 17},
      {"fraSample2", "Exemple 2", 43, 20},
      {"fraSample3", "Exemple 3", 103, 45},
      {"fraSample4", "Exemple 4", 140, 56},
  };
  for (int i = 0; i < OptionsModel::kPageCount; ++i) {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("picOptions(%1)").arg(i));
    auto* sample = new QGroupBox(QLatin1String(kSamples[i].caption), page);
    sample->setObjectName(QLatin1String(kSamples[i].name));
    sample->setGeometry(kSamples[i].left, kSamples[i].top, 137, 119);
    pages_[i] = page;
  }
  ports_[1] = new QRadioButton(QStringLiteral("LPT1: (0x378)"), pages_[0]);
  ports_[1]->setObjectName(QStringLiteral("OptPort(1)"));
  ports_[1]->setGeometry(208, 40, 105, 25);
  ports_[2] = new QRadioButton(QStringLiteral("LPT2: (0x278)"), pages_[0]);
  ports_[2]->setObjectName(QStringLiteral("OptPort(2)"));
  ports_[2]->setGeometry(208, 64, 105, 25);
  Build_Boards(pages_[0]);
}

void OptionsDialog::Build_Boards(QWidget* page) {
  QFont small = font();
  small.setPixelSize(11);
  auto* caption = new QLabel(QStringLiteral("Board :"), page);
  caption->setObjectName(QStringLiteral("lblBoard"));
  caption->setGeometry(8, 144, 46, 22);
  boards_ = new QComboBox(page);
  boards_->setObjectName(QStringLiteral("cboBoard"));
  boards_->setGeometry(56, 143, 315, 22);
  for (const PortPage::Entry& e : page_.entries()) boards_->addItem(Text(e.caption));
  boards_->setCurrentIndex(page_.selected());
  description_ = new QLabel(page);
  description_->setObjectName(QStringLiteral("lblBoardWiring"));
  description_->setGeometry(8, 168, 363, 42);
  description_->setWordWrap(true);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  folder_ = new QLabel(Text(page_.Folder_Note()), page);
  folder_->setObjectName(QStringLiteral("lblBoardsFolder"));
  folder_->setGeometry(8, 212, 276, 38);
  folder_->setWordWrap(true);
  folder_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  folder_->setToolTip(Text(page_.Folder_Note()));
  for (QLabel* l : {description_, folder_}) l->setFont(small);
  test_ = new QPushButton(QStringLiteral("Board test"), page);
  test_->setObjectName(QStringLiteral("cmdBoardTest"));
  test_->setGeometry(290, 218, 81, 25);
  test_->setAutoDefault(false);
  auto show = [this] { description_->setText(Text(page_.Description())); };
  show();
  connect(boards_, &QComboBox::currentIndexChanged, this, [this, show](int index) {
    page_.Select(index);
    show();
  });
  // The board test runs on the board selected: applied first when it is not the one in use.
  connect(test_, &QPushButton::clicked, this, [this] {
    Apply_Board();
    if (actions_.test) actions_.test();
  });
}

void OptionsDialog::Apply_Board() {
  if (!page_.Changed()) return;
  page_.Applied();
  if (actions_.apply) actions_.apply(page_.choice());
}

void OptionsDialog::Show_Pages() {
  for (int i = 0; i < OptionsModel::kPageCount; ++i) {
    // Twips to pixels, rounding towards minus infinity so a hidden page stays outside.
    const int twips = model_.page_left_twips(i);
    const int left =
        twips >= 0 ? twips / kTwipsPerPixel : -((-twips + kTwipsPerPixel - 1) / kTwipsPerPixel);
    pages_[i]->setGeometry(left, 32, 379, 252);
    pages_[i]->setEnabled(model_.page_enabled(i));
    pages_[i]->raise();
  }
  if (tabs_->currentIndex() != model_.selected_tab() - 1) {
    tabs_->setCurrentIndex(model_.selected_tab() - 1);
  }
}

void OptionsDialog::Act(const OptionsAction& action) {
  if (action.apply) Apply_Board();
  if (action.close) done(Rejected);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    OptionsAction action;
    if (model_.Key_Down(Key_Code(key->key()), Shift_State(key->modifiers()), &action)) {
      Show_Pages();
      if (action.close) cancel_->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void OptionsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  // Load: centred on the screen.
  if (QScreen* s = screen()) {
    const QRect g = s->geometry();
    const auto pos = OptionsModel::Centred(g.width(), g.height(), width(), height());
    move(g.left() + pos[0], g.top() + pos[1]);
  }
}

}  // namespace corvane::qt
