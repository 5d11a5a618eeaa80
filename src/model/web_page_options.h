// How the published menu behaves on the web page: the keyboard pattern, when it
// collapses, the current page, the list without scripts, the open delay. Kept in the
// project file in a section of its own after the items, which older readers skip (they
// stop at the items' end tag); written only when some choice differs from its default,
// so a design that makes none saves, builds and publishes as it always did.
#pragma once

#include <string>
#include <string_view>

#include "model/tagged_text.h"

namespace zarvex {

enum class NavigationPattern { MenuBar, SiteNavigation };
enum class CollapseRule { WhenBarDoesNotFit, Never, BelowWidth };

struct WebPageOptions {
    NavigationPattern pattern = NavigationPattern::MenuBar;
    CollapseRule collapse = CollapseRule::WhenBarDoesNotFit;
    int collapseWidth = 640;  // CSS pixels; used by CollapseRule::BelowWidth
    bool markCurrentPage = false;
    bool listWithoutScripts = false;
    int openDelay = 0;  // milliseconds

    bool IsDefault() const { return *this == WebPageOptions{}; }
    bool operator==(const WebPageOptions&) const = default;
};

inline constexpr int kMaxCollapseWidth = 10000;
inline constexpr int kMaxOpenDelay = 2000;

enum class ChoiceResult { Applied, UnknownName, BadValue };

// Applies one choice as the section writes it ("Pattern", "navigation").
ChoiceResult ApplyWebPageChoice(std::string_view name, std::string_view value,
                                WebPageOptions& options);

// The section's lines (with their line ends), or nothing when every choice is the default.
std::string FormatWebPageSection(const WebPageOptions& options);

// Reads the section when the text goes on after the items' end tag, where the reader
// stands; WebPageOptions{} when there is none. A key it does not know is skipped (a
// later version's), a known key with a bad value refuses the file, naming the line.
WebPageOptions ReadWebPageSection(TaggedLineReader& reader);

// The list attributes that carry the choices to the runtime (each with a leading
// space), empty for the defaults.
std::string WebPageListAttributes(const WebPageOptions& options);

}  // namespace zarvex
