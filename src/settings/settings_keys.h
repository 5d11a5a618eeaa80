// Names of the stored preferences: the key path and the value names under it.
#pragma once

namespace zarvex::settings {

inline constexpr const char* kRootKey = "Software/Kavo/Zarvex/1.0";
inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kBrowsersGroup = "Web Browsers";

}  // namespace zarvex::settings
