#include "ui/qt/about_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "ui/qt/panel_label.h"
#include "ui/qt/pictures.h"

namespace corvane::qt {

namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const QColor kDarkBlue(0, 0, 192);
const QColor kYellow(255, 255, 0);

}  // namespace

int Text_Room(int width) {
  return width - 2 * (kTextMargin + kFrameWidth);
}

QString Shown_Caption(QString caption) {
  return caption.remove(QLatin1Char('&'));
}

std::string Program_Version_Text() {
#ifdef CORVANE_VERSION
  return CORVANE_VERSION;
#else
  return "0.0.0.0";
#endif
}

AboutDialog::AboutDialog(QWidget* parent, DialogService& dialogs,
                         const std::string& os_version_text, RegistryApi& registry,
                         ProgramLauncher& launcher)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      model_(Program_Version_Text(), os_version_text),
      dialogs_(dialogs),
      registry_(registry),
      launcher_(launcher) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Text(model_.caption()));
  setFixedSize(381, 281);
  // The texts are sized for a small font, as in the main window.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kDarkBlue);
  setPalette(pal);
  setAutoFillBackground(true);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(Chip_Icon());
  icon->setGeometry(16, 16, 36, 36);

  QLabel* title = Add_Label("lblTitle", model_.title(), 70, 16, 291, 32);
  QFont title_font(QStringLiteral("Times New Roman"));
  title_font.setStyleHint(QFont::Serif);
  title_font.setPointSize(18);
  title_font.setBold(true);
  title->setFont(title_font);
  Add_Label("lblVersion", model_.version_label(), 70, 52, 259, 15);
  Add_Label("lblDescription", model_.description(), 40, 72, 259, 22);
  Add_Label("Label1", model_.second_description(), 72, 88, 259, 22);

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("Picture1"));
  logo->setPixmap(Logo());
  logo->setGeometry(136, 112, 113, 41);

  QLabel* disclaimer = Add_Label("lblDisclaimer", model_.disclaimer(), 17, 175, 202, 55);
  QFont disclaimer_font(QStringLiteral("Times New Roman"));
  disclaimer_font.setStyleHint(QFont::Serif);
  // 12 points where the credit and licence lines fit the label's place, else smaller.
  for (int points = 12; points >= 7; --points) {
    disclaimer_font.setPointSize(points);
    disclaimer->setFont(disclaimer_font);
    if (disclaimer->heightForWidth(disclaimer->width()) <= disclaimer->height()) break;
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setGeometry(283, 175, 84, 47);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, [this] { done(Accepted); });

  system_ = new QLineEdit(Text(model_.system_text()), this);
  system_->setObjectName(QStringLiteral("Text_Systeme"));
  system_->setReadOnly(true);
  system_->setGeometry(152, 240, 113, 25);
  // The texts keep a margin inside their frames: a smaller font where the place is narrow.
  system_->setTextMargins(kTextMargin, 0, kTextMargin, 0);
  system_->setFont(Font_To_Fit(font(), system_->text(), Text_Room(system_->width())));

  sysinfo_ = new QPushButton(Text(model_.sysinfo_caption()), this);
  sysinfo_->setObjectName(QStringLiteral("cmdSysInfo"));
  sysinfo_->setAutoDefault(false);
  QFont narrow = font();
  narrow.setPixelSize(10);
  sysinfo_->setGeometry(284, 240, 83, 23);
  sysinfo_->setFont(Font_To_Fit(narrow, Shown_Caption(sysinfo_->text()), Text_Room(83)));
  connect(sysinfo_, &QPushButton::clicked, this, [this] { Start_SysInfo(); });
}

QLabel* AboutDialog::Add_Label(const char* name, std::string_view text, int x, int y, int w,
                               int h) {
  auto* label = new QLabel(Text(text), this);
  label->setObjectName(QLatin1String(name));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, kYellow);
  label->setPalette(pal);
  label->setGeometry(x, y, w, h);
  return label;
}

void AboutDialog::Start_SysInfo() {
  StartSysInfo(registry_, launcher_,
               [this](std::string_view text) { dialogs_.Message_Box(this, Text(text)); });
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
  int code = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) code = kKeyReturn;
  if (event->key() == Qt::Key_Escape) code = kKeyEscape;
  if (event->modifiers() == Qt::NoModifier || event->key() == Qt::Key_Enter) {
    if (AboutModel::Closes_On_Key(code)) {
      ok_->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void AboutDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter p(this);
  p.setPen(QPen(QColor(128, 128, 128), 1));
  p.drawLine(6, 160, 377, 160);
  p.setPen(QPen(Qt::white, 2));
  p.drawLine(7, 164, 377, 164);
}

}  // namespace corvane::qt
