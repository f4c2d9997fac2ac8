#include <windows.h>

#include "ui/Form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  Form1 form;
  if (!form.Show(instance, showCommand)) {
    return 1;
  }
  return form.RunMessageLoop();
}
