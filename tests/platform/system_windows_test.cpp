// The Windows seams under a real Windows API (Wine in CI): the version record, the names of the
// console events, and the about box's rule applied to what the system reports.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane::platform
