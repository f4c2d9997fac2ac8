#include <windows.h>

#include <commctrl.h>

#include "ui/Form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Form1 form;
  if (!form.Show(instance, showCommand)) {
    return 1;
  }
  return form.RunMessageLoop();
}
