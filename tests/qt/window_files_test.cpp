// Files in the window: a file named on the command line, a .hex file dropped on the window, File,
// Save on the simulated board, and the folder the file dialogs start in, kept in the settings.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <memory>

#include "qt/qt_sim_window.h"
#include "ui/qt/settings_store.h"

namespace corvane::testing {
namespace {

const Ctl kFileButtons[] = {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM};

std::unique_ptr<QMimeData> Urls(const QList<QUrl>& urls) {
  auto data = std::make_unique<QMimeData>();
  data->setUrls(urls);
  return data;
}

std::unique_ptr<QMimeData> Local_File(const QString& path) {
  return Urls({QUrl::fromLocalFile(path)});
}

// Drags the data onto the widget and drops it there, as the window system does; true when the
// window took the drop.
bool Drop(QWidget* target, const QMimeData* data) {
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

QString Absolute(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

TEST(QtWindowFilesTest, AFileNamedOnTheCommandLineOpensAsFileOpenWould) {
  QtSimWindow w;
  w.Start();
  // A relative name, as typed in a terminal.
  const QString relative = QDir::current().relativeFilePath(Demo_Hex());
  ASSERT_TRUE(w.window.Open_File(relative));
  EXPECT_EQ(w.dialogs.file_dialogs, 0);
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Absolute(Demo_Hex()));
  for (Ctl id : kFileButtons) EXPECT_TRUE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  EXPECT_TRUE(
      w.window.log_box()->toPlainText().contains("11 lines of program and 5 Bytes in EEPROM Data"));
  EXPECT_TRUE(w.Panel("Fuses").endsWith("0x3FF1")) << w.Panel("Fuses").toStdString();
  // Its folder is where the open dialog starts next.
  w.Click(Ctl::Btn_Load_File);
  EXPECT_EQ(w.dialogs.last_start_folder, QFileInfo(Demo_Hex()).absolutePath());
}

TEST(QtWindowFilesTest, AMissingFileOnTheCommandLineIsReportedAsFileOpenReportsIt) {
  QtSimWindow w;
  w.Start();
  ASSERT_TRUE(w.window.Open_File(QStringLiteral("/nonexistent/corvane/firmware.hex")));
  ASSERT_EQ(w.dialogs.boxes.size(), 1u);
  EXPECT_TRUE(w.dialogs.boxes[0].startsWith("Error while reading file"))
      << w.dialogs.boxes[0].toStdString();
  EXPECT_EQ(w.window.windowTitle(), "Corvane by Dravik ");
  for (Ctl id : kFileButtons) EXPECT_FALSE(w.widget(id)->isEnabled()) << w.win.control(id).name;
}

TEST(QtWindowFilesTest, ADroppedHexFileOpens) {
  QtSimWindow w;
  w.Start();
  w.window.show();
  const auto data = Local_File(Demo_Hex());
  // Dropped on the log, which takes no drops of its own: the window takes it.
  EXPECT_TRUE(Drop(w.window.log_box()->viewport(), data.get()));
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Absolute(Demo_Hex()));
  for (Ctl id : kFileButtons) EXPECT_TRUE(w.widget(id)->isEnabled()) << w.win.control(id).name;
  EXPECT_EQ(w.st.ProgramImage[0], 0x2805);
  EXPECT_EQ(w.dialogs.file_dialogs, 0);
  EXPECT_EQ(w.settings.Value(kLastFolderKey), QFileInfo(Demo_Hex()).absolutePath().toStdString());
  // Dropped on a button, the same file opens again.
  EXPECT_TRUE(Drop(w.widget(Ctl::Btn_Verify), data.get()));
  w.window.hide();
}

// A file manager proposes a move when the user drags without a modifier: the window only reads
// the file, so it takes every drop as a copy, and the source never deletes it.
TEST(QtWindowFilesTest, ADropIsTakenAsACopyEvenWhenAMoveIsProposed) {
  QtSimWindow w;
  w.Start();
  w.window.show();
  const auto data = Local_File(Demo_Hex());
  QWidget* target = w.window.log_box()->viewport();
  const QPoint at = target->rect().center();
  const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(at, both, data.get(), Qt::LeftButton, Qt::NoModifier);
  enter.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted());
  EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
  QDropEvent drop(QPointF(at), both, data.get(), Qt::LeftButton, Qt::NoModifier);
  drop.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(target, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
  EXPECT_EQ(w.st.ProgramImage[0], 0x2805);
  w.window.hide();
}

TEST(QtWindowFilesTest, DropsOfAnythingButOneLocalHexFileAreRefused) {
  QtSimWindow w;
  w.Start();
  w.window.show();
  const QUrl hex = QUrl::fromLocalFile(Demo_Hex());
  const QUrl asm_file =
      QUrl::fromLocalFile(QStringLiteral(CORVANE_TEST_DATA "/pic16f84a_demo.asm"));
  const auto refused = {Urls({asm_file}), Urls({hex, hex}),
                        Urls({QUrl(QStringLiteral("https://example.org/blink.hex"))}), Urls({})};
  for (const auto& data : refused) {
    EXPECT_FALSE(Drop(&w.window, data.get())) << data->urls().size();
  }
  QMimeData text;
  text.setText(Demo_Hex());
  EXPECT_FALSE(Drop(&w.window, &text));
  EXPECT_EQ(w.window.windowTitle(), "Corvane by Dravik");
  EXPECT_FALSE(w.widget(Ctl::Btn_Program_Device)->isEnabled());
  EXPECT_TRUE(w.dialogs.boxes.empty());
  w.window.hide();
}

TEST(QtWindowFilesTest, ADropDuringAnOperationIsRefused) {
  QtSimWindow w;
  w.Start();
  w.window.show();
  const QString other = QStringLiteral(CORVANE_TEST_DATA "/pic16f877_demo_inhx8m.hex");
  w.Load(Demo_Hex());
  const auto data = Local_File(other);
  bool tried = false;
  bool accepted = true;
  QObject::connect(w.window.log_box(), &QPlainTextEdit::textChanged, [&] {
    if (tried) return;
    tried = true;
    accepted = Drop(&w.window, data.get());
  });
  w.Click(Ctl::Btn_Program_Device);
  EXPECT_TRUE(tried);
  EXPECT_FALSE(accepted);
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Demo_Hex());
  EXPECT_EQ(w.st.ProgramImage[0], 0x2805);
  // Once the operation has ended, the same drop opens the file.
  EXPECT_TRUE(Drop(&w.window, data.get()));
  EXPECT_EQ(w.window.windowTitle(), "Corvane : " + Absolute(other));
  w.window.hide();
}

TEST(QtWindowFilesTest, FileSaveWritesTheChipToTheFileChosen) {
  QtSimWindow w;
  w.Start();
  w.Load(Demo_Hex());
  w.Click(Ctl::Btn_Program_Device);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("backup.hex"));
  w.dialogs.save_files.push_back(path);
  QAction* save = w.window.menu_action(Ctl::Menu_File_Save);
  ASSERT_TRUE(save->isEnabled());
  save->trigger();
  EXPECT_EQ(w.dialogs.save_dialogs, 1);
  EXPECT_EQ(w.dialogs.last_filter, "HEX files (*.hex)");
  EXPECT_EQ(w.dialogs.last_suffix, "hex");
  // It starts in the folder of the file last opened.
  EXPECT_EQ(w.dialogs.last_start_folder, QFileInfo(Demo_Hex()).absolutePath());
  EXPECT_TRUE(w.dialogs.boxes.empty());
  EXPECT_TRUE(w.window.log_box()->toPlainText().contains("Saved to " + path));
  EXPECT_EQ(w.Panel("Status"), "Device Saved");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // The demo's first words, 2805 and three blanks, low byte first.
  EXPECT_TRUE(file.readLine().startsWith(":100000000528FF3FFF3FFF3F"));
  // The next dialog starts where the backup went.
  w.Click(Ctl::Btn_Load_File);
  EXPECT_EQ(w.dialogs.last_start_folder, dir.path());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtWindowFilesTest, FileSaveCancelledOrWithoutABoard) {
  QtSimWindow w;
  w.Start();
  const QString log = w.window.log_box()->toPlainText();
  w.window.menu_action(Ctl::Menu_File_Save)->trigger();  // cancelled
  EXPECT_EQ(w.dialogs.save_dialogs, 1);
  EXPECT_EQ(w.window.log_box()->toPlainText(), log);
  EXPECT_TRUE(w.dialogs.boxes.empty());

  QtSimWindow empty({}, /*empty_bus=*/true);
  empty.Start();
  empty.dialogs.boxes.clear();
  empty.window.menu_action(Ctl::Menu_File_Save)->trigger();
  EXPECT_EQ(empty.dialogs.save_dialogs, 0);
  ASSERT_EQ(empty.dialogs.boxes.size(), 1u);
  EXPECT_EQ(empty.dialogs.boxes[0],
            "No Valid Port Found ! (Check connections and supply voltages)");
}

TEST(QtWindowFilesTest, TheOpenDialogStartsInTheFolderLastUsedFromOneRunToTheNext) {
  QTemporaryDir dir;
  const QString chosen = dir.filePath(QStringLiteral("blink.hex"));
  MemorySettings settings;
  {
    QtSimWindow first({}, false, nullptr, &settings);
    first.Start();
    first.Click(Ctl::Btn_Load_File);  // nothing known yet: the dialog's own choice
    EXPECT_EQ(first.dialogs.last_start_folder, "");
    first.Load(chosen);  // a missing file: its folder is remembered all the same
    first.Click(Ctl::Btn_Load_File);
    EXPECT_EQ(first.dialogs.last_start_folder, dir.path());
  }
  QtSimWindow next({}, false, nullptr, &settings);
  next.Start();
  next.Click(Ctl::Btn_Load_File);
  EXPECT_EQ(next.dialogs.last_start_folder, dir.path());

  // A folder that has gone since is not offered.
  settings.Set_Value(kLastFolderKey, "/nonexistent/corvane");
  QtSimWindow later({}, false, nullptr, &settings);
  later.Click(Ctl::Btn_Load_File);
  EXPECT_EQ(later.dialogs.last_start_folder, "");
}

TEST(QtWindowFilesTest, SettingsAreKeptThroughQSettings) {
  {
    qt::QtSettingsStore store;
    store.Set_Value(kLastFolderKey, "/home/ann/pic \xC3\xA9t\xC3\xA9");
  }
  qt::QtSettingsStore again;
  EXPECT_EQ(again.Value(kLastFolderKey), "/home/ann/pic \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(again.Value("files/none"), "");
  // Never in the user's own settings.
  EXPECT_FALSE(QSettings().fileName().startsWith(QDir::homePath() + "/.config/"))
      << QSettings().fileName().toStdString();
}

}  // namespace
}  // namespace corvane::testing
