// Where Form1 stands at each DPI the tests use, in client pixels, worked out by hand from the twips of the layout
// (15 twips a pixel at 96 DPI, rounded to the nearest pixel), so that layout checks never re-derive the formula
// they check.
#pragma once
#include <windows.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "ui/Form1Layout.h"

struct PixelLayout {
  int dpi;
  SIZE client;
  // In the layout table's order: Label1, Combo1's closed field, Frame1, optYes, optNo, "Change", "Exit".
  std::array<RECT, Form1Layout::kControls.size()> controls;
};

// One DPI to two lines, as a table.
// clang-format off
inline constexpr PixelLayout kPixelLayouts[] = {
    {72, {234, 107}, {{{12, 6, 91, 16}, {30, 18, 205, 34}, {30, 36, 205, 73}, {42, 54, 85, 67}, {144, 54, 181, 67},
                       {162, 84, 223, 103}, {6, 84, 67, 103}}}},
    {96, {312, 142}, {{{16, 8, 121, 21}, {40, 24, 273, 45}, {40, 48, 273, 97}, {56, 72, 113, 89}, {192, 72, 241, 89},
                       {216, 112, 297, 137}, {8, 112, 89, 137}}}},
    {120, {390, 178}, {{{20, 10, 151, 26}, {50, 30, 341, 56}, {50, 60, 341, 121}, {70, 90, 141, 111},
                        {240, 90, 301, 111}, {270, 140, 371, 171}, {10, 140, 111, 171}}}},
    {144, {468, 213}, {{{24, 12, 182, 32}, {60, 36, 410, 68}, {60, 72, 410, 146}, {84, 108, 170, 134},
                        {288, 108, 362, 134}, {324, 168, 446, 206}, {12, 168, 134, 206}}}},
    {168, {546, 249}, {{{28, 14, 212, 37}, {70, 42, 478, 79}, {70, 84, 478, 170}, {98, 126, 198, 156},
                        {336, 126, 422, 156}, {378, 196, 520, 240}, {14, 196, 156, 240}}}},
    {192, {624, 284}, {{{32, 16, 242, 42}, {80, 48, 546, 90}, {80, 96, 546, 194}, {112, 144, 226, 178},
                        {384, 144, 482, 178}, {432, 224, 594, 274}, {16, 224, 178, 274}}}},
    {288, {936, 426}, {{{48, 24, 363, 63}, {120, 72, 819, 135}, {120, 144, 819, 291}, {168, 216, 339, 267},
                        {576, 216, 723, 267}, {648, 336, 891, 411}, {24, 336, 267, 411}}}},
};
// clang-format on

// The layout written down for dpi, or nullptr.
inline const PixelLayout* PixelLayoutAt(int dpi) {
  const auto found = std::find_if(std::begin(kPixelLayouts), std::end(kPixelLayouts),
                                  [dpi](const PixelLayout& layout) { return layout.dpi == dpi; });
  return found != std::end(kPixelLayouts) ? found : nullptr;
}

// Where the layout puts the control with this ID at dpi; an empty rectangle for a DPI not written down.
inline RECT PixelRect(int id, int dpi) {
  const PixelLayout* layout = PixelLayoutAt(dpi);
  const auto row = std::find_if(Form1Layout::kControls.begin(), Form1Layout::kControls.end(),
                                [id](const Form1Layout::ControlDef& def) { return def.id == id; });
  if (layout == nullptr || row == Form1Layout::kControls.end()) {
    return RECT{};
  }
  return layout->controls[static_cast<size_t>(row - Form1Layout::kControls.begin())];
}

// "(left,top)-(right,bottom)", for failure messages.
inline std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom) + ")";
}
