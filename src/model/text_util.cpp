#include "model/text_util.h"

#include <charconv>
#include <limits>

#include "model/errors.h"

namespace zarvex {

std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

static char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerChar(c);
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(b[i])) return false;
    return true;
}

bool TryStrToInt(std::string_view text, int& value) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return false;
    long long v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(std::string_view text) {
    int v = 0;
    if (!TryStrToInt(text, v)) throw ConversionError(text);
    return v;
}

bool StartsWithIgnoreCase(std::string_view text, std::size_t at, std::string_view prefix) {
    return at <= text.size() && text.size() - at >= prefix.size() &&
           EqualsIgnoreCase(text.substr(at, prefix.size()), prefix);
}

bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (StartsWithIgnoreCase(text, i, part)) return true;
    return false;
}

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (StartsWithIgnoreCase(text, i, pattern)) {
            out.append(replacement);
            i += pattern.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

}  // namespace zarvex
