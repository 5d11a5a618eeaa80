#include "model/forbidden_text.h"

namespace zarvex {

namespace {

// The first occurrence of sequence counts as escaped only when the text's first
// backslash stands right before it; a later backslash does not help.
bool IsRefused(std::string_view text, std::string_view sequence) {
    const std::size_t at = text.find(sequence);
    if (at == std::string_view::npos)
        return false;
    const std::size_t firstBackslash = text.find('\\');
    return !(at > 0 && firstBackslash == at - 1);
}

}  // namespace

std::vector<std::string> ForbiddenTextMessages(std::string_view text, std::string_view separator,
                                               bool allowDoubleQuote) {
    std::vector<std::string> messages;
    if (!separator.empty() && IsRefused(text, separator))
        messages.push_back("The text can not include \"" + std::string(separator) + "\"!");
    if (IsRefused(text, "'"))
        messages.emplace_back(
            "The text can not include ', please add leading \"\\\" and try again!");
    if (!allowDoubleQuote && IsRefused(text, "\""))
        messages.emplace_back(
            "The text can't include \", please add leading \"\\\" and try again!");
    return messages;
}

bool IsValidMenuName(std::string_view name) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    if (name.empty() || !letter(name.front()))
        return false;
    for (const char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

std::string PathToFileURL(std::string_view path) {
    std::string url = path.starts_with('/') ? "file://" : "file:///";
    url.reserve(url.size() + path.size());
    for (char c : path) {
        if (c == '\\')
            url.push_back('/');
        else if (c == ':')
            url.push_back('|');
        else
            url.push_back(c);
    }
    return url;
}

}  // namespace zarvex
