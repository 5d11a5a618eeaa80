// Navigation lists of a web page, found with an HTML5 parser: every outermost
// <ul>/<ol> of links that stands in a <nav> (or an element of role navigation),
// holds a nested list, or links in every entry, and every <nav> whose links stand
// in no list. Captions are the links' text content (hidden screen-reader text
// left out, whitespace collapsed, entities decoded); links are resolved against
// the page's <base> when it has one, and kept as written otherwise.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/imported_design.h"

namespace zarvex::exchange {

struct NavigationList {
    std::string description;  // "<ul id=\"menu-main\" class=\"menu\"> in <nav>"
    int line = 0;             // where the list starts
    ImportedDesign design;
};

// All candidates in page order. FileFormatError naming path when the page holds
// none, or when a list is nested deeper than kMaxImportLevel.
std::vector<NavigationList> FindNavigationLists(std::string_view html, const std::string& path);

// The first captions of a list's top items, for choosing among lists.
std::string ListSummary(const NavigationList& list, std::size_t captions = 3);

// "2: <ul id=\"menu\"> in <nav>, line 14: 10 items: Home, About, Shop, ..." (number 1-based).
std::string ListChoice(const NavigationList& list, std::size_t number);

}  // namespace zarvex::exchange
