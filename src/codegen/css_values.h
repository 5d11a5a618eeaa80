// Conversions from stored record text to CSS value text, and between the stored
// colour text and the 32-bit colour number 0x00BBGGRR (red in the lowest byte).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvex {

using ColorValue = std::uint32_t;

// Six upper-case hex digits RRGGBB. The caller resolves system colours to plain RGB first.
std::string ColorToHexText(ColorValue color);
// "transparent" in any letter case gives 0; otherwise hex digits are required
// (ConversionError when the text holds anything else).
ColorValue HexTextToColor(std::string_view text);

std::string CssColor(std::string_view text);
std::string CssLength(std::string_view text);
std::string CssBorderStyle(std::string_view indexText);  // ConversionError on non-integer text
std::string CssCursor(std::string_view indexText);       // ConversionError on non-integer text

// The entries of the border style and cursor choice lists, in list order.
inline constexpr const char* kBorderStyles[] = {"none",         "dotted", "dashed", "solid",
                                                "double",       "groove", "ridge",  "inset",
                                                "window-inset", "outset"};
inline constexpr const char* kCursors[] = {
    "auto",      "crosshair",  "default",  "hand",         "help",       "move",     "pointer",
    "text",      "wait",       "N-resize", "NE-resize",    "NW-resize",  "S-resize", "SE-resize",
    "SW-resize", "E-resize",   "W-resize", "all-scroll",   "col-resize", "no-drop",  "not-allowed",
    "progress",  "row-resize", "url(uri)", "vertical-text"};

bool IsTransparentText(std::string_view text);

}  // namespace zarvex
