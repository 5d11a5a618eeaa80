#include "codegen/prepare_items.h"

#include <charconv>

#include "model/text_util.h"

namespace zarvex {

namespace {

bool StartsWithIgnoreCase(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.size() - at >= prefix.size() &&
           EqualsIgnoreCase(text.substr(at, prefix.size()), prefix);
}

bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (StartsWithIgnoreCase(text, i, part))
            return true;
    return false;
}

// toHoldsFrom: whether to contains from, which the caller works out once per build.
std::string Rewrite(std::string_view link, std::string_view from, std::string_view to,
                    bool toHoldsFrom) {
    if (from.empty() || !toHoldsFrom)
        return ReplaceAllIgnoreCase(link, from, to);
    std::string out;
    out.reserve(link.size() + to.size());
    std::size_t i = 0;
    while (i < link.size()) {
        if (StartsWithIgnoreCase(link, i, to)) {
            out.append(link.substr(i, to.size()));
            i += to.size();
        } else if (StartsWithIgnoreCase(link, i, from)) {
            out.append(to);
            i += from.size();
        } else {
            out.push_back(link[i++]);
        }
    }
    return out;
}

// Assigns in place, so that a large build does not make a temporary per field.
void SetDecimal(std::string& field, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    field.assign(digits, end);
}

}  // namespace

std::string RewriteLinkRoot(std::string_view link, std::string_view from, std::string_view to) {
    return Rewrite(link, from, to, ContainsIgnoreCase(to, from));
}

void PrepareItemsForBuild(const TAppletData& menu, TItemArray& items, const TreeShape& shape) {
    const bool rewrite = !Trim(menu.LocalRootDir).empty() && !Trim(menu.RemoteRootDir).empty();
    const bool toLocal = menu.UseLocalPaths == "1";
    const std::string& from = toLocal ? menu.RemoteRootDir : menu.LocalRootDir;
    const std::string& to = toLocal ? menu.LocalRootDir : menu.RemoteRootDir;
    const bool toHoldsFrom = rewrite && ContainsIgnoreCase(to, from);
    for (std::size_t k = 0; k < items.size(); ++k) {
        const int node = static_cast<int>(k) + 1;
        TItemData& item = items[k];
        SetDecimal(item.Level, shape.Level(node) - 1);
        const int parent = shape.Parent(node);
        SetDecimal(item.ParentIndex, parent != 0 ? parent - 1 : -1);
        if (rewrite)
            item.Link = Rewrite(item.Link, from, to, toHoldsFrom);
    }
}

}  // namespace zarvex
