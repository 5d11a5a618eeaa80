#include "exchange/html_import.h"

#include <utility>

#include "exchange/gumbo_document.h"
#include "exchange/url_resolve.h"
#include "model/errors.h"
#include "model/text_util.h"

namespace zarvex::exchange {

namespace {

bool IsElement(const GumboNode* n, GumboTag tag) {
    return n->type == GUMBO_NODE_ELEMENT && n->v.element.tag == tag;
}

bool IsList(const GumboNode* n) {
    return IsElement(n, GUMBO_TAG_UL) || IsElement(n, GUMBO_TAG_OL);
}

const GumboVector* Children(const GumboNode* n) {
    if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE)
        return &n->v.element.children;
    if (n->type == GUMBO_NODE_DOCUMENT)
        return &n->v.document.children;
    return nullptr;
}

const GumboNode* Child(const GumboVector* v, unsigned i) {
    return static_cast<const GumboNode*>(v->data[i]);
}

bool HasClassWord(const GumboNode* n, std::string_view word) {
    const std::string_view classes = Attribute(n, "class");
    std::size_t at = 0;
    while (at < classes.size()) {
        const std::size_t end = classes.find_first_of(" \t\n\f\r", at);
        const std::string_view w =
            classes.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        if (w == word)
            return true;
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return false;
}

bool ClassContains(const GumboNode* n, std::string_view part) {
    return ContainsIgnoreCase(Attribute(n, "class"), part);
}

// Text screen readers alone are meant to hear ("(current)" after a caption).
bool IsHiddenText(const GumboNode* n) {
    return HasClassWord(n, "sr-only") || HasClassWord(n, "visually-hidden") ||
           HasClassWord(n, "screen-reader-text") || Attribute(n, "hidden").data() != nullptr;
}

bool Skipped(const GumboNode* n) {
    return IsElement(n, GUMBO_TAG_SCRIPT) || IsElement(n, GUMBO_TAG_STYLE) ||
           IsElement(n, GUMBO_TAG_TEMPLATE) || n->type == GUMBO_NODE_TEMPLATE ||
           IsElement(n, GUMBO_TAG_SVG) || IsHiddenText(n);
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

std::string Collapse(std::string_view text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (IsSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

// Pre-order walk of the subtree below (and including) top, without recursion.
// visit(node) returns whether to descend into the node.
template <typename Visit>
void Walk(const GumboNode* top, Visit visit) {
    std::vector<std::pair<const GumboNode*, unsigned>> stack;
    if (!visit(top))
        return;
    stack.emplace_back(top, 0);
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        const GumboVector* children = Children(node);
        if (!children || next >= children->length) {
            stack.pop_back();
            continue;
        }
        const GumboNode* child = Child(children, next++);
        if (visit(child))
            stack.emplace_back(child, 0);
    }
}

// The collapsed text below n; nested lists are left out when skipLists is set.
std::string TextOf(const GumboNode* n, bool skipLists) {
    std::string text;
    Walk(n, [&](const GumboNode* c) {
        if (c != n && (Skipped(c) || (skipLists && IsList(c))))
            return false;
        if (c->type == GUMBO_NODE_TEXT || c->type == GUMBO_NODE_WHITESPACE ||
            c->type == GUMBO_NODE_CDATA)
            text += c->v.text.text;
        if (IsElement(c, GUMBO_TAG_BR))
            text += ' ';
        if (IsElement(c, GUMBO_TAG_IMG))
            text += Attribute(c, "alt");
        return true;
    });
    return Collapse(text);
}

struct PageContext {
    std::string path;
    std::string base;
};

bool IsSeparatorElement(const GumboNode* n) {
    return IsElement(n, GUMBO_TAG_HR) || ClassContains(n, "divider") ||
           ClassContains(n, "separator") || Attribute(n, "role") == "separator";
}

TItemData LinkItem(const GumboNode* a, const PageContext& page) {
    TItemData item = NewItemRecord();
    item.Text = TextOf(a, false);
    if (item.Text.empty())
        item.Text = Collapse(Attribute(a, "aria-label"));
    if (item.Text.empty())
        item.Text = Collapse(Attribute(a, "title"));
    const std::string href(Trim(Attribute(a, "href")));
    // A link that only opens its sub-menu goes nowhere of its own.
    if (!href.empty() && href != "#" && !StartsWithIgnoreCase(href, 0, "javascript:"))
        item.Link = ResolveLink(page.base, href);
    if (const std::string_view target = Trim(Attribute(a, "target")); !target.empty())
        item.Target = std::string(target);
    item.ToolTip = Collapse(Attribute(a, "title"));
    if (item.Text.empty())
        item.Text = item.Link.empty() ? NewItemRecord().Text : item.Link;
    return item;
}

TItemData SeparatorItem() {
    TItemData item = NewItemRecord();
    item.Text = "separator";
    return item;
}

// What one list entry holds, its nested lists' contents left out: its links and
// separators in order, and its first nested list.
struct Entry {
    std::vector<const GumboNode*> parts;  // <a> elements and separator elements
    const GumboNode* sublist = nullptr;
};

Entry ReadEntry(const GumboNode* li) {
    Entry entry;
    Walk(li, [&](const GumboNode* c) {
        if (c == li)
            return true;
        if (Skipped(c))
            return false;
        if (IsList(c)) {
            if (!entry.sublist)
                entry.sublist = c;
            return false;
        }
        if (IsElement(c, GUMBO_TAG_A)) {
            entry.parts.push_back(c);
            return false;
        }
        if (IsSeparatorElement(c)) {
            entry.parts.push_back(c);
            return false;
        }
        return true;
    });
    return entry;
}

std::string Where(const GumboNode* n) {
    return "line " + std::to_string(n->v.element.start_pos.line);
}

// The items of list (a <ul>/<ol>) in pre-order, one level per nested list.
void ReadList(const GumboNode* list, const PageContext& page, DesignBuilder& builder) {
    struct Frame {
        const GumboNode* list;
        unsigned next;
        int level;
    };
    std::vector<Frame> stack{{list, 0, 1}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const GumboVector* children = Children(frame.list);
        if (frame.next >= children->length) {
            stack.pop_back();
            continue;
        }
        const GumboNode* li = Child(children, frame.next++);
        const int level = frame.level;
        if (!IsElement(li, GUMBO_TAG_LI))
            continue;
        const Entry entry = ReadEntry(li);
        const int line = static_cast<int>(li->v.element.start_pos.line);
        const GumboNode* first = nullptr;
        for (const GumboNode* part : entry.parts)
            if (IsElement(part, GUMBO_TAG_A)) {
                first = part;
                break;
            }
        TItemData item;
        if (first) {
            item = LinkItem(first, page);
        } else {
            item = NewItemRecord();
            item.Text = TextOf(li, true);
            if (item.Text.empty() && !entry.sublist) {
                if (entry.parts.empty() && !IsSeparatorElement(li))
                    continue;  // an empty entry
                item = SeparatorItem();
            }
        }
        builder.Add(level, std::move(item), line, Where(li));
        if (entry.sublist) {
            stack.push_back({entry.sublist, 0, level + 1});
            continue;
        }
        // A drop-down made of links without a list of its own (<div class="dropdown-menu">).
        if (first)
            for (const GumboNode* part : entry.parts) {
                if (part == first)
                    continue;
                builder.Add(level + 1,
                            IsElement(part, GUMBO_TAG_A) ? LinkItem(part, page) : SeparatorItem(),
                            static_cast<int>(part->v.element.start_pos.line), Where(part));
            }
    }
}

std::string Describe(const GumboNode* n) {
    std::string d = "<";
    d += gumbo_normalized_tagname(n->v.element.tag);
    for (const char* name : {"id", "class", "aria-label"})
        if (const std::string_view v = Attribute(n, name); !v.empty())
            d += std::string(" ") + name + "=\"" + Collapse(v) + "\"";
    return d + ">";
}

bool IsNavigation(const GumboNode* n) {
    return IsElement(n, GUMBO_TAG_NAV) || Attribute(n, "role") == "navigation";
}

// Whether every entry of a flat list holds a link, and there are at least two.
bool IsListOfLinks(const GumboNode* list) {
    int links = 0;
    const GumboVector* children = Children(list);
    for (unsigned i = 0; i < children->length; ++i) {
        const GumboNode* li = Child(children, i);
        if (!IsElement(li, GUMBO_TAG_LI))
            continue;
        const Entry entry = ReadEntry(li);
        bool hasLink = false;
        for (const GumboNode* part : entry.parts)
            hasLink = hasLink || IsElement(part, GUMBO_TAG_A);
        if (!hasLink)
            return false;
        ++links;
    }
    return links >= 2;
}

bool HasNestedList(const GumboNode* list) {
    bool found = false;
    Walk(list, [&](const GumboNode* c) {
        if (found || Skipped(c))
            return false;
        if (c != list && IsList(c))
            found = true;
        return !found;
    });
    return found;
}

}  // namespace

std::vector<NavigationList> FindNavigationLists(std::string_view html, const std::string& path) {
    const GumboDocument document(html);
    PageContext page{path, {}};
    if (!document.Root())
        throw FileFormatError(path, 0, "the page could not be parsed");

    bool baseFound = false;
    Walk(document.Root(), [&](const GumboNode* c) {
        if (!baseFound && IsElement(c, GUMBO_TAG_BASE) && Attribute(c, "href").data()) {
            page.base = std::string(Trim(Attribute(c, "href")));
            baseFound = true;
        }
        return !baseFound;
    });

    std::vector<NavigationList> lists;
    // The walk keeps how many navigation elements enclose the current node.
    struct Frame {
        const GumboNode* node;
        unsigned next;
        bool navigation;
    };
    std::vector<Frame> stack{{document.Root(), 0, false}};
    int openNavigation = 0;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const GumboVector* children = Children(frame.node);
        if (!children || frame.next >= children->length) {
            if (frame.navigation)
                --openNavigation;
            stack.pop_back();
            continue;
        }
        const GumboNode* child = Child(children, frame.next++);
        if (child->type != GUMBO_NODE_ELEMENT || Skipped(child))
            continue;
        const bool inNavigation = openNavigation > 0;
        if (IsList(child)) {
            // Only outermost lists are candidates; their nested lists come with them.
            if (inNavigation || HasNestedList(child) || IsListOfLinks(child)) {
                DesignBuilder builder(path);
                ReadList(child, page, builder);
                bool hasLink = false;
                ImportedDesign design = builder.Take();
                for (const TItemData& item : design.items)
                    hasLink = hasLink || !item.Link.empty();
                if (hasLink)
                    lists.push_back({Describe(child) + (inNavigation ? " in <nav>" : ""),
                                     static_cast<int>(child->v.element.start_pos.line),
                                     std::move(design)});
            }
            continue;
        }
        if (IsNavigation(child) && !HasNestedList(child)) {
            // A navigation bar of bare links.
            DesignBuilder builder(path);
            Walk(child, [&](const GumboNode* c) {
                if (c != child && Skipped(c))
                    return false;
                if (IsElement(c, GUMBO_TAG_A)) {
                    builder.Add(1, LinkItem(c, page), static_cast<int>(c->v.element.start_pos.line),
                                Where(c));
                    return false;
                }
                return true;
            });
            if (builder.Count() > 0)
                lists.push_back({Describe(child), static_cast<int>(child->v.element.start_pos.line),
                                 builder.Take()});
            continue;
        }
        const bool navigation = IsNavigation(child);
        if (navigation)
            ++openNavigation;
        stack.push_back({child, 0, navigation});
    }
    if (lists.empty())
        throw FileFormatError(path, 0,
                              "the page holds no list of links to import (a <ul> or <ol> of "
                              "links, or a <nav> with links)");
    return lists;
}

std::string ListSummary(const NavigationList& list, std::size_t captions) {
    std::string s = std::to_string(list.design.items.size()) +
                    (list.design.items.size() == 1 ? " item" : " items");
    std::size_t shown = 0;
    for (std::size_t i = 0; i < list.design.items.size() && shown < captions; ++i) {
        if (list.design.treeLevels[i] != 1)
            continue;
        s += shown++ ? ", " : ": ";
        s += list.design.items[i].Text;
    }
    std::size_t top = 0;
    for (int level : list.design.treeLevels)
        top += level == 1;
    if (top > shown)
        s += ", ...";
    return s;
}

std::string ListChoice(const NavigationList& list, std::size_t number) {
    return std::to_string(number) + ": " + list.description + ", line " +
           std::to_string(list.line) + ": " + ListSummary(list);
}

}  // namespace zarvex::exchange
