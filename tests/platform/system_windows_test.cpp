// The Windows seams under a real Windows API (Wine in CI): the version record, the names of the
// console events, and the about box's rule applied to what the system reports.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/files.h"
#include "platform/interrupt.h"
#include "platform/os_version.h"
#include "ui/os_version.h"

namespace corvane::platform {
namespace {

TEST(WindowsSystemTest, VersionRecordComesFromTheSystem) {
  const OsVersionRecord r = Query_Os_Version();
  EXPECT_EQ(r.platform_id, 2);  // VER_PLATFORM_WIN32_NT
  EXPECT_GE(r.major, 5);
  // Anything newer than NT 4 reads as "Windows version: ? ".
  EXPECT_EQ(Os_Version_Text(Get_Os_Version()), "Windows version: ? ");
}

TEST(WindowsSystemTest, NamesTheConsoleEvents) {
  EXPECT_EQ(Interrupt_Name(kSigInt), "Ctrl+C");
  EXPECT_EQ(Interrupt_Name(kSigBreak), "Ctrl+Break");
  EXPECT_EQ(Interrupt_Name(kSigTerm), "console closed");
}

// Wine's C library calls a full disk "Invalid argument": the reasons come from the system's own
// error codes instead, a file another program holds in the words of the other systems' lock.
TEST(WindowsSystemTest, FileErrorsReadAsOnTheOtherSystems) {
  EXPECT_EQ(System_Error_Text(ERROR_DISK_FULL), "No space left on device");
  EXPECT_EQ(System_Error_Text(ERROR_HANDLE_DISK_FULL), "No space left on device");
  EXPECT_EQ(System_Error_Text(ERROR_SHARING_VIOLATION), "in use by another program");
  EXPECT_EQ(System_Error_Text(ERROR_LOCK_VIOLATION), "in use by another program");
  EXPECT_EQ(System_Error_Text(ERROR_FILE_NOT_FOUND), "No such file or directory");
  EXPECT_EQ(File_Failure("t.txt", System_Error_Text(ERROR_DISK_FULL)),
            "t.txt: No space left on device");
  EXPECT_EQ(File_Failure("C:\\s.hex", System_Error_Text(ERROR_SHARING_VIOLATION)),
            "C:\\s.hex is in use by another program");
}

}  // namespace
}  // namespace corvane::platform
