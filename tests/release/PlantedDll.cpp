// What the window check plants beside the program: a DLL that only a search of the program's own folder finds.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
