// Names of the stored preferences: the key path, the groups below it, and every
// value the program reads or writes there with its type and its default.
#pragma once

#include <array>
#include <cstdint>

namespace zarvex::settings {

inline constexpr const char* kRootKey = "Software/Kavo/Zarvex/1.0";
inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kBrowsersGroup = "Web Browsers";

// "Settings": the "show this dialog" flags.
inline constexpr const char* kShowTempletsDialog = "ShowTempletsDialog";
inline constexpr const char* kShowLinkTipDialog = "ShowLinkTipDialog";

// A show-flag that was never written means show; one that cannot be read means do not show.
inline constexpr bool kShowFlagWhenAbsent = true;
inline constexpr bool kShowFlagWhenUnreadable = false;

// "Web Browsers": the browser the preview opens.
inline constexpr const char* kUseDefaultBrowser = "UseDefaultBrowser";
inline constexpr const char* kUseKnownBrowser = "UseKnownBrowser";
inline constexpr const char* kUseSpecifiedBrowser = "UseSpecifiedBrowser";
inline constexpr const char* kSelectedBrowserNumber = "SelectedBrowserNumber";
inline constexpr const char* kSpecifiedBrowserExePath = "SpecifiedBrowserExePath";

// The browser settings before anything was stored: the default browser, no list entry,
// an empty program path.
inline constexpr bool kUseDefaultBrowserWhenAbsent = true;
inline constexpr bool kUseKnownBrowserWhenAbsent = false;
inline constexpr bool kUseSpecifiedBrowserWhenAbsent = false;
inline constexpr std::int32_t kNoBrowserSelected = -1;
inline constexpr const char* kSpecifiedBrowserExePathWhenAbsent = "";

// How a value is kept: a boolean is a 32-bit integer, 1 for true and 0 for false, and
// reads as true when not 0; an integer is a 32-bit integer; a string is plain text.
enum class SettingType { Boolean, Integer, String };

struct SettingDefinition {
    const char* group;
    const char* name;
    SettingType type;
    std::int32_t defaultNumber;  // Boolean (0/1) and Integer
    const char* defaultText;     // String
};

// Every value under the key; nothing else is ever stored there.
inline constexpr std::array<SettingDefinition, 7> kAllSettings = {{
    {kSettingsGroup, kShowTempletsDialog, SettingType::Boolean, kShowFlagWhenAbsent ? 1 : 0, ""},
    {kSettingsGroup, kShowLinkTipDialog, SettingType::Boolean, kShowFlagWhenAbsent ? 1 : 0, ""},
    {kBrowsersGroup, kUseDefaultBrowser, SettingType::Boolean, kUseDefaultBrowserWhenAbsent ? 1 : 0,
     ""},
    {kBrowsersGroup, kUseKnownBrowser, SettingType::Boolean, kUseKnownBrowserWhenAbsent ? 1 : 0,
     ""},
    {kBrowsersGroup, kUseSpecifiedBrowser, SettingType::Boolean,
     kUseSpecifiedBrowserWhenAbsent ? 1 : 0, ""},
    {kBrowsersGroup, kSelectedBrowserNumber, SettingType::Integer, kNoBrowserSelected, ""},
    {kBrowsersGroup, kSpecifiedBrowserExePath, SettingType::String, 0,
     kSpecifiedBrowserExePathWhenAbsent},
}};

}  // namespace zarvex::settings
