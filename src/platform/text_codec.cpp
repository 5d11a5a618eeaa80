#include "platform/text_codec.h"

#include <array>

namespace zarvex::platform {

namespace {
// Windows-1252 0x80..0x9F; undefined positions map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int len;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

QString DecodeFieldText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0) out.append(QChar(kCp1252High[c - 0x80]));
        else out.append(QChar(static_cast<char16_t>(c)));
    }
    return out;
}

std::string EncodeFieldText(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace zarvex::platform
