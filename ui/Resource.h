#pragma once
// Resource IDs shared by the program's resource script and the window's code; plain macros, since the resource
// compiler reads this file.

// The program's icon: the lowest icon ID, so Explorer shows it for the file too.
#define IDI_PLUGINSWITCH 1
