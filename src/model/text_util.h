// Small text helpers with the exact semantics the file formats and the generator rely on.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

// Removes leading and trailing characters <= ' ' (blanks and control characters).
std::string_view Trim(std::string_view s);
std::string AsciiLower(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Decimal integer text: optional sign and digits only, within 32-bit range.
// Anything else throws ConversionError("'<text>' is not a valid integer value").
int StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, int& value);

// Replaces every occurrence of pattern (ASCII letter case ignored) by replacement.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement);

// Strict UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// Texts are held as UTF-8. Bytes that are valid UTF-8 are returned unchanged;
// anything else is taken as Windows-1252 (designs made on Windows keep their
// accents) and converted. Positions Windows-1252 leaves undefined become the C1
// control of the same value.
std::string TextAsUtf8(std::string_view bytes);

}  // namespace zarvex
