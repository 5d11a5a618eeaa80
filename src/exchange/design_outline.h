// The shape of an item list for the writers: each item's parent and children,
// derived in one pass from tree levels, so that no writer recurses.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvex::exchange {

struct DesignOutline {
    std::vector<int> level;                  // per item, 1 for a top item
    std::vector<int> parent;                 // per item, -1 for a top item
    std::vector<std::vector<int>> children;  // per item, in order
    std::vector<int> top;                    // the top items, in order

    // Levels that rise by more than one or fall below 1 are taken as the nearest
    // level a pre-order tree allows, so that a writer never meets a broken shape.
    static DesignOutline Of(const std::vector<int>& treeLevels);
};

// The elements of a JSON array of nested objects, one per item of levels (a pre-order
// sequence), without the array's brackets: an object of level L stands at indent
// baseIndent + 4L - 2, its members come from fields(k, memberIndent) (written
// without a trailing comma), and its children go into an array under childrenKey.
std::string NestedJson(const std::vector<int>& levels, const std::string& childrenKey,
                       const std::function<std::string(std::size_t, const std::string&)>& fields,
                       int baseIndent);

// text as a double-quoted string that JSON, YAML and TOML all read back as text:
// quote, backslash and the control characters (C0, DEL and C1) escaped.
std::string QuotedText(std::string_view text);

}  // namespace zarvex::exchange
