#include <windows.h>

#include "ui/Form1.h"

// The manifest asks for Common Controls 6. The system loads them when the first control is created, so the program
// neither imports nor initialises them itself: loading them with the program, before its first window, costs
// start-up time on some systems.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  Form1 form;
  if (!form.Show(instance, showCommand)) {
    return 1;
  }
  return form.RunMessageLoop();
}
