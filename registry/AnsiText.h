#pragma once
#include <string>
#include <string_view>

// Conversions between the program's wide text and the system's ANSI code page, used at every registry call.
// Characters the code page cannot represent become "?", as the ANSI registry functions themselves do.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);
