#include "exchange/site_generator_export.h"

#include <algorithm>
#include <unordered_set>

#include "exchange/design_outline.h"

namespace zarvex::exchange {

namespace {

std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

bool HasOwnTarget(const TItemData& item) {
    return !item.Target.empty() && item.Target != "_self";
}

// Items the data leaves out: separators with nothing under them.
std::vector<bool> Kept(const TItemArray& items, const DesignOutline& outline) {
    std::vector<bool> kept(outline.level.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        kept[i] = !(IsSeparatorText(items[i].Text) && outline.children[i].empty());
    return kept;
}

// A Hugo identifier: lower-case ASCII letters and digits joined by '-', made
// unique with "-2", "-3", ...
std::string Identifier(const std::string& caption, std::unordered_set<std::string>& taken) {
    std::string base;
    for (char c : caption) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        const bool word = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (word)
            base += c;
        else if (!base.empty() && base.back() != '-')
            base += '-';
    }
    while (!base.empty() && base.back() == '-')
        base.pop_back();
    if (base.empty())
        base = "item";
    std::string id = base;
    for (int n = 2; !taken.insert(id).second; ++n)
        id = base + "-" + std::to_string(n);
    return id;
}

// A key as written: bare when it may be, quoted otherwise.
std::string Key(const std::string& key) {
    const bool bare = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
    return bare ? key : QuotedText(key);
}

std::string Hugo(bool toml, const TItemArray& items, const DesignOutline& outline,
                 const std::string& menuName) {
    const std::vector<bool> kept = Kept(items, outline);
    std::unordered_set<std::string> taken;
    std::vector<std::string> ids(items.size());
    std::vector<int> weight(items.size());
    for (std::size_t i = 0; i < outline.level.size(); ++i)
        ids[i] = Identifier(items[i].Text, taken);
    const auto number = [&](const std::vector<int>& siblings) {
        int w = 0;
        for (int s : siblings)
            if (kept[static_cast<std::size_t>(s)])
                weight[static_cast<std::size_t>(s)] = (w += 10);
    };
    number(outline.top);
    for (const auto& c : outline.children)
        number(c);

    std::string out = toml ? "" : "menus:\n  " + Key(menuName) + ":\n";
    const std::string head = "[[menus." + Key(menuName) + "]]\n";
    for (std::size_t i = 0; i < outline.level.size(); ++i) {
        if (!kept[i])
            continue;
        const TItemData& item = items[i];
        std::vector<std::pair<std::string, std::string>> fields = {
            {"identifier", QuotedText(ids[i])},
            {"name", QuotedText(item.Text)},
            {"url", QuotedText(item.Link)},
            {"weight", std::to_string(weight[i])}};
        if (outline.parent[i] >= 0)
            fields.push_back(
                {"parent", QuotedText(ids[static_cast<std::size_t>(outline.parent[i])])});
        if (!item.ToolTip.empty())
            fields.push_back({"title", QuotedText(item.ToolTip)});
        if (toml) {
            out += head;
            for (const auto& [key, value] : fields)
                out += key + " = " + value + "\n";
            if (HasOwnTarget(item))
                out += "params = { target = " + QuotedText(item.Target) + " }\n";
            out += "\n";
        } else {
            const char* lead = "    - ";
            for (const auto& [key, value] : fields) {
                out += lead + key + ": " + value + "\n";
                lead = "      ";
            }
            if (HasOwnTarget(item))
                out += "      params:\n        target: " + QuotedText(item.Target) + "\n";
        }
    }
    if (!toml && taken.empty())
        out = "menus:\n  " + Key(menuName) + ": []\n";
    return out;
}

// Jekyll's YAML: a list of {title, url, target, description, children}.
std::string Jekyll(const TItemArray& items, const DesignOutline& outline) {
    const std::vector<bool> kept = Kept(items, outline);
    std::string out;
    std::vector<bool> opened(outline.level.size());  // "children:" written for the item
    for (std::size_t i = 0; i < outline.level.size(); ++i) {
        if (!kept[i])
            continue;
        const TItemData& item = items[i];
        const std::size_t indent = 4 * static_cast<std::size_t>(outline.level[i] - 1);
        if (const int p = outline.parent[i]; p >= 0 && !opened[static_cast<std::size_t>(p)]) {
            out += Spaces(indent - 2) + "children:\n";
            opened[static_cast<std::size_t>(p)] = true;
        }
        out += Spaces(indent) + "- title: " + QuotedText(item.Text) + "\n";
        out += Spaces(indent + 2) + "url: " + QuotedText(item.Link) + "\n";
        if (HasOwnTarget(item))
            out += Spaces(indent + 2) + "target: " + QuotedText(item.Target) + "\n";
        if (!item.ToolTip.empty())
            out += Spaces(indent + 2) + "description: " + QuotedText(item.ToolTip) + "\n";
    }
    return out.empty() ? "[]\n" : out;
}

// Eleventy's or Astro's JSON: an array of {title, url, target?, description?, children?}.
std::string Eleventy(const TItemArray& items, const DesignOutline& outline) {
    const std::vector<bool> kept = Kept(items, outline);
    // Leaving out leaves keeps the rest a pre-order sequence.
    std::vector<int> order, levels;
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (kept[i]) {
            order.push_back(static_cast<int>(i));
            levels.push_back(outline.level[i]);
        }
    const std::string body = NestedJson(
        levels, "children",
        [&](std::size_t k, const std::string& in) {
            const TItemData& item = items[static_cast<std::size_t>(order[k])];
            std::string fields = in + "\"title\": " + QuotedText(item.Text) + ",\n" + in +
                                 "\"url\": " + QuotedText(item.Link);
            if (HasOwnTarget(item))
                fields += ",\n" + in + "\"target\": " + QuotedText(item.Target);
            if (!item.ToolTip.empty())
                fields += ",\n" + in + "\"description\": " + QuotedText(item.ToolTip);
            return fields;
        },
        0);
    return "[" + body + (levels.empty() ? "]\n" : "\n]\n");
}

}  // namespace

std::string FormatSiteGeneratorData(SiteGenerator generator, const TItemArray& items,
                                    const std::vector<int>& treeLevels,
                                    const std::string& menuName) {
    const DesignOutline outline = DesignOutline::Of(std::vector<int>(
        treeLevels.begin(),
        treeLevels.begin() + static_cast<long>(std::min(treeLevels.size(), items.size()))));
    switch (generator) {
        case SiteGenerator::HugoToml:
            return Hugo(true, items, outline, menuName);
        case SiteGenerator::HugoYaml:
            return Hugo(false, items, outline, menuName);
        case SiteGenerator::Jekyll:
            return Jekyll(items, outline);
        case SiteGenerator::Eleventy:
            return Eleventy(items, outline);
    }
    return {};
}

}  // namespace zarvex::exchange
