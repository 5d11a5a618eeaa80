#include "settings/recent_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/file_helpers.h"
#include "model/safe_file.h"

namespace zarvex::recent {

namespace {

// Line ends as the list file may carry them: CR LF as written, LF or a lone CR
// when the file was edited by hand.
Lines SplitFirstLines(std::string_view text) {
    Lines lines;
    std::size_t slot = 0, pos = 0;
    while (slot < lines.size() && pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines[slot++] = std::string(text.substr(pos));
            break;
        }
        lines[slot++] = std::string(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

}  // namespace

Lines ReadLines(const std::string& listPath) {
    std::error_code ec;
    if (!std::filesystem::exists(listPath, ec)) {
        std::ofstream create(listPath, std::ios::binary);
        return {};
    }
    try {
        return SplitFirstLines(ReadWholeFile(listPath));
    } catch (const std::exception&) {
        return {};
    }
}

std::string PathOfLine(std::string_view line) {
    return line.size() > kPrefixLength ? std::string(line.substr(kPrefixLength)) : std::string();
}

std::string Compose(const Lines& paths) {
    std::string text;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (paths[slot].empty())
            continue;
        text += '&';
        text += static_cast<char>('1' + slot);
        text += ' ';
        text += paths[slot];
        text += "\r\n";
    }
    return text;
}

bool Add(const std::string& listPath, const std::string& path) {
    // A line break inside the path would split the entry and shift every slot after it.
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos)
        return false;
    Lines paths = ReadLines(listPath);
    for (auto& line : paths)
        line = PathOfLine(line);
    for (const auto& listed : paths)
        if (listed == path)
            return false;
    for (int slot = kSlotCount - 1; slot > 0; --slot)
        paths[slot] = paths[slot - 1];
    paths[0] = path;
    WriteFileSafely(listPath, Compose(paths));
    return true;
}

}  // namespace zarvex::recent
