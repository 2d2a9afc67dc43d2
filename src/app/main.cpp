#include "app/app.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
  // Before the programmer is assembled: a Ctrl+C from now on leaves the lines safe.
  corvane::platform::Install_Interrupt_Handlers();
  return corvane::app::Run_App(argc, argv);
}
