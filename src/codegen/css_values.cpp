#include "codegen/css_values.h"

#include <cstdio>
#include <iterator>

#include "model/errors.h"
#include "model/text_util.h"

namespace zarvex {

bool IsTransparentText(std::string_view text) {
    return EqualsIgnoreCase(text, "transparent");
}

std::string ColorToHexText(ColorValue color) {
    char bgr[16];
    std::snprintf(bgr, sizeof bgr, "%06X", static_cast<unsigned>(color & 0xFFFFFFu));
    // bgr holds the pairs blue, green, red; the stored text is red, green, blue.
    const std::string s(bgr);
    const std::size_t n = s.size();
    return s.substr(n - 2, 2) + s.substr(n - 4, 2) + s.substr(0, n - 4);
}

ColorValue HexTextToColor(std::string_view text) {
    if (IsTransparentText(text))
        return 0;
    // Digits 5-6, 3-4 and 1-2 (blue, green, red), as a hexadecimal number.
    auto pair = [&](std::size_t at) {
        return at < text.size() ? text.substr(at, 2) : std::string_view();
    };
    const std::string digits = std::string(pair(4)) + std::string(pair(2)) + std::string(pair(0));
    // "$00" and no digits is zero: an empty text shows as black.
    ColorValue v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            throw ConversionError(text);
        v = v * 16 + static_cast<ColorValue>(d);
    }
    return v;
}

std::string CssColor(std::string_view text) {
    if (IsTransparentText(text))
        return std::string(text);
    return "#" + std::string(text);
}

std::string CssLength(std::string_view text) {
    return std::string(text) + "px";
}

std::string CssBorderStyle(std::string_view indexText) {
    const int i = StrToInt(indexText);
    return (i >= 0 && i < static_cast<int>(std::size(kBorderStyles))) ? kBorderStyles[i] : "solid";
}

std::string CssCursor(std::string_view indexText) {
    const int i = StrToInt(indexText);
    return (i >= 0 && i < static_cast<int>(std::size(kCursors))) ? kCursors[i] : "default";
}

}  // namespace zarvex
