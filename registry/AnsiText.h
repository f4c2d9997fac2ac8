#pragma once
#include <string>
#include <string_view>

// Conversions between the program's wide text and the system's ANSI code page, used at every registry call.
// Characters the code page cannot represent are converted as the system converts them, as the ANSI registry
// functions themselves do: to a look-alike where the code page has one (Polish "l with stroke" to "l" in
// Windows-1252), to "?" otherwise. So a converted name may name another key than the one it came from, or none.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);
