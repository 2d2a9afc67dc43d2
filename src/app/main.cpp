#include "app/app.h"

int main(int argc, char** argv) {
  return corvane::app::Run_App(argc, argv);
}
