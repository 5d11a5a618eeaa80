#include "codegen/prepare_items.h"

#include "model/field_decimal.h"
#include "model/text_util.h"

namespace zarvex {

namespace {

bool IsPathSeparator(char c) {
    return c == '/' || c == '\\';
}

// True when root stands in text at `at` as whole path components: it ends in a
// separator, or the text has a separator or nothing after it. "C:\site" is not
// the root of "C:\siteB\x.html".
bool RootAt(std::string_view text, std::size_t at, std::string_view root) {
    if (root.empty() || !StartsWithIgnoreCase(text, at, root))
        return false;
    const std::size_t end = at + root.size();
    return IsPathSeparator(root.back()) || end == text.size() || IsPathSeparator(text[end]);
}

// toHoldsFrom: whether to contains from, which the caller works out once per build.
// Where to itself stands in the link it is kept, so that the root inside it is
// not replaced again on the next build.
std::string Rewrite(std::string_view link, std::string_view from, std::string_view to,
                    bool toHoldsFrom) {
    if (from.empty())
        return std::string(link);
    std::string out;
    out.reserve(link.size() + to.size());
    std::size_t i = 0;
    while (i < link.size()) {
        if (toHoldsFrom && RootAt(link, i, to)) {
            out.append(link.substr(i, to.size()));
            i += to.size();
        } else if (RootAt(link, i, from)) {
            out.append(to);
            i += from.size();
        } else {
            out.push_back(link[i++]);
        }
    }
    return out;
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
