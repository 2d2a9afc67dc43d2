// The about box: title, version, credits, the system's family, and the system-information tool.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "ui/about_model.h"
#include "ui/qt/dialog_service.h"
#include "ui/registry.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane::qt {

// The room a text has in a framed box or button of the given width: a margin of kTextMargin
// inside a frame of kFrameWidth on each side.
inline constexpr int kTextMargin = 4;
inline constexpr int kFrameWidth = 2;
int Text_Room(int width);
// A caption as shown: without its mnemonic marks.
QString Shown_Caption(QString caption);

// The program's version as the build gives it.
std::string Program_Version_Text();

class AboutDialog final : public QDialog {
 public:
  // Deleted when closed; the next "About" creates it anew.
  AboutDialog(QWidget* parent, DialogService& dialogs, const std::string& os_version_text,
              RegistryApi& registry, ProgramLauncher& launcher);

  const AboutModel& model() const { return model_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* sysinfo_button() const { return sysinfo_; }
  QLineEdit* system_text() const { return system_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* Add_Label(const char* name, std::string_view text, int x, int y, int w, int h);
  void Start_SysInfo();

  AboutModel model_;
  DialogService& dialogs_;
  RegistryApi& registry_;
  ProgramLauncher& launcher_;
  QPushButton* ok_ = nullptr;
  QPushButton* sysinfo_ = nullptr;
  QLineEdit* system_ = nullptr;
};

}  // namespace corvane::qt
