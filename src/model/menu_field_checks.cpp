#include "model/menu_field_checks.h"

#include <algorithm>
#include <array>

#include "model/browser_global_names.h"
#include "model/errors.h"
#include "model/text_util.h"

namespace zarvex {

namespace {

// The window's spin boxes hold -9999 to 9999; those that take no negative value
// start at 0, the font size at 1.
constexpr int kSpinLowest = -9999;
constexpr int kSpinHighest = 9999;

// A list choice stores the chosen entry's index, or -1 when nothing is chosen.
constexpr int kOrientationEntries = 2;
constexpr int kBorderStyleEntries = 10;
constexpr int kCursorEntries = 25;

// The name, with "cfg.js" after it, must still be a file name of at most 255 bytes.
constexpr std::size_t kLongestMenuName = 249;

std::string Quoted(std::string_view value) {
    return "'" + std::string(value) + "'";
}

FieldFault Fault(std::string_view field, std::string_view value, std::string_view what,
                 long long item = -1) {
    std::string where = item < 0 ? std::string(field)
                                 : "item " + std::to_string(item + 1) + ", " + std::string(field);
    return {std::string(field), item, where + ": " + Quoted(value) + " " + std::string(what)};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

// A whole number as a script literal and a CSS length read it alike: no sign but
// the minus, no leading zero (a script would read "010" as eight), no blanks.
std::optional<int> CanonicalNumber(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::nullopt;
    if (digits.front() == '0' && (digits.size() > 1 || text.front() == '-'))
        return std::nullopt;
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return text.front() == '-' ? -value : value;
}

std::optional<FieldFault> CheckNumber(std::string_view field, std::string_view text, int lowest,
                                      int highest) {
    const std::optional<int> value = CanonicalNumber(text);
    if (value && *value >= lowest && *value <= highest)
        return std::nullopt;
    return Fault(
        field, text,
        "is not a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest));
}

std::optional<FieldFault> CheckChoice(std::string_view field, std::string_view text, int entries) {
    const std::optional<int> value = CanonicalNumber(text);
    if (value && *value >= -1 && *value < entries)
        return std::nullopt;
    return Fault(field, text,
                 "is not the number of a list entry (-1 to " + std::to_string(entries - 1) + ")");
}

std::optional<FieldFault> CheckFlag(std::string_view field, std::string_view text) {
    if (text == "0" || text == "1")
        return std::nullopt;
    return Fault(field, text, "is neither 0 nor 1");
}

std::optional<FieldFault> CheckColor(std::string_view field, std::string_view text) {
    if (EqualsIgnoreCase(text, "transparent") ||
        (text.size() == 6 && std::all_of(text.begin(), text.end(), IsHexDigit)))
        return std::nullopt;
    return Fault(field, text, "is not a colour: six hexadecimal digits or Transparent");
}

bool IsFontNameByte(char c) {
    return IsLetter(c) || IsDigit(c) || c == '-' || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// One family of a font list: a quoted name, or words of letters, digits, hyphens,
// underscores and non-ASCII letters separated by blanks. Nothing in it can end the
// CSS value, the rule or a style element.
bool IsFontFamily(std::string_view family) {
    family = Trim(family);
    if (family.empty())
        return false;
    const char quote = family.front();
    if (quote == '"' || quote == '\'') {
        if (family.size() < 2 || family.back() != quote)
            return false;
        const std::string_view inner = family.substr(1, family.size() - 2);
        return !Trim(inner).empty() && std::none_of(inner.begin(), inner.end(), [&](char c) {
            return c == quote || c == '\\' || c == '<' || c == '>' || IsControl(c);
        });
    }
    // Each word must be a CSS identifier: a digit (or a hyphen and a digit) may not
    // begin it, or the browser drops the whole declaration.
    for (std::size_t at = 0; at < family.size();) {
        const std::size_t end = std::min(family.find(' ', at), family.size());
        const std::string_view word = family.substr(at, end - at);
        at = end + 1;
        if (word.empty())
            continue;
        const std::string_view rest = word.front() == '-' ? word.substr(1) : word;
        if (rest.empty() || IsDigit(rest.front()) ||
            !std::all_of(word.begin(), word.end(), IsFontNameByte))
            return false;
    }
    return true;
}

std::optional<FieldFault> CheckFontList(std::string_view field, std::string_view text) {
    if (Trim(text).empty())
        return std::nullopt;
    // Commas inside quotes would split a family; quoted names hold none in practice,
    // and such a list is refused rather than guessed at.
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view family =
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
        if (!IsFontFamily(family))
            return Fault(field, text,
                         "is not a list of font names separated by commas (a name with other "
                         "characters than letters, digits, hyphens and blanks stands in quotes)");
        if (comma == std::string_view::npos)
            return std::nullopt;
        start = comma + 1;
    }
}

// Text that only travels through the design (paths, image names): one line.
std::optional<FieldFault> CheckOneLine(std::string_view field, std::string_view text) {
    if (text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos)
        return std::nullopt;
    return Fault(field, text, "holds a line break");
}

bool IsIdentifierText(std::string_view name) {
    return !name.empty() && (IsLetter(name.front()) || name.front() == '_') &&
           std::all_of(name.begin(), name.end(),
                       [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; });
}

// The generated script's own global names besides the menu's.
constexpr std::array<std::string_view, 2> kScriptGlobals = {"BeAb", "Velmo"};

std::optional<FieldFault> CheckListId(std::string_view text) {
    if (text.empty() || std::all_of(text.begin(), text.end(), [](char c) {
            return IsLetter(c) || IsDigit(c) || c == '_' || c == '-';
        }))
        return std::nullopt;
    return Fault("ListId", text, "is not a list id of letters, digits, hyphens and underscores");
}

bool IsTargetKeyword(std::string_view target) {
    // Every keyword starts with '_' and has four to seven letters: a frame name is
    // mostly answered before any comparison.
    if (target.size() < 4 || target.size() > 7 || target.front() != '_')
        return false;
    // The default, which nearly every item of a large design holds.
    if (target == "_self")
        return true;
    // The window suggests _search and _media besides the four of the page language.
    for (std::string_view keyword : {"_self", "_blank", "_parent", "_top", "_search", "_media"})
        if (EqualsIgnoreCase(target, keyword))
            return true;
    return false;
}

std::optional<FieldFault> CheckTarget(std::string_view target, long long index) {
    if (target.empty() || IsTargetKeyword(target))
        return std::nullopt;
    const bool nameOk =
        target.front() != '_' && std::none_of(target.begin(), target.end(), [](char c) {
            return c == '"' || c == '\'' || c == '<' || c == '>' || c == '\\' || c == '`' ||
                   IsControl(c);
        });
    if (nameOk)
        return std::nullopt;
    return Fault("Target", target,
                 "is neither a frame name nor one of _self, _blank, _parent and _top", index);
}

std::optional<FieldFault> CheckIcon(std::string_view icon, long long index) {
    if (std::none_of(icon.begin(), icon.end(),
                     [](char c) { return c == '"' || c == '<' || c == '>' || IsControl(c); }))
        return std::nullopt;
    return Fault("Icon", icon, "is not an image file name: it holds a quote, < or >", index);
}

}  // namespace

bool IsReservedScriptWord(std::string_view word) {
    // Reserved in scripts and modules, in sloppy and strict mode, and the literals.
    static constexpr std::array<std::string_view, 48> kWords = {
        "arguments", "await",      "break",   "case",    "catch",      "class",     "const",
        "continue",  "debugger",   "default", "delete",  "do",         "else",      "enum",
        "eval",      "export",     "extends", "false",   "finally",    "for",       "function",
        "if",        "implements", "import",  "in",      "instanceof", "interface", "let",
        "new",       "null",       "package", "private", "protected",  "public",    "return",
        "static",    "super",      "switch",  "this",    "throw",      "true",      "try",
        "typeof",    "var",        "void",    "while",   "with",       "yield",
    };
    return std::find(kWords.begin(), kWords.end(), word) != kWords.end();
}

bool IsBrowserGlobalName(std::string_view name) {
    return std::binary_search(kBrowserGlobalNames.begin(), kBrowserGlobalNames.end(), name);
}

std::string MenuNameFault(std::string_view name) {
    if (!IsIdentifierText(name))
        return "is not a script name: letters, digits and underscores, not starting with a digit";
    if (name.size() > kLongestMenuName)
        return "is longer than " + std::to_string(kLongestMenuName) + " characters";
    if (IsReservedScriptWord(name))
        return "is a word the script language keeps for itself";
    const std::string init = "init" + std::string(name);
    for (const std::string& global : {std::string(name), init, init + "2"})
        if (IsBrowserGlobalName(global) ||
            std::find(kScriptGlobals.begin(), kScriptGlobals.end(), global) != kScriptGlobals.end())
            return "would take the place of \"" + global + "\", a name the browser's page holds";
    return {};
}

std::optional<FieldFault> FindMenuFieldFault(const TAppletData& m) {
    if (const std::string why = MenuNameFault(m.MenuName); !why.empty())
        return Fault("MenuName", m.MenuName, why);
    std::optional<FieldFault> f;
    const auto number = [&](std::string_view field, const std::string& text, int lowest) {
        if (!f)
            f = CheckNumber(field, text, lowest, kSpinHighest);
    };
    const auto choice = [&](std::string_view field, const std::string& text, int entries) {
        if (!f)
            f = CheckChoice(field, text, entries);
    };
    const auto flag = [&](std::string_view field, const std::string& text) {
        if (!f)
            f = CheckFlag(field, text);
    };
    const auto color = [&](std::string_view field, const std::string& text) {
        if (!f)
            f = CheckColor(field, text);
    };
    const auto line = [&](std::string_view field, const std::string& text) {
        if (!f)
            f = CheckOneLine(field, text);
    };
    if (!f)
        f = CheckListId(m.ListId);
    choice("Orientation", m.Orientation, kOrientationEntries);
    flag("ShowTooltips", m.ShowTooltips);
    flag("ShowShadow", m.ShowShadow);
    flag("ClickToOpen", m.ClickToOpen);
    number("DelayClose", m.DelayClose, kSpinLowest);
    number("BlinkTimes", m.BlinkTimes, kSpinLowest);
    number("PaddingTop", m.PaddingTop, 0);
    number("PaddingRight", m.PaddingRight, 0);
    number("PaddingBottom", m.PaddingBottom, 0);
    number("PaddingLeft", m.PaddingLeft, 0);
    number("BorderWidth", m.BorderWidth, 0);
    choice("BorderStyle", m.BorderStyle, kBorderStyleEntries);
    color("BorderColorTop", m.BorderColorTop);
    color("BorderColorRight", m.BorderColorRight);
    color("BorderColorBottom", m.BorderColorBottom);
    color("BorderColorLeft", m.BorderColorLeft);
    choice("Cursor", m.Cursor, kCursorEntries);
    color("TextColor", m.TextColor);
    color("BackgroundColor", m.BackgroundColor);
    color("TextColorHover", m.TextColorHover);
    color("BackgroundColorHover", m.BackgroundColorHover);
    color("TextColorActive", m.TextColorActive);
    color("BackgroundColorActive", m.BackgroundColorActive);
    number("ZIndex", m.ZIndex, kSpinLowest);
    if (!f)
        f = CheckFontList("FontFamily", m.FontFamily);
    number("FontSize", m.FontSize, 1);
    number("IconWidth", m.IconWidth, 0);
    number("IconHeight", m.IconHeight, 0);
    for (auto field = static_cast<std::size_t>(AppletField::ArrowImage);
         field <= static_cast<std::size_t>(AppletField::RemoteRootDir); ++field)
        line(kAppletFields[field].name, m.*kAppletFields[field].member);
    flag("UseLocalPaths", m.UseLocalPaths);
    return f;
}

std::optional<FieldFault> FindItemFieldFault(const TItemData& item, long long index) {
    if (auto f = CheckTarget(item.Target, index))
        return f;
    return CheckIcon(item.Icon, index);
}

std::optional<FieldFault> FindDesignFault(const TAppletData& menu, const TItemArray& items) {
    if (auto f = FindMenuFieldFault(menu))
        return f;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (auto f = FindItemFieldFault(items[i], static_cast<long long>(i)))
            return f;
    return std::nullopt;
}

void CheckDesignFields(const TAppletData& menu, const TItemArray& items) {
    if (const auto f = FindDesignFault(menu, items))
        throw BuildError("Cannot build the menu: " + f->reason + ".");
}

void RefuseFaultyDesign(const std::string& path, const TAppletData* menu, int menuLine,
                        const std::optional<FieldFault>& itemFault, int firstItemLine) {
    if (menu) {
        if (const auto f = FindMenuFieldFault(*menu))
            throw FileFormatError(path, menuLine, f->reason);
    }
    if (itemFault)
        throw FileFormatError(path, firstItemLine + static_cast<int>(itemFault->item),
                              itemFault->reason);
}

}  // namespace zarvex
