#include "exchange/design_outline.h"

#include <algorithm>

namespace zarvex::exchange {

DesignOutline DesignOutline::Of(const std::vector<int>& treeLevels) {
    DesignOutline o;
    const std::size_t n = treeLevels.size();
    o.level.resize(n);
    o.parent.resize(n, -1);
    o.children.resize(n);
    std::vector<int> open;  // open[d] is the last item at level d + 1
    for (std::size_t i = 0; i < n; ++i) {
        const int level = std::clamp(treeLevels[i], 1, static_cast<int>(open.size()) + 1);
        open.resize(static_cast<std::size_t>(level - 1));
        const int item = static_cast<int>(i);
        o.level[i] = level;
        if (open.empty()) {
            o.top.push_back(item);
        } else {
            o.parent[i] = open.back();
            o.children[static_cast<std::size_t>(open.back())].push_back(item);
        }
        open.push_back(item);
    }
    return o;
}

std::string NestedJson(const std::vector<int>& levels, const std::string& childrenKey,
                       const std::function<std::string(std::size_t, const std::string&)>& fields,
                       int baseIndent) {
    const auto spaces = [baseIndent](int level, int extra) {
        return std::string(static_cast<std::size_t>(baseIndent + 4 * level - 2 + extra), ' ');
    };
    std::string out;
    const std::size_t n = levels.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int level = levels[i];
        out += "\n" + spaces(level, 0) + "{\n" + fields(i, spaces(level, 2));
        const int next = i + 1 < n ? levels[i + 1] : 0;
        if (next > level) {
            out += ",\n" + spaces(level, 2) + QuotedText(childrenKey) + ": [";
            continue;
        }
        out += "\n" + spaces(level, 0) + "}";
        for (int a = level - 1; a >= next && a >= 1; --a)
            out += "\n" + spaces(a, 2) + "]\n" + spaces(a, 0) + "}";
        if (next >= 1)
            out += ",";
    }
    return out;
}

std::string QuotedText(std::string_view text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        unsigned code = 0x100;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            continue;
        }
        if (c < 0x20 || c == 0x7F)
            code = c;
        else if (c == 0xC2 && i + 1 < text.size() &&
                 static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                 static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            code = static_cast<unsigned char>(text[++i]);
        if (code == 0x100) {
            out += static_cast<char>(c);
            continue;
        }
        if (code == '\n') {
            out += "\\n";
        } else if (code == '\t') {
            out += "\\t";
        } else if (code == '\r') {
            out += "\\r";
        } else {
            out += "\\u00";
            out += hex[code >> 4];
            out += hex[code & 15];
        }
    }
    out += '"';
    return out;
}

}  // namespace zarvex::exchange
