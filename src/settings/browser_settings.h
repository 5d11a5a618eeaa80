// The preview browser choice: which of the three modes, which detected browser, which
// program the user named; how it is loaded from and saved to the store, and what a
// preview then launches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_keys.h"
#include "settings/settings_store_interface.h"

namespace zarvex::settings {

enum class BrowserMode {
    Default,           // the desktop's handler for the page
    KnownBrowser,      // the program of the selected detected browser
    SpecifiedBrowser,  // the program the user named
};

struct BrowserSettings {
    BrowserMode mode = BrowserMode::Default;
    // Zero-based position in the detected browser list, kNoBrowserSelected for none.
    std::int32_t selectedBrowserNumber = kNoBrowserSelected;
    std::string specifiedBrowserExePath;

    bool operator==(const BrowserSettings&) const = default;
};

// The mode that checking `wanted` leads to: the known-browser mode needs at least one
// detected browser and falls back to the default browser otherwise.
BrowserMode ModeAfterChecking(BrowserMode wanted, std::size_t knownBrowserCount);

// Reads the stored choice against a list of knownBrowserCount detected browsers. No
// "Web Browsers" group (or an unreadable store) gives the initial state. Otherwise the
// values are applied in their stored order and the first one that is missing or of the
// wrong type ends the loading, keeping what was applied before it. A stored number at
// or past the end of a non-empty list selects the first entry. A store in which no mode
// is left switched on gives the default browser, so a preview always opens something.
BrowserSettings LoadBrowserSettings(const ISettingsStore& store, std::size_t knownBrowserCount);

// Writes all five values. A failure is not raised (the dialog closes regardless); the
// result says whether everything was written.
bool SaveBrowserSettings(ISettingsStore& store, const BrowserSettings& settings);

// What a preview runs: the desktop's handler, or a program given the page as its argument.
struct BrowserLaunch {
    bool throughDefaultHandler = true;
    std::string program;

    bool operator==(const BrowserLaunch&) const = default;
};

// knownBrowserPrograms are the program paths of the detected browsers, in list order.
// A known-browser mode without a valid selection, and a user-named program that is
// blank, open the page through the desktop's handler rather than running nothing.
BrowserLaunch ChooseBrowserLaunch(const BrowserSettings& settings,
                                  const std::vector<std::string>& knownBrowserPrograms);

}  // namespace zarvex::settings
