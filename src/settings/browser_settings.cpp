#include "settings/browser_settings.h"

#include <optional>

#include "model/text_util.h"

namespace zarvex::settings {

namespace {

// The three mode radio buttons as the dialog holds them while the values are applied:
// checking one unchecks the others, unchecking one leaves the others alone.
struct ModeRadios {
    bool useDefault = true;
    bool useKnown = false;
    bool useSpecified = false;

    void Set(BrowserMode mode, bool checked, std::size_t knownBrowserCount) {
        if (!checked) {
            Flag(mode) = false;
            return;
        }
        const BrowserMode reached = ModeAfterChecking(mode, knownBrowserCount);
        useDefault = useKnown = useSpecified = false;
        Flag(reached) = true;
    }

    BrowserMode Mode() const {
        if (useKnown)
            return BrowserMode::KnownBrowser;
        if (useSpecified)
            return BrowserMode::SpecifiedBrowser;
        return BrowserMode::Default;
    }

  private:
    bool& Flag(BrowserMode mode) {
        switch (mode) {
            case BrowserMode::KnownBrowser:
                return useKnown;
            case BrowserMode::SpecifiedBrowser:
                return useSpecified;
            case BrowserMode::Default:
                break;
        }
        return useDefault;
    }
};

template <typename T, typename Convert>
std::optional<T> ReadAs(const ISettingsStore& store, const char* name, Convert convert) {
    const auto value = store.Read(kBrowsersGroup, name);
    if (!value)
        return std::nullopt;
    return convert(*value);
}

void ApplyStoredValues(const ISettingsStore& store, std::size_t knownBrowserCount,
                       ModeRadios& radios, BrowserSettings& settings) {
    const std::pair<const char*, BrowserMode> modeValues[] = {
        {kUseDefaultBrowser, BrowserMode::Default},
        {kUseKnownBrowser, BrowserMode::KnownBrowser},
        {kUseSpecifiedBrowser, BrowserMode::SpecifiedBrowser},
    };
    for (const auto& [name, mode] : modeValues) {
        const auto on = ReadAs<bool>(store, name, AsBoolean);
        if (!on)
            return;
        radios.Set(mode, *on, knownBrowserCount);
    }

    const auto number = ReadAs<std::int32_t>(store, kSelectedBrowserNumber, AsInteger);
    if (!number)
        return;
    if (static_cast<long long>(*number) < static_cast<long long>(knownBrowserCount))
        settings.selectedBrowserNumber = *number < 0 ? kNoBrowserSelected : *number;
    else if (knownBrowserCount > 0)
        settings.selectedBrowserNumber = 0;

    const auto path = ReadAs<std::string>(store, kSpecifiedBrowserExePath, AsText);
    if (!path)
        return;
    settings.specifiedBrowserExePath = *path;
}

}  // namespace

BrowserMode ModeAfterChecking(BrowserMode wanted, std::size_t knownBrowserCount) {
    if (wanted == BrowserMode::KnownBrowser && knownBrowserCount == 0)
        return BrowserMode::Default;
    return wanted;
}

BrowserSettings LoadBrowserSettings(const ISettingsStore& store, std::size_t knownBrowserCount) {
    BrowserSettings settings;
    ModeRadios radios;
    try {
        if (store.HasGroup(kBrowsersGroup))
            ApplyStoredValues(store, knownBrowserCount, radios, settings);
    } catch (const SettingsStoreError&) {
        // An unreadable store leaves the rest of the initial state.
    }
    settings.mode = radios.Mode();
    return settings;
}

bool SaveBrowserSettings(ISettingsStore& store, const BrowserSettings& s) {
    try {
        store.Write(kBrowsersGroup, kUseDefaultBrowser,
                    StoredValue::Boolean(s.mode == BrowserMode::Default));
        store.Write(kBrowsersGroup, kUseKnownBrowser,
                    StoredValue::Boolean(s.mode == BrowserMode::KnownBrowser));
        store.Write(kBrowsersGroup, kUseSpecifiedBrowser,
                    StoredValue::Boolean(s.mode == BrowserMode::SpecifiedBrowser));
        store.Write(kBrowsersGroup, kSelectedBrowserNumber,
                    StoredValue::Integer(s.selectedBrowserNumber));
        store.Write(kBrowsersGroup, kSpecifiedBrowserExePath,
                    StoredValue::Text(s.specifiedBrowserExePath));
        return true;
    } catch (const SettingsStoreError&) {
        return false;
    }
}

BrowserLaunch ChooseBrowserLaunch(const BrowserSettings& settings,
                                  const std::vector<std::string>& knownBrowserPrograms) {
    switch (settings.mode) {
        case BrowserMode::KnownBrowser: {
            const std::int32_t n = settings.selectedBrowserNumber;
            if (n >= 0 && static_cast<std::size_t>(n) < knownBrowserPrograms.size())
                return {false, knownBrowserPrograms[static_cast<std::size_t>(n)]};
            break;
        }
        case BrowserMode::SpecifiedBrowser: {
            std::string program(Trim(settings.specifiedBrowserExePath));
            if (!program.empty())
                return {false, std::move(program)};
            break;
        }
        case BrowserMode::Default:
            break;
    }
    return {};
}

}  // namespace zarvex::settings
