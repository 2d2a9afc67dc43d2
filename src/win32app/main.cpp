#include "platform/interrupt.h"
#include "win32app/win32_app.h"

int main(int argc, char** argv) {
  // Before the programmer is assembled: a console's Ctrl+C from now on leaves the lines safe.
  corvane::platform::Install_Interrupt_Handlers();
  return corvane::win32app::Run_Win32_App(argc, argv);
}
