#include "model/web_page_options.h"

#include <charconv>
#include <string_view>

namespace zarvex {

namespace {
constexpr std::string_view kSectionTag = "<Web_Page>";
constexpr std::string_view kSectionEndTag = "</Web_Page>";

std::string Line(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    line += kLineEnd;
    return line;
}

// A whole decimal number in [0, high], or -1.
int Number(std::string_view text, int high) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > high)
        return -1;
    return value;
}

}  // namespace

ChoiceResult ApplyWebPageChoice(std::string_view key, std::string_view value,
                                WebPageOptions& options) {
    const auto bad = ChoiceResult::BadValue;
    if (key == "Pattern") {
        if (value != "navigation" && value != "menubar")
            return bad;
        options.pattern =
            value == "navigation" ? NavigationPattern::SiteNavigation : NavigationPattern::MenuBar;
    } else if (key == "Collapse") {
        if (value == "fit" || value == "never") {
            options.collapse =
                value == "fit" ? CollapseRule::WhenBarDoesNotFit : CollapseRule::Never;
            return ChoiceResult::Applied;
        }
        const int width = Number(value, kMaxCollapseWidth);
        if (width <= 0)
            return bad;
        options.collapse = CollapseRule::BelowWidth;
        options.collapseWidth = width;
    } else if (key == "CurrentPage" || key == "WithoutScripts") {
        if (value != "0" && value != "1")
            return bad;
        (key == "CurrentPage" ? options.markCurrentPage : options.listWithoutScripts) =
            value == "1";
    } else if (key == "OpenDelay") {
        const int delay = Number(value, kMaxOpenDelay);
        if (delay < 0)
            return bad;
        options.openDelay = delay;
    } else {
        return ChoiceResult::UnknownName;
    }
    return ChoiceResult::Applied;
}

std::string FormatWebPageSection(const WebPageOptions& o) {
    if (o.IsDefault())
        return {};
    std::string out(kSectionTag);
    out += kLineEnd;
    out +=
        Line("Pattern", o.pattern == NavigationPattern::SiteNavigation ? "navigation" : "menubar");
    out += Line("Collapse", o.collapse == CollapseRule::Never ? "never"
                            : o.collapse == CollapseRule::WhenBarDoesNotFit
                                ? "fit"
                                : std::to_string(o.collapseWidth));
    out += Line("CurrentPage", o.markCurrentPage ? "1" : "0");
    out += Line("WithoutScripts", o.listWithoutScripts ? "1" : "0");
    out += Line("OpenDelay", std::to_string(o.openDelay));
    out += kSectionEndTag;
    out += kLineEnd;
    return out;
}

WebPageOptions ReadWebPageSection(TaggedLineReader& reader) {
    WebPageOptions options;
    if (!reader.TryAdvance() || !reader.TrySeek(kSectionTag))
        return options;
    for (reader.Advance(kSectionEndTag); reader.Line() != kSectionEndTag;
         reader.Advance(kSectionEndTag)) {
        const std::string_view line = reader.Line();
        const std::size_t equals = line.find('=');
        if (line.empty() || equals == std::string_view::npos)
            reader.Refuse(reader.LineNumber(), "a web page choice is not \"Name=value\"");
        // a name it does not know is a later version's choice, skipped
        if (ApplyWebPageChoice(line.substr(0, equals), line.substr(equals + 1), options) ==
            ChoiceResult::BadValue)
            reader.Refuse(reader.LineNumber(), "the web page choice " + std::string(line) +
                                                   " has a value it cannot take");
    }
    return options;
}

std::string WebPageListAttributes(const WebPageOptions& o) {
    std::string out;
    if (o.pattern == NavigationPattern::SiteNavigation)
        out += " data-velmo-pattern=\"navigation\"";
    if (o.collapse == CollapseRule::Never)
        out += " data-velmo-collapse=\"off\"";
    else if (o.collapse == CollapseRule::BelowWidth)
        out += " data-velmo-collapse=\"" + std::to_string(o.collapseWidth) + "\"";
    if (o.markCurrentPage)
        out += " data-velmo-current=\"page\"";
    if (o.openDelay > 0)
        out += " data-velmo-open-delay=\"" + std::to_string(o.openDelay) + "\"";
    return out;
}

}  // namespace zarvex
