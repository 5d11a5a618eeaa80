#include "model/item_search.h"

#include <algorithm>

namespace zarvex {

namespace {

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Holds(std::string_view text, std::string_view foldedQuery) {
    if (foldedQuery.size() > text.size())
        return false;
    return std::search(text.begin(), text.end(), foldedQuery.begin(), foldedQuery.end(),
                       [](char a, char b) { return Fold(a) == b; }) != text.end();
}

}  // namespace

std::vector<int> FindItems(const TItemArray& items, std::string_view query) {
    std::vector<int> found;
    if (query.empty())
        return found;
    std::string folded(query);
    std::transform(folded.begin(), folded.end(), folded.begin(), Fold);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (Holds(items[i].Text, folded) || Holds(items[i].Link, folded))
            found.push_back(static_cast<int>(i));
    return found;
}

}  // namespace zarvex
